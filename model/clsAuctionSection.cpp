#include "clsAuctionSection.h"

#include "basNumbers.h"
#include "clsError.h"

#include <algorithm>

clsAuctionSection::clsAuctionSection(std::string_view sData, std::string_view sMarker,
                                     bool bRequired) {
    const size_t nFirst = sData.find(sMarker);
    const size_t nSecond =
        nFirst == std::string_view::npos ? nFirst : sData.find(sMarker, nFirst + 1);
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
    m_oFields.Tokenise(sContent, "|");
}

bool clsAuctionSection::Field(int32_t lIndex, std::string_view& sField) const {
    if (lIndex < 0 || lIndex >= m_oFields.Count()) return false;
    sField = m_oFields.Element(lIndex);
    return true;
}

void clsAuctionSection::ReadFlag(int32_t lIndex, bool& bMember) const {
    std::string_view sField;
    if (!Field(lIndex, sField)) return;
    auto bEquals = [&](std::string_view sWord) {
        return std::equal(sField.begin(), sField.end(), sWord.begin(), sWord.end(),
                          [](char a, char b) { return std::tolower((unsigned char)a) == b; });
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

void clsAuctionSection::Append(std::string& sData, std::string_view sMarker,
                               std::initializer_list<std::string> asFields, bool bTrailingBar) {
    sData += sMarker;
    bool bFirst = true;
    for (const std::string& sField : asFields) {
        if (!bFirst) sData += '|';
        sData += sField;
        bFirst = false;
    }
    if (bTrailingBar) sData += '|';
    sData += sMarker;
}

std::string clsAuctionSection::SingleText(float fValue) {
    return FormatGeneral(fValue);
}
