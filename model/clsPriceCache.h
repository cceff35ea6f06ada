#pragma once

#include "basPriceNames.h"
#include "clsPriceLookup.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// Every price a calculation asks for, looked up once when its price table loads: the fee
// components read numbers here, not names, so a calculation makes no name look-up at all.
// The table (clsPrices) owns its cache and builds it anew with every load; the price names
// come from basPriceNames.h, so the cache knows no fee component.
class clsPriceCache {
public:
    using Value = clsPriceLookup::Value;
    using Range = clsPriceLookup::Range;

    explicit clsPriceCache(const clsPriceLookup& oPrices);

    // Slot of a shop duration's suffix: 0 to 5 as ShopDuration; any other value has no suffix,
    // as None.
    static size_t ShopSlot(ShopDuration eShop);
    static constexpr size_t kShopSlots = 6;

    // Outlay.
    Value m_oLocalTax;

    // Kind of sale, UK and US.
    Range m_oOpening, m_oOpeningMulti, m_oOpeningFixed, m_oReserve, m_oFinal, m_oShopFinal;
    Range m_oFinalMotor, m_oReserveRealEstateRange; // "ReserveRealEstate" is a range on US
    Value m_oAuctionTypeMotor, m_oAuctionTypeRealEstate, m_oReserveMotor, m_oReserveRealEstate;
    Value m_oFinalRealEstate;
    std::array<Value, kShopSlots> m_aoShopInsertionFee, m_aoShopInsertionSurcharge;
    // US motor fees by kind of vehicle, Passenger to OtherVehicle.
    std::array<Value, 5> m_aoAuctionTypeMotor, m_aoTransactionFeeMotor, m_aoReserveMotor;
    // US real estate insertion fees by kind of property and sale format; the last slot of each
    // is a value no panel offers, which adds no piece to the name.
    std::array<std::array<Value, 5>, 3> m_aaoRealEstateListing;
    Value m_oAuctionTypeBusiness, m_oReserveMax, m_oReserveRealEstateMax, m_oReserveBusiness;
    Value m_oFinalRealEstateTimeshare, m_oFinalRealEstateOther, m_oFinalBusiness;
    Value m_oFinalBusinessMax;

    // Listing upgrades: for each price name prefix and shop duration, one price per row of
    // kUpgrades, a number or a range as the row is charged.
    struct Upgrade {
        Value oValue;
        Range oRange;
    };
    using Upgrades = std::array<Upgrade, kUpgradeCount>;
    const Upgrades& UpgradesFor(size_t nPrefix, ShopDuration eShop) const {
        return m_aaoUpgrades[nPrefix][ShopSlot(eShop)];
    }

    // PayPal: the personal rate, the merchant ranges ("BusinessRate") and those of an account
    // type no panel offers (no rate name), and each merchant band's value.
    Value m_oPersonalPercent, m_oPersonalFixed;
    Range m_oBusinessPercent, m_oBusinessFixed, m_oOtherPercent, m_oOtherFixed;
    struct BandValue {
        float fValue = 0;
        bool bNumeric = false; // the band's value text is a number
    };
    static constexpr int32_t kBands = 5;
    std::array<BandValue, kBands + 1> m_aoBandValues; // by band number, 0 unused

    // Postage.
    Range m_oFirstClass, m_oSecondClass, m_oParcel;
    Value m_oFirstClassOverWeightStep, m_oFirstClassOverWeightStepValue;
    std::array<Value, 4> m_aoInsuranceBandValue;
    Value m_oRecordedSignedFor, m_oProofOfDelivery;

    // Money: GetCurrencyScale and the symbol and number picture of FormatCurrency.
    int32_t m_lCurrencyScale = 1;
    std::string m_sCurrencySymbol;
    std::string m_sCurrencyFormat;

private:
    std::array<std::array<Upgrades, kShopSlots>, kPrefixCount> m_aaoUpgrades;
};
