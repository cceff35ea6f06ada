// The profit chart and the money breakdown: what they draw after a seller's edits in the
// calculator and on the wizard's last page, and a picture of each for a reviewer.
#include "UiTest.h"

#include "basControls.h"
#include "basNumberText.h"
#include "clsCalculate.h"
#include "clsMoneyBreakdown.h"
#include "clsPostage.h"
#include "clsPriceSearch.h"
#include "clsPrices.h"
#include "clsTodaySchedule.h"
#include "ctlCalculator.h"
#include "ctlFeeSchedule.h"
#include "ctlNumericText.h"
#include "ctlOutlay.h"
#include "ctlPostage.h"
#include "ctlProfitChart.h"
#include "ctlSellingCosts.h"
#include "ctlToday.h"
#include "ctlWizard.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QTest>
#include <QValueAxis>

#include <memory>

namespace {

QString Money(float fAmount) {
    return MoneyText(fAmount);
}

class ProfitChartTest : public clsUiTest {
protected:
    void SetUp() override {
        clsUiTest::SetUp();
        Doc().Clear();
        Doc().SetDirty(false);
    }
    void TearDown() override {
        m_ctlCalculator.reset();
        m_ctlWizard.reset();
        Doc().Clear();
        Doc().SetDirty(false);
        clsUiTest::TearDown();
    }
    static clsCalculate& Doc() { return GetWorkingDoc(); }

    ctlProfitChart& StartCalculator() {
        m_ctlCalculator = ShowCalculator(120);
        return *m_ctlCalculator->ProfitChart();
    }

    ctlNumericText* Field(const char* sName) const {
        return m_ctlCalculator->Outlay()->ControlAs<ctlNumericText>(sName);
    }

    static QList<QPointF> Points(ctlProfitChart& oChart, const QString& sName) {
        for (QAbstractSeries* oSeries : oChart.chvProfit->chart()->series())
            if (auto* oXY = qobject_cast<QXYSeries*>(oSeries); oXY && oXY->objectName() == sName)
                return oXY->points();
        ADD_FAILURE() << "no series " << sName.toStdString();
        return {};
    }

    static QString Key(ctlProfitChart& oChart, const QString& sName) {
        const auto* o = oChart.findChild<QLabel*>(sName);
        return o ? o->text() : QStringLiteral("<none>");
    }

    // Everything the chart shows agrees with the auction as calculated now.
    static void ExpectShows(ctlProfitChart& oChart, clsCalculate& oDoc) {
        oDoc.DoCalc();
        const clsProfitCurve& oCurve = oChart.Curve();
        EXPECT_FLOAT_EQ(oCurve.m_fEstimate, oDoc.m_oOutlay.m_fEstimatedEndPrice);
        EXPECT_FLOAT_EQ(oCurve.m_fEstimateProfit, oDoc.m_fProfit);
        EXPECT_EQ(oCurve.m_ofBreakEven, clsPriceSearch(oDoc).BreakEvenPrice());

        const QList<QPointF> aoEstimate = Points(oChart, QStringLiteral("serEstimate"));
        ASSERT_EQ(aoEstimate.size(), 1);
        EXPECT_FLOAT_EQ(float(aoEstimate[0].x()), oDoc.m_oOutlay.m_fEstimatedEndPrice);
        EXPECT_FLOAT_EQ(float(aoEstimate[0].y()), oDoc.m_fProfit);
        const QList<QPointF> aoBreakEven = Points(oChart, QStringLiteral("serBreakEven"));
        ASSERT_EQ(aoBreakEven.size(), oCurve.m_ofBreakEven ? 1 : 0);
        if (oCurve.m_ofBreakEven) {
            EXPECT_FLOAT_EQ(float(aoBreakEven[0].x()), *oCurve.m_ofBreakEven);
        }
        EXPECT_EQ(Points(oChart, QStringLiteral("serProfit")).size(),
                  qsizetype(oCurve.m_aoPoints.size()));

        const clsMoneyBreakdown o = clsMoneyBreakdown::Of(oDoc);
        EXPECT_EQ(Key(oChart, "lblOutlayAmount"), Money(o.m_fOutlay));
        EXPECT_EQ(Key(oChart, "lblFeesAmount"), Money(o.m_fSaleFees));
        EXPECT_EQ(Key(oChart, "lblUpgradesAmount"), Money(o.m_fUpgrades));
        EXPECT_EQ(Key(oChart, "lblPayPalAmount"), Money(o.m_fPayPal));
        EXPECT_EQ(Key(oChart, "lblPostageAmount"), Money(o.m_fPostage));
        EXPECT_EQ(Key(oChart, "lblBuyerProtectionAmount"), Money(o.m_fBuyerProtection));
        EXPECT_EQ(Key(oChart, "lblSalesTaxAmount"), Money(o.m_fSalesTax));
        EXPECT_EQ(Key(oChart, "lblProfitAmount"), Money(o.m_fProfit));
        // The key holds the parts the schedule has, and only those.
        const struct {
            const char* sName;
            clsMoneyBreakdown::Part ePart;
        } aoRows[] = {{"Upgrades", clsMoneyBreakdown::Part::Upgrades},
                      {"PayPal", clsMoneyBreakdown::Part::PayPal},
                      {"BuyerProtection", clsMoneyBreakdown::Part::BuyerProtection},
                      {"SalesTax", clsMoneyBreakdown::Part::SalesTax}};
        for (const auto& oRow : aoRows)
            for (const char* sPiece : {"Swatch", "Name", "Amount"}) {
                const QString sLabel = QStringLiteral("lbl%1%2").arg(oRow.sName, sPiece);
                const auto* oLabel = oChart.findChild<QLabel*>(sLabel);
                ASSERT_TRUE(oLabel) << sLabel.toStdString();
                EXPECT_EQ(oLabel->isVisible(), o.Has(oRow.ePart)) << sLabel.toStdString();
            }
        EXPECT_EQ(Key(oChart, "lblProfitName"), o.IsLoss() ? "Loss" : "Profit");
        EXPECT_EQ(Key(oChart, "lblBuyersPayAmount"), Money(o.m_fBuyersPay));
        EXPECT_EQ(oChart.chvProfit->accessibleDescription(), oChart.ProfitSummary());
        EXPECT_EQ(oChart.chvBreakdown->accessibleDescription(), oChart.BreakdownSummary());
    }

