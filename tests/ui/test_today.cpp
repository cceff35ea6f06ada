#include "UiTest.h"

#include "basCommon.h"
#include "basControls.h"
#include "basMain.h"
#include "basNumberText.h"
#include "basSettings.h"
#include "clsCalculate.h"
#include "clsPostage.h"
#include "clsSellingCostFigures.h"
#include "clsTodaySchedule.h"
#include "ctlAuctionType.h"
#include "ctlCalculator.h"
#include "ctlFeeSchedule.h"
#include "ctlNumericText.h"
#include "ctlPostage.h"
#include "ctlSellingCosts.h"
#include "ctlToday.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <memory>
#include <vector>

namespace {

// Today's schedule in the calculator: the choice of schedule, today's inputs and figures.
class TodayTest : public clsUiTest {
protected:
    void SetUp() override {
        clsUiTest::SetUp();
        Doc().Clear();
        Doc().SetDirty(false);
    }
    void TearDown() override {
        m_ctlCalculator.reset();
        Doc().Clear();
        Doc().SetDirty(false);
        clsUiTest::TearDown();
    }
    static clsCalculate& Doc() { return GetWorkingDoc(); }
    void Start() { m_ctlCalculator = ShowCalculator(); }
    QWidget* Schedule(const char* sName) const {
        return m_ctlCalculator->ScheduleChoice()->findChild<QWidget*>(QLatin1String(sName));
    }
    ctlToday* Today() const { return m_ctlCalculator->Today(); }
    QString Shown(const char* sName) const {
        return Today()->ControlAs<QLabel>(QLatin1String(sName))->text();
    }
    QString SellingCost(const char* sName) const {
        return m_ctlCalculator->SellingCosts()->Label(QLatin1String(sName))->text();
    }
    // Chooses an entry of a list as the user does: the list shows it and reports the choice.
    void Choose(const char* sList, const QString& sKey) const {
        auto* oList = Today()->ControlAs<QComboBox>(QLatin1String(sList));
        const int i = oList->findData(sKey);
        ASSERT_GE(i, 0) << sKey.toStdString();
        oList->setCurrentIndex(i);
        emit oList->activated(i);
    }
    // Types into the category's box and leaves it.
    void TypeCategory(const QString& sText) const {
        auto* cboCategory = Today()->ControlAs<QComboBox>("cboCategory");
        cboCategory->lineEdit()->setFocus();
        cboCategory->lineEdit()->selectAll();
        QTest::keyClicks(cboCategory->lineEdit(), sText);
        emit cboCategory->lineEdit()->editingFinished();
        cboCategory->completer()->popup()->hide();
    }
    // The figures of the working auction worked out apart from the panels.
    static clsTodayFigures ModelFigures() {
        clsCalculate oCopy;
        oCopy.Copy(Doc());
        oCopy.DoCalc();
        return oCopy.m_oTodayFigures;
    }
    // An item worth £20 (or $25), one sold, no postage.
    static void OneItem(float fPrice) {
        Doc().m_oOutlay.m_fOutlay = 5;
        Doc().m_oOutlay.m_fEstimatedEndPrice = fPrice;
        Doc().m_oOutlay.m_lQuantity = 1;
    }

