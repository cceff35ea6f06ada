#include "TestSupport.h"

#include "clsAuctionType.h"
#include "clsError.h"
#include "clsOutlay.h"
#include "clsPrices.h"
#include "clsSellingFeatures.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kPrices = R"(FeatureBold,0.1
FeatureGallery,0.15
FeatureListIn2Categories,2
FeatureHomePage,50
FeatureHomePageMulti,80
FeatureScheduledListings,0.12
FeatureExtraImage,0.12
FeatureBold30,0.25
FeatureBold60,0.5
FeatureHighlight,-1
FeatureBuyItNowRanges,2
FeatureBuyItNowRangeStart1,0.99
FeatureBuyItNowRangeEnd1,4.99
FeatureBuyItNowRangeValue1,0.05
FeatureBuyItNowRangeStart2,5
FeatureBuyItNowRangeEnd2,-1
FeatureBuyItNowRangeValue2,0.25
FeaturePicturePackRanges,2
FeaturePicturePackRangeStart1,1
FeaturePicturePackRangeEnd1,6
FeaturePicturePackRangeValue1,0.9
FeaturePicturePackRangeStart2,7
FeaturePicturePackRangeEnd2,12
FeaturePicturePackRangeValue2,1.35
FeatureMotorPoketBikesBold,3
FeatureMotorBold,4
FeatureMotorPartsBold,5
FeatureRealEstateBold,6
)";

class SellingFeatures : public ::testing::Test {
protected:
    void SetUp() override {
        m_oType.m_eShopDuration = ShopDuration::None;
        m_oOutlay.m_lQuantity = 1;
    }
    float Total() { return m_oFeatures.DoCalc(&m_oType, &m_oOutlay); }

    ScopedPrices m_oPrices{kPrices};
    clsAuctionType m_oType;
    clsOutlay m_oOutlay;
    clsSellingFeatures m_oFeatures;
};

TEST_F(SellingFeatures, BitSet) {
    m_oFeatures.AddFeature(SellingFeature::Bold);
    EXPECT_FALSE(m_oFeatures.HasFeature(SellingFeature::Bold | SellingFeature::Gallery));
    m_oFeatures.SetFeature(SellingFeature::Gallery, true);
    EXPECT_TRUE(m_oFeatures.HasFeature(48));
    m_oFeatures.RemoveFeature(SellingFeature::Highlight); // not chosen: no change
    EXPECT_EQ(m_oFeatures.Features(), 48);
    m_oFeatures.SetFeature(SellingFeature::Bold, false);
    EXPECT_EQ(m_oFeatures.Features(), 32);
    m_oFeatures.RemoveFeature(48); // only part of it chosen: no change
    EXPECT_EQ(m_oFeatures.Features(), 32);
}

TEST_F(SellingFeatures, MultiplierThenHomePageAndSchedule) {
    m_oFeatures.AddFeature(SellingFeature::Bold | SellingFeature::Gallery |
                           SellingFeature::ListIn2Categories | SellingFeature::HomePageFeatured);
    EXPECT_FLOAT_EQ(Total(), (0.1f + 0.15f) * 2 + 50);
    m_oFeatures.AddFeature(SellingFeature::ScheduledListing);
    EXPECT_FLOAT_EQ(Total(), (0.1f + 0.15f) * 2 + 50 + 0.12f);
    m_oOutlay.m_lQuantity = 3; // the multi-item home page price is a US price
    EXPECT_FLOAT_EQ(Total(), (0.1f + 0.15f) * 2 + 50 + 0.12f);
}

TEST_F(SellingFeatures, PicturesAndPicturePack) {
    m_oFeatures.m_lPicturePackQty = 3;
    EXPECT_FLOAT_EQ(Total(), 0.36f);
    // The pack's price replaces the per-picture charge.
    m_oFeatures.AddFeature(SellingFeature::PicturePack);
    EXPECT_FLOAT_EQ(Total(), 0.9f);
    m_oFeatures.m_lPicturePackQty = 8;
    EXPECT_FLOAT_EQ(Total(), 1.35f);
    m_oFeatures.m_lPicturePackQty = 20; // beyond every band: nothing
    EXPECT_FLOAT_EQ(Total(), 0.f);
}

