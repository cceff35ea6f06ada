#include "clsRequiredPrices.h"

#include "basCommon.h"
#include "basPriceNames.h"
#include "clsError.h"
#include "clsPrices.h"

#include <initializer_list>
#include <span>

namespace {

using Kind = clsRequiredPrice::Kind;

constexpr const char* kShopSuffixes[] = {"30", "90", "GTC", "60", "120"};

class clsList {
public:
    void Add(Kind eKind, std::initializer_list<std::string> asNames) {
        for (const std::string& sName : asNames)
            m_aoPrices.push_back({sName, eKind});
    }
    void AddShops(Kind eKind, const std::string& sName) {
        for (const char* sSuffix : kShopSuffixes)
            Add(eKind, {sName + sSuffix});
    }
    // Upgrade fees under a prefix: each upgrade and the picture pack for listings that are
    // not shop listings and for every shop duration, and Buy It Now.
    void AddFeatures(std::string_view sPrefix) {
        auto Name = [sPrefix](const clsUpgrade& o, std::string_view sSuffix) {
            return std::string(sPrefix) + std::string(o.sPiece) + std::string(sSuffix);
        };
        for (const std::string_view sSuffix : {"", "30", "90", "GTC", "60", "120"}) {
            for (const clsUpgrade& o : kUpgrades)
                if (!o.ByRange()) Add(Kind::Number, {Name(o, sSuffix)});
            for (const clsUpgrade& o : kUpgrades)
                if (o.ByRange() && o.eCharge != UpgradeCharge::ByEndPrice)
                    Add(Kind::Range, {Name(o, sSuffix)});
        }
        // Ranges by the end price carry no shop suffix.
        for (const clsUpgrade& o : kUpgrades)
            if (o.eCharge == UpgradeCharge::ByEndPrice) Add(Kind::Range, {Name(o, "")});
    }
    std::vector<clsRequiredPrice> Take() { return std::move(m_aoPrices); }

private:
    std::vector<clsRequiredPrice> m_aoPrices;
};

void AddCommon(clsList& o) {
    o.Add(Kind::Range, {"Opening", "OpeningMulti", "OpeningFixed", "Reserve", "Final", "ShopFinal",
                        "BusinessRatePounds%", "BusinessRatePoundsFixed", "PicturePack"});
    o.AddShops(Kind::Number, "ShopInsertionFee");
    o.AddShops(Kind::Number, "ShopInsertionSurcharge");
    o.Add(Kind::Number, {"PersonalRatePounds%", "PersonalRatePoundsFixed", "ReserveEnterMin"});
    for (int n = 1; n <= 5; ++n) {
        o.Add(Kind::Text, {"BusinessRateBand" + std::to_string(n) + "Name"});
        o.Add(Kind::Number, {"BusinessRateBand" + std::to_string(n) + "Value"});
    }
    o.Add(Kind::Text, {"CurrencySymbol", "CurrencyFormat", "UsePostTitle"});
    o.AddFeatures("Feature");
}

std::vector<clsRequiredPrice> UkPrices() {
    clsList o;
    AddCommon(o);
    o.Add(Kind::Range, {"FinalMotor", "FirstClass", "SecondClass", "Parcel"});
    o.Add(Kind::Number,
          {"AuctionTypeMotor", "AuctionTypeRealEstate", "ReserveMotor", "ReserveRealEstate",
           "FinalRealEstate", "FirstClassOverWeightStep", "FirstClassOverWeightStepValue",
           "RecordedSignedFor", "ProofOfDelivery", "LocalTax"});
    for (int n = 1; n <= 4; ++n) {
        o.Add(Kind::Number, {"InsuranceBandValue" + std::to_string(n)});
        o.Add(Kind::Text, {"InsuranceBandName" + std::to_string(n)});
    }
    return o.Take();
}

std::vector<clsRequiredPrice> UsPrices() {
    clsList o;
    AddCommon(o);
    // The default shop duration of 30 days reaches every kind of sale.
    for (const std::string_view sPrefix : std::span(kPricePrefixes).subspan(1))
        o.AddFeatures(sPrefix);
    o.Add(Kind::Range, {"ReserveRealEstate"});
    for (const std::string s : {"Passenger", "Motorcycle", "Powersports", "PocketBikes", "Other"})
        o.Add(Kind::Number, {"AuctionTypeMotor" + s, "TransactionFeeMotor" + s});
    // "Motorbike" here where the insertion names say "Motorcycle".
    for (const std::string s : {"Passenger", "Motorbike", "Powersports", "PocketBikes", "Other"})
        o.Add(Kind::Number, {"ReserveMotor" + s});
    for (const std::string sType : {"Timeshare", "Other"})
        for (const char* sFormat : {"Auction10", "Auction30", "Ad30", "Ad90"})
            o.Add(Kind::Number, {"AuctionTypeRealEstate" + sType + sFormat});
    o.Add(Kind::Number, {"ReserveMax", "ReserveRealEstateMax", "AuctionTypeBusiness",
                         "ReserveBusiness", "FinalBusiness", "FinalBusinessMax",
                         "FinalRealEstateTimeshare", "FinalRealEstateOther"});
    return o.Take();
}

void CheckNumber(const clsPrices& oPrices, const std::string& sName, clsPriceCheck& oCheck) {
    std::string sText;
    float fValue = 0;
    if (!oPrices.GetData(sName, sText))
        oCheck.m_asMissing.push_back(sName);
    else if (!oPrices.GetPrice(sName, fValue))
        oCheck.m_asNotNumeric.push_back(sName);
}

void CheckRange(const clsPrices& oPrices, const std::string& sName, clsPriceCheck& oCheck) {
    const std::string sCount = sName + "Ranges";
    std::string sText;
    if (!oPrices.GetData(sCount, sText)) {
        oCheck.m_asMissing.push_back(sCount);
        return;
    }
    clsPriceRange oRange;
    std::span<const clsPriceBand> aoBands;
    try {
        if (!oPrices.GetRange(sName, 1, oRange, ShopDuration::None)) return;
        aoBands = oPrices.Bands(sName, ShopDuration::None);
    } catch (const clsError&) {
        oCheck.m_asNotNumeric.push_back(sCount); // not a number, or more bands than can be
        return;
    }
    // The bands given are looked at line by line; those not given at all lack all three.
    size_t nGiven = 0;
    for (int32_t n = 1; n <= oRange.m_nCount; ++n) {
        const bool bGiven = nGiven < aoBands.size() && aoBands[nGiven].m_nIndex == n;
        if (bGiven) ++nGiven;
        for (const char* sPart : {"RangeStart", "RangeEnd", "RangeValue"}) {
            const std::string sLine = sName + sPart + std::to_string(n);
            if (bGiven)
                CheckNumber(oPrices, sLine, oCheck);
            else
                oCheck.m_asMissing.push_back(sLine);
        }
    }
}

} // namespace

