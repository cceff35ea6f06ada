// The program without a mouse and with a screen reader: Enter and Escape in the wizard, Tab
// through the option groups, access keys, and figures read with their captions.
#include "UiTest.h"

#include "basCommon.h"
#include "basControls.h"
#include "basMain.h"
#include "basNumberText.h"
#include "clsCalculate.h"
#include "clsFocusStyle.h"
#include "ctlAuctionType.h"
#include "ctlCalculator.h"
#include "ctlNumericText.h"
#include "ctlOutlay.h"
#include "ctlPayPal.h"
#include "ctlPostage.h"
#include "ctlSectionPanel.h"
#include "ctlSellingCosts.h"
#include "ctlSellingFeatures.h"
#include "ctlSubControlExample.h"
#include "ctlToday.h"
#include "ctlWizard.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

namespace {

QString AccessibleName(QWidget* oCtrl) {
    QAccessibleInterface* oAccessible = QAccessible::queryAccessibleInterface(oCtrl);
    return oAccessible ? oAccessible->text(QAccessible::Name) : QStringLiteral("<none>");
}

std::string Name(const QWidget* o) {
    return o ? o->objectName().toStdString() : "<none>";
}

class KeyboardTest : public clsUiTest {
protected:
    void SetUp() override {
        clsUiTest::SetUp();
        GetWorkingDoc().Clear();
        GetWorkingDoc().SetDirty(false);
    }
    void TearDown() override {
        m_ctlCalculator.reset();
        m_ctlWizard.reset();
        GetWorkingDoc().Clear();
        GetWorkingDoc().SetDirty(false);
        clsUiTest::TearDown();
    }
    ctlCalculator& StartCalculator() {
        m_ctlCalculator = ShowCalculator();
        return *m_ctlCalculator;
    }
    ctlWizard& StartWizard() {
        m_ctlWizard = std::make_unique<ctlWizard>();
        m_ctlWizard->resize(900, 760);
        ShowWindow(m_ctlWizard.get());
        return *m_ctlWizard;
    }
    static void Press(Qt::Key eKey, Qt::KeyboardModifiers eModifiers = Qt::NoModifier) {
        QWidget* oFocus = QApplication::focusWidget();
        ASSERT_NE(oFocus, nullptr);
        QTest::keyClick(oFocus, eKey, eModifiers);
    }

