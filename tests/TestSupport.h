#pragma once

#include "basCommon.h"
#include "clsPrices.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Message boxes raised during a test, recorded instead of shown.
std::vector<std::string>& ShownMessages();

// Puts a price table made from text (or a shipped price file) in force for one test and
// restores the edition's region afterwards.
class ScopedPrices {
public:
    explicit ScopedPrices(std::string_view sText, int32_t eRegion = RegionUK);
    static ScopedPrices Shipped(int32_t eRegion);
    // The shipped file of today's fees of the region.
    static ScopedPrices Today(int32_t eRegion);
    ~ScopedPrices();
    ScopedPrices(ScopedPrices&&) = default;

private:
    ScopedPrices() = default;
    static ScopedPrices FromFile(int32_t eRegion, const char* sUs, const char* sUk);
};

// Path of a file in the source tree's data folder.
std::string DataPath(const std::string& sName);
