#include "UiTest.h"

#include "basControls.h"
#include "clsAuctionType.h"
#include "clsOutlay.h"
#include "clsSellingFeatures.h"
#include "ctlNumericText.h"
#include "ctlSellingFeatures.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

class SellingFeaturesTest : public clsUiTest {
protected:
    void SetUp() override {
        clsUiTest::SetUp();
        m_oType.m_eShopDuration = ShopDuration::None; // not a shop listing
        m_ctlFeatures = std::make_unique<ctlSellingFeatures>();
        Apply();
        m_ctlFeatures->ShowConfig(false);
        ShowWindow(m_ctlFeatures.get());
    }
    void TearDown() override {
        m_ctlFeatures.reset();
        clsUiTest::TearDown();
    }
    void Apply() { m_ctlFeatures->ApplyFeatures(m_oFeatures, m_oType, m_oOutlay); }
    QWidget* Ctl(const char* sName) const { return m_ctlFeatures->Control(sName); }
    QCheckBox* Box(const char* sName) const { return m_ctlFeatures->ControlAs<QCheckBox>(sName); }
    ctlNumericText* Pictures() const {
        return m_ctlFeatures->ControlAs<ctlNumericText>("txtExtraPictures");
    }
    QString Total() const { return m_ctlFeatures->ControlAs<QLabel>("lblTotal")->text(); }

    clsSellingFeatures m_oFeatures;
    clsAuctionType m_oType;
    clsOutlay m_oOutlay;
    std::unique_ptr<ctlSellingFeatures> m_ctlFeatures;
};

TEST_F(SellingFeaturesTest, AShopListingGreysTheUpgradesItCannotHaveAndOffersFeaturedInSearch) {
    const char* const asNotForShops[] = {"chkHomePageFeatured", "chkFeaturePlus", "chkItemSubtitle",
                                         "chkFeaturedGallery", "chkBuyItNow"};
    EXPECT_FALSE(Ctl("chkFeaturedInSearch")->isEnabled()) << "priced -1 outside a shop";
    m_oFeatures.SetFeature(SellingFeature::HomePageFeatured | SellingFeature::Bold, true);
    m_oType.m_bShopInventory = true;
    m_oType.m_eShopDuration = ShopDuration::Days30;
    QSignalSpy oChanged(m_ctlFeatures.get(), &ctlSellingFeatures::Changed);
    Apply();
    for (const char* sName : asNotForShops) {
        EXPECT_FALSE(Ctl(sName)->isEnabled()) << sName;
        EXPECT_FALSE(Box(sName)->isChecked()) << sName;
    }
    EXPECT_FALSE(Ctl("fraHomePageFeatured")->isEnabled()) << "inert with its frame";
    // A chosen upgrade greyed out is written back at once, so it is not charged.
    EXPECT_FALSE(m_oFeatures.HasFeature(SellingFeature::HomePageFeatured));
    EXPECT_TRUE(m_oFeatures.HasFeature(SellingFeature::Bold));
    EXPECT_TRUE(m_oFeatures.m_bDirty);
    EXPECT_EQ(oChanged.count(), 1);
    Apply();
    EXPECT_EQ(oChanged.count(), 1) << "nothing more to write back";

    Click(Box("chkFeaturedInSearch"));
    EXPECT_EQ(oChanged.count(), 2);
    EXPECT_TRUE(m_oFeatures.HasFeature(SellingFeature::FeaturedInSearch | SellingFeature::Bold));
    EXPECT_FALSE(m_oFeatures.HasFeature(SellingFeature::HomePageFeatured));
    EXPECT_EQ(Total(), "Section Total £10.20") << "Featured in Search and Bold, 30 days";

    m_oType.m_bShopInventory = false;
    m_oType.m_eShopDuration = ShopDuration::None;
    m_oType.m_bBuyItNowOnly = true;
    Apply();
    EXPECT_FALSE(Ctl("chkBuyItNow")->isEnabled());
    EXPECT_TRUE(Ctl("chkHomePageFeatured")->isEnabled());
}

TEST_F(SellingFeaturesTest, PicturePackBoundsTheExtraPicturesByThePriceTable) {
    ctlNumericText* txtExtraPictures = Pictures();
    TypeInto(txtExtraPictures, "40");
    EXPECT_EQ(m_oFeatures.m_lPicturePackQty, 40) << "0 to 100 without a pack";

    QSignalSpy oChanged(m_ctlFeatures.get(), &ctlSellingFeatures::Changed);
    Click(Box("chkPicturePack"));
    EXPECT_EQ(oChanged.count(), 1);
    EXPECT_EQ(txtExtraPictures->Min(), 1.0f) << "band 1 start of \"PicturePack\"";
    EXPECT_EQ(txtExtraPictures->Max(), 12.0f) << "last band end";
    EXPECT_EQ(m_oFeatures.m_lPicturePackQty, 12) << "pulled down to the maximum";

    Click(Box("chkPicturePack"));
    EXPECT_EQ(txtExtraPictures->Max(), 100.0f);
    TypeInto(txtExtraPictures, "3.6");
    EXPECT_EQ(m_oFeatures.m_lPicturePackQty, 4) << "the nearest whole number";
    TypeInto(txtExtraPictures, "0");
    Click(Box("chkPicturePack"));
    EXPECT_EQ(txtExtraPictures->Text(), "1") << "pulled up to the minimum";
    EXPECT_EQ(m_oFeatures.m_lPicturePackQty, 1);
    // Three clicks; "3", "3.6" and "0" as typed; two fields left.
    EXPECT_EQ(oChanged.count(), 8);

    // A loaded auction with a pack gets the pack's bounds from Apply.
    m_ctlFeatures = std::make_unique<ctlSellingFeatures>();
    m_oFeatures.m_lPicturePackQty = 7;
    Apply();
    EXPECT_EQ(Pictures()->Max(), 12.0f);
    EXPECT_EQ(Pictures()->Text(), "7");
}

