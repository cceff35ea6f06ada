#include "clsTokeniser.h"

#include "clsError.h"

namespace {
constexpr size_t kInitialSlots = 51; // indexes 0 to 50
constexpr size_t kGrowBy = 50;
constexpr size_t kMaxLength = 32766; // positions are 16-bit
} // namespace

clsTokeniser::clsTokeniser() {
    ResetArray();
}

void clsTokeniser::ResetArray() {
    // Slots at and beyond the count are always empty: only the tokens need clearing. The
    // slots the last trim removed come back empty.
    for (int32_t i = 0; i < m_lCount && size_t(i) < m_asTokens.size(); ++i)
        m_asTokens[size_t(i)].clear();
    m_lCount = 0;
    m_asTokens.resize(kInitialSlots);
}

void clsTokeniser::TrimArray() {
    m_asTokens.resize(m_lCount > 0 ? size_t(m_lCount) : 1);
}

int32_t clsTokeniser::Tokenise(std::string_view sData, std::string_view sToken) {
    m_sToken = sToken;
    ResetArray();
    if (sData.size() > kMaxLength) clsError::Raise(ErrNumber::Overflow, "clsTokeniser");

    // 1-based positions as the split is defined: a field runs from "start" up to the
    // separator at "last" (or past the end of the text).
    const size_t nLen = sData.size();
    const size_t nSep = m_sToken.size();
    size_t nLast = 0;
    for (bool bFirst = true;; bFirst = false) {
        // The first field starts at the first character, whatever the separator's length.
        const size_t nStart = bFirst ? 1 : nLast + nSep;
        const size_t nFound = nSep == 0 || nStart > nLen + 1 ? std::string_view::npos
                                                             : sData.find(m_sToken, nStart - 1);
        nLast = nFound == std::string_view::npos ? nLen + 1 : nFound + 1;
        if (nSep == 0) nLast = nLen + 1;
        const size_t nFrom = nStart - 1 < nLen ? nStart - 1 : nLen;
        AddToArray(nLast > nStart ? sData.substr(nFrom, nLast - nStart) : std::string_view());
        if (nLast >= nLen) break;
    }
    TrimArray();
    return m_lCount;
}

const std::string& clsTokeniser::Element(int32_t lElementIdx) const {
    if (lElementIdx < 0 || size_t(lElementIdx) >= m_asTokens.size())
        clsError::Raise(ErrNumber::SubscriptOutOfRange, "clsTokeniser");
    return m_asTokens[size_t(lElementIdx)];
}

void clsTokeniser::AddToArray(std::string_view sData) {
    if (sData.empty()) {
        m_bParsedBlank = true;
        return;
    }
    if (size_t(m_lCount) + 1 >= m_asTokens.size()) m_asTokens.resize(m_asTokens.size() + kGrowBy);
    m_asTokens[size_t(m_lCount)] = sData;
    ++m_lCount;
}

std::string clsTokeniser::GetFlattenedSegments(int32_t lFrom) {
    TrimArray();
    std::string sResult;
    for (int32_t i = lFrom; i < int32_t(m_asTokens.size()); ++i) {
        const std::string& sElement = Element(i);
        if (!sResult.empty()) sResult += m_sToken;
        sResult += sElement;
    }
    return sResult;
}

int32_t clsTokeniser::Find(std::string_view sElement, bool bFindSimilar) const {
    for (size_t i = 0; i < m_asTokens.size(); ++i) {
        const std::string& sToken = m_asTokens[i];
        if (sToken == sElement) return int32_t(i);
        if (bFindSimilar && sToken.find(sElement) != std::string::npos) return int32_t(i);
    }
    return -1;
}
