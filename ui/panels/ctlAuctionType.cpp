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
    // A kind of sale; the rows after an option panel stand where they were first drawn.
    const auto Sale = [](const char* sName, const char* sCaption, AuctionType eType,
                         QRadioButton** pp, int32_t lTop = kNextRow) {
        return clsControlRow{.m_eKind = RowKind::OptionButton,
                             .m_sName = sName,
                             .m_sCaption = sCaption,
                             .m_lLeft = 120,
                             .m_lTop = lTop,
                             .m_lWidth = kWidth,
                             .m_lValue = int32_t(eType),
                             .m_oKeep = pp};
    };
    const auto Box = [](const char* sName, const char* sCaption, QCheckBox** pp) {
        return clsControlRow{.m_eKind = RowKind::CheckBox,
                             .m_sName = sName,
                             .m_sCaption = sCaption,
                             .m_lLeft = 120,
                             .m_lWidth = kWidth,
                             .m_oKeep = pp};
    };
    AddRows({
        Sale("optStandardAution", "&Standard Auction", AuctionType::Standard, nullptr),
        ShowRow("chkShowStandard", "Standard"),
        Sale("optMotorAuction", "&Motor Auction", AuctionType::Motor, &m_optMotorAuction),
        ShowRow("chkShowMotor", "Motor"),
    });
    m_ctlMotorAuction = AddPanel(new ctlAuctionOptions(ctlAuctionOptions::MotorTypes, this),
                                 "ctlMotorAuction", 360, 915);
    AddRows({
        Sale("optRealEstateAuction", "&Real Estate Auction", AuctionType::RealEstate,
             &m_optRealEstateAuction, 2600),
        ShowRow("chkShowRealEstate", "RealEstate"),
    });
    m_ctlRealEstateOption =
        AddPanel(new ctlRealEstateOptions(this), "ctlRealEstateOption", 360, 2880);
    AddRows({
        Sale("optBusinessAuction", "&Business && Industrial", AuctionType::Business,
             &m_optBusinessAuction, 4845),
        ShowRow("chkShowBusinessAuction", "BusinessAuction"),
        Box("chkBuyItNow", "Buy &it Now Only", &m_chkBuyItNow),
        ShowRow("chkShowBuyItNow", "BuyItNow"),
        Box("chkShopInventory", "S&hop Inventory", &m_chkShopInventory),
        ShowRow("chkShowShopInventory", "Shop"),
    });
    m_ctlShopDuration = AddPanel(new ctlAuctionOptions(ctlAuctionOptions::ShopDurations, this),
                                 "ctlShopDuration", 360, 5685);
    AddRows({TotalRow(kWidth, &m_lblTotal, 7080), ShowRow("chkShowTotal", "Total")});
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
