#include "ctlAuctionType.h"

#include "basControls.h"
#include "clsAuctionType.h"
#include "ctlAuctionOptions.h"
#include "ctlRealEstateOptions.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QScopedValueRollback>

#include <exception>

namespace {

constexpr int32_t kWidth = 2025;

} // namespace

ctlAuctionType::ctlAuctionType(QWidget* oParent)
    : ctlSectionPanel(oParent, {"AuctionType", 2160, 975, true}) {
    AddRows({
        {.m_eKind = RowKind::OptionButton,
         .m_sName = "optStandardAution",
         .m_sCaption = "&Standard Auction",
         .m_lLeft = 120,
         .m_lWidth = kWidth,
         .m_lValue = int32_t(AuctionType::Standard)},
        {.m_eKind = RowKind::Show, .m_sName = "chkShowStandard", .m_sTag = "Standard"},
        {.m_eKind = RowKind::OptionButton,
         .m_sName = "optMotorAuction",
         .m_sCaption = "Motor Auction",
         .m_lLeft = 120,
         .m_lWidth = kWidth,
         .m_lValue = int32_t(AuctionType::Motor),
         .m_oKeep = &m_optMotorAuction},
        {.m_eKind = RowKind::Show, .m_sName = "chkShowMotor", .m_sTag = "Motor"},
    });
    m_ctlMotorAuction = AddPanel(new ctlAuctionOptions(ctlAuctionOptions::MotorTypes, this),
                                 "ctlMotorAuction", 360, 915);
    AddRows({
        {.m_eKind = RowKind::OptionButton,
         .m_sName = "optRealEstateAuction",
         .m_sCaption = "Real Estate Auction",
         .m_lLeft = 120,
         .m_lTop = 2600,
         .m_lWidth = kWidth,
         .m_lValue = int32_t(AuctionType::RealEstate),
         .m_oKeep = &m_optRealEstateAuction},
        {.m_eKind = RowKind::Show, .m_sName = "chkShowRealEstate", .m_sTag = "RealEstate"},
    });
    m_ctlRealEstateOption =
        AddPanel(new ctlRealEstateOptions(this), "ctlRealEstateOption", 360, 2880);
    AddRows({
        {.m_eKind = RowKind::OptionButton,
         .m_sName = "optBusinessAuction",
         .m_sCaption = "Business && Industrial",
         .m_lLeft = 120,
         .m_lTop = 4845,
         .m_lWidth = kWidth,
         .m_lValue = int32_t(AuctionType::Business),
         .m_oKeep = &m_optBusinessAuction},
        {.m_eKind = RowKind::Show,
         .m_sName = "chkShowBusinessAuction",
         .m_sTag = "BusinessAuction"},
        {.m_eKind = RowKind::CheckBox,
         .m_sName = "chkBuyItNow",
         .m_sCaption = "Buy it Now Only",
         .m_lLeft = 120,
         .m_lWidth = kWidth,
         .m_oKeep = &m_chkBuyItNow},
        {.m_eKind = RowKind::Show, .m_sName = "chkShowBuyItNow", .m_sTag = "BuyItNow"},
        {.m_eKind = RowKind::CheckBox,
         .m_sName = "chkShopInventory",
         .m_sCaption = "Shop Inventory",
         .m_lLeft = 120,
         .m_lWidth = kWidth,
         .m_oKeep = &m_chkShopInventory},
        {.m_eKind = RowKind::Show, .m_sName = "chkShowShopInventory", .m_sTag = "Shop"},
    });
    m_ctlShopDuration = AddPanel(new ctlAuctionOptions(ctlAuctionOptions::ShopDurations, this),
                                 "ctlShopDuration", 360, 5685);
    AddRows({
        {.m_eKind = RowKind::Label,
         .m_sName = "lblTotal",
         .m_sCaption = "Section Total ",
         .m_lLeft = 120,
         .m_lTop = 7080,
         .m_lWidth = kWidth,
         .m_oKeep = &m_lblTotal},
        {.m_eKind = RowKind::Show, .m_sName = "chkShowTotal", .m_sTag = "Total"},
    });
}

void ctlAuctionType::ApplyAuctionType(clsAuctionType& oType) {
    const QScopedValueRollback<bool> oApplying(m_bApplying, true);
    m_oType = &oType;
    SetOptions(int32_t(oType.m_eAuctionType));
    m_chkBuyItNow->setChecked(oType.m_bBuyItNowOnly);
    m_chkShopInventory->setChecked(oType.m_bShopInventory);
    m_ctlMotorAuction->ApplyAuctionType(oType);
    m_ctlRealEstateOption->ApplyAuctionType(oType);
    m_ctlShopDuration->ApplyAuctionType(oType);
    try {
        SetSectionTotal(m_lblTotal, oType.DoCalcAuto());
    } catch (const std::exception&) {
        // Not yet calculated: the total keeps its last figure.
    }
}

void ctlAuctionType::OnClick(QWidget* oCtrl) {
    if (oCtrl == m_optMotorAuction || oCtrl == m_optRealEstateAuction ||
        oCtrl == m_optBusinessAuction || (oCtrl == m_chkBuyItNow && m_chkBuyItNow->isChecked()))
        m_chkShopInventory->setChecked(false);
    if (oCtrl == m_chkShopInventory && m_chkShopInventory->isChecked()) {
        m_chkBuyItNow->setChecked(false);
        SetOptions(int32_t(AuctionType::Standard));
    }
    WriteBack();
}

void ctlAuctionType::WriteBack() {
    if (!m_oType) return;
    int32_t lType = 0;
    if (SelectedOption(lType)) m_oType->m_eAuctionType = AuctionType(lType);
    m_oType->m_bBuyItNowOnly = m_chkBuyItNow->isChecked();
    m_oType->m_bShopInventory = m_chkShopInventory->isChecked();
    if (!m_oType->m_bShopInventory) m_oType->m_eShopDuration = ShopDuration::None;
    m_oType->m_bDirty = true;
    ApplyAuctionType(*m_oType);
    emit Changed();
}
