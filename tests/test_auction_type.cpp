#include "TestSupport.h"

#include "clsAuctionType.h"
#include "clsError.h"
#include "clsOutlay.h"

#include <gtest/gtest.h>

namespace {

// A small schedule with round numbers, so each figure can be worked out by hand.
constexpr const char* kPrices = R"(OpeningRanges,3
OpeningRangeStart1,0
OpeningRangeEnd1,0.99
OpeningRangeValue1,0.1
OpeningRangeStart2,1
OpeningRangeEnd2,49.99
OpeningRangeValue2,0.2
OpeningRangeStart3,50
OpeningRangeEnd3,-1
OpeningRangeValue3,0.5
OpeningMultiRanges,2
OpeningMultiRangeStart1,0
OpeningMultiRangeEnd1,5
OpeningMultiRangeValue1,1
OpeningMultiRangeStart2,5.01
OpeningMultiRangeEnd2,-1
OpeningMultiRangeValue2,2
OpeningFixedRanges,2
OpeningFixedRangeStart1,0
OpeningFixedRangeEnd1,20
OpeningFixedRangeValue1,3
OpeningFixedRangeStart2,20.01
OpeningFixedRangeEnd2,-1
OpeningFixedRangeValue2,4
ReserveRanges,3
ReserveRangeStart1,0
ReserveRangeEnd1,49.99
ReserveRangeValue1,1
ReserveRangeStart2,50
ReserveRangeEnd2,4999.99
ReserveRangeValue2,2
ReserveRangeStart3,5000
ReserveRangeEnd3,-1
ReserveRangeValue3,100
FinalRanges,2
FinalRangeStart1,0
FinalRangeEnd1,29.99
FinalRangeValue1,5
FinalRangeStart2,30
FinalRangeEnd2,-1
FinalRangeValue2,3
ShopFinalRanges,1
ShopFinalRangeStart1,0
ShopFinalRangeEnd1,-1
ShopFinalRangeValue1,10
FinalMotorRanges,3
FinalMotorRangeStart1,1
FinalMotorRangeEnd1,1999.99
FinalMotorRangeValue1,25
FinalMotorRangeStart2,2000
FinalMotorRangeEnd2,9999.99
FinalMotorRangeValue2,1.25
FinalMotorRangeStart3,10000
FinalMotorRangeEnd3,20000
FinalMotorRangeValue3,125
AuctionTypeMotor,8
ReserveMotor,3
AuctionTypeRealEstate,35
ReserveRealEstate,4
FinalRealEstate,6
ShopInsertionFee90,0.09
ShopInsertionSurcharge90,0.01
ShopInsertionSurcharge30,0.5
)";

// US names on top of the shared ranges.
constexpr const char* kUsPrices = R"(AuctionTypeMotorPassenger,40
TransactionFeeMotorPassenger,50
AuctionTypeMotorOther,41
TransactionFeeMotorOther,51
ReserveMotorPassenger,7.5
ReserveMotorMotorbike,5
ReserveMotorOther,7.6
ReserveMax,50
ReserveRealEstateRanges,3
ReserveRealEstateRangeStart1,0.01
ReserveRealEstateRangeEnd1,49.99
ReserveRealEstateRangeValue1,1
ReserveRealEstateRangeStart2,50
ReserveRealEstateRangeEnd2,199.99
ReserveRealEstateRangeValue2,2
ReserveRealEstateRangeStart3,200
ReserveRealEstateRangeEnd3,-1
ReserveRealEstateRangeValue3,1
ReserveRealEstateMax,50
AuctionTypeRealEstateOtherAd30,150
AuctionTypeRealEstateTimeshareAuction10,35
FinalRealEstateTimeshare,35
FinalRealEstateOther,36
AuctionTypeBusiness,20
ReserveBusiness,5
FinalBusiness,2
FinalBusinessMax,100
)";

clsOutlay Outlay(float fStart, float fReserve, float fEnd, int32_t lQuantity) {
    clsOutlay o;
    o.m_fStartingPrice = fStart;
    o.m_fReservePrice = fReserve;
    o.m_fEstimatedEndPrice = fEnd;
    o.m_lQuantity = lQuantity;
    return o;
}

class AuctionTypeUK : public ::testing::Test {
protected:
    ScopedPrices m_oPrices{kPrices, RegionUK};
    clsAuctionType m_oType;
};

