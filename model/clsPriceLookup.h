#pragma once

#include "clsPriceRange.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class clsPrices;

// What a price table answers by name: enough for a reader that only looks names up (the price
// cache), so that it need not know the table that loads and owns the prices.
class clsPriceLookup {
protected:
    struct Entry {
        std::string sText;
        float fValue = 0;
        bool bNumeric = false;
        // For a range's count line: the bands the file gives lines for, in order, read once
        // when the file is loaded, since every calculation walks several ranges band by band.
        // Only bands present are kept, so a count of 32,767 costs nothing by itself.
        std::vector<clsPriceBand> aBands;
    };

public:
    // A name looked up once: answers what GetPrice would, without looking it up again.
    class Value {
    public:
        // As GetPrice: the number and true; 0 and false when not a number; fValue left alone
        // and false when the name is missing.
        bool Get(float& fValue) const {
            if (m_bFound) fValue = m_fValue;
            return m_bNumeric;
        }
        // The number; 0 when the name is missing or not a number.
        float Or0() const { return m_fValue; }

    private:
        friend class clsPrices;
        float m_fValue = 0;
        bool m_bFound = false;
        bool m_bNumeric = false;
    };

    // A range looked up once: its count line and the bands the file gives. A null range (the
    // count line missing) answers as HitTestRanges and Bands do for a missing range.
    class Range {
    public:
        bool Found() const { return m_pCount != nullptr; }
        // The band count; a type mismatch when the count line is missing or not a number, an
        // overflow when it does not fit 16 bits.
        int16_t Count() const;
        // As HitTestRanges.
        bool HitTest(float fHitTestValue, clsPriceRange& oResultantRange) const;
        // Band nBand (1 to Count()) into oRange: bounds and value, missing lines as 0.
        void Band(int16_t nBand, clsPriceRange& oRange) const;
        // As Bands.
        std::span<const clsPriceBand> Bands() const;

    private:
        friend class clsPrices;
        const Entry* m_pCount = nullptr;
    };

    // The number of a name + the duration's suffix, looked up once.
    virtual Value FindValue(std::string_view sName,
                            ShopDuration eShop = ShopDuration::None) const = 0;
    // A range of a name + the duration's suffix, looked up once.
    virtual Range FindRange(std::string_view sRangeName, ShopDuration eShop) const = 0;
    // The raw text of a name, unchanged by any suffix. Missing: "" and false.
    virtual bool GetData(std::string_view sName, std::string& sData) const = 0;

protected:
    clsPriceLookup() = default;
    clsPriceLookup(const clsPriceLookup&) = default;
    clsPriceLookup& operator=(const clsPriceLookup&) = default;
    ~clsPriceLookup() = default;
};

// 10 to the number of decimals of "CurrencyFormat": "0.00" -> 100; 1 when it is missing.
int32_t CurrencyScaleOf(const clsPriceLookup& oPrices);
