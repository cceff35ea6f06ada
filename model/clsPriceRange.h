#pragma once

#include <cstdint>

// How long a shop inventory listing runs. The value is stored in auction files and
// selects the suffix that price names carry ("FeatureBold" + "30").
enum class ShopDuration : int32_t {
    Days30 = 0,
    Days90 = 1,
    GoodTilCancelled = 2,
    None = 3,
    Days60 = 4,
    Days120 = 5,
};

// One band of a named price range, filled by the price table.
class clsPriceRange {
public:
    int16_t m_nCount = 0; // bands in the range
    int16_t m_nIndex = 0; // 1-based band held; 0 after a failed hit test
    float m_fStart = 0;   // inclusive lower bound
    float m_fEnd = 0;     // inclusive upper bound; exactly -1 for no upper bound
    float m_fValue = 0;   // amount or percentage, as the asker decides
};

// A band as the price file gives it, for callers that walk every band of a range.
struct clsPriceBand {
    int16_t m_nIndex = 0; // 1-based band number
    float m_fStart = 0;
    float m_fEnd = 0; // exactly -1 for no upper bound
    float m_fValue = 0;
};