TEST_F(AuctionTypeUK, InsertionFeeBandsByKindOfListing) {
    m_oType.m_eShopDuration = ShopDuration::None;
    EXPECT_FLOAT_EQ(m_oType.DoCalcListingFee(Outlay(0.99f, 0, 0, 1)), 0.1f);
    EXPECT_FLOAT_EQ(m_oType.DoCalcListingFee(Outlay(0.99f, 50, 0, 1)), 0.5f); // by reserve
    EXPECT_FLOAT_EQ(m_oType.DoCalcListingFee(Outlay(2, 0, 0, 3)), 2.f);       // multi at 6
    EXPECT_FLOAT_EQ(m_oType.DoCalcListingFee(Outlay(1, 0, 0, 0)), 1.f);       // quantity 0 is multi
    m_oType.m_bBuyItNowOnly = true;
    EXPECT_FLOAT_EQ(m_oType.DoCalcListingFee(Outlay(0, 0, 20, 1)), 3.f);
    EXPECT_FLOAT_EQ(m_oType.DoCalcListingFee(Outlay(0, 0, 20, 4)), 4.f); // fixed at 80
}

TEST_F(AuctionTypeUK, MotorAndPropertyInsertionAndShopReplacement) {
    m_oType.m_eAuctionType = AuctionType::Motor;
    EXPECT_FLOAT_EQ(m_oType.DoCalcListingFee(Outlay(0, 0, 0, 5)), 8.f);
    m_oType.m_bBuyItNowOnly = true;
    EXPECT_FLOAT_EQ(m_oType.DoCalcListingFee(Outlay(0, 0, 0, 0)), 8.f); // at least one
    EXPECT_FLOAT_EQ(m_oType.DoCalcListingFee(Outlay(0, 0, 0, 3)), 24.f);
    m_oType.m_eAuctionType = AuctionType::RealEstate;
    EXPECT_FLOAT_EQ(m_oType.DoCalcListingFee(Outlay(0, 0, 0, 2)), 70.f);
    m_oType.m_eAuctionType = AuctionType::Business;
    EXPECT_FLOAT_EQ(m_oType.DoCalcListingFee(Outlay(0, 0, 0, 2)), 0.f);

    // A shop listing replaces the fee, whatever the kind of sale.
    m_oType.m_bShopInventory = true;
    m_oType.m_eShopDuration = ShopDuration::Days90;
    EXPECT_FLOAT_EQ(m_oType.DoCalcListingFee(Outlay(0, 0, 0, 2)), 0.1f);
    m_oType.m_eAuctionType = AuctionType::Motor;
    EXPECT_FLOAT_EQ(m_oType.DoCalcListingFee(Outlay(0, 0, 0, 2)), 0.1f);
    // No shop fee for the duration: the kind of sale's fee plus the surcharge.
    m_oType.m_eShopDuration = ShopDuration::Days30;
    EXPECT_FLOAT_EQ(m_oType.DoCalcListingFee(Outlay(0, 0, 0, 2)), 16.5f);
}

TEST_F(AuctionTypeUK, ReserveFeeOnlyForSingleItems) {
    EXPECT_FLOAT_EQ(m_oType.DoCalcReserveFee(Outlay(0, 20, 0, 1)), 1.f);
    EXPECT_FLOAT_EQ(m_oType.DoCalcReserveFee(Outlay(0, 100, 0, 1)), 2.f); // 2 % of 100
    EXPECT_FLOAT_EQ(m_oType.DoCalcReserveFee(Outlay(0, 6000, 0, 0)), 100.f);
    EXPECT_FLOAT_EQ(m_oType.DoCalcReserveFee(Outlay(0, 0, 0, 1)), 1.f); // 0 is in band 1
    EXPECT_FLOAT_EQ(m_oType.DoCalcReserveFee(Outlay(0, 100, 0, 2)), 0.f);
    EXPECT_FLOAT_EQ(m_oType.DoCalcReserveFee(Outlay(0, -5, 0, 1)), 0.f);

    m_oType.m_eAuctionType = AuctionType::Motor;
    EXPECT_FLOAT_EQ(m_oType.DoCalcReserveFee(Outlay(0, 10, 0, 1)), 3.f);
    EXPECT_FLOAT_EQ(m_oType.DoCalcReserveFee(Outlay(0, 0, 0, 1)), 0.f);
    EXPECT_FLOAT_EQ(m_oType.DoCalcReserveFee(Outlay(0, 10, 0, 4)), 0.f);
    m_oType.m_eAuctionType = AuctionType::RealEstate;
    EXPECT_FLOAT_EQ(m_oType.DoCalcReserveFee(Outlay(0, 10, 0, 1)), 4.f);
    EXPECT_FLOAT_EQ(m_oType.DoCalcReserveFee(Outlay(0, 0, 0, 1)), 0.f);
    m_oType.m_eAuctionType = AuctionType::Business;
    EXPECT_FLOAT_EQ(m_oType.DoCalcReserveFee(Outlay(0, 10, 0, 1)), 0.f);
}

