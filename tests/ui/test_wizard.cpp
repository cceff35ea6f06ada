// The wizard: its pages in walking order, their prompts, the buttons and the scroll bar,
// on its own and inside the main window.
#include "UiTest.h"

#include "basCommon.h"
#include "basControls.h"
#include "basNumberText.h"
#include "basSettings.h"
#include "clsCalculate.h"
#include "clsTodaySchedule.h"
#include "ctlAuctionType.h"
#include "ctlCalculator.h"
#include "ctlFeeSchedule.h"
#include "ctlMovie.h"
#include "ctlNumericText.h"
#include "ctlOutlay.h"
#include "ctlPayPal.h"
#include "ctlPostage.h"
#include "ctlProfitChart.h"
#include "ctlSellingCosts.h"
#include "ctlSellingFeatures.h"
#include "ctlToday.h"
#include "ctlWizard.h"
#include "frmMain.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

class WizardTest : public clsUiTest {
protected:
    void SetUp() override {
        clsUiTest::SetUp();
        GetWorkingDoc().Clear();
        GetWorkingDoc().m_oOutlay.m_lQuantity = 1;
        GetWorkingDoc().SetDirty(false);
    }

    ctlWizard& Make(int lWidth = 700, int lHeight = 760) {
        m_oWizard = std::make_unique<ctlWizard>();
        m_oWizard->resize(lWidth, lHeight);
        ShowWindow(m_oWizard.get());
        return *m_oWizard;
    }

    std::unique_ptr<ctlWizard> m_oWizard;
};

TEST_F(WizardTest, NextWalksThePagesInOrderAndFinishCompletes) {
    ctlWizard& oWizard = Make();
    QSignalSpy oComplete(&oWizard, &ctlWizard::WizardComplete);
    const char* const asTitles[] = {"Auction Type", "Outlay", "Features", "PayPal", "Postage"};
    const int16_t anFrames[] = {1, 0, 2, 3, 4};
    for (int i = 0; i < ctlWizard::PageCount; ++i) {
        const ctlWizard::clsPage& oPage = oWizard.CurrentPage();
        EXPECT_EQ(oPage.m_lIndex, i);
        EXPECT_EQ(oPage.m_sTitle, asTitles[i]);
        EXPECT_EQ(oPage.m_nFrame, anFrames[i]);
        EXPECT_EQ(oWizard.lblInfo->text(), oPage.m_sPrompt);
        EXPECT_TRUE(oPage.m_oPanel->isVisible());
        EXPECT_TRUE(oWizard.fraPages[size_t(anFrames[i])]->isVisible());
        EXPECT_EQ(oWizard.imgBack->isVisible(), i != 0);
        EXPECT_EQ(oWizard.imgNext->accessibleName(), i == 4 ? "Finish" : "Next");
        // Only the current page shows.
        for (int j = 0; j < ctlWizard::PageCount; ++j)
            if (j != i) {
                EXPECT_FALSE(oWizard.Page(j).m_oPanel->isVisible()) << i << j;
            }
        EXPECT_EQ(oComplete.count(), 0);
        QTest::mouseClick(oWizard.imgNext, Qt::LeftButton);
    }
    EXPECT_EQ(oComplete.count(), 1);
}

TEST_F(WizardTest, BackReturnsAndCancelCompletes) {
    ctlWizard& oWizard = Make();
    QSignalSpy oComplete(&oWizard, &ctlWizard::WizardComplete);
    QTest::mouseClick(oWizard.imgNext, Qt::LeftButton);
    QTest::mouseClick(oWizard.imgNext, Qt::LeftButton);
    EXPECT_EQ(oWizard.CurrentPage().m_sTitle, "Features");
    QTest::mouseClick(oWizard.imgBack, Qt::LeftButton);
    EXPECT_EQ(oWizard.CurrentPage().m_sTitle, "Outlay");
    QTest::mouseClick(oWizard.imgBack, Qt::LeftButton);
    EXPECT_EQ(oWizard.CurrentPage().m_sTitle, "Auction Type");
    EXPECT_FALSE(oWizard.imgBack->isVisible());
    EXPECT_EQ(oComplete.count(), 0);
    QTest::mouseClick(oWizard.imgCancel, Qt::LeftButton);
    EXPECT_EQ(oComplete.count(), 1);
    // Keyboard: Space on a focused button presses it.
    oWizard.imgNext->setFocus(Qt::TabFocusReason);
    QTest::keyClick(oWizard.imgNext, Qt::Key_Space);
    EXPECT_EQ(oWizard.CurrentPage().m_sTitle, "Outlay");
}

