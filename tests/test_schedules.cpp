// The shipped price files: every name the fee rules ask for is there, every kind of sale
// calculates, and known figures come out as published.
#include "TestSupport.h"

#include "clsCalculate.h"
#include "clsSellingCostFigures.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const std::vector<std::string> kShopSuffixes = {"30", "90", "GTC", "60", "120"};

void ExpectScalar(const std::string& sName) {
    float f = 0;
    EXPECT_TRUE(GetPrices().GetPrice(sName, f)) << sName;
}

void ExpectText(const std::string& sName) {
    std::string s;
    EXPECT_TRUE(GetPrices().GetData(sName, s) && !s.empty()) << sName;
}

void ExpectRange(const std::string& sName) {
    clsPriceRange o;
    ASSERT_TRUE(GetPrices().GetRange(sName, 1, o, ShopDuration::None)) << sName;
    EXPECT_GT(o.m_nCount, 0) << sName;
    for (int16_t n = 1; n <= o.m_nCount; ++n) {
        clsPriceRange oBand;
        GetPrices().GetRange(sName, n, oBand, ShopDuration::None);
        EXPECT_TRUE(oBand.m_fEnd == -1 || oBand.m_fEnd >= oBand.m_fStart) << sName << n;
    }
}

void ExpectFeatures(const std::string& sPrefix, bool bWithShops) {
    std::vector<std::string> asSuffixes = {""};
    if (bWithShops) asSuffixes.insert(asSuffixes.end(), kShopSuffixes.begin(), kShopSuffixes.end());
    for (const std::string& sSuffix : asSuffixes) {
        for (const std::string_view sPiece : clsSellingFeatures::PricePieces())
            ExpectScalar(sPrefix + std::string(sPiece) + sSuffix);
        ExpectRange(sPrefix + "PicturePack" + sSuffix);
    }
    ExpectRange(sPrefix + "BuyItNow");
}

void ExpectCommonNames() {
    for (const char* s :
         {"Opening", "OpeningMulti", "OpeningFixed", "Reserve", "Final", "ShopFinal",
          "BusinessRatePounds%", "BusinessRatePoundsFixed", "PicturePack"})
        ExpectRange(s);
    for (const std::string& s : kShopSuffixes) {
        ExpectScalar("ShopInsertionFee" + s);
        ExpectScalar("ShopInsertionSurcharge" + s);
    }
    for (const char* s : {"PersonalRatePounds%", "PersonalRatePoundsFixed", "ReserveEnterMin"})
        ExpectScalar(s);
    for (int n = 1; n <= 5; ++n) {
        ExpectText("BusinessRateBand" + std::to_string(n) + "Name");
        ExpectScalar("BusinessRateBand" + std::to_string(n) + "Value");
    }
    for (const char* s : {"CurrencySymbol", "CurrencyFormat", "UsePostTitle"})
        ExpectText(s);
}

TEST(ShippedPrices, UkFileHasEveryUkName) {
    auto o = ScopedPrices::Shipped(RegionUK);
    ExpectCommonNames();
    ExpectFeatures("Feature", true);
    for (const char* s : {"FinalMotor", "FirstClass", "SecondClass", "Parcel"})
        ExpectRange(s);
    for (const char* s :
         {"AuctionTypeMotor", "AuctionTypeRealEstate", "ReserveMotor", "ReserveRealEstate",
          "FinalRealEstate", "FirstClassOverWeightStep", "FirstClassOverWeightStepValue",
          "RecordedSignedFor", "ProofOfDelivery", "LocalTax"})
        ExpectScalar(s);
    for (int n = 1; n <= 4; ++n) {
        ExpectScalar("InsuranceBandValue" + std::to_string(n));
        ExpectText("InsuranceBandName" + std::to_string(n));
    }
    EXPECT_EQ(FormatCurrency(12.5f), "£12.50");
}

