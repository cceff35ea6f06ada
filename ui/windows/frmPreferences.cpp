#include "frmPreferences.h"

#include "basCommon.h"
#include "basStartSettings.h"
#include "ctlNumericText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

frmPreferences::frmPreferences(QWidget* oParent) : QDialog(oParent) {
    setObjectName(QStringLiteral("frmPreferences"));
    setWindowTitle(tr("Preferences - %1").arg(QString::fromStdString(GetAppName())));

    cboStartMode = new QComboBox(this);
    cboStartMode->setObjectName(QStringLiteral("cboStartMode"));
    lblStartMode = new QLabel(tr("Start &Mode"), this);
    lblStartMode->setBuddy(cboStartMode);
    txtSnapToGrid = new ctlNumericText(this);
    txtSnapToGrid->setObjectName(QStringLiteral("txtSnapToGrid"));
    SetUpSnapToGrid(txtSnapToGrid);
    lblSnapToGrid = new QLabel(tr("&Snap to Grid Size"), this);
    lblSnapToGrid->setBuddy(txtSnapToGrid);
    txtSnapToGrid->setToolTip(
        tr("The step, in twips (15 to a pixel), by which panels move in Default Configuration"));
    chkResetPositions = new QCheckBox(tr("&Reset Expert Positions"), this);
    chkResetPositions->setObjectName(QStringLiteral("chkResetPositions"));
    chkResetPositions->setToolTip(tr("Puts the calculator's five panels back in their places"));
    btnButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    btnButtons->setObjectName(QStringLiteral("btnButtons"));
    connect(btnButtons, &QDialogButtonBox::accepted, this, [this] {
        Apply();
        accept();
    });
    connect(btnButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* oForm = new QFormLayout();
    oForm->addRow(lblStartMode, cboStartMode);
    oForm->addRow(lblSnapToGrid, txtSnapToGrid);
    oForm->addRow(QString(), chkResetPositions);
    auto* oMain = new QVBoxLayout(this);
    oMain->addLayout(oForm);
    oMain->addStretch(1);
    oMain->addWidget(btnButtons);
    oMain->setSizeConstraint(QLayout::SetFixedSize);

    LoadStartMode(cboStartMode);
    LoadSnapToGrid(txtSnapToGrid);
}

void frmPreferences::Apply() {
    ApplyStartSettings(cboStartMode, txtSnapToGrid);
    if (chkResetPositions->isChecked()) emit ResetControlPositions();
}
