#include "UiTest.h"

#include "basControls.h"
#include "basMain.h"
#include "basNumberText.h"
#include "clsCalculate.h"
#include "clsPrices.h"
#include "clsSellingCostFigures.h"
#include "clsTodaySchedule.h"
#include "ctlAuctionType.h"
#include "ctlCalculator.h"
#include "ctlFeeSchedule.h"
#include "ctlNumericText.h"
#include "ctlOutlay.h"
#include "ctlSellingCosts.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const kKeys[] = {"Outlay", "SellingFeatures", "AuctionType", "PayPal", "Postage"};

// Design places (Left, Top) of the section panels.
const std::map<std::string, QPoint> kDesign = {{"Outlay", {240, 1560}},
                                               {"PayPal", {5760, 1560}},
                                               {"AuctionType", {9600, 1560}},
                                               {"SellingFeatures", {120, 3600}},
                                               {"Postage", {4440, 5640}}};

QPoint Place(const QWidget* o) {
    return QPoint(ControlLeft(o), ControlTop(o));
}

class CalculatorTest : public clsUiTest {
protected:
    void SetUp() override {
        clsUiTest::SetUp();
        m_lSnap = g_lSnapToGrid;
        g_lSnapToGrid = 120;
        Doc().Clear();
        Doc().SetDirty(false);
    }
    void TearDown() override {
        m_ctlCalculator.reset();
        g_lSnapToGrid = m_lSnap;
        Doc().Clear();
        Doc().SetDirty(false);
        clsUiTest::TearDown();
    }
    static clsCalculate& Doc() { return GetWorkingDoc(); }
    // Starts the calculator as the main window does: shown at the size it needs.
    void Start() { m_ctlCalculator = ShowCalculator(); }
    ctlSectionPanel* Panel(const std::string& sKey) const { return m_ctlCalculator->Section(sKey); }
    // Drags a panel's header by the pointer, in twips, as the user does: the pointer stays
    // where it is put while the panel jumps under it.
    static void DragHeader(ctlSectionPanel* oPanel, float fX, float fY) {
        QWidget* imgHeader = oPanel->Control("imgHeader");
        ASSERT_TRUE(imgHeader->isVisible());
        const QPointF oStart = imgHeader->mapToGlobal(QPointF(30, 5));
        const QPointF oEnd = oStart + QPointF(fX / 15.0, fY / 15.0);
        auto Send = [imgHeader](QEvent::Type eType, QPointF oGlobal, Qt::MouseButton eButton,
                                Qt::MouseButtons eButtons) {
            QMouseEvent oEvent(eType, imgHeader->mapFromGlobal(oGlobal), oGlobal, eButton, eButtons,
                               Qt::NoModifier);
            QApplication::sendEvent(imgHeader, &oEvent);
        };
        Send(QEvent::MouseButtonPress, oStart, Qt::LeftButton, Qt::LeftButton);
        Send(QEvent::MouseMove, (oStart + oEnd) / 2, Qt::NoButton, Qt::LeftButton);
        Send(QEvent::MouseMove, oEnd, Qt::NoButton, Qt::LeftButton);
        Send(QEvent::MouseButtonRelease, oEnd, Qt::LeftButton, Qt::NoButton);
    }
    // Configuration mode with the panel in hand: a click on one of its captions shows its
    // header.
    void Grip(ctlSectionPanel* oPanel) {
        m_ctlCalculator->ConfigMode(true);
        for (QWidget* o : oPanel->Controls()) {
            if (!qobject_cast<QLabel*>(o) || IsHeaderImage(o) || !o->isVisible()) continue;
            QTest::mouseClick(o, Qt::LeftButton, Qt::NoModifier, o->rect().center());
            return;
        }
        ADD_FAILURE() << "no caption to click on " << oPanel->objectName().toStdString();
    }
    QString Figure(const char* sName) const {
        return m_ctlCalculator->SellingCosts()->Label(sName)->text();
    }

    std::unique_ptr<ctlCalculator> m_ctlCalculator;
    int32_t m_lSnap = 120;
};

