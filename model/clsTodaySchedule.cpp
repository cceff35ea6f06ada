#include "clsTodaySchedule.h"

#include "basNumbers.h"
#include "clsError.h"
#include "clsTodayFigures.h"
#include "clsTodayInputs.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <unordered_map>

namespace {

// Percentages are kept in millionths of the whole (13.25 % -> 132,500) and amounts in whole
// pennies, so that every fee is worked out exactly and rounded once, where eBay rounds.
constexpr int64_t kRateUnit = 1'000'000;
constexpr int64_t kOpenEnd = -1;

std::string Lower(std::string_view s) {
    std::string sLower(s);
    for (char& c : sLower)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return sLower;
}

bool IsKey(std::string_view s) {
    if (s.empty()) return false;
    for (const char c : s)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_'))
            return false;
    return true;
}

// n x rate, rounded half up to the penny (amounts are never negative).
int64_t RateOf(int64_t nPennies, int64_t lRate) {
    return (nPennies * lRate + kRateUnit / 2) / kRateUnit;
}

struct Band {
    int64_t nStart = 0; // pennies
    int64_t nEnd = 0;   // pennies; kOpenEnd for no upper bound
    int64_t lValue = 0; // a rate (millionths) or an amount (pennies), as the range says
};

// The value of the first band holding n (bounds inclusive); 0 when none does.
int64_t BandValue(const std::vector<Band>& aBands, int64_t n) {
    for (const Band& o : aBands)
        if (n >= o.nStart && (o.nEnd == kOpenEnd || n <= o.nEnd)) return o.lValue;
    return 0;
}

// Marginal bands: each band's rate on the slice of n above the previous band's end, in
// millionths of a penny (rounded once by the caller).
int64_t MarginalExact(const std::vector<Band>& aBands, int64_t n) {
    int64_t lSum = 0;
    int64_t nBelow = 0;
    for (const Band& o : aBands) {
        const int64_t nTop = o.nEnd == kOpenEnd ? n : std::min(n, o.nEnd);
        if (nTop > nBelow) lSum += (nTop - nBelow) * o.lValue;
        if (o.nEnd == kOpenEnd || n <= o.nEnd) break;
        nBelow = o.nEnd;
    }
    return lSum;
}

int64_t RoundExact(int64_t lExact) {
    return (lExact + kRateUnit / 2) / kRateUnit;
}

struct Flagged {
    int64_t lValue = 0;
    SourceFlag eFlag = SourceFlag::Unknown;
};

struct Rule {
    bool bWhole = false; // one rate on the whole total, by the band holding it
    std::vector<Band> aRates;
    bool bPerOrder = false; // its own per-order fee bands
    std::vector<Band> aPerOrder;
    bool bInsertion = false;
    int64_t nInsertion = 0;
    bool bBuyerProtection = true; // the table's buyer protection fee applies
    SourceFlag eFlag = SourceFlag::Unknown;
};

struct Table {
    std::string sKey;
    std::vector<Band> aPerOrder;
    SourceFlag ePerOrderFlag = SourceFlag::Unknown;
    Flagged oRegulatory, oBelowStandard, oTopRated, oVat;
    bool bVatOnInternational = true;
    std::vector<Flagged> aoInternational; // by buyer region; the domestic one is 0
    bool bBuyerProtection = false;
    Flagged oProtectionFlat;
    std::vector<Band> aProtection; // marginal on the items' price
    SourceFlag eProtectionFlag = SourceFlag::Unknown;
    std::vector<Rule> aoRules;    // [0] is the Default rule
    std::vector<int32_t> alRules; // by category: index into aoRules
    bool bSellingFees = false;
};

struct Account {
    size_t nTable = 0;
    Flagged oFreeListings;
    Flagged oInsertion;
};

// Keys of accounts, regions and categories, held in lower case; a key is looked up in any
// case by folding it first, so the index hashes and compares plain bytes.
class KeyIndex {
public:
    void emplace(std::string sKey, size_t n) { m_oIndex.emplace(Lower(sKey), n); }
    size_t count(std::string_view sKey) const { return Find(sKey) ? 1 : 0; }
    // The index of a key in any letter case; null when there is none.
    const size_t* Find(std::string_view sKey) const {
        char acFolded[64];
        if (sKey.size() > sizeof acFolded) return FindLower(Lower(sKey));
        for (size_t i = 0; i < sKey.size(); ++i)
            acFolded[i] = (sKey[i] >= 'A' && sKey[i] <= 'Z') ? char(sKey[i] - 'A' + 'a') : sKey[i];
        return FindLower(std::string_view(acFolded, sKey.size()));
    }

private:
    const size_t* FindLower(std::string_view sLower) const {
        const auto it = m_oIndex.find(sLower);
        return it == m_oIndex.end() ? nullptr : &it->second;
    }
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
    };
    std::unordered_map<std::string, size_t, Hash, std::equal_to<>> m_oIndex;
};

