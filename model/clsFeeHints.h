#pragma once

#include "clsCalculate.h"

#include <string>
#include <vector>

// A price a little lower than the one set that falls into a band with a lower fee.
struct clsFeeHint {
    enum class Field { StartingPrice, ReservePrice, BuyItNowPrice };
    Field m_eField = Field::StartingPrice;
    float m_fCurrentPrice = 0;
    float m_fSuggestedPrice = 0;
    float m_fCurrentFee = 0;
    float m_fSuggestedFee = 0;
    // "Start at £4.99: insertion fee £0.20 instead of £0.35"
    std::string m_sText;
};

// Looks for cheaper fee bands just below the starting, reserve and Buy It Now prices of an
// auction: at most 2 % or 1.00 lower, whichever is less. Works on a copy of the auction.
class clsFeeHints {
public:
    static std::vector<clsFeeHint> Find(const clsCalculate& oAuction);
};
