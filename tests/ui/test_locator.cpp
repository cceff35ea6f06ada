#include "UiTest.h"

#include "basCommon.h"
#include "basControls.h"
#include "clsControlLocator.h"

#include <utility>
#include <vector>

namespace {

using LocatorTest = clsUiTest;

// The included controls of the last build, with their computed Tops.
std::vector<std::pair<QString, int32_t>> Included(const clsControlLocator& oLocator) {
    std::vector<std::pair<QString, int32_t>> aoResult;
    QString sName;
    int32_t lTop = 0;
    for (int32_t i = 0; oLocator.GetIncludedControl(i, sName, lTop); ++i)
        aoResult.emplace_back(sName, lTop);
    return aoResult;
}

using Rows = std::vector<std::pair<QString, int32_t>>;

TEST_F(LocatorTest, HiddenRowIsClosedUpByTheRowsBelow) {
    SetUserSetting("Controls\\Test", "Visible", "lblA,lblC");
    clsControlLocator oLocator;
    oLocator.Section("Test");
    oLocator.AddControl("lblC", 920, 255); // registration order does not matter
    oLocator.AddControl("lblA", 360, 255);
    oLocator.AddControl("lblB", 640, 255);
    oLocator.AddingComplete(true);

    oLocator.BuildList(true);
    EXPECT_EQ(Included(oLocator), (Rows{{"lblA", 360}, {"lblC", 640}}));
    ASSERT_EQ(oLocator.ExcludedCount(), 1);
    QString sName;
    EXPECT_TRUE(oLocator.GetExcludedControl(0, sName));
    EXPECT_EQ(sName, "lblB");
    EXPECT_FALSE(oLocator.GetExcludedControl(1, sName));

    oLocator.BuildList(false);
    EXPECT_EQ(Included(oLocator), (Rows{{"lblA", 360}, {"lblB", 640}, {"lblC", 920}}))
        << "configuration mode shows every option";

    SetUserSetting("Controls\\Test", "Visible", "lblB");
    oLocator.UpdateVisibility();
    oLocator.BuildList(true);
    EXPECT_EQ(Included(oLocator), (Rows{{"lblB", 360}}));
}

TEST_F(LocatorTest, ControlsOfARowMoveTogetherAndAGrownPanelPushesRowsDown) {
    SetUserSetting("Controls\\Test", "Visible", "Outlay,Motor,Total");
    clsControlLocator oLocator;
    oLocator.Section("Test");
    oLocator.AddControl("lblOutlay", 360, 255);
    oLocator.AddControl("txtOutlay", 360, 285);
    oLocator.AddControl("optMotorAuction", 640, 255);
    oLocator.AddControl("ctlMotorAuction", 915, 1655);
    oLocator.AddControl("lblTotal", 2600, 255);
    oLocator.AddingComplete(true);
    oLocator.AddControl("lblLate", 100, 255); // ignored: adding is complete

    oLocator.UpdateHeight("ctlMotorAuction", 1955); // the option panel grew by 300
    oLocator.BuildList(true);
    EXPECT_EQ(Included(oLocator), (Rows{{"lblOutlay", 360},
                                        {"txtOutlay", 360},
                                        {"optMotorAuction", 640},
                                        {"ctlMotorAuction", 915},
                                        {"lblTotal", 2900}}))
        << "a row takes the current height of its last control and keeps its design gap";

    oLocator.UpdateHeight("txtOutlay", 255);
    oLocator.UpdateHeight("ctlMotorAuction", 0); // an option panel with nothing to show
    oLocator.BuildList(true);
    EXPECT_EQ(Included(oLocator).back(), (std::pair<QString, int32_t>{"lblTotal", 915}));
}

TEST_F(LocatorTest, ControlsOfTheOtherRegionNeverTakePart) {
    SetUserSetting("Controls\\Test", "Visible", "Outlay,Start,Business");
    clsControlLocator oLocator;
    oLocator.Section("Test");
    oLocator.AddControl("txtOutlay", 360, 255);
    oLocator.AddControl("chkOutlayInclTax", 360, 255);   // UK only, last of its row
    oLocator.AddControl("optBusinessAuction", 640, 255); // US only, a row of its own
    oLocator.AddControl("txtStartingPrice", 920, 255);

    oLocator.BuildList(false);
    EXPECT_EQ(Included(oLocator),
              (Rows{{"txtOutlay", 360}, {"chkOutlayInclTax", 360}, {"txtStartingPrice", 640}}));

    SetRegion(RegionUS);
    oLocator.BuildList(false);
    EXPECT_EQ(Included(oLocator),
              (Rows{{"txtOutlay", 360}, {"optBusinessAuction", 640}, {"txtStartingPrice", 920}}))
        << "a row whose last control is left out still closes: the next row does not "
           "overlap it";
}

TEST_F(LocatorTest, EmptyLocatorBuildsNothing) {
    clsControlLocator oLocator;
    oLocator.BuildList(true);
    EXPECT_FALSE(oLocator.BuiltControls());
    EXPECT_EQ(oLocator.IncludedCount(), 0);
    EXPECT_EQ(oLocator.ExcludedCount(), 0);
    QString sName = "unchanged";
    int32_t lTop = -5;
    EXPECT_FALSE(oLocator.GetIncludedControl(0, sName, lTop));
    EXPECT_EQ(sName, "unchanged");
    EXPECT_EQ(lTop, -5);
}

TEST_F(LocatorTest, NamesAreListedBySubstringAndBelongToTheirRegion) {
    clsTokeniser oList;
    oList.Tokenise("Total,Shop,chkGallery", ",");
    EXPECT_TRUE(IsNameListed("lblTotal", oList));
    EXPECT_TRUE(IsNameListed("ctlShopDuration", oList));
    EXPECT_TRUE(IsNameListed("chkGallery", oList));
    EXPECT_FALSE(IsNameListed("chkFeaturedGallery", oList));
    EXPECT_FALSE(IsNameListed("lbltotal", oList)) << "case-sensitive";
    EXPECT_FALSE(IsNameListed("lblTotal", clsTokeniser()));

    EXPECT_FALSE(IsControlInRegion("optBusinessAuction"));
    EXPECT_FALSE(IsControlInRegion("optShop60Days"));
    EXPECT_FALSE(IsControlInRegion("optPassenger"));
    EXPECT_TRUE(IsControlInRegion("optPassengerCar")) << "exact names only";
    EXPECT_TRUE(IsControlInRegion("chkOutlayInclTax"));
    EXPECT_FALSE(IsControlInRegion("chkBorderWeight")) << "the US list is asked first";
    SetRegion(RegionUS);
    EXPECT_TRUE(IsControlInRegion("ctlRealEstateOption"));
    EXPECT_FALSE(IsControlInRegion("txtWeight"));
    EXPECT_TRUE(IsControlInRegion("lblTotal"));
}

TEST_F(LocatorTest, VisibleListsAreStoredPerSection) {
    EXPECT_EQ(LoadVisibleList("Outlay").Count(), 0);
    clsTokeniser oList;
    oList.Tokenise("Outlay,Start", ",");
    EXPECT_TRUE(SaveVisibleList("Outlay", oList));
    EXPECT_EQ(UserSetting("Controls\\Outlay", "Visible"), "Outlay,Start");
    EXPECT_EQ(LoadVisibleList("Outlay").GetFlattenedSegments(0), "Outlay,Start");
    EXPECT_EQ(LoadVisibleList("Postage").Count(), 0);
    SetUserSetting("Controls\\Outlay", "Visible", "");
    EXPECT_EQ(LoadVisibleList("Outlay").Count(), 0);
}

TEST(TwipsTest, FifteenTwipsToAPixel) {
    EXPECT_EQ(TwipsToPixels(0), 0);
    EXPECT_EQ(TwipsToPixels(360), 24);
    EXPECT_EQ(TwipsToPixels(255), 17);
    EXPECT_EQ(TwipsToPixels(2600), 173);
    EXPECT_EQ(StripAmpersand("&Standard Auction"), "Standard Auction");
    EXPECT_EQ(StripAmpersand("Business && Industrial"), "Business & Industrial");
}

} // namespace
