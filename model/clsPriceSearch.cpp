#include "clsPriceSearch.h"

#include "basNumbers.h"
#include "clsError.h"
#include "clsPrices.h"
#include "clsTodaySchedule.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

namespace {

// Ranges looked up by the expected end price (or by it times the quantity): their band
// bounds are the only places where a fee can jump as the price rises.
constexpr std::array<std::string_view, 9> kPriceRanges = {
    "OpeningFixed",
    "Final",
    "ShopFinal",
    "FinalMotor",
    "FeatureBuyItNow",
    "FeatureMotorBuyItNow",
    "FeatureMotorPoketBikesBuyItNow",
    "FeatureMotorPartsBuyItNow",
    "FeatureRealEstateBuyItNow",
};

// Below this many pennies between the lowest possible price and the first crossing, every
// penny is tried rather than only the band edges.
constexpr int64_t kScanAll = 48;
// PayPal rounds its fee to the penny, so one more penny of price can cost a whole penny of
// fee: the profit may dip for a penny or two. This many pennies below an answer are tried.
constexpr int64_t kDipWidth = 3;

} // namespace

clsPriceSearch::clsPriceSearch(const clsCalculate& oAuction) {
    m_oWork.Copy(oAuction);
    m_lScale = GetCurrencyScale();
    try { // postage does not depend on the price
        m_fPostageCharged = ToSingle(double(m_oWork.m_oPostage.DoCalc(&m_oWork.m_oOutlay)) +
                                     m_oWork.m_oPostage.DoCalcProfit());
    } catch (const clsError&) {
        m_fPostageCharged = 0;
    }
}

clsTodaySale clsPriceSearch::TodaySale() const {
    return {0, m_oWork.m_oOutlay.m_lQuantity, m_fPostageCharged};
}

std::optional<float> clsPriceSearch::BreakEvenPrice() {
    return Search(Goal::Profit, 0);
}

std::optional<float> clsPriceSearch::PriceForProfit(float fProfit) {
    return Search(Goal::Profit, fProfit);
}

std::optional<float> clsPriceSearch::PriceForMargin(float fPercent) {
    return Search(Goal::Margin, fPercent);
}

float clsPriceSearch::ProfitAt(float fPrice) {
    m_oWork.m_oOutlay.m_fEstimatedEndPrice = fPrice;
    m_oWork.DoCalc();
    return m_oWork.m_fProfit;
}

float clsPriceSearch::PriceOf(int64_t nPennies) const {
    return static_cast<float>(double(nPennies) / m_lScale);
}

bool clsPriceSearch::Reaches(int64_t nPennies) {
    ++m_lEvaluations;
    m_oWork.m_oOutlay.m_fEstimatedEndPrice = PriceOf(nPennies);
    m_oWork.DoCalc();
    const double dTarget =
        m_eGoal == Goal::Profit ? double(m_fTarget) : m_fTarget / 100.0 * m_oWork.m_fSellCost;
    return m_oWork.m_fProfit >= dTarget - kTolerance;
}

int64_t clsPriceSearch::Bisect(int64_t nLow, int64_t nHigh) {
    int64_t nBelow = nLow - 1; // treated as not reaching
    while (nHigh - nBelow > 1) {
        const int64_t nMid = nBelow + (nHigh - nBelow) / 2;
        if (Reaches(nMid))
            nHigh = nMid;
        else
            nBelow = nMid;
    }
    return nHigh;
}

int64_t clsPriceSearch::LowestPossiblePenny() {
    // Fees are never negative, so the profit is at most the takings from the items plus the
    // postage mark-up less the outlay; below that price nothing can reach the target.
    const int32_t lQuantity = m_oWork.m_oOutlay.m_lQuantity;
    if (lQuantity < 1) return 0;
    m_oWork.m_oOutlay.m_fEstimatedEndPrice = 0;
    m_oWork.DoCalc();
    const double dOutlay = m_oWork.m_oOutlay.DoCalc();
    double dNeeded = 0;
    if (m_eGoal == Goal::Profit)
        dNeeded = m_fTarget + dOutlay - m_oWork.m_fPostageProfit;
    else if (m_fTarget >= 0)
        dNeeded = (1 + m_fTarget / 100.0) * dOutlay - m_oWork.m_fPostageProfit;
    const double dPennies = std::floor(dNeeded * m_lScale / lQuantity) - 2;
    if (!(dPennies > 0)) return 0;
    // A floor past every price searched (a huge outlay or target) ends the search at once.
    return dPennies < double(kMaxPennies) ? static_cast<int64_t>(dPennies) : kMaxPennies;
}

