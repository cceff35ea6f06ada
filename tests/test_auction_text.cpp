#include "TestSupport.h"

#include "clsCalculate.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kDefault =
    "[TYPE]000|False|False|0|0|0|0|False|[TYPE][OUTLAY]0|0|0|0|0|False[OUTLAY][FEATURES]0|0["
    "FEATURES][PAYPAL]False|0|1|False[PAYPAL][POSTAGE]False|0|0|0|0|False|False|False|0|False["
    "POSTAGE]";

std::string Save(clsCalculate& o) {
    std::string s;
    o.Serialize(s, true);
    return s;
}

TEST(AuctionText, DefaultTextRoundTrips) {
    clsCalculate o;
    EXPECT_EQ(Save(o), kDefault);
    std::string s = kDefault;
    clsCalculate oLoaded;
    oLoaded.m_oOutlay.m_fOutlay = 5;
    oLoaded.Serialize(s, false);
    EXPECT_EQ(Save(oLoaded), kDefault);
    EXPECT_EQ(s, kDefault); // loading leaves the text alone
}

TEST(AuctionText, EveryFieldRoundTrips) {
    clsCalculate o;
    o.m_oAuctionType.m_eAuctionType = AuctionType::RealEstate;
    o.m_oAuctionType.m_bBuyItNowOnly = true;
    o.m_oAuctionType.m_bShopInventory = true;
    o.m_oAuctionType.m_eShopDuration = ShopDuration::Days120;
    o.m_oAuctionType.m_eMotorType = MotorType::Parts;
    o.m_oAuctionType.m_eRealEstateType = RealEstateType::AllOther;
    o.m_oAuctionType.m_eRealEstateSaleFormat = RealEstateSaleFormat::Ad90Day;
    o.m_oAuctionType.m_bRealEstateBinding = true;
    o.m_oOutlay.m_fOutlay = 12.5f;
    o.m_oOutlay.m_fStartingPrice = 0.99f;
    o.m_oOutlay.m_fReservePrice = 12345678.f;
    o.m_oOutlay.m_fEstimatedEndPrice = 0.00001f;
    o.m_oOutlay.m_lQuantity = -3;
    o.m_oOutlay.m_bAddTax = true;
    o.m_oSellingFeatures.AddFeature(48);
    o.m_oSellingFeatures.m_lPicturePackQty = 7;
    o.m_oPayPal.m_bUsePayPal = true;
    o.m_oPayPal.m_eAccoutType = AccountType::Business;
    o.m_oPayPal.m_eBusinessRate = 5;
    o.m_oPayPal.m_bPayInduvidually = true;
    o.m_oPostage.m_bUse = true;
    o.m_oPostage.m_fWeight = 0.5f;
    o.m_oPostage.m_eClass = PostageClass::Parcel;
    o.m_oPostage.m_fManualFee = 2.25f;
    o.m_oPostage.m_eInsurance = InsuranceBand::Band4;
    o.m_oPostage.m_bRecorded = true;
    o.m_oPostage.m_bDeliveryProof = true;
    o.m_oPostage.m_bMakeProfit = true;
    o.m_oPostage.m_fProfit = 1.5f;
    o.m_oPostage.m_bSendInduvidually = true;
    const std::string s = Save(o);
    EXPECT_EQ(s, "[TYPE]002|True|True|5|5|1|3|True|[TYPE][OUTLAY]12.5|0.99|1.234568E+07|1E-05|-3|"
                 "True[OUTLAY][FEATURES]48|7[FEATURES][PAYPAL]True|2|5|True[PAYPAL][POSTAGE]True|"
                 "0.5|2|2.25|3|True|True|True|1.5|True[POSTAGE]");
    clsCalculate oCopy;
    oCopy.Copy(o);
    EXPECT_EQ(Save(oCopy), s);
    oCopy.Copy(oCopy); // onto itself: unchanged
    EXPECT_EQ(Save(oCopy), s);
    EXPECT_TRUE(ShownMessages().empty());
}

TEST(AuctionText, SectionsInAnyOrderWithTextAround) {
    std::string s = "junk[POSTAGE]True|2|1|0|0|False|False|False|0|False[POSTAGE] "
                    "[PAYPAL]true|1|3|FALSE[PAYPAL][OUTLAY]1|2|3|4|5|1[OUTLAY]"
                    "[FEATURES]16|0[FEATURES][TYPE]001|0|-1|3|0|0|0|0|[TYPE]\r\n"
                    "[TYPE]003|False|False|0|0|0|0|False|[TYPE]";
    clsCalculate o;
    o.Serialize(s, false);
    EXPECT_EQ(o.m_oAuctionType.m_eAuctionType, AuctionType::Motor); // the first auction wins
    EXPECT_FALSE(o.m_oAuctionType.m_bBuyItNowOnly);
    EXPECT_TRUE(o.m_oAuctionType.m_bShopInventory); // any non-zero number is true
    EXPECT_EQ(o.m_oOutlay.m_lQuantity, 5);
    EXPECT_TRUE(o.m_oOutlay.m_bAddTax);
    EXPECT_TRUE(o.m_oPayPal.m_bUsePayPal); // flag words in any case
    EXPECT_EQ(o.m_oPayPal.m_eBusinessRate, 3);
    EXPECT_TRUE(o.m_oSellingFeatures.HasFeature(16));
    EXPECT_EQ(o.m_oPostage.m_eClass, PostageClass::SecondClass);
    EXPECT_FLOAT_EQ(o.m_oPostage.m_fWeight, 2.f);
    EXPECT_TRUE(ShownMessages().empty());
}

