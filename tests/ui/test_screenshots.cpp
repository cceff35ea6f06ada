#include "UiTest.h"

#include "basCommon.h"
#include "basControls.h"
#include "clsAuctionType.h"
#include "clsCalculate.h"
#include "clsOutlay.h"
#include "clsTodaySchedule.h"
#include "ctlAuctionType.h"
#include "ctlCalculator.h"
#include "ctlOutlay.h"
#include "ctlToday.h"

#include <QDir>
#include <QPixmap>

namespace {

// Pictures of the panels for a reviewer, in the build folder's "screenshots".
class ScreenshotTest : public clsUiTest {
protected:
    static void Save(ctlSectionPanel& oPanel, const QString& sName, bool bConfig) {
        oPanel.ShowConfig(bConfig);
        oPanel.show();
        ASSERT_TRUE(QDir().mkpath(GAVELRY_SCREENSHOT_DIR));
        const QString sPath =
            QString(GAVELRY_SCREENSHOT_DIR "/%1%2.png").arg(sName, bConfig ? "-config" : "");
        ASSERT_FALSE(oPanel.grab().isNull());
        EXPECT_TRUE(oPanel.grab().save(sPath)) << sPath.toStdString();
    }
};

TEST_F(ScreenshotTest, OutlayPanel) {
    clsOutlay oOutlay;
    oOutlay.m_fOutlay = 12.5f;
    oOutlay.m_fStartingPrice = 0.99f;
    oOutlay.m_fEstimatedEndPrice = 25;
    oOutlay.m_lQuantity = 1;
    clsAuctionType oType;
    ctlOutlay ctlPanel;
    ctlPanel.ApplyOutlay(oOutlay, &oType);
    Save(ctlPanel, "outlay", false);
    Save(ctlPanel, "outlay", true);
}

TEST_F(ScreenshotTest, AuctionTypePanel) {
    for (int32_t eRegion : {RegionUK, RegionUS}) {
        UsePrices(eRegion);
        clsOutlay oOutlay;
        oOutlay.m_fStartingPrice = 10;
        clsAuctionType oType;
        oType.m_eAuctionType = AuctionType::Motor;
        oType.m_bShopInventory = eRegion == RegionUK;
        oType.DoCalcListingFee(oOutlay);
        ctlAuctionType ctlPanel;
        ctlPanel.ApplyAuctionType(oType);
        const QString sName = eRegion == RegionUK ? "auction-type-uk" : "auction-type-us";
        Save(ctlPanel, sName, false);
        Save(ctlPanel, sName, true);
    }
}

// The calculator under today's schedule as a seller fills it in: a UK private sale, a UK
// business sale and a US sale.
TEST_F(ScreenshotTest, CalculatorUnderTodaysFees) {
    struct clsSale {
        const char* m_sName;
        int32_t m_eRegion;
        const char* m_sAccount;
        const char* m_sCategory;
        float m_fOutlay, m_fPrice, m_fPostage, m_fAdRate, m_fSalesTax;
        bool m_bVatRegistered;
    };
    const clsSale aoSales[] = {
        {"today-uk-private", RegionUK, "Private", "", 4, 20, 3.2f, 0, 0, false},
        {"today-uk-business", RegionUK, "Business", "Jewellery", 35, 120, 4.5f, 5, 0, true},
        {"today-us", RegionUS, "Basic", "Watches", 150, 450, 12, 3, 8.25f, false},
    };
    for (const clsSale& oSale : aoSales) {
        UsePrices(oSale.m_eRegion);
        UseFeeSchedule(FeeSchedule::Today);
        clsCalculate& oDoc = GetWorkingDoc();
        oDoc.Clear();
        oDoc.m_oOutlay.m_fOutlay = oSale.m_fOutlay;
        oDoc.m_oOutlay.m_fStartingPrice = oSale.m_fPrice;
        oDoc.m_oOutlay.m_fEstimatedEndPrice = oSale.m_fPrice;
        oDoc.m_oOutlay.m_lQuantity = 1;
        oDoc.m_oPostage.m_bUse = true;
        oDoc.m_oPostage.m_eClass = PostageClass::Manual;
        oDoc.m_oPostage.m_fManualFee = oSale.m_fPostage;
        oDoc.m_oToday.m_sAccount = oSale.m_sAccount;
        oDoc.m_oToday.m_sCategory = oSale.m_sCategory;
        oDoc.m_oToday.m_fAdRate = oSale.m_fAdRate;
        oDoc.m_oToday.m_fSalesTaxPercent = oSale.m_fSalesTax;
        oDoc.m_oToday.m_bVatRegistered = oSale.m_bVatRegistered;
        oDoc.SetDirty(false);
        ctlCalculator ctlCalc;
        int32_t X = 0, Y = 0;
        ctlCalc.CalcMinSize(X, Y);
        ctlCalc.resize(TwipsToPixels(X + 240), TwipsToPixels(Y + 240));
        ShowWindow(&ctlCalc);
        ctlCalc.RefreshSums(true, &oDoc);
        ASSERT_FALSE(ctlCalc.Today()->isHidden());
        ASSERT_TRUE(QDir().mkpath(GAVELRY_SCREENSHOT_DIR));
        const QString sPath = QString(GAVELRY_SCREENSHOT_DIR "/%1.png").arg(oSale.m_sName);
        EXPECT_TRUE(ctlCalc.grab().save(sPath)) << sPath.toStdString();
        oDoc.Clear();
        oDoc.SetDirty(false);
    }
}

} // namespace
