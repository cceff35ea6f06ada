#pragma once

#include "clsTokeniser.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// One section of the auction text: its marker, the fields joined by "|", the marker
// again ("[OUTLAY]0|12.5|0|0|1|False[OUTLAY]"). Each fee component reads and writes its
// own section through this class.
class clsAuctionSection {
public:
    // Finds the section sMarker in sData. A missing section (or one without its closing
    // marker) raises "Failure loading section " + marker when bRequired, else it reads as
    // having no fields, so every Read leaves its member unchanged.
    clsAuctionSection(std::string_view sData, std::string_view sMarker, bool bRequired);

    bool Found() const { return m_bFound; }

    // Each Read converts field lIndex (zero-based) into the member; a missing field or
    // one that does not convert leaves the member as it was.
    void ReadFlag(int32_t lIndex, bool& bMember) const;
    void ReadLong(int32_t lIndex, int32_t& lMember) const;
    void ReadSingle(int32_t lIndex, float& fMember) const;
    // Whole number within [lMin, lMax], for enumerations stored as bytes or 16-bit values.
    template <typename T>
    void ReadEnum(int32_t lIndex, T& eMember, int64_t lMin, int64_t lMax) const {
        int64_t lValue = 0;
        if (ReadWhole(lIndex, lMin, lMax, lValue)) eMember = static_cast<T>(lValue);
    }

    // Appends marker, fields joined by "|" (plus one more "|" with bTrailingBar), marker.
    static void Append(std::string& sData, std::string_view sMarker,
                       std::initializer_list<std::string> asFields, bool bTrailingBar = false);
    static std::string FlagText(bool bValue) { return bValue ? "True" : "False"; }
    static std::string WholeText(int64_t lValue) { return std::to_string(lValue); }
    static std::string SingleText(float fValue);

private:
    bool Field(int32_t lIndex, std::string_view& sField) const;
    bool ReadWhole(int32_t lIndex, int64_t lMin, int64_t lMax, int64_t& lValue) const;

    clsTokeniser m_oFields;
    bool m_bFound = false;
};
