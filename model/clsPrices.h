#pragma once

#include "clsPriceLookup.h"
#include "clsPriceRange.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class clsPriceCache;
class clsTodaySchedule;

// The price table: named values read once from the site's price file. Names compare
// without regard to letter case; every numeric question carries a shop duration whose
// suffix is appended to the name before the look-up.
class clsPrices final : public clsPriceLookup {
public:
    clsPrices();
    ~clsPrices();
    clsPrices(clsPrices&&) noexcept;
    clsPrices& operator=(clsPrices&&) noexcept;

    // Price files are a few kilobytes; anything this large is not one.
    static constexpr size_t kMaxFileBytes = 4u << 20;
    static constexpr size_t kMaxLineLength = 32766;

    // Reads the price file (five attempts to open it, 100 ms apart). On any failure a
    // clsError is raised and the table keeps what it held before: never half a file.
    void LoadPriceFile(const std::string& sPath);
    // Reads price file text; raises a clsError for a repeated name, a text over
    // kMaxFileBytes or a line over kMaxLineLength, leaving the table as it was.
    void LoadPriceText(std::string_view sText);
    // The file the table was last loaded from; empty when it was loaded from text.
    const std::string& Source() const { return m_sSource; }

    // The raw text of a name, unchanged by any suffix. Missing: "" and false.
    bool GetData(std::string_view sName, std::string& sData) const override;
    // The number of a name + the duration's suffix. Missing: fValue untouched, false.
    // Present but not a number: fValue = 0, false.
    bool GetPrice(std::string_view sName, float& fValue,
                  ShopDuration eShop = ShopDuration::None) const;
    // Band nRangeNumber of a range. False when the range has no count line; raises a
    // type mismatch when the count is not a number. Missing band lines read as 0.
    bool GetRange(std::string_view sRangeName, int16_t nRangeNumber, clsPriceRange& oRange,
                  ShopDuration eShop) const;
    // The first band holding the value (bounds inclusive, end -1 open upwards). No band:
    // m_nIndex 0 and false. A missing or non-numeric count raises a type mismatch.
    bool HitTestRanges(std::string_view sRangeName, float fHitTestValue,
                       clsPriceRange& oResultantRange, ShopDuration eShop) const;
    // The bands of a range that the file gives at least one line of, in order. Bands up to the
    // count that it gives none of read as 0 to 0 with value 0 and are left out. Empty when the
    // range has no count line; a count that is not a number raises a type mismatch.
    std::span<const clsPriceBand> Bands(std::string_view sRangeName, ShopDuration eShop) const;

    size_t Count() const { return m_oPrices.size(); }
    // Calls fnVisit(sName, sText) for every entry, names in lower case, in no set order.
    void ForEachEntry(const std::function<void(std::string_view, std::string_view)>& fnVisit) const;
    // Today's schedule when the file holds one ("Schedule,Today"), read when it was loaded;
    // null for the 2008 schedule.
    const clsTodaySchedule* TodaySchedule() const { return m_oToday.get(); }

    Value FindValue(std::string_view sName, ShopDuration eShop = ShopDuration::None) const override;
    Range FindRange(std::string_view sRangeName, ShopDuration eShop) const override;
    // Every price a calculation asks for, looked up when this table was loaded.
    const clsPriceCache& Cache() const { return *m_oCache; }

    // "30", "90", "GTC", "", "60", "120"; any other value gives "".
    static std::string_view ShopSuffix(ShopDuration eShop);

private:
    // Names are stored in lower case, so plain hashing gives case-blind look-ups; the
    // hash takes a string_view so that looking a name up copies nothing.
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    using PriceMap = std::unordered_map<std::string, Entry, NameHash, std::equal_to<>>;

    static void AddPrice(PriceMap& oPrices, std::string_view sName, std::string_view sValue,
                         size_t nLine);
    static void ReadBands(PriceMap& oPrices);
    const Entry* Find(std::string_view sLowerName) const;

    PriceMap m_oPrices;
    // Rebuilt with every load, so a reloaded table never answers with the old prices.
    std::unique_ptr<const clsPriceCache> m_oCache;
    std::shared_ptr<const clsTodaySchedule> m_oToday;
    std::string m_sSource;
};

// The shared price table, loaded from GetPriceFilePath on the first request. When that file
// cannot be read, the last good copy kept by the update (GetPriceBackupPath) or else the copy
// shipped with the program is used, and the user is told which. When none can be read the
// user is told, the application is closed and the error raised.
clsPrices& GetPrices();
// The file the shared price table was read from, however it was loaded (the edition's file,
// the copy it fell back to, today's schedule); empty when there is no table yet.
std::string GetPricesSource();
// Replaces the shared price table (switching schedules, the command-line calculator, tests).
void SetPrices(std::unique_ptr<clsPrices> oPrices);
// Loads the edition's price file (GetPriceFilePath) into oPrices or, when it cannot be read,
// the last good copy kept by the update or else the copy shipped with the program, telling
// the user which; raises the edition file's error when none loads.
void LoadEditionPrices(clsPrices& oPrices);

// An amount as money text with the price file's symbol and format: 12.5 -> "£12.50".
std::string FormatCurrency(float fAmount);
// 10 to the number of decimals of "CurrencyFormat": "0.00" -> 100; 1 when it is missing.
int32_t GetCurrencyScale();