size_t IndexOf(const KeyIndex& oIndex, std::string_view sKey, size_t nFallback) {
    const size_t* pIndex = oIndex.Find(sKey);
    return pIndex ? *pIndex : nFallback;
}

// Reads the named lines of a table, raising a clsError that names the first faulty one.
class Reader {
public:
    explicit Reader(const clsPriceLines& oPrices) : m_oPrices(oPrices) {
        std::string sFormat;
        if (m_oPrices.GetData("CurrencyFormat", sFormat)) {
            const size_t nPoint = sFormat.find('.');
            if (nPoint != std::string::npos)
                for (size_t i = nPoint + 1; i < sFormat.size() && m_lScale < 1000000; ++i)
                    m_lScale *= 10;
        }
    }
    int32_t Scale() const { return m_lScale; }

    [[noreturn]] static void Fail(const std::string& sWhat) {
        throw clsError(ErrNumber::TypeMismatch, "clsTodaySchedule",
                       "Today's fee schedule: " + sWhat);
    }
    bool Has(const std::string& sName) const {
        std::string s;
        return m_oPrices.GetData(sName, s);
    }
    std::string Text(const std::string& sName) const {
        std::string s;
        if (!m_oPrices.GetData(sName, s)) Fail("the line " + sName + " is missing");
        return s;
    }
    double Number(const std::string& sName) const {
        double d = 0;
        if (!ParseNumber(Text(sName), d) || !std::isfinite(d)) Fail(sName + " is not a number");
        return d;
    }
    double Number(const std::string& sName, double dDefault) const {
        return Has(sName) ? Number(sName) : dDefault;
    }
    int64_t Money(const std::string& sName) const { return Pennies(sName, Number(sName)); }
    int64_t Pennies(const std::string& sName, double d) const {
        if (d < 0 || d > 1e9) Fail(sName + " is out of range");
        return std::llround(d * m_lScale);
    }
    static int64_t Rate(const std::string& sName, double dPercent) {
        if (dPercent < 0 || dPercent > 100) Fail(sName + " must be a percentage from 0 to 100");
        return std::llround(dPercent * (kRateUnit / 100));
    }
    int64_t Percent(const std::string& sName, double dDefault) const {
        return Rate(sName, Number(sName, dDefault));
    }
    bool Flag(const std::string& sName, bool bDefault) const {
        if (!Has(sName)) return bDefault;
        const std::string s = Lower(Text(sName));
        if (s == "true") return true;
        if (s == "false") return false;
        Fail(sName + " must be True or False");
    }
    // The source of a value: "<name>.Flag"; unknown when the file does not say.
    SourceFlag Source(const std::string& sName) const {
        const std::string sFlag = sName + ".Flag";
        if (!Has(sFlag)) return SourceFlag::Unknown;
        const std::string s = Lower(Text(sFlag));
        for (const SourceFlag e : {SourceFlag::Published, SourceFlag::Corroborated,
                                   SourceFlag::ThirdParty, SourceFlag::Unknown})
            if (s == SourceFlagText(e)) return e;
        Fail(sFlag + " must be published, corroborated, third-party or unknown");
    }
    Flagged Percentage(const std::string& sName) const {
        return {Percent(sName, 0), Source(sName)};
    }
    // Bands of a range: they must start at 0, follow each other without a gap (the next
    // starts at the end of the one before or a penny above it) and end open.
    std::vector<Band> Bands(const std::string& sName, bool bRates) const {
        const std::string sCount = sName + "Ranges";
        const double dCount = Number(sCount);
        if (dCount < 1 || dCount > 100 || dCount != std::floor(dCount))
            Fail(sCount + " must be a whole number of bands from 1 to 100");
        std::vector<Band> aBands;
        for (int n = 1; n <= int(dCount); ++n) {
            const std::string sN = std::to_string(n);
            Band o;
            o.nStart = Pennies(sName + "RangeStart" + sN, Number(sName + "RangeStart" + sN));
            const std::string sEnd = sName + "RangeEnd" + sN;
            const double dEnd = Number(sEnd);
            o.nEnd = dEnd == -1 ? kOpenEnd : Pennies(sEnd, dEnd);
            const std::string sValue = sName + "RangeValue" + sN;
            o.lValue = bRates ? Rate(sValue, Number(sValue)) : Pennies(sValue, Number(sValue));
            const int64_t nExpected = aBands.empty() ? 0 : aBands.back().nEnd;
            if (aBands.empty() ? o.nStart != 0
                               : (nExpected == kOpenEnd ||
                                  (o.nStart != nExpected && o.nStart != nExpected + 1)))
                Fail(sName + " band " + sN + " must start where band " + std::to_string(n - 1) +
                     " ends (the first at 0)");
            if (o.nEnd != kOpenEnd && o.nEnd < o.nStart)
                Fail(sName + " band " + sN + " ends before it starts");
            aBands.push_back(o);
        }
        if (aBands.back().nEnd != kOpenEnd)
            Fail(sName + " band " + std::to_string(aBands.size()) + " must end open (-1)");
        return aBands;
    }
    // Space-separated keys of a list line, in order.
    std::vector<std::string> Keys(const std::string& sName) const {
        std::vector<std::string> asKeys;
        const std::string sText = Lower(Text(sName));
        size_t nPos = 0;
        while (nPos < sText.size()) {
            const size_t nEnd = std::min(sText.find(' ', nPos), sText.size());
            if (nEnd > nPos) {
                const std::string sKey = sText.substr(nPos, nEnd - nPos);
                if (!IsKey(sKey))
                    Fail(sName + ": \"" + sKey + "\" is not a key (letters, digits, - and _)");
                if (std::find(asKeys.begin(), asKeys.end(), sKey) != asKeys.end())
                    Fail(sName + " names " + sKey + " twice");
                asKeys.push_back(sKey);
            }
            nPos = nEnd + 1;
        }
        if (asKeys.empty()) Fail(sName + " names nothing");
        return asKeys;
    }

private:
    const clsPriceLines& m_oPrices;
    int32_t m_lScale = 1;
};

} // namespace