TEST_F(WizardTest, AStoredPromptReplacesThePromptOfItsFrameNumber) {
    SetUserSetting("Wizard", "Page1", "What kind of sale?");
    ctlWizard& oWizard = Make();
    EXPECT_EQ(oWizard.Page(0).m_sPrompt, "What kind of sale?");
    EXPECT_EQ(oWizard.lblInfo->text(), "What kind of sale?");
    EXPECT_EQ(oWizard.Page(1).m_sPrompt,
              "Please enter your costs and the price you wish to sell for.");
    EXPECT_EQ(UserSetting("Wizard", "Page0"), "<absent>");
}

TEST_F(WizardTest, OnlyAPageTallerThanTheViewPortScrolls) {
    ctlWizard& oWizard = Make(700, 900);
    QTest::mouseClick(oWizard.imgNext, Qt::LeftButton); // Outlay: short
    EXPECT_FALSE(oWizard.vsbVert->isVisible());
    oWizard.resize(700, 420);
    QCoreApplication::processEvents();
    QTest::mouseClick(oWizard.imgBack, Qt::LeftButton); // Auction Type: tall
    ASSERT_TRUE(oWizard.vsbVert->isVisible());
    EXPECT_GT(oWizard.vsbVert->maximum(), 0);
    EXPECT_GE(oWizard.vsbVert->singleStep(), 1);
    ctlSectionPanel* oPanel = oWizard.CurrentPage().m_oPanel;
    const int lTop = oPanel->y();
    oWizard.vsbVert->setValue(oWizard.vsbVert->maximum());
    EXPECT_EQ(oPanel->y(), lTop - oWizard.vsbVert->maximum());
    // The page's bottom reaches the view port's bottom.
    EXPECT_LE(oPanel->mapTo(&oWizard, QPoint(0, oPanel->height())).y(),
              oWizard.fraViewPort->geometry().bottom() + 2);
}

TEST_F(WizardTest, LayoutKeepsTheButtonsAndCostsAboveTheBottomEdge) {
    // Wide enough for the buttons beside the selling costs (4620 + 6135 twips); narrower, they
    // go below them (LookTest).
    ctlWizard& oWizard = Make(720, 760);
    EXPECT_EQ(oWizard.ctlSellingCostsSection->Mode(), 1);
    const int32_t lHeight = oWizard.height() * 15;
    EXPECT_EQ(ControlTop(oWizard.ctlSellingCostsSection),
              lHeight - (ControlHeight(oWizard.ctlSellingCostsSection) + 500));
    EXPECT_EQ(ControlTop(oWizard.fraButtons), lHeight - (975 + 500));
    EXPECT_EQ(ControlTop(oWizard.lneLine), ControlTop(oWizard.ctlSellingCostsSection) - 120);
    EXPECT_EQ(oWizard.lblInfo->width(), oWizard.width());
    EXPECT_GE(ControlLeft(oWizard.fraButtons), ControlLeft(oWizard.ctlSellingCostsSection) +
                                                   ControlWidth(oWizard.ctlSellingCostsSection));
    // The page is centred.
    const QWidget* oFrame = oWizard.fraPages[1];
    EXPECT_NEAR(oFrame->x() + oFrame->width() / 2, oWizard.width() / 2, 2);
}

TEST_F(WizardTest, EditsRecalculateWithoutStoringPositionsOrConfiguring) {
    ctlWizard& oWizard = Make();
    QSignalSpy oChanged(&oWizard, &ctlWizard::Changed);
    QTest::mouseClick(oWizard.imgNext, Qt::LeftButton);
    TypeInto(oWizard.ctlOutlaySection->ControlAs<ctlNumericText>(QStringLiteral("txtOutlay")),
             QStringLiteral("20"));
    EXPECT_FLOAT_EQ(GetWorkingDoc().m_oOutlay.m_fOutlay, 20.0f);
    ASSERT_FALSE(oChanged.isEmpty());
    EXPECT_TRUE(oChanged.last().at(0).toBool());
    for (int i = 0; i < ctlWizard::PageCount; ++i)
        EXPECT_FALSE(oWizard.Page(i).m_oPanel->ShowConfig());
    EXPECT_EQ(UserSetting("Controls\\Outlay", "Left"), "<absent>");
    // A refresh alone leaves a clean auction clean.
    GetWorkingDoc().SetDirty(false);
    oWizard.RefreshSums(true);
    EXPECT_FALSE(GetWorkingDoc().IsDirty());
    EXPECT_FALSE(oChanged.last().at(0).toBool());
}