    std::unique_ptr<ctlCalculator> m_ctlCalculator;
};

TEST_F(TodayTest, SwitchingScheduleShowsTodaysInputsAndTheModelsFigures) {
    OneItem(50);
    Start();
    ASSERT_EQ(GetFeeSchedule(), FeeSchedule::Y2008);
    EXPECT_TRUE(Today()->isHidden());
    EXPECT_FALSE(m_ctlCalculator->AuctionType()->isHidden());
    const QString sFee2008 = SellingCost("lblFinalValueFeeTotal");

    Click(Schedule("optScheduleToday"));
    ASSERT_EQ(GetFeeSchedule(), FeeSchedule::Today);
    EXPECT_FALSE(Today()->isHidden());
    // The kind of sale, the upgrades and PayPal play no part in today's fees.
    for (const std::string sKey : {"AuctionType", "SellingFeatures", "PayPal"})
        EXPECT_TRUE(m_ctlCalculator->Section(sKey)->isHidden()) << sKey;
    EXPECT_FALSE(m_ctlCalculator->Postage()->isHidden());
    // Nor are there reserve or PayPal fees to show at £0.00.
    const auto RowsShown = [this] {
        std::vector<bool> abShown;
        for (const char* sName :
             {"lblReserveFeeLabel", "lblReserveFeeTotal", "lblPayPalLabel", "lblPayPalTotal"})
            abShown.push_back(!m_ctlCalculator->SellingCosts()->Label(sName)->isHidden());
        return abShown;
    };
    EXPECT_EQ(RowsShown(), std::vector<bool>(4, false));
    EXPECT_TRUE(m_ctlCalculator->ScheduleChoice()
                    ->findChild<QLabel*>("lblScheduleNote")
                    ->text()
                    .contains(QString::fromStdString(GetTodaySchedule()->DataDate())));

    // A business seller in the default category: every fee by kind is the model's.
    Choose("cboAccount", "business");
    const clsTodayFigures oFigures = ModelFigures();
    ASSERT_GT(oFigures.m_fFinalValueFee, 0);
    EXPECT_EQ(Shown("lblFeeFinalValueAmount"), MoneyText(oFigures.m_fFinalValueFee));
    EXPECT_EQ(Shown("lblFeePerOrderAmount"), MoneyText(oFigures.m_fPerOrderFee));
    EXPECT_EQ(Shown("lblFeeRegulatoryAmount"), MoneyText(oFigures.m_fRegulatoryFee));
    EXPECT_EQ(Shown("lblFeeVATAmount"), MoneyText(oFigures.m_fVatOnFees));
    EXPECT_EQ(Shown("lblTotal"), "Section Total " + MoneyText(oFigures.m_fTotalFees));
    EXPECT_EQ(SellingCost("lblFinalValueFeeLabel"), "Selling Fees");
    const clsSellingCostFigures oCosts(Doc());
    EXPECT_EQ(SellingCost("lblProfitGrandTotal"), ProfitShown(oCosts));
    EXPECT_NE(SellingCost("lblFinalValueFeeTotal"), sFee2008);
    // A promoted listing and a buyer abroad add their fees as the user types.
    TypeInto(Today()->ControlAs<ctlNumericText>("txtAdRate"), "5");
    Choose("cboRegion", "europe");
    const clsTodayFigures oMore = ModelFigures();
    EXPECT_GT(oMore.m_fAdFee, 0);
    EXPECT_GT(oMore.m_fInternationalFee, 0);
    EXPECT_EQ(Shown("lblFeeAdAmount"), MoneyText(oMore.m_fAdFee));
    EXPECT_EQ(Shown("lblFeeInternationalAmount"), MoneyText(oMore.m_fInternationalFee));
    EXPECT_EQ(Shown("lblTotal"), "Section Total " + MoneyText(oMore.m_fTotalFees));

    // Back to 2008: its panels and its figures return.
    Click(Schedule("optSchedule2008"));
    EXPECT_EQ(GetFeeSchedule(), FeeSchedule::Y2008);
    EXPECT_TRUE(Today()->isHidden());
    EXPECT_FALSE(m_ctlCalculator->AuctionType()->isHidden());
    EXPECT_EQ(SellingCost("lblFinalValueFeeLabel"), "Final Value Fee");
    EXPECT_EQ(SellingCost("lblFinalValueFeeTotal"), sFee2008);
    EXPECT_EQ(RowsShown(), std::vector<bool>(4, true));
    EXPECT_TRUE(ShownMessages().empty());
}

TEST_F(TodayTest, TheChoiceOfScheduleIsKeptAcrossARestart) {
    Start();
    Click(Schedule("optScheduleToday"));
    EXPECT_EQ(UserSetting("Config", "FeeSchedule"), "1");
    m_ctlCalculator.reset();

    // The next run starts on the 2008 price file and applies the stored choice.
    UsePrices(RegionUK);
    std::string sWhy;
    ASSERT_TRUE(ApplyFeeScheduleSetting(sWhy)) << sWhy;
    EXPECT_EQ(GetFeeSchedule(), FeeSchedule::Today);
    Start();
    EXPECT_TRUE(static_cast<QAbstractButton*>(Schedule("optScheduleToday"))->isChecked());
    EXPECT_FALSE(Today()->isHidden());

    Click(Schedule("optSchedule2008"));
    EXPECT_EQ(UserSetting("Config", "FeeSchedule"), "0");
    // A stored value that names no schedule means 2008.
    SetUserSetting("Config", "FeeSchedule", "today?");
    EXPECT_EQ(GetFeeScheduleSetting(), FeeSchedule::Y2008);
}

TEST_F(TodayTest, ATodayAuctionSavesAndLoadsItsInputsUnderBothSchedules) {
    OneItem(120);
    Doc().m_oOutlay.m_lQuantity = 2;
    Start();
    Click(Schedule("optScheduleToday"));
    Choose("cboAccount", "business");
    // The category is found by a word of it, as typed.
    TypeCategory("watch");
    EXPECT_EQ(Doc().m_oToday.m_sCategory, "jewellery");
    Choose("cboRegion", "northamerica");
    TypeInto(Today()->ControlAs<ctlNumericText>("txtAdRate"), "4.5");
    TypeInto(Today()->ControlAs<ctlNumericText>("txtListings"), "2000");
    Click(Today()->Control("optPerformanceTopRated"));
    Click(Today()->Control("chkVatRegistered"));
    Click(Today()->Control("chkOneOrder"));
    const clsTodayInputs oTyped = Doc().m_oToday;
    EXPECT_TRUE(oTyped.m_bTopRated && oTyped.m_bVatRegistered && oTyped.m_bOneOrder);
    EXPECT_EQ(oTyped.m_lListingsThisMonth, 2000);
    EXPECT_FLOAT_EQ(oTyped.m_fAdRate, 4.5f);
    EXPECT_TRUE(Doc().IsDirty());

    std::string sSaved;
    Doc().Serialize(sSaved, true);
    EXPECT_NE(sSaved.find(clsTodayInputs::kMarker), std::string::npos);

    // Loaded into a cleared auction, the panel shows every input again.
    Doc().Clear();
    m_ctlCalculator->RefreshSums(true, &Doc());
    EXPECT_EQ(Today()->ControlAs<QComboBox>("cboAccount")->currentData().toString(), "private");
    std::string sLoad = sSaved;
    Doc().Serialize(sLoad, false);
    Doc().SetDirty(false);
    m_ctlCalculator->RefreshSums(true, &Doc());
    EXPECT_FALSE(Doc().IsDirty());
    EXPECT_EQ(Today()->ControlAs<QComboBox>("cboAccount")->currentData().toString(), "business");
    EXPECT_EQ(Today()->ControlAs<QComboBox>("cboCategory")->currentData().toString(), "jewellery");
    EXPECT_EQ(Today()->ControlAs<QComboBox>("cboRegion")->currentData().toString(), "northamerica");
    EXPECT_EQ(Today()->ControlAs<ctlNumericText>("txtAdRate")->Value(), 4.5f);
    EXPECT_TRUE(Today()->ControlAs<QRadioButton>("optPerformanceTopRated")->isChecked());
    EXPECT_TRUE(Today()->ControlAs<QCheckBox>("chkVatRegistered")->isChecked());
    EXPECT_TRUE(Today()->ControlAs<QCheckBox>("chkOneOrder")->isChecked());

    // Under the 2008 schedule the same file loads, keeps today's inputs and saves them again.
    Click(Schedule("optSchedule2008"));
    Doc().Clear();
    sLoad = sSaved;
    Doc().Serialize(sLoad, false);
    m_ctlCalculator->RefreshSums(true, &Doc());
    std::string sAgain;
    Doc().Serialize(sAgain, true);
    EXPECT_EQ(sAgain, sSaved);
    // And a 2008 auction loads under today's schedule with today's defaults.
    clsCalculate o2008;
    o2008.m_oOutlay.m_fEstimatedEndPrice = 30;
    o2008.m_oOutlay.m_lQuantity = 1;
    std::string s2008;
    o2008.Serialize(s2008, true);
    EXPECT_EQ(s2008.find(clsTodayInputs::kMarker), std::string::npos);
    Click(Schedule("optScheduleToday"));
    Doc().Serialize(s2008, false);
    m_ctlCalculator->RefreshSums(true, &Doc());
    EXPECT_TRUE(Doc().m_oToday.IsDefault());
    EXPECT_EQ(Today()->ControlAs<QComboBox>("cboAccount")->currentData().toString(), "private");
    EXPECT_TRUE(ShownMessages().empty());
}

TEST_F(TodayTest, AUkPrivateSaleShowsWhatTheBuyerPaysWithBuyerProtection) {
    OneItem(20);
    Start();
    Click(Schedule("optScheduleToday"));
    ASSERT_EQ(Today()->ControlAs<QComboBox>("cboAccount")->currentData().toString(), "private");
    // 10p and 7 % of the first £20: £1.50 on top of the item price, none of it the seller's.
    EXPECT_EQ(Shown("lblBuyerProtectionAmount"), "£1.50");
    EXPECT_EQ(Shown("lblBuyerPaysAmount"), "£21.50");
    EXPECT_EQ(Shown("lblTotal"), "Section Total £0.00");
    // A private seller pays no final value fee: the category and VAT mean nothing.
    EXPECT_FALSE(Today()->Control("cboCategory")->isEnabled());
    EXPECT_FALSE(Today()->Control("chkVatRegistered")->isEnabled());

    // A business seller's buyer pays the price alone.
    Choose("cboAccount", "business");
    EXPECT_EQ(Shown("lblBuyerProtectionAmount"), "none");
    EXPECT_EQ(Shown("lblBuyerPaysAmount"), "£20.00");
    EXPECT_TRUE(Today()->Control("chkVatRegistered")->isEnabled());
}

TEST_F(TodayTest, AUsSaleShowsTheStoreLevelsAndEbaysPublishedExample) {
    UsePrices(RegionUS);
    // eBay's own example: a trading card, $25 in all, $3.31 and the $0.40 order fee.
    OneItem(25);
    Doc().m_oToday.m_sAccount = "NoStore";
    Doc().m_oToday.m_sCategory = "SportsCards";
    Start();
    Click(Schedule("optScheduleToday"));
    ASSERT_EQ(GetTodaySchedule()->Site(), "US");
    auto* cboAccount = Today()->ControlAs<QComboBox>("cboAccount");
    EXPECT_GE(cboAccount->findText("Basic Store"), 0);
    EXPECT_EQ(Shown("lblFeeFinalValueAmount"), "$3.31");
    EXPECT_EQ(Shown("lblFeePerOrderAmount"), "$0.40");
    EXPECT_EQ(Shown("lblTotal"), "Section Total $3.71");
    EXPECT_TRUE(Today()->Control("txtSalesTax")->isEnabled());
    EXPECT_FALSE(Today()->Control("chkVatRegistered")->isEnabled());
    EXPECT_FALSE(Today()->Control("lblBuyerProtectionAmount")->isEnabled());
    // The notes name what is not eBay's own, with the data's date.
    EXPECT_TRUE(Shown("lblNotes").contains(QString::fromStdString(GetTodaySchedule()->DataDate())));
}

// The postage panel offers only what the price file can price: under today's fees the postage
// typed in, with a note; a Royal Mail service chosen under the 2008 fees is kept for them.
TEST_F(TodayTest, PostageUnderTodaysFeesIsTypedInAndKeepsTheRoyalMailChoiceFor2008) {
    OneItem(20);
    clsPostage& oPostage = Doc().m_oPostage;
    oPostage.m_bUse = true;
    oPostage.m_fWeight = 0.2f;
    oPostage.m_eClass = PostageClass::FirstClass;
    oPostage.m_bRecorded = true;
    Doc().SetDirty(false);
    Start();
    ctlPostage* oPanel = m_ctlCalculator->Postage();
    const auto Visible = [&](const char* sName) { return oPanel->Control(sName)->isVisible(); };
    const auto Text = [&](const char* sName) {
        return StripAmpersand(oPanel->ControlAs<QAbstractButton>(sName)->text());
    };
    const auto Total = [&] { return oPanel->ControlAs<QLabel>("lblTotal")->text(); };
    const char* const asCarrier[] = {
        "txtWeight",        "optSecondClass",     "optFirstClass",       "lblFirstClass",
        "optParcelService", "ctlParcelInsurance", "chkRecordedDelivery", "chkProofOfDelivery"};
    // 2008: first class 0.2 kg £1.45 and recorded £0.72.
    for (const char* sName : asCarrier)
        EXPECT_TRUE(Visible(sName)) << sName;
    EXPECT_FALSE(Visible("lblTypedPostage"));
    EXPECT_TRUE(oPanel->ControlAs<QRadioButton>("optFirstClass")->isChecked());
    EXPECT_EQ(Total(), "Section Total £2.17");
    const int lHeight2008 = oPanel->height();

    Click(Schedule("optScheduleToday"));
    for (const char* sName : asCarrier)
        EXPECT_FALSE(Visible(sName)) << sName;
    EXPECT_EQ(Text("chkUsePostage"), "Charge Postage");
    EXPECT_EQ(Text("optManual"), "Postage Cost");
    EXPECT_TRUE(oPanel->ControlAs<QRadioButton>("optManual")->isChecked());
    ASSERT_TRUE(Visible("lblTypedPostage"));
    const auto Note = [&] { return oPanel->ControlAs<QLabel>("lblTypedPostage")->text(); };
    EXPECT_TRUE(Note().startsWith("First Class has no price under today's fees: type in"))
        << Note().toStdString();
    EXPECT_EQ(Total(), "Section Total £0.00");
    EXPECT_FALSE(Doc().IsDirty()) << "showing the auction under today's fees changes nothing";
    // Tidy: the rows left close up, and none overlaps the next.
    EXPECT_LT(oPanel->height(), lHeight2008);
    QList<QWidget*> aoShown;
    for (QWidget* o : oPanel->Controls())
        if (o->isVisible() && o->parentWidget() == oPanel && !o->objectName().startsWith("chkShow"))
            aoShown << o;
    for (QWidget* a : aoShown)
        for (QWidget* b : aoShown)
            // (A field one pixel taller than its row, as designed, may touch the row below.)
            EXPECT_TRUE(a == b || a->geometry().intersected(b->geometry()).height() <= 1)
                << a->objectName().toStdString() << " overlaps " << b->objectName().toStdString();

    // The postage typed in counts, in the fee base too; the service chosen stays.
    TypeInto(oPanel->ControlAs<ctlNumericText>("txtManual"), "3.10");
    EXPECT_FLOAT_EQ(oPostage.m_fManualFee, 3.1f);
    EXPECT_EQ(oPostage.m_eClass, PostageClass::FirstClass);
    EXPECT_TRUE(oPostage.m_bRecorded);
    EXPECT_EQ(Total(), "Section Total £3.10");
    EXPECT_FLOAT_EQ(Doc().m_oTodayFigures.m_fPostage, 3.1f);
    EXPECT_TRUE(Note().contains("the postage cost typed in counts")) << Note().toStdString();

    // Saved and opened under the 2008 fees, the auction is first class again.
    std::string sSaved;
    Doc().Serialize(sSaved, true);
    Click(Schedule("optSchedule2008"));
    Doc().Clear();
    Doc().Serialize(sSaved, false);
    m_ctlCalculator->RefreshSums(true, &Doc());
    for (const char* sName : asCarrier)
        EXPECT_TRUE(Visible(sName)) << sName;
    EXPECT_FALSE(Visible("lblTypedPostage"));
    EXPECT_EQ(Text("optManual"), "Manual");
    EXPECT_EQ(Text("chkUsePostage"), "Use Royal Mail Postage");
    EXPECT_TRUE(oPanel->ControlAs<QRadioButton>("optFirstClass")->isChecked());
    EXPECT_TRUE(oPanel->ControlAs<QCheckBox>("chkRecordedDelivery")->isChecked());
    EXPECT_EQ(Total(), "Section Total £2.17");
    EXPECT_EQ(oPanel->height(), lHeight2008);
    EXPECT_TRUE(ShownMessages().empty());
}

// In configuration mode the services that have no price under today's fees offer no Show box
// either, and they come back with the 2008 fees.
TEST_F(TodayTest, PostageShowBoxesFollowWhatThePriceFileOffers) {
    Start();
    m_ctlCalculator->ConfigMode(true);
    ctlPostage* oPanel = m_ctlCalculator->Postage();
    EXPECT_TRUE(oPanel->Control("chkShowFirstClass")->isVisible());
    EXPECT_FALSE(oPanel->Control("lblTypedPostage")->isVisible());
    Click(Schedule("optScheduleToday"));
    EXPECT_FALSE(oPanel->Control("chkShowFirstClass")->isVisible());
    EXPECT_FALSE(oPanel->Control("optFirstClass")->isVisible());
    EXPECT_TRUE(oPanel->Control("chkShowManual")->isVisible());
    EXPECT_TRUE(oPanel->Control("lblTypedPostage")->isVisible());
    Click(Schedule("optSchedule2008"));
    EXPECT_TRUE(oPanel->Control("chkShowFirstClass")->isVisible());
    EXPECT_TRUE(oPanel->Control("optFirstClass")->isVisible());
    m_ctlCalculator->ConfigMode(false);
}

} // namespace