struct clsTodaySchedule::clsData {
    int32_t lScale = 100;
    bool bSalesTaxInBase = false;
    std::vector<Account> aoAccounts;
    std::vector<Table> aoTables;
    KeyIndex oAccounts, oRegions, oCategories;
    size_t nDefaultCategory = 0;

    // What one DoCalc needs, looked up once.
    struct Choice {
        const Account* pAccount;
        const Table* pTable;
        const Rule* pRule;
        size_t nCategory;
        size_t nRegion;
    };
    Choice Choose(const clsTodayInputs& oInputs) const {
        const Account& oAccount = aoAccounts[IndexOf(oAccounts, oInputs.m_sAccount, 0)];
        const Table& oTable = aoTables[oAccount.nTable];
        const size_t nCategory = IndexOf(oCategories, oInputs.m_sCategory, nDefaultCategory);
        const size_t nRegion = IndexOf(oRegions, oInputs.m_sBuyerRegion, 0);
        return {&oAccount, &oTable, &oTable.aoRules[size_t(oTable.alRules[nCategory])], nCategory,
                nRegion};
    }

    // The orders the sale makes and the pennies of each, for a price in pennies.
    struct Order {
        int64_t lOrders = 0; // how many such orders
        int64_t lItems = 0;  // items in each
        int64_t nItems = 0;  // items' price in each
        int64_t nPostage = 0;
        int64_t nTax = 0;
        int64_t Total() const { return nItems + nPostage + nTax; }
        // The total of one item, which category thresholds apply to.
        int64_t ItemTotal() const {
            return lItems <= 1 ? Total() : (Total() + lItems / 2) / lItems;
        }
    };
    Order OrderAt(const clsTodayInputs& oInputs, const clsTodaySale& oSale, int64_t nPrice) const {
        Order o;
        if (oSale.m_lQuantity < 1) return o;
        o.lOrders = oInputs.m_bOneOrder ? 1 : oSale.m_lQuantity;
        o.lItems = oInputs.m_bOneOrder ? oSale.m_lQuantity : 1;
        o.nItems = nPrice * o.lItems;
        const int64_t nPostage = Pennies(oSale.m_fPostage);
        o.nPostage = (nPostage + o.lOrders / 2) / o.lOrders;
        if (bSalesTaxInBase) o.nTax = RateOf(o.nItems + o.nPostage, TaxRate(oInputs));
        return o;
    }
    int64_t Pennies(float fAmount) const {
        int64_t n = 0;
        if (!ToPennies(fAmount, lScale, n) || n < 0) return 0;
        return n;
    }
    static int64_t TaxRate(const clsTodayInputs& oInputs) {
        const double d = oInputs.m_fSalesTaxPercent;
        return d > 0 && d <= 100 ? std::llround(d * (kRateUnit / 100)) : 0;
    }
    static int64_t AdRate(const clsTodayInputs& oInputs) {
        const double d = oInputs.m_fAdRate;
        return d > 0 && d <= 100 ? std::llround(d * (kRateUnit / 100)) : 0;
    }
};