TEST_F(AuctionTypeUK, FinalValueFees) {
    // 5 % of 29.99 + 3 % of 70: the slice between 29.99 and 30 is not charged.
    EXPECT_FLOAT_EQ(m_oType.DoCalcFinalValueFee(Outlay(0, 0, 100, 1)), 0.05f * 29.99f + 2.1f);
    EXPECT_FLOAT_EQ(m_oType.DoCalcFinalValueFee(Outlay(0, 0, 100, 2)), 2 * (0.05f * 29.99f + 2.1f));
    EXPECT_FLOAT_EQ(m_oType.DoCalcFinalValueFee(Outlay(0, 0, 30, 1)), 0.05f * 29.99f);
    EXPECT_FLOAT_EQ(m_oType.DoCalcFinalValueFee(Outlay(0, 0, 0, 1)), 0.f);
    m_oType.m_bShopInventory = true;
    EXPECT_FLOAT_EQ(m_oType.DoCalcFinalValueFee(Outlay(0, 0, 100, 1)), 10.f);

    m_oType.m_eAuctionType = AuctionType::Motor;
    EXPECT_FLOAT_EQ(m_oType.DoCalcFinalValueFee(Outlay(0, 0, 1500, 2)), 50.f);
    EXPECT_FLOAT_EQ(m_oType.DoCalcFinalValueFee(Outlay(0, 0, 4000, 1)), 50.f); // 1.25 %
    EXPECT_FLOAT_EQ(m_oType.DoCalcFinalValueFee(Outlay(0, 0, 15000, 1)), 125.f);
    // A price no band holds carries no fee (not the last band's value).
    EXPECT_FLOAT_EQ(m_oType.DoCalcFinalValueFee(Outlay(0, 0, 25000, 1)), 0.f);
    EXPECT_FLOAT_EQ(m_oType.DoCalcFinalValueFee(Outlay(0, 0, 0.5f, 1)), 0.f);

    m_oType.m_eAuctionType = AuctionType::RealEstate;
    EXPECT_FLOAT_EQ(m_oType.DoCalcFinalValueFee(Outlay(0, 0, 1e5f, 3)), 6.f); // not per item
}

TEST_F(AuctionTypeUK, DoCalcSumsTheThreeFeesAndAutoNeedsAnOutlay) {
    EXPECT_THROW(m_oType.DoCalcAuto(), clsError);
    clsOutlay o = Outlay(10, 60, 100, 1);
    m_oType.m_eShopDuration = ShopDuration::None;
    const float fExpected = 0.5f + 1.2f + (0.05f * 29.99f + 2.1f);
    EXPECT_FLOAT_EQ(m_oType.DoCalc(o), fExpected);
    o.m_fEstimatedEndPrice = 200; // DoCalcAuto reads the remembered outlay afresh
    EXPECT_FLOAT_EQ(m_oType.DoCalcAuto(), 0.5f + 1.2f + 0.05f * 29.99f + 5.1f);
}

TEST_F(AuctionTypeUK, MissingRangeReachesTheCaller) {
    ScopedPrices oEmpty("Nothing,1\n");
    try {
        m_oType.DoCalcListingFee(Outlay(1, 0, 0, 1));
        FAIL();
    } catch (const clsError& e) {
        EXPECT_EQ(e.Number(), ErrNumber::TypeMismatch);
    }
    m_oType.m_eAuctionType = AuctionType::Motor;
    EXPECT_FLOAT_EQ(m_oType.DoCalcListingFee(Outlay(1, 0, 0, 1)), 0.f); // missing scalar: 0
}

TEST(AuctionType, VehiclesAndRealEstateKeys) {
    clsAuctionType o;
    EXPECT_FALSE(o.IsVehicle(true));
    o.m_eAuctionType = AuctionType::Motor;
    EXPECT_TRUE(o.IsVehicle(false));
    o.m_eMotorType = MotorType::Parts;
    EXPECT_FALSE(o.IsVehicle(false));
    EXPECT_TRUE(o.IsVehicle(true));
    o.m_eMotorType = static_cast<MotorType>(9);
    EXPECT_FALSE(o.IsVehicle(true));
    EXPECT_EQ(clsAuctionType::RealEstateListingKey(RealEstateType::TimeshareLand,
                                                   RealEstateSaleFormat::Auction10Day),
              "AuctionTypeRealEstateTimeshareAuction10");
    EXPECT_EQ(clsAuctionType::RealEstateListingKey(RealEstateType::AllOther,
                                                   RealEstateSaleFormat::Ad90Day),
              "AuctionTypeRealEstateOtherAd90");
    EXPECT_EQ(clsAuctionType::RealEstateListingKey(static_cast<RealEstateType>(5),
                                                   RealEstateSaleFormat::Ad30Day),
              "AuctionTypeRealEstateAd30");
}

