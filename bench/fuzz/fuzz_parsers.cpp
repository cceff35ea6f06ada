// Fuzz drivers. Built for libFuzzer, GAVELRY_FUZZ_TOKENISER, GAVELRY_FUZZ_PRICES,
// GAVELRY_FUZZ_AUCTION or GAVELRY_FUZZ_INSIGHT chooses the driver; a crash, a sanitizer
// report, an exception other than clsError or a broken property (__builtin_trap) ends the
// run with the input saved. The sanitizer build runs the same drivers without libFuzzer
// (tests/fuzz_runner.cpp).

#include "fuzz_drivers.h"

#include "basCommon.h"
#include "clsCalculate.h"
#include "clsError.h"
#include "clsFeeHints.h"
#include "clsMoneyBreakdown.h"
#include "clsPriceSearch.h"
#include "clsPrices.h"
#include "clsProfitCurve.h"
#include "clsSellingCostFigures.h"
#include "clsTokeniser.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace {

void Require(bool bCondition) {
    if (!bCondition) __builtin_trap();
}

// Loaded once: a process runs one driver.
void UseShippedUkPrices() {
    static const bool bLoaded = [] {
        SetRegion(RegionUK);
        auto oPrices = std::make_unique<clsPrices>();
        oPrices->LoadPriceFile(GAVELRY_DATA_DIR "/UpdateUK_v0102.dat");
        SetPrices(std::move(oPrices));
        return true;
    }();
    (void)bLoaded;
}

// A price the searches give: none, or a price from 0 up to their ceiling.
void RequireSearched(const std::optional<float>& ofPrice) {
    Require(!ofPrice || (*ofPrice >= 0 && *ofPrice <= clsPriceSearch::kCeiling));
}

} // namespace

void FuzzSetUp() {
    SetShowMessageHandler(
        [](const std::string&, int32_t, const std::string&) { return MsgBox::ResultOK; });
}

void FuzzTokeniser(std::string_view sInput) {
    if (sInput.empty()) return;
    // The first byte is the separator: every caller splits at one character.
    const std::string_view sSeparator = sInput.substr(0, 1);
    sInput.remove_prefix(1);
    clsTokeniser o;
    const int32_t lCount = o.Tokenise(sInput, sSeparator);
    for (int32_t i = 0; i < lCount; ++i) {
        Require(!o.Element(i).empty());
        Require(o.Element(i).find(sSeparator) == std::string::npos);
    }
    const std::string sJoined = o.GetFlattenedSegments(0);
    clsTokeniser oAgain;
    Require(oAgain.Tokenise(sJoined, sSeparator) == lCount);
    for (int32_t i = 0; i < lCount; ++i)
        Require(oAgain.Element(i) == o.Element(i));
}

void FuzzPrices(std::string_view sInput) {
    auto oPrices = std::make_unique<clsPrices>();
    oPrices->LoadPriceText("Earlier,42\r\n");
    try {
        oPrices->LoadPriceText(sInput);
    } catch (const clsError&) {
        // A failed load keeps the table it had.
        float f = 0;
        Require(oPrices->Count() == 1 && oPrices->GetPrice("earlier", f) && f == 42.0f);
        return;
    }
    SetPrices(std::move(oPrices));
    static const std::string kAuction =
        "[TYPE]000|False|False|3|0|0|0|False|[TYPE][OUTLAY]10|9.99|20|25|1|True[OUTLAY]"
        "[FEATURES]311295|8[FEATURES][PAYPAL]True|2|3|False[PAYPAL]"
        "[POSTAGE]True|0.5|0|0|0|True|True|True|1.5|False[POSTAGE]";
    clsCalculate oAuction;
    std::string sText = kAuction;
    oAuction.Serialize(sText, false);
    try {
        oAuction.DoCalc();
        clsSellingCostFigures(oAuction).ProfitText();
    } catch (const clsError&) {
    }
}

void FuzzAuction(std::string_view sInput) {
    UseShippedUkPrices();
    clsCalculate oAuction;
    std::string sText(sInput);
    oAuction.Serialize(sText, false);
    Require(sText == sInput);
    // Saving what was loaded gives a text that loads and saves to itself.
    std::string sSaved;
    oAuction.Serialize(sSaved, true);
    clsCalculate oReloaded;
    std::string sCopy = sSaved;
    oReloaded.Serialize(sCopy, false);
    std::string sResaved;
    oReloaded.Serialize(sResaved, true);
    Require(sResaved == sSaved);
    try {
        oAuction.DoCalc();
        clsSellingCostFigures(oAuction).ProfitText();
    } catch (const clsError&) {
    }
}

void FuzzInsight(std::string_view sInput) {
    UseShippedUkPrices();
    clsCalculate oAuction;
    std::string sText(sInput);
    oAuction.Serialize(sText, false);
    // Targets from the auction's own fuzzed amounts: huge, tiny and negative ones come too.
    const float fTargetProfit = oAuction.m_oOutlay.m_fReservePrice;
    const float fTargetMargin = oAuction.m_oOutlay.m_fStartingPrice;
    std::optional<float> ofBreakEven;
    try {
        clsPriceSearch oSearch(oAuction);
        ofBreakEven = oSearch.BreakEvenPrice();
        RequireSearched(ofBreakEven);
        // The price found breaks even when the auction is run at it.
        if (ofBreakEven) Require(oSearch.ProfitAt(*ofBreakEven) >= -clsPriceSearch::kTolerance);
        RequireSearched(oSearch.PriceForProfit(fTargetProfit));
        RequireSearched(oSearch.PriceForMargin(fTargetMargin));
    } catch (const clsError&) {
    }
    try {
        const clsProfitCurve oCurve = clsProfitCurve::Of(oAuction, ofBreakEven);
        Require(oCurve.m_fFrom <= oCurve.m_fTo && !oCurve.m_aoPoints.empty());
        for (size_t i = 1; i < oCurve.m_aoPoints.size(); ++i)
            Require(oCurve.m_aoPoints[i - 1].m_fPrice <= oCurve.m_aoPoints[i].m_fPrice);
    } catch (const clsError&) {
    }
    try {
        for (const clsFeeHint& oHint : clsFeeHints::Find(oAuction))
            Require(oHint.m_fSuggestedPrice < oHint.m_fCurrentPrice &&
                    oHint.m_fSuggestedFee < oHint.m_fCurrentFee);
    } catch (const clsError&) {
    }
    try {
        oAuction.DoCalc();
        clsMoneyBreakdown::Of(oAuction);
    } catch (const clsError&) {
    }
}

#if !defined(GAVELRY_FUZZ_RUNNER)
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzSetUp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    const std::string_view sInput(reinterpret_cast<const char*>(pData), nSize);
#if defined(GAVELRY_FUZZ_TOKENISER)
    FuzzTokeniser(sInput);
#elif defined(GAVELRY_FUZZ_PRICES)
    FuzzPrices(sInput);
#elif defined(GAVELRY_FUZZ_INSIGHT)
    FuzzInsight(sInput);
#else
    FuzzAuction(sInput);
#endif
    return 0;
}
#endif
