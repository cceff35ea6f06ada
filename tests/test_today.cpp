// Today's fee schedule: the file's safety rules, the fees by kind at every kind of threshold,
// the [TODAY] section of the auction text and the least-penny price searches.
#include "TestSupport.h"

#include "basCommon.h"
#include "clsCalculate.h"
#include "clsError.h"
#include "clsPostage.h"
#include "clsPriceSearch.h"
#include "clsTodaySchedule.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace {

std::string ReadData(const std::string& sName) {
    std::ifstream o(DataPath(sName), std::ios::binary);
    std::stringstream s;
    s << o.rdbuf();
    return s.str();
}

ScopedPrices TodayPrices(int32_t eRegion) {
    return ScopedPrices(ReadData(eRegion == RegionUS ? "FeesTodayUS.dat" : "FeesTodayUK.dat"),
                        eRegion);
}

// A small schedule: one account, a marginal default rule (10 % to 100, 5 % above), a
// whole-amount rule for gems (20 % up to 100, 10 % of the whole above), per-order 0.30 / 0.40.
constexpr const char* kSmall = "Schedule,Today\n"
                               "ScheduleSite,US\n"
                               "ScheduleDate,2026-01-31\n"
                               "CurrencySymbol,$\n"
                               "CurrencyFormat,0.00\n"
                               "SalesTaxInBase,True\n"
                               "BuyerRegions,Home Away\n"
                               "Region.Home.Name,Home\n"
                               "Region.Away.Name,Away\n"
                               "Accounts,Plain\n"
                               "Account.Plain.Name,Plain\n"
                               "Account.Plain.Table,T\n"
                               "Account.Plain.FreeListings,2\n"
                               "Account.Plain.FreeListings.Flag,published\n"
                               "Account.Plain.InsertionFee,0.35\n"
                               "Account.Plain.InsertionFee.Flag,published\n"
                               "Table.T.PerOrderRanges,2\n"
                               "Table.T.PerOrderRangeStart1,0\n"
                               "Table.T.PerOrderRangeEnd1,10\n"
                               "Table.T.PerOrderRangeValue1,0.30\n"
                               "Table.T.PerOrderRangeStart2,10.01\n"
                               "Table.T.PerOrderRangeEnd2,-1\n"
                               "Table.T.PerOrderRangeValue2,0.40\n"
                               "Table.T.PerOrder.Flag,published\n"
                               "Table.T.International.Away,2\n"
                               "Table.T.International.Away.Flag,unknown\n"
                               "Category.Default.Name,Most\n"
                               "Category.Gems.Name,Gems\n"
                               "Category.Gems.Words,rubies\n"
                               "Rule.T.Default.Kind,Marginal\n"
                               "Rule.T.Default.RateRanges,2\n"
                               "Rule.T.Default.RateRangeStart1,0\n"
                               "Rule.T.Default.RateRangeEnd1,100\n"
                               "Rule.T.Default.RateRangeValue1,10\n"
                               "Rule.T.Default.RateRangeStart2,100\n"
                               "Rule.T.Default.RateRangeEnd2,-1\n"
                               "Rule.T.Default.RateRangeValue2,5\n"
                               "Rule.T.Default.Flag,published\n"
                               "Rule.T.Gems.Kind,Whole\n"
                               "Rule.T.Gems.RateRanges,2\n"
                               "Rule.T.Gems.RateRangeStart1,0\n"
                               "Rule.T.Gems.RateRangeEnd1,100\n"
                               "Rule.T.Gems.RateRangeValue1,20\n"
                               "Rule.T.Gems.RateRangeStart2,100.01\n"
                               "Rule.T.Gems.RateRangeEnd2,-1\n"
                               "Rule.T.Gems.RateRangeValue2,10\n"
                               "Rule.T.Gems.Flag,third-party\n";

