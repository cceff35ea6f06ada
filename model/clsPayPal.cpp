#include "clsPayPal.h"

#include "basNumbers.h"
#include "clsAuctionSection.h"
#include "clsError.h"
#include "clsOutlay.h"
#include "clsPriceCache.h"
#include "clsPrices.h"

#include <cmath>

namespace {

constexpr std::string_view kMarker = "[PAYPAL]";

// "BusinessRateBand" + band + "Name" or "Value" from the price table; empty when it has none.
std::string BandText(int32_t eBand, BandAttribute eAttribute) {
    std::string sData;
    GetPrices().GetData("BusinessRateBand" + std::to_string(eBand) +
                            (eAttribute == BandAttribute::Name ? "Name" : "Value"),
                        sData);
    return sData;
}

} // namespace

float clsPayPal::ApplyPayIndividually(float fAmount) const {
    if (m_oOutlay && m_oOutlay->m_lQuantity > 1 && m_bPayInduvidually)
        return ToSingle(double(fAmount) * m_oOutlay->m_lQuantity);
    return fAmount;
}

std::string clsPayPal::GetBusinessRateBandAttribute(BandAttribute eAttribute,
                                                    int32_t& eBand) const {
    if (eBand == 0) eBand = m_eBusinessRate;
    return BandText(eBand, eAttribute);
}

float clsPayPal::BandValue(int32_t eBand) {
    const auto& aoBands = GetPrices().Cache().m_aoBandValues;
    float fValue = 0;
    if (eBand >= 1 && size_t(eBand) < aoBands.size()) {
        if (!aoBands[size_t(eBand)].bNumeric) clsError::Raise(ErrNumber::TypeMismatch, "clsPayPal");
        return aoBands[size_t(eBand)].fValue;
    }
    // A band no panel offers is looked up by its name.
    if (!ParseSingle(BandText(eBand, BandAttribute::Value), fValue))
        clsError::Raise(ErrNumber::TypeMismatch, "clsPayPal");
    return fValue;
}

namespace {

// An amount rounded to the currency's places; exact halves round down, negative amounts
// towards zero.
float RoundScaled(float fAmount) {
    const int32_t lFactor = GetCurrencyScale();
    float fScaled = ToSingle(double(fAmount) * lFactor);
    const float fWhole = std::trunc(fScaled);
    const float fFraction = fScaled - fWhole;
    fScaled = fFraction > 0.5f ? fWhole + 1 : fWhole;
    return ToSingle(double(fScaled) / lFactor);
}

} // namespace

float clsPayPal::RoundCurrency(const std::string& sAmount) {
    float fAmount = 0;
    if (!ParseSingle(sAmount, fAmount)) clsError::Raise(ErrNumber::TypeMismatch, "clsPayPal");
    return RoundScaled(fAmount);
}

float clsPayPal::RoundCurrency(float fAmount) {
    return RoundScaled(GeneralValue(fAmount));
}

float clsPayPal::DoCalc(float fSellingValue, const clsOutlay* oOutlay) {
    m_fLastSellingValue = fSellingValue;
    m_oOutlay = oOutlay;
    if (m_eBusinessRate == 0 || !m_bUsePayPal || !(fSellingValue > 0)) return 0;

    const clsPriceCache& oPrices = GetPrices().Cache();
    float fPercent = 0;
    float fFixed = 0;
    switch (m_eAccoutType) {
    case AccountType::Personal:
        oPrices.m_oPersonalPercent.Get(fPercent);
        oPrices.m_oPersonalFixed.Get(fFixed);
        break;
    default: {
        const bool bMerchant =
            m_eAccoutType == AccountType::Premier || m_eAccoutType == AccountType::Business;
        const float fBandValue = BandValue(m_eBusinessRate);
        clsPriceRange oRange;
        if ((bMerchant ? oPrices.m_oBusinessPercent : oPrices.m_oOtherPercent)
                .HitTest(fBandValue, oRange))
            fPercent = oRange.m_fValue;
        if ((bMerchant ? oPrices.m_oBusinessFixed : oPrices.m_oOtherFixed)
                .HitTest(fBandValue, oRange))
            fFixed = oRange.m_fValue;
        break;
    }
    }
    fFixed = ApplyPayIndividually(fFixed);
    const float fFee = ToSingle(double(fSellingValue) * (fPercent / 100.0) + fFixed);
    return RoundCurrency(fFee);
}

float clsPayPal::DoCalcAuto() {
    return DoCalc(m_fLastSellingValue, m_oOutlay);
}

void clsPayPal::Save(std::string& sData) const {
    clsAuctionSection::Writer(sData, kMarker)
        .Flag(m_bUsePayPal)
        .Whole(int32_t(m_eAccoutType))
        .Whole(m_eBusinessRate)
        .Flag(m_bPayInduvidually)
        .End();
}

void clsPayPal::Load(std::string_view sData) {
    const clsAuctionSection oSection(sData, kMarker, true);
    oSection.ReadFlag(0, m_bUsePayPal);
    oSection.ReadEnum(1, m_eAccoutType, INT16_MIN, INT16_MAX);
    oSection.ReadEnum(2, m_eBusinessRate, INT16_MIN, INT16_MAX);
    oSection.ReadFlag(3, m_bPayInduvidually);
}

void clsPayPal::Clear() {
    Load(clsAuctionSection::Defaults<clsPayPal>());
}