clsTodaySchedule::clsTodaySchedule() : m_oData(std::make_unique<clsData>()) {}
clsTodaySchedule::~clsTodaySchedule() = default;

bool clsTodaySchedule::IsToday(const clsPriceLines& oPrices) {
    std::string sText;
    return oPrices.GetData("Schedule", sText) && Lower(sText) == "today";
}

std::unique_ptr<clsTodaySchedule> clsTodaySchedule::FromPrices(const clsPriceLines& oPrices) {
    std::unique_ptr<clsTodaySchedule> o(new clsTodaySchedule());
    clsData& d = *o->m_oData;
    const Reader r(oPrices);
    d.lScale = r.Scale();
    o->m_sSite = r.Text("ScheduleSite");
    o->m_sDataDate = r.Text("ScheduleDate");
    d.bSalesTaxInBase = r.Flag("SalesTaxInBase", false);

    // Buyer regions, in the order listed; the first is the domestic one.
    for (const std::string& sKey : r.Keys("BuyerRegions")) {
        d.oRegions.emplace(sKey, o->m_aoRegions.size());
        o->m_aoRegions.push_back({sKey, r.Text("Region." + sKey + ".Name")});
    }

    // Categories: every "Category.<key>.Name" line, sorted by name, "default" first.
    oPrices.ForEachEntry([&](std::string_view sName, std::string_view sText) {
        constexpr std::string_view kHead = "category.", kTail = ".name";
        if (sName.size() <= kHead.size() + kTail.size() || sName.substr(0, kHead.size()) != kHead ||
            sName.substr(sName.size() - kTail.size()) != kTail)
            return;
        const std::string sKey(
            sName.substr(kHead.size(), sName.size() - kHead.size() - kTail.size()));
        if (!IsKey(sKey)) Reader::Fail("\"" + sKey + "\" is not a category key");
        clsTodayCategory oCategory;
        oCategory.m_sKey = sKey;
        oCategory.m_sName = sText;
        std::string sWords;
        if (oPrices.GetData("Category." + sKey + ".Words", sWords)) oCategory.m_sWords = sWords;
        o->m_aoCategories.push_back(std::move(oCategory));
    });
    std::sort(o->m_aoCategories.begin(), o->m_aoCategories.end(),
              [](const clsTodayCategory& a, const clsTodayCategory& b) {
                  if ((a.m_sKey == "default") != (b.m_sKey == "default"))
                      return a.m_sKey == "default";
                  return Lower(a.m_sName) != Lower(b.m_sName) ? Lower(a.m_sName) < Lower(b.m_sName)
                                                              : a.m_sKey < b.m_sKey;
              });
    for (size_t n = 0; n < o->m_aoCategories.size(); ++n)
        d.oCategories.emplace(o->m_aoCategories[n].m_sKey, n);
    if (!d.oCategories.count("default")) Reader::Fail("the line Category.Default.Name is missing");

    // Accounts, in the order listed, and the fee tables they name.
    std::map<std::string, size_t> oTableIndex;
    for (const std::string& sKey : r.Keys("Accounts")) {
        const std::string sBase = "Account." + sKey;
        Account oAccount;
        const std::string sTable = Lower(r.Text(sBase + ".Table"));
        if (!IsKey(sTable)) Reader::Fail(sBase + ".Table is not a key");
        const auto [it, bNew] = oTableIndex.emplace(sTable, d.aoTables.size());
        if (bNew) {
            d.aoTables.emplace_back();
            d.aoTables.back().sKey = sTable;
        }
        oAccount.nTable = it->second;
        oAccount.oFreeListings = {std::llround(r.Number(sBase + ".FreeListings", 0)),
                                  r.Source(sBase + ".FreeListings")};
        oAccount.oInsertion = {r.Has(sBase + ".InsertionFee") ? r.Money(sBase + ".InsertionFee")
                                                              : 0,
                               r.Source(sBase + ".InsertionFee")};
        d.oAccounts.emplace(sKey, d.aoAccounts.size());
        d.aoAccounts.push_back(oAccount);
        o->m_aoAccounts.push_back({sKey, r.Text(sBase + ".Name")});
    }

    // Each table: its surcharges, per-order fee, buyer protection and category rules.
    for (Table& t : d.aoTables) {
        const std::string sBase = "Table." + t.sKey;
        t.aPerOrder = r.Bands(sBase + ".PerOrder", false);
        t.ePerOrderFlag = r.Source(sBase + ".PerOrder");
        t.oRegulatory = r.Percentage(sBase + ".Regulatory");
        t.oBelowStandard = r.Percentage(sBase + ".BelowStandard");
        t.oTopRated = r.Percentage(sBase + ".TopRatedDiscount");
        t.oVat = r.Percentage(sBase + ".FeeVat");
        t.bVatOnInternational = r.Flag(sBase + ".FeeVatOnInternational", true);
        for (const clsTodayChoice& oRegion : o->m_aoRegions)
            t.aoInternational.push_back(
                &oRegion == &o->m_aoRegions.front()
                    ? Flagged{0, SourceFlag::Published}
                    : r.Percentage(sBase + ".International." + oRegion.m_sKey));
        t.bBuyerProtection = r.Has(sBase + ".BuyerProtectionRanges");
        if (t.bBuyerProtection) {
            t.aProtection = r.Bands(sBase + ".BuyerProtection", true);
            t.eProtectionFlag = r.Source(sBase + ".BuyerProtection");
            t.oProtectionFlat = {
                r.Has(sBase + ".BuyerProtectionFlat") ? r.Money(sBase + ".BuyerProtectionFlat") : 0,
                r.Source(sBase + ".BuyerProtectionFlat")};
        }
        t.bSellingFees = t.oRegulatory.lValue || t.oBelowStandard.lValue;
        for (const Band& b : t.aPerOrder)
            t.bSellingFees |= b.lValue != 0;
        t.alRules.assign(o->m_aoCategories.size(), 0);
        t.aoRules.emplace_back(); // [0]: the default, filled below
        for (size_t n = 0; n < o->m_aoCategories.size(); ++n) {
            const std::string& sCategory = o->m_aoCategories[n].m_sKey;
            const std::string sRule = "Rule." + t.sKey + "." + sCategory;
            if (!r.Has(sRule + ".RateRanges")) {
                if (sCategory == "default")
                    Reader::Fail("the line " + sRule + ".RateRanges is missing");
                continue;
            }
            Rule oRule;
            const std::string sKind = Lower(r.Text(sRule + ".Kind"));
            if (sKind != "marginal" && sKind != "whole")
                Reader::Fail(sRule + ".Kind must be Marginal or Whole");
            oRule.bWhole = sKind == "whole";
            oRule.aRates = r.Bands(sRule + ".Rate", true);
            oRule.eFlag = r.Source(sRule);
            oRule.bPerOrder = r.Has(sRule + ".PerOrderRanges");
            if (oRule.bPerOrder) oRule.aPerOrder = r.Bands(sRule + ".PerOrder", false);
            oRule.bInsertion = r.Has(sRule + ".InsertionFee");
            if (oRule.bInsertion) oRule.nInsertion = r.Money(sRule + ".InsertionFee");
            oRule.bBuyerProtection = r.Flag(sRule + ".BuyerProtection", true);
            for (const Band& b : oRule.aRates)
                t.bSellingFees |= b.lValue != 0;
            if (sCategory == "default") {
                t.aoRules[0] = std::move(oRule);
            } else {
                t.alRules[n] = int32_t(t.aoRules.size());
                t.aoRules.push_back(std::move(oRule));
            }
        }
    }
    // A rule line for a table or category the file does not have is a mistake worth a word.
    oPrices.ForEachEntry([&](std::string_view sName, std::string_view) {
        constexpr std::string_view kHead = "rule.";
        if (sName.substr(0, kHead.size()) != kHead) return;
        const std::string_view sRest = sName.substr(kHead.size());
        const size_t nDot = sRest.find('.');
        const size_t nDot2 = nDot == std::string_view::npos ? nDot : sRest.find('.', nDot + 1);
        if (nDot2 == std::string_view::npos)
            Reader::Fail("\"" + std::string(sName) + "\" is not a rule line");
        const std::string sTable(sRest.substr(0, nDot));
        const std::string sCategory(sRest.substr(nDot + 1, nDot2 - nDot - 1));
        if (!oTableIndex.count(sTable))
            Reader::Fail(std::string(sName) + ": no account uses the table " + sTable);
        if (!d.oCategories.count(sCategory))
            Reader::Fail(std::string(sName) + ": there is no Category." + sCategory + ".Name");
    });
    return o;
}

