#include "ctlAuctionOptions.h"

#include "clsAuctionType.h"

#include <QAbstractButton>
#include <QScopedValueRollback>

#include <string>

namespace {

const clsOptionRow kMotorTypes[] = {
    {"Passenger", "&Passenger Vhcl", "Passenger", int32_t(MotorType::Passenger)},
    {"Motorcycle", "M&otorcycle", "Motorcycle", int32_t(MotorType::Motorcycle)},
    {"Powersports", "Po&wersports", "Powersports", int32_t(MotorType::Powersports)},
    {"PocketBikes", "Po&cket Bikes", "PocketBikes", int32_t(MotorType::PocketBikes)},
    {"OtherVehicle", "Other &Vehicle", "OtherVehicle", int32_t(MotorType::OtherVehicle)},
    {"Parts", "Parts && &Accsr's", "Parts", int32_t(MotorType::Parts)},
};

const clsOptionRow kShopDurations[] = {
    {"Shop30Days", "&30 Days", "Shop30Days", int32_t(ShopDuration::Days30)},
    {"Shop60Days", "&60 Days", "Shop60Days", int32_t(ShopDuration::Days60)},
    {"Shop90Days", "&90 Days", "Shop90Days", int32_t(ShopDuration::Days90)},
    {"Shop120Days", "&120 Days", "Shop120Days", int32_t(ShopDuration::Days120)},
    {"ShopGoodTillCancelled", "&Good T.C.", "ShopGoodTillCancelled",
     int32_t(ShopDuration::GoodTilCancelled)},
};

const clsOptionRow kRealEstateLand[] = {
    {"RealEstateTimeShare", "&T'share && Land", "TimeShare",
     int32_t(RealEstateType::TimeshareLand)},
    {"RealEstateOther", "A&ll Other", "RealEstateOther", int32_t(RealEstateType::AllOther)},
};

const clsOptionRow kRealEstateSale[] = {
    {"RealEstate10DayAuction", "1-10 &Day Auction", "10DayAuction",
     int32_t(RealEstateSaleFormat::Auction10Day)},
    {"RealEstate30DayAuction", "30 Day A&uction", "30DayAuction",
     int32_t(RealEstateSaleFormat::Auction30Day)},
    {"RealEstate30DayAd", "3&0 Day Ad", "30DayAd", int32_t(RealEstateSaleFormat::Ad30Day)},
    {"RealEstate90DayAd", "90 Da&y Ad", "90DayAd", int32_t(RealEstateSaleFormat::Ad90Day)},
};

bool IsRealEstate(const clsAuctionType& oType) {
    return oType.m_eAuctionType == AuctionType::RealEstate;
}

constexpr int32_t kOptionWidth = 1785;

} // namespace

const clsOptionTable ctlAuctionOptions::MotorTypes{
    {"MotorTypes", 1800, 855},
    kMotorTypes,
    [](const clsAuctionType& o) { return int32_t(o.m_eMotorType); },
    [](clsAuctionType& o, int32_t l) { o.m_eMotorType = MotorType(l); },
    [](const clsAuctionType& o) { return o.m_eAuctionType == AuctionType::Motor; },
};

const clsOptionTable ctlAuctionOptions::ShopDurations{
    {"ShopDuration", 1800, 975},
    kShopDurations,
    [](const clsAuctionType& o) { return int32_t(o.m_eShopDuration); },
    [](clsAuctionType& o, int32_t l) { o.m_eShopDuration = ShopDuration(l); },
    [](const clsAuctionType& o) { return o.m_bShopInventory; },
};

const clsOptionTable ctlAuctionOptions::RealEstateLand{
    {"RealEstateLandOptions", 1800, 855},
    kRealEstateLand,
    [](const clsAuctionType& o) { return int32_t(o.m_eRealEstateType); },
    [](clsAuctionType& o, int32_t l) { o.m_eRealEstateType = RealEstateType(l); },
    IsRealEstate,
};

const clsOptionTable ctlAuctionOptions::RealEstateSale{
    {"RealEstateSaleOptions", 1800, 855},
    kRealEstateSale,
    [](const clsAuctionType& o) { return int32_t(o.m_eRealEstateSaleFormat); },
    [](clsAuctionType& o, int32_t l) { o.m_eRealEstateSaleFormat = RealEstateSaleFormat(l); },
    IsRealEstate,
};

ctlAuctionOptions::ctlAuctionOptions(const clsOptionTable& oTable, QWidget* oParent)
    : ctlSectionPanel(oParent, oTable.m_oLayout), m_oTable(oTable) {
    for (const clsOptionRow& oRow : m_oTable.m_aoRows) {
        const std::string sOption = std::string("opt") + oRow.m_sOption;
        const std::string sShowBox = std::string("chkShow") + oRow.m_sOption;
        AddRows({
            {.m_eKind = RowKind::OptionButton,
             .m_sName = sOption.c_str(),
             .m_sCaption = oRow.m_sCaption,
             .m_lWidth = kOptionWidth,
             .m_lValue = oRow.m_lValue},
            ShowRow(sShowBox.c_str(), oRow.m_sTag),
        });
    }
}

void ctlAuctionOptions::ApplyAuctionType(clsAuctionType& oType) {
    const QScopedValueRollback<bool> oApplying(m_bApplying, true);
    m_oType = &oType;
    SetOptions(m_oTable.m_fnGet(oType));
    const bool bAvailable = m_oTable.m_fnAvailable(oType);
    for (QAbstractButton* oOption : Options())
        Enable(oOption, bAvailable);
}

void ctlAuctionOptions::WriteBack() {
    if (!m_oType) return;
    int32_t lValue = 0;
    if (SelectedOption(lValue)) m_oTable.m_fnSet(*m_oType, lValue);
    m_oType->m_bDirty = true;
    emit Changed();
}
