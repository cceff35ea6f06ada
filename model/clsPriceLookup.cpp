#include "clsPriceLookup.h"

#include "clsError.h"

#include <algorithm>
#include <cmath>

namespace {

// A range's band count: halves round to even; raises when it does not fit 16 bits.
int16_t CountOf(float fValue) {
    const double dCount = std::nearbyint(double(fValue));
    if (dCount < -32768 || dCount > 32767) clsError::Raise(ErrNumber::Overflow, "clsPrices");
    return static_cast<int16_t>(dCount);
}

} // namespace

int16_t clsPriceLookup::Range::Count() const {
    if (!m_pCount || !m_pCount->bNumeric) clsError::Raise(ErrNumber::TypeMismatch, "clsPrices");
    return CountOf(m_pCount->fValue);
}

void clsPriceLookup::Range::Band(int16_t nBand, clsPriceRange& oRange) const {
    const auto& aBands = m_pCount->aBands;
    const auto it =
        std::lower_bound(aBands.begin(), aBands.end(), nBand,
                         [](const clsPriceBand& oBand, int16_t n) { return oBand.m_nIndex < n; });
    const bool bGiven = it != aBands.end() && it->m_nIndex == nBand;
    oRange.m_fStart = bGiven ? it->m_fStart : 0.0f;
    oRange.m_fEnd = bGiven ? it->m_fEnd : 0.0f;
    oRange.m_fValue = bGiven ? it->m_fValue : 0.0f;
}

bool clsPriceLookup::Range::HitTest(float fHitTestValue, clsPriceRange& oResultantRange) const {
    const int16_t nCount = Count();
    oResultantRange.m_nCount = nCount;
    auto Hold = [&oResultantRange](int16_t nBand, float fStart, float fEnd, float fValue) {
        oResultantRange.m_nIndex = nBand;
        oResultantRange.m_fStart = fStart;
        oResultantRange.m_fEnd = fEnd;
        oResultantRange.m_fValue = fValue;
    };
    // Bands are tested in order. One the file gives no line of is 0 to 0, which holds only 0.
    int16_t nNext = 1; // the first band not tested yet
    for (const clsPriceBand& oBand : m_pCount->aBands) {
        if (fHitTestValue == 0 && oBand.m_nIndex > nNext) {
            Hold(nNext, 0, 0, 0);
            return true;
        }
        if ((oBand.m_fStart <= fHitTestValue && fHitTestValue <= oBand.m_fEnd) ||
            (oBand.m_fEnd == -1.0f && fHitTestValue >= oBand.m_fStart)) {
            Hold(oBand.m_nIndex, oBand.m_fStart, oBand.m_fEnd, oBand.m_fValue);
            return true;
        }
        nNext = int16_t(oBand.m_nIndex + 1);
    }
    if (fHitTestValue == 0 && nNext <= nCount) {
        Hold(nNext, 0, 0, 0);
        return true;
    }
    // No band holds it: the record keeps the last band, as a walk through all of them would.
    if (nCount >= 1) {
        const auto& aBands = m_pCount->aBands;
        if (!aBands.empty() && aBands.back().m_nIndex == nCount)
            Hold(nCount, aBands.back().m_fStart, aBands.back().m_fEnd, aBands.back().m_fValue);
        else
            Hold(nCount, 0, 0, 0);
    }
    oResultantRange.m_nIndex = 0;
    return false;
}

std::span<const clsPriceBand> clsPriceLookup::Range::Bands() const {
    if (!m_pCount) return {};
    Count(); // a count that is not a number raises
    return m_pCount->aBands;
}

int32_t CurrencyScaleOf(const clsPriceLookup& oPrices) {
    std::string sFormat;
    if (!oPrices.GetData("CurrencyFormat", sFormat)) return 1;
    const size_t nPoint = sFormat.find('.');
    if (nPoint == std::string::npos) return 1;
    int32_t lScale = 1;
    for (size_t i = nPoint + 1; i < sFormat.size() && lScale < 1000000000; ++i)
        lScale *= 10;
    return lScale;
}
