#include "TestSupport.h"

#include "clsCalculate.h"
#include "clsError.h"
#include "clsSellingCostFigures.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr const char* kPrices = R"(OpeningRanges,1
OpeningRangeStart1,0
OpeningRangeEnd1,-1
OpeningRangeValue1,1
OpeningMultiRanges,1
OpeningMultiRangeStart1,0
OpeningMultiRangeEnd1,-1
OpeningMultiRangeValue1,2
ReserveRanges,1
ReserveRangeStart1,0
ReserveRangeEnd1,-1
ReserveRangeValue1,0.5
FinalRanges,1
FinalRangeStart1,0
FinalRangeEnd1,-1
FinalRangeValue1,10
FeatureBold,0.25
FeatureBuyItNowRanges,0
FeaturePicturePackRanges,0
PersonalRatePounds%,4
PersonalRatePoundsFixed,0.2
CurrencyFormat,0.00
SecondClassRanges,1
SecondClassRangeStart1,0
SecondClassRangeEnd1,-1
SecondClassRangeValue1,3
InsuranceBandValue1,0
)";

class Calculate : public ::testing::Test {
protected:
    void SetUp() override {
        m_oAuction.m_oAuctionType.m_eShopDuration = ShopDuration::None;
        m_oAuction.m_oOutlay.m_fOutlay = 20;
        m_oAuction.m_oOutlay.m_fEstimatedEndPrice = 50;
        m_oAuction.m_oOutlay.m_lQuantity = 1;
    }
    // Bold, PayPal, and second class postage with a mark-up of 1.
    void UseBoldPayPalAndPostage() {
        m_oAuction.m_oSellingFeatures.AddFeature(SellingFeature::Bold);
        m_oAuction.m_oPayPal.m_bUsePayPal = true;
        m_oAuction.m_oPostage.m_bUse = true;
        m_oAuction.m_oPostage.m_eClass = PostageClass::SecondClass;
        m_oAuction.m_oPostage.m_bMakeProfit = true;
        m_oAuction.m_oPostage.m_fProfit = 1;
    }
    ScopedPrices m_oPrices{kPrices};
    clsCalculate m_oAuction;
};

TEST_F(Calculate, ProfitIsPriceLessFeesWithoutExtras) {
    m_oAuction.m_oOutlay.m_fOutlay = 0;
    m_oAuction.DoCalc();
    EXPECT_FLOAT_EQ(m_oAuction.m_fListingCost, 1.f);
    EXPECT_FLOAT_EQ(m_oAuction.m_fReserveCost, 0.5f);
    EXPECT_FLOAT_EQ(m_oAuction.m_fFinalValueFee, 5.f);
    EXPECT_FLOAT_EQ(m_oAuction.m_fSellCost, 6.5f);
    EXPECT_FLOAT_EQ(m_oAuction.m_fProfit, 50 - 6.5f);
}

TEST_F(Calculate, PayPalIsTakenOnThePaymentWithPostage) {
    UseBoldPayPalAndPostage();
    m_oAuction.DoCalc();
    const float fIncome = 50 + 3 + 1;
    EXPECT_FLOAT_EQ(m_oAuction.m_fPostageCost, 3.f);
    EXPECT_FLOAT_EQ(m_oAuction.m_fPostageProfit, 1.f);
    EXPECT_FLOAT_EQ(m_oAuction.m_fPayPayCost, 2.36f); // 4 % of 54 + 0.20
    EXPECT_FLOAT_EQ(m_oAuction.m_fSellCost, 20 + 6.5f + 0.25f + 2.36f);
    EXPECT_FLOAT_EQ(m_oAuction.m_fProfit, fIncome - (m_oAuction.m_fSellCost + 3));

    const clsSellingCostFigures oFigures(m_oAuction);
    EXPECT_FLOAT_EQ(oFigures.m_fTotalListingFee, 1.25f);
    EXPECT_EQ(oFigures.m_lProfitPercent, 75); // 21.89 on 29.11
    EXPECT_EQ(oFigures.ProfitText(), "£21.89 (75%)");
}

TEST_F(Calculate, QuantityZeroShowsNoFinalValueFeeButStillCountsIt) {
    m_oAuction.m_oOutlay.m_lQuantity = 0;
    m_oAuction.m_oPostage.m_bUse = true;
    m_oAuction.m_oPostage.m_eClass = PostageClass::SecondClass;
    m_oAuction.DoCalc();
    EXPECT_FLOAT_EQ(m_oAuction.m_fFinalValueFee, 0.f);
    // The kind-of-sale total is worked out afresh: the final value fee for no items is 0.
    EXPECT_FLOAT_EQ(m_oAuction.m_fSellCost, 2.5f);
    EXPECT_FLOAT_EQ(m_oAuction.m_fProfit, 3 - (2.5f + 3)); // income is the postage alone
}

