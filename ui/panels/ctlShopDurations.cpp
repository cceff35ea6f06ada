#include "ctlShopDurations.h"

#include "clsAuctionType.h"

ctlShopDurations::ctlShopDurations(QWidget* oParent)
    : ctlAuctionOptions(oParent, {"ShopDuration", 1800, 975}) {
    AddRows({
        {"OptionButton", "optShop30Days", "30 Days", "", 0, 0, 1785, 255, 0},
        {"Show", "chkShowShop30Days", "", "Shop30Days"},
        {"OptionButton", "optShop60Days", "60 Days", "", 0, 280, 1785, 255, 4},
        {"Show", "chkShowShop60Days", "", "Shop60Days"},
        {"OptionButton", "optShop90Days", "90 Days", "", 0, 560, 1785, 255, 1},
        {"Show", "chkShowShop90Days", "", "Shop90Days"},
        {"OptionButton", "optShop120Days", "120 Days", "", 0, 840, 1785, 255, 5},
        {"Show", "chkShowShop120Days", "", "Shop120Days"},
        {"OptionButton", "optShopGoodTillCancelled", "Good T.C.", "", 0, 1120, 1785, 255, 2},
        {"Show", "chkShowShopGoodTillCancelled", "", "ShopGoodTillCancelled"},
    });
}

int32_t ctlShopDurations::OptionValue(const clsAuctionType& oType) const {
    return int32_t(oType.m_eShopDuration);
}

void ctlShopDurations::SetOptionValue(clsAuctionType& oType, int32_t lValue) {
    oType.m_eShopDuration = ShopDuration(lValue);
}

bool ctlShopDurations::IsAvailable(const clsAuctionType& oType) const {
    return oType.m_bShopInventory;
}