class AuctionTypeUS : public ::testing::Test {
protected:
    ScopedPrices m_oPrices{std::string(kPrices) + kUsPrices, RegionUS};
    clsAuctionType m_oType;
};

TEST_F(AuctionTypeUS, MotorSalesByKindOfVehicle) {
    m_oType.m_eAuctionType = AuctionType::Motor;
    const clsOutlay o = Outlay(2, 300, 5000, 1);
    EXPECT_FLOAT_EQ(m_oType.DoCalcListingFee(o), 90.f);
    EXPECT_FLOAT_EQ(m_oType.DoCalcReserveFee(o), 7.5f);
    EXPECT_FLOAT_EQ(m_oType.DoCalcFinalValueFee(o), 0.f);
    m_oType.m_eMotorType = MotorType::OtherVehicle;
    EXPECT_FLOAT_EQ(m_oType.DoCalcListingFee(o), 92.f);
    EXPECT_FLOAT_EQ(m_oType.DoCalcReserveFee(o), 7.6f);
    m_oType.m_eMotorType = MotorType::Motorcycle; // "Motorbike" in the reserve name
    EXPECT_FLOAT_EQ(m_oType.DoCalcReserveFee(o), 5.f);
    // Parts are sold like a standard auction but carry no final value fee.
    m_oType.m_eMotorType = MotorType::Parts;
    EXPECT_FLOAT_EQ(m_oType.DoCalcListingFee(o), 0.5f);
    EXPECT_FLOAT_EQ(m_oType.DoCalcReserveFee(o), 2.f); // band 2 is an amount on US
    EXPECT_FLOAT_EQ(m_oType.DoCalcFinalValueFee(o), 0.f);
}

TEST_F(AuctionTypeUS, ReserveBandsCapAndShops) {
    EXPECT_FLOAT_EQ(m_oType.DoCalcReserveFee(Outlay(0, 20, 0, 1)), 1.f);
    EXPECT_FLOAT_EQ(m_oType.DoCalcReserveFee(Outlay(0, 100, 0, 1)), 2.f);   // band 2 is an amount
    EXPECT_FLOAT_EQ(m_oType.DoCalcReserveFee(Outlay(0, 6000, 0, 1)), 50.f); // 100 % capped
    EXPECT_FLOAT_EQ(m_oType.DoCalcReserveFee(Outlay(0, 100, 0, 3)), 0.f);
    m_oType.m_bShopInventory = true;
    EXPECT_FLOAT_EQ(m_oType.DoCalcReserveFee(Outlay(0, 20, 0, 1)), 0.f);
}

TEST_F(AuctionTypeUS, RealEstateAndBusiness) {
    m_oType.m_eAuctionType = AuctionType::RealEstate;
    m_oType.m_eRealEstateType = RealEstateType::AllOther;
    m_oType.m_eRealEstateSaleFormat = RealEstateSaleFormat::Ad30Day;
    m_oType.m_bRealEstateBinding = true;
    const clsOutlay o = Outlay(0, 1000, 150000, 1);
    EXPECT_FLOAT_EQ(m_oType.DoCalcListingFee(o), 150.f);
    EXPECT_FLOAT_EQ(m_oType.DoCalcFinalValueFee(o), 0.f); // an ad is never binding
    EXPECT_FLOAT_EQ(m_oType.DoCalcReserveFee(o), 10.f);   // 1 % of 1000
    EXPECT_FLOAT_EQ(m_oType.DoCalcReserveFee(Outlay(0, 1e6f, 0, 1)), 50.f);
    EXPECT_FLOAT_EQ(m_oType.DoCalcReserveFee(Outlay(0, 0, 0, 1)), 0.f);
    m_oType.m_eRealEstateSaleFormat = RealEstateSaleFormat::Auction30Day;
    EXPECT_FLOAT_EQ(m_oType.DoCalcFinalValueFee(o), 36.f);
    m_oType.m_eRealEstateType = RealEstateType::TimeshareLand;
    EXPECT_FLOAT_EQ(m_oType.DoCalcFinalValueFee(o), 35.f);
    m_oType.m_bRealEstateBinding = false;
    EXPECT_FLOAT_EQ(m_oType.DoCalcFinalValueFee(o), 0.f);

    m_oType.m_eAuctionType = AuctionType::Business;
    EXPECT_FLOAT_EQ(m_oType.DoCalcListingFee(o), 20.f);
    EXPECT_FLOAT_EQ(m_oType.DoCalcReserveFee(Outlay(0, 0, 0, 1)), 5.f);
    EXPECT_FLOAT_EQ(m_oType.DoCalcFinalValueFee(Outlay(0, 0, 10000, 3)), 100.f);
    EXPECT_FLOAT_EQ(m_oType.DoCalcFinalValueFee(Outlay(0, 0, 1000, 3)), 20.f);
}

} // namespace
