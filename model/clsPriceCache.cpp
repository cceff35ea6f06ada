#include "clsPriceCache.h"

#include "basNumbers.h"

namespace {
constexpr ShopDuration kNone = ShopDuration::None;
} // namespace

size_t clsPriceCache::ShopSlot(ShopDuration eShop) {
    const auto nSlot = static_cast<size_t>(eShop);
    return nSlot < kShopSlots ? nSlot : static_cast<size_t>(kNone);
}

clsPriceCache::clsPriceCache(const clsPriceLookup& o) {
    auto Values = [&o](std::string_view sHead, std::initializer_list<std::string_view> asTails,
                       auto& aoValues) {
        size_t i = 0;
        for (const std::string_view sTail : asTails)
            aoValues[i++] = o.FindValue(std::string(sHead) + std::string(sTail));
    };

    m_oLocalTax = o.FindValue("LocalTax");

    m_oOpening = o.FindRange("Opening", kNone);
    m_oOpeningMulti = o.FindRange("OpeningMulti", kNone);
    m_oOpeningFixed = o.FindRange("OpeningFixed", kNone);
    m_oReserve = o.FindRange("Reserve", kNone);
    m_oFinal = o.FindRange("Final", kNone);
    m_oShopFinal = o.FindRange("ShopFinal", kNone);
    m_oFinalMotor = o.FindRange("FinalMotor", kNone);
    m_oReserveRealEstateRange = o.FindRange("ReserveRealEstate", kNone);
    m_oAuctionTypeMotor = o.FindValue("AuctionTypeMotor");
    m_oAuctionTypeRealEstate = o.FindValue("AuctionTypeRealEstate");
    m_oReserveMotor = o.FindValue("ReserveMotor");
    m_oReserveRealEstate = o.FindValue("ReserveRealEstate");
    m_oFinalRealEstate = o.FindValue("FinalRealEstate");
    for (size_t nSlot = 0; nSlot < kShopSlots; ++nSlot) {
        const auto eShop = static_cast<ShopDuration>(nSlot);
        m_aoShopInsertionFee[nSlot] = o.FindValue("ShopInsertionFee", eShop);
        m_aoShopInsertionSurcharge[nSlot] = o.FindValue("ShopInsertionSurcharge", eShop);
    }
    Values("AuctionTypeMotor", {"Passenger", "Motorcycle", "Powersports", "PocketBikes", "Other"},
           m_aoAuctionTypeMotor);
    Values("TransactionFeeMotor",
           {"Passenger", "Motorcycle", "Powersports", "PocketBikes", "Other"},
           m_aoTransactionFeeMotor);
    // "Motorbike" here where the insertion names say "Motorcycle".
    Values("ReserveMotor", {"Passenger", "Motorbike", "Powersports", "PocketBikes", "Other"},
           m_aoReserveMotor);
    for (size_t nType = 0; nType < m_aaoRealEstateListing.size(); ++nType)
        for (size_t nFormat = 0; nFormat < m_aaoRealEstateListing[nType].size(); ++nFormat)
            m_aaoRealEstateListing[nType][nFormat] = o.FindValue(RealEstateListingKey(
                static_cast<RealEstateType>(nType), static_cast<RealEstateSaleFormat>(nFormat)));
    m_oAuctionTypeBusiness = o.FindValue("AuctionTypeBusiness");
    m_oReserveMax = o.FindValue("ReserveMax");
    m_oReserveRealEstateMax = o.FindValue("ReserveRealEstateMax");
    m_oReserveBusiness = o.FindValue("ReserveBusiness");
    m_oFinalRealEstateTimeshare = o.FindValue("FinalRealEstateTimeshare");
    m_oFinalRealEstateOther = o.FindValue("FinalRealEstateOther");
    m_oFinalBusiness = o.FindValue("FinalBusiness");
    m_oFinalBusinessMax = o.FindValue("FinalBusinessMax");

    for (size_t nPrefix = 0; nPrefix < kPricePrefixes.size(); ++nPrefix)
        for (size_t nSlot = 0; nSlot < kShopSlots; ++nSlot)
            for (size_t i = 0; i < kUpgrades.size(); ++i) {
                const clsUpgrade& oRow = kUpgrades[i];
                const std::string sName =
                    std::string(kPricePrefixes[nPrefix]) + std::string(oRow.sPiece);
                // Buy It Now's range goes by the end price alone, whatever the shop duration.
                const auto eShop = oRow.eCharge == UpgradeCharge::ByEndPrice
                                       ? kNone
                                       : static_cast<ShopDuration>(nSlot);
                Upgrade& oUpgrade = m_aaoUpgrades[nPrefix][nSlot][i];
                if (oRow.ByRange())
                    oUpgrade.oRange = o.FindRange(sName, eShop);
                else
                    oUpgrade.oValue = o.FindValue(sName, eShop);
            }

    m_oPersonalPercent = o.FindValue("PersonalRatePounds%");
    m_oPersonalFixed = o.FindValue("PersonalRatePoundsFixed");
    m_oBusinessPercent = o.FindRange("BusinessRatePounds%", kNone);
    m_oBusinessFixed = o.FindRange("BusinessRatePoundsFixed", kNone);
    m_oOtherPercent = o.FindRange("Pounds%", kNone);
    m_oOtherFixed = o.FindRange("PoundsFixed", kNone);
    for (int32_t n = 1; n <= kBands; ++n) {
        std::string sText;
        o.GetData("BusinessRateBand" + std::to_string(n) + "Value", sText);
        BandValue& oBand = m_aoBandValues[size_t(n)];
        oBand.bNumeric = ParseSingle(sText, oBand.fValue);
    }

    m_oFirstClass = o.FindRange("FirstClass", kNone);
    m_oSecondClass = o.FindRange("SecondClass", kNone);
    m_oParcel = o.FindRange("Parcel", kNone);
    m_oFirstClassOverWeightStep = o.FindValue("FirstClassOverWeightStep");
    m_oFirstClassOverWeightStepValue = o.FindValue("FirstClassOverWeightStepValue");
    Values("InsuranceBandValue", {"1", "2", "3", "4"}, m_aoInsuranceBandValue);
    m_oRecordedSignedFor = o.FindValue("RecordedSignedFor");
    m_oProofOfDelivery = o.FindValue("ProofOfDelivery");

    m_lCurrencyScale = CurrencyScaleOf(o);
    if (!o.GetData("CurrencySymbol", m_sCurrencySymbol)) m_sCurrencySymbol = "£";
    if (!o.GetData("CurrencyFormat", m_sCurrencyFormat)) m_sCurrencyFormat = "0.00";
}
