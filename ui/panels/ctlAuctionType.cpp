#include "ctlAuctionType.h"

#include "basControls.h"
#include "clsAuctionType.h"
#include "ctlMotorOptions.h"
#include "ctlRealEstateOptions.h"
#include "ctlShopDurations.h"

#include <QCheckBox>
#include <QLabel>
#include <QScopedValueRollback>

#include <exception>

ctlAuctionType::ctlAuctionType(QWidget* oParent)
    : ctlSectionPanel(oParent, {"AuctionType", 2160, 975, true}) {
    AddRows({
        {"OptionButton", "optStandardAution", "&Standard Auction", "", 120, 360, 2025, 255, 0},
        {"Show", "chkShowStandard", "", "Standard"},
        {"OptionButton", "optMotorAuction", "Motor Auction", "", 120, 640, 2025, 255, 1},
        {"Show", "chkShowMotor", "", "Motor"},
    });
    m_ctlMotorAuction = AddPanel<ctlMotorOptions>("ctlMotorAuction", 360, 915);
    AddRows({
        {"OptionButton", "optRealEstateAuction", "Real Estate Auction", "", 120, 2600, 2025, 255,
         2},
        {"Show", "chkShowRealEstate", "", "RealEstate"},
    });
    m_ctlRealEstateOption = AddPanel<ctlRealEstateOptions>("ctlRealEstateOption", 360, 2880);
    AddRows({
        {"OptionButton", "optBusinessAuction", "Business && Industrial", "", 120, 4845, 2025, 255,
         3},
        {"Show", "chkShowBusinessAuction", "", "BusinessAuction"},
        {"CheckBox", "chkBuyItNow", "Buy it Now Only", "", 120, 5125, 2025},
        {"Show", "chkShowBuyItNow", "", "BuyItNow"},
        {"CheckBox", "chkShopInventory", "Shop Inventory", "", 120, 5405, 2025},
        {"Show", "chkShowShopInventory", "", "Shop"},
    });
    m_ctlShopDuration = AddPanel<ctlShopDurations>("ctlShopDuration", 360, 5685);
    AddRows({
        {"Label", "lblTotal", "Section Total ", "", 120, 7080, 2025},
        {"Show", "chkShowTotal", "", "Total"},
    });
}

void ctlAuctionType::ApplyAuctionType(clsAuctionType& oType) {
    const QScopedValueRollback<bool> oApplying(m_bApplying, true);
    m_oType = &oType;
    SetOptions(int32_t(oType.m_eAuctionType));
    CheckBox("chkBuyItNow")->setChecked(oType.m_bBuyItNowOnly);
    CheckBox("chkShopInventory")->setChecked(oType.m_bShopInventory);
    m_ctlMotorAuction->ApplyAuctionType(oType);
    m_ctlRealEstateOption->ApplyAuctionType(oType);
    m_ctlShopDuration->ApplyAuctionType(oType);
    try {
        SetSectionTotal(ControlAs<QLabel>("lblTotal"), oType.DoCalcAuto());
    } catch (const std::exception&) {
        // Not yet calculated: the total keeps its last figure.
    }
}

void ctlAuctionType::OnClick(QWidget* oCtrl) {
    const QString sName = oCtrl->objectName();
    QCheckBox* chkBuyItNow = CheckBox("chkBuyItNow");
    QCheckBox* chkShopInventory = CheckBox("chkShopInventory");
    if (sName == QLatin1String("optMotorAuction") ||
        sName == QLatin1String("optRealEstateAuction") ||
        sName == QLatin1String("optBusinessAuction") ||
        (sName == QLatin1String("chkBuyItNow") && chkBuyItNow->isChecked()))
        chkShopInventory->setChecked(false);
    if (sName == QLatin1String("chkShopInventory") && chkShopInventory->isChecked()) {
        chkBuyItNow->setChecked(false);
        SetOptions(int32_t(AuctionType::Standard));
    }
    WriteBack();
}

void ctlAuctionType::WriteBack() {
    if (!m_oType) return;
    int32_t lType = 0;
    if (SelectedOption(lType)) m_oType->m_eAuctionType = AuctionType(lType);
    m_oType->m_bBuyItNowOnly = CheckBox("chkBuyItNow")->isChecked();
    m_oType->m_bShopInventory = CheckBox("chkShopInventory")->isChecked();
    if (!m_oType->m_bShopInventory) m_oType->m_eShopDuration = ShopDuration::None;
    m_oType->m_bDirty = true;
    ApplyAuctionType(*m_oType);
    emit Changed();
}
