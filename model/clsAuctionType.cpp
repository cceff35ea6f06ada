#include "clsAuctionType.h"

#include "basCommon.h"
#include "basNumbers.h"
#include "clsAuctionSection.h"
#include "clsError.h"
#include "clsOutlay.h"
#include "clsPrices.h"

#include <array>

namespace {

constexpr std::string_view kMarker = "[TYPE]";

// The price of a name without shop suffix; a missing name contributes nothing.
float Price(std::string_view sName) {
    float fValue = 0;
    GetPrices().GetPrice(sName, fValue);
    return fValue;
}

// The value of the band of a range that holds fValue; 0 when no band does.
float BandValue(std::string_view sRangeName, float fValue) {
    clsPriceRange oRange;
    return GetPrices().HitTestRanges(sRangeName, fValue, oRange, ShopDuration::None)
               ? oRange.m_fValue
               : 0.0f;
}

// Index into the US motor price names: Passenger to OtherVehicle.
size_t MotorIndex(MotorType eType) {
    const auto n = static_cast<size_t>(eType);
    return n < 5 ? n : 4;
}

// A reserve fee from a range whose last charged band is a capped percentage
// ("Reserve" on US, "ReserveRealEstate"): amounts below it, then the smaller of the
// percentage and the cap.
float CappedReserve(std::string_view sRangeName, std::string_view sCapName, float fReserve) {
    clsPriceRange oRange;
    if (!GetPrices().HitTestRanges(sRangeName, fReserve, oRange, ShopDuration::None)) return 0;
    if (oRange.m_nIndex == 1 || oRange.m_nIndex == 2) return oRange.m_fValue;
    if (oRange.m_nIndex == 3)
        return MinSingle(ToSingle(oRange.m_fValue / 100.0 * fReserve), Price(sCapName));
    return 0;
}

} // namespace

clsAuctionType::clsAuctionType() {
    Serialize(m_sDefaults, true);
}

bool clsAuctionType::IsVehicle(bool bAllowParts) const {
    if (m_eAuctionType != AuctionType::Motor) return false;
    if (m_eMotorType == MotorType::Parts) return bAllowParts;
    return m_eMotorType >= MotorType::Passenger && m_eMotorType <= MotorType::OtherVehicle;
}

float clsAuctionType::DoCalc(const clsOutlay& oOutlay) {
    const float fReserve = DoCalcReserveFee(oOutlay);
    const float fFinal = DoCalcFinalValueFee(oOutlay);
    const float fListing = DoCalcListingFee(oOutlay);
    return ToSingle(double(fReserve) + fListing + fFinal);
}

float clsAuctionType::DoCalcAuto() {
    if (!m_oOutlay) clsError::Raise(ErrNumber::ObjectNotSet, "clsAuctionType");
    return DoCalc(*m_oOutlay);
}

float clsAuctionType::StandardListingFee(const clsOutlay& oOutlay) const {
    const int32_t lQuantity = oOutlay.m_lQuantity;
    if (lQuantity == 1) {
        if (m_bBuyItNowOnly) return BandValue("OpeningFixed", oOutlay.m_fEstimatedEndPrice);
        // A reserve sets the insertion fee band when there is one.
        return BandValue("Opening", oOutlay.m_fReservePrice > 0 ? oOutlay.m_fReservePrice
                                                                : oOutlay.m_fStartingPrice);
    }
    if (m_bBuyItNowOnly)
        return BandValue("OpeningFixed",
                         ToSingle(double(oOutlay.m_fEstimatedEndPrice) * lQuantity));
    return BandValue("OpeningMulti", ToSingle(double(oOutlay.m_fStartingPrice) * lQuantity));
}

float clsAuctionType::ShopListingFee(float fFee) const {
    if (!m_bShopInventory) return fFee;
    // A missing shop fee leaves the fee of the kind of sale.
    GetPrices().GetPrice("ShopInsertionFee", fFee, m_eShopDuration);
    float fSurcharge = 0;
    GetPrices().GetPrice("ShopInsertionSurcharge", fSurcharge, m_eShopDuration);
    return ToSingle(double(fFee) + fSurcharge);
}

float clsAuctionType::DoCalcListingFee(const clsOutlay& oOutlay) {
    m_oOutlay = &oOutlay;
    if (GetRegion() == RegionUS) return DoCalcListingFee_US(oOutlay);

    const int32_t lFixedQuantity = m_bBuyItNowOnly ? MaxLong(oOutlay.m_lQuantity, 1) : 1;
    float fFee = 0;
    switch (m_eAuctionType) {
    case AuctionType::Standard:
        fFee = StandardListingFee(oOutlay);
        break;
    case AuctionType::Motor:
        fFee = ToSingle(double(Price("AuctionTypeMotor")) * lFixedQuantity);
        break;
    case AuctionType::RealEstate:
        fFee = ToSingle(double(Price("AuctionTypeRealEstate")) * lFixedQuantity);
        break;
    default:
        break;
    }
    return ShopListingFee(fFee);
}