TEST(ShippedPrices, UsFileHasEveryUsName) {
    auto o = ScopedPrices::Shipped(RegionUS);
    ExpectCommonNames();
    ExpectFeatures("Feature", true);
    for (const char* s :
         {"FeatureMotor", "FeatureMotorPoketBikes", "FeatureMotorParts", "FeatureRealEstate"})
        ExpectFeatures(s, true); // the default duration of 30 days reaches every kind of sale
    ExpectRange("ReserveRealEstate");
    for (const char* s : {"Passenger", "Motorcycle", "Powersports", "PocketBikes", "Other"}) {
        ExpectScalar(std::string("AuctionTypeMotor") + s);
        ExpectScalar(std::string("TransactionFeeMotor") + s);
    }
    for (const char* s : {"Passenger", "Motorbike", "Powersports", "PocketBikes", "Other"})
        ExpectScalar(std::string("ReserveMotor") + s);
    for (const char* sType : {"Timeshare", "Other"})
        for (const char* sFormat : {"Auction10", "Auction30", "Ad30", "Ad90"})
            ExpectScalar(std::string("AuctionTypeRealEstate") + sType + sFormat);
    for (const char* s :
         {"ReserveMax", "ReserveRealEstateMax", "AuctionTypeBusiness", "ReserveBusiness",
          "FinalBusiness", "FinalBusinessMax", "FinalRealEstateTimeshare", "FinalRealEstateOther"})
        ExpectScalar(s);
    EXPECT_EQ(FormatCurrency(12.5f), "$12.50");
}

// Every kind of sale, with every upgrade chosen, calculates on the region's own file.
void CalculateEveryKindOfSale() {
    int nCalculated = 0;
    for (int32_t eType = 0; eType <= 3; ++eType)
        for (int32_t eMotor = 0; eMotor <= 5; ++eMotor)
            for (int32_t eFormat = 0; eFormat <= 3; ++eFormat)
                for (int32_t eShop = 0; eShop <= 5; ++eShop)
                    for (int32_t lQuantity : {0, 1, 3})
                        for (bool bFixed : {false, true}) {
                            clsCalculate o;
                            o.m_oAuctionType.m_eAuctionType = AuctionType(eType);
                            o.m_oAuctionType.m_eMotorType = MotorType(eMotor);
                            o.m_oAuctionType.m_eRealEstateType = RealEstateType(eFormat % 2);
                            o.m_oAuctionType.m_eRealEstateSaleFormat =
                                RealEstateSaleFormat(eFormat);
                            o.m_oAuctionType.m_bRealEstateBinding = true;
                            o.m_oAuctionType.m_bShopInventory = eShop != 3;
                            o.m_oAuctionType.m_eShopDuration = ShopDuration(eShop);
                            o.m_oAuctionType.m_bBuyItNowOnly = bFixed;
                            o.m_oOutlay.m_fOutlay = 10;
                            o.m_oOutlay.m_fStartingPrice = 9.99f;
                            o.m_oOutlay.m_fReservePrice = 60;
                            o.m_oOutlay.m_fEstimatedEndPrice = 75;
                            o.m_oOutlay.m_lQuantity = lQuantity;
                            o.m_oSellingFeatures.AddFeature(0x1FFFFF);
                            o.m_oSellingFeatures.m_lPicturePackQty = 4;
                            o.m_oPayPal.m_bUsePayPal = true;
                            o.m_oPayPal.m_eAccoutType = AccountType(eMotor % 3);
                            o.m_oPayPal.m_eBusinessRate = 1 + eShop % 5;
                            o.m_oPostage.m_bUse = true;
                            o.m_oPostage.m_fWeight = 0.75f * eFormat;
                            o.m_oPostage.m_eClass = PostageClass(eFormat);
                            ASSERT_NO_THROW(o.DoCalc())
                                << eType << ' ' << eMotor << ' ' << eFormat << ' ' << eShop;
                            ++nCalculated;
                        }
    EXPECT_EQ(nCalculated, 4 * 6 * 4 * 6 * 3 * 2);
}

TEST(ShippedPrices, EveryUkSaleCalculates) {
    auto o = ScopedPrices::Shipped(RegionUK);
    CalculateEveryKindOfSale();
}

TEST(ShippedPrices, EveryUsSaleCalculates) {
    auto o = ScopedPrices::Shipped(RegionUS);
    CalculateEveryKindOfSale();
}