TEST_F(WizardTest, AnIndexOutsideThePagesHidesThemAll) {
    ctlWizard& oWizard = Make();
    oWizard.ShowPage(7);
    EXPECT_EQ(oWizard.CurrentPage().m_lIndex, -1);
    for (int i = 0; i < ctlWizard::PageCount; ++i)
        EXPECT_FALSE(oWizard.Page(i).m_oPanel->isVisible());
    oWizard.ShowPage(-1);
    EXPECT_FALSE(oWizard.vsbVert->isVisible());
}

TEST_F(WizardTest, TheMainWindowWalksTheWizardAndFinishesOnTheCalculator) {
    SetUserSetting("Config", "StartMode", "0");
    frmMain oMain;
    ShowWindow(&oMain);
    ctlWizard* oWizard = oMain.ctlWizard1;
    ASSERT_TRUE(oWizard->isVisible());
    QTest::mouseClick(oWizard->imgNext, Qt::LeftButton);
    TypeInto(oWizard->ctlOutlaySection->ControlAs<ctlNumericText>(QStringLiteral("txtOutlay")),
             QStringLiteral("15"));
    EXPECT_EQ(oMain.windowTitle(), "Gavelry UK*");
    QTest::mouseClick(oWizard->imgBack, Qt::LeftButton);
    for (int i = 0; i < ctlWizard::PageCount; ++i)
        QTest::mouseClick(oWizard->imgNext, Qt::LeftButton);
    EXPECT_FALSE(oWizard->isVisible());
    EXPECT_TRUE(oMain.ctlCalculator1->isVisible());
    // The calculator shows what the wizard entered.
    EXPECT_FLOAT_EQ(GetWorkingDoc().m_oOutlay.m_fOutlay, 15.0f);
    EXPECT_TRUE(oMain.ctlCalculator1->Outlay()
                    ->ControlAs<ctlNumericText>(QStringLiteral("txtOutlay"))
                    ->Text()
                    .contains(QLatin1String("15")))
        << oMain.ctlCalculator1->Outlay()
               ->ControlAs<ctlNumericText>(QStringLiteral("txtOutlay"))
               ->Text()
               .toStdString();
    // Starting the wizard again begins at its first page.
    GetWorkingDoc().SetDirty(false);
    emit oMain.swfVerticalMenuButtons[2]->FSCommand(QStringLiteral("click"), QString());
    EXPECT_EQ(oWizard->CurrentPage().m_lIndex, 0);
    GetWorkingDoc().SetDirty(false);
    oMain.close();
}

namespace {

void Press(frmMain& oMain, int32_t nButton) {
    emit oMain.swfVerticalMenuButtons[size_t(nButton)]->FSCommand(QStringLiteral("click"),
                                                                  QString());
}

ctlNumericText* Field(ctlSectionPanel* oPanel, const char* sName) {
    return oPanel->ControlAs<ctlNumericText>(QLatin1String(sName));
}

std::string AuctionText() {
    std::string s;
    GetWorkingDoc().Serialize(s, true);
    return s;
}

// Answers every question with No for as long as it lives, then fails on questions again.
struct clsAnswerNo {
    clsAnswerNo() {
        SetShowMessageHandler([this](const std::string& sPrompt, int32_t, const std::string&) {
            m_asAsked.push_back(sPrompt);
            return MsgBox::ResultNo;
        });
    }
    ~clsAnswerNo() {
        SetShowMessageHandler([](const std::string& sPrompt, int32_t, const std::string&) {
            ShownMessages().push_back(sPrompt);
            ADD_FAILURE() << "Unexpected message box: " << sPrompt;
            return MsgBox::ResultCancel;
        });
    }
    std::vector<std::string> m_asAsked;
};

} // namespace