// kSmall with one line replaced (sFrom found as a whole line), removed (sTo empty) or added
// (sFrom empty).
std::string Edited(const std::string& sFrom, const std::string& sTo) {
    std::string s = kSmall;
    if (sFrom.empty()) return s + sTo + "\n";
    const size_t n = s.find(sFrom + "\n");
    if (n == std::string::npos) ADD_FAILURE() << "no line " << sFrom;
    s.replace(n, sFrom.size() + 1, sTo.empty() ? "" : sTo + "\n");
    return s;
}

TEST(TodaySchedule, AFaultyFileIsRefusedWholeAndTheTableKept) {
    const struct {
        const char* sFrom;
        const char* sTo;
        const char* sSays; // in the error's description
    } aoCases[] = {
        {"Category.Default.Name,Most", "", "Category.Default.Name"},
        {"Rule.T.Default.RateRangeStart2,100", "Rule.T.Default.RateRangeStart2,100.05",
         "band 2 must start"},
        {"Rule.T.Default.RateRangeEnd2,-1", "Rule.T.Default.RateRangeEnd2,500", "must end open"},
        {"Rule.T.Default.RateRangeStart1,0", "Rule.T.Default.RateRangeStart1,1", "the first at 0"},
        {"Rule.T.Gems.Kind,Whole", "Rule.T.Gems.Kind,Sideways", "Marginal or Whole"},
        {"Rule.T.Gems.Flag,third-party", "Rule.T.Gems.Flag,rumour", "third-party or unknown"},
        {"Rule.T.Gems.RateRangeValue1,20", "Rule.T.Gems.RateRangeValue1,120", "from 0 to 100"},
        {"Rule.T.Gems.RateRangeValue1,20", "Rule.T.Gems.RateRangeValue1,abc", "not a number"},
        {"", "Rule.T.Opals.Kind,Whole", "no Category.opals.Name"},
        {"", "Rule.X.Gems.Kind,Whole", "no account uses the table x"},
        {"Table.T.PerOrderRanges,2", "", "PerOrderRanges is missing"},
        {"Accounts,Plain", "Accounts,Plain plain", "twice"},
        {"Account.Plain.Table,T", "Account.Plain.Table,T!", "not a key"},
        {"Region.Away.Name,Away", "", "Region.away.Name"},
        {"Account.Plain.InsertionFee,0.35", "Account.Plain.InsertionFee,-1", "out of range"},
        {"SalesTaxInBase,True", "SalesTaxInBase,Maybe", "True or False"},
    };
    for (const auto& o : aoCases) {
        clsPrices oPrices;
        oPrices.LoadPriceText(kSmall);
        const clsTodaySchedule* pBefore = oPrices.TodaySchedule();
        ASSERT_NE(pBefore, nullptr);
        const size_t nBefore = oPrices.Count();
        try {
            oPrices.LoadPriceText(Edited(o.sFrom, o.sTo));
            ADD_FAILURE() << "loaded with " << o.sTo;
        } catch (const clsError& oError) {
            EXPECT_NE(oError.Description().find(o.sSays), std::string::npos)
                << oError.Description();
        }
        EXPECT_EQ(oPrices.TodaySchedule(), pBefore) << o.sTo;
        EXPECT_EQ(oPrices.Count(), nBefore) << o.sTo;
    }
}

TEST(TodaySchedule, ShippedFilesHoldTodaysScheduleAndThe2008OnesDoNot) {
    for (const char* sName : {"UpdateUK_v0102.dat", "UpdateUS_v0102.dat"}) {
        clsPrices o;
        o.LoadPriceText(ReadData(sName));
        EXPECT_EQ(o.TodaySchedule(), nullptr) << sName;
    }
    for (const int32_t eRegion : {RegionUK, RegionUS}) {
        const ScopedPrices oPrices = TodayPrices(eRegion);
        const clsTodaySchedule* p = GetTodaySchedule();
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(GetFeeSchedule(), FeeSchedule::Today);
        EXPECT_EQ(p->Site(), eRegion == RegionUS ? "US" : "UK");
        EXPECT_EQ(p->DataDate(), "2026-12-08");
        EXPECT_EQ(p->Categories().front().m_sKey, "default");
        EXPECT_EQ(p->BuyerRegions().front().m_sKey, "domestic");
        // Every category is found by its own name.
        for (const clsTodayCategory& o : p->Categories())
            EXPECT_FALSE(p->FindCategories(o.m_sName).empty()) << o.m_sName;
    }
}