const std::vector<clsRequiredPrice>& RequiredPrices(int32_t eRegion) {
    static const std::vector<clsRequiredPrice> aoUk = UkPrices();
    static const std::vector<clsRequiredPrice> aoUs = UsPrices();
    return eRegion == RegionUS ? aoUs : aoUk;
}

clsPriceCheck CheckRequiredPrices(const clsPrices& oPrices, int32_t eRegion) {
    clsPriceCheck oCheck;
    // Today's schedule has its own names, every one checked when the file was loaded.
    if (oPrices.TodaySchedule()) return oCheck;
    for (const clsRequiredPrice& oPrice : RequiredPrices(eRegion)) {
        switch (oPrice.m_eKind) {
        case Kind::Number:
            CheckNumber(oPrices, oPrice.m_sName, oCheck);
            break;
        case Kind::Text: {
            std::string sText;
            if (!oPrices.GetData(oPrice.m_sName, sText))
                oCheck.m_asMissing.push_back(oPrice.m_sName);
            break;
        }
        case Kind::Range:
            CheckRange(oPrices, oPrice.m_sName, oCheck);
            break;
        }
    }
    return oCheck;
}

std::string clsPriceCheck::Describe(size_t nShown) const {
    std::string sText;
    size_t nListed = 0;
    for (const auto* pNames : {&m_asMissing, &m_asNotNumeric})
        for (const std::string& sName : *pNames) {
            if (nListed == nShown) break;
            sText += (nListed ? ", " : "") + sName;
            ++nListed;
        }
    const size_t nAll = m_asMissing.size() + m_asNotNumeric.size();
    if (nAll > nListed) sText += " and " + std::to_string(nAll - nListed) + " more";
    return sText;
}
