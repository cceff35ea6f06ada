#include "clsAuctionType.h"

#include "basCommon.h"
#include "basNumbers.h"
#include "clsAuctionSection.h"
#include "clsError.h"
#include "clsOutlay.h"
#include "clsPriceCache.h"
#include "clsPrices.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::string_view kMarker = "[TYPE]";

const clsPriceCache& Prices() {
    return GetPrices().Cache();
}

// The value of the band of a range that holds fValue; 0 when no band does.
float BandValue(const clsPrices::Range& oRange, float fValue) {
    clsPriceRange oBand;
    return oRange.HitTest(fValue, oBand) ? oBand.m_fValue : 0.0f;
}

// Index into the US motor price names: Passenger to OtherVehicle.
size_t MotorIndex(MotorType eType) {
    const auto n = static_cast<size_t>(eType);
    return n < 5 ? n : 4;
}

// A reserve fee from a range whose last charged band is a capped percentage
// ("Reserve" on US, "ReserveRealEstate"): amounts below it, then the smaller of the
// percentage and the cap.
float CappedReserve(const clsPrices::Range& oRange, const clsPrices::Value& oCap, float fReserve) {
    clsPriceRange oBand;
    if (!oRange.HitTest(fReserve, oBand)) return 0;
    if (oBand.m_nIndex == 1 || oBand.m_nIndex == 2) return oBand.m_fValue;
    if (oBand.m_nIndex == 3)
        return MinSingle(ToSingle(oBand.m_fValue / 100.0 * fReserve), oCap.Or0());
    return 0;
}

} // namespace

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
        if (m_bBuyItNowOnly)
            return BandValue(Prices().m_oOpeningFixed, oOutlay.m_fEstimatedEndPrice);
        // A reserve sets the insertion fee band when there is one.
        return BandValue(Prices().m_oOpening, oOutlay.m_fReservePrice > 0
                                                  ? oOutlay.m_fReservePrice
                                                  : oOutlay.m_fStartingPrice);
    }
    if (m_bBuyItNowOnly)
        return BandValue(Prices().m_oOpeningFixed,
                         ToSingle(double(oOutlay.m_fEstimatedEndPrice) * lQuantity));
    return BandValue(Prices().m_oOpeningMulti,
                     ToSingle(double(oOutlay.m_fStartingPrice) * lQuantity));
}

float clsAuctionType::ShopListingFee(float fFee) const {
    if (!m_bShopInventory) return fFee;
    // A missing shop fee leaves the fee of the kind of sale.
    const size_t nSlot = clsPriceCache::ShopSlot(m_eShopDuration);
    Prices().m_aoShopInsertionFee[nSlot].Get(fFee);
    return ToSingle(double(fFee) + Prices().m_aoShopInsertionSurcharge[nSlot].Or0());
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
        fFee = ToSingle(double(Prices().m_oAuctionTypeMotor.Or0()) * lFixedQuantity);
        break;
    case AuctionType::RealEstate:
        fFee = ToSingle(double(Prices().m_oAuctionTypeRealEstate.Or0()) * lFixedQuantity);
        break;
    default:
        break;
    }
    return ShopListingFee(fFee);
}

float clsAuctionType::DoCalcListingFee_US(const clsOutlay& oOutlay) const {
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
            fFee = ToSingle(double(Prices().m_aoAuctionTypeMotor[n].Or0()) +
                            Prices().m_aoTransactionFeeMotor[n].Or0());
        }
        break;
    case AuctionType::RealEstate: {
        const int32_t lFixedQuantity = m_bBuyItNowOnly ? MaxLong(oOutlay.m_lQuantity, 1) : 1;
        const auto nType = std::min<size_t>(static_cast<size_t>(m_eRealEstateType), 2);
        const auto nFormat = std::min<size_t>(static_cast<size_t>(m_eRealEstateSaleFormat), 4);
        fFee = ToSingle(double(Prices().m_aaoRealEstateListing[nType][nFormat].Or0()) *
                        lFixedQuantity);
        break;
    }
    case AuctionType::Business:
        fFee = Prices().m_oAuctionTypeBusiness.Or0();
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
        if (!Prices().m_oReserve.HitTest(fReserve, oRange)) return 0;
        if (oRange.m_nIndex == 1 || oRange.m_nIndex == 3) return oRange.m_fValue;
        if (oRange.m_nIndex == 2) return ToSingle(oRange.m_fValue / 100.0 * fReserve);
        return 0;
    }
    case AuctionType::Motor:
        return fReserve > 0 ? Prices().m_oReserveMotor.Or0() : 0.0f;
    case AuctionType::RealEstate:
        return fReserve > 0 ? Prices().m_oReserveRealEstate.Or0() : 0.0f;
    default:
        return 0;
    }
}

