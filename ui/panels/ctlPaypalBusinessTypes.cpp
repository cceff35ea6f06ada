#include "ctlPaypalBusinessTypes.h"

#include "clsPayPal.h"

#include <QRadioButton>
#include <QScopedValueRollback>

#include <string>

namespace {

// Wide enough for the price table's band names ("£15000.01 - £55000.00"), which a column
// sized for "Band 1" would cut off.
constexpr int32_t kShowLeft = 2520;

} // namespace

ctlPaypalBusinessTypes::ctlPaypalBusinessTypes(QWidget* oParent)
    : ctlSectionPanel(oParent, {"PayPalBusinessTypes", kShowLeft, 975}) {
    for (int32_t lBand = 1; lBand <= 5; ++lBand) {
        const std::string sBand = std::to_string(lBand);
        const std::string sOption = "optBand" + sBand, sShowBox = "chkShowBusinessRateBand" + sBand;
        const std::string sCaption = "Band " + sBand, sTag = "BusinessRateBand" + sBand;
        const std::string sShowTag = "Band" + sBand;
        AddRows({
            {.m_eKind = RowKind::OptionButton,
             .m_sName = sOption.c_str(),
             .m_sCaption = sCaption.c_str(),
             .m_lWidth = kShowLeft - 105,
             .m_lValue = lBand,
             .m_sTag = sTag.c_str(),
             .m_oKeep = &m_aoptBands[size_t(lBand - 1)]},
            ShowRow(sShowBox.c_str(), sShowTag.c_str()),
        });
    }
}

void ctlPaypalBusinessTypes::ApplyFeatures(clsPayPal& oPayPal) {
    const QScopedValueRollback<bool> oApplying(m_bApplying, true);
    m_oPayPal = &oPayPal;
    SetOptions(oPayPal.m_eBusinessRate);
    for (int32_t lBand = 1; lBand <= 5; ++lBand) {
        QRadioButton* optBand = m_aoptBands[size_t(lBand - 1)];
        int32_t eBand = lBand;
        const std::string sName = oPayPal.GetBusinessRateBandAttribute(BandAttribute::Name, eBand);
        const QString sCaption =
            sName.empty() ? tr("Band %1").arg(lBand) : QString::fromStdString(sName);
        SetOptionCaption(optBand, sCaption);
        Enable(optBand, oPayPal.CanHaveMerchantRate());
    }
}

void ctlPaypalBusinessTypes::WriteBack() {
    if (!m_oPayPal) return;
    int32_t lBand = 0;
    if (SelectedOption(lBand)) m_oPayPal->m_eBusinessRate = lBand;
    m_oPayPal->m_bDirty = true;
    emit Changed();
}