// "*" marks changes since the auction was last saved or loaded, whichever view shows it.
TEST_F(WizardTest, TheUnsavedMarkSurvivesFinishAndEveryViewOfTheAuction) {
    SetUserSetting("Config", "StartMode", "0");
    frmMain oMain;
    ShowWindow(&oMain);
    ctlWizard* oWizard = oMain.ctlWizard1;
    QTest::mouseClick(oWizard->imgNext, Qt::LeftButton);
    TypeInto(Field(oWizard->ctlOutlaySection, "txtOutlay"), QStringLiteral("15"));
    EXPECT_EQ(oMain.windowTitle(), "Gavelry UK*");
    for (int i = 1; i < ctlWizard::PageCount; ++i)
        QTest::mouseClick(oWizard->imgNext, Qt::LeftButton);
    ASSERT_TRUE(oMain.ctlCalculator1->isVisible());
    EXPECT_EQ(oMain.windowTitle(), "Gavelry UK*") << "Finish keeps the edits, still unsaved";
    EXPECT_FLOAT_EQ(GetWorkingDoc().m_oOutlay.m_fOutlay, 15.0f);
    Press(oMain, 1); // Calculator
    EXPECT_EQ(oMain.windowTitle(), "Gavelry UK*");
    Press(oMain, 5); // the default auction has a caption of its own
    EXPECT_EQ(oMain.windowTitle(), "Gavelry UK - Default Configuration");
    Press(oMain, 1);
    EXPECT_EQ(oMain.windowTitle(), "Gavelry UK*") << "back on the working auction";
    EXPECT_TRUE(GetWorkingDoc().IsDirty());
    GetWorkingDoc().SetDirty(false);
    oMain.close();
}

// Cancel drops what was typed in the wizard: the auction is again what it was before the
// wizard was started, unsaved mark and all.
TEST_F(WizardTest, CancelPutsBackTheAuctionAsItWasBeforeTheWizard) {
    SetUserSetting("Config", "StartMode", "1");
    frmMain oMain;
    ShowWindow(&oMain);
    ctlWizard* oWizard = &oMain.Wizard();
    ctlOutlay* oOutlay = oMain.ctlCalculator1->Outlay();
    TypeInto(Field(oOutlay, "txtOutlay"), QStringLiteral("40"));
    TypeInto(Field(oOutlay, "txtEstimatedEndPrice"), QStringLiteral("100"));
    const std::string sBefore = AuctionText();
    ASSERT_EQ(oMain.windowTitle(), "Gavelry UK*");
    {
        clsAnswerNo oNo; // not saved before the wizard starts a new auction
        Press(oMain, 2);
        EXPECT_EQ(oNo.m_asAsked.size(), 1u);
    }
    ASSERT_TRUE(oWizard->isVisible());
    EXPECT_EQ(GetWorkingDoc().m_oOutlay.m_fOutlay, 0.0f) << "the wizard starts afresh";
    EXPECT_EQ(GetWorkingDoc().m_oOutlay.m_lQuantity, 1);
    QTest::mouseClick(oWizard->imgNext, Qt::LeftButton);
    TypeInto(Field(oWizard->ctlOutlaySection, "txtOutlay"), QStringLiteral("7"));
    QTest::mouseClick(oWizard->imgCancel, Qt::LeftButton);
    ASSERT_TRUE(oMain.ctlCalculator1->isVisible());
    EXPECT_EQ(AuctionText(), sBefore) << "nothing typed in the wizard is kept";
    EXPECT_EQ(Field(oOutlay, "txtOutlay")->Text(), "£40.00");
    EXPECT_EQ(oMain.windowTitle(), "Gavelry UK*") << "and still not saved";

    // An auction with nothing unsaved comes back just as clean.
    GetWorkingDoc().SetDirty(false);
    Press(oMain, 2);
    QTest::mouseClick(oWizard->imgNext, Qt::LeftButton);
    TypeInto(Field(oWizard->ctlOutlaySection, "txtOutlay"), QStringLiteral("9"));
    EXPECT_EQ(oMain.windowTitle(), "Gavelry UK*");
    QTest::mouseClick(oWizard->imgCancel, Qt::LeftButton);
    EXPECT_EQ(AuctionText(), sBefore);
    EXPECT_FALSE(GetWorkingDoc().IsDirty());
    EXPECT_EQ(oMain.windowTitle(), "Gavelry UK");

    // Finish, on the other hand, keeps the wizard's auction.
    Press(oMain, 2);
    QTest::mouseClick(oWizard->imgNext, Qt::LeftButton);
    TypeInto(Field(oWizard->ctlOutlaySection, "txtOutlay"), QStringLiteral("9"));
    for (int i = 1; i < ctlWizard::PageCount; ++i)
        QTest::mouseClick(oWizard->imgNext, Qt::LeftButton);
    EXPECT_FLOAT_EQ(GetWorkingDoc().m_oOutlay.m_fOutlay, 9.0f);
    EXPECT_EQ(GetWorkingDoc().m_oOutlay.m_fEstimatedEndPrice, 0.0f);
    GetWorkingDoc().SetDirty(false);
    oMain.close();
}