    std::unique_ptr<ctlCalculator> m_ctlCalculator;
    std::unique_ptr<ctlWizard> m_ctlWizard;
};

TEST_F(ProfitChartTest, TheCalculatorsChartFollowsEveryEdit) {
    SetUpThreeLamps(Doc());
    ctlProfitChart& oChart = StartCalculator();
    EXPECT_TRUE(oChart.isVisible());
    ExpectShows(oChart, Doc());
    // The break-even price agrees with the selling costs' figure.
    ASSERT_TRUE(oChart.Curve().m_ofBreakEven);
    EXPECT_EQ(Money(*oChart.Curve().m_ofBreakEven),
              m_ctlCalculator->SellingCosts()->Label("lblBreakEvenTotal")->text());
    EXPECT_EQ(oChart.ProfitSummary(),
              "Profit " + Money(Doc().m_fProfit) + " at an end price of £100.00; break-even at " +
                  Money(*oChart.Curve().m_ofBreakEven) + "; drawn from £0.00 to £150.00.");
    auto* axsPrice =
        qobject_cast<QCategoryAxis*>(oChart.chvProfit->chart()->axes(Qt::Horizontal).value(0));
    ASSERT_TRUE(axsPrice);
    EXPECT_EQ(axsPrice->categoriesLabels(), QStringList({"£0", "£50", "£100", "£150"}));

    const int32_t lDrawings = oChart.Drawings();
    TypeInto(Field("txtEstimatedEndPrice"), QStringLiteral("80"));
    EXPECT_GT(oChart.Drawings(), lDrawings);
    EXPECT_FLOAT_EQ(oChart.Curve().m_fEstimate, 80);
    ExpectShows(oChart, Doc());

    // An outlay the sale cannot cover: the bar shows a loss.
    TypeInto(Field("txtOutlay"), QStringLiteral("400"));
    ExpectShows(oChart, Doc());
    EXPECT_EQ(Key(oChart, "lblProfitName"), "Loss");
    EXPECT_TRUE(oChart.Breakdown().IsLoss());
    EXPECT_LT(oChart.Curve().m_fEstimateProfit, 0);
    EXPECT_GT(*oChart.Curve().m_ofBreakEven, 80) << "the stretch reaches the break-even price";
    EXPECT_GE(oChart.Curve().m_fTo, *oChart.Curve().m_ofBreakEven);
}

TEST_F(ProfitChartTest, NoBreakEvenPriceIsSaidNotDrawn) {
    SetUpThreeLamps(Doc());
    Doc().m_oOutlay.m_fOutlay = 5000000;
    ctlProfitChart& oChart = StartCalculator();
    ExpectShows(oChart, Doc());
    EXPECT_FALSE(oChart.Curve().m_ofBreakEven);
    EXPECT_TRUE(oChart.ProfitSummary().contains("no end price breaks even"));
}

TEST_F(ProfitChartTest, PointingAtTheCurveTellsTheProfitThere) {
    SetUpThreeLamps(Doc());
    ctlProfitChart& oChart = StartCalculator();
    clsCalculate oAt;
    oAt.Copy(Doc());
    oAt.m_oOutlay.m_fEstimatedEndPrice = 62.5f;
    oAt.DoCalc();
    EXPECT_EQ(oChart.PointText(62.504f), "£62.50: profit " + Money(oAt.m_fProfit));

    // A pointer over the plot shows it as a tool tip; outside the plot nothing happens.
    QChart* oPlot = oChart.chvProfit->chart();
    const QPointF ptValue(62.5, 0);
    const QPoint ptView = oChart.chvProfit->mapFromScene(
        oPlot->mapToScene(oPlot->mapToPosition(ptValue, oPlot->series().value(0))));
    QTest::mouseMove(oChart.chvProfit->viewport(), ptView);
    QTest::mouseMove(oChart.chvProfit->viewport(), QPoint(1, 1));
}

// Under today's fees the bar holds the parts that exist today, and the buyers pay what the
// Today panel says: for a UK private sale the item, the postage and the buyer protection fee.
TEST_F(ProfitChartTest, UnderTodaysFeesTheBarHoldsTodaysPartsAndTheBuyersPrice) {
    Doc().m_oOutlay.m_fOutlay = 12;
    Doc().m_oOutlay.m_fEstimatedEndPrice = 20;
    Doc().m_oOutlay.m_lQuantity = 1;
    Doc().m_oPostage.m_bUse = true;
    Doc().m_oPostage.m_eClass = PostageClass::Manual;
    Doc().m_oPostage.m_fManualFee = 3.2f;
    ctlProfitChart& oChart = StartCalculator();
    ExpectShows(oChart, Doc());
    EXPECT_TRUE(oChart.BreakdownSummary().contains("PayPal"));

    auto* optToday = m_ctlCalculator->ScheduleChoice()->findChild<QWidget*>("optScheduleToday");
    ASSERT_TRUE(optToday);
    Click(optToday);
    ASSERT_EQ(GetFeeSchedule(), FeeSchedule::Today);
    auto BuyerPays = [&] {
        return m_ctlCalculator->Today()->ControlAs<QLabel>("lblBuyerPaysAmount")->text();
    };
    ExpectShows(oChart, Doc());
    EXPECT_EQ(Key(oChart, "lblBuyersPayAmount"), "£24.70");
    EXPECT_EQ(Key(oChart, "lblBuyersPayAmount"), BuyerPays());
    EXPECT_EQ(Key(oChart, "lblBuyerProtectionAmount"), "£1.50");
    EXPECT_EQ(oChart.BreakdownSummary(),
              "Buyers pay £24.70: Outlay £12.00, Fees £0.00, Postage £3.20, Buyer Protection "
              "£1.50, Profit £8.00.");

    // A business seller's buyer pays no protection fee; the fees take their place.
    auto* cboAccount = m_ctlCalculator->Today()->ControlAs<QComboBox>("cboAccount");
    const int lBusiness = cboAccount->findData(QStringLiteral("business"));
    ASSERT_GE(lBusiness, 0);
    cboAccount->setCurrentIndex(lBusiness);
    emit cboAccount->activated(lBusiness);
    ExpectShows(oChart, Doc());
    EXPECT_FALSE(oChart.findChild<QLabel*>("lblBuyerProtectionName")->isVisible());
    EXPECT_EQ(Key(oChart, "lblBuyersPayAmount"), "£23.20");
    EXPECT_EQ(Key(oChart, "lblBuyersPayAmount"), BuyerPays());
    EXPECT_NE(Key(oChart, "lblFeesAmount"), "£0.00");

    // Back to 2008: its parts return, as they were.
    Click(m_ctlCalculator->ScheduleChoice()->findChild<QWidget*>("optSchedule2008"));
    ASSERT_EQ(GetFeeSchedule(), FeeSchedule::Y2008);
    ExpectShows(oChart, Doc());
    EXPECT_TRUE(oChart.BreakdownSummary().contains("PayPal"));
    EXPECT_TRUE(ShownMessages().empty());
}

// Hidden on the wizard's first pages, the chart draws nothing until its page shows; then it
// stands beside the postage panel and follows the edits made there.
TEST_F(ProfitChartTest, TheWizardShowsTheChartOnItsLastPage) {
    Doc().m_oOutlay.m_lQuantity = 1;
    m_ctlWizard = std::make_unique<ctlWizard>();
    m_ctlWizard->resize(820, 700);
    ShowWindow(m_ctlWizard.get());
    QTest::mouseClick(m_ctlWizard->imgNext, Qt::LeftButton); // outlay
    TypeInto(m_ctlWizard->ctlOutlaySection->ControlAs<ctlNumericText>("txtOutlay"), "12");
    TypeInto(m_ctlWizard->ctlOutlaySection->ControlAs<ctlNumericText>("txtEstimatedEndPrice"),
             "30");
    EXPECT_EQ(m_ctlWizard->ctlProfitChart1, nullptr)
        << "a chart not yet shown costs neither the start nor the edits anything";

    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(m_ctlWizard->imgNext, Qt::LeftButton);
    ASSERT_TRUE(m_ctlWizard->CurrentPage().m_bLast);
    ASSERT_NE(m_ctlWizard->ctlProfitChart1, nullptr);
    ctlProfitChart& oChart = *m_ctlWizard->ctlProfitChart1;
    ASSERT_TRUE(oChart.isVisible());
    EXPECT_EQ(oChart.Drawings(), 1);
    ExpectShows(oChart, Doc());
    QWidget* oFrame = m_ctlWizard->fraPages[4];
    EXPECT_GT(oChart.x(), oFrame->geometry().right()) << "beside the postage panel";
    EXPECT_LE(oChart.geometry().bottom(), m_ctlWizard->fraViewPort->height());

    QWidget* chkUse = m_ctlWizard->ctlPostageSection->Control("chkUsePostage");
    ASSERT_TRUE(chkUse);
    Click(chkUse);
    EXPECT_EQ(oChart.Drawings(), 2);
    ExpectShows(oChart, Doc());

    QTest::mouseClick(m_ctlWizard->imgBack, Qt::LeftButton);
    EXPECT_FALSE(oChart.isVisible());
}

// Pictures for a reviewer; the profit line is really drawn in the total colour.
TEST_F(ProfitChartTest, Pictures) {
    SetUpThreeLamps(Doc());
    ctlProfitChart& oChart = StartCalculator();
    ASSERT_TRUE(QDir().mkpath(GAVELRY_SCREENSHOT_DIR));
    const QImage oPlot = oChart.chvProfit->grab().toImage();
    int32_t lLine = 0;
    for (int y = 0; y < oPlot.height(); ++y)
        for (int x = 0; x < oPlot.width(); ++x)
            if (oPlot.pixelColor(x, y) == QColor(0xC0, 0xFF, 0xC0)) ++lLine;
    EXPECT_GT(lLine, 100) << "the profit line is drawn";
    EXPECT_TRUE(oChart.grab().save(GAVELRY_SCREENSHOT_DIR "/profit-chart.png"));

    m_ctlCalculator.reset();
    m_ctlWizard = std::make_unique<ctlWizard>();
    m_ctlWizard->resize(820, 700);
    ShowWindow(m_ctlWizard.get());
    m_ctlWizard->ShowPage(ctlWizard::PageCount - 1);
    QTest::qWait(200); // the charts lay out their new labels
    EXPECT_TRUE(m_ctlWizard->grab().save(GAVELRY_SCREENSHOT_DIR "/wizard-last-page.png"));
}

// Price marks have room for about six characters: larger prices are marked in thousands. The
// bar shows shares of the money laid out, so its axis stays put from one edit to the next.
TEST_F(ProfitChartTest, LargePricesAreMarkedInThousandsAndTheBarInShares) {
    SetUpThreeLamps(Doc());
    Doc().m_oOutlay.m_fEstimatedEndPrice = 10000;
    ctlProfitChart& oChart = StartCalculator();
    ExpectShows(oChart, Doc());
    auto* axsPrice =
        qobject_cast<QCategoryAxis*>(oChart.chvProfit->chart()->axes(Qt::Horizontal).value(0));
    ASSERT_TRUE(axsPrice);
    EXPECT_EQ(axsPrice->categoriesLabels(), QStringList({"£0", "£5,000", "£10k", "£15k"}));
    auto* axsProfit =
        qobject_cast<QCategoryAxis*>(oChart.chvProfit->chart()->axes(Qt::Vertical).value(0));
    ASSERT_TRUE(axsProfit);
    EXPECT_TRUE(axsProfit->categoriesLabels().contains("£10,000"));

    auto* axsMoney =
        qobject_cast<QValueAxis*>(oChart.chvBreakdown->chart()->axes(Qt::Vertical).value(0));
    ASSERT_TRUE(axsMoney);
    EXPECT_EQ(axsMoney->min(), 0.0);
    EXPECT_EQ(axsMoney->max(), 1.0);
    TypeInto(Field("txtEstimatedEndPrice"), QStringLiteral("20"));
    ASSERT_TRUE(oChart.Breakdown().IsLoss());
    ExpectShows(oChart, Doc());
    EXPECT_LT(axsMoney->min(), 0.0) << "room below the line for the loss";
    EXPECT_GE(axsMoney->min(), -1.0);
    EXPECT_EQ(axsMoney->max(), 1.0);
}

} // namespace