std::vector<const clsTodayCategory*>
clsTodaySchedule::FindCategories(std::string_view sQuery) const {
    // Words of the query, in lower case.
    std::vector<std::string> asWords;
    const std::string sLower = Lower(sQuery);
    size_t nPos = 0;
    while (nPos < sLower.size()) {
        const size_t nEnd = std::min(sLower.find_first_of(" ,&/", nPos), sLower.size());
        if (nEnd > nPos) asWords.push_back(sLower.substr(nPos, nEnd - nPos));
        nPos = nEnd + 1;
    }
    std::vector<const clsTodayCategory*> aoFirst, aoRest;
    for (const clsTodayCategory& o : m_aoCategories) {
        const std::string sName = Lower(o.m_sName);
        const std::string sAll = sName + " " + Lower(o.m_sWords) + " " + o.m_sKey;
        bool bAll = true;
        for (const std::string& sWord : asWords)
            bAll &= sAll.find(sWord) != std::string::npos;
        if (!bAll) continue;
        const bool bStarts =
            !asWords.empty() && sName.compare(0, asWords[0].size(), asWords[0]) == 0;
        (bStarts ? aoFirst : aoRest).push_back(&o);
    }
    aoFirst.insert(aoFirst.end(), aoRest.begin(), aoRest.end());
    return aoFirst;
}

