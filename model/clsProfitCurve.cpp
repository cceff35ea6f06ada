#include "clsProfitCurve.h"

#include "basNumbers.h"
#include "clsCalculate.h"
#include "clsError.h"
#include "clsPriceSearch.h"
#include "clsPrices.h"

#include <algorithm>
#include <cmath>

namespace {

// Intervals the price axis is cut into, about: few enough for a narrow chart to label.
constexpr int32_t kIntervals = 4;
// The stretch runs from half to one and a half times the estimate, and a fifth past the
// break-even price on its side.
constexpr double kBelowEstimate = 0.5;
constexpr double kAboveEstimate = 1.5;
constexpr double kBeyondBreakEven = 0.2;
// A stretch narrower than this many whole units of money is widened to it: a 99p item is
// drawn from 0 to 2.
constexpr double kNarrowest = 2;

} // namespace

double clsProfitCurve::NiceStep(double dSpan, int32_t lIntervals) {
    const double dRaw = dSpan / std::max(lIntervals, 1);
    if (!(dRaw > 0) || !std::isfinite(dRaw)) return 1;
    const double dPower = std::pow(10.0, std::floor(std::log10(dRaw)));
    const double dNorm = dRaw / dPower;
    // Within a rounding error of a round step counts as that step.
    for (const double dNice : {1.0, 2.0, 5.0})
        if (dNorm <= dNice * (1 + 1e-9)) return dNice * dPower;
    return 10 * dPower;
}

clsProfitCurve clsProfitCurve::Of(const clsCalculate& oAuction) {
    clsPriceSearch oSearch(oAuction);
    const std::optional<float> ofBreakEven = oSearch.BreakEvenPrice();
    return Draw(oSearch, oAuction.m_oOutlay.m_fEstimatedEndPrice, ofBreakEven);
}

clsProfitCurve clsProfitCurve::Of(const clsCalculate& oAuction, std::optional<float> ofBreakEven) {
    clsPriceSearch oSearch(oAuction);
    return Draw(oSearch, oAuction.m_oOutlay.m_fEstimatedEndPrice, ofBreakEven);
}

clsProfitCurve clsProfitCurve::Draw(clsPriceSearch& oSearch, float fEstimate,
                                    std::optional<float> ofBreakEven) {
    clsProfitCurve o;
    const int32_t lScale = oSearch.Scale();
    // An estimate too large to count in pennies cannot be drawn: reported, never wrapped.
    auto Penny = [lScale](double dPrice) {
        int64_t nPennies = 0;
        if (!ToPennies(dPrice, lScale, nPennies))
            clsError::Raise(ErrNumber::Overflow, "clsProfitCurve");
        return nPennies;
    };

    o.m_fEstimate = std::max(fEstimate, 0.0f);
    o.m_ofBreakEven = ofBreakEven;

    double dLow = o.m_fEstimate * kBelowEstimate;
    double dHigh = o.m_fEstimate * kAboveEstimate;
    if (o.m_ofBreakEven) {
        dLow = std::min(dLow, *o.m_ofBreakEven * (1 - kBeyondBreakEven));
        dHigh = std::max(dHigh, *o.m_ofBreakEven * (1 + kBeyondBreakEven));
    }
    dHigh = std::max(dHigh, dLow + kNarrowest);
    const double dStep = std::max(NiceStep(dHigh - dLow, kIntervals), 1.0 / lScale);
    const int64_t nFrom = std::max<int64_t>(Penny(std::floor(dLow / dStep) * dStep), 0);
    const int64_t nTo = Penny(std::ceil(dHigh / dStep) * dStep);
    o.m_fFrom = oSearch.PriceOf(nFrom);
    o.m_fTo = oSearch.PriceOf(nTo);
    o.m_fStep = static_cast<float>(dStep);

    std::vector<int64_t> anPennies;
    anPennies.reserve(kSamples + 64);
    for (int32_t i = 0; i <= kSamples; ++i)
        anPennies.push_back(nFrom + std::llround(double(nTo - nFrom) * i / kSamples));
    anPennies.push_back(Penny(o.m_fEstimate));
    if (o.m_ofBreakEven) anPennies.push_back(Penny(*o.m_ofBreakEven));
    for (const int64_t nStep : oSearch.StepPennies(nFrom, nTo)) {
        anPennies.push_back(nStep - 1);
        anPennies.push_back(nStep);
    }
    std::sort(anPennies.begin(), anPennies.end());
    anPennies.erase(std::unique(anPennies.begin(), anPennies.end()), anPennies.end());

    o.m_aoPoints.reserve(anPennies.size());
    for (const int64_t nPenny : anPennies) {
        const float fPrice = oSearch.PriceOf(nPenny);
        o.m_aoPoints.push_back({fPrice, oSearch.ProfitAt(fPrice)});
    }
    o.m_fEstimateProfit = oSearch.ProfitAt(o.m_fEstimate);
    const auto [itLow, itHigh] = std::minmax_element(
        o.m_aoPoints.begin(), o.m_aoPoints.end(),
        [](const clsPoint& a, const clsPoint& b) { return a.m_fProfit < b.m_fProfit; });
    o.m_fLowestProfit = itLow->m_fProfit;
    o.m_fHighestProfit = itHigh->m_fProfit;
    return o;
}
