// The schedule in use: what the shared price table holds, and switching it (declared in
// clsTodaySchedule.h, kept apart so that the schedule itself needs no price table).
#include "basCommon.h"
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
    // The 2008 fees come back as at start-up: from the last good copy when the edition's
    // file cannot be read.
    if (eSchedule == FeeSchedule::Today)
        oPrices->LoadPriceFile(GetSchedulePriceFilePath(eSchedule));
    else
        LoadEditionPrices(*oPrices);
    SetPrices(std::move(oPrices));
}