TEST_F(CalculatorTest, PanelsStartAtTheirDesignPlacesAndTheAreaFollowsConfigurationMode) {
    Start();
    EXPECT_EQ(Place(m_ctlCalculator->SellingCosts()), QPoint(120, 120));
    for (const auto& [sKey, oPlace] : kDesign) {
        EXPECT_EQ(Place(Panel(sKey)), oPlace) << sKey;
        EXPECT_TRUE(Panel(sKey)->isVisible()) << sKey;
        EXPECT_FALSE(Panel(sKey)->ShowConfig()) << sKey;
    }
    int32_t X = 0, Y = 0;
    m_ctlCalculator->CalcMinSize(X, Y);
    // The auction type panel reaches furthest right, its Show column cut off; the profit
    // chart stands beside it.
    QWidget* oChart = m_ctlCalculator->findChild<QWidget*>("ctlProfitChart");
    ASSERT_TRUE(oChart);
    EXPECT_EQ(Place(oChart), QPoint(9600 + 2160 - 10 + 240, 1560));
    // The chart counts at its design size; it grows into any room beyond.
    EXPECT_EQ(X, ControlLeft(oChart) + 4500);
    EXPECT_GE(ControlWidth(oChart), 4500);
    int32_t lBottom = ControlTop(oChart) + 9135;
    for (const char* sKey : kKeys)
        lBottom = std::max(lBottom, ControlTop(Panel(sKey)) + ControlHeight(Panel(sKey)));
    EXPECT_EQ(Y, lBottom);

    m_ctlCalculator->ConfigMode(true);
    for (const char* sKey : kKeys)
        EXPECT_TRUE(Panel(sKey)->ShowConfig()) << sKey;
    m_ctlCalculator->CalcMinSize(X, Y);
    EXPECT_EQ(ControlLeft(oChart), 9600 + 2160 + 975 + 10 + 240)
        << "the Show column moves the chart over";
    EXPECT_EQ(X, ControlLeft(oChart) + 4500);

    // The line under the selling costs reaches the right edge.
    m_ctlCalculator->resize(900, 700);
    QWidget* lneLine = m_ctlCalculator->findChild<QWidget*>("lneLine");
    EXPECT_EQ(lneLine->geometry().right() + 1, 900);
    EXPECT_EQ(lneLine->x(), 8);
}

TEST_F(CalculatorTest, DraggedPanelsSnapToTheGridAndNeverLeaveTheArea) {
    Start();
    ctlSectionPanel* oOutlay = Panel("Outlay");
    ctlSectionPanel* oPayPal = Panel("PayPal");
    Grip(oOutlay);
    EXPECT_TRUE(oOutlay->Control("imgHeader")->isVisible()) << "the panel in hand shows its grip";
    EXPECT_FALSE(oPayPal->Control("imgHeader")->isVisible());

    DragHeader(oOutlay, 70, 70);
    EXPECT_EQ(Place(oOutlay), QPoint(240 + 120, 1560 + 120));
    DragHeader(oOutlay, 50, -50);
    EXPECT_EQ(Place(oOutlay), QPoint(360, 1680)) << "less than half a step stays";
    DragHeader(oOutlay, -60, 60);
    EXPECT_EQ(Place(oOutlay), QPoint(240, 1680))
        << "halves go to the even line: 2.5 -> 2, 14.5 -> 14";
    EXPECT_EQ(UserSetting("Controls\\Outlay", "Left"), "240");
    EXPECT_EQ(UserSetting("Controls\\Outlay", "Top"), "1680");
    // Another panel: the first one's grip goes, and it is stored too.
    Grip(oPayPal);
    EXPECT_FALSE(oOutlay->Control("imgHeader")->isVisible());
    DragHeader(oPayPal, -300, 0);
    EXPECT_EQ(Place(oPayPal), QPoint(5520, 1560)) << "5460 / 120 = 45.5 -> 46";
    EXPECT_EQ(UserSetting("Controls\\PayPal", "Left"), "5520");

    g_lSnapToGrid = 200;
    DragHeader(oPayPal, 10, 10);
    EXPECT_EQ(ControlLeft(oPayPal) % 200, 0);
    EXPECT_EQ(ControlTop(oPayPal) % 200, 0);
    // Far beyond the top left corner the panel stops there, its header within reach.
    DragHeader(oPayPal, -100000, -100000);
    EXPECT_EQ(Place(oPayPal), QPoint(0, 0));
    g_lSnapToGrid = 0; // a broken setting snaps to the twip
    DragHeader(oPayPal, 30, 0);
    EXPECT_EQ(Place(oPayPal), QPoint(30, 0));
}

