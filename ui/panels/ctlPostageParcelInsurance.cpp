#include "ctlPostageParcelInsurance.h"

#include "clsPostage.h"
#include "clsPrices.h"

#include <QScopedValueRollback>

#include <string>

ctlPostageParcelInsurance::ctlPostageParcelInsurance(QWidget* oParent)
    : ctlSectionPanel(oParent, {"PostageParcelInsurance", 1560, 855}) {
    AddRows({
        {"OptionButton", "optBand1", "up to £28", "", 0, 0, 1455, 255,
         int32_t(InsuranceBand::Band1)},
        {"Show", "chkShowBand1", "", "Band1"},
        {"OptionButton", "optBand2", "up to £100", "", 0, 285, 1455, 255,
         int32_t(InsuranceBand::Band2)},
        {"Show", "chkShowBand2", "", "Band2"},
        {"OptionButton", "optBand3", "up to £250", "", 0, 555, 1455, 255,
         int32_t(InsuranceBand::Band3)},
        {"Show", "chkShowBand3", "", "Band3"},
        {"OptionButton", "optBand4", "up to £500", "", 0, 840, 1455, 255,
         int32_t(InsuranceBand::Band4)},
        {"Show", "chkShowBand4", "", "Band4"},
    });
}

void ctlPostageParcelInsurance::ApplyAuctionType(clsPostage& oPostage) {
    const QScopedValueRollback<bool> oApplying(m_bApplying, true);
    m_oPostage = &oPostage;
    SetOptions(int32_t(oPostage.m_eInsurance));
    for (int32_t lBand = 0; lBand < 4; ++lBand) {
        const QString sNumber = QString::number(lBand + 1);
        const QString sOption = QStringLiteral("optBand") + sNumber;
        std::string sName;
        if (GetPrices().GetData("InsuranceBandName" + sNumber.toStdString(), sName) &&
            !sName.empty()) {
            SetOptionCaption(sOption, QString::fromStdString(sName));
        }
        Enable(sOption, oPostage.CanHaveInsurance(InsuranceBand(lBand)));
    }
}

void ctlPostageParcelInsurance::WriteBack() {
    if (!m_oPostage) return;
    int32_t lBand = 0;
    if (SelectedOption(lBand)) m_oPostage->m_eInsurance = InsuranceBand(lBand);
    // Band 1 is always insurable, so this ends.
    while (!m_oPostage->CanHaveInsurance(m_oPostage->m_eInsurance))
        m_oPostage->m_eInsurance = clsPostage::GetNextInsurance(m_oPostage->m_eInsurance);
    m_oPostage->m_bDirty = true;
    // The postage panel, told of the change, shows the band that was kept.
    emit Changed();
}
