#include "clsTodayInputs.h"

#include "clsAuctionSection.h"

namespace {

// The auction text drops empty fields, so an empty key is written as a dash.
std::string_view KeyText(const std::string& sKey) {
    return sKey.empty() ? std::string_view("-") : std::string_view(sKey);
}

// A key field back: "-" is empty; text that cannot be a key (the field holds no "|" or "[",
// but could hold blanks or other marks) leaves the member as it was.
void ReadKey(const clsAuctionSection& oSection, int32_t lIndex, std::string& sMember) {
    std::string_view sField;
    if (!oSection.ReadText(lIndex, sField)) return;
    if (sField == "-") {
        sMember.clear();
        return;
    }
    for (const char c : sField)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
              c == '-' || c == '_'))
            return;
    sMember.assign(sField);
}

} // namespace

clsTodayInputs::clsTodayInputs() = default;

void clsTodayInputs::Save(std::string& sData) const {
    clsAuctionSection::Writer(sData, kMarker)
        .Text(KeyText(m_sAccount))
        .Text(KeyText(m_sCategory))
        .Text(KeyText(m_sBuyerRegion))
        .Single(m_fAdRate)
        .Flag(m_bTopRated)
        .Flag(m_bBelowStandard)
        .Flag(m_bVatRegistered)
        .Single(m_fSalesTaxPercent)
        .Flag(m_bOneOrder)
        .Whole(m_lListingsThisMonth)
        .End();
}

void clsTodayInputs::Load(std::string_view sData) {
    const clsAuctionSection oSection(sData, kMarker, false);
    if (!oSection.Found()) {
        // Every 2008 auction: today's inputs at their defaults.
        const bool bDirty = m_bDirty;
        *this = clsTodayInputs();
        m_bDirty = bDirty;
        return;
    }
    ReadKey(oSection, 0, m_sAccount);
    ReadKey(oSection, 1, m_sCategory);
    ReadKey(oSection, 2, m_sBuyerRegion);
    oSection.ReadSingle(3, m_fAdRate);
    oSection.ReadFlag(4, m_bTopRated);
    oSection.ReadFlag(5, m_bBelowStandard);
    oSection.ReadFlag(6, m_bVatRegistered);
    oSection.ReadSingle(7, m_fSalesTaxPercent);
    oSection.ReadFlag(8, m_bOneOrder);
    oSection.ReadLong(9, m_lListingsThisMonth);
}

void clsTodayInputs::Clear() {
    Load(clsAuctionSection::Defaults<clsTodayInputs>());
}

bool clsTodayInputs::IsDefault() const {
    const clsTodayInputs oDefault;
    return m_sAccount == oDefault.m_sAccount && m_sCategory == oDefault.m_sCategory &&
           m_sBuyerRegion == oDefault.m_sBuyerRegion && m_fAdRate == oDefault.m_fAdRate &&
           m_bTopRated == oDefault.m_bTopRated && m_bBelowStandard == oDefault.m_bBelowStandard &&
           m_bVatRegistered == oDefault.m_bVatRegistered &&
           m_fSalesTaxPercent == oDefault.m_fSalesTaxPercent &&
           m_bOneOrder == oDefault.m_bOneOrder &&
           m_lListingsThisMonth == oDefault.m_lListingsThisMonth;
}
