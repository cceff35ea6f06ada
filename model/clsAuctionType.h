#pragma once

#include "basPriceNames.h"
#include "clsPriceRange.h"
#include "clsPrices.h"

#include <cstdint>
#include <string>
#include <string_view>

class clsOutlay;

// Kinds of sale; the values are stored in auction files.
enum class AuctionType : int32_t { Standard = 0, Motor = 1, RealEstate = 2, Business = 3 };
enum class MotorType : int32_t {
    Passenger = 0,
    Motorcycle = 1,
    Powersports = 2,
    PocketBikes = 3,
    OtherVehicle = 4,
    Parts = 5,
};

// How the item is sold, and the three fees that depend on it: insertion, reserve and
// final value. The UK and US schedules differ in structure, not only in amounts.
class clsAuctionType {
public:
    AuctionType m_eAuctionType = AuctionType::Standard;
    bool m_bBuyItNowOnly = false; // fixed price: sold at the Buy It Now price, no bidding
    bool m_bShopInventory = false;
    ShopDuration m_eShopDuration = ShopDuration::Days30;
    MotorType m_eMotorType = MotorType::Passenger;
    RealEstateType m_eRealEstateType = RealEstateType::TimeshareLand;
    RealEstateSaleFormat m_eRealEstateSaleFormat = RealEstateSaleFormat::Auction10Day;
    bool m_bRealEstateBinding = false;
    bool m_bDirty = false;

    // Reserve + insertion + final value fee.
    float DoCalc(const clsOutlay& oOutlay);
    // DoCalc on the outlay of the last DoCalcListingFee; an object error before that.
    float DoCalcAuto();
    // Insertion fee; remembers the outlay for DoCalcAuto.
    float DoCalcListingFee(const clsOutlay& oOutlay);
    float DoCalcReserveFee(const clsOutlay& oOutlay) const;
    float DoCalcFinalValueFee(const clsOutlay& oOutlay) const;
    float DoCalcListingFee_US(const clsOutlay& oOutlay) const;
    float DoCalcReserveFee_US(const clsOutlay& oOutlay) const;
    float DoCalcFinalValueFee_US(const clsOutlay& oOutlay) const;

    // A motor sale of a vehicle; a sale of parts counts only with bAllowParts.
    bool IsVehicle(bool bAllowParts) const;
    // The [TYPE] section of the auction text.
    void Save(std::string& sData) const;
    void Load(std::string_view sData);
    void Clear();

    // "AuctionTypeRealEstate" + "Timeshare"/"Other" + "Auction10"/"Auction30"/"Ad30"/"Ad90"
    // (the price names live in basPriceNames.h).
    static std::string RealEstateListingKey(RealEstateType eType, RealEstateSaleFormat eFormat);
    // Marginal fee of a range of percentages: bands 0-29.99 at 5 and 30-(-1) at 3, price 100
    // -> 5 % of 29.99 + 3 % of 70. The slice between touching bands' bounds is not charged.
    static float TieredFee(const clsPrices::Range& oRange, float fPrice);

private:
    float StandardListingFee(const clsOutlay& oOutlay) const;
    float ShopListingFee(float fFee) const;
    bool ReserveCharged(const clsOutlay& oOutlay) const;

    const clsOutlay* m_oOutlay = nullptr;
};