TEST(TodaySchedule, CategorySearchFindsByEveryWordNameStartsFirst) {
    const ScopedPrices oPrices = TodayPrices(RegionUS);
    const clsTodaySchedule& o = *GetTodaySchedule();
    auto Keys = [&](std::string_view sQuery) {
        std::string s;
        for (const clsTodayCategory* p : o.FindCategories(sQuery))
            s += (s.empty() ? "" : " ") + p->m_sKey;
        return s;
    };
    EXPECT_EQ(Keys("watch"), "watches jewelry");
    EXPECT_EQ(Keys("WATCHES parts"), "watches");
    EXPECT_EQ(Keys("rings"), "jewelry"); // by its words
    EXPECT_EQ(Keys("trading cards"), "nonsportcards sportscards");
    EXPECT_EQ(Keys("zeppelin"), "");
    EXPECT_EQ(o.FindCategories("").size(), o.Categories().size());
}

struct FeeCase {
    const char* sCase;
    float fPrice;
    int32_t lQuantity;
    bool bOneOrder;
    const char* sCategory;
    float fTax;
    // Expected, for the whole sale.
    float fFinal, fPerOrder, fTotal;
};

TEST(TodaySchedule, FeesAtEveryKindOfThreshold) {
    const ScopedPrices oPrices(kSmall, RegionUS);
    const FeeCase aoCases[] = {
        {"marginal, below", 80, 1, false, "", 0, 8, 0.4f, 8.4f},
        {"marginal, at the threshold", 100, 1, false, "", 0, 10, 0.4f, 10.4f},
        {"marginal, above", 300, 1, false, "", 0, 20, 0.4f, 20.4f},
        {"whole, at", 100, 1, false, "gems", 0, 20, 0.4f, 20.4f},
        {"whole, a penny above: the fee falls", 100.01f, 1, false, "GEMS", 0, 10, 0.4f, 10.4f},
        {"per order, 10.00", 10, 1, false, "", 0, 1, 0.3f, 1.3f},
        {"per order, 10.01", 10.01f, 1, false, "", 0, 1, 0.4f, 1.4f},
        {"three orders of one", 10, 3, false, "", 0, 3, 0.9f, 3.9f},
        {"one order of three: one per-order fee on 30", 10, 3, true, "", 0, 3, 0.4f, 3.4f},
        {"one order of three gems, the threshold per item", 50, 3, true, "gems", 0, 30, 0.4f,
         30.4f},
        {"tax in the base: 9.50 + 5.5 % = 10.02", 9.5f, 1, false, "", 5.5f, 1, 0.4f, 1.4f},
        {"unknown category: the default rule", 80, 1, false, "opals", 0, 8, 0.4f, 8.4f},
        {"nothing sold", 80, 0, false, "", 0, 0, 0, 0},
    };
    for (const FeeCase& o : aoCases) {
        clsCalculate oAuction;
        oAuction.m_oOutlay.m_fEstimatedEndPrice = o.fPrice;
        oAuction.m_oOutlay.m_lQuantity = o.lQuantity;
        oAuction.m_oToday.m_bOneOrder = o.bOneOrder;
        oAuction.m_oToday.m_sCategory = o.sCategory;
        oAuction.m_oToday.m_fSalesTaxPercent = o.fTax;
        oAuction.DoCalc();
        const clsTodayFigures& f = oAuction.m_oTodayFigures;
        EXPECT_FLOAT_EQ(f.m_fFinalValueFee, o.fFinal) << o.sCase;
        EXPECT_FLOAT_EQ(f.m_fPerOrderFee, o.fPerOrder) << o.sCase;
        EXPECT_FLOAT_EQ(f.m_fTotalFees, o.fTotal) << o.sCase;
        // The 2008 figures tell the same story: every selling fee in the final value fee.
        EXPECT_FLOAT_EQ(oAuction.m_fFinalValueFee, o.fTotal) << o.sCase;
        EXPECT_FLOAT_EQ(oAuction.m_fProfit, o.fPrice * o.lQuantity - o.fTotal) << o.sCase;
        EXPECT_EQ(f.m_sDataDate, "2026-01-31");
    }
}

