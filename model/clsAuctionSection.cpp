#include "clsAuctionSection.h"

#include "basNumbers.h"
#include "clsError.h"

#include <algorithm>
#include <charconv>

namespace {
// Positions in a section are 16-bit, as in the tokeniser: a longer content is an overflow.
constexpr size_t kMaxContent = 32766;

// As sData.find(sMarker, nFrom), quicker on a line of many markers: a candidate is compared
// in place, character by character, and most fail on their second character.
size_t FindMarker(std::string_view sData, std::string_view sMarker, size_t nFrom) {
    const size_t nLength = sMarker.size();
    if (nLength == 0 || nLength > sData.size()) return std::string_view::npos;
    const size_t nLast = sData.size() - nLength;
    for (size_t i = sData.find(sMarker[0], nFrom); i <= nLast; i = sData.find(sMarker[0], i + 1)) {
        size_t n = 1;
        while (n < nLength && sData[i + n] == sMarker[n])
            ++n;
        if (n == nLength) return i;
    }
    return std::string_view::npos;
}
} // namespace

clsAuctionSection::clsAuctionSection(std::string_view sData, std::string_view sMarker,
                                     bool bRequired) {
    const size_t nFirst = FindMarker(sData, sMarker, 0);
    const size_t nSecond =
        nFirst == std::string_view::npos ? nFirst : FindMarker(sData, sMarker, nFirst + 1);
    if (nSecond == std::string_view::npos) {
        if (bRequired)
            throw clsError(ErrNumber::ObjectError, "",
                           "Failure loading section " + std::string(sMarker));
        return;
    }
    m_bFound = true;
    const size_t nStart = nFirst + sMarker.size();
    // Markers may overlap only in a malformed text ("[A[A]"): then the content is empty.
    const std::string_view sContent =
        nSecond > nStart ? sData.substr(nStart, nSecond - nStart) : std::string_view();
    if (sContent.size() > kMaxContent) clsError::Raise(ErrNumber::Overflow, "clsAuctionSection");
    // Fields are short: a plain walk beats a library search per field.
    size_t nField = 0;
    for (size_t i = 0; i <= sContent.size() && size_t(m_lCount) < kMaxFields; ++i) {
        if (i < sContent.size() && sContent[i] != '|') continue;
        if (i > nField) m_asFields[size_t(m_lCount++)] = sContent.substr(nField, i - nField);
        nField = i + 1;
    }
}

bool clsAuctionSection::Field(int32_t lIndex, std::string_view& sField) const {
    if (lIndex < 0 || lIndex >= m_lCount) return false;
    sField = m_asFields[size_t(lIndex)];
    return true;
}

void clsAuctionSection::ReadFlag(int32_t lIndex, bool& bMember) const {
    std::string_view sField;
    if (!Field(lIndex, sField)) return;
    // Letter case folded for plain letters only: the words are plain, and the locale's own
    // folding costs more than the rest of the field.
    auto bEquals = [&](std::string_view sWord) {
        return std::equal(sField.begin(), sField.end(), sWord.begin(), sWord.end(),
                          [](char a, char b) { return (a >= 'A' && a <= 'Z' ? a + 32 : a) == b; });
    };
    double dValue = 0;
    if (bEquals("true"))
        bMember = true;
    else if (bEquals("false"))
        bMember = false;
    else if (ParseNumber(sField, dValue))
        bMember = dValue != 0;
}

bool clsAuctionSection::ReadWhole(int32_t lIndex, int64_t lMin, int64_t lMax,
                                  int64_t& lValue) const {
    std::string_view sField;
    int64_t lRead = 0;
    if (!Field(lIndex, sField) || !ParseWhole(sField, lRead) || lRead < lMin || lRead > lMax)
        return false;
    lValue = lRead;
    return true;
}

void clsAuctionSection::ReadLong(int32_t lIndex, int32_t& lMember) const {
    ReadEnum(lIndex, lMember, INT32_MIN, INT32_MAX);
}

void clsAuctionSection::ReadSingle(int32_t lIndex, float& fMember) const {
    std::string_view sField;
    if (Field(lIndex, sField)) ParseSingle(sField, fMember);
}

clsAuctionSection::Writer::Writer(std::string& sData, std::string_view sMarker)
    : m_sData(sData), m_sMarker(sMarker) {
    m_sData += sMarker;
}

clsAuctionSection::Writer& clsAuctionSection::Writer::Text(std::string_view sField) {
    if (!m_bFirst) m_sData += '|';
    m_sData += sField;
    m_bFirst = false;
    return *this;
}

clsAuctionSection::Writer& clsAuctionSection::Writer::Whole(int64_t lValue) {
    char acDigits[24];
    const auto oResult = std::to_chars(acDigits, acDigits + sizeof acDigits, lValue);
    return Text(std::string_view(acDigits, size_t(oResult.ptr - acDigits)));
}

clsAuctionSection::Writer& clsAuctionSection::Writer::Single(float fValue) {
    return Text(FormatGeneral(fValue));
}

void clsAuctionSection::Writer::End(bool bTrailingBar) {
    if (bTrailingBar) m_sData += '|';
    m_sData += m_sMarker;
}