std::vector<int64_t> clsPriceSearch::StepPennies(int64_t nLow, int64_t nHigh) const {
    if (const clsTodaySchedule* pToday = GetTodaySchedule())
        return pToday->StepPennies(m_oWork.m_oToday, TodaySale(), nLow, nHigh);
    std::vector<int64_t> anSteps;
    const int32_t lQuantity = std::max<int32_t>(m_oWork.m_oOutlay.m_lQuantity, 1);
    auto Add = [&](float fBound) {
        // A bound past the largest penny kept is past every price searched.
        int64_t nBound = 0;
        if (!ToPennies(fBound, m_lScale, nBound)) return;
        const double dBound = double(nBound);
        // A bound on the price times the quantity falls between whole pennies of price:
        // both neighbours start a new stretch.
        for (const int32_t lDivisor : {1, lQuantity}) {
            const double dPenny = dBound / lDivisor;
            for (const double d : {std::floor(dPenny), std::floor(dPenny) + 1, std::ceil(dPenny)})
                if (d > nLow && d < nHigh) anSteps.push_back(static_cast<int64_t>(d));
        }
    };
    // A band the file gives no line of lies at 0, below every price searched.
    for (const std::string_view sRange : kPriceRanges)
        for (const clsPriceBand& oBand : GetPrices().Bands(sRange, ShopDuration::None)) {
            Add(oBand.m_fStart);
            if (oBand.m_fEnd != -1.0f) Add(oBand.m_fEnd);
        }
    std::sort(anSteps.begin(), anSteps.end());
    anSteps.erase(std::unique(anSteps.begin(), anSteps.end()), anSteps.end());
    return anSteps;
}

std::optional<float> clsPriceSearch::Search(Goal eGoal, float fTarget) {
    m_eGoal = eGoal;
    m_fTarget = fTarget;
    m_lEvaluations = 0;
    if (const clsTodaySchedule* pToday = GetTodaySchedule()) return SearchToday(*pToday);
    const int64_t nCeiling = std::llround(double(kCeiling) * m_lScale);

    // A bracket by doubling, then the first crossing inside it by bisection.
    const int64_t nFloor = LowestPossiblePenny();
    if (nFloor > nCeiling) return std::nullopt;
    int64_t nBelow = nFloor - 1;
    int64_t nHigh = std::max<int64_t>(nFloor, 1);
    while (!Reaches(nHigh)) {
        if (nHigh >= nCeiling) return std::nullopt;
        nBelow = nHigh;
        nHigh = std::min(nHigh * 2, nCeiling);
    }
    int64_t nAnswer = Bisect(nBelow + 1, nHigh);

    // A lower stretch may reach the target before a band step pulls the profit back under
    // it. Between steps the profit rises with the price, so the top of each stretch tells
    // whether any penny of it reaches.
    if (nAnswer - nFloor <= kScanAll) {
        for (int64_t n = nFloor; n < nAnswer; ++n)
            if (Reaches(n)) {
                nAnswer = n;
                break;
            }
    } else {
        std::vector<int64_t> anStarts = StepPennies(nFloor, nAnswer);
        anStarts.insert(anStarts.begin(), nFloor);
        for (size_t i = 0; i < anStarts.size(); ++i) {
            const int64_t nStart = anStarts[i];
            const int64_t nEnd = i + 1 < anStarts.size() ? anStarts[i + 1] - 1 : nAnswer - 1;
            if (nEnd < nStart) continue;
            if (Reaches(nEnd)) {
                nAnswer = Bisect(nStart, nEnd);
                break;
            }
            if (nEnd > nStart && Reaches(nEnd - 1)) { // a rounding dip at the very top
                nAnswer = Bisect(nStart, nEnd - 1);
                break;
            }
        }
    }

    // PayPal's penny rounding: step down while a penny just below still reaches.
    for (int64_t k = 1; k <= kDipWidth && nAnswer - k >= nFloor; ++k)
        if (Reaches(nAnswer - k)) {
            nAnswer -= k;
            k = 0;
        }
    return PriceOf(nAnswer);
}
