#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class ctlNumericText;

// Settings > Preferences: the settings of the about box's settings page (start mode, snap to
// grid, the reset of the calculator's panel positions) in a dialog of their own. OK applies
// them all, Cancel none.
class frmPreferences : public QDialog {
    Q_OBJECT

public:
    explicit frmPreferences(QWidget* oParent = nullptr);

    QLabel* lblStartMode = nullptr;
    QComboBox* cboStartMode = nullptr;
    QLabel* lblSnapToGrid = nullptr;
    ctlNumericText* txtSnapToGrid = nullptr;
    QCheckBox* chkResetPositions = nullptr;
    QDialogButtonBox* btnButtons = nullptr;

signals:
    // OK with the reset ticked: the calculator's panels go back to their places.
    void ResetControlPositions();

private:
    void Apply();
};
