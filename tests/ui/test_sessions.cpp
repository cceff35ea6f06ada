#include "UiTest.h"

#include "basNumberText.h"
#include "clsCalculate.h"
#include "clsPriceSearch.h"
#include "clsPrices.h"
#include "clsSellingCostFigures.h"
#include "ctlAuctionType.h"
#include "ctlCalculator.h"
#include "ctlNumericText.h"
#include "ctlOutlay.h"
#include "ctlPayPal.h"
#include "ctlPostage.h"
#include "ctlProfitChart.h"
#include "ctlSellingCosts.h"
#include "ctlSellingFeatures.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTest>

#include <functional>
#include <memory>

namespace {

// Whole sessions played on the calculator with the UK prices, as a seller works: every
// figure shown is checked against the fee model run on the same inputs.
class SessionTest : public clsUiTest {
protected:
    void SetUp() override {
        clsUiTest::SetUp();
        GetWorkingDoc().Clear();
        GetWorkingDoc().SetDirty(false);
        m_ctlCalculator = std::make_unique<ctlCalculator>();
        m_ctlCalculator->resize(820, 760);
        ShowWindow(m_ctlCalculator.get());
    }
    void TearDown() override {
        m_ctlCalculator.reset();
        // The target lasts for the program's run; the next test starts without one.
        ctlSellingCosts::SessionTargetProfit(0);
        GetWorkingDoc().Clear();
        GetWorkingDoc().SetDirty(false);
        clsUiTest::TearDown();
    }

    QWidget* Find(const char* sName) const {
        QWidget* o = m_ctlCalculator->findChild<QWidget*>(QLatin1String(sName));
        EXPECT_TRUE(o) << sName;
        return o;
    }
    // Each user action is followed by a look at every figure: none may be stale.
    void Type(const char* sField, const char* sText) {
        TypeInto(qobject_cast<ctlNumericText*>(Find(sField)), sText);
        ExpectFiguresOf(GetWorkingDoc(), sField);
    }
    void Tick(const char* sBox, bool bTicked = true) {
        auto* oBox = qobject_cast<QAbstractButton*>(Find(sBox));
        ASSERT_TRUE(oBox->isEnabled()) << sBox;
        if (oBox->isChecked() != bTicked) Click(oBox);
        EXPECT_EQ(oBox->isChecked(), bTicked) << sBox;
        ExpectFiguresOf(GetWorkingDoc(), sBox);
    }
    QString Shown(const char* sName) const {
        return m_ctlCalculator->SellingCosts()->Label(sName)->text();
    }
    // The eight labels against the model run afresh on a copy of the auction's inputs.
    void ExpectFiguresOf(clsCalculate& oAuction, const std::string& sAfter) {
        clsCalculate oCheck;
        oCheck.Copy(oAuction);
        oCheck.DoCalc();
        const clsSellingCostFigures oFigures(oCheck);
        auto Money = [](float f) { return MoneyText(f); };
        EXPECT_EQ(Shown("lblInsertionFeeTotal"), Money(oFigures.m_fInsertionFee)) << sAfter;
        EXPECT_EQ(Shown("lblReserveFeeTotal"), Money(oFigures.m_fReserveFee)) << sAfter;
        EXPECT_EQ(Shown("lblFinalValueFeeTotal"), Money(oFigures.m_fFinalValueFee)) << sAfter;
        EXPECT_EQ(Shown("lblListingCostTotal"), Money(oFigures.m_fTotalListingFee)) << sAfter;
        EXPECT_EQ(Shown("lblSellingCostTotal"), Money(oFigures.m_fSellingCost)) << sAfter;
        EXPECT_EQ(Shown("lblPostageTotal"), Money(oFigures.m_fPostage)) << sAfter;
        EXPECT_EQ(Shown("lblPayPalTotal"), Money(oFigures.m_fPayPalFee)) << sAfter;
        EXPECT_EQ(Shown("lblProfitGrandTotal"), ProfitShown(oFigures)) << sAfter;
    }
    // The same figures from an auction set up in the model alone.
    void ExpectFigures(const std::function<void(clsCalculate&)>& fnSetUp) {
        clsCalculate oExpected;
        fnSetUp(oExpected);
        ExpectFiguresOf(oExpected, "the session");
    }
    // The item of every session: bought for £40, expected to fetch £100, started at 99p.
    void ListItem(const char* sOutlay = "40") {
        Type("txtOutlay", sOutlay);
        Type("txtStartingPrice", "0.99");
        Type("txtEstimatedEndPrice", "100");
        Type("txtQuantity", "1");
    }
    void SendFirstClassRecorded() {
        Tick("chkUsePostage");
        Type("txtWeight", "0.5");
        Tick("optFirstClass");
        Tick("chkRecordedDelivery");
        Tick("chkProfit");
        Type("txtProfit", "1");
    }
    static void SetItem(clsCalculate& o, float fOutlay, int32_t lQuantity) {
        o.m_oOutlay.m_fOutlay = fOutlay;
        o.m_oOutlay.m_fStartingPrice = 0.99f;
        o.m_oOutlay.m_fEstimatedEndPrice = 100;
        o.m_oOutlay.m_lQuantity = lQuantity;
        o.m_oSellingFeatures.SetFeature(SellingFeature::Bold, true);
        o.m_oSellingFeatures.SetFeature(SellingFeature::Gallery, true);
        o.m_oPayPal.m_bUsePayPal = true;
        o.m_oPayPal.m_eAccoutType = AccountType::Personal;
        o.m_oPostage.m_bUse = true;
        o.m_oPostage.m_fWeight = 0.5f;
        o.m_oPostage.m_eClass = PostageClass::FirstClass;
        o.m_oPostage.m_bRecorded = true;
        o.m_oPostage.m_bMakeProfit = true;
        o.m_oPostage.m_fProfit = 1;
    }

