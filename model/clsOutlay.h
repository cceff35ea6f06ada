#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The money side of the item: what the seller paid, the prices asked and expected, and
// how many are sold. Other components read its members.
class clsOutlay {
public:
    float m_fOutlay = 0; // paid for one item
    float m_fStartingPrice = 0;
    float m_fReservePrice = 0;      // 0: no reserve
    float m_fEstimatedEndPrice = 0; // expected price of one item (Buy It Now price when fixed)
    int32_t m_lQuantity = 0;
    bool m_bAddTax = false; // local tax is added to the outlay
    bool m_bDirty = false;

    // Outlay total: outlay x quantity, plus "LocalTax" percent when chosen
    // (10 x 3 with 17.5 % tax -> 35.25).
    float DoCalc() const;
    // The [OUTLAY] section of the auction text; a load without it raises.
    void Save(std::string& sData) const;
    void Load(std::string_view sData);
    void Clear();
};