TEST(AuctionText, BadFieldsAreSkippedOneByOne) {
    clsCalculate o;
    o.m_oAuctionType.m_eAuctionType = AuctionType::Business;
    o.m_oPostage.m_bSendInduvidually = true;
    std::string s = "[TYPE]300|True|x|256|2|1|1|maybe|[TYPE][OUTLAY]abc|2,5|1e40|4|99999999999|"
                    "False[OUTLAY][PAYPAL]True|70000|2|False[PAYPAL]"
                    "[POSTAGE]True|0.5|2|1|1|True|True|True|2[POSTAGE]";
    o.Serialize(s, false);
    EXPECT_EQ(o.m_oAuctionType.m_eAuctionType, AuctionType::Business); // 300 is out of range
    EXPECT_TRUE(o.m_oAuctionType.m_bBuyItNowOnly);
    EXPECT_EQ(o.m_oAuctionType.m_eShopDuration, ShopDuration::Days30); // 256 skipped
    EXPECT_EQ(o.m_oAuctionType.m_eMotorType, MotorType::Powersports);
    EXPECT_FALSE(o.m_oAuctionType.m_bRealEstateBinding);
    EXPECT_FLOAT_EQ(o.m_oOutlay.m_fOutlay, 0.f);
    EXPECT_FLOAT_EQ(o.m_oOutlay.m_fStartingPrice, 2.5f); // a comma point reads too
    EXPECT_FLOAT_EQ(o.m_oOutlay.m_fReservePrice, 0.f);   // beyond a single
    EXPECT_FLOAT_EQ(o.m_oOutlay.m_fEstimatedEndPrice, 4.f);
    EXPECT_EQ(o.m_oOutlay.m_lQuantity, 0);                       // beyond 32 bits
    EXPECT_EQ(o.m_oPayPal.m_eAccoutType, AccountType::Personal); // beyond 16 bits
    EXPECT_EQ(o.m_oPayPal.m_eBusinessRate, 2);
    EXPECT_FLOAT_EQ(o.m_oPostage.m_fProfit, 2.f);
    EXPECT_TRUE(o.m_oPostage.m_bSendInduvidually); // ninth field missing: kept
}

TEST(AuctionText, EmptyFieldShiftsTheRestForward) {
    clsCalculate o;
    std::string s = "[TYPE][TYPE][OUTLAY]1||3|4|5|False[OUTLAY][PAYPAL][PAYPAL][POSTAGE][POSTAGE]";
    o.Serialize(s, false);
    EXPECT_FLOAT_EQ(o.m_oOutlay.m_fStartingPrice, 3.f);
    EXPECT_FLOAT_EQ(o.m_oOutlay.m_fReservePrice, 4.f);
    EXPECT_FLOAT_EQ(o.m_oOutlay.m_fEstimatedEndPrice, 5.f);
}

TEST(AuctionText, MissingRequiredSectionStopsTheLoadWithAMessage) {
    clsCalculate o;
    o.m_oPayPal.m_bUsePayPal = true;
    o.m_oSellingFeatures.AddFeature(16);
    std::string s = "[TYPE]001|False|False|0|0|0|0|False|[TYPE][FEATURES]0|0[FEATURES]"
                    "[PAYPAL]False|0|1|False[PAYPAL][POSTAGE]True|0|0|0|0|False|False|False|0|"
                    "False[POSTAGE]";
    o.Serialize(s, false);
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0], "Failure loading section [OUTLAY]");
    EXPECT_EQ(o.m_oAuctionType.m_eAuctionType, AuctionType::Motor); // read before the failure
    EXPECT_TRUE(o.m_oSellingFeatures.HasFeature(16));               // after it: kept
    EXPECT_TRUE(o.m_oPayPal.m_bUsePayPal);
    EXPECT_FALSE(o.m_oPostage.m_bUse);

    ShownMessages().clear();
    std::string sOnce = std::string(kDefault).substr(0, std::string(kDefault).find("[PAYPAL]")) +
                        "[PAYPAL]True|0|1|False"; // closing marker missing
    o.Serialize(sOnce, false);
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0], "Failure loading section [PAYPAL]");

    ShownMessages().clear();
    std::string sNoFeatures = kDefault;
    sNoFeatures.erase(sNoFeatures.find("[FEATURES]"),
                      std::string("[FEATURES]0|0[FEATURES]").size());
    o.m_oSellingFeatures.AddFeature(16);
    o.Serialize(sNoFeatures, false); // passed over silently
    EXPECT_TRUE(ShownMessages().empty());
    EXPECT_TRUE(o.m_oSellingFeatures.HasFeature(16));
}

TEST(AuctionText, ClearRestoresDefaultsButNotDirtyOrFigures) {
    clsCalculate o;
    std::string s = "[TYPE]001|True|True|2|3|1|2|True|[TYPE][OUTLAY]1|2|3|4|5|True[OUTLAY]"
                    "[FEATURES]16|2[FEATURES][PAYPAL]True|2|3|True[PAYPAL]"
                    "[POSTAGE]True|1|2|3|1|True|True|True|2|True[POSTAGE]";
    o.Serialize(s, false);
    o.SetDirty(true);
    o.m_fProfit = 9;
    o.Clear();
    EXPECT_EQ(Save(o), kDefault);
    EXPECT_TRUE(o.IsDirty());
    EXPECT_EQ(o.m_fProfit, 9.f);
}

} // namespace