    std::unique_ptr<ctlCalculator> m_ctlCalculator;
    std::unique_ptr<ctlWizard> m_ctlWizard;
};

TEST_F(KeyboardTest, EnterWalksTheWizardToFinishAndEscapeCancelsIt) {
    ctlWizard& oWizard = StartWizard();
    QSignalSpy oComplete(&oWizard, &ctlWizard::WizardComplete);
    QSignalSpy oCancel(&oWizard, &ctlWizard::WizardCancel);
    // The keyboard starts on the page, at its first control.
    ASSERT_TRUE(oWizard.Page(0).m_oPanel->isAncestorOf(QApplication::focusWidget()))
        << Name(QApplication::focusWidget());

    // Enter from an option, then from a field just typed in: each is Next.
    Press(Qt::Key_Return);
    EXPECT_EQ(oWizard.CurrentPage().m_lIndex, 1);
    auto* oOutlay = oWizard.ctlOutlaySection;
    ASSERT_TRUE(oOutlay->isAncestorOf(QApplication::focusWidget()))
        << "the keyboard follows to the new page, not " << Name(QApplication::focusWidget());
    auto* txtQuantity = oOutlay->ControlAs<ctlNumericText>("txtQuantity");
    TypeOver(txtQuantity, "3");
    Press(Qt::Key_Enter); // the keypad's
    EXPECT_EQ(oWizard.CurrentPage().m_lIndex, 2);
    EXPECT_EQ(GetWorkingDoc().m_oOutlay.m_lQuantity, 3) << "the figure typed is kept";

    // Enter on Back is Back, as in a dialog.
    oWizard.imgBack->setFocus(Qt::TabFocusReason);
    Press(Qt::Key_Return);
    EXPECT_EQ(oWizard.CurrentPage().m_lIndex, 1);
    oWizard.ctlOutlaySection->ControlAs<ctlNumericText>("txtOutlay")->setFocus();
    for (int i = 1; i < ctlWizard::PageCount - 1; ++i)
        Press(Qt::Key_Return);
    EXPECT_EQ(oWizard.CurrentPage().m_lIndex, ctlWizard::PageCount - 1);
    EXPECT_EQ(oComplete.count(), 0);
    Press(Qt::Key_Return);
    EXPECT_EQ(oComplete.count(), 1) << "Enter on the last page is Finish";
    EXPECT_EQ(oCancel.count(), 0);

    // Escape is Cancel, wherever the keyboard is on the wizard.
    oWizard.ShowPage(2);
    oWizard.ctlSellingFeaturesSection->ControlAs<QWidget>("chkBold")->setFocus();
    Press(Qt::Key_Escape);
    EXPECT_EQ(oCancel.count(), 1);
    EXPECT_EQ(oComplete.count(), 2);
    oWizard.ShowPage(1);
    oWizard.ctlOutlaySection->ControlAs<ctlNumericText>("txtOutlay")->setFocus();
    Press(Qt::Key_Escape);
    EXPECT_EQ(oCancel.count(), 2);
}

TEST_F(KeyboardTest, EveryFigureIsReadWithItsCaptionAndFollowsEachEdit) {
    ctlCalculator& oCalculator = StartCalculator();
    GetWorkingDoc().m_oOutlay.m_lQuantity = 1;
    GetWorkingDoc().m_oPostage.m_bUse = true;
    GetWorkingDoc().m_oPostage.m_fWeight = 0.5f;
    oCalculator.RefreshSums(true);
    ctlSellingCosts* oCosts = oCalculator.SellingCosts();
    const std::map<const char*, const char*> aoFigures = {
        {"lblInsertionFeeTotal", "Insertion Fee"},
        {"lblReserveFeeTotal", "Reserve Fee"},
        {"lblFinalValueFeeTotal", "Final Value Fee"},
        {"lblListingCostTotal", "Total Listing Fee"},
        {"lblSellingCostTotal", "Selling Cost"},
        {"lblPostageTotal", "Postage & Packing"},
        {"lblPayPalTotal", "PayPal Fee"},
        {"lblProfitGrandTotal", "Profit"},
        {"lblBreakEvenTotal", "Break-even Price"}};
    const std::map<const char*, const char*> aoPrices = {
        {"lblSecondClass", "Second Class"},
        {"lblFirstClass", "First Class"},
        {"lblParcelService", "Parcel Service"},
        {"lblParcelInsuranceCost", "Parcel Insurance"},
        {"lblRecordedDelivery", "Recorded Signed For"},
        {"lblProofOfDelivery", "Proof of Delivery"}};
    auto ExpectRead = [&](const std::string& sWhen) {
        for (const auto& [sName, sCaption] : aoFigures) {
            QLabel* oFigure = oCosts->Label(QLatin1String(sName));
            EXPECT_EQ(AccessibleName(oFigure), QString::fromUtf8(sCaption) + ": " + oFigure->text())
                << sName << " " << sWhen;
        }
        for (const auto& [sName, sCaption] : aoPrices) {
            auto* oPrice = oCalculator.Postage()->ControlAs<QLabel>(QLatin1String(sName));
            EXPECT_EQ(AccessibleName(oPrice), QString::fromUtf8(sCaption) + ": " + oPrice->text())
                << sName << " " << sWhen;
        }
    };
    ExpectRead("at the start");

    auto* oOutlay = oCalculator.Outlay();
    TypeInto(oOutlay->ControlAs<ctlNumericText>("txtStartingPrice"), "25");
    TypeInto(oOutlay->ControlAs<ctlNumericText>("txtEstimatedEndPrice"), "120");
    TypeInto(oCalculator.Postage()->ControlAs<ctlNumericText>("txtWeight"), "1.5");
    ExpectRead("after the edits");
    const clsCalculate& oDoc = GetWorkingDoc();
    // The amounts read are the new ones: £120 sells with a final value fee.
    EXPECT_GT(oDoc.m_fFinalValueFee, 0);
    EXPECT_EQ(AccessibleName(oCosts->Label("lblFinalValueFeeTotal")),
              "Final Value Fee: " + MoneyText(oDoc.m_fFinalValueFee));
    EXPECT_EQ(AccessibleName(oCosts->Label("lblInsertionFeeTotal")),
              "Insertion Fee: " + MoneyText(oDoc.m_fListingCost));
    EXPECT_TRUE(AccessibleName(oCosts->Label("lblProfitGrandTotal"))
                    .startsWith("Profit: " + MoneyText(oDoc.m_fProfit)));
}

// Tab from the panel's first control to its last: each option group it holds is stopped at
// once, on its selected option; the arrow keys then move the selection within the group.
TEST_F(KeyboardTest, TabStopsOnceAtEveryOptionGroupOnItsSelectedOption) {
    clsCalculate& oDoc = GetWorkingDoc();
    oDoc.m_oOutlay.m_lQuantity = 1;
    oDoc.m_oOutlay.m_fEstimatedEndPrice = 60;
    oDoc.m_oAuctionType.m_bShopInventory = true;
    oDoc.m_oAuctionType.m_eShopDuration = ShopDuration::Days90;
    oDoc.m_oPayPal.m_bUsePayPal = true;
    oDoc.m_oPayPal.m_eAccoutType = AccountType::Business;
    oDoc.m_oPayPal.m_eBusinessRate = 3;
    oDoc.m_oPostage.m_bUse = true;
    oDoc.m_oPostage.m_fWeight = 0.5f;
    oDoc.m_oPostage.m_eClass = PostageClass::Parcel; // insures above the first band
    oDoc.m_oPostage.m_eInsurance = InsuranceBand::Band2;
    ctlCalculator& oCalculator = StartCalculator();
    oCalculator.RefreshSums(true);

    // Every panel's group of options, with the option that must take the Tab stop.
    std::vector<std::pair<ctlSectionPanel*, QString>> aoGroups = {
        {oCalculator.AuctionType(), "optStandardAution"},
        {oCalculator.AuctionType()->findChild<ctlSectionPanel*>("ctlShopDuration"),
         "optShop90Days"},
        {oCalculator.PayPal(), "optBusinessAccount"},
        {oCalculator.PayPal()->findChild<ctlSectionPanel*>("ctlPaypalBusinessType"), "optBand3"},
        {oCalculator.Postage(), "optParcelService"},
        {oCalculator.Postage()->findChild<ctlSectionPanel*>("ctlParcelInsurance"), "optBand2"},
    };
    // Tab once round the whole window.
    std::vector<QWidget*> aoStops;
    oCalculator.Outlay()->ControlAs<QWidget>("txtOutlay")->setFocus(Qt::TabFocusReason);
    QWidget* oFirst = QApplication::focusWidget();
    ASSERT_NE(oFirst, nullptr);
    for (int i = 0; i < 400; ++i) {
        aoStops.push_back(QApplication::focusWidget());
        Press(Qt::Key_Tab);
        if (QApplication::focusWidget() == oFirst) break;
    }
    ASSERT_EQ(QApplication::focusWidget(), oFirst) << "Tab comes round to where it began";

    for (const auto& [oPanel, sSelected] : aoGroups) {
        ASSERT_NE(oPanel, nullptr);
        std::vector<std::string> asStopped;
        for (QWidget* o : aoStops)
            if (qobject_cast<QRadioButton*>(o) && o->parentWidget() == oPanel)
                asStopped.push_back(Name(o));
        EXPECT_EQ(asStopped, std::vector<std::string>{sSelected.toStdString()})
            << "the group of " << Name(oPanel);
    }
    // The panels are read top to bottom: within each, the stops go down the rows.
    for (ctlSectionPanel* oPanel : std::initializer_list<ctlSectionPanel*>{
             oCalculator.Outlay(), oCalculator.PayPal(), oCalculator.Postage()}) {
        int lLast = -1;
        for (QWidget* o : aoStops) {
            if (!oPanel->isAncestorOf(o)) continue;
            const int lY = o->mapTo(oPanel, QPoint(0, 0)).y();
            EXPECT_GE(lY, lLast) << Name(o) << " in " << Name(oPanel);
            lLast = lY;
        }
    }

    // Up moves to the option above and selects it; Tab then stops at that one.
    auto* optParcelService = oCalculator.Postage()->ControlAs<QRadioButton>("optParcelService");
    optParcelService->setFocus(Qt::TabFocusReason);
    Press(Qt::Key_Up);
    auto* optFirstClass = oCalculator.Postage()->ControlAs<QRadioButton>("optFirstClass");
    EXPECT_TRUE(optFirstClass->hasFocus());
    EXPECT_TRUE(optFirstClass->isChecked());
    EXPECT_EQ(oDoc.m_oPostage.m_eClass, PostageClass::FirstClass) << "chosen, as by a click";
    EXPECT_TRUE(optFirstClass->focusPolicy() & Qt::TabFocus);
    EXPECT_FALSE(optParcelService->focusPolicy() & Qt::TabFocus);
}

// The access keys of one section panel, its option panels included, in both editions: every
// option, box and labelled field has one, and no two share one.
TEST_F(KeyboardTest, EveryOptionAndFieldHasAnAccessKeyOfItsOwnWithinItsPanel) {
    for (const int32_t eRegion : {RegionUK, RegionUS}) {
        UsePrices(eRegion);
        clsCalculate& oDoc = GetWorkingDoc();
        oDoc.Clear();
        oDoc.m_oOutlay.m_lQuantity = 2;
        oDoc.m_oAuctionType.m_bBuyItNowOnly = true; // the fourth price takes another caption
        oDoc.m_oPayPal.m_eAccoutType = AccountType::Business;
        ctlCalculator& oCalculator = StartCalculator();
        oCalculator.RefreshSums(true);
        std::vector<ctlSectionPanel*> aoPanels = {
            oCalculator.Outlay(), oCalculator.AuctionType(), oCalculator.SellingFeatures(),
            oCalculator.PayPal(), oCalculator.Postage(),     oCalculator.Today()};
        ctlSubControlExample oExample(nullptr);
        aoPanels.push_back(&oExample);
        for (ctlSectionPanel* oPanel : aoPanels) {
            std::map<QChar, std::string> oKeys;
            for (QWidget* o : oPanel->findChildren<QWidget*>()) {
                QString sText;
                if (auto* oButton = qobject_cast<QAbstractButton*>(o)) {
                    if (IsShowBox(o)) continue; // the Show column: all "Show"
                    sText = oButton->text();
                } else if (auto* oLabel = qobject_cast<QLabel*>(o); oLabel && oLabel->buddy()) {
                    sText = oLabel->text();
                } else if (qobject_cast<ctlNumericText*>(o) || qobject_cast<QComboBox*>(o)) {
                    // A field is reached by its label's key, or its option's or box's.
                    const QList<QLabel*> aoLabels = oPanel->findChildren<QLabel*>();
                    const bool bLabelled =
                        std::any_of(aoLabels.begin(), aoLabels.end(),
                                    [o](const QLabel* l) { return l->buddy() == o; });
                    const bool bBeside =
                        o->objectName() == "txtManual" || o->objectName() == "txtProfit";
                    EXPECT_TRUE(bLabelled || bBeside) << Name(o);
                    continue;
                } else {
                    continue;
                }
                const QChar cKey = AccessKey(sText);
                EXPECT_FALSE(cKey.isNull())
                    << Name(o) << " \"" << sText.toStdString() << "\" has no access key";
                if (cKey.isNull()) continue;
                const auto [it, bNew] = oKeys.emplace(cKey, Name(o));
                EXPECT_TRUE(bNew) << "Alt+" << QString(cKey).toStdString() << " is both "
                                  << it->second << " and " << Name(o) << " in " << Name(oPanel)
                                  << " (region " << eRegion << ")";
            }
        }
        m_ctlCalculator.reset();
    }
    // The access key reaches its option: Alt+B on the PayPal page chooses the business account.
    UsePrices(RegionUK);
    GetWorkingDoc().Clear();
    ctlWizard& oWizard = StartWizard();
    oWizard.ShowPage(3);
    oWizard.ctlPayPalSection->ControlAs<QWidget>("chkUsePayPal")->setFocus();
    Press(Qt::Key_B, Qt::AltModifier);
    auto* optBusinessAccount =
        oWizard.ctlPayPalSection->ControlAs<QRadioButton>("optBusinessAccount");
    // The button is pressed as by a click, which it shows for a moment first.
    EXPECT_TRUE(QTest::qWaitFor([&] { return optBusinessAccount->isChecked(); }, 2000));
    EXPECT_EQ(GetWorkingDoc().m_oPayPal.m_eAccoutType, AccountType::Business);
}

} // namespace

