#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// One section of the auction text: its marker, the fields joined by "|", the marker
// again ("[OUTLAY]0|12.5|0|0|1|False[OUTLAY]"). Each fee component reads and writes its
// own section through this class.
class clsAuctionSection {
public:
    // Finds the section sMarker in sData, which must outlive this object: the fields are read
    // where they stand. A missing section (or one without its closing marker) raises "Failure
    // loading section " + marker when bRequired, else it reads as having no fields, so every
    // Read leaves its member unchanged. Empty fields are dropped, as the tokeniser drops them.
    clsAuctionSection(std::string_view sData, std::string_view sMarker, bool bRequired);

    bool Found() const { return m_bFound; }

    // Each Read converts field lIndex (zero-based) into the member; a missing field or
    // one that does not convert leaves the member as it was.
    void ReadFlag(int32_t lIndex, bool& bMember) const;
    void ReadLong(int32_t lIndex, int32_t& lMember) const;
    void ReadSingle(int32_t lIndex, float& fMember) const;
    // Field lIndex as it stands; false when the section has no such field.
    bool ReadText(int32_t lIndex, std::string_view& sField) const { return Field(lIndex, sField); }
    // Whole number within [lMin, lMax], for enumerations stored as bytes or 16-bit values.
    template <typename T>
    void ReadEnum(int32_t lIndex, T& eMember, int64_t lMin, int64_t lMax) const {
        int64_t lValue = 0;
        if (ReadWhole(lIndex, lMin, lMax, lValue)) eMember = static_cast<T>(lValue);
    }

    // Appends a section to sData: the marker, the fields joined by "|", then End() appends
    // the marker again (after one more "|" with bTrailingBar).
    class Writer {
    public:
        Writer(std::string& sData, std::string_view sMarker);
        Writer& Text(std::string_view sField);
        Writer& Flag(bool bValue) { return Text(bValue ? "True" : "False"); }
        Writer& Whole(int64_t lValue);
        Writer& Single(float fValue);
        void End(bool bTrailingBar = false);

    private:
        std::string& m_sData;
        std::string_view m_sMarker;
        bool m_bFirst = true;
    };

    // A component's section as it stands when the component is created, saved once: what its
    // Clear loads back.
    template <typename T> static const std::string& Defaults() {
        static const std::string sDefaults = [] {
            std::string s;
            T().Save(s);
            return s;
        }();
        return sDefaults;
    }

private:
    bool Field(int32_t lIndex, std::string_view& sField) const;
    bool ReadWhole(int32_t lIndex, int64_t lMin, int64_t lMax, int64_t& lValue) const;

    // No section has more fields than this; pieces beyond them are never read.
    static constexpr size_t kMaxFields = 10;
    std::array<std::string_view, kMaxFields> m_asFields;
    int32_t m_lCount = 0;
    bool m_bFound = false;
};