const clsTodayCategory* clsTodaySchedule::FindCategory(std::string_view sKey) const {
    const size_t* pIndex = m_oData->oCategories.Find(sKey);
    return pIndex ? &m_aoCategories[*pIndex] : nullptr;
}

clsTodayApplies clsTodaySchedule::Applies(std::string_view sAccount) const {
    const clsData& d = *m_oData;
    const Table& t = d.aoTables[d.aoAccounts[IndexOf(d.oAccounts, sAccount, 0)].nTable];
    clsTodayApplies o;
    o.m_bSellingFees = t.bSellingFees;
    o.m_bBuyerProtection = t.bBuyerProtection;
    o.m_bSalesTax = d.bSalesTaxInBase;
    o.m_bVat = t.oVat.lValue != 0;
    o.m_bTopRated = t.oTopRated.lValue != 0;
    o.m_bBelowStandard = t.oBelowStandard.lValue != 0;
    o.m_bAdRate = true;
    for (const Flagged& f : t.aoInternational)
        o.m_bInternational |= f.lValue != 0;
    return o;
}

void clsTodaySchedule::DoCalc(const clsTodayInputs& oInputs, const clsTodaySale& oSale,
                              clsTodayFigures& oFigures) const {
    const clsData& d = *m_oData;
    oFigures.Clear();
    oFigures.m_sDataDate.assign(m_sDataDate);
    const clsData::Choice c = d.Choose(oInputs);
    const Table& t = *c.pTable;
    const Rule& rule = *c.pRule;
    const clsData::Order o = d.OrderAt(oInputs, oSale, d.Pennies(oSale.m_fPrice));
    // Notes are written over those of the last calculation, so that their text keeps its room
    // and a calculation allocates nothing.
    size_t nNotes = 0;
    auto Note = [&](SourceFlag eFlag, std::string_view sWhat, std::string_view sName = {}) {
        if (eFlag != SourceFlag::ThirdParty && eFlag != SourceFlag::Unknown) return;
        if (nNotes == oFigures.m_aoNotes.size()) oFigures.m_aoNotes.emplace_back();
        clsTodayNote& oNote = oFigures.m_aoNotes[nNotes++];
        oNote.m_sWhat.assign(sWhat);
        if (!sName.empty()) oNote.m_sWhat.append(", ").append(sName);
        oNote.m_eFlag = eFlag;
    };

    // One order's fees; every fee rounded to the penny.
    const int64_t nTotal = o.Total();
    const int64_t nItemTotal = o.ItemTotal();
    const int64_t lItemExact = rule.bWhole ? nItemTotal * BandValue(rule.aRates, nItemTotal)
                                           : MarginalExact(rule.aRates, nItemTotal);
    const int64_t nFinal = RoundExact(lItemExact) * o.lItems;
    const int64_t nTopRated = oInputs.m_bTopRated ? RateOf(nFinal, t.oTopRated.lValue) : 0;
    const int64_t nBelow = oInputs.m_bBelowStandard ? RateOf(nTotal, t.oBelowStandard.lValue) : 0;
    const int64_t nPerOrder = BandValue(rule.bPerOrder ? rule.aPerOrder : t.aPerOrder, nTotal);
    const int64_t nRegulatory = RateOf(nTotal, t.oRegulatory.lValue);
    const Flagged& oInternational = t.aoInternational[c.nRegion];
    const int64_t nInternational = RateOf(nTotal, oInternational.lValue);
    const int64_t nAd = RateOf(nTotal, clsData::AdRate(oInputs));
    const int64_t nFees =
        nFinal - nTopRated + nBelow + nPerOrder + nRegulatory + nInternational + nAd;
    const int64_t nVat =
        RateOf(nFees - (t.bVatOnInternational ? 0 : nInternational), t.oVat.lValue);
    const int64_t nProtection =
        t.bBuyerProtection && rule.bBuyerProtection && o.lOrders
            ? t.oProtectionFlat.lValue + RoundExact(MarginalExact(t.aProtection, o.nItems))
            : 0;

    // The listing: an insertion fee once the month's free listings are used up.
    const bool bInsertion = oInputs.m_lListingsThisMonth >= c.pAccount->oFreeListings.lValue;
    const int64_t nInsertion =
        bInsertion ? (rule.bInsertion ? rule.nInsertion : c.pAccount->oInsertion.lValue) : 0;
    const int64_t nInsertionVat = RateOf(nInsertion, t.oVat.lValue);

    const int64_t n = o.lOrders;
    const double dScale = d.lScale;
    auto Money = [&](int64_t nPennies) { return static_cast<float>(double(nPennies) / dScale); };
    oFigures.m_lOrders = int32_t(n);
    oFigures.m_nAccount = size_t(c.pAccount - d.aoAccounts.data());
    oFigures.m_nCategory = c.nCategory;
    oFigures.m_nBuyerRegion = c.nRegion;
    oFigures.m_fItems = Money(o.nItems * n);
    oFigures.m_fPostage = Money(o.nPostage * n);
    oFigures.m_fSalesTax = Money(o.nTax * n);
    oFigures.m_fSaleTotal = Money(nTotal * n);
    oFigures.m_fInsertionFee = Money(nInsertion);
    oFigures.m_fFinalValueFee = Money(nFinal * n);
    oFigures.m_fPerOrderFee = Money(nPerOrder * n);
    oFigures.m_fRegulatoryFee = Money(nRegulatory * n);
    oFigures.m_fInternationalFee = Money(nInternational * n);
    oFigures.m_fBelowStandardFee = Money(nBelow * n);
    oFigures.m_fTopRatedDiscount = Money(nTopRated * n);
    oFigures.m_fAdFee = Money(nAd * n);
    const int64_t nFeesExVat = nInsertion + nFees * n;
    const int64_t nVatAll = nInsertionVat + nVat * n;
    oFigures.m_fFeesExVat = Money(nFeesExVat);
    oFigures.m_fVatOnFees = Money(nVatAll);
    oFigures.m_bVatReclaimed = oInputs.m_bVatRegistered && nVatAll > 0;
    oFigures.m_fTotalFees = Money(nFeesExVat + nVatAll);
    oFigures.m_fSellingCost = Money(nFeesExVat + (oFigures.m_bVatReclaimed ? 0 : nVatAll));
    oFigures.m_fBuyerProtectionFee = Money(nProtection * n);
    oFigures.m_fBuyersPrice = Money((nTotal + nProtection) * n);
    oFigures.m_fSellerReceives = Money((o.nItems + o.nPostage) * n - nFeesExVat - nVatAll);

    // The values behind the figures that eBay's own pages did not give.
    const std::string& sCategory = m_aoCategories[c.nCategory].m_sName;
    if (n) {
        Note(rule.eFlag, "Final value fee", sCategory);
        if (nPerOrder || t.ePerOrderFlag == SourceFlag::Unknown)
            Note(t.ePerOrderFlag, "Per-order fee");
        if (t.oRegulatory.lValue) Note(t.oRegulatory.eFlag, "Regulatory operating fee");
        if (c.nRegion)
            Note(oInternational.eFlag, "International fee", m_aoRegions[c.nRegion].m_sName);
        if (oInputs.m_bBelowStandard && t.oBelowStandard.lValue)
            Note(t.oBelowStandard.eFlag, "Below-standard surcharge");
        if (oInputs.m_bTopRated && t.oTopRated.lValue)
            Note(t.oTopRated.eFlag, "Top Rated discount");
        if (t.oVat.lValue) Note(t.oVat.eFlag, "VAT on fees");
        if (t.bBuyerProtection && rule.bBuyerProtection) {
            Note(t.eProtectionFlag, "Buyer Protection fee");
            Note(t.oProtectionFlat.eFlag, "Buyer Protection fee, flat part");
        }
    }
    Note(c.pAccount->oFreeListings.eFlag, "Free listings per month");
    if (bInsertion)
        Note(rule.bInsertion ? rule.eFlag : c.pAccount->oInsertion.eFlag, "Insertion fee");
    // Notes of the last calculation beyond this one's are not this sale's.
    oFigures.m_aoNotes.resize(nNotes);
}

