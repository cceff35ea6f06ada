// The least-penny price search under today's schedule.
//
// Between two step pennies (clsTodaySchedule::StepPennies) every fee is a fixed percentage of
// the sale total, so the exact profit is a straight line in the price, with a slope that may
// be positive (the usual case), negative (a high promoted-listing ad rate) or nil. The
// calculated profit strays from that line by at most the fees' penny rounding and the float
// noise of the sums. So in a rising stretch no price more than a few pennies (W) below one
// that misses the target can reach it, and in a falling stretch none more than W above one
// that misses: each stretch is settled by a window of W pennies and a bisection, exactly.
// A whole-amount threshold, where the fees fall as the price rises, is only a step between
// two stretches.
#include "clsPriceSearch.h"

#include "clsTodayInputs.h"
#include "clsTodaySchedule.h"

#include <algorithm>
#include <cmath>

namespace {

// Past this many prices tried the search gives the least found so far: reached only when the
// fees take within a hair of every penny of price, so that the profit barely moves.
constexpr int32_t kMostEvaluations = 4'000'000;

} // namespace

std::optional<float> clsPriceSearch::SearchToday(const clsTodaySchedule& oSchedule) {
    const int64_t nCeiling = std::llround(double(kCeiling) * m_lScale);
    const int64_t nFloor = LowestPossiblePenny();
    if (nFloor > nCeiling) return std::nullopt;
    const clsTodaySale oSale = TodaySale();
    const clsTodayInputs& oInputs = m_oWork.m_oToday;
    const int32_t lQuantity = m_oWork.m_oOutlay.m_lQuantity;
    if (lQuantity < 1) // the price sells nothing: the profit does not depend on it
        return Reaches(nFloor) ? std::optional<float>(PriceOf(nFloor)) : std::nullopt;

    // A margin goal weighs the fees once more, by the margin, as part of the selling cost.
    const double dMargin = m_eGoal == Goal::Margin ? m_fTarget / 100.0 : 0.0;
    const double dSpread =
        double(oSchedule.RoundingSpread(oInputs, oSale)) * (1 + std::fabs(dMargin));

    std::vector<int64_t> anStarts = oSchedule.StepPennies(oInputs, oSale, nFloor, nCeiling);
    anStarts.insert(anStarts.begin(), nFloor);
    // The least reaching penny in [nFrom, nTo], trying each in turn; -1 when none reaches.
    auto Scan = [&](int64_t nFrom, int64_t nTo) -> int64_t {
        for (int64_t n = nFrom; n <= nTo && m_lEvaluations < kMostEvaluations; ++n)
            if (Reaches(n)) return n;
        return -1;
    };
    for (size_t i = 0; i < anStarts.size(); ++i) {
        const int64_t nStart = anStarts[i];
        const int64_t nEnd = i + 1 < anStarts.size() ? anStarts[i + 1] - 1 : nCeiling;
        if (nEnd < nStart) continue;
        // Slope of the goal in pennies per penny of price, and how far from its line the
        // calculated figure can be: rounding, and single-precision sums of the larger amounts.
        const double dSlope =
            lQuantity * (1 - oSchedule.FeeSlope(oInputs, oSale, nStart) * (1 + dMargin));
        const double dFloatNoise =
            8.0 * lQuantity * double(nEnd) * std::ldexp(1.0, -23) * (1 + std::fabs(dMargin)) +
            double(kTolerance) * m_lScale + 1;
        const double dWidth = std::fabs(dSlope) > 1e-12
                                  ? std::ceil(2 * (dSpread + dFloatNoise) / std::fabs(dSlope)) + 2
                                  : double(nEnd - nStart) + 1;
        const int64_t nWidth =
            dWidth >= double(nEnd - nStart) ? nEnd - nStart : static_cast<int64_t>(dWidth);
        int64_t nFound = -1;
        if (nWidth >= nEnd - nStart) {
            nFound = Scan(nStart, nEnd);
        } else if (dSlope < 0) {
            // Falling: a price that reaches lies within the width above the start.
            nFound = Scan(nStart, nStart + nWidth);
        } else {
            // Rising: a price that reaches lies within the width below the end, and the least
            // one within the width below the first crossing a bisection finds.
            const int64_t nSeen = Scan(nEnd - nWidth, nEnd);
            if (nSeen >= 0) {
                const int64_t nCross = nSeen == nEnd - nWidth ? Bisect(nStart, nSeen) : nSeen;
                nFound = Scan(std::max(nStart, nCross - 1 - nWidth), nCross);
            }
        }
        if (nFound >= 0) return PriceOf(nFound);
        if (m_lEvaluations >= kMostEvaluations) break;
    }
    return std::nullopt;
}