// The pages follow the fee schedule: under today's fees the kind of sale, the upgrades and
// PayPal step aside and today's inputs come first; the set is taken each time the wizard
// shows, and at once when the schedule changes while it shows.
TEST_F(WizardTest, ThePagesFollowTheFeeSchedule) {
    struct clsWalk {
        FeeSchedule eSchedule;
        std::vector<QString> asTitles;
        std::vector<int16_t> anFrames;
        std::vector<QString> asPrompts;
    };
    const clsWalk aoWalks[] = {
        {FeeSchedule::Y2008,
         {"Auction Type", "Outlay", "Features", "PayPal", "Postage"},
         {1, 0, 2, 3, 4},
         {ctlWizard::DefaultPrompt(1), ctlWizard::DefaultPrompt(0), ctlWizard::DefaultPrompt(2),
          ctlWizard::DefaultPrompt(3), ctlWizard::DefaultPrompt(4)}},
        {FeeSchedule::Today,
         {"Today's Fees", "Outlay", "Postage"},
         {5, 0, 4},
         {ctlWizard::DefaultPrompt(5), ctlWizard::DefaultPrompt(0), ctlWizard::DefaultPrompt(6)}},
        {FeeSchedule::Y2008,
         {"Auction Type", "Outlay", "Features", "PayPal", "Postage"},
         {1, 0, 2, 3, 4},
         {}},
    };
    ctlWizard& oWizard = Make();
    for (const clsWalk& oWalk : aoWalks) {
        // Chosen while the wizard is away, taken when it shows again.
        oWizard.hide();
        UseFeeSchedule(oWalk.eSchedule);
        oWizard.show();
        const std::string sWalk = oWalk.eSchedule == FeeSchedule::Today ? "today" : "2008";
        ASSERT_EQ(oWizard.Pages(), int32_t(oWalk.asTitles.size())) << sWalk;
        QSignalSpy oComplete(&oWizard, &ctlWizard::WizardComplete);
        for (int32_t i = 0; i < oWizard.Pages(); ++i) {
            const ctlWizard::clsPage& oPage = oWizard.CurrentPage();
            EXPECT_EQ(oPage.m_lIndex, i) << sWalk;
            EXPECT_EQ(oPage.m_sTitle, oWalk.asTitles[size_t(i)]) << sWalk;
            EXPECT_EQ(oPage.m_nFrame, oWalk.anFrames[size_t(i)]) << sWalk;
            if (!oWalk.asPrompts.empty()) {
                EXPECT_EQ(oWizard.lblInfo->text(), oWalk.asPrompts[size_t(i)]) << sWalk << i;
            }
            EXPECT_TRUE(oPage.m_oPanel->isVisible()) << sWalk << i;
            // Only this page's frame shows, whichever walk the others belong to.
            for (int32_t j = 0; j < ctlWizard::FrameCount; ++j)
                EXPECT_EQ(oWizard.fraPages[size_t(j)]->isVisible(), j == oPage.m_nFrame)
                    << sWalk << i << j;
            EXPECT_EQ(oWizard.imgBack->isVisible(), i != 0) << sWalk << i;
            EXPECT_EQ(oWizard.imgNext->accessibleName(),
                      i == oWizard.Pages() - 1 ? "Finish" : "Next")
                << sWalk << i;
            // The chart stands beside the last page only.
            EXPECT_EQ(oWizard.ctlProfitChart1 && oWizard.ctlProfitChart1->isVisible(),
                      i == oWizard.Pages() - 1)
                << sWalk << i;
            QTest::mouseClick(oWizard.imgNext, Qt::LeftButton);
        }
        EXPECT_EQ(oComplete.count(), 1) << sWalk;
    }

    // A change of schedule while the wizard shows: the page of the same panel stays.
    oWizard.ShowPage(1);
    ASSERT_EQ(oWizard.CurrentPage().m_sTitle, "Outlay");
    UseFeeSchedule(FeeSchedule::Today);
    oWizard.ApplySchedule();
    EXPECT_EQ(oWizard.Pages(), 3);
    EXPECT_EQ(oWizard.CurrentPage().m_sTitle, "Outlay");
    EXPECT_EQ(oWizard.CurrentPage().m_lIndex, 1);
    QTest::mouseClick(oWizard.imgBack, Qt::LeftButton);
    EXPECT_EQ(oWizard.CurrentPage().m_oPanel, oWizard.ctlTodaySection);
    EXPECT_TRUE(oWizard.ctlTodaySection->isVisible());
    EXPECT_FALSE(oWizard.ctlAuctionTypeSection->isVisible());
    // A page that leaves the walk: the walk starts again.
    UseFeeSchedule(FeeSchedule::Y2008);
    oWizard.ApplySchedule();
    EXPECT_EQ(oWizard.CurrentPage().m_sTitle, "Auction Type");
    EXPECT_FALSE(oWizard.fraPages[5]->isVisible());
    // A stored prompt of today's first page replaces its built-in one.
    SetUserSetting("Wizard", "Page5", "Who sells, and what?");
    UseFeeSchedule(FeeSchedule::Today);
    ctlWizard& oAgain = Make();
    EXPECT_EQ(oAgain.lblInfo->text(), "Who sells, and what?");
    EXPECT_TRUE(ShownMessages().empty());
}