TEST_F(SellingFeatures, BuyItNowByPrice) {
    m_oFeatures.AddFeature(SellingFeature::BuyItNow);
    m_oOutlay.m_fEstimatedEndPrice = 3;
    EXPECT_FLOAT_EQ(Total(), 0.05f);
    m_oOutlay.m_fEstimatedEndPrice = 500;
    EXPECT_FLOAT_EQ(Total(), 0.25f);
    m_oOutlay.m_fEstimatedEndPrice = 0.5f;
    EXPECT_FLOAT_EQ(Total(), 0.f);
}

TEST_F(SellingFeatures, PricesFollowShopDurationAndArgumentsAreRemembered) {
    m_oFeatures.AddFeature(SellingFeature::Bold);
    EXPECT_FLOAT_EQ(Total(), 0.1f);
    EXPECT_FLOAT_EQ(m_oFeatures.m_fHighlight, -1.f); // negative: withdrawn from offer
    m_oType.m_bShopInventory = true;
    m_oType.m_eShopDuration = ShopDuration::Days60;
    EXPECT_FLOAT_EQ(Total(), 0.5f);
    m_oType.m_eShopDuration = ShopDuration::Days30;
    EXPECT_FLOAT_EQ(m_oFeatures.DoCalc(nullptr, nullptr), 0.25f);
    EXPECT_FLOAT_EQ(m_oFeatures.m_fBold, 0.25f);
    EXPECT_FLOAT_EQ(m_oFeatures.m_fHighlight, -1.f); // no shop price: the last one stays
    EXPECT_FLOAT_EQ(m_oFeatures.m_fBuyItNow, 0.f);
    // Not a shop listing: the plain price, whatever duration the auction still carries (30
    // days is the default before any panel has written None).
    m_oType.m_bShopInventory = false;
    EXPECT_FLOAT_EQ(m_oFeatures.DoCalc(nullptr, nullptr), 0.1f);
    m_oType.m_eShopDuration = ShopDuration::Days60;
    EXPECT_FLOAT_EQ(m_oFeatures.DoCalc(nullptr, nullptr), 0.1f);
}

TEST_F(SellingFeatures, PicturePackPricedByShopDurationOnlyInAShop) {
    ScopedPrices oPrices(std::string(kPrices) + R"(FeaturePicturePack60Ranges,1
FeaturePicturePack60RangeStart1,1
FeaturePicturePack60RangeEnd1,12
FeaturePicturePack60RangeValue1,2.5
)");
    m_oFeatures.AddFeature(SellingFeature::PicturePack);
    m_oFeatures.m_lPicturePackQty = 3;
    m_oType.m_eShopDuration = ShopDuration::Days60;
    EXPECT_FLOAT_EQ(Total(), 0.9f);
    m_oType.m_bShopInventory = true;
    EXPECT_FLOAT_EQ(Total(), 2.5f);
}