TEST(TodaySchedule, NotesNameTheValuesNotPublishedThatTheSaleUsed) {
    const ScopedPrices oPrices(kSmall, RegionUS);
    clsCalculate oAuction;
    oAuction.m_oOutlay.m_fEstimatedEndPrice = 50;
    oAuction.m_oOutlay.m_lQuantity = 1;
    oAuction.DoCalc();
    EXPECT_TRUE(oAuction.m_oTodayFigures.m_aoNotes.empty());

    oAuction.m_oToday.m_sCategory = "gems";
    oAuction.m_oToday.m_sBuyerRegion = "away";
    oAuction.m_oToday.m_lListingsThisMonth = 2; // the free listings are used up
    oAuction.DoCalc();
    std::string sNotes;
    for (const clsTodayNote& o : oAuction.m_oTodayFigures.m_aoNotes)
        sNotes += o.Text() + "\n";
    EXPECT_EQ(sNotes, "Final value fee, Gems: third-party figure\n"
                      "International fee, Away: unknown, placeholder value\n");
    EXPECT_FLOAT_EQ(oAuction.m_oTodayFigures.m_fInternationalFee, 1);
    EXPECT_FLOAT_EQ(oAuction.m_oTodayFigures.m_fInsertionFee, 0.35f);

    // Back to a sale that uses only published values: the notes of the last one are gone.
    oAuction.m_oToday.Clear();
    oAuction.DoCalc();
    EXPECT_TRUE(oAuction.m_oTodayFigures.m_aoNotes.empty())
        << oAuction.m_oTodayFigures.m_aoNotes.front().Text();
}

constexpr const char* kDefaultText =
    "[TYPE]000|False|False|0|0|0|0|False|[TYPE][OUTLAY]0|0|0|0|0|False[OUTLAY][FEATURES]0|0["
    "FEATURES][PAYPAL]False|0|1|False[PAYPAL][POSTAGE]False|0|0|0|0|False|False|False|0|False["
    "POSTAGE]";

TEST(TodayInputs, OwnSectionRoundTripsAnd2008TextsStayAsTheyWere) {
    clsCalculate oAuction;
    std::string sText;
    oAuction.Save(sText);
    EXPECT_EQ(sText, kDefaultText); // an auction without today's inputs writes no section

    oAuction.m_oToday.m_sAccount = "Business";
    oAuction.m_oToday.m_sCategory = "jewellery";
    oAuction.m_oToday.m_sBuyerRegion = "Europe";
    oAuction.m_oToday.m_fAdRate = 4.5f;
    oAuction.m_oToday.m_bTopRated = true;
    oAuction.m_oToday.m_bVatRegistered = true;
    oAuction.m_oToday.m_fSalesTaxPercent = 8.25f;
    oAuction.m_oToday.m_bOneOrder = true;
    oAuction.m_oToday.m_lListingsThisMonth = 301;
    sText.clear();
    oAuction.Save(sText);
    EXPECT_EQ(sText, std::string(kDefaultText) +
                         "[TODAY]Business|jewellery|Europe|4.5|True|False|True|8.25|True|301["
                         "TODAY]");

    clsCalculate oCopy;
    oCopy.Copy(oAuction);
    std::string sAgain;
    oCopy.Save(sAgain);
    EXPECT_EQ(sAgain, sText);

    // A 2008 text loads today's defaults, so the copy keeps nothing of the auction before.
    oCopy.Serialize(sAgain = kDefaultText, false);
    EXPECT_TRUE(oCopy.m_oToday.IsDefault());
    sAgain.clear();
    oCopy.Save(sAgain);
    EXPECT_EQ(sAgain, kDefaultText);

    // Field by field: a field that cannot be a key or a number is passed over.
    oCopy.Serialize(sAgain = std::string(kDefaultText) +
                             "[TODAY]Bad key!|-|abroad|x|yes|True|0|-3|False|12[TODAY]",
                    false);
    EXPECT_EQ(oCopy.m_oToday.m_sAccount, "");
    EXPECT_EQ(oCopy.m_oToday.m_sCategory, "");
    EXPECT_EQ(oCopy.m_oToday.m_sBuyerRegion, "abroad");
    EXPECT_EQ(oCopy.m_oToday.m_fAdRate, 0);
    EXPECT_FALSE(oCopy.m_oToday.m_bTopRated);
    EXPECT_TRUE(oCopy.m_oToday.m_bBelowStandard);
    EXPECT_EQ(oCopy.m_oToday.m_lListingsThisMonth, 12);

    oCopy.m_oToday.m_bDirty = false;
    oCopy.SetDirty(true);
    EXPECT_TRUE(oCopy.m_oToday.m_bDirty);
    oCopy.Clear();
    EXPECT_TRUE(oCopy.m_oToday.IsDefault());
}

