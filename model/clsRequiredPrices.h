#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class clsPrices;

// A name the fee rules of a region ask the price file for.
struct clsRequiredPrice {
    enum class Kind {
        Number, // a scalar amount or percentage
        Text,   // display text: a currency symbol, a caption
        Range,  // "Ranges" count line and each band's start, end and value
    };
    std::string m_sName;
    Kind m_eKind = Kind::Number;
};

// Every name the program asks the price file for on a region (RegionUK or RegionUS): one
// list for the price update, the start-up check, gavelry-calc --check-prices and the tests
// of the shipped files.
const std::vector<clsRequiredPrice>& RequiredPrices(int32_t eRegion);

// What a price table lacks of the names a region needs.
struct clsPriceCheck {
    std::vector<std::string> m_asMissing;
    // Given, but not a number the program can use ("abc", a band count beyond 32,767).
    std::vector<std::string> m_asNotNumeric;

    bool Passed() const { return m_asMissing.empty() && m_asNotNumeric.empty(); }
    // The names at fault, the missing ones first, at most nShown of them:
    // "FeatureBold30, LocalTax and 12 more".
    std::string Describe(size_t nShown) const;
};

// Checks a table against RequiredPrices(eRegion): numbers must be numbers, texts present,
// ranges must have a count and every band up to it its three lines, as numbers.
clsPriceCheck CheckRequiredPrices(const clsPrices& oPrices, int32_t eRegion);
