// A new auction as a seller first meets it, in the main window: one item to sell, the
// upgrades of a standard auction, and figures that follow the first amounts typed.
#include "UiTest.h"

#include "basNumberText.h"
#include "clsCalculate.h"
#include "clsSellingCostFigures.h"
#include "ctlCalculator.h"
#include "ctlMovie.h"
#include "ctlNumericText.h"
#include "ctlOutlay.h"
#include "ctlSellingCosts.h"
#include "ctlSellingFeatures.h"
#include "frmMain.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTest>

#include <memory>

namespace {

class NewAuctionTest : public clsUiTest {
protected:
    void SetUp() override {
        clsUiTest::SetUp();
        for (clsCalculate* oDoc : {&GetWorkingDoc(), &GetDefaultAuction()}) {
            oDoc->Clear();
            oDoc->SetDirty(false);
        }
        // The calculator at start, on a copy of the default auction as first used.
        SetUserSetting("Config", "StartMode", "1");
        m_oMain = std::make_unique<frmMain>();
        ShowWindow(m_oMain.get());
    }
    void TearDown() override {
        GetWorkingDoc().SetDirty(false);
        m_oMain->close();
        m_oMain.reset();
        clsUiTest::TearDown();
    }
    ctlCalculator* Calculator() const { return m_oMain->ctlCalculator1; }
    ctlNumericText* Field(const char* sName) const {
        return Calculator()->Outlay()->ControlAs<ctlNumericText>(QLatin1String(sName));
    }
    QString Shown(const char* sName) const {
        return Calculator()->SellingCosts()->Label(QLatin1String(sName))->text();
    }
    void NewAuction() {
        emit m_oMain->swfVerticalMenuButtons[0]->FSCommand(QStringLiteral("click"), QString());
    }

    std::unique_ptr<frmMain> m_oMain;
};

TEST_F(NewAuctionTest, ANewAuctionSellsOneItemAndItsFiguresFollowTheFirstAmounts) {
    for (int lStart = 0; lStart < 2; ++lStart) {
        SCOPED_TRACE(lStart == 0 ? "first start" : "New Auction");
        if (lStart == 1) NewAuction();
        ASSERT_TRUE(Calculator()->isVisible());
        EXPECT_EQ(GetWorkingDoc().m_oOutlay.m_lQuantity, 1);
        EXPECT_EQ(Field("txtQuantity")->Text(), "1");
        EXPECT_FALSE(Calculator()->SellingCosts()->Label("lblQuantityNote")->isVisible());

        TypeInto(Field("txtOutlay"), "10");
        ctlNumericText* txtEstimatedEndPrice = Field("txtEstimatedEndPrice");
        TypeOver(txtEstimatedEndPrice, "50");
        // At once, before the field is left.
        clsCalculate oExpected;
        oExpected.m_oOutlay.m_fOutlay = 10;
        oExpected.m_oOutlay.m_fEstimatedEndPrice = 50;
        oExpected.m_oOutlay.m_lQuantity = 1;
        oExpected.DoCalc();
        const clsSellingCostFigures oFigures(oExpected);
        ASSERT_GT(oFigures.m_fFinalValueFee, 0.0f);
        ASSERT_GT(oFigures.m_fProfit, 0.0f);
        EXPECT_EQ(Shown("lblFinalValueFeeTotal"), MoneyText(oFigures.m_fFinalValueFee));
        EXPECT_EQ(Shown("lblSellingCostTotal"), MoneyText(oFigures.m_fSellingCost));
        EXPECT_EQ(Shown("lblProfitGrandTotal"), ProfitShown(oFigures));
        QTest::keyClick(txtEstimatedEndPrice, Qt::Key_Tab);
        EXPECT_EQ(Shown("lblProfitGrandTotal"), ProfitShown(oFigures));
        GetWorkingDoc().SetDirty(false);
    }

    // A quantity of 0 still works, and the figures say why nothing is sold.
    TypeInto(Field("txtQuantity"), "0");
    EXPECT_EQ(GetWorkingDoc().m_oOutlay.m_lQuantity, 0);
    QLabel* lblQuantityNote = Calculator()->SellingCosts()->Label("lblQuantityNote");
    EXPECT_TRUE(lblQuantityNote->isVisible());
    EXPECT_EQ(lblQuantityNote->text(), "Quantity 0: no item is sold");
    EXPECT_EQ(Shown("lblFinalValueFeeTotal"), "£0.00");
}

// A new auction is a standard auction, not a shop listing: its upgrades are offered and
// priced as such from the start, whatever shop duration it carries.
TEST_F(NewAuctionTest, TheUpgradesOfANewAuctionAreThoseOfAStandardAuction) {
    ctlSellingFeatures* oFeatures = Calculator()->SellingFeatures();
    for (const char* sName :
         {"chkHomePageFeatured", "chkFeaturePlus", "chkItemSubtitle", "chkFeaturedGallery"})
        EXPECT_TRUE(oFeatures->Control(QLatin1String(sName))->isEnabled()) << sName;
    for (const char* sName : {"chkItemSubtitle", "chkGallery"})
        Click(oFeatures->Control(QLatin1String(sName)));
    // £0.35 + £0.15, not the 30-day shop prices £0.02 + £0.01.
    EXPECT_EQ(oFeatures->ControlAs<QLabel>("lblTotal")->text(), "Section Total £0.50");
    EXPECT_EQ(Shown("lblListingCostTotal"), MoneyText(GetWorkingDoc().m_fListingCost + 0.5f));
}

} // namespace