// A seller walks the wizard under today's fees with the keyboard: the account on the first page,
// the price, the postage typed in, and back to the first page for a promoted listing; every
// input reaches the auction as the calculator's panels do and the figures follow.
TEST_F(WizardTest, AWalkUnderTodaysFeesSetsTodaysInputsAndTheFiguresFollow) {
    UseFeeSchedule(FeeSchedule::Today);
    ctlWizard& oWizard = Make(700, 560);
    QSignalSpy oChanged(&oWizard, &ctlWizard::Changed);
    ctlToday* oToday = oWizard.ctlTodaySection;
    ASSERT_EQ(oWizard.CurrentPage().m_oPanel, oToday);
    auto* cboAccount = oToday->ControlAs<QComboBox>("cboAccount");
    EXPECT_EQ(QApplication::focusWidget(), cboAccount) << "the keyboard starts on the first field";
    // The page is taller than the view: it scrolls.
    EXPECT_TRUE(oWizard.vsbVert->isVisible());
    EXPECT_GT(oWizard.vsbVert->maximum(), 0);
    const auto Fee = [&] {
        return oWizard.ctlSellingCostsSection->Label("lblFinalValueFeeTotal")->text();
    };

    const int iBusiness = cboAccount->findData("business");
    ASSERT_GE(iBusiness, 0);
    cboAccount->setCurrentIndex(iBusiness);
    emit cboAccount->activated(iBusiness);
    EXPECT_EQ(GetWorkingDoc().m_oToday.m_sAccount, "business");
    ASSERT_FALSE(oChanged.isEmpty());
    EXPECT_TRUE(oChanged.last().at(0).toBool());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_EQ(oWizard.CurrentPage().m_sTitle, "Outlay");
    EXPECT_FALSE(oWizard.vsbVert->isVisible()) << "a short page shows no scroll bar";
    TypeInto(oWizard.ctlOutlaySection->ControlAs<ctlNumericText>("txtEstimatedEndPrice"), "50");
    const QString sFeeAt50 = Fee();
    EXPECT_NE(sFeeAt50, MoneyText(0));

    oWizard.ctlOutlaySection->ControlAs<ctlNumericText>("txtOutlay")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_EQ(oWizard.CurrentPage().m_sTitle, "Postage");
    EXPECT_EQ(oWizard.imgNext->accessibleName(), "Finish");
    EXPECT_TRUE(oWizard.ctlProfitChart1 && oWizard.ctlProfitChart1->isVisible());
    EXPECT_FALSE(oWizard.ctlPostageSection->Control("optFirstClass")->isVisible());
    // The summary's column has no reserve or PayPal rows today: the rows close up.
    const ctlSellingCosts* oCosts = oWizard.ctlSellingCostsSection;
    EXPECT_FALSE(oCosts->Label("lblPayPalTotal")->isVisible());
    EXPECT_FALSE(oCosts->Label("lblReserveFeeTotal")->isVisible());
    // (One pitch apart, give or take the pixel lost in rounding twips.)
    EXPECT_NEAR(
        oCosts->Label("lblFinalValueFeeLabel")->y() - oCosts->Label("lblListingCostLabel")->y(),
        oCosts->Label("lblListingCostLabel")->y() - oCosts->Label("lblInsertionFeeLabel")->y(), 1);
    // The note on typed postage, two lines here, pushes the rows below it down.
    const QWidget* lblTypedPostage = oWizard.ctlPostageSection->Control("lblTypedPostage");
    ASSERT_TRUE(lblTypedPostage->isVisible());
    EXPECT_LE(lblTypedPostage->geometry().bottom(),
              oWizard.ctlPostageSection->Control("chkProfit")->geometry().top());
    Click(oWizard.ctlPostageSection->Control("chkUsePostage"));
    TypeInto(oWizard.ctlPostageSection->ControlAs<ctlNumericText>("txtManual"), "4");
    // Today's fees are taken on the postage too.
    EXPECT_FLOAT_EQ(GetWorkingDoc().m_oTodayFigures.m_fPostage, 4.0f);
    const QString sFeeWithPostage = Fee();
    EXPECT_NE(sFeeWithPostage, sFeeAt50);

    QTest::mouseClick(oWizard.imgBack, Qt::LeftButton);
    QTest::mouseClick(oWizard.imgBack, Qt::LeftButton);
    ASSERT_EQ(oWizard.CurrentPage().m_oPanel, oToday);
    TypeInto(oToday->ControlAs<ctlNumericText>("txtAdRate"), "5");
    EXPECT_FLOAT_EQ(GetWorkingDoc().m_oToday.m_fAdRate, 5.0f);
    // The figure shown is the model's, after the promoted listing's fee.
    clsCalculate oCopy;
    oCopy.Copy(GetWorkingDoc());
    oCopy.DoCalc();
    EXPECT_GT(oCopy.m_oTodayFigures.m_fAdFee, 0);
    EXPECT_EQ(oToday->ControlAs<QLabel>("lblFeeAdAmount")->text(),
              MoneyText(oCopy.m_oTodayFigures.m_fAdFee));
    EXPECT_EQ(Fee(), MoneyText(oCopy.m_fFinalValueFee));
    EXPECT_NE(Fee(), sFeeWithPostage);

    // Escape cancels from anywhere on the page.
    QSignalSpy oCancel(&oWizard, &ctlWizard::WizardCancel);
    cboAccount->setFocus();
    QTest::keyClick(cboAccount, Qt::Key_Escape);
    EXPECT_EQ(oCancel.count(), 1);
    GetWorkingDoc().SetDirty(false);
    EXPECT_TRUE(ShownMessages().empty());
}

