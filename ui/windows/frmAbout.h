#pragma once

#include <QDialog>
#include <QString>

#include <cstdint>
#include <functional>
#include <string>

class QComboBox;
class QFrame;
class QLabel;
class ctlMovie;
class ctlNumericText;

// The about box: an animated about page with the program's message and music, and a
// settings page for the start mode, the snap-to-grid step and the reset of panel positions.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget* oParent = nullptr);

    // Called when the user asks for the calculator's panels to go back to their places.
    void OnResetControlPositions(std::function<void()> fnReset) { m_fnReset = std::move(fnReset); }

    // "About - Gavelry UK (v01.01.248)".
    static QString AboutCaption(const std::string& sAppName, int32_t lMajor, int32_t lMinor,
                                int32_t lRevision);
    // The about movie with its parameters for the message and the stored music settings.
    static QString AboutMovie();
    // Opens a web address; tests replace it so that no browser starts.
    static void SetOpenWebSiteHandler(std::function<void(const QString&)> fnOpen);

    void ShowAboutPage();
    void ShowSettingsPage();

    ctlMovie* imgAbout = nullptr;
    ctlMovie* imgSettings = nullptr;
    QFrame* Line1 = nullptr;
    QFrame* fraAmination = nullptr;
    ctlMovie* aniFlash = nullptr;
    QFrame* fraSettings = nullptr;
    QLabel* lblStartMode = nullptr;
    QComboBox* cboStartMode = nullptr;
    QLabel* Label3 = nullptr;
    ctlNumericText* txtSnapToGrid = nullptr;
    QLabel* Label2 = nullptr;
    ctlMovie* imgResetPositions = nullptr;
    ctlMovie* imgApply = nullptr;
    ctlMovie* imgCancel = nullptr;

signals:
    void ResetControlPositions();

protected:
    bool eventFilter(QObject* oWatched, QEvent* oEvent) override;

private:
    void LoadSettings();
    void ApplySettings();
    void ShowPage(QFrame* oPage, QFrame* oOther);
    void aniFlash_FSCommand(const QString& sCommand, const QString& sArgs);
    void imgResetPositions_Click();

    std::function<void()> m_fnReset;
    bool m_bLoading = false;
};