    std::unique_ptr<ctlCalculator> m_ctlCalculator;
};

TEST_F(SessionTest, OneItemWithUpgradesPayPalAndRecordedFirstClassShowsProfitAndPercentage) {
    ListItem();
    Tick("chkBold");
    Tick("chkGallery");
    Tick("chkUsePayPal");
    Tick("optPersonalAccount");
    SendFirstClassRecorded();

    ExpectFigures([](clsCalculate& o) { SetItem(o, 40, 1); });
    clsCalculate& oDoc = GetWorkingDoc();
    EXPECT_TRUE(oDoc.IsDirty());
    // Every part of the selling cost is there.
    EXPECT_GT(oDoc.m_fListingCost, 0);
    EXPECT_GT(oDoc.m_fFinalValueFee, 0);
    EXPECT_GT(oDoc.m_fPayPayCost, 0);
    EXPECT_GT(oDoc.m_fPostageCost, 0);
    EXPECT_FLOAT_EQ(oDoc.m_fPostageProfit, 1);
    EXPECT_NE(Shown("lblListingCostTotal"), Shown("lblInsertionFeeTotal")) << "the upgrades";
    // The seller is paid the price and the postage with its mark-up; the outlay, the fees
    // and the postage go.
    const float fProfit = 100 + oDoc.m_fPostageCost + 1 - oDoc.m_fSellCost - oDoc.m_fPostageCost;
    EXPECT_NEAR(oDoc.m_fProfit, fProfit, 0.005);
    ASSERT_GT(oDoc.m_fProfit, 0);
    const int32_t lPercent = int32_t(oDoc.m_fProfit / oDoc.m_fSellCost * 100);
    EXPECT_TRUE(Shown("lblProfitGrandTotal").endsWith(QStringLiteral(" (%1%)").arg(lPercent)))
        << Shown("lblProfitGrandTotal").toStdString();
}

TEST_F(SessionTest, ThreeItemsPaidForAndSentIndividually) {
    ListItem();
    Tick("chkBold");
    Tick("chkGallery");
    Tick("chkUsePayPal");
    SendFirstClassRecorded();
    // Per item choices only make sense for more than one item.
    EXPECT_FALSE(Find("chkPayInduvidually")->isEnabled());
    EXPECT_FALSE(Find("chkSendInduvidually")->isEnabled());
    const QString sPostageForOne = Shown("lblPostageTotal");
    const QString sPayPalForOne = Shown("lblPayPalTotal");

    Type("txtQuantity", "3");
    Tick("chkPayInduvidually");
    Tick("chkSendInduvidually");
    ExpectFigures([](clsCalculate& o) {
        SetItem(o, 40, 3);
        o.m_oPayPal.m_bPayInduvidually = true;
        o.m_oPostage.m_bSendInduvidually = true;
    });
    EXPECT_NE(Shown("lblPostageTotal"), sPostageForOne);
    EXPECT_NE(Shown("lblPayPalTotal"), sPayPalForOne);

    // Back to one item: the per item choices grey out and the figures follow at once.
    Type("txtQuantity", "1");
    EXPECT_FALSE(Find("chkPayInduvidually")->isEnabled());
    EXPECT_FALSE(qobject_cast<QAbstractButton*>(Find("chkPayInduvidually"))->isChecked());
    EXPECT_EQ(Shown("lblPostageTotal"), sPostageForOne);
}

TEST_F(SessionTest, ALossIsShownWithoutAPercentage) {
    ListItem("150");
    Tick("chkUsePayPal");
    SendFirstClassRecorded();
    ExpectFigures([](clsCalculate& o) {
        SetItem(o, 150, 1);
        o.m_oSellingFeatures.SetFeature(SellingFeature::Bold, false);
        o.m_oSellingFeatures.SetFeature(SellingFeature::Gallery, false);
    });
    ASSERT_LT(GetWorkingDoc().m_fProfit, 0);
    EXPECT_EQ(Shown("lblProfitGrandTotal"), MoneyText(GetWorkingDoc().m_fProfit));
    EXPECT_FALSE(Shown("lblProfitGrandTotal").contains('%'));

    // Trimming the outlay turns it into a profit, with its percentage.
    Type("txtOutlay", "20");
    EXPECT_TRUE(Shown("lblProfitGrandTotal").endsWith("%)"));
}

// The worked-out prices against a search run afresh on a copy of the auction's inputs.
TEST_F(SessionTest, BreakEvenAndTargetPricesFollowEveryEditAndTheTarget) {
    auto Money = [](float f) { return MoneyText(f); };
    auto Search = [](const std::function<std::optional<float>(clsPriceSearch&)>& fnAsk) {
        clsCalculate oCheck;
        oCheck.Copy(GetWorkingDoc());
        oCheck.DoCalc();
        clsPriceSearch oSearch(oCheck);
        return fnAsk(oSearch);
    };
    ListItem();
    Tick("chkUsePayPal");
    const auto oBreakEven = Search([](clsPriceSearch& o) { return o.BreakEvenPrice(); });
    ASSERT_TRUE(oBreakEven);
    EXPECT_GT(*oBreakEven, 40.0f) << "the outlay must at least come back";
    EXPECT_EQ(Shown("lblBreakEvenTotal"), Money(*oBreakEven));
    EXPECT_EQ(Shown("lblTargetPriceTotal"), "") << "no target set";

    ctlNumericText* txtTargetProfit = m_ctlCalculator->SellingCosts()->TargetProfit();
    TypeInto(txtTargetProfit, "25");
    const auto oTarget = Search([](clsPriceSearch& o) { return o.PriceForProfit(25); });
    ASSERT_TRUE(oTarget);
    EXPECT_GT(*oTarget, *oBreakEven);
    EXPECT_EQ(Shown("lblTargetPriceTotal"), Money(*oTarget));

    // A dearer outlay moves both prices at once.
    Type("txtOutlay", "60");
    const auto oDearer = Search([](clsPriceSearch& o) { return o.PriceForProfit(25); });
    ASSERT_TRUE(oDearer);
    EXPECT_GT(*oDearer, *oTarget);
    EXPECT_EQ(Shown("lblTargetPriceTotal"), Money(*oDearer));
    EXPECT_EQ(Shown("lblBreakEvenTotal"),
              Money(*Search([](clsPriceSearch& o) { return o.BreakEvenPrice(); })));

    // More profit than any price could bring.
    TypeInto(txtTargetProfit, "5000000");
    EXPECT_EQ(Shown("lblTargetPriceTotal"), "unreachable");
    EXPECT_FALSE(Search([](clsPriceSearch& o) { return o.PriceForProfit(5000000); }));

    // The target outlives the calculator that took it.
    m_ctlCalculator = std::make_unique<ctlCalculator>();
    ShowWindow(m_ctlCalculator.get());
    EXPECT_EQ(m_ctlCalculator->SellingCosts()->TargetProfit()->Value(), 5000000.0f);
    EXPECT_EQ(Shown("lblTargetPriceTotal"), "unreachable");
}

TEST_F(SessionTest, AFeeHintStandsBesideItsFieldOnlyWhileItApplies) {
    ListItem();
    QLabel* lblStartingPriceHint =
        m_ctlCalculator->Outlay()->ControlAs<QLabel>("lblStartingPriceHint");
    ASSERT_TRUE(lblStartingPriceHint);
    EXPECT_EQ(lblStartingPriceHint->text(), "") << "99p is the cheapest band's top already";

    Type("txtStartingPrice", "5.00");
    EXPECT_TRUE(lblStartingPriceHint->isVisible());
    EXPECT_TRUE(lblStartingPriceHint->text().contains("£4.99"))
        << lblStartingPriceHint->text().toStdString();
    EXPECT_TRUE(lblStartingPriceHint->toolTip().contains("£4.99"));
    EXPECT_EQ(lblStartingPriceHint->accessibleName(), lblStartingPriceHint->toolTip());
    EXPECT_EQ(m_ctlCalculator->Outlay()->ControlAs<QLabel>("lblReservePriceHint")->text(), "");
    // The hint sits level with its field, right of it.
    auto* txtStartingPrice =
        m_ctlCalculator->Outlay()->ControlAs<ctlNumericText>("txtStartingPrice");
    EXPECT_EQ(lblStartingPriceHint->y(), txtStartingPrice->y());
    EXPECT_GT(lblStartingPriceHint->x(), txtStartingPrice->geometry().right());

    Type("txtStartingPrice", "4.00");
    EXPECT_EQ(lblStartingPriceHint->text(), "");
    EXPECT_EQ(lblStartingPriceHint->toolTip(), "");
}

// "2,500" typed as the end price is two thousand five hundred pounds, and every figure and the
// chart follow the keystrokes before the field is left.
TEST_F(SessionTest, GroupedAmountsAreTakenAndEveryFigureFollowsTheKeystrokes) {
    ListItem();
    auto* txtEstimatedEndPrice = qobject_cast<ctlNumericText*>(Find("txtEstimatedEndPrice"));
    TypeOver(txtEstimatedEndPrice, "2,500");
    ASSERT_TRUE(txtEstimatedEndPrice->hasFocus());
    EXPECT_EQ(txtEstimatedEndPrice->Text(), "2,500") << "the text stays as typed";
    const auto SoldAt = [](float fPrice) {
        return [fPrice](clsCalculate& o) {
            o.m_oOutlay.m_fOutlay = 40;
            o.m_oOutlay.m_fStartingPrice = 0.99f;
            o.m_oOutlay.m_fEstimatedEndPrice = fPrice;
            o.m_oOutlay.m_lQuantity = 1;
        };
    };
    ExpectFigures(SoldAt(2500));
    EXPECT_EQ(m_ctlCalculator->ProfitChart()->Curve().m_fEstimate, 2500.0f) << "the chart too";
    QTest::keyClick(txtEstimatedEndPrice, Qt::Key_Tab);
    EXPECT_EQ(txtEstimatedEndPrice->Text(), "£2,500.00");
    ExpectFigures(SoldAt(2500));

    Type("txtEstimatedEndPrice", "£1,250.00");
    EXPECT_EQ(txtEstimatedEndPrice->Text(), "£1,250.00");
    ExpectFigures(SoldAt(1250));
    EXPECT_EQ(m_lBeeps, 0);
}

TEST_F(SessionTest, AReserveBelowTheLeastAllowedSaysWhyAndChangesNoFigure) {
    ListItem();
    auto* txtReservePrice = qobject_cast<ctlNumericText*>(Find("txtReservePrice"));
    const QString sProfit = Shown("lblProfitGrandTotal");
    TypeOver(txtReservePrice, "12.50");
    EXPECT_EQ(txtReservePrice->Text(), "12.50");
    EXPECT_EQ(txtReservePrice->InvalidReason(), "eBay's lowest reserve is £50.00");
    EXPECT_EQ(txtReservePrice->toolTip(), "eBay's lowest reserve is £50.00");
    EXPECT_EQ(GetWorkingDoc().m_oOutlay.m_fReservePrice, 0.0f);
    EXPECT_EQ(Shown("lblProfitGrandTotal"), sProfit);
    QTest::keyClick(txtReservePrice, Qt::Key_Tab);
    EXPECT_EQ(txtReservePrice->Text(), "£0.00");
    EXPECT_EQ(txtReservePrice->InvalidReason(), "");
    EXPECT_EQ(m_lBeeps, 1);
    ExpectFiguresOf(GetWorkingDoc(), "reserve put back");

    Type("txtReservePrice", "60");
    EXPECT_FLOAT_EQ(GetWorkingDoc().m_oOutlay.m_fReservePrice, 60.0f);
    EXPECT_NE(Shown("lblReserveFeeTotal"), "£0.00");
}

// Buy it Now Only greys the Buy It Now upgrade: it is unticked and no longer charged.
TEST_F(SessionTest, BuyItNowOnlyTakesTheBuyItNowUpgradeAndItsFeeAway) {
    ListItem();
    auto* chkUpgrade =
        qobject_cast<QAbstractButton*>(m_ctlCalculator->SellingFeatures()->Control("chkBuyItNow"));
    auto* chkBuyItNowOnly =
        qobject_cast<QAbstractButton*>(m_ctlCalculator->AuctionType()->Control("chkBuyItNow"));
    Click(chkUpgrade);
    ASSERT_TRUE(GetWorkingDoc().m_oSellingFeatures.HasFeature(SellingFeature::BuyItNow));
    auto* lblUpgrades = m_ctlCalculator->SellingFeatures()->ControlAs<QLabel>("lblTotal");
    EXPECT_NE(lblUpgrades->text(), "Section Total £0.00") << "the upgrade has a fee at £100";
    ExpectFiguresOf(GetWorkingDoc(), "Buy It Now upgrade");

    Click(chkBuyItNowOnly);
    EXPECT_FALSE(chkUpgrade->isEnabled());
    EXPECT_FALSE(chkUpgrade->isChecked());
    EXPECT_FALSE(GetWorkingDoc().m_oSellingFeatures.HasFeature(SellingFeature::BuyItNow));
    EXPECT_EQ(lblUpgrades->text(), "Section Total £0.00");
    ExpectFigures([](clsCalculate& o) {
        o.m_oAuctionType.m_bBuyItNowOnly = true;
        o.m_oOutlay.m_fOutlay = 40;
        o.m_oOutlay.m_fStartingPrice = 0.99f;
        o.m_oOutlay.m_fEstimatedEndPrice = 100;
        o.m_oOutlay.m_lQuantity = 1;
    });
}

} // namespace