std::vector<int64_t> clsTodaySchedule::StepPennies(const clsTodayInputs& oInputs,
                                                   const clsTodaySale& oSale, int64_t nLow,
                                                   int64_t nHigh) const {
    const clsData& d = *m_oData;
    const clsData::Choice c = d.Choose(oInputs);
    std::vector<int64_t> anSteps;
    if (nHigh - nLow < 2) return anSteps;
    // The least price in (nLow, nHigh) whose figure passes the bound: the totals rise with
    // the price, so a bisection finds it.
    auto Add = [&](int64_t nBound, bool bItemTotal) {
        for (const int64_t nPast : {nBound, nBound - 1}) { // the first above, the first at
            auto Passes = [&](int64_t nPrice) {
                const clsData::Order o = d.OrderAt(oInputs, oSale, nPrice);
                return (bItemTotal ? o.ItemTotal() : o.Total()) > nPast;
            };
            int64_t nBelow = nLow, nAbove = nHigh;
            if (!Passes(nAbove) || Passes(nBelow + 1)) continue;
            while (nAbove - nBelow > 1) {
                const int64_t nMid = nBelow + (nAbove - nBelow) / 2;
                (Passes(nMid) ? nAbove : nBelow) = nMid;
            }
            anSteps.push_back(nAbove);
        }
    };
    for (const Band& b : c.pRule->aRates) {
        Add(b.nStart, true);
        if (b.nEnd != kOpenEnd) Add(b.nEnd, true);
    }
    for (const Band& b : c.pRule->bPerOrder ? c.pRule->aPerOrder : c.pTable->aPerOrder) {
        Add(b.nStart, false);
        if (b.nEnd != kOpenEnd) Add(b.nEnd, false);
    }
    std::sort(anSteps.begin(), anSteps.end());
    anSteps.erase(std::unique(anSteps.begin(), anSteps.end()), anSteps.end());
    return anSteps;
}