namespace {

// Colour pixels of an image that are exactly oColour.
int CountPixels(const QImage& oImage, const QColor& oColour) {
    int lCount = 0;
    for (int y = 0; y < oImage.height(); ++y)
        for (int x = 0; x < oImage.width(); ++x)
            if (oImage.pixelColor(x, y).rgb() == oColour.rgb()) ++lCount;
    return lCount;
}

TEST_F(KeyboardTest, TheFocusRingStandsOutFromWhatLiesBehindIt) {
    // A highlight that all but vanishes on the panel gives way to the text colour.
    QPalette oPoor;
    oPoor.setColor(QPalette::Highlight, QColor(0x30, 0x30, 0x40));
    oPoor.setColor(QPalette::WindowText, QColor(0xF0, 0xF0, 0xF0));
    const struct {
        QPalette m_oPalette;
        QColor m_oBackground;
    } aoCases[] = {
        {QApplication::palette(), QApplication::palette().color(QPalette::WindowText)}, // panels
        {QApplication::palette(), QApplication::palette().color(QPalette::Base)},       // fields
        {oPoor, QColor(0x20, 0x20, 0x20)},
        {oPoor, QColor(Qt::white)},
        {QPalette(QColor(0x80, 0x80, 0x80)), QColor(0x80, 0x80, 0x80)},
    };
    for (const auto& oCase : aoCases)
        EXPECT_GE(clsFocusStyle::ContrastRatio(
                      clsFocusStyle::RingColour(oCase.m_oPalette, oCase.m_oBackground),
                      oCase.m_oBackground),
                  clsFocusStyle::MinContrast)
            << oCase.m_oBackground.name().toStdString();
    EXPECT_NEAR(clsFocusStyle::ContrastRatio(Qt::black, Qt::white), 21.0, 0.01);

    // Drawn: an option of a panel in keyboard focus is ringed, and only then.
    ctlCalculator& oCalculator = StartCalculator();
    auto* chkBold = oCalculator.SellingFeatures()->ControlAs<QWidget>("chkBold");
    const QColor oRing =
        clsFocusStyle::RingColour(chkBold->palette(), chkBold->palette().color(QPalette::Window));
    const int lBefore = CountPixels(chkBold->grab().toImage(), oRing);
    chkBold->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(chkBold->hasFocus());
    const QImage oFocused = chkBold->grab().toImage();
    const int lRing = CountPixels(oFocused, oRing) - lBefore;
    EXPECT_GE(lRing, 2 * clsFocusStyle::RingWidth * (oFocused.height() - 4))
        << "a ring round the caption, two pixels wide";
}

} // namespace
