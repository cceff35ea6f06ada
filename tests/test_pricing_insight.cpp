// Break-even and target prices, cheaper-band hints and the money breakdown, each answer
// checked by running the auction forward at the price found.
#include "TestSupport.h"

#include "clsCalculate.h"
#include "clsError.h"
#include "clsFeeHints.h"
#include "clsMoneyBreakdown.h"
#include "clsPostage.h"
#include "clsPriceSearch.h"
#include "clsProfitCurve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <string>

namespace {

// Profit and selling cost of the auction at a price, on a fresh copy.
struct Forward {
    float fProfit;
    float fSellCost;
};
Forward RunAt(clsCalculate& oAuction, float fPrice) {
    clsCalculate oCopy;
    oCopy.Copy(oAuction);
    oCopy.m_oOutlay.m_fEstimatedEndPrice = fPrice;
    oCopy.DoCalc();
    return {oCopy.m_fProfit, oCopy.m_fSellCost};
}

float Penny(int64_t n) {
    return static_cast<float>(n / 100.0);
}

using Goal = std::function<bool(const Forward&)>;

Goal ProfitAtLeast(float fTarget) {
    return
        [fTarget](const Forward& o) { return o.fProfit >= fTarget - clsPriceSearch::kTolerance; };
}
Goal MarginAtLeast(float fPercent) {
    return [fPercent](const Forward& o) {
        return o.fProfit >= fPercent / 100.0 * o.fSellCost - clsPriceSearch::kTolerance;
    };
}

// The answer reaches the goal and no lower penny does: every penny from 0 for everyday
// prices, the 3000 below it for large ones.
void ExpectLeast(clsCalculate& oAuction, std::optional<float> ofPrice, const Goal& fnGoal,
                 const std::string& sCase) {
    ASSERT_TRUE(ofPrice.has_value()) << sCase;
    const int64_t nAnswer = std::llround(double(*ofPrice) * 100);
    EXPECT_TRUE(fnGoal(RunAt(oAuction, *ofPrice))) << sCase << " at " << *ofPrice;
    const int64_t nFrom = nAnswer <= 30000 ? 0 : nAnswer - 3000;
    for (int64_t n = nFrom; n < nAnswer; ++n)
        ASSERT_FALSE(fnGoal(RunAt(oAuction, Penny(n))))
            << sCase << ": " << Penny(n) << " reaches it below " << *ofPrice;
}

void SetUpSale(clsCalculate& o) {
    o.m_oAuctionType.m_eShopDuration = ShopDuration::None;
    o.m_oOutlay.m_fOutlay = 12;
    o.m_oOutlay.m_fStartingPrice = 0.99f;
    o.m_oOutlay.m_fEstimatedEndPrice = 20;
    o.m_oOutlay.m_lQuantity = 1;
}

// Variations a seller meets: PayPal bands, postage with a mark-up, several items, the
// picture pack, Buy It Now, fixed price.
std::vector<std::pair<std::string, std::function<void(clsCalculate&)>>> Variations() {
    return {
        {"plain", [](clsCalculate&) {}},
        {"PayPal personal", [](clsCalculate& o) { o.m_oPayPal.m_bUsePayPal = true; }},
        {"PayPal business band 3",
         [](clsCalculate& o) {
             o.m_oPayPal.m_bUsePayPal = true;
             o.m_oPayPal.m_eAccoutType = AccountType::Business;
             o.m_oPayPal.m_eBusinessRate = 3;
         }},
        {"postage with mark-up",
         [](clsCalculate& o) {
             o.m_oPayPal.m_bUsePayPal = true;
             o.m_oPostage.m_bUse = true;
             o.m_oPostage.m_eClass = PostageClass::FirstClass;
             o.m_oPostage.m_fWeight = 0.5f;
             o.m_oPostage.m_bMakeProfit = true;
             o.m_oPostage.m_fProfit = 1.5f;
         }},
        {"three items, tax, picture pack",
         [](clsCalculate& o) {
             o.m_oOutlay.m_lQuantity = 3;
             o.m_oOutlay.m_bAddTax = true;
             o.m_oPayPal.m_bUsePayPal = true;
             o.m_oSellingFeatures.AddFeature(SellingFeature::PicturePack | SellingFeature::Bold);
             o.m_oSellingFeatures.m_lPicturePackQty = 8;
         }},
        {"Buy It Now upgrade",
         [](clsCalculate& o) {
             o.m_oPayPal.m_bUsePayPal = true;
             o.m_oSellingFeatures.AddFeature(SellingFeature::BuyItNow);
         }},
        {"fixed price, two items",
         [](clsCalculate& o) {
             o.m_oAuctionType.m_bBuyItNowOnly = true;
             o.m_oOutlay.m_lQuantity = 2;
             o.m_oPayPal.m_bUsePayPal = true;
         }},
    };
}

class PriceSearchShipped : public ::testing::TestWithParam<int32_t> {};

TEST_P(PriceSearchShipped, EveryAnswerIsTheLeastPennyThatReaches) {
    const ScopedPrices oPrices = ScopedPrices::Shipped(GetParam());
    for (auto& [sName, fnSetUp] : Variations()) {
        for (const float fOutlay : {0.5f, 12.f, 180.f, 4321.f}) {
            clsCalculate oAuction;
            SetUpSale(oAuction);
            oAuction.m_oOutlay.m_fOutlay = fOutlay;
            fnSetUp(oAuction);
            const std::string sCase = sName + ", outlay " + std::to_string(fOutlay);
            clsPriceSearch oSearch(oAuction);
            ExpectLeast(oAuction, oSearch.BreakEvenPrice(), ProfitAtLeast(0), sCase);
            ExpectLeast(oAuction, oSearch.PriceForProfit(25), ProfitAtLeast(25), sCase + " +25");
            ExpectLeast(oAuction, oSearch.PriceForMargin(20), MarginAtLeast(20), sCase + " 20%");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Regions, PriceSearchShipped, ::testing::Values(RegionUK, RegionUS),
                         [](const auto& oInfo) { return oInfo.param == RegionUK ? "UK" : "US"; });

TEST(PriceSearch, MonotoneBreakEvenIsOnePennyAboveALoss) {
    const ScopedPrices oPrices = ScopedPrices::Shipped(RegionUK);
    clsCalculate oAuction;
    SetUpSale(oAuction);
    oAuction.m_oPayPal.m_bUsePayPal = true;
    clsPriceSearch oSearch(oAuction);
    const auto ofPrice = oSearch.BreakEvenPrice();
    ASSERT_TRUE(ofPrice);
    EXPECT_GE(RunAt(oAuction, *ofPrice).fProfit, -clsPriceSearch::kTolerance);
    EXPECT_LT(RunAt(oAuction, *ofPrice - 0.01f).fProfit, 0);
    EXPECT_GT(*ofPrice, 12);
    EXPECT_LT(*ofPrice, 14);
    EXPECT_LT(oSearch.Evaluations(), 120);
}

TEST(PriceSearch, CallersAuctionAndFiguresAreLeftAlone) {
    const ScopedPrices oPrices = ScopedPrices::Shipped(RegionUK);
    clsCalculate oAuction;
    SetUpSale(oAuction);
    oAuction.DoCalc();
    const float fProfit = oAuction.m_fProfit;
    std::string sBefore;
    oAuction.Serialize(sBefore, true);
    clsPriceSearch oSearch(oAuction);
    oSearch.BreakEvenPrice();
    oSearch.PriceForMargin(50);
    std::string sAfter;
    oAuction.Serialize(sAfter, true);
    EXPECT_EQ(sAfter, sBefore);
    EXPECT_EQ(oAuction.m_fProfit, fProfit);
    EXPECT_EQ(oAuction.m_oOutlay.m_fEstimatedEndPrice, 20);
}

// A fixed-price sale whose insertion fee jumps by 5.00 at 10.00: profit reaches 0 at 9.50,
// falls below it from 10.00 and reaches it again only at 14.50.
constexpr const char* kSteppedPrices = R"(CurrencySymbol,£
CurrencyFormat,0.00
OpeningFixedRanges,2
OpeningFixedRangeStart1,0
OpeningFixedRangeEnd1,9.99
OpeningFixedRangeValue1,0
OpeningFixedRangeStart2,10
OpeningFixedRangeEnd2,-1
OpeningFixedRangeValue2,5
OpeningRanges,0
OpeningMultiRanges,0
ReserveRanges,0
FinalRanges,0
FeatureBuyItNowRanges,0
FeaturePicturePackRanges,0
InsuranceBandValue1,0
)";

TEST(PriceSearch, BandStepsDoNotHideALowerPrice) {
    const ScopedPrices oPrices(kSteppedPrices);
    clsCalculate oAuction;
    oAuction.m_oAuctionType.m_eShopDuration = ShopDuration::None;
    oAuction.m_oAuctionType.m_bBuyItNowOnly = true;
    oAuction.m_oOutlay.m_fOutlay = 9.5f;
    oAuction.m_oOutlay.m_lQuantity = 1;
    clsPriceSearch oSearch(oAuction);
    EXPECT_FLOAT_EQ(*oSearch.BreakEvenPrice(), 9.5f);
    // 0.50 of profit is out of reach below the step; above it, 15.00 is needed.
    EXPECT_FLOAT_EQ(*oSearch.PriceForProfit(0.49f), 9.99f);
    EXPECT_FLOAT_EQ(*oSearch.PriceForProfit(0.5f), 15.f);
    ExpectLeast(oAuction, oSearch.PriceForProfit(0.5f), ProfitAtLeast(0.5f), "stepped");

    // The same step met by twice the price times the quantity: 4.99 x 2 is below it.
    oAuction.m_oOutlay.m_lQuantity = 2;
    oAuction.m_oOutlay.m_fOutlay = 4.5f;
    EXPECT_FLOAT_EQ(*clsPriceSearch(oAuction).BreakEvenPrice(), 4.5f);
}

TEST(PriceSearch, UnreachableTargetsGiveNone) {
    const ScopedPrices oPrices = ScopedPrices::Shipped(RegionUK);
    clsCalculate oAuction;
    SetUpSale(oAuction);
    oAuction.m_oPayPal.m_bUsePayPal = true;
    clsPriceSearch oSearch(oAuction);
    // Fees take a share of every sale, so the margin on costs levels off.
    EXPECT_FALSE(oSearch.PriceForMargin(5000));
    EXPECT_FALSE(oSearch.PriceForProfit(2000000));
    // With nothing sold the price cannot help.
    oAuction.m_oOutlay.m_lQuantity = 0;
    oAuction.m_oSellingFeatures.AddFeature(SellingFeature::Bold);
    EXPECT_FALSE(clsPriceSearch(oAuction).BreakEvenPrice());
}

TEST(PriceSearch, ANothingToCoverSaleBreaksEvenAtZero) {
    const ScopedPrices oPrices = ScopedPrices::Shipped(RegionUK);
    clsCalculate oAuction;
    SetUpSale(oAuction);
    oAuction.m_oOutlay.m_fOutlay = 0;
    oAuction.m_oOutlay.m_fStartingPrice = 0;
    EXPECT_FLOAT_EQ(*clsPriceSearch(oAuction).BreakEvenPrice(), 0.f);
}

std::vector<std::string> HintTexts(clsCalculate& oAuction) {
    std::vector<std::string> as;
    for (const clsFeeHint& o : clsFeeHints::Find(oAuction))
        as.push_back(o.m_sText);
    return as;
}

using Texts = std::vector<std::string>;

TEST(FeeHints, UkStartingAndReservePrices) {
    const ScopedPrices oPrices = ScopedPrices::Shipped(RegionUK);
    clsCalculate oAuction;
    SetUpSale(oAuction);
    oAuction.m_oOutlay.m_fStartingPrice = 5;
    EXPECT_EQ(HintTexts(oAuction), Texts{"Start at £4.99: insertion fee £0.20 instead of £0.35"});
    const auto aoHints = clsFeeHints::Find(oAuction);
    ASSERT_EQ(aoHints.size(), 1u);
    EXPECT_EQ(aoHints[0].m_eField, clsFeeHint::Field::StartingPrice);
    EXPECT_FLOAT_EQ(aoHints[0].m_fSuggestedPrice, 4.99f);
    EXPECT_FLOAT_EQ(aoHints[0].m_fSuggestedFee, 0.2f);
    EXPECT_FLOAT_EQ(aoHints[0].m_fCurrentFee, 0.35f);

    // A pound off is the most suggested, 2 % below that.
    oAuction.m_oOutlay.m_fStartingPrice = 100.5f;
    EXPECT_EQ(HintTexts(oAuction), Texts{"Start at £99.99: insertion fee £1.50 instead of £2.00"});
    oAuction.m_oOutlay.m_fStartingPrice = 101.5f;
    EXPECT_TRUE(HintTexts(oAuction).empty());
    oAuction.m_oOutlay.m_fStartingPrice = 5.2f; // 21p is more than 2 %
    EXPECT_TRUE(HintTexts(oAuction).empty());
    oAuction.m_oOutlay.m_fStartingPrice = 4.99f;
    EXPECT_TRUE(HintTexts(oAuction).empty());

    // A reserve decides the insertion fee; the starting price no longer does.
    oAuction.m_oOutlay.m_fStartingPrice = 5;
    oAuction.m_oOutlay.m_fReservePrice = 15;
    EXPECT_EQ(HintTexts(oAuction),
              Texts{"Reserve at £14.99: insertion fee £0.35 instead of £0.75"});
    // 2 % of 4,999.99 saves a hundredth of a penny: not worth a hint.
    oAuction.m_oOutlay.m_fReservePrice = 5000;
    EXPECT_TRUE(HintTexts(oAuction).empty());
}

TEST(FeeHints, UkSeveralItemsAndBuyItNow) {
    const ScopedPrices oPrices = ScopedPrices::Shipped(RegionUK);
    clsCalculate oAuction;
    SetUpSale(oAuction);
    oAuction.m_oOutlay.m_lQuantity = 3;
    oAuction.m_oOutlay.m_fStartingPrice = 5; // 15.00 in all: 4.99 x 3 is in the band below
    EXPECT_EQ(HintTexts(oAuction), Texts{"Start at £4.99: insertion fee £0.35 instead of £0.75"});

    clsCalculate oFixed;
    SetUpSale(oFixed);
    oFixed.m_oAuctionType.m_bBuyItNowOnly = true;
    oFixed.m_oOutlay.m_fStartingPrice = 0;
    oFixed.m_oOutlay.m_fEstimatedEndPrice = 15;
    EXPECT_EQ(HintTexts(oFixed),
              Texts{"Buy It Now at £14.99: insertion fee £0.25 instead of £0.50"});
    oFixed.m_oAuctionType.m_bBuyItNowOnly = false;
    oFixed.m_oSellingFeatures.AddFeature(SellingFeature::BuyItNow);
    const auto aoHints = clsFeeHints::Find(oFixed);
    ASSERT_EQ(aoHints.size(), 1u);
    EXPECT_EQ(aoHints[0].m_eField, clsFeeHint::Field::BuyItNowPrice);
    EXPECT_EQ(aoHints[0].m_sText.rfind("Buy It Now at £14.99: Buy It Now fee ", 0), 0u);
    EXPECT_LT(aoHints[0].m_fSuggestedFee, aoHints[0].m_fCurrentFee);
}

TEST(FeeHints, UsBandsComeFromTheUsFile) {
    const ScopedPrices oPrices = ScopedPrices::Shipped(RegionUS);
    clsCalculate oAuction;
    SetUpSale(oAuction);
    oAuction.m_oOutlay.m_fStartingPrice = 10;
    EXPECT_EQ(HintTexts(oAuction), Texts{"Start at $9.99: insertion fee $0.35 instead of $0.55"});
    oAuction.m_oOutlay.m_fStartingPrice = 5; // no UK-style step at 5 on the US site
    EXPECT_TRUE(HintTexts(oAuction).empty());
    oAuction.m_oOutlay.m_fStartingPrice = 200.99f;
    EXPECT_EQ(HintTexts(oAuction), Texts{"Start at $199.99: insertion fee $2.00 instead of $3.00"});
}

TEST(MoneyBreakdown, PartsAddUpToWhatTheBuyersPay) {
    const ScopedPrices oPrices = ScopedPrices::Shipped(RegionUK);
    for (auto& [sName, fnSetUp] : Variations()) {
        clsCalculate oAuction;
        SetUpSale(oAuction);
        fnSetUp(oAuction);
        oAuction.DoCalc();
        const clsMoneyBreakdown o = clsMoneyBreakdown::Of(oAuction);
        const double dParts = double(o.m_fOutlay) + o.m_fSaleFees + o.m_fUpgrades + o.m_fPayPal +
                              o.m_fPostage + o.m_fProfit;
        EXPECT_NEAR(dParts, o.m_fBuyersPay, 0.001) << sName;
        EXPECT_FLOAT_EQ(o.m_fProfit, oAuction.m_fProfit) << sName;
        EXPECT_FLOAT_EQ(o.m_fPayPal, oAuction.m_fPayPayCost) << sName;
        EXPECT_NEAR(double(o.m_fOutlay) + o.m_fSaleFees + o.m_fUpgrades + o.m_fPayPal,
                    oAuction.m_fSellCost, 0.001)
            << sName;
    }
}

TEST(MoneyBreakdown, ALossShowsAsNegativeProfit) {
    const ScopedPrices oPrices = ScopedPrices::Shipped(RegionUK);
    clsCalculate oAuction;
    SetUpSale(oAuction);
    oAuction.m_oOutlay.m_fOutlay = 30;
    oAuction.m_oOutlay.m_lQuantity = 2;
    oAuction.DoCalc();
    const clsMoneyBreakdown o = clsMoneyBreakdown::Of(oAuction);
    EXPECT_TRUE(o.IsLoss());
    EXPECT_FLOAT_EQ(o.m_fBuyersPay, 40);
    EXPECT_FLOAT_EQ(o.m_fOutlay, 60);
}

// A parcel at a set price with a mark-up on it.
void PostageWithMarkUp(clsCalculate& o, float fCost, float fMarkUp) {
    o.m_oPostage.m_bUse = true;
    o.m_oPostage.m_eClass = PostageClass::Manual;
    o.m_oPostage.m_fManualFee = fCost;
    o.m_oPostage.m_bMakeProfit = fMarkUp > 0;
    o.m_oPostage.m_fProfit = fMarkUp;
}

TEST(MoneyBreakdown, UnderEachScheduleThePartsAddUpToWhatTheBuyersPay) {
    using Part = clsMoneyBreakdown::Part;
    const struct {
        const char* sCase;
        bool bToday;
        int32_t eRegion;
        std::function<void(clsCalculate&)> fnSetUp;
        bool bBuyerProtection, bSalesTax; // parts the case has beside the common ones
    } aoCases[] = {
        {"2008 UK, PayPal and postage with a mark-up", false, RegionUK,
         [](clsCalculate& o) {
             o.m_oPayPal.m_bUsePayPal = true;
             PostageWithMarkUp(o, 3.2f, 0.5f);
         },
         false, false},
        {"today UK private", true, RegionUK,
         [](clsCalculate& o) {
             o.m_oToday.m_sAccount = "Private";
             PostageWithMarkUp(o, 3.2f, 0);
         },
         true, false},
        {"today UK private, three orders sharing the postage", true, RegionUK,
         [](clsCalculate& o) {
             o.m_oToday.m_sAccount = "Private";
             o.m_oOutlay.m_lQuantity = 3;
             PostageWithMarkUp(o, 9.5f, 0.5f);
         },
         true, false},
        {"today UK business, VAT registered", true, RegionUK,
         [](clsCalculate& o) {
             o.m_oToday.m_sAccount = "Business";
             o.m_oToday.m_bVatRegistered = true;
             o.m_oToday.m_fAdRate = 3;
             PostageWithMarkUp(o, 3.2f, 0.3f);
         },
         false, false},
        {"today UK business, VAT paid as a cost", true, RegionUK,
         [](clsCalculate& o) {
             o.m_oToday.m_sAccount = "Business";
             o.m_oToday.m_sBuyerRegion = "Europe";
             PostageWithMarkUp(o, 3.2f, 0);
         },
         false, false},
        {"today US, sales tax and a promoted listing", true, RegionUS,
         [](clsCalculate& o) {
             o.m_oToday.m_sAccount = "NoStore";
             o.m_oToday.m_fSalesTaxPercent = 8.25f;
             o.m_oToday.m_fAdRate = 5;
             PostageWithMarkUp(o, 4.1f, 1);
         },
         false, true},
    };
    for (const auto& oCase : aoCases) {
        const ScopedPrices oPrices = oCase.bToday ? ScopedPrices::Today(oCase.eRegion)
                                                  : ScopedPrices::Shipped(oCase.eRegion);
        for (const float fPrice : {0.99f, 9.99f, 20.f, 123.45f, 4321.f}) {
            clsCalculate oAuction;
            SetUpSale(oAuction);
            oCase.fnSetUp(oAuction);
            oAuction.m_oOutlay.m_fEstimatedEndPrice = fPrice;
            oAuction.DoCalc();
            const clsMoneyBreakdown o = clsMoneyBreakdown::Of(oAuction);
            const std::string sCase = std::string(oCase.sCase) + " at " + std::to_string(fPrice);
            EXPECT_EQ(o.m_bToday, oCase.bToday) << sCase;
            double dParts = 0;
            for (int32_t i = 0; i < int32_t(Part::Count); ++i) {
                const auto ePart = Part(i);
                if (o.Has(ePart))
                    dParts += o.Amount(ePart);
                else // a part the schedule does not have holds no money
                    EXPECT_EQ(o.Amount(ePart), 0) << sCase << ", part " << i;
            }
            EXPECT_NEAR(dParts, o.m_fBuyersPay, 0.005) << sCase;
            EXPECT_FLOAT_EQ(o.m_fProfit, oAuction.m_fProfit) << sCase;
            EXPECT_NEAR(double(o.m_fOutlay) + o.m_fSaleFees + o.m_fUpgrades + o.m_fPayPal,
                        oAuction.m_fSellCost, 0.001)
                << sCase;
            EXPECT_EQ(o.Has(Part::Upgrades), !oCase.bToday) << sCase;
            EXPECT_EQ(o.Has(Part::PayPal), !oCase.bToday) << sCase;
            EXPECT_EQ(o.Has(Part::BuyerProtection), oCase.bBuyerProtection) << sCase;
            EXPECT_EQ(o.Has(Part::SalesTax), oCase.bSalesTax) << sCase;
            if (!oCase.bToday) {
                EXPECT_FLOAT_EQ(o.m_fBuyersPay, oAuction.m_fBuyersPay) << sCase;
                continue;
            }
            // Today: what the buyers pay is the buyer's price the Today panel shows.
            const clsTodayFigures& f = oAuction.m_oTodayFigures;
            EXPECT_FLOAT_EQ(o.m_fBuyersPay, f.m_fBuyersPrice) << sCase;
            EXPECT_FLOAT_EQ(o.m_fBuyerProtection, f.m_fBuyerProtectionFee) << sCase;
            EXPECT_FLOAT_EQ(o.m_fSalesTax, f.m_fSalesTax) << sCase;
            EXPECT_EQ(o.m_fBuyerProtection > 0, oCase.bBuyerProtection) << sCase;
            EXPECT_EQ(o.m_fSalesTax > 0, oCase.bSalesTax) << sCase;
            EXPECT_FLOAT_EQ(o.m_fSaleFees, f.m_fSellingCost) << sCase;
        }
    }
}

TEST(MoneyBreakdown, AUkPrivateSaleShowsWhatTheBuyerPaysWithTheProtectionFee) {
    // A £20 item posted for £3.20: the buyer pays £0.10 + 7 % of £20 on top, to eBay.
    const ScopedPrices oPrices = ScopedPrices::Today(RegionUK);
    clsCalculate oAuction;
    SetUpSale(oAuction);
    oAuction.m_oToday.m_sAccount = "Private";
    PostageWithMarkUp(oAuction, 3.2f, 0);
    oAuction.DoCalc();
    const clsMoneyBreakdown o = clsMoneyBreakdown::Of(oAuction);
    EXPECT_FLOAT_EQ(o.m_fBuyerProtection, 1.5f);
    EXPECT_FLOAT_EQ(o.m_fBuyersPay, 24.7f);
    EXPECT_FLOAT_EQ(o.m_fSaleFees, 0);
    EXPECT_FLOAT_EQ(o.m_fProfit, 8);
}

TEST(MoneyBreakdown, TheBuyersPayThePostageTheOrdersCharge) {
    // £10 of postage over three separate orders is £3.33 an order: the profit counts the
    // £9.99 the buyers pay, as the buyer's price does.
    const ScopedPrices oPrices = ScopedPrices::Today(RegionUK);
    clsCalculate oAuction;
    SetUpSale(oAuction);
    oAuction.m_oToday.m_sAccount = "Private";
    oAuction.m_oOutlay.m_fOutlay = 0;
    oAuction.m_oOutlay.m_lQuantity = 3;
    PostageWithMarkUp(oAuction, 10, 0);
    oAuction.DoCalc();
    EXPECT_FLOAT_EQ(oAuction.m_oTodayFigures.m_fPostage, 9.99f);
    EXPECT_FLOAT_EQ(oAuction.m_fBuyersPay, 69.99f);
    EXPECT_NEAR(oAuction.m_fProfit, 59.99f, 1e-4f);
}

// The chart's stretch of prices takes in the estimate and the break-even price with round
// ends, and each point drawn is the profit the auction really makes there.
TEST_P(PriceSearchShipped, ProfitCurvePointsAreForwardCalculations) {
    const ScopedPrices oPrices = ScopedPrices::Shipped(GetParam());
    for (auto& [sName, fnSetUp] : Variations()) {
        for (const float fEstimate : {0.f, 0.99f, 20.f, 640.f}) {
            clsCalculate oAuction;
            SetUpSale(oAuction);
            oAuction.m_oOutlay.m_fEstimatedEndPrice = fEstimate;
            fnSetUp(oAuction);
            oAuction.DoCalc();
            const float fProfit = oAuction.m_fProfit;
            const std::string sCase = sName + ", estimate " + std::to_string(fEstimate);
            const clsProfitCurve o = clsProfitCurve::Of(oAuction);

            EXPECT_FLOAT_EQ(oAuction.m_fProfit, fProfit) << sCase << ": the auction changed";
            EXPECT_EQ(o.m_ofBreakEven, clsPriceSearch(oAuction).BreakEvenPrice()) << sCase;
            ASSERT_TRUE(o.m_ofBreakEven) << sCase;
            EXPECT_LE(o.m_fFrom, std::min(fEstimate, *o.m_ofBreakEven)) << sCase;
            EXPECT_GE(o.m_fTo, std::max(fEstimate, *o.m_ofBreakEven)) << sCase;
            EXPECT_GE(o.m_fFrom, 0) << sCase;
            for (const float fEnd : {o.m_fFrom, o.m_fTo}) {
                const double dSteps = fEnd / double(o.m_fStep);
                EXPECT_NEAR(dSteps, std::round(dSteps), 1e-4) << sCase << ": " << fEnd;
            }
            EXPECT_FLOAT_EQ(o.m_fEstimateProfit, fProfit) << sCase;

            ASSERT_GE(o.m_aoPoints.size(), size_t(clsProfitCurve::kSamples)) << sCase;
            EXPECT_FLOAT_EQ(o.m_aoPoints.front().m_fPrice, o.m_fFrom) << sCase;
            EXPECT_FLOAT_EQ(o.m_aoPoints.back().m_fPrice, o.m_fTo) << sCase;
            for (size_t i = 0; i < o.m_aoPoints.size(); ++i) {
                const clsProfitCurve::clsPoint& oPoint = o.m_aoPoints[i];
                if (i > 0) {
                    ASSERT_GT(oPoint.m_fPrice, o.m_aoPoints[i - 1].m_fPrice) << sCase;
                }
                EXPECT_FLOAT_EQ(oPoint.m_fProfit, RunAt(oAuction, oPoint.m_fPrice).fProfit)
                    << sCase << " at " << oPoint.m_fPrice;
                EXPECT_GE(oPoint.m_fProfit, o.m_fLowestProfit) << sCase;
                EXPECT_LE(oPoint.m_fProfit, o.m_fHighestProfit) << sCase;
            }
        }
    }
}

// Fee bands make steps and kinks: the straight lines drawn between points stay within a few
// pennies of the real profit, so no step is drawn as a slope across a wide stretch.
TEST_P(PriceSearchShipped, ProfitCurveLinesFollowTheRealProfit) {
    const ScopedPrices oPrices = ScopedPrices::Shipped(GetParam());
    for (auto& [sName, fnSetUp] : Variations()) {
        for (const float fEstimate : {20.f, 75.f, 640.f}) {
            clsCalculate oAuction;
            SetUpSale(oAuction);
            oAuction.m_oOutlay.m_fEstimatedEndPrice = fEstimate;
            fnSetUp(oAuction);
            const clsProfitCurve o = clsProfitCurve::Of(oAuction);
            for (size_t i = 1; i < o.m_aoPoints.size(); ++i) {
                const clsProfitCurve::clsPoint& a = o.m_aoPoints[i - 1];
                const clsProfitCurve::clsPoint& b = o.m_aoPoints[i];
                for (const double dShare : {0.25, 0.5, 0.75}) {
                    const float fPrice = Penny(
                        std::llround((a.m_fPrice + dShare * (b.m_fPrice - a.m_fPrice)) * 100));
                    if (fPrice <= a.m_fPrice || fPrice >= b.m_fPrice) continue;
                    const double dDrawn = a.m_fProfit + (b.m_fProfit - a.m_fProfit) *
                                                            (fPrice - a.m_fPrice) /
                                                            (b.m_fPrice - a.m_fPrice);
                    EXPECT_NEAR(RunAt(oAuction, fPrice).fProfit, dDrawn, 0.03)
                        << sName << ", estimate " << fEstimate << ", at " << fPrice;
                }
            }
        }
    }
}

TEST(ProfitCurve, WithoutABreakEvenPriceTheStretchSurroundsTheEstimate) {
    const ScopedPrices oPrices = ScopedPrices::Shipped(RegionUK);
    clsCalculate oAuction;
    SetUpSale(oAuction);
    oAuction.m_oOutlay.m_fOutlay = 2000000; // more than any price up to the ceiling covers
    oAuction.m_oOutlay.m_fEstimatedEndPrice = 100;
    const clsProfitCurve o = clsProfitCurve::Of(oAuction);
    EXPECT_FALSE(o.m_ofBreakEven);
    EXPECT_FLOAT_EQ(o.m_fFrom, 50);
    EXPECT_FLOAT_EQ(o.m_fTo, 150);
    EXPECT_FLOAT_EQ(o.m_fStep, 50);
    EXPECT_LT(o.m_fHighestProfit, 0);
}

// Runs every answer of the pricing insight on an auction, as the selling costs, the hints
// and the chart do. Answers come back as none, a price up to the ceiling or a clsError; the
// break-even price is returned, or "error".
std::string RunInsight(clsCalculate& oAuction, float fTarget) {
    std::string sBreakEven = "error";
    try {
        clsPriceSearch oSearch(oAuction);
        const std::optional<float> ofBreakEven = oSearch.BreakEvenPrice();
        sBreakEven = ofBreakEven ? std::to_string(*ofBreakEven) : "none";
        for (const std::optional<float>& ofPrice :
             {ofBreakEven, oSearch.PriceForProfit(fTarget), oSearch.PriceForMargin(fTarget)}) {
            EXPECT_TRUE(!ofPrice || (*ofPrice >= 0 && *ofPrice <= clsPriceSearch::kCeiling));
        }
        const clsProfitCurve o = clsProfitCurve::Of(oAuction, ofBreakEven);
        EXPECT_LE(o.m_fFrom, o.m_fTo);
    } catch (const clsError&) {
        // An estimate too large to count in pennies cannot be drawn: it says so.
    }
    try {
        for (const clsFeeHint& oHint : clsFeeHints::Find(oAuction)) {
            EXPECT_LT(oHint.m_fSuggestedPrice, oHint.m_fCurrentPrice);
        }
    } catch (const clsError&) {
    }
    return sBreakEven;
}

TEST(PriceSearch, HugeAmountsAreAnsweredWithoutWrappingAround) {
    // Amounts far past any sale: no number overflows on its way to whole pennies (the
    // sanitizer builds stop at the first that does).
    const ScopedPrices oPrices = ScopedPrices::Shipped(RegionUK);
    const float fMax = std::numeric_limits<float>::max();
    const struct {
        const char* sCase;
        float fOutlay;
        int32_t lQuantity;
        float fEstimate;
        float fTarget;
        const char* sBreakEven;
    } aoCases[] = {
        {"outlay of 1e17", 1e17f, 1, 100, 0, "none"},
        {"outlay past 9e16 per item", 9.3e16f, 1, 1e17f, 0, "none"},
        {"largest outlay", fMax, 1, 10, fMax, "none"},
        {"largest quantity", 1, 2000000000, 1, 1e30f, "1.090000"},
        {"estimate of 1e17", 10, 1, 1e17f, 1e30f, "13.090000"},
        {"largest estimate", 10, 1, fMax, -fMax, "13.090000"},
    };
    for (const auto& oCase : aoCases) {
        SCOPED_TRACE(oCase.sCase);
        for (const bool bFixed : {false, true}) {
            clsCalculate oAuction;
            SetUpSale(oAuction);
            oAuction.m_oAuctionType.m_bBuyItNowOnly = bFixed;
            oAuction.m_oOutlay.m_fOutlay = oCase.fOutlay;
            oAuction.m_oOutlay.m_lQuantity = oCase.lQuantity;
            oAuction.m_oOutlay.m_fStartingPrice = std::min(oCase.fEstimate, 1e6f);
            oAuction.m_oOutlay.m_fEstimatedEndPrice = oCase.fEstimate;
            oAuction.m_oSellingFeatures.AddFeature(SellingFeature::BuyItNow);
            const std::string sBreakEven = RunInsight(oAuction, oCase.fTarget);
            if (!bFixed) {
                EXPECT_EQ(sBreakEven, oCase.sBreakEven);
            }
        }
    }
}

TEST(PriceSearch, BandsAtTheEndsOfTheSingleRangeAreLeftOut) {
    // Band bounds no whole number of pennies can hold are past every price searched.
    const ScopedPrices oPrices(
        "OpeningFixedRanges,3\nOpeningFixedRangeStart1,0\nOpeningFixedRangeEnd1,-1\n"
        "OpeningFixedRangeValue1,0.1\nOpeningFixedRangeStart2,3E+38\nOpeningFixedRangeEnd2,-1\n"
        "OpeningFixedRangeValue2,1\nOpeningFixedRangeStart3,-3E+38\n"
        "OpeningFixedRangeEnd3,3E+38\nFinalRanges,1\nFinalRangeStart1,0\nFinalRangeEnd1,-1\n"
        "FinalRangeValue1,5\nFeatureBuyItNowRanges,1\nFeatureBuyItNowRangeStart1,-3E+38\n"
        "FeatureBuyItNowRangeEnd1,3E+38\nOpeningRanges,0\nReserveRanges,0\n"
        "CurrencyFormat,0.00\n");
    clsCalculate oAuction;
    SetUpSale(oAuction);
    oAuction.m_oAuctionType.m_bBuyItNowOnly = true;
    oAuction.m_oOutlay.m_fStartingPrice = 0;
    oAuction.m_oSellingFeatures.AddFeature(SellingFeature::BuyItNow);
    EXPECT_EQ(RunInsight(oAuction, 5), "12.740000");
}

TEST(ProfitCurve, RoundSteps) {
    EXPECT_DOUBLE_EQ(clsProfitCurve::NiceStep(120, 6), 20);
    EXPECT_DOUBLE_EQ(clsProfitCurve::NiceStep(0.3, 6), 0.05);
    EXPECT_DOUBLE_EQ(clsProfitCurve::NiceStep(7, 6), 2);
    EXPECT_DOUBLE_EQ(clsProfitCurve::NiceStep(31, 6), 10);
    EXPECT_DOUBLE_EQ(clsProfitCurve::NiceStep(6e6, 6), 1e6);
    for (const double dNone : {0.0, -5.0, std::nan("")})
        EXPECT_DOUBLE_EQ(clsProfitCurve::NiceStep(dNone, 6), 1);
}

} // namespace
