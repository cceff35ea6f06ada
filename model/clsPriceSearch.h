#pragma once

#include "clsCalculate.h"

#include <cstdint>
#include <optional>
#include <vector>

class clsTodaySchedule;
struct clsTodaySale;

// Finds the least expected end price that gives an auction a wanted profit. Works on its
// own copy of the auction, so the caller's auction and its figures are left alone.
//
// "Least" means the least whole-penny price p, from 0 up to kCeiling, whose calculation
// gives profit(p) >= target(p). Profit is not smooth in the price: a fee band step can
// lower it as the price rises, and PayPal's rounding makes penny-sized dips. So p need
// not be the only crossing; every lower price is checked, band by band, not to reach it.
class clsPriceSearch {
public:
    static constexpr float kCeiling = 1000000.0f;

    explicit clsPriceSearch(const clsCalculate& oAuction);
    clsPriceSearch(const clsPriceSearch&) = delete;
    clsPriceSearch& operator=(const clsPriceSearch&) = delete;

    // Least price at which the profit is at least 0.
    std::optional<float> BreakEvenPrice();
    // Least price at which the profit is at least fProfit.
    std::optional<float> PriceForProfit(float fProfit);
    // Least price at which the profit is at least fPercent / 100 x the selling cost there.
    std::optional<float> PriceForMargin(float fPercent);

    // The profit of the auction at a price (a forward calculation).
    float ProfitAt(float fPrice);
    // Pennies inside (nLow, nHigh) that start a stretch of a price-decided fee band: the
    // profit can jump only between the penny before one of these and it.
    std::vector<int64_t> StepPennies(int64_t nLow, int64_t nHigh) const;
    // Smallest units of money in one: 100 for "0.00"; 499 pennies -> 4.99.
    int32_t Scale() const { return m_lScale; }
    float PriceOf(int64_t nPennies) const;
    // Calculations the last search made.
    int32_t Evaluations() const { return m_lEvaluations; }

    // Float noise of a sum of single-precision figures: a profit this close to the target
    // shows as the target, so it counts as reaching it.
    static constexpr float kTolerance = 0.00005f;

private:
    enum class Goal { Profit, Margin };
    std::optional<float> Search(Goal eGoal, float fTarget);
    // The search under today's schedule (clsPriceSearchToday.cpp), whose fees can fall as the
    // price rises past a whole-amount threshold and whose slope can be anything.
    std::optional<float> SearchToday(const clsTodaySchedule& oSchedule);
    clsTodaySale TodaySale() const;
    bool Reaches(int64_t nPennies);
    // Least reaching penny in [nLow, nHigh], where nHigh reaches and the profit does not
    // fall inside the interval.
    int64_t Bisect(int64_t nLow, int64_t nHigh);
    int64_t LowestPossiblePenny();

    clsCalculate m_oWork;
    int32_t m_lScale = 100;
    Goal m_eGoal = Goal::Profit;
    float m_fTarget = 0;
    int32_t m_lEvaluations = 0;
    float m_fPostageCharged = 0; // postage cost and mark-up: part of today's fee base
};
