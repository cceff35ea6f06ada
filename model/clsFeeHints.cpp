#include "clsFeeHints.h"

#include "basNumbers.h"
#include "clsPrices.h"
#include "clsTodaySchedule.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <span>
#include <string_view>

namespace {

using Field = clsFeeHint::Field;

// The fees a price can decide, as one calculation leaves them.
struct Fees {
    float fInsertion = 0;
    float fReserve = 0;
    float fUpgrades = 0;
};

Fees Calculate(clsCalculate& oAuction) {
    oAuction.DoCalc();
    return {oAuction.m_fListingCost, oAuction.m_fReserveCost, oAuction.m_fUpgradeCost};
}

float& PriceOf(clsCalculate& oAuction, Field eField) {
    switch (eField) {
    case Field::StartingPrice:
        return oAuction.m_oOutlay.m_fStartingPrice;
    case Field::ReservePrice:
        return oAuction.m_oOutlay.m_fReservePrice;
    default:
        return oAuction.m_oOutlay.m_fEstimatedEndPrice;
    }
}

// Ranges whose bands a price of this kind is looked up in (alone or times the quantity).
std::span<const std::string_view> RangesOf(Field eField) {
    static constexpr std::string_view asStarting[] = {"Opening", "OpeningMulti"};
    static constexpr std::string_view asReserve[] = {"Opening", "Reserve", "ReserveRealEstate"};
    static constexpr std::string_view asBuyItNow[] = {"OpeningFixed",
                                                      "FeatureBuyItNow",
                                                      "FeatureMotorBuyItNow",
                                                      "FeatureMotorPoketBikesBuyItNow",
                                                      "FeatureMotorPartsBuyItNow",
                                                      "FeatureRealEstateBuyItNow"};
    switch (eField) {
    case Field::StartingPrice:
        return asStarting;
    case Field::ReservePrice:
        return asReserve;
    default:
        return asBuyItNow;
    }
}

const char* Verb(Field eField) {
    switch (eField) {
    case Field::StartingPrice:
        return "Start at ";
    case Field::ReservePrice:
        return "Reserve at ";
    default:
        return "Buy It Now at ";
    }
}

// Whole pennies just under each band start: the top of the band below.
std::vector<int64_t> BandTops(Field eField, int32_t lScale, int32_t lQuantity) {
    std::vector<int64_t> anTops;
    // A band the file gives no line of starts at 0: no price below it.
    for (const std::string_view sRange : RangesOf(eField))
        for (const clsPriceBand& oBand : GetPrices().Bands(sRange, ShopDuration::None)) {
            int64_t nStart = 0;
            if (oBand.m_nIndex < 2 || !ToPennies(oBand.m_fStart, lScale, nStart)) continue;
            for (const int32_t lDivisor : {1, lQuantity})
                anTops.push_back((nStart - 1) / lDivisor);
        }
    std::sort(anTops.begin(), anTops.end(), std::greater<>());
    anTops.erase(std::unique(anTops.begin(), anTops.end()), anTops.end());
    return anTops;
}

std::string Describe(Field eField, float fPrice, const Fees& oNow, const Fees& oThen,
                     float& fNowTotal, float& fThenTotal) {
    std::vector<std::string_view> asNames;
    fNowTotal = 0;
    fThenTotal = 0;
    auto Compare = [&](std::string_view sName, float fNow, float fThen) {
        if (fNow == fThen) return;
        asNames.push_back(sName);
        fNowTotal = ToSingle(double(fNowTotal) + fNow);
        fThenTotal = ToSingle(double(fThenTotal) + fThen);
    };
    Compare("insertion", oNow.fInsertion, oThen.fInsertion);
    Compare("reserve", oNow.fReserve, oThen.fReserve);
    Compare(eField == Field::BuyItNowPrice ? "Buy It Now" : "listing upgrade", oNow.fUpgrades,
            oThen.fUpgrades);
    std::string sFees;
    for (size_t i = 0; i < asNames.size(); ++i)
        sFees += std::string(i == 0                    ? ""
                             : i + 1 == asNames.size() ? " and "
                                                       : ", ") +
                 std::string(asNames[i]);
    sFees += asNames.size() > 1 ? " fees " : " fee ";
    return Verb(eField) + FormatCurrency(fPrice) + ": " + sFees + FormatCurrency(fThenTotal) +
           " instead of " + FormatCurrency(fNowTotal);
}

} // namespace

std::vector<clsFeeHint> clsFeeHints::Find(const clsCalculate& oAuction) {
    std::vector<clsFeeHint> aoHints;
    // Today's fees do not depend on the starting, reserve or Buy It Now price.
    if (GetTodaySchedule()) return aoHints;
    clsCalculate oWork;
    oWork.Copy(oAuction);
    const Fees oNow = Calculate(oWork);
    const int32_t lScale = GetCurrencyScale();
    const int32_t lQuantity = std::max<int32_t>(oWork.m_oOutlay.m_lQuantity, 1);
    const bool bBuyItNow = oWork.m_oAuctionType.m_bBuyItNowOnly ||
                           oWork.m_oSellingFeatures.HasFeature(SellingFeature::BuyItNow);

    for (const Field eField : {Field::StartingPrice, Field::ReservePrice, Field::BuyItNowPrice}) {
        if (eField == Field::BuyItNowPrice && !bBuyItNow) continue;
        float& fPrice = PriceOf(oWork, eField);
        const float fCurrent = fPrice;
        // A price past the largest penny kept is past every band too.
        int64_t nCurrent = 0;
        if (!(fCurrent > 0) || !ToPennies(fCurrent, lScale, nCurrent)) continue;
        // At most 2 % or one whole unit of money lower, whichever is less.
        const int64_t nAllowance =
            std::min<int64_t>(static_cast<int64_t>(std::floor(nCurrent * 0.02)), lScale);
        // The nearest cheaper band first: the smallest cut that saves.
        for (const int64_t nTop : BandTops(eField, lScale, lQuantity)) {
            if (nTop >= nCurrent) continue;
            if (nTop < 1 || nCurrent - nTop > nAllowance) break;
            fPrice = static_cast<float>(double(nTop) / lScale);
            const Fees oThen = Calculate(oWork);
            clsFeeHint oHint;
            oHint.m_eField = eField;
            oHint.m_fCurrentPrice = fCurrent;
            oHint.m_fSuggestedPrice = fPrice;
            oHint.m_sText =
                Describe(eField, fPrice, oNow, oThen, oHint.m_fCurrentFee, oHint.m_fSuggestedFee);
            // A saving that rounds away to nothing on screen is no saving.
            if (double(oHint.m_fCurrentFee) - oHint.m_fSuggestedFee >= 0.5 / lScale) {
                aoHints.push_back(std::move(oHint));
                break;
            }
        }
        fPrice = fCurrent;
    }
    return aoHints;
}