TEST_F(CalculatorTest, PositionsSurviveARestartAndResetRestoresTheDesign) {
    Start();
    Grip(Panel("Postage"));
    DragHeader(Panel("Postage"), 1200, -240);
    Grip(Panel("AuctionType"));
    DragHeader(Panel("AuctionType"), -480, 0);
    m_ctlCalculator.reset();

    SetUserSetting("Controls\\Outlay", "Left", "twelve"); // unreadable: left where it is
    SetUserSetting("Controls\\Outlay", "Top", "1800");
    Start();
    EXPECT_EQ(Place(Panel("Postage")), QPoint(5640, 5400));
    EXPECT_EQ(Place(Panel("AuctionType")), QPoint(9120, 1560));
    EXPECT_EQ(Place(Panel("Outlay")), QPoint(240, 1800));
    EXPECT_EQ(Place(Panel("PayPal")), kDesign.at("PayPal"));

    m_ctlCalculator->ResetControlPositions();
    for (const auto& [sKey, oPlace] : kDesign) {
        EXPECT_EQ(Place(Panel(sKey)), oPlace) << sKey;
        EXPECT_EQ(UserSetting("Controls\\" + sKey, "Left"), std::to_string(oPlace.x()));
        EXPECT_EQ(UserSetting("Controls\\" + sKey, "Top"), std::to_string(oPlace.y()));
    }
    m_ctlCalculator->ConfigMode(true);
    EXPECT_EQ(Place(Panel("Postage")), kDesign.at("Postage")) << "the reset is what is stored";
}

TEST_F(CalculatorTest, RefreshingAndSwitchingModesNeverLeaveACleanAuctionDirty) {
    // A saved auction, just loaded: applying the panels writes into the model.
    clsCalculate oLoaded;
    oLoaded.m_oOutlay.m_fOutlay = 5;
    oLoaded.m_oOutlay.m_fEstimatedEndPrice = 30;
    oLoaded.m_oOutlay.m_lQuantity = 1;
    oLoaded.m_oPayPal.m_bUsePayPal = true;
    oLoaded.m_oPayPal.m_bPayInduvidually = true; // greyed out for one item
    oLoaded.m_oPostage.m_bUse = true;
    oLoaded.m_oPostage.m_fWeight = 0.25f;
    oLoaded.SetDirty(false);
    Start();
    QSignalSpy oChanged(m_ctlCalculator.get(), &ctlCalculator::Changed);
    m_ctlCalculator->RefreshSums(true, &oLoaded);
    EXPECT_EQ(&m_ctlCalculator->Document(), &oLoaded);
    EXPECT_FALSE(oLoaded.IsDirty());
    ASSERT_EQ(oChanged.count(), 1);
    EXPECT_EQ(oChanged.takeFirst().at(0).toBool(), false);
    EXPECT_EQ(Figure("lblPostageTotal"), MoneyText(oLoaded.m_fPostageCost));

    for (bool bMode : {true, false, true}) {
        m_ctlCalculator->ConfigMode(bMode);
        EXPECT_FALSE(oLoaded.IsDirty()) << bMode;
        ASSERT_EQ(oChanged.count(), 1) << "one recalculation per switch";
        EXPECT_EQ(oChanged.takeFirst().at(0).toBool(), false);
    }
    // A dirty auction stays dirty.
    oLoaded.m_oPostage.m_bDirty = true;
    m_ctlCalculator->RefreshSums(true);
    EXPECT_TRUE(oLoaded.IsDirty());
    EXPECT_EQ(oChanged.takeLast().at(0).toBool(), true);
}