// The least penny from 0 that reaches the goal, by trying every one; -1 for none up to nTo.
int64_t BruteForce(clsCalculate& oAuction, const std::function<bool(clsCalculate&)>& fnReaches,
                   int64_t nTo) {
    clsCalculate oWork;
    oWork.Copy(oAuction);
    for (int64_t n = 0; n <= nTo; ++n) {
        oWork.m_oOutlay.m_fEstimatedEndPrice = static_cast<float>(n / 100.0);
        oWork.DoCalc();
        if (fnReaches(oWork)) return n;
    }
    return -1;
}

// Sales whose profit steps, falls or barely moves as the price rises, each searched for its
// break-even price, a profit and a margin; every answer is checked against every penny below.
TEST(TodaySearch, EveryAnswerIsTheLeastPennyThatReaches) {
    struct SearchCase {
        const char* sCase;
        int32_t eRegion;
        std::function<void(clsCalculate&)> fnSetUp;
        float fProfit, fMargin;
        int64_t nScanTo; // pennies tried by brute force
    };
    const SearchCase aoCases[] = {
        {"US jewellery across the whole-amount threshold", RegionUS,
         [](clsCalculate& o) {
             o.m_oOutlay.m_fOutlay = 4300;
             o.m_oToday.m_sCategory = "jewelry";
         },
         300, 5, 520000},
        {"US athletic shoes at 150, with the per-order fee gone", RegionUS,
         [](clsCalculate& o) {
             o.m_oOutlay.m_fOutlay = 130;
             o.m_oToday.m_sCategory = "athleticshoes";
         },
         5, 3, 20000},
        {"US per-order bands at 10, three orders, tax", RegionUS,
         [](clsCalculate& o) {
             o.m_oOutlay.m_fOutlay = 8.3f;
             o.m_oOutlay.m_lQuantity = 3;
             o.m_oToday.m_fSalesTaxPercent = 7.25f;
         },
         0.5f, 2, 3000},
        {"US high ad rate: fees take nearly all of each penny", RegionUS,
         [](clsCalculate& o) {
             o.m_oOutlay.m_fOutlay = 1;
             o.m_oToday.m_fAdRate = 85.9f;
         },
         0.25f, -50, 400000},
        {"US Basic Store watches, two in one order, postage with mark-up", RegionUS,
         [](clsCalculate& o) {
             o.m_oOutlay.m_fOutlay = 1800;
             o.m_oOutlay.m_lQuantity = 2;
             o.m_oToday.m_sAccount = "basic";
             o.m_oToday.m_sCategory = "watches";
             o.m_oToday.m_bOneOrder = true;
             o.m_oToday.m_fSalesTaxPercent = 8.25f;
             o.m_oPostage.m_bUse = true;
             o.m_oPostage.m_eClass = PostageClass::Manual;
             o.m_oPostage.m_fManualFee = 12.5f;
             o.m_oPostage.m_bMakeProfit = true;
             o.m_oPostage.m_fProfit = 2;
         },
         40, 10, 240000},
        {"UK business handbags past 800, VAT, Europe, Top Rated, three orders", RegionUK,
         [](clsCalculate& o) {
             o.m_oOutlay.m_fOutlay = 700;
             o.m_oOutlay.m_lQuantity = 3;
             o.m_oToday.m_sAccount = "business";
             o.m_oToday.m_sCategory = "handbags";
             o.m_oToday.m_sBuyerRegion = "europe";
             o.m_oToday.m_bTopRated = true;
             o.m_oToday.m_fAdRate = 3;
         },
         25, 15, 200000},
        {"UK private: no selling fees", RegionUK,
         [](clsCalculate& o) { o.m_oOutlay.m_fOutlay = 19.99f; }, 5, 50, 4000},
    };
    for (const SearchCase& o : aoCases) {
        const ScopedPrices oPrices = TodayPrices(o.eRegion);
        clsCalculate oAuction;
        oAuction.m_oOutlay.m_lQuantity = 1;
        o.fnSetUp(oAuction);
        clsPriceSearch oSearch(oAuction);
        const double dTolerance = clsPriceSearch::kTolerance;
        const struct {
            std::optional<float> ofFound;
            std::function<bool(clsCalculate&)> fnReaches;
            std::string sGoal;
        } aoGoals[] = {
            {oSearch.BreakEvenPrice(), [&](clsCalculate& a) { return a.m_fProfit >= -dTolerance; },
             "break-even"},
            {oSearch.PriceForProfit(o.fProfit),
             [&](clsCalculate& a) { return a.m_fProfit >= o.fProfit - dTolerance; }, "profit"},
            {oSearch.PriceForMargin(o.fMargin),
             [&](clsCalculate& a) {
                 return a.m_fProfit >= o.fMargin / 100.0 * a.m_fSellCost - dTolerance;
             },
             "margin"},
        };
        for (const auto& oGoal : aoGoals) {
            const int64_t nExpected = BruteForce(oAuction, oGoal.fnReaches, o.nScanTo);
            ASSERT_NE(nExpected, -1) << o.sCase << ", " << oGoal.sGoal << ": scan further";
            ASSERT_TRUE(oGoal.ofFound) << o.sCase << ", " << oGoal.sGoal;
            EXPECT_EQ(std::llround(double(*oGoal.ofFound) * 100), nExpected)
                << o.sCase << ", " << oGoal.sGoal;
        }
    }
}

