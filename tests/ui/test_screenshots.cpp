#include "UiTest.h"

#include "basCommon.h"
#include "clsAuctionType.h"
#include "clsOutlay.h"
#include "ctlAuctionType.h"
#include "ctlOutlay.h"

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

} // namespace
