#pragma once

#include <cstdint>
#include <optional>
#include <string>

class clsCalculate;

// The figures the selling costs summary shows for a calculated auction.
class clsSellingCostFigures {
public:
    // Reads the figures of an auction on which DoCalc has run.
    explicit clsSellingCostFigures(const clsCalculate& oAuction);

    float m_fInsertionFee = 0;
    float m_fReserveFee = 0;
    float m_fFinalValueFee = 0;
    float m_fTotalListingFee = 0; // insertion fee plus the listing upgrades
    float m_fSellingCost = 0;
    float m_fPostage = 0;
    float m_fPostageProfit = 0;
    float m_fPayPalFee = 0;
    float m_fProfit = 0;
    // Whole percent of profit on selling cost, shown only when both are positive.
    std::optional<int32_t> m_lProfitPercent;

    // Profit as shown: "£12.50 (25%)", or the money text alone.
    std::string ProfitText() const;

    // Truncated percentage of profit on selling cost: (12.5, 50) -> 25; none unless both > 0.
    static std::optional<int32_t> ProfitPercent(float fProfit, float fSellCost);
};
