#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What an auction needs beyond the 2008 components to be worked out under today's schedule
// (see clsTodaySchedule.h). Price, quantity, outlay and postage stay in the 2008 components:
// the item price is clsOutlay::m_fEstimatedEndPrice, the quantity clsOutlay::m_lQuantity, and
// the postage charged to the buyer is the postage cost plus its mark-up (clsPostage; a price
// typed in with the manual class, since today's files hold no carrier tables).
//
// Saved as its own section "[TODAY]...[TODAY]" after the five others, so that older readers,
// which find sections by their markers, pass over it. Keys are the schedule's own (letters,
// digits, "-" and "_"); an empty key is written "-" because the auction text drops empty
// fields. A key the schedule does not know falls back to its first account, its "Default"
// category or its domestic buyer region when worked out, and is kept as it is when saved.
class clsTodayInputs {
public:
    clsTodayInputs();

    std::string m_sAccount;     // seller account: "Private", "Business", "NoStore", "Basic" ...
    std::string m_sCategory;    // category key; empty: the schedule's "Default"
    std::string m_sBuyerRegion; // buyer's region key; empty: domestic (no international fee)
    float m_fAdRate = 0;        // promoted listing ad rate, percent of the sale total; 0: none
    bool m_bTopRated = false;   // Top Rated seller on a qualifying listing
    bool m_bBelowStandard = false;
    bool m_bVatRegistered = false;    // UK business: VAT on the fees is reclaimed
    float m_fSalesTaxPercent = 0;     // US: sales tax on items and postage, part of the fee base
    bool m_bOneOrder = false;         // all items bought together in one order (else one each)
    int32_t m_lListingsThisMonth = 0; // listings already made this month (free allowance)
    bool m_bDirty = false;

    // Appends "[TODAY]...[TODAY]".
    void Save(std::string& sData) const;
    // Loads the section; a text without it loads the defaults (every 2008 auction text), so a
    // copy never keeps another auction's inputs.
    void Load(std::string_view sData);
    void Clear();
    // Every saved member at its default: an auction of the 2008 schedule saves no section.
    bool IsDefault() const;

    static constexpr const char* kMarker = "[TODAY]";
};
