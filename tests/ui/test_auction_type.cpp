#include "UiTest.h"

#include "basCommon.h"
#include "basControls.h"
#include "clsAuctionType.h"
#include "clsOutlay.h"
#include "ctlAuctionType.h"
#include "ctlSubControlExample.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>

#include <memory>

namespace {

class AuctionTypeTest : public clsUiTest {
protected:
    void TearDown() override {
        m_ctlAuctionType.reset();
        clsUiTest::TearDown();
    }
    void Open() {
        m_oOutlay.m_fStartingPrice = 10;
        m_oOutlay.m_lQuantity = 1;
        m_oType.DoCalcListingFee(m_oOutlay);
        m_ctlAuctionType = std::make_unique<ctlAuctionType>();
        m_ctlAuctionType->ApplyAuctionType(m_oType);
        m_ctlAuctionType->ShowConfig(false);
        ShowWindow(m_ctlAuctionType.get());
        m_oType.m_bDirty = false;
    }
    // A control of the panel or of one of its option panels.
    template <class T = QWidget> T* Ctl(const char* sName) const {
        T* o = m_ctlAuctionType->findChild<T*>(QLatin1String(sName));
        EXPECT_TRUE(o) << sName;
        return o;
    }
    bool Checked(const char* sName) const { return Ctl<QAbstractButton>(sName)->isChecked(); }