TEST_F(CalculatorTest, AnEditRecalculatesShowsAndMarksTheAuctionModified) {
    Start();
    QSignalSpy oChanged(m_ctlCalculator.get(), &ctlCalculator::Changed);
    ctlOutlay* oOutlay = m_ctlCalculator->Outlay();
    TypeInto(oOutlay->ControlAs<ctlNumericText>("txtEstimatedEndPrice"), "50");
    TypeInto(oOutlay->ControlAs<ctlNumericText>("txtQuantity"), "1");
    EXPECT_FLOAT_EQ(Doc().m_oOutlay.m_fEstimatedEndPrice, 50);
    EXPECT_TRUE(Doc().IsDirty());
    // One recalculation for each keystroke that gives a new number ("5", "50", "1"), and
    // one as each field is left.
    ASSERT_EQ(oChanged.count(), 5);
    EXPECT_EQ(oChanged.last().at(0).toBool(), true);

    // An auction that cannot be calculated says so in the selling costs, with no figure of
    // the last calculation left beside the new inputs, and no refresh stuck.
    TypeInto(oOutlay->ControlAs<ctlNumericText>("txtQuantity"), "2000000000");
    auto* txtEstimatedEndPrice = oOutlay->ControlAs<ctlNumericText>("txtEstimatedEndPrice");
    TypeOver(txtEstimatedEndPrice, "90000000000000000000000000000");
    const QString sProfit = Figure("lblProfitGrandTotal");
    QTest::keyClick(txtEstimatedEndPrice, Qt::Key_0);
    ASSERT_GT(Doc().m_oOutlay.m_fEstimatedEndPrice, 1e29f);
    EXPECT_EQ(Figure("lblProfitGrandTotal"), "Error");
    EXPECT_EQ(m_ctlCalculator->SellingCosts()->Label("lblProfitGrandTotal")->toolTip(),
              "The figures cannot be worked out: Overflow");
    for (const char* sTotal :
         {"lblInsertionFeeTotal", "lblReserveFeeTotal", "lblFinalValueFeeTotal",
          "lblListingCostTotal", "lblSellingCostTotal", "lblPostageTotal", "lblPayPalTotal"})
        EXPECT_EQ(Figure(sTotal), "-") << sTotal;
    EXPECT_EQ(Figure("lblBreakEvenTotal"), "");
    QTest::keyClick(txtEstimatedEndPrice, Qt::Key_Tab);
    EXPECT_EQ(Figure("lblProfitGrandTotal"), "Error");
    TypeInto(oOutlay->ControlAs<ctlNumericText>("txtQuantity"), "2");
    TypeInto(oOutlay->ControlAs<ctlNumericText>("txtEstimatedEndPrice"), "50");
    Doc().DoCalc();
    EXPECT_EQ(Figure("lblProfitGrandTotal"), ProfitShown(clsSellingCostFigures(Doc())));
    EXPECT_NE(Figure("lblProfitGrandTotal"), sProfit);
    EXPECT_EQ(m_ctlCalculator->SellingCosts()->Label("lblProfitGrandTotal")->toolTip(), "");
    EXPECT_NE(Figure("lblSellingCostTotal"), "-");
}

TEST_F(CalculatorTest, AnEditArrivingDuringARefreshIsShownNotDropped) {
    Start();
    Doc().m_oOutlay.m_lQuantity = 1;
    int32_t lCalls = 0;
    // Something answering Changed edits the auction while the refresh runs, as a panel
    // committing a field on a focus change would.
    QObject::connect(m_ctlCalculator.get(), &ctlCalculator::Changed, [&](bool) {
        if (++lCalls != 1) return;
        Doc().m_oOutlay.m_fEstimatedEndPrice = 80;
        Doc().m_oOutlay.m_bDirty = true;
        m_ctlCalculator->RefreshSums(true); // folded into the running one
        emit m_ctlCalculator->Outlay()->Changed();
    });
    m_ctlCalculator->RefreshSums(true);
    EXPECT_EQ(lCalls, 2) << "one more pass, not a nested one";
    EXPECT_EQ(m_ctlCalculator->Outlay()->ControlAs<ctlNumericText>("txtEstimatedEndPrice")->Text(),
              "£80.00");
    Doc().DoCalc();
    EXPECT_EQ(Figure("lblProfitGrandTotal"), ProfitShown(clsSellingCostFigures(Doc())));
    EXPECT_TRUE(Doc().IsDirty());
}