float clsAuctionType::DoCalcListingFee_US(const clsOutlay& oOutlay) const {
    static const std::array<std::string_view, 5> asInsertion = {
        "AuctionTypeMotorPassenger", "AuctionTypeMotorMotorcycle", "AuctionTypeMotorPowersports",
        "AuctionTypeMotorPocketBikes", "AuctionTypeMotorOther"};
    static const std::array<std::string_view, 5> asTransaction = {
        "TransactionFeeMotorPassenger", "TransactionFeeMotorMotorcycle",
        "TransactionFeeMotorPowersports", "TransactionFeeMotorPocketBikes",
        "TransactionFeeMotorOther"};

    float fFee = 0;
    switch (m_eAuctionType) {
    case AuctionType::Standard:
        fFee = StandardListingFee(oOutlay);
        break;
    case AuctionType::Motor:
        if (m_eMotorType == MotorType::Parts) {
            fFee = StandardListingFee(oOutlay);
        } else {
            const size_t n = MotorIndex(m_eMotorType);
            fFee = ToSingle(double(Price(asInsertion[n])) + Price(asTransaction[n]));
        }
        break;
    case AuctionType::RealEstate: {
        const int32_t lFixedQuantity = m_bBuyItNowOnly ? MaxLong(oOutlay.m_lQuantity, 1) : 1;
        fFee = ToSingle(
            double(Price(RealEstateListingKey(m_eRealEstateType, m_eRealEstateSaleFormat))) *
            lFixedQuantity);
        break;
    }
    case AuctionType::Business:
        fFee = Price("AuctionTypeBusiness");
        break;
    }
    return ShopListingFee(fFee);
}

bool clsAuctionType::ReserveCharged(const clsOutlay& oOutlay) const {
    // A reserve applies to single-item sales only.
    return oOutlay.m_lQuantity == 0 || oOutlay.m_lQuantity == 1;
}

float clsAuctionType::DoCalcReserveFee(const clsOutlay& oOutlay) const {
    if (GetRegion() == RegionUS) return DoCalcReserveFee_US(oOutlay);
    if (!ReserveCharged(oOutlay)) return 0;
    const float fReserve = oOutlay.m_fReservePrice;
    switch (m_eAuctionType) {
    case AuctionType::Standard: {
        clsPriceRange oRange;
        if (!GetPrices().HitTestRanges("Reserve", fReserve, oRange, ShopDuration::None)) return 0;
        if (oRange.m_nIndex == 1 || oRange.m_nIndex == 3) return oRange.m_fValue;
        if (oRange.m_nIndex == 2) return ToSingle(oRange.m_fValue / 100.0 * fReserve);
        return 0;
    }
    case AuctionType::Motor:
        return fReserve > 0 ? Price("ReserveMotor") : 0.0f;
    case AuctionType::RealEstate:
        return fReserve > 0 ? Price("ReserveRealEstate") : 0.0f;
    default:
        return 0;
    }
}

float clsAuctionType::DoCalcReserveFee_US(const clsOutlay& oOutlay) const {
    static const std::array<std::string_view, 5> asMotorReserve = {
        "ReserveMotorPassenger", "ReserveMotorMotorbike", "ReserveMotorPowersports",
        "ReserveMotorPocketBikes", "ReserveMotorOther"};

    // Shop inventory listings carry no reserve on the US site.
    if (!ReserveCharged(oOutlay) || m_bShopInventory) return 0;
    const float fReserve = oOutlay.m_fReservePrice;
    switch (m_eAuctionType) {
    case AuctionType::Standard:
        return CappedReserve("Reserve", "ReserveMax", fReserve);
    case AuctionType::Motor:
        if (m_eMotorType == MotorType::Parts)
            return CappedReserve("Reserve", "ReserveMax", fReserve);
        return Price(asMotorReserve[MotorIndex(m_eMotorType)]);
    case AuctionType::RealEstate:
        return fReserve > 0 ? CappedReserve("ReserveRealEstate", "ReserveRealEstateMax", fReserve)
                            : 0.0f;
    case AuctionType::Business:
        return Price("ReserveBusiness");
    }
    return 0;
}

float clsAuctionType::TieredFee(std::string_view sRangeName, float fPrice) {
    float fFee = 0;
    // A band the file gives no line of is 0 to 0 at 0 % and adds nothing.
    for (const clsPriceBand& oBand : GetPrices().Bands(sRangeName, ShopDuration::None)) {
        const float fWidth =
            oBand.m_fEnd == -1.0f ? fPrice - oBand.m_fStart : oBand.m_fEnd - oBand.m_fStart;
        if (fPrice > oBand.m_fStart)
            fFee = ToSingle(fFee +
                            oBand.m_fValue / 100.0 * MinSingle(fPrice - oBand.m_fStart, fWidth));
    }
    return fFee;
}

