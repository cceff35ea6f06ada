#include "basStartSettings.h"

#include "basMain.h"
#include "clsSettings.h"
#include "ctlNumericText.h"

#include <QComboBox>
#include <QCoreApplication>

#include <cmath>
#include <string>

namespace {

QString Tr(const char* sText) {
    return QCoreApplication::translate("StartSettings", sText);
}

} // namespace

void LoadStartMode(QComboBox* cboStartMode) {
    cboStartMode->clear();
    cboStartMode->addItem(Tr("Wizard"), 0);
    cboStartMode->setItemData(0, Tr("Start on the wizard: the panels one page at a time"),
                              Qt::ToolTipRole);
    cboStartMode->addItem(Tr("Advanced"), 1);
    cboStartMode->setItemData(1, Tr("Start on the calculator: all the panels at once"),
                              Qt::ToolTipRole);
    const QString sStartMode = QString::fromStdString(GetSettings().Read(Settings::StartMode));
    int lAt = 0;
    for (int i = 0; i < cboStartMode->count(); ++i)
        if (cboStartMode->itemData(i).toString() == sStartMode) lAt = i;
    cboStartMode->setCurrentIndex(lAt);
}

void SetUpSnapToGrid(ctlNumericText* txtSnapToGrid) {
    txtSnapToGrid->Min(1);
    txtSnapToGrid->Max(1000);
}

void LoadSnapToGrid(ctlNumericText* txtSnapToGrid) {
    txtSnapToGrid->Text(QString::fromStdString(GetSettings().Read(Settings::SnapToGrid)));
}

void ApplyStartSettings(const QComboBox* cboStartMode, ctlNumericText* txtSnapToGrid) {
    if (txtSnapToGrid->hasFocus()) txtSnapToGrid->UserControl_LostFocus();
    GetSettings().Write(Settings::StartMode, cboStartMode->currentData().toString().toStdString());
    g_lSnapToGrid = static_cast<int32_t>(std::lround(txtSnapToGrid->Value()));
    // A number is stored plain, as start-up reads it, whatever grouping the field shows;
    // other text as it stands.
    GetSettings().Write(Settings::SnapToGrid, txtSnapToGrid->IsValid()
                                                  ? std::to_string(g_lSnapToGrid)
                                                  : txtSnapToGrid->Text().toStdString());
}
