#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class clsOutlay;

enum class AccountType : int32_t { Personal = 0, Premier = 1, Business = 2 };
// The currency word of a rate name; the calculation always uses Pounds.
enum class Currency : int32_t {
    USDollars = 0,
    CanadianDollars = 1,
    Euros = 2,
    Pounds = 3,
    Yen = 4
};
enum class BandAttribute : int32_t { Name = 0, Value = 1 };

// What PayPal takes of the buyers' payment: a percentage plus a fixed charge, flat for a
// personal account, by the seller's monthly sales band for premier and business accounts.
class clsPayPal {
public:
    bool m_bUsePayPal = false;
    AccountType m_eAccoutType = AccountType::Personal;
    int32_t m_eBusinessRate = 1; // merchant band, 1 to 5
    bool m_bDirty = false;
    bool m_bPayInduvidually = false; // the fixed charge applies once per item

    // Fee on the whole payment, rounded to the currency's places: 100 at 3.4 % + 0.20 -> 3.6.
    float DoCalc(float fSellingValue, const clsOutlay* oOutlay);
    // The last calculation redone with the current members.
    float DoCalcAuto();
    bool CanHaveMerchantRate() const { return m_eAccoutType != AccountType::Personal; }
    // "BusinessRateBand" + band + "Name" or "Value"; band 0 means the current band and is
    // replaced by it in the caller's variable. Empty text when the price file lacks it.
    std::string GetBusinessRateBandAttribute(BandAttribute eAttribute, int32_t& eBand) const;
    // The [PAYPAL] section of the auction text; a load without it raises.
    void Save(std::string& sData) const;
    void Load(std::string_view sData);
    void Clear();

    // Rounds an amount given as text to the currency's places; exact halves round down:
    // "0.125" -> 0.12.
    static float RoundCurrency(const std::string& sAmount);
    // The same for the fee as a number, as if it were written in the auction text's general
    // form (seven significant digits) and that text rounded: worked out without the text.
    static float RoundCurrency(float fAmount);

private:
    float ApplyPayIndividually(float fAmount) const;
    // The number of merchant band eBand's value; a type mismatch when it is not one.
    static float BandValue(int32_t eBand);

    const clsOutlay* m_oOutlay = nullptr;
    float m_fLastSellingValue = 0;
};