// The calculator goes while one of its fields has the focus: the application's focus signal,
// which outlives it, must never reach it half destroyed (the sanitizer build checks this).
// The part of the calculator a control belongs to: a section key, "Costs" or "Schedule".
std::string PartOf(const ctlCalculator& oCalculator, const QWidget* oCtrl) {
    for (const char* sKey :
         {"Outlay", "SellingFeatures", "AuctionType", "PayPal", "Postage", "Today"})
        if (oCalculator.Section(sKey)->isAncestorOf(oCtrl)) return sKey;
    if (oCalculator.SellingCosts()->isAncestorOf(oCtrl)) return "Costs";
    if (oCalculator.ScheduleChoice()->isAncestorOf(oCtrl)) return "Schedule";
    return "elsewhere: " + (oCtrl ? oCtrl->objectName().toStdString() : "<none>");
}

// The parts Tab (or Shift+Tab) visits, once round from the target profit, the first field.
std::vector<std::string> TabWalk(const ctlCalculator& oCalculator, bool bBack = false) {
    QWidget* txtTargetProfit = oCalculator.SellingCosts()->findChild<QWidget*>("txtTargetProfit");
    txtTargetProfit->setFocus(Qt::TabFocusReason);
    QWidget* oFirst = QApplication::focusWidget();
    std::vector<std::string> asParts;
    for (int i = 0; i < 500 && oFirst; ++i) {
        QWidget* oFocus = QApplication::focusWidget();
        if (!oFocus) break;
        const std::string sPart = PartOf(oCalculator, oFocus);
        if (asParts.empty() || asParts.back() != sPart) asParts.push_back(sPart);
        QTest::keyClick(oFocus, Qt::Key_Tab, bBack ? Qt::ShiftModifier : Qt::NoModifier);
        if (QApplication::focusWidget() == oFirst) return asParts;
    }
    ADD_FAILURE() << "Tab does not come round to where it began";
    return asParts;
}