float clsAuctionType::DoCalcReserveFee_US(const clsOutlay& oOutlay) const {
    // Shop inventory listings carry no reserve on the US site.
    if (!ReserveCharged(oOutlay) || m_bShopInventory) return 0;
    const float fReserve = oOutlay.m_fReservePrice;
    switch (m_eAuctionType) {
    case AuctionType::Standard:
        return CappedReserve(Prices().m_oReserve, Prices().m_oReserveMax, fReserve);
    case AuctionType::Motor:
        if (m_eMotorType == MotorType::Parts)
            return CappedReserve(Prices().m_oReserve, Prices().m_oReserveMax, fReserve);
        return Prices().m_aoReserveMotor[MotorIndex(m_eMotorType)].Or0();
    case AuctionType::RealEstate:
        return fReserve > 0 ? CappedReserve(Prices().m_oReserveRealEstateRange,
                                            Prices().m_oReserveRealEstateMax, fReserve)
                            : 0.0f;
    case AuctionType::Business:
        return Prices().m_oReserveBusiness.Or0();
    }
    return 0;
}

float clsAuctionType::TieredFee(const clsPrices::Range& oRange, float fPrice) {
    float fFee = 0;
    // A band the file gives no line of is 0 to 0 at 0 % and adds nothing.
    for (const clsPriceBand& oBand : oRange.Bands()) {
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
        return ToSingle(double(TieredFee(
                            m_bShopInventory ? Prices().m_oShopFinal : Prices().m_oFinal, fPrice)) *
                        oOutlay.m_lQuantity);
    case AuctionType::Motor: {
        // A price that no band holds carries no fee.
        clsPriceRange oRange;
        if (!Prices().m_oFinalMotor.HitTest(fPrice, oRange)) return 0;
        const double dFee =
            oRange.m_nIndex == 2 ? oRange.m_fValue / 100.0 * fPrice : double(oRange.m_fValue);
        return ToSingle(double(ToSingle(dFee)) * oOutlay.m_lQuantity);
    }
    case AuctionType::RealEstate:
        return Prices().m_oFinalRealEstate.Or0();
    default:
        return 0;
    }
}

float clsAuctionType::DoCalcFinalValueFee_US(const clsOutlay& oOutlay) const {
    const float fPrice = oOutlay.m_fEstimatedEndPrice;
    switch (m_eAuctionType) {
    case AuctionType::Standard:
        return ToSingle(double(TieredFee(
                            m_bShopInventory ? Prices().m_oShopFinal : Prices().m_oFinal, fPrice)) *
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
            return Prices().m_oFinalRealEstateTimeshare.Or0();
        if (m_eRealEstateType == RealEstateType::AllOther)
            return Prices().m_oFinalRealEstateOther.Or0();
        return 0;
    case AuctionType::Business:
        return MinSingle(ToSingle(Prices().m_oFinalBusiness.Or0() / 100.0 * fPrice),
                         Prices().m_oFinalBusinessMax.Or0());
    }
    return 0;
}

std::string clsAuctionType::RealEstateListingKey(RealEstateType eType,
                                                 RealEstateSaleFormat eFormat) {
    return ::RealEstateListingKey(eType, eFormat);
}

void clsAuctionType::Save(std::string& sData) const {
    clsAuctionSection::Writer(sData, kMarker)
        .Text(PadLeft(std::to_string(int32_t(m_eAuctionType)), 3, "0"))
        .Flag(m_bBuyItNowOnly)
        .Flag(m_bShopInventory)
        .Whole(int32_t(m_eShopDuration))
        .Whole(int32_t(m_eMotorType))
        .Whole(int32_t(m_eRealEstateType))
        .Whole(int32_t(m_eRealEstateSaleFormat))
        .Flag(m_bRealEstateBinding)
        .End(true);
}

void clsAuctionType::Load(std::string_view sData) {
    // An auction text without this section keeps the kind of sale as it is.
    const clsAuctionSection oSection(sData, kMarker, false);
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
    Load(clsAuctionSection::Defaults<clsAuctionType>());
}