clsCalculate& SingleItem(clsCalculate& o, float fPrice) {
    o.m_oAuctionType.m_eShopDuration = ShopDuration::None;
    o.m_oOutlay.m_fStartingPrice = fPrice;
    o.m_oOutlay.m_fEstimatedEndPrice = fPrice;
    o.m_oOutlay.m_lQuantity = 1;
    return o;
}

TEST(PublishedFigures, UsFinalValueFees2008) {
    auto o = ScopedPrices::Shipped(RegionUS);
    clsCalculate oSale;
    SingleItem(oSale, 25).DoCalc();
    EXPECT_EQ(FormatCurrency(oSale.m_fFinalValueFee), "$2.19");
    SingleItem(oSale, 1000).DoCalc();
    // 8.75 % of the first $25 and 3.5 % of the rest up to $1,000.
    EXPECT_EQ(FormatCurrency(oSale.m_fFinalValueFee), "$36.31");
    EXPECT_EQ(FormatCurrency(oSale.m_fFinalValueFee - 2.1875f), "$34.13");
}

TEST(PublishedFigures, UkBuyItNowItemAt199ListsFor15p) {
    auto o = ScopedPrices::Shipped(RegionUK);
    clsCalculate oSale;
    SingleItem(oSale, 1.99f).m_oAuctionType.m_bBuyItNowOnly = true;
    oSale.DoCalc();
    EXPECT_EQ(FormatCurrency(oSale.m_fListingCost), "£0.15");
}

TEST(PublishedFigures, UkSingleItemAuctionWorkedByHand) {
    auto o = ScopedPrices::Shipped(RegionUK);
    clsCalculate oSale;
    SingleItem(oSale, 9.99f);
    oSale.m_oOutlay.m_fOutlay = 40;
    oSale.m_oOutlay.m_fReservePrice = 75;
    oSale.m_oOutlay.m_fEstimatedEndPrice = 120;
    oSale.m_oSellingFeatures.AddFeature(SellingFeature::Bold | SellingFeature::Gallery);
    oSale.m_oPayPal.m_bUsePayPal = true;
    oSale.m_oPostage.m_bUse = true;
    oSale.m_oPostage.m_fWeight = 0.5f;
    oSale.m_oPostage.m_bRecorded = true;
    oSale.m_oPostage.m_bMakeProfit = true;
    oSale.m_oPostage.m_fProfit = 1.5f;
    oSale.DoCalc();
    const clsSellingCostFigures oFigures(oSale);
    EXPECT_EQ(FormatCurrency(oFigures.m_fInsertionFee), "£1.50");  // by the reserve of 75
    EXPECT_EQ(FormatCurrency(oFigures.m_fReserveFee), "£1.50");    // 2 % of 75
    EXPECT_EQ(FormatCurrency(oFigures.m_fFinalValueFee), "£6.30"); // 7.5 % of 30 + 4.5 % of 90
    EXPECT_EQ(FormatCurrency(oFigures.m_fTotalListingFee), "£2.40");
    EXPECT_EQ(FormatCurrency(oFigures.m_fPostage), "£2.66");   // 1.94 + 0.72 recorded
    EXPECT_EQ(FormatCurrency(oFigures.m_fPayPalFee), "£4.42"); // 3.4 % of 124.16 + 0.20
    EXPECT_EQ(FormatCurrency(oFigures.m_fSellingCost), "£54.62");
    EXPECT_EQ(oFigures.ProfitText(), "£66.88 (122%)");
}

TEST(PublishedFigures, UkPostageAboveOneKilogram) {
    auto o = ScopedPrices::Shipped(RegionUK);
    clsPostage oPostage;
    oPostage.m_fWeight = 1.25f;
    EXPECT_FLOAT_EQ(oPostage.DoCalcOnWeight(PostageClass::FirstClass), 3.08f + 0.70f);
    oPostage.m_fWeight = 2;
    EXPECT_FLOAT_EQ(oPostage.DoCalcOnWeight(PostageClass::FirstClass), 3.08f + 4 * 0.70f);
    EXPECT_FALSE(oPostage.CanHaveClass(PostageClass::SecondClass)); // none above 1 kg
}

} // namespace