float clsAuctionType::DoCalcFinalValueFee(const clsOutlay& oOutlay) const {
    if (GetRegion() == RegionUS) return DoCalcFinalValueFee_US(oOutlay);
    const float fPrice = oOutlay.m_fEstimatedEndPrice;
    switch (m_eAuctionType) {
    case AuctionType::Standard:
        return ToSingle(double(TieredFee(m_bShopInventory ? "ShopFinal" : "Final", fPrice)) *
                        oOutlay.m_lQuantity);
    case AuctionType::Motor: {
        // A price that no band holds carries no fee.
        clsPriceRange oRange;
        if (!GetPrices().HitTestRanges("FinalMotor", fPrice, oRange, ShopDuration::None)) return 0;
        const double dFee =
            oRange.m_nIndex == 2 ? oRange.m_fValue / 100.0 * fPrice : double(oRange.m_fValue);
        return ToSingle(double(ToSingle(dFee)) * oOutlay.m_lQuantity);
    }
    case AuctionType::RealEstate:
        return Price("FinalRealEstate");
    default:
        return 0;
    }
}

float clsAuctionType::DoCalcFinalValueFee_US(const clsOutlay& oOutlay) const {
    const float fPrice = oOutlay.m_fEstimatedEndPrice;
    switch (m_eAuctionType) {
    case AuctionType::Standard:
        return ToSingle(double(TieredFee(m_bShopInventory ? "ShopFinal" : "Final", fPrice)) *
                        oOutlay.m_lQuantity);
    case AuctionType::Motor:
        return 0;
    case AuctionType::RealEstate:
        // Only a binding auction carries a final value fee.
        if (!m_bRealEstateBinding ||
            (m_eRealEstateSaleFormat != RealEstateSaleFormat::Auction10Day &&
             m_eRealEstateSaleFormat != RealEstateSaleFormat::Auction30Day))
            return 0;
        if (m_eRealEstateType == RealEstateType::TimeshareLand)
            return Price("FinalRealEstateTimeshare");
        if (m_eRealEstateType == RealEstateType::AllOther) return Price("FinalRealEstateOther");
        return 0;
    case AuctionType::Business:
        return MinSingle(ToSingle(Price("FinalBusiness") / 100.0 * fPrice),
                         Price("FinalBusinessMax"));
    }
    return 0;
}

std::string clsAuctionType::RealEstateListingKey(RealEstateType eType,
                                                 RealEstateSaleFormat eFormat) {
    static const std::array<std::string_view, 2> asTypes = {"Timeshare", "Other"};
    static const std::array<std::string_view, 4> asFormats = {"Auction10", "Auction30", "Ad30",
                                                              "Ad90"};
    std::string sKey = "AuctionTypeRealEstate";
    const auto nType = static_cast<size_t>(eType);
    const auto nFormat = static_cast<size_t>(eFormat);
    if (nType < asTypes.size()) sKey += asTypes[nType];
    if (nFormat < asFormats.size()) sKey += asFormats[nFormat];
    return sKey;
}

void clsAuctionType::Serialize(std::string& sData, bool bSave) {
    using S = clsAuctionSection;
    if (bSave) {
        S::Append(
            sData, kMarker,
            {PadLeft(S::WholeText(int32_t(m_eAuctionType)), 3, "0"), S::FlagText(m_bBuyItNowOnly),
             S::FlagText(m_bShopInventory), S::WholeText(int32_t(m_eShopDuration)),
             S::WholeText(int32_t(m_eMotorType)), S::WholeText(int32_t(m_eRealEstateType)),
             S::WholeText(int32_t(m_eRealEstateSaleFormat)), S::FlagText(m_bRealEstateBinding)},
            true);
        return;
    }
    // An auction text without this section keeps the kind of sale as it is.
    const S oSection(sData, kMarker, false);
    oSection.ReadEnum(0, m_eAuctionType, 0, 255);
    oSection.ReadFlag(1, m_bBuyItNowOnly);
    oSection.ReadFlag(2, m_bShopInventory);
    oSection.ReadEnum(3, m_eShopDuration, 0, 255);
    oSection.ReadEnum(4, m_eMotorType, 0, 255);
    oSection.ReadEnum(5, m_eRealEstateType, 0, 255);
    oSection.ReadEnum(6, m_eRealEstateSaleFormat, 0, 255);
    oSection.ReadFlag(7, m_bRealEstateBinding);
}

void clsAuctionType::Clear() {
    Serialize(m_sDefaults, false);
}