TEST_F(SellingFeaturesTest, BoxesWriteTheirBitsAndTheTotal) {
    QSignalSpy oChanged(m_ctlFeatures.get(), &ctlSellingFeatures::Changed);
    for (const char* sName : {"chkBold", "chkHighlight", "chkListingDesigner", "chkGallery"})
        Click(Box(sName));
    Click(Box("chkGallery"));
    EXPECT_EQ(oChanged.count(), 5);
    EXPECT_EQ(m_oFeatures.Features(),
              SellingFeature::Bold | SellingFeature::Highlight | SellingFeature::ListingDesigner);
    EXPECT_FALSE(Box("chkFeaturedGallery")->isChecked()) << "\"chkGallery\" is a whole name";
    EXPECT_TRUE(m_oFeatures.m_bDirty);
    EXPECT_EQ(Total(), "Section Total £3.32") << "Bold 0.75, Highlight 2.50, Designer 0.07";
}

TEST_F(SellingFeaturesTest, OtherRegionsUpgradesNeverShowAndRowsCloseUp) {
    for (bool bConfig : {false, true}) {
        m_ctlFeatures->ShowConfig(bConfig);
        for (const char* sName : {"chkBorder", "chk10DayDuration", "chkListingItem",
                                  "chkGiftServices", "chkCarAd", "chkPreviewPicture"})
            EXPECT_FALSE(Ctl(sName)->isVisible()) << sName << bConfig;
    }
    EXPECT_FALSE(Ctl("chkShowBorder")->isVisible());
    EXPECT_EQ(ControlTop(Ctl("chkShowBuyItNow")), ControlTop(Ctl("fraBuyItNow")));
    Click(Ctl("chkShowGallery"));
    m_ctlFeatures->ShowConfig(false);
    EXPECT_FALSE(Ctl("chkGallery")->isVisible());
    EXPECT_TRUE(Ctl("chkFeaturedGallery")->isVisible());
    EXPECT_EQ(ControlTop(Ctl("fraFeaturedGallery")), 360 + 5 * 280) << "Border and Gallery gone";
}

TEST_F(SellingFeaturesTest, ControlsAreNamedForAssistiveTechnologyAndReadInOrder) {
    auto Text = [&](const char* s, QAccessible::Text eText) {
        return QAccessible::queryAccessibleInterface(Ctl(s))->text(eText);
    };
    EXPECT_EQ(Text("chkHomePageFeatured", QAccessible::Name), "Home Page Featured");
    EXPECT_EQ(Text("chkHomePageFeatured", QAccessible::Description), "chkHomePageFeatured");
    EXPECT_EQ(Text("chkShowHomePageFeatured", QAccessible::Name), "Show Home Page Featured")
        << "its row's first control is the frame";
    EXPECT_EQ(Text("txtExtraPictures", QAccessible::Name), "Extra Pictures");

    Box("chkBold")->setFocus();
    QStringList asOrder{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        asOrder << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(asOrder, (QStringList{"chkBold", "chkGallery", "chkFeaturedGallery", "chkBuyItNow"}));
}

TEST_F(SellingFeaturesTest, Screenshot) {
    m_oFeatures.SetFeature(SellingFeature::Bold | SellingFeature::PicturePack, true);
    m_oFeatures.m_lPicturePackQty = 6;
    Apply();
    ASSERT_TRUE(QDir().mkpath(GAVELRY_SCREENSHOT_DIR));
    for (bool bConfig : {false, true}) {
        m_ctlFeatures->ShowConfig(bConfig);
        const QString sPath =
            QString(GAVELRY_SCREENSHOT_DIR "/selling-features%1.png").arg(bConfig ? "-config" : "");
        EXPECT_TRUE(m_ctlFeatures->grab().save(sPath)) << sPath.toStdString();
        for (QAbstractButton* oButton : m_ctlFeatures->findChildren<QAbstractButton*>()) {
            if (oButton->isVisible()) {
                EXPECT_LE(oButton->sizeHint().width(), oButton->width()) << "caption cut off";
            }
        }
    }
}

} // namespace