double clsTodaySchedule::FeeSlope(const clsTodayInputs& oInputs, const clsTodaySale& oSale,
                                  int64_t nPenny) const {
    const clsData& d = *m_oData;
    const clsData::Choice c = d.Choose(oInputs);
    const Table& t = *c.pTable;
    const clsData::Order o = d.OrderAt(oInputs, oSale, nPenny);
    if (!o.lOrders) return 0;
    // The rate of the category's band that holds the item total, on that whole total.
    const int64_t nItemTotal = o.ItemTotal();
    int64_t lFinal = BandValue(c.pRule->aRates, nItemTotal);
    if (!c.pRule->bWhole) // the band the last penny falls in
        for (const Band& b : c.pRule->aRates) {
            lFinal = b.lValue;
            if (b.nEnd == kOpenEnd || nItemTotal <= b.nEnd) break;
        }
    const double dUnit = double(kRateUnit);
    double dOnTotal = lFinal / dUnit * (1 - (oInputs.m_bTopRated ? t.oTopRated.lValue / dUnit : 0));
    if (oInputs.m_bBelowStandard) dOnTotal += t.oBelowStandard.lValue / dUnit;
    dOnTotal += (t.oRegulatory.lValue + clsData::AdRate(oInputs)) / dUnit;
    double dInternational = t.aoInternational[c.nRegion].lValue / dUnit;
    const double dVat = oInputs.m_bVatRegistered ? 0 : t.oVat.lValue / dUnit;
    double dFees =
        dOnTotal * (1 + dVat) + dInternational * (1 + (t.bVatOnInternational ? dVat : 0));
    // Each penny of price adds a penny and its sales tax to the total.
    if (d.bSalesTaxInBase) dFees *= 1 + clsData::TaxRate(oInputs) / dUnit;
    return dFees;
}

int64_t clsTodaySchedule::RoundingSpread(const clsTodayInputs& oInputs,
                                         const clsTodaySale& oSale) const {
    if (oSale.m_lQuantity < 1) return 1;
    const int64_t lOrders = oInputs.m_bOneOrder ? 1 : oSale.m_lQuantity;
    const int64_t lItems = oInputs.m_bOneOrder ? oSale.m_lQuantity : 1;
    // Per order: the tax, the item total of a many-item order and the final value fee of each
    // item, six more fees, their VAT: each off by at most half a penny, and the tax and item
    // totals move every percentage fee by up to their rate of a penny.
    return lOrders * (lItems + 12) + 2;
}
