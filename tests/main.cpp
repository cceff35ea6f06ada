#include "TestSupport.h"

#include "basCommon.h"

#include <gtest/gtest.h>

#include <memory>

std::vector<std::string>& ShownMessages() {
    static std::vector<std::string> asMessages;
    return asMessages;
}

ScopedPrices::ScopedPrices(std::string_view sText, int32_t eRegion) {
    SetRegion(eRegion);
    auto oPrices = std::make_unique<clsPrices>();
    oPrices->LoadPriceText(sText);
    SetPrices(std::move(oPrices));
}

ScopedPrices ScopedPrices::FromFile(int32_t eRegion, const char* sUs, const char* sUk) {
    SetRegion(eRegion);
    auto oPrices = std::make_unique<clsPrices>();
    oPrices->LoadPriceFile(DataPath(eRegion == RegionUS ? sUs : sUk));
    SetPrices(std::move(oPrices));
    return ScopedPrices();
}

ScopedPrices ScopedPrices::Shipped(int32_t eRegion) {
    return FromFile(eRegion, "UpdateUS_v0102.dat", "UpdateUK_v0102.dat");
}

ScopedPrices ScopedPrices::Today(int32_t eRegion) {
    return FromFile(eRegion, "FeesTodayUS.dat", "FeesTodayUK.dat");
}

ScopedPrices::~ScopedPrices() {
    SetPrices(nullptr);
    SetRegion(RegionUK);
}

std::string DataPath(const std::string& sName) {
    return std::string(GAVELRY_SOURCE_DIR) + "/data/" + sName;
}

namespace {
class MessageReset : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { ShownMessages().clear(); }
};
} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    SetShowMessageHandler([](const std::string& sPrompt, int32_t, const std::string&) {
        ShownMessages().push_back(sPrompt);
        return MsgBox::ResultOK;
    });
    ::testing::UnitTest::GetInstance()->listeners().Append(new MessageReset);
    return RUN_ALL_TESTS();
}
