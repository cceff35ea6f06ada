#pragma once

#include <cstdint>
#include <optional>
#include <vector>

class clsCalculate;
class clsPriceSearch;

// The profit against the expected end price over a stretch of prices around the estimate,
// everything else as the auction has it: what the profit chart draws. The stretch has round
// ends and takes in the break-even price: a £100 estimate breaking even at £44.48 is drawn
// from £0 to £150 in steps of £50.
struct clsProfitCurve {
    struct clsPoint {
        float m_fPrice;
        float m_fProfit;
    };

    float m_fFrom = 0; // first and last price drawn, whole multiples of m_fStep
    float m_fTo = 0;
    float m_fStep = 0; // between the round prices marked on the price axis
    float m_fEstimate = 0;
    float m_fEstimateProfit = 0;
    std::optional<float> m_ofBreakEven; // none when no price up to the ceiling breaks even
    // Rising prices from m_fFrom to m_fTo: even samples, the estimate, the break-even price
    // and both pennies beside every fee band bound, so steps and kinks are drawn where they are.
    std::vector<clsPoint> m_aoPoints;
    float m_fLowestProfit = 0;
    float m_fHighestProfit = 0;

    // Even samples across the stretch, before the marked prices are added.
    static constexpr int32_t kSamples = 48;

    // Works on a copy: oAuction and its figures are left as they were.
    static clsProfitCurve Of(const clsCalculate& oAuction);
    // The same when the auction's break-even price has been found already.
    static clsProfitCurve Of(const clsCalculate& oAuction, std::optional<float> ofBreakEven);

    // The round step (1, 2 or 5 times a power of ten) nearest above dSpan / lIntervals:
    // 120 over 6 -> 20, 0.3 over 6 -> 0.05.
    static double NiceStep(double dSpan, int32_t lIntervals);

private:
    // The curve on a search over the auction, whose break-even price is known.
    static clsProfitCurve Draw(clsPriceSearch& oSearch, float fEstimate,
                               std::optional<float> ofBreakEven);
};
