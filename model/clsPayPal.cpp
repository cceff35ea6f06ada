#include "clsPayPal.h"

#include "basNumbers.h"
#include "clsAuctionSection.h"
#include "clsError.h"
#include "clsOutlay.h"
#include "clsPrices.h"

#include <array>
#include <cmath>

namespace {
constexpr std::string_view kMarker = "[PAYPAL]";
}

clsPayPal::clsPayPal() {
    Serialize(m_sDefaults, true);
}

float clsPayPal::ApplyPayIndividually(float fAmount) const {
    if (m_oOutlay && m_oOutlay->m_lQuantity > 1 && m_bPayInduvidually)
        return ToSingle(double(fAmount) * m_oOutlay->m_lQuantity);
    return fAmount;
}

std::string clsPayPal::GetBusinessRateBandAttribute(BandAttribute eAttribute,
                                                    int32_t& eBand) const {
    if (eBand == 0) eBand = m_eBusinessRate;
    std::string sData;
    GetPrices().GetData(BandName(eBand, eAttribute), sData);
    return sData;
}

std::string_view clsPayPal::BandName(int32_t eBand, BandAttribute eAttribute) {
    // The names of the five bands are built once: every calculation asks for one.
    static const auto aasNames = [] {
        std::array<std::array<std::string, 2>, 6> aas;
        for (size_t n = 0; n < aas.size(); ++n) {
            aas[n][0] = "BusinessRateBand" + std::to_string(n) + "Name";
            aas[n][1] = "BusinessRateBand" + std::to_string(n) + "Value";
        }
        return aas;
    }();
    static std::string sOther;
    const size_t nAttribute = eAttribute == BandAttribute::Name ? 0 : 1;
    if (eBand >= 0 && size_t(eBand) < aasNames.size()) return aasNames[size_t(eBand)][nAttribute];
    sOther = "BusinessRateBand" + std::to_string(eBand) + (nAttribute ? "Value" : "Name");
    return sOther;
}

float clsPayPal::RoundCurrency(const std::string& sAmount) {
    const int32_t lFactor = GetCurrencyScale();
    float fAmount = 0;
    if (!ParseSingle(sAmount, fAmount)) clsError::Raise(ErrNumber::TypeMismatch, "clsPayPal");
    float fScaled = ToSingle(double(fAmount) * lFactor);
    const float fWhole = std::trunc(fScaled);
    const float fFraction = fScaled - fWhole;
    fScaled = fFraction > 0.5f ? fWhole + 1 : fWhole;
    return ToSingle(double(fScaled) / lFactor);
}

float clsPayPal::DoCalc(float fSellingValue, const clsOutlay* oOutlay) {
    m_fLastSellingValue = fSellingValue;
    m_oOutlay = oOutlay;
    if (m_eBusinessRate == 0 || !m_bUsePayPal || !(fSellingValue > 0)) return 0;

    const clsPrices& oPrices = GetPrices();
    float fPercent = 0;
    float fFixed = 0;
    switch (m_eAccoutType) {
    case AccountType::Personal:
        oPrices.GetPrice("PersonalRatePounds%", fPercent);
        oPrices.GetPrice("PersonalRatePoundsFixed", fFixed);
        break;
    default: {
        const bool bMerchant =
            m_eAccoutType == AccountType::Premier || m_eAccoutType == AccountType::Business;
        int32_t eBand = 0;
        float fBandValue = 0;
        if (!ParseSingle(GetBusinessRateBandAttribute(BandAttribute::Value, eBand), fBandValue))
            clsError::Raise(ErrNumber::TypeMismatch, "clsPayPal");
        clsPriceRange oRange;
        if (oPrices.HitTestRanges(bMerchant ? "BusinessRatePounds%" : "Pounds%", fBandValue, oRange,
                                  ShopDuration::None))
            fPercent = oRange.m_fValue;
        if (oPrices.HitTestRanges(bMerchant ? "BusinessRatePoundsFixed" : "PoundsFixed", fBandValue,
                                  oRange, ShopDuration::None))
            fFixed = oRange.m_fValue;
        break;
    }
    }
    fFixed = ApplyPayIndividually(fFixed);
    const float fFee = ToSingle(double(fSellingValue) * (fPercent / 100.0) + fFixed);
    return RoundCurrency(FormatGeneral(fFee));
}

float clsPayPal::DoCalcAuto() {
    return DoCalc(m_fLastSellingValue, m_oOutlay);
}

void clsPayPal::Serialize(std::string& sData, bool bSave) {
    using S = clsAuctionSection;
    if (bSave) {
        S::Append(sData, kMarker,
                  {S::FlagText(m_bUsePayPal), S::WholeText(int32_t(m_eAccoutType)),
                   S::WholeText(m_eBusinessRate), S::FlagText(m_bPayInduvidually)});
        return;
    }
    const S oSection(sData, kMarker, true);
    oSection.ReadFlag(0, m_bUsePayPal);
    oSection.ReadEnum(1, m_eAccoutType, INT16_MIN, INT16_MAX);
    oSection.ReadEnum(2, m_eBusinessRate, INT16_MIN, INT16_MAX);
    oSection.ReadFlag(3, m_bPayInduvidually);
}

void clsPayPal::Clear() {
    Serialize(m_sDefaults, false);
}