// In the main window the wizard takes the schedule chosen in the calculator.
TEST_F(WizardTest, TheMainWindowsWizardFollowsTheScheduleChosenInTheCalculator) {
    SetUserSetting("Config", "StartMode", "1");
    frmMain oMain;
    ShowWindow(&oMain);
    Click(oMain.ctlCalculator1->ScheduleChoice()->findChild<QWidget*>("optScheduleToday"));
    ASSERT_EQ(GetFeeSchedule(), FeeSchedule::Today);
    GetWorkingDoc().SetDirty(false);
    emit oMain.swfVerticalMenuButtons[2]->FSCommand(QStringLiteral("click"), QString());
    ctlWizard* oWizard = oMain.ctlWizard1;
    ASSERT_TRUE(oWizard && oWizard->isVisible());
    EXPECT_EQ(oWizard->Pages(), 3);
    EXPECT_EQ(oWizard->CurrentPage().m_oPanel, oWizard->ctlTodaySection);
    QTest::mouseClick(oWizard->imgCancel, Qt::LeftButton);
    Click(oMain.ctlCalculator1->ScheduleChoice()->findChild<QWidget*>("optSchedule2008"));
    emit oMain.swfVerticalMenuButtons[2]->FSCommand(QStringLiteral("click"), QString());
    EXPECT_EQ(oWizard->Pages(), 5);
    EXPECT_EQ(oWizard->CurrentPage().m_sTitle, "Auction Type");
    GetWorkingDoc().SetDirty(false);
    oMain.close();
}