    clsOutlay m_oOutlay;
    clsAuctionType m_oType;
    std::unique_ptr<ctlAuctionType> m_ctlAuctionType;
};

TEST_F(AuctionTypeTest, ShopInventoryExcludesBuyItNowOnlyAndTheOtherKindsOfSale) {
    m_oType.m_eAuctionType = AuctionType::Motor;
    m_oType.m_bBuyItNowOnly = true;
    Open();
    EXPECT_TRUE(Checked("optMotorAuction"));
    QSignalSpy oChanged(m_ctlAuctionType.get(), &ctlAuctionType::Changed);

    Click(Ctl("chkShopInventory"));
    EXPECT_TRUE(Checked("chkShopInventory"));
    EXPECT_FALSE(Checked("chkBuyItNow"));
    EXPECT_TRUE(Checked("optStandardAution"));
    EXPECT_TRUE(m_oType.m_bShopInventory);
    EXPECT_FALSE(m_oType.m_bBuyItNowOnly);
    EXPECT_EQ(m_oType.m_eAuctionType, AuctionType::Standard);
    EXPECT_TRUE(m_oType.m_bDirty);
    EXPECT_EQ(oChanged.count(), 1);

    Click(Ctl("chkBuyItNow"));
    EXPECT_FALSE(Checked("chkShopInventory"));
    EXPECT_TRUE(m_oType.m_bBuyItNowOnly);
    EXPECT_FALSE(m_oType.m_bShopInventory);

    Click(Ctl("chkShopInventory"));
    Click(Ctl("optMotorAuction"));
    EXPECT_FALSE(Checked("chkShopInventory"));
    EXPECT_EQ(m_oType.m_eAuctionType, AuctionType::Motor);
    EXPECT_FALSE(m_oType.m_bShopInventory);
    EXPECT_EQ(oChanged.count(), 4);
}

TEST_F(AuctionTypeTest, ShopDurationsServeOnlyAShopSaleAndLeavingItStoresNone) {
    m_oType.m_bShopInventory = true;
    m_oType.m_eShopDuration = ShopDuration::Days90;
    Open();
    EXPECT_TRUE(Checked("optShop90Days"));
    EXPECT_TRUE(Ctl("optShop30Days")->isEnabled());
    QSignalSpy oChanged(m_ctlAuctionType.get(), &ctlAuctionType::Changed);

    Click(Ctl("optShopGoodTillCancelled"));
    EXPECT_EQ(m_oType.m_eShopDuration, ShopDuration::GoodTilCancelled);
    EXPECT_EQ(oChanged.count(), 1) << "the host answers its option panel with one Changed";

    Click(Ctl("chkShopInventory"));
    EXPECT_EQ(m_oType.m_eShopDuration, ShopDuration::None);
    EXPECT_FALSE(Ctl("optShop30Days")->isEnabled());
    EXPECT_FALSE(Checked("optShopGoodTillCancelled")) << "no duration is chosen";
    EXPECT_FALSE(Checked("optShop30Days"));
}

TEST_F(AuctionTypeTest, OptionPanelsAreGreyedUnlessTheirKindOfSaleIsChosen) {
    UsePrices(RegionUS);
    Open();
    const char* const asMotor[] = {"optPassenger", "optMotorcycle", "optParts"};
    const char* const asRealEstate[] = {"optRealEstateTimeShare", "optRealEstate90DayAd",
                                        "chkRealEstateBinding"};
    for (const char* s : asMotor)
        EXPECT_FALSE(Ctl(s)->isEnabled()) << s;
    for (const char* s : asRealEstate)
        EXPECT_FALSE(Ctl(s)->isEnabled()) << s;

    Click(Ctl("optMotorAuction"));
    for (const char* s : asMotor)
        EXPECT_TRUE(Ctl(s)->isEnabled()) << s;
    for (const char* s : asRealEstate)
        EXPECT_FALSE(Ctl(s)->isEnabled()) << s;
    Click(Ctl("optMotorcycle"));
    EXPECT_EQ(m_oType.m_eMotorType, MotorType::Motorcycle);

    Click(Ctl("optRealEstateAuction"));
    for (const char* s : asMotor)
        EXPECT_FALSE(Ctl(s)->isEnabled()) << s;
    for (const char* s : asRealEstate)
        EXPECT_TRUE(Ctl(s)->isEnabled()) << s;
    Click(Ctl("optRealEstate30DayAd"));
    Click(Ctl("chkRealEstateBinding"));
    EXPECT_EQ(m_oType.m_eRealEstateSaleFormat, RealEstateSaleFormat::Ad30Day);
    EXPECT_TRUE(m_oType.m_bRealEstateBinding);
}

TEST_F(AuctionTypeTest, ApplyNeverWritesBack) {
    m_oType.m_bRealEstateBinding = true; // not a real estate sale: shown greyed and unticked
    Open();
    QSignalSpy oChanged(m_ctlAuctionType.get(), &ctlAuctionType::Changed);
    m_oType.m_eAuctionType = AuctionType::Business;
    m_ctlAuctionType->ApplyAuctionType(m_oType);
    EXPECT_TRUE(Checked("optBusinessAuction"));
    EXPECT_FALSE(Checked("chkRealEstateBinding"));
    EXPECT_TRUE(m_oType.m_bRealEstateBinding);
    EXPECT_FALSE(m_oType.m_bDirty);
    EXPECT_EQ(oChanged.count(), 0);
    EXPECT_TRUE(Ctl<QLabel>("lblTotal")->text().startsWith("Section Total £"));
}

TEST_F(AuctionTypeTest, OtherRegionsControlsNeverShowNotEvenInConfigurationMode) {
    Open();
    const char* const asUSOnly[] = {"optBusinessAuction", "ctlRealEstateOption", "optPassenger",
                                    "optShop60Days", "optShop120Days"};
    for (bool bConfig : {false, true}) {
        m_ctlAuctionType->ShowConfig(bConfig);
        for (const char* s : asUSOnly)
            EXPECT_FALSE(Ctl(s)->isVisible()) << s << bConfig;
        EXPECT_TRUE(Ctl("optShop90Days")->isVisible());
    }
    EXPECT_FALSE(Ctl("chkShowBusinessAuction")->isVisible());
    EXPECT_FALSE(Ctl("chkShowShop60Days")->isVisible());
    EXPECT_TRUE(Ctl("chkShowShopInventory")->isVisible());
    EXPECT_EQ(ControlTop(Ctl("chkShowShopInventory")), ControlTop(Ctl("chkShopInventory")));
}

TEST_F(AuctionTypeTest, HidingAKindOfSaleHidesItsOptionPanelToo) {
    UsePrices(RegionUS);
    Open();
    EXPECT_TRUE(Ctl("optRealEstateTimeShare")->isVisible()) << "inner panels no Show box governs";
    m_ctlAuctionType->ShowConfig(true);
    Click(Ctl("chkShowMotor"));
    EXPECT_TRUE(Ctl("ctlMotorAuction")->isVisible());
    m_ctlAuctionType->ShowConfig(false);
    EXPECT_FALSE(Ctl("optMotorAuction")->isVisible());
    EXPECT_FALSE(Ctl("ctlMotorAuction")->isVisible());
    EXPECT_EQ(ControlTop(Ctl("optRealEstateAuction")), 640);
    EXPECT_EQ(UserSetting("Controls\\AuctionType", "Visible"),
              "Standard,RealEstate,BusinessAuction,BuyItNow,Shop,Total");
}

TEST_F(AuctionTypeTest, HiddenOptionPanelRowsShrinkTheirHost) {
    SetUserSetting("Controls\\ShopDuration", "Visible", "Shop30Days,ShopGoodTillCancelled");
    Open();
    EXPECT_FALSE(Ctl("optShop90Days")->isVisible());
    EXPECT_EQ(ControlTop(Ctl("optShopGoodTillCancelled")), 280);
    EXPECT_EQ(ControlHeight(Ctl("ctlShopDuration")), 535);
    EXPECT_EQ(ControlTop(Ctl("lblTotal")) - ControlTop(Ctl("ctlShopDuration")), 535 + 20);

    m_ctlAuctionType->ShowConfig(true);
    EXPECT_TRUE(Ctl("optShop90Days")->isVisible());
    EXPECT_EQ(ControlTop(Ctl("lblTotal")) - ControlTop(Ctl("ctlShopDuration")), 815 + 20)
        << "the grown option panel (three UK rows) pushes the total down";
}

TEST_F(AuctionTypeTest, SubControlExampleSetsTheKindOfProperty) {
    ctlSubControlExample ctlExample;
    clsAuctionType oType;
    oType.m_eAuctionType = AuctionType::RealEstate;
    oType.m_eRealEstateType = RealEstateType::AllOther;
    ctlExample.ApplyAuctionType(oType);
    ctlExample.ShowConfig(false);
    ShowWindow(&ctlExample);
    auto* chkCheck1 = ctlExample.ControlAs<QCheckBox>("chkCheck1");
    EXPECT_FALSE(chkCheck1->isChecked());
    EXPECT_TRUE(ctlExample.ControlAs<QCheckBox>("chkCheck2")->isChecked());
    QSignalSpy oChanged(&ctlExample, &ctlSubControlExample::Changed);
    Click(chkCheck1);
    EXPECT_EQ(oType.m_eRealEstateType, RealEstateType::AllOther) << "Check2 is asked last";
    EXPECT_EQ(oChanged.count(), 1);
    oType.m_eAuctionType = AuctionType::Standard;
    ctlExample.ApplyAuctionType(oType);
    EXPECT_FALSE(chkCheck1->isEnabled());
}

} // namespace