TEST(TodaySearch, UnreachableWhenFeesTakeMoreThanThePrice) {
    const ScopedPrices oPrices = TodayPrices(RegionUS);
    clsCalculate oAuction;
    oAuction.m_oOutlay.m_lQuantity = 1;
    oAuction.m_oOutlay.m_fOutlay = 5;
    oAuction.m_oToday.m_fAdRate = 100; // every penny more costs more than a penny
    clsPriceSearch oSearch(oAuction);
    EXPECT_FALSE(oSearch.BreakEvenPrice());
    EXPECT_LT(oSearch.Evaluations(), 20000);
    // Without an outlay the least price, 0, breaks even (nothing sold: no per-order fee).
    oAuction.m_oOutlay.m_fOutlay = 0;
    oAuction.m_oOutlay.m_lQuantity = 0;
    EXPECT_EQ(clsPriceSearch(oAuction).BreakEvenPrice(), 0.0f);
}

// Postage under each schedule: the 2008 files price the carrier services by weight; today's
// files hold no carrier prices, so only the postage typed in is offered and counted, while the
// service chosen is kept for the 2008 fees.
TEST(TodayPostage, WhatEachScheduleOffersAndCountsForEachService) {
    struct clsCase {
        bool bToday;
        PostageClass eClass;
        bool bOffered;     // the service can be chosen
        float fCounted;    // postage cost counted
        bool bNoPriceNote; // the seller must be told the typed postage counts instead
    };
    // 0.2 kg, recorded delivery asked for, £3.10 typed in; 2008 UK: first class £1.45, second
    // £1.24, parcel £4.41, recorded £0.72 (first and second only), insurance band 1 free.
    const clsCase aoCases[] = {
        {false, PostageClass::FirstClass, true, 1.45f + 0.72f, false},
        {false, PostageClass::SecondClass, true, 1.24f + 0.72f, false},
        {false, PostageClass::Parcel, true, 4.41f, false},
        {false, PostageClass::Manual, true, 3.10f, false},
        {true, PostageClass::FirstClass, false, 3.10f, true},
        {true, PostageClass::SecondClass, false, 3.10f, true},
        {true, PostageClass::Parcel, false, 3.10f, true},
        {true, PostageClass::Manual, true, 3.10f, false},
    };
    for (const clsCase& o : aoCases) {
        const ScopedPrices oPrices =
            o.bToday ? TodayPrices(RegionUK) : ScopedPrices::Shipped(RegionUK);
        ASSERT_EQ(clsPostage::TypedInOnly(), o.bToday);
        clsCalculate oAuction;
        oAuction.m_oOutlay.m_lQuantity = 1;
        oAuction.m_oOutlay.m_fEstimatedEndPrice = 20;
        clsPostage& oPostage = oAuction.m_oPostage;
        oPostage.m_bUse = true;
        oPostage.m_fWeight = 0.2f;
        oPostage.m_eClass = o.eClass;
        oPostage.m_fManualFee = 3.10f;
        oPostage.m_bRecorded = true;
        const std::string sCase =
            (o.bToday ? "today, class " : "2008, class ") + std::to_string(int32_t(o.eClass));
        EXPECT_EQ(oPostage.CanHaveClass(o.eClass), o.bOffered) << sCase;
        EXPECT_NEAR(oPostage.DoCalc(&oAuction.m_oOutlay), o.fCounted, 1e-5) << sCase;
        EXPECT_EQ(oPostage.ClassHasNoPrice(), o.bNoPriceNote) << sCase;
        // The auction's figures take the same postage: under today's fees it is part of the
        // fee base; the service chosen is never changed by working it out or saving it.
        oAuction.DoCalc();
        EXPECT_NEAR(oAuction.m_fPostageCost, o.fCounted, 1e-5) << sCase;
        if (o.bToday) {
            EXPECT_NEAR(oAuction.m_oTodayFigures.m_fPostage, 3.10f, 1e-5) << sCase;
            EXPECT_NEAR(oAuction.m_oTodayFigures.m_fSaleTotal, 23.10f, 1e-4) << sCase;
        }
        EXPECT_EQ(oPostage.m_eClass, o.eClass) << sCase;
        std::string sText;
        oAuction.Serialize(sText, true);
        clsCalculate oLoaded;
        oLoaded.Serialize(sText, false);
        EXPECT_EQ(oLoaded.m_oPostage.m_eClass, o.eClass) << sCase;
        // Postage not charged counts nothing and needs no note.
        oPostage.m_bUse = false;
        EXPECT_EQ(oPostage.DoCalc(&oAuction.m_oOutlay), 0.0f) << sCase;
        EXPECT_FALSE(oPostage.ClassHasNoPrice()) << sCase;
    }
}

// Sent singly, the typed postage counts once per item under today's fees too.
TEST(TodayPostage, TypedPostageCountsPerItemWhenSentSingly) {
    const ScopedPrices oPrices = TodayPrices(RegionUS);
    clsCalculate oAuction;
    oAuction.m_oOutlay.m_lQuantity = 3;
    oAuction.m_oPostage.m_bUse = true;
    oAuction.m_oPostage.m_fManualFee = 4;
    oAuction.m_oPostage.m_bSendInduvidually = true;
    EXPECT_FLOAT_EQ(oAuction.m_oPostage.DoCalc(&oAuction.m_oOutlay), 12.0f);
}

} // namespace