TEST_F(Calculate, FailedStepKeepsEarlierFiguresAndLaterOnesFromBefore) {
    m_oAuction.DoCalc();
    m_oAuction.m_fPostageCost = 42;
    m_oAuction.m_oSellingFeatures.AddFeature(SellingFeature::BuyItNow);
    m_oAuction.m_oOutlay.m_fEstimatedEndPrice = 70;
    // A table without the Buy It Now range: the upgrades step fails.
    std::string sBroken = kPrices;
    sBroken.replace(sBroken.find("FeatureBuyItNowRanges,0"), 23, "x,1");
    ScopedPrices oBroken(sBroken);
    EXPECT_THROW(m_oAuction.DoCalc(), clsError);
    EXPECT_FLOAT_EQ(m_oAuction.m_fFinalValueFee, 7.f); // assigned before the failure
    EXPECT_FLOAT_EQ(m_oAuction.m_fPostageCost, 42.f);  // never reached
}

// Prices are looked up once per table: a table reloaded in place, or another put in force,
// answers the next calculation, and a failed reload leaves the table and its answers as they
// were.
TEST_F(Calculate, EveryCalculationAnswersWithTheTableInForce) {
    UseBoldPayPalAndPostage();
    std::string sOther = kPrices;
    for (const auto& [sFrom, sTo] :
         {std::pair<std::string, std::string>{"FeatureBold,0.25", "FeatureBold,1.25"},
          {"FinalRangeValue1,10", "FinalRangeValue1,20"},
          {"Pounds%,4", "Pounds%,6"},
          {"Fixed,0.2", "Fixed,0.24"},
          {"CurrencyFormat,0.00", "CurrencyFormat,0.0"},
          {"SecondClassRangeValue1,3", "SecondClassRangeValue1,4"}}) {
        const size_t nAt = sOther.find(sFrom);
        ASSERT_NE(nAt, std::string::npos) << sFrom;
        sOther.replace(nAt, sFrom.size(), sTo);
    }
    auto Figures = [this] {
        m_oAuction.DoCalc();
        return std::vector<float>{m_oAuction.m_fFinalValueFee, m_oAuction.m_fPostageCost,
                                  m_oAuction.m_fPayPayCost, m_oAuction.m_fSellCost};
    };
    // 4 % of 54 + 0.20; then 6 % of 55 + 0.24 = 3.54, to the tenth the format now shows.
    const std::vector<float> afFirst = {5, 3, 2.36f, 20 + 6.5f + 0.25f + 2.36f};
    const std::vector<float> afOther = {10, 4, 3.5f, 20 + 11.5f + 1.25f + 3.5f};
    auto oTable = std::make_unique<clsPrices>();
    clsPrices& oInForce = *oTable;
    oTable->LoadPriceText(kPrices);
    SetPrices(std::move(oTable));
    EXPECT_EQ(Figures(), afFirst);
    oInForce.LoadPriceText(sOther);
    EXPECT_EQ(Figures(), afOther);
    EXPECT_THROW(oInForce.LoadPriceText(std::string(kPrices) + "featurebold,9\n"), clsError);
    EXPECT_EQ(Figures(), afOther);
    { // Put in force the way the command-line calculator and the tests do it.
        ScopedPrices oFirst(kPrices);
        EXPECT_EQ(Figures(), afFirst);
    }
    ScopedPrices oOther(sOther);
    EXPECT_EQ(Figures(), afOther);
}

TEST_F(Calculate, DirtyFlags) {
    EXPECT_FALSE(m_oAuction.IsDirty());
    m_oAuction.m_oPostage.m_bDirty = true;
    EXPECT_TRUE(m_oAuction.IsDirty());
    m_oAuction.SetDirty(false);
    EXPECT_FALSE(m_oAuction.IsDirty());
    m_oAuction.SetDirty(true);
    EXPECT_TRUE(m_oAuction.m_oSellingFeatures.m_bDirty && m_oAuction.m_oAuctionType.m_bDirty);
}

TEST(SharedAuctions, NamedAndDistinct) {
    EXPECT_EQ(GetWorkingDoc().m_sName, "Working Doc");
    EXPECT_EQ(GetDefaultAuction().m_sName, "Default Auction");
    EXPECT_EQ(&GetWorkingDoc(), &GetWorkingDoc());
    EXPECT_NE(&GetWorkingDoc(), &GetDefaultAuction());
}

TEST(SellingCostFigures, PercentageOnlyForProfitOnACost) {
    EXPECT_EQ(clsSellingCostFigures::ProfitPercent(10, 30), 33);
    EXPECT_EQ(clsSellingCostFigures::ProfitPercent(0.5f, 300), 0);
    EXPECT_EQ(clsSellingCostFigures::ProfitPercent(12.5f, 50), 25);
    EXPECT_FALSE(clsSellingCostFigures::ProfitPercent(-5, 30));
    EXPECT_FALSE(clsSellingCostFigures::ProfitPercent(5, 0));
    EXPECT_FALSE(clsSellingCostFigures::ProfitPercent(0, 10));
}

} // namespace
