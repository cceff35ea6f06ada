#include "ctlPaypalBusinessTypes.h"

#include "clsPayPal.h"

#include <QScopedValueRollback>

#include <string>

namespace {

// Wide enough for the price table's band names ("£15000.01 - £55000.00"), which a column
// sized for "Band 1" would cut off.
constexpr int32_t kShowLeft = 2520;

} // namespace

ctlPaypalBusinessTypes::ctlPaypalBusinessTypes(QWidget* oParent)
    : ctlSectionPanel(oParent, {"PayPalBusinessTypes", kShowLeft, 975}) {
    AddRows({
        {"OptionButton", "optBand1", "Band 1", "BusinessRateBand1", 0, 0, kShowLeft - 105, 255, 1},
        {"Show", "chkShowBusinessRateBand1", "", "Band1"},
        {"OptionButton", "optBand2", "Band 2", "BusinessRateBand2", 0, 280, kShowLeft - 105, 255,
         2},
        {"Show", "chkShowBusinessRateBand2", "", "Band2"},
        {"OptionButton", "optBand3", "Band 3", "BusinessRateBand3", 0, 560, kShowLeft - 105, 255,
         3},
        {"Show", "chkShowBusinessRateBand3", "", "Band3"},
        {"OptionButton", "optBand4", "Band 4", "BusinessRateBand4", 0, 840, kShowLeft - 105, 255,
         4},
        {"Show", "chkShowBusinessRateBand4", "", "Band4"},
        {"OptionButton", "optBand5", "Band 5", "BusinessRateBand5", 0, 1120, kShowLeft - 105, 255,
         5},
        {"Show", "chkShowBusinessRateBand5", "", "Band5"},
    });
}

void ctlPaypalBusinessTypes::ApplyFeatures(clsPayPal& oPayPal) {
    const QScopedValueRollback<bool> oApplying(m_bApplying, true);
    m_oPayPal = &oPayPal;
    SetOptions(oPayPal.m_eBusinessRate);
    for (int32_t lBand = 1; lBand <= 5; ++lBand) {
        const QString sBand = QString::number(lBand);
        const QString sOption = QStringLiteral("optBand") + sBand;
        int32_t eBand = lBand;
        const std::string sName = oPayPal.GetBusinessRateBandAttribute(BandAttribute::Name, eBand);
        const QString sCaption =
            sName.empty() ? tr("Band %1").arg(sBand) : QString::fromStdString(sName);
        SetOptionCaption(sOption, sCaption);
        Enable(sOption, oPayPal.CanHaveMerchantRate());
    }
}

void ctlPaypalBusinessTypes::WriteBack() {
    if (!m_oPayPal) return;
    int32_t lBand = 0;
    if (SelectedOption(lBand)) m_oPayPal->m_eBusinessRate = lBand;
    m_oPayPal->m_bDirty = true;
    emit Changed();
}
