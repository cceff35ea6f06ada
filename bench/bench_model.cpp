// Speed of the fee model: a full calculation, loading the price file, looking prices up,
// and how often each of them goes to the heap.

#include "basCommon.h"
#include "clsCalculate.h"
#include "clsError.h"
#include "clsPriceSearch.h"
#include "clsPrices.h"
#include "clsProfitCurve.h"
#include "clsSellingCostFigures.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <optional>
#include <string>

// Every allocation of the program is counted: the benchmarks report allocations per
// operation, and the price look-ups must make none.
namespace {
size_t g_nAllocations = 0;

void* CountedAlloc(std::size_t nSize) {
    ++g_nAllocations;
    return std::malloc(nSize ? nSize : 1);
}

void* CountedAlignedAlloc(std::size_t nSize, std::align_val_t eAlign) {
    ++g_nAllocations;
    const auto nAlign = static_cast<std::size_t>(eAlign);
    return std::aligned_alloc(nAlign, (nSize + nAlign - 1) / nAlign * nAlign);
}

// Out of line, so that the compiler does not pair an inlined free with a new expression.
[[gnu::noinline]] void Release(void* p) noexcept {
    std::free(p);
}
} // namespace

void* operator new(std::size_t nSize) {
    if (void* p = CountedAlloc(nSize)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t nSize) {
    if (void* p = CountedAlloc(nSize)) return p;
    throw std::bad_alloc();
}
void* operator new(std::size_t nSize, const std::nothrow_t&) noexcept {
    return CountedAlloc(nSize);
}
void* operator new[](std::size_t nSize, const std::nothrow_t&) noexcept {
    return CountedAlloc(nSize);
}
void* operator new(std::size_t nSize, std::align_val_t eAlign) {
    if (void* p = CountedAlignedAlloc(nSize, eAlign)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t nSize, std::align_val_t eAlign) {
    if (void* p = CountedAlignedAlloc(nSize, eAlign)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    Release(p);
}
void operator delete[](void* p) noexcept {
    Release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    Release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    Release(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
    Release(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
    Release(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
    Release(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
    Release(p);
}

namespace {

const std::string kUkPriceFile = std::string(GAVELRY_DATA_DIR) + "/UpdateUK_v0102.dat";

void UseUkPrices() {
    SetRegion(RegionUK);
    auto oPrices = std::make_unique<clsPrices>();
    oPrices->LoadPriceFile(kUkPriceFile);
    SetPrices(std::move(oPrices));
}

// Allocations per call, counted apart from the timed loop so that the benchmark
// library's own bookkeeping does not count.
template <typename F> double AllocationsPerCall(F&& fnCall) {
    constexpr size_t kCalls = 1000;
    fnCall(); // a first call may build names kept for later ones
    const size_t nBefore = g_nAllocations;
    for (size_t i = 0; i < kCalls; ++i)
        fnCall();
    return double(g_nAllocations - nBefore) / kCalls;
}

// Every upgrade a UK standard auction can have: those whose price is not negative, and
// Buy It Now and the picture pack, which are priced by range.
int32_t AllowedUkFeatures() {
    struct Upgrade {
        int32_t lFeature;
        const char* sPrice;
    };
    const Upgrade aUpgrades[] = {
        {SellingFeature::HomePageFeatured, "FeatureHomePage"},
        {SellingFeature::FeaturePlus, "FeaturePlus"},
        {SellingFeature::Highlight, "FeatureHighlight"},
        {SellingFeature::ItemSubtitle, "FeatureItemSubtitle"},
        {SellingFeature::Bold, "FeatureBold"},
        {SellingFeature::Gallery, "FeatureGallery"},
        {SellingFeature::FeaturedGallery, "FeatureFeaturedGallery"},
        {SellingFeature::ScheduledListing, "FeatureScheduledListings"},
        {SellingFeature::ListIn2Categories, "FeatureListIn2Categories"},
        {SellingFeature::SlideShow, "FeatureSlideShow"},
        {SellingFeature::SuperSizedPictures, "FeatureSupersizePictures"},
        {SellingFeature::ListingDesigner, "FeatureListingDesigner"},
        {SellingFeature::FeaturedInSearch, "FeatureFeaturedInSearch"},
        {SellingFeature::TenDayDuration, "Feature10DayDuration"},
        {SellingFeature::GiftServices, "FeatureGiftServices"},
        {SellingFeature::PreviewPicture, "FeaturePreviewPicture"},
        {SellingFeature::Border, "FeatureBorder"},
        {SellingFeature::ListingItem, "FeatureListingItem"},
        {SellingFeature::CarAd, "FeatureCarAd"},
    };
    int32_t lFeatures = SellingFeature::BuyItNow | SellingFeature::PicturePack;
    for (const Upgrade& o : aUpgrades) {
        float fPrice = -1;
        if (GetPrices().GetPrice(o.sPrice, fPrice) && fPrice >= 0) lFeatures |= o.lFeature;
    }
    return lFeatures;
}

// A standard auction of three items with every upgrade, PayPal business band 3, and first
// class postage of 0.5 kg, recorded, with proof of delivery and a mark-up.
void SetUpFullAuction(clsCalculate& o) {
    o.m_oAuctionType.m_eAuctionType = AuctionType::Standard;
    o.m_oAuctionType.m_eShopDuration = ShopDuration::None;
    o.m_oOutlay.m_fOutlay = 10;
    o.m_oOutlay.m_fStartingPrice = 9.99f;
    o.m_oOutlay.m_fEstimatedEndPrice = 25;
    o.m_oOutlay.m_lQuantity = 3;
    o.m_oOutlay.m_bAddTax = true;
    o.m_oSellingFeatures.AddFeature(AllowedUkFeatures());
    o.m_oSellingFeatures.m_lPicturePackQty = 8;
    o.m_oPayPal.m_bUsePayPal = true;
    o.m_oPayPal.m_eAccoutType = AccountType::Business;
    o.m_oPayPal.m_eBusinessRate = 3;
    o.m_oPostage.m_bUse = true;
    o.m_oPostage.m_eClass = PostageClass::FirstClass;
    o.m_oPostage.m_fWeight = 0.5f;
    o.m_oPostage.m_bRecorded = true;
    o.m_oPostage.m_bDeliveryProof = true;
    o.m_oPostage.m_bMakeProfit = true;
    o.m_oPostage.m_fProfit = 1.5f;
}

void BM_DoCalcFullAuction(benchmark::State& state) {
    UseUkPrices();
    clsCalculate oAuction;
    SetUpFullAuction(oAuction);
    try {
        oAuction.DoCalc();
    } catch (const clsError& e) {
        state.SkipWithError(("DoCalc failed: " + e.Description()).c_str());
        return;
    }
    const double dAllocations = AllocationsPerCall([&] { oAuction.DoCalc(); });
    for (auto _ : state) {
        oAuction.DoCalc();
        benchmark::ClobberMemory();
    }
    state.counters["allocs/calc"] = dAllocations;
    state.SetLabel("features " + std::to_string(oAuction.m_oSellingFeatures.Features()) +
                   ", profit " + std::to_string(oAuction.m_fProfit));
}
BENCHMARK(BM_DoCalcFullAuction)->Repetitions(10)->ReportAggregatesOnly(true);

// Times the break-even search on a copy of the auction.
void TimeBreakEvenSearch(benchmark::State& state, clsCalculate& oAuction) {
    std::optional<float> ofPrice;
    int32_t lEvaluations = 0;
    for (auto _ : state) {
        clsPriceSearch oSearch(oAuction);
        ofPrice = oSearch.BreakEvenPrice();
        lEvaluations = oSearch.Evaluations();
        benchmark::DoNotOptimize(ofPrice);
    }
    state.counters["calcs/search"] = lEvaluations;
    state.SetLabel("break-even " + (ofPrice ? std::to_string(*ofPrice) : std::string("none")));
}

// Today's schedule: a UK business sale of three items in separate orders, jewellery (marginal
// threshold), buyer in Europe, promoted, Top Rated, VAT on the fees, postage with a mark-up.
// Budget 1 us a calculation, as the 2008 one.
void UseTodayPrices(int32_t eRegion) {
    SetRegion(eRegion);
    auto oPrices = std::make_unique<clsPrices>();
    oPrices->LoadPriceFile(std::string(GAVELRY_DATA_DIR) +
                           (eRegion == RegionUS ? "/FeesTodayUS.dat" : "/FeesTodayUK.dat"));
    SetPrices(std::move(oPrices));
}

void SetUpTodayAuction(clsCalculate& o) {
    o.m_oOutlay.m_fOutlay = 600;
    o.m_oOutlay.m_fEstimatedEndPrice = 1250;
    o.m_oOutlay.m_lQuantity = 3;
    o.m_oPostage.m_bUse = true;
    o.m_oPostage.m_eClass = PostageClass::Manual;
    o.m_oPostage.m_fManualFee = 7.5f;
    o.m_oPostage.m_bMakeProfit = true;
    o.m_oPostage.m_fProfit = 1.5f;
    o.m_oToday.m_sAccount = "Business";
    o.m_oToday.m_sCategory = "Jewellery";
    o.m_oToday.m_sBuyerRegion = "Europe";
    o.m_oToday.m_fAdRate = 4.5f;
    o.m_oToday.m_bTopRated = true;
}

void BM_DoCalcToday(benchmark::State& state) {
    UseTodayPrices(RegionUK);
    clsCalculate oAuction;
    SetUpTodayAuction(oAuction);
    oAuction.DoCalc();
    const double dAllocations = AllocationsPerCall([&] { oAuction.DoCalc(); });
    for (auto _ : state) {
        oAuction.DoCalc();
        benchmark::ClobberMemory();
    }
    state.counters["allocs/calc"] = dAllocations;
    state.SetLabel("fees " + std::to_string(oAuction.m_oTodayFigures.m_fTotalFees) + ", profit " +
                   std::to_string(oAuction.m_fProfit));
    SetRegion(RegionUK);
}
BENCHMARK(BM_DoCalcToday)->Repetitions(10)->ReportAggregatesOnly(true);

// The break-even price of US jewellery with an outlay that puts it past the whole-amount
// threshold, where the fees fall.
void BM_BreakEvenSearchToday(benchmark::State& state) {
    UseTodayPrices(RegionUS);
    clsCalculate oAuction;
    oAuction.m_oOutlay.m_fOutlay = 4300;
    oAuction.m_oOutlay.m_lQuantity = 1;
    oAuction.m_oToday.m_sCategory = "jewelry";
    TimeBreakEvenSearch(state, oAuction);
    SetRegion(RegionUK);
}
BENCHMARK(BM_BreakEvenSearchToday)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// What the command-line calculator does per line: a fresh auction, its text loaded,
// calculated, and the figures read.
void BM_LoadAndCalculateAuctionText(benchmark::State& state) {
    UseUkPrices();
    const std::string sText =
        "[TYPE]000|False|False|3|0|0|0|False|[TYPE][OUTLAY]40|9.99|75|120|1|False[OUTLAY]"
        "[FEATURES]48|0[FEATURES][PAYPAL]True|0|1|False[PAYPAL]"
        "[POSTAGE]True|0.5|0|0|0|True|False|True|1.5|False[POSTAGE]";
    auto fnOne = [&] {
        clsCalculate oAuction;
        std::string sData = sText;
        oAuction.Serialize(sData, false);
        oAuction.DoCalc();
        const clsSellingCostFigures oFigures(oAuction);
        benchmark::DoNotOptimize(oFigures);
    };
    const double dAllocations = AllocationsPerCall(fnOne);
    for (auto _ : state)
        fnOne();
    state.counters["allocs/auction"] = dAllocations;
}
BENCHMARK(BM_LoadAndCalculateAuctionText)->Repetitions(5)->ReportAggregatesOnly(true);

// The least price that breaks even, on a copy of the full auction: budget 200 us.
void BM_BreakEvenSearch(benchmark::State& state) {
    UseUkPrices();
    clsCalculate oAuction;
    SetUpFullAuction(oAuction);
    TimeBreakEvenSearch(state, oAuction);
}
BENCHMARK(BM_BreakEvenSearch)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Every point of the profit chart for the full auction, break-even search included: the
// chart follows every edit, so this is spent on each one it is shown for.
void BM_ProfitCurve(benchmark::State& state) {
    UseUkPrices();
    clsCalculate oAuction;
    SetUpFullAuction(oAuction);
    size_t nPoints = 0;
    for (auto _ : state) {
        const clsProfitCurve oCurve = clsProfitCurve::Of(oAuction);
        nPoints = oCurve.m_aoPoints.size();
        benchmark::DoNotOptimize(oCurve.m_fHighestProfit);
    }
    state.counters["points"] = double(nPoints);
}
BENCHMARK(BM_ProfitCurve)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_LoadPriceFile(benchmark::State& state) {
    for (auto _ : state) {
        clsPrices oPrices;
        oPrices.LoadPriceFile(kUkPriceFile);
        benchmark::DoNotOptimize(oPrices.Count());
    }
}
BENCHMARK(BM_LoadPriceFile)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// A thousand range counts of 32,767 bands with no band given (34 KB): the load costs what
// the file holds, not what its counts claim. It took 6.4 s and 400 MB when the counts were
// filled in.
void BM_LoadRangeCounts(benchmark::State& state) {
    std::string sText;
    for (int i = 0; i < 1000; ++i)
        sText += "Range" + std::to_string(i) + "Ranges,32767\r\n";
    for (auto _ : state) {
        clsPrices oPrices;
        oPrices.LoadPriceText(sText);
        benchmark::DoNotOptimize(oPrices.Count());
    }
}
BENCHMARK(BM_LoadRangeCounts)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// Questions the fee components ask on every calculation, scalar and by range, with and
// without a shop duration suffix.
void BM_PriceQuestions(benchmark::State& state) {
    UseUkPrices();
    const clsPrices& oPrices = GetPrices();
    constexpr size_t kQuestions = 8;
    auto fnAsk = [&] {
        float fValue = 0;
        clsPriceRange oRange;
        benchmark::DoNotOptimize(oPrices.GetPrice("FeatureBold", fValue));
        benchmark::DoNotOptimize(
            oPrices.GetPrice("FeatureSupersizePictures", fValue, ShopDuration::Days120));
        benchmark::DoNotOptimize(oPrices.GetPrice("NoSuchPriceAnywhere", fValue));
        benchmark::DoNotOptimize(
            oPrices.HitTestRanges("Opening", 120.0f, oRange, ShopDuration::None));
        benchmark::DoNotOptimize(oPrices.HitTestRanges("FeaturePicturePack", 8.0f, oRange,
                                                       ShopDuration::GoodTilCancelled));
        benchmark::DoNotOptimize(
            oPrices.HitTestRanges("BusinessRatePoundsFixed", 15000.0f, oRange, ShopDuration::None));
        benchmark::DoNotOptimize(
            oPrices.HitTestRanges("FirstClass", 99.0f, oRange, ShopDuration::None)); // no band
        benchmark::DoNotOptimize(oPrices.GetRange("Final", 2, oRange, ShopDuration::None));
        benchmark::ClobberMemory();
    };
    const double dAllocations = AllocationsPerCall(fnAsk) / kQuestions;
    for (auto _ : state)
        fnAsk();
    state.counters["allocs/question"] = dAllocations;
    state.SetItemsProcessed(int64_t(state.iterations() * kQuestions));
    if (dAllocations > 0) state.SkipWithError("looking a price up allocated memory");
}
BENCHMARK(BM_PriceQuestions)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