// Tab follows the panels as they stand, whatever moved them: the figures and the schedule
// along the top, then column by column, each top to bottom; hidden panels are never visited,
// and each part is visited in one go.
TEST_F(CalculatorTest, TabFollowsThePanelsWhereverTheyStand) {
    using Parts = std::vector<std::string>;
    const Parts asDesign = {"Costs",  "Schedule", "Outlay",     "SellingFeatures",
                            "PayPal", "Postage",  "AuctionType"};
    const struct {
        const char* sCase;
        std::function<void()> fnBeforeStart; // the settings the calculator starts from
        std::function<void()> fnAfterStart;  // what the user does then
        Parts asExpected;
    } aoCases[] = {
        {"the design arrangement", [] {}, [] {}, asDesign},
        {"configuration mode, where the panels widen for their Show boxes", [] {},
         [this] { m_ctlCalculator->ConfigMode(true); }, asDesign},
        {"postage dragged to the right-hand column, under the kind of sale",
         [] {},
         [this] {
             Grip(Panel("Postage"));
             DragHeader(Panel("Postage"), 9600 - 4440, 9120 - 5640);
             ASSERT_EQ(Place(Panel("Postage")), QPoint(9600, 9120));
             m_ctlCalculator->ConfigMode(false);
         },
         {"Costs", "Schedule", "Outlay", "SellingFeatures", "PayPal", "AuctionType", "Postage"}},
        {"the kind of sale dragged to the top of the left-hand column",
         [] {},
         [this] {
             Grip(Panel("AuctionType"));
             DragHeader(Panel("AuctionType"), 120 - 9600, 0);
             ASSERT_EQ(Place(Panel("AuctionType")), QPoint(120, 1560));
         },
         {"Costs", "Schedule", "AuctionType", "Outlay", "SellingFeatures", "PayPal", "Postage"}},
        {"a stored arrangement: the outlay far right, the kind of sale bottom left",
         [] {
             SetUserSetting("Controls\\Outlay", "Left", "9600");
             SetUserSetting("Controls\\Outlay", "Top", "1560");
             SetUserSetting("Controls\\AuctionType", "Left", "120");
             SetUserSetting("Controls\\AuctionType", "Top", "10680");
         },
         [] {},
         {"Costs", "Schedule", "SellingFeatures", "AuctionType", "PayPal", "Postage", "Outlay"}},
        {"the stored arrangement reset to the design",
         [] {
             SetUserSetting("Controls\\Outlay", "Left", "9600");
             SetUserSetting("Controls\\PayPal", "Top", "12000");
         },
         [this] { m_ctlCalculator->ResetControlPositions(); }, asDesign},
        {"today's schedule: its own panel in the upgrades' place",
         [] {},
         [this] {
             Click(m_ctlCalculator->ScheduleChoice()->findChild<QWidget*>("optScheduleToday"));
         },
         {"Costs", "Schedule", "Outlay", "Today", "Postage"}},
        {"back to 2008 from today's schedule", [] {},
         [this] {
             auto* oChoice = m_ctlCalculator->ScheduleChoice();
             Click(oChoice->findChild<QWidget*>("optScheduleToday"));
             Click(oChoice->findChild<QWidget*>("optSchedule2008"));
         },
         asDesign},
    };
    for (const auto& oCase : aoCases) {
        SCOPED_TRACE(oCase.sCase);
        m_ctlCalculator.reset();
        oCase.fnBeforeStart();
        Start();
        oCase.fnAfterStart();
        const Parts asForward = TabWalk(*m_ctlCalculator);
        EXPECT_EQ(asForward, oCase.asExpected);
        // Shift+Tab walks the same road backwards.
        Parts asBackward{asForward.front()};
        asBackward.insert(asBackward.end(), asForward.rbegin(), asForward.rend() - 1);
        EXPECT_EQ(TabWalk(*m_ctlCalculator, true), asBackward);

        // The next case starts from the design arrangement under the 2008 fees.
        m_ctlCalculator->ResetControlPositions();
        if (GetFeeSchedule() != FeeSchedule::Y2008)
            Click(m_ctlCalculator->ScheduleChoice()->findChild<QWidget*>("optSchedule2008"));
    }
}

TEST_F(CalculatorTest, GoingWhileAFieldHasTheFocusLeavesNothingBehind) {
    Start();
    auto* txtOutlay = m_ctlCalculator->Outlay()->ControlAs<ctlNumericText>("txtOutlay");
    txtOutlay->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(txtOutlay->hasFocus());
    m_ctlCalculator.reset();
    QWidget oOther;
    oOther.setFocusPolicy(Qt::StrongFocus);
    ShowWindow(&oOther);
    oOther.setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(oOther.hasFocus());
}

} // namespace

// Pictures of the whole calculator for a reviewer, in the build folder's "screenshots".
TEST_F(CalculatorTest, PicturesOfARealisticAuction) {
    SetUpThreeLamps(Doc());
    Start();
    ASSERT_TRUE(QDir().mkpath(GAVELRY_SCREENSHOT_DIR));
    for (bool bConfig : {false, true}) {
        m_ctlCalculator->ConfigMode(bConfig);
        int32_t X = 0, Y = 0;
        m_ctlCalculator->CalcMinSize(X, Y);
        m_ctlCalculator->resize(TwipsToPixels(X + 120), TwipsToPixels(Y + 120));
        if (bConfig) Grip(Panel("PayPal")); // a panel in hand shows its header
        const QString sPath = QStringLiteral(GAVELRY_SCREENSHOT_DIR "/calculator%1.png")
                                  .arg(bConfig ? "-config" : "");
        const QPixmap oPicture = m_ctlCalculator->grab();
        ASSERT_FALSE(oPicture.isNull());
        EXPECT_TRUE(oPicture.save(sPath)) << sPath.toStdString();
    }
}
