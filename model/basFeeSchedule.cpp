// The schedule in use: what the shared price table holds, and switching it (declared in
// clsTodaySchedule.h, kept apart so that the schedule itself needs no price table).
#include "basCommon.h"
#include "clsError.h"
#include "clsPrices.h"
#include "clsTodaySchedule.h"

#include <filesystem>

const clsTodaySchedule* GetTodaySchedule() {
    return GetPrices().TodaySchedule();
}

FeeSchedule GetFeeSchedule() {
    return GetTodaySchedule() ? FeeSchedule::Today : FeeSchedule::Y2008;
}

std::string GetSchedulePriceFilePath(FeeSchedule eSchedule) {
    if (eSchedule != FeeSchedule::Today) return GetPriceFilePath(false);
    const char* sName = GetRegion() == RegionUS ? "FeesTodayUS.dat" : "FeesTodayUK.dat";
    return (std::filesystem::path(GetProgramFolder()) / sName).string();
}

void UseFeeSchedule(FeeSchedule eSchedule) {
    auto oPrices = std::make_unique<clsPrices>();
    const std::string sPath = GetSchedulePriceFilePath(eSchedule);
    try {
        // The 2008 fees come back as at start-up: from the last good copy when the edition's
        // file cannot be read.
        if (eSchedule == FeeSchedule::Today)
            oPrices->LoadPriceFile(sPath);
        else
            LoadEditionPrices(*oPrices);
    } catch (const clsError& oError) {
        // The user is told which file failed, not only how.
        throw clsError(oError.Number(), oError.Source(),
                       "Error opening file " + sPath + "\r\n\r\n" + oError.Description());
    }
    SetPrices(std::move(oPrices));
}
