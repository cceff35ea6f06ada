#include "ctlRealEstateOptionsSale.h"

#include "clsAuctionType.h"

ctlRealEstateOptionsSale::ctlRealEstateOptionsSale(QWidget* oParent)
    : ctlAuctionOptions(oParent, {"RealEstateSaleOptions", 1800, 855}) {
    AddRows({
        {"OptionButton", "optRealEstate10DayAuction", "1-10 Day Auction", "", 0, 0, 1785, 255, 0},
        {"Show", "chkShowRealEstate10DayAuction", "", "10DayAuction"},
        {"OptionButton", "optRealEstate30DayAuction", "30 Day Auction", "", 0, 280, 1785, 255, 1},
        {"Show", "chkShowRealEstate30DayAuction", "", "30DayAuction"},
        {"OptionButton", "optRealEstate30DayAd", "30 Day Ad", "", 0, 560, 1785, 255, 2},
        {"Show", "chkShowRealEstate30DayAd", "", "30DayAd"},
        {"OptionButton", "optRealEstate90DayAd", "90 Day Ad", "", 0, 840, 1785, 255, 3},
        {"Show", "chkShowRealEstate90DayAd", "", "90DayAd"},
    });
}

int32_t ctlRealEstateOptionsSale::OptionValue(const clsAuctionType& oType) const {
    return int32_t(oType.m_eRealEstateSaleFormat);
}

void ctlRealEstateOptionsSale::SetOptionValue(clsAuctionType& oType, int32_t lValue) {
    oType.m_eRealEstateSaleFormat = RealEstateSaleFormat(lValue);
}

bool ctlRealEstateOptionsSale::IsAvailable(const clsAuctionType& oType) const {
    return oType.m_eAuctionType == AuctionType::RealEstate;
}
