// The shipped price files: every name the fee rules ask for is there, every kind of sale
// calculates, and known figures come out as published.
#include "TestSupport.h"

#include "clsCalculate.h"
#include "clsRequiredPrices.h"
#include "clsSellingCostFigures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

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

// Every name the region's fee rules ask for (the one list the price update and the start-up
// check use too) is in the shipped file, as a number, a text or a range of ordered bands.
void ExpectEveryRequiredName(int32_t eRegion) {
    for (const clsRequiredPrice& oPrice : RequiredPrices(eRegion)) {
        switch (oPrice.m_eKind) {
        case clsRequiredPrice::Kind::Number:
            ExpectScalar(oPrice.m_sName);
            break;
        case clsRequiredPrice::Kind::Text:
            ExpectText(oPrice.m_sName);
            break;
        case clsRequiredPrice::Kind::Range:
            ExpectRange(oPrice.m_sName);
            break;
        }
    }
    const clsPriceCheck oCheck = CheckRequiredPrices(GetPrices(), eRegion);
    EXPECT_TRUE(oCheck.Passed()) << oCheck.Describe(20);
}

// Names the list must hold, whatever else it holds: a few of each kind.
void ExpectListed(int32_t eRegion, const std::vector<std::string>& asNames) {
    for (const std::string& sName : asNames)
        EXPECT_TRUE(std::any_of(RequiredPrices(eRegion).begin(), RequiredPrices(eRegion).end(),
                                [&](const clsRequiredPrice& o) { return o.m_sName == sName; }))
            << sName;
}

TEST(ShippedPrices, UkFileHasEveryUkName) {
    auto o = ScopedPrices::Shipped(RegionUK);
    ExpectEveryRequiredName(RegionUK);
    ExpectListed(RegionUK, {"Opening", "ShopInsertionFeeGTC", "BusinessRateBand5Name",
                            "FeatureBold120", "FeaturePicturePack", "FeatureBuyItNow", "FinalMotor",
                            "Parcel", "LocalTax", "InsuranceBandName4", "CurrencyFormat"});
    EXPECT_EQ(FormatCurrency(12.5f), "£12.50");
}

TEST(ShippedPrices, UsFileHasEveryUsName) {
    auto o = ScopedPrices::Shipped(RegionUS);
    ExpectEveryRequiredName(RegionUS);
    ExpectListed(RegionUS,
                 {"FeatureMotorPoketBikesBuyItNow", "FeatureRealEstatePicturePack30",
                  "ReserveRealEstate", "TransactionFeeMotorOther", "ReserveMotorMotorbike",
                  "AuctionTypeRealEstateOtherAd90", "FinalRealEstateOther"});
    EXPECT_EQ(FormatCurrency(12.5f), "$12.50");
}

TEST(RequiredPrices, TheCheckNamesWhatIsMissingOrNotANumber) {
    // The shipped file with a scalar gone, a text gone, a band line unreadable and a band
    // gone: each is named, and nothing else.
    std::ifstream oFile(DataPath("UpdateUK_v0102.dat"), std::ios::binary);
    std::string sText((std::istreambuf_iterator<char>(oFile)), std::istreambuf_iterator<char>());
    auto Drop = [&sText](const std::string& sLineStart) {
        const size_t n = sText.find("\n" + sLineStart);
        ASSERT_NE(n, std::string::npos) << sLineStart;
        sText.erase(n + 1, sText.find('\n', n + 1) - n);
    };
    Drop("LocalTax,");
    Drop("UsePostTitle,");
    Drop("FinalRangeValue2,");
    Drop("ParcelRangeStart1,");
    Drop("ParcelRangeEnd1,");
    Drop("ParcelRangeValue1,");
    sText += "FinalRangeValue2,abc\r\n";
    ScopedPrices o(sText);
    const clsPriceCheck oCheck = CheckRequiredPrices(GetPrices(), RegionUK);
    EXPECT_EQ(oCheck.m_asMissing,
              (std::vector<std::string>{"UsePostTitle", "ParcelRangeStart1", "ParcelRangeEnd1",
                                        "ParcelRangeValue1", "LocalTax"}));
    EXPECT_EQ(oCheck.m_asNotNumeric, std::vector<std::string>{"FinalRangeValue2"});
    EXPECT_FALSE(oCheck.Passed());
    EXPECT_EQ(oCheck.Describe(3), "UsePostTitle, ParcelRangeStart1, ParcelRangeEnd1 and 3 more");

    // An HTML page served as the price file lacks nearly everything.
    ScopedPrices oPage("<html><head><title>Not found</title></head>\r\n<body>Sorry, the page "
                       "you asked for, is gone</body></html>\r\n");
    const clsPriceCheck oPageCheck = CheckRequiredPrices(GetPrices(), RegionUK);
    EXPECT_GT(oPageCheck.m_asMissing.size(), 100u);
    EXPECT_EQ(oPageCheck.m_asMissing.front(), "OpeningRanges");
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
