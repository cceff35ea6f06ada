#include "ctlMotorOptions.h"

#include "clsAuctionType.h"

ctlMotorOptions::ctlMotorOptions(QWidget* oParent)
    : ctlAuctionOptions(oParent, {"MotorTypes", 1800, 855}) {
    AddRows({
        {"OptionButton", "optPassenger", "Passenger Vhcl", "", 0, 0, 1785, 255, 0},
        {"Show", "chkShowPassenger", "", "Passenger"},
        {"OptionButton", "optMotorcycle", "Motorcycle", "", 0, 280, 1785, 255, 1},
        {"Show", "chkShowMotorcycle", "", "Motorcycle"},
        {"OptionButton", "optPowersports", "Powersports", "", 0, 560, 1785, 255, 2},
        {"Show", "chkShowPowersports", "", "Powersports"},
        {"OptionButton", "optPocketBikes", "Pocket Bikes", "", 0, 840, 1785, 255, 3},
        {"Show", "chkShowPocketBikes", "", "PocketBikes"},
        {"OptionButton", "optOtherVehicle", "Other Vehicle", "", 0, 1120, 1785, 255, 4},
        {"Show", "chkShowOtherVehicle", "", "OtherVehicle"},
        {"OptionButton", "optParts", "Parts && Accsr's", "", 0, 1400, 1785, 255, 5},
        {"Show", "chkShowParts", "", "Parts"},
    });
}

int32_t ctlMotorOptions::OptionValue(const clsAuctionType& oType) const {
    return int32_t(oType.m_eMotorType);
}

void ctlMotorOptions::SetOptionValue(clsAuctionType& oType, int32_t lValue) {
    oType.m_eMotorType = MotorType(lValue);
}

bool ctlMotorOptions::IsAvailable(const clsAuctionType& oType) const {
    return oType.m_eAuctionType == AuctionType::Motor;
}
