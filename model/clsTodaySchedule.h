#pragma once

// Today's eBay fees (2024 onwards) beside the 2008 schedule.
//
// The price file says which structure it holds: a file with the line "Schedule,Today" holds
// today's schedule, any other (the 2008 files have no such line) the 2008 one. The shared
// price table (GetPrices) parses a today file into a clsTodaySchedule when it loads it, or
// refuses the whole file; clsCalculate::DoCalc then works the auction out with it.
//
// Use from the user interface:
// - The schedule in use: GetFeeSchedule(); switch with UseFeeSchedule(FeeSchedule::Today),
//   which loads the shipped file of the edition's region (GetSchedulePriceFilePath) or raises
//   a clsError and keeps the table in use. Persisting the choice is the caller's.
// - The inputs: clsCalculate::m_oToday (clsTodayInputs.h), saved with the auction.
// - Choices offered: GetTodaySchedule()->Accounts(), ->BuyerRegions(), ->Categories() and
//   ->FindCategories("watch") for a search box; ->Applies(sAccount) tells which inputs mean
//   something for an account (grey the others).
// - The figures: clsCalculate::m_oTodayFigures (clsTodayFigures.h) after DoCalc, with the
//   notes on third-party and unknown values and the data date. The 2008 figures of
//   clsCalculate stay filled as well: insertion fee, final value fee (all of eBay's selling
//   fees together), selling cost and profit; reserve, upgrade and PayPal figures are 0.
//
// In the file every value is data: per account, per fee table (rates that one account type
// pays), per category rule (marginal or whole-amount bands), per buyer region. See
// data/README.md for the names.

#include "clsPriceRange.h"
#include "clsTodayFigures.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class clsTodayInputs;

enum class FeeSchedule : int32_t { Y2008 = 0, Today = 1 };

// The lines of a price file as a price table holds them: what the schedule is read from.
class clsPriceLines {
public:
    virtual ~clsPriceLines() = default;
    // The text of a name, without regard to letter case; false when missing.
    virtual bool GetData(std::string_view sName, std::string& sData) const = 0;
    // Every line: the name in lower case and its text, in no set order.
    virtual void
    ForEachEntry(const std::function<void(std::string_view, std::string_view)>& fnVisit) const = 0;
};

// An account, buyer region or category as the schedule offers it.
struct clsTodayChoice {
    std::string m_sKey;  // saved in the auction text
    std::string m_sName; // shown: "Basic Store", "Eurozone and Northern Europe"
};

struct clsTodayCategory : clsTodayChoice {
    std::string m_sWords; // more words a search finds it by: "rings necklaces earrings"
};

// The sale as the 2008 components give it.
struct clsTodaySale {
    float m_fPrice = 0; // price of one item
    int32_t m_lQuantity = 0;
    float m_fPostage = 0; // postage charged to the buyers for the whole sale
};

// Which inputs mean something for an account, for greying controls.
struct clsTodayApplies {
    bool m_bSellingFees = false;     // false: UK private seller, no selling fees
    bool m_bBuyerProtection = false; // the buyer pays a protection fee
    bool m_bSalesTax = false;        // sales tax is part of the fee base (US)
    bool m_bVat = false;             // VAT is added to the fees (UK business)
    bool m_bTopRated = false;
    bool m_bBelowStandard = false;
    bool m_bAdRate = false;
    bool m_bInternational = false;
};

class clsTodaySchedule {
public:
    ~clsTodaySchedule();
    // True when the lines hold "Schedule,Today".
    static bool IsToday(const clsPriceLines& oLines);
    // Reads today's schedule out of a price table's lines; raises a clsError that names the
    // first missing or wrong line, so a table is never used half-read.
    static std::unique_ptr<clsTodaySchedule> FromPrices(const clsPriceLines& oLines);

    const std::string& Site() const { return m_sSite; }         // "UK", "US"
    const std::string& DataDate() const { return m_sDataDate; } // "2026-12-08"
    // In the file's order; the first account and region are the defaults, the first region is
    // the domestic one.
    const std::vector<clsTodayChoice>& Accounts() const { return m_aoAccounts; }
    const std::vector<clsTodayChoice>& BuyerRegions() const { return m_aoRegions; }
    const std::vector<clsTodayCategory>& Categories() const { return m_aoCategories; }
    // Categories whose name or words hold every word of the query (letter case and
    // accents on plain letters aside), names starting with the query first; all for "".
    std::vector<const clsTodayCategory*> FindCategories(std::string_view sQuery) const;
    const clsTodayCategory* FindCategory(std::string_view sKey) const;
    clsTodayApplies Applies(std::string_view sAccount) const;

    // Works the sale out; every figure of oFigures is set.
    void DoCalc(const clsTodayInputs& oInputs, const clsTodaySale& oSale,
                clsTodayFigures& oFigures) const;

    // Prices (whole pennies of one item) inside (nLow, nHigh) where a fee of the auction's
    // rule can step as the item price rises: a threshold of the category's bands or of the
    // per-order fee bands is crossed there. Between two of them every fee is a fixed
    // percentage of the price, up to penny rounding.
    std::vector<int64_t> StepPennies(const clsTodayInputs& oInputs, const clsTodaySale& oSale,
                                     int64_t nLow, int64_t nHigh) const;
    // How much the fees cost the seller per penny of item price at a price (whole pennies),
    // rounding aside: 0.15 when 15 % of every penny goes in fees. The same everywhere between
    // two step pennies. Used with RoundingSpread by the price searches to stay exact.
    double FeeSlope(const clsTodayInputs& oInputs, const clsTodaySale& oSale, int64_t nPenny) const;
    // The most that rounding each fee to the penny can move the fees of the whole sale from
    // their exact value, in pennies.
    int64_t RoundingSpread(const clsTodayInputs& oInputs, const clsTodaySale& oSale) const;

    struct clsData; // the parsed file, in clsTodaySchedule.cpp

private:
    clsTodaySchedule();
    std::string m_sSite;
    std::string m_sDataDate;
    std::vector<clsTodayChoice> m_aoAccounts;
    std::vector<clsTodayChoice> m_aoRegions;
    std::vector<clsTodayCategory> m_aoCategories;
    std::unique_ptr<clsData> m_oData;
};

// Beside the shared price table (basFeeSchedule.cpp).
// The schedule of the shared price table; null when it holds the 2008 schedule.
const clsTodaySchedule* GetTodaySchedule();
FeeSchedule GetFeeSchedule();
// The shipped file of a schedule for the edition's region: "UpdateUK_v0102.dat" or
// "FeesTodayUK.dat" in the program folder. For 2008 the price file in use (GetPriceFilePath).
std::string GetSchedulePriceFilePath(FeeSchedule eSchedule);
// Loads that file as the shared price table (for 2008 with the fallback copies of
// LoadEditionPrices); on failure raises a clsError (its description says what is wrong) and
// keeps the table in use. GetPricesSource then names the file loaded.
void UseFeeSchedule(FeeSchedule eSchedule);
