#include "ctlPostageParcelInsurance.h"

#include "clsPostage.h"
#include "clsPrices.h"

#include <QRadioButton>
#include <QScopedValueRollback>

#include <string>

ctlPostageParcelInsurance::ctlPostageParcelInsurance(QWidget* oParent)
    : ctlSectionPanel(oParent, {"PostageParcelInsurance", 1560, 855}) {
    // The rows stand as first drawn, not quite at the usual pitch.
    const struct {
        const char* m_sCaption;
        int32_t m_lTop;
    } aoBands[] = {
        {"up &to £28", 0}, {"up to £&100", 285}, {"up to £&250", 555}, {"up to £&500", 840}};
    for (size_t i = 0; i < m_aoptBands.size(); ++i) {
        const std::string sBand = std::to_string(i + 1);
        const std::string sOption = "optBand" + sBand, sShowBox = "chkShowBand" + sBand;
        const std::string sTag = "Band" + sBand;
        AddRows({
            {.m_eKind = RowKind::OptionButton,
             .m_sName = sOption.c_str(),
             .m_sCaption = aoBands[i].m_sCaption,
             .m_lTop = aoBands[i].m_lTop,
             .m_lWidth = 1455,
             .m_lValue = int32_t(i), // InsuranceBand::Band1 and on
             .m_oKeep = &m_aoptBands[i]},
            ShowRow(sShowBox.c_str(), sTag.c_str()),
        });
    }
}

void ctlPostageParcelInsurance::ApplyAuctionType(clsPostage& oPostage) {
    const QScopedValueRollback<bool> oApplying(m_bApplying, true);
    m_oPostage = &oPostage;
    SetOptions(int32_t(oPostage.m_eInsurance));
    for (size_t i = 0; i < m_aoptBands.size(); ++i) {
        std::string sName;
        if (GetPrices().GetData("InsuranceBandName" + std::to_string(i + 1), sName) &&
            !sName.empty()) {
            SetOptionCaption(m_aoptBands[i], QString::fromStdString(sName));
        }
        Enable(m_aoptBands[i], oPostage.CanHaveInsurance(InsuranceBand(i)));
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
