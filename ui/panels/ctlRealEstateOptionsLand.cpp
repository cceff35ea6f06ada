#include "ctlRealEstateOptionsLand.h"

#include "clsAuctionType.h"

ctlRealEstateOptionsLand::ctlRealEstateOptionsLand(QWidget* oParent)
    : ctlAuctionOptions(oParent, {"RealEstateLandOptions", 1800, 855}) {
    AddRows({
        {"OptionButton", "optRealEstateTimeShare", "T'share && Land", "", 0, 0, 1785, 255, 0},
        {"Show", "chkShowRealEstateTimeShare", "", "TimeShare"},
        {"OptionButton", "optRealEstateOther", "All Other", "", 0, 280, 1785, 255, 1},
        {"Show", "chkShowRealEstateOther", "", "RealEstateOther"},
    });
}

int32_t ctlRealEstateOptionsLand::OptionValue(const clsAuctionType& oType) const {
    return int32_t(oType.m_eRealEstateType);
}

void ctlRealEstateOptionsLand::SetOptionValue(clsAuctionType& oType, int32_t lValue) {
    oType.m_eRealEstateType = RealEstateType(lValue);
}

bool ctlRealEstateOptionsLand::IsAvailable(const clsAuctionType& oType) const {
    return oType.m_eAuctionType == AuctionType::RealEstate;
}