// On both shipped files every scalar upgrade of a sale that is not a shop listing reads the
// plain price, and of a 60-day shop listing the "60" price: a standard auction with Bold at
// the default duration pays "FeatureBold", a 60-day shop listing "FeatureBold60".
TEST(ShippedUpgradePrices, ShopSuffixOnlyForShopListings) {
    for (int32_t eRegion : {RegionUK, RegionUS}) {
        SCOPED_TRACE(eRegion);
        auto oShipped = ScopedPrices::Shipped(eRegion);
        const clsPrices& oPrices = GetPrices();
        clsAuctionType oType; // as created: 30 days, no shop
        clsOutlay oOutlay;
        oOutlay.m_lQuantity = 1;
        clsSellingFeatures oFeatures;
        oFeatures.AddFeature(SellingFeature::Bold);

        float fBold = 0, fBold60 = 0;
        ASSERT_TRUE(oPrices.GetPrice("FeatureBold", fBold, ShopDuration::None));
        ASSERT_TRUE(oPrices.GetPrice("FeatureBold", fBold60, ShopDuration::Days60));
        EXPECT_FLOAT_EQ(oFeatures.DoCalc(&oType, &oOutlay), fBold);
        oType.m_bShopInventory = true;
        oType.m_eShopDuration = ShopDuration::Days60;
        EXPECT_FLOAT_EQ(oFeatures.DoCalc(&oType, &oOutlay), fBold60);

        const struct {
            const char* m_sName;
            const float clsSellingFeatures::*m_pfPrice;
        } aoPrices[] = {
            {"FeatureHomePage", &clsSellingFeatures::m_fHomePageFeatures},
            {"FeaturePlus", &clsSellingFeatures::m_fFeaturePlus},
            {"FeatureHighlight", &clsSellingFeatures::m_fHighlight},
            {"FeatureItemSubtitle", &clsSellingFeatures::m_fItemSubtitle},
            {"FeatureBold", &clsSellingFeatures::m_fBold},
            {"FeatureGallery", &clsSellingFeatures::m_fGallery},
            {"FeatureFeaturedGallery", &clsSellingFeatures::m_fFeaturedGallery},
        };
        for (ShopDuration eShop : {ShopDuration::Days30, ShopDuration::Days60,
                                   ShopDuration::GoodTilCancelled, ShopDuration::None}) {
            for (bool bShop : {false, true}) {
                oType.m_bShopInventory = bShop;
                oType.m_eShopDuration = eShop;
                oFeatures.DoCalc(&oType, &oOutlay);
                for (const auto& o : aoPrices) {
                    float fExpected = 0;
                    ASSERT_TRUE(
                        oPrices.GetPrice(o.m_sName, fExpected, bShop ? eShop : ShopDuration::None));
                    EXPECT_FLOAT_EQ(oFeatures.*o.m_pfPrice, fExpected)
                        << o.m_sName << " shop " << bShop << " duration " << int(eShop);
                }
            }
        }
    }
}

TEST_F(SellingFeatures, NoAuctionTypeIsAnObjectError) {
    clsSellingFeatures oFresh;
    try {
        oFresh.DoCalc(nullptr, &m_oOutlay);
        FAIL();
    } catch (const clsError& e) {
        EXPECT_EQ(e.Number(), ErrNumber::ObjectNotSet);
    }
}

TEST_F(SellingFeatures, UsPrefixesByKindOfSale) {
    SetRegion(RegionUS);
    m_oFeatures.AddFeature(SellingFeature::Bold);
    EXPECT_FLOAT_EQ(Total(), 0.1f);
    m_oType.m_eAuctionType = AuctionType::Motor;
    EXPECT_FLOAT_EQ(Total(), 4.f);
    m_oType.m_eMotorType = MotorType::PocketBikes;
    EXPECT_FLOAT_EQ(Total(), 3.f);
    m_oType.m_eMotorType = MotorType::Parts;
    EXPECT_FLOAT_EQ(Total(), 5.f);
    m_oType.m_eAuctionType = AuctionType::RealEstate;
    EXPECT_FLOAT_EQ(Total(), 6.f);
    m_oType.m_eAuctionType = AuctionType::Business;
    EXPECT_FLOAT_EQ(Total(), 0.1f);
    m_oType.m_eAuctionType = AuctionType::Standard;
    m_oFeatures.AddFeature(SellingFeature::HomePageFeatured);
    m_oOutlay.m_lQuantity = 2;
    EXPECT_FLOAT_EQ(Total(), 80.1f);

    SetRegion(RegionUK); // the UK site has one prefix for every kind of sale
    m_oType.m_eAuctionType = AuctionType::Motor;
    EXPECT_FLOAT_EQ(Total(), 50.1f);
}

} // namespace
