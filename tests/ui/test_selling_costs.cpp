#include "UiTest.h"

#include "basControls.h"
#include "basNumberText.h"
#include "clsCalculate.h"
#include "clsPrices.h"
#include "ctlSellingCosts.h"

#include <QAccessible>
#include <QLabel>

#include <map>
#include <memory>
#include <set>

namespace {

const char* const kTotals[] = {
    "lblInsertionFeeTotal", "lblReserveFeeTotal", "lblFinalValueFeeTotal", "lblListingCostTotal",
    "lblSellingCostTotal",  "lblPostageTotal",    "lblPayPalTotal",        "lblProfitGrandTotal"};

QRect TwipsRect(const QWidget* o) {
    return QRect(ControlLeft(o), ControlTop(o), ControlWidth(o), ControlHeight(o));
}

class SellingCostsTest : public clsUiTest {
protected:
    void SetUp() override {
        clsUiTest::SetUp();
        m_ctlCosts = std::make_unique<ctlSellingCosts>();
        // A calculated auction: the upgrades need a kind of sale and an outlay once.
        m_oAuction.m_oOutlay.m_fStartingPrice = 10;
        m_oAuction.m_oOutlay.m_fEstimatedEndPrice = 40;
        m_oAuction.m_oOutlay.m_lQuantity = 1;
        m_oAuction.DoCalc();
    }
    void TearDown() override {
        m_ctlCosts.reset();
        clsUiTest::TearDown();
    }
    QString ProfitShown(float fProfit, float fSellCost) {
        m_oAuction.m_fProfit = fProfit;
        m_oAuction.m_fSellCost = fSellCost;
        m_ctlCosts->ApplySellingCosts(m_oAuction);
        return Text("lblProfitGrandTotal");
    }
    QString Text(const char* sName) const { return m_ctlCosts->Label(sName)->text(); }
    // Every label lies inside the panel, shows its whole text and overlaps no other.
    void ExpectTidy() const {
        const auto aoLabels = m_ctlCosts->findChildren<QLabel*>();
        ASSERT_EQ(aoLabels.size(), 22);
        const QRect oPanel(0, 0, ControlWidth(m_ctlCosts.get()), ControlHeight(m_ctlCosts.get()));
        for (QLabel* a : aoLabels) {
            const std::string sName = a->objectName().toStdString();
            EXPECT_TRUE(oPanel.contains(TwipsRect(a))) << sName;
            EXPECT_LE(a->sizeHint().width(), a->width()) << sName << " clips its text";
            EXPECT_LE(a->sizeHint().height(), a->height() + 2) << sName;
            for (QLabel* b : aoLabels) {
                if (a == b) continue;
                EXPECT_FALSE(TwipsRect(a).intersects(TwipsRect(b)))
                    << sName << " overlaps " << b->objectName().toStdString();
            }
        }
    }

    clsCalculate m_oAuction;
    std::unique_ptr<ctlSellingCosts> m_ctlCosts;
};

TEST_F(SellingCostsTest, ProfitCarriesItsWholePercentageOnlyWhenBothFiguresArePositive) {
    EXPECT_EQ(ProfitShown(12.5f, 50), "£12.50 (25%)");
    EXPECT_EQ(ProfitShown(10, 30), "£10.00 (33%)") << "truncated, not rounded";
    EXPECT_EQ(ProfitShown(20, 30), "£20.00 (66%)");
    EXPECT_EQ(ProfitShown(0.5f, 300), "£0.50 (0%)");
    EXPECT_EQ(ProfitShown(250, 2), "£250.00 (12500%)");
    // A loss, nothing made, or nothing spent: the money text alone.
    EXPECT_EQ(ProfitShown(-4.5f, 20), "-£4.50");
    EXPECT_FALSE(Text("lblProfitGrandTotal").contains('%'));
    EXPECT_EQ(ProfitShown(0, 20), "£0.00");
    EXPECT_EQ(ProfitShown(5, 0), "£5.00");
}

TEST_F(SellingCostsTest, ThreeRowsAndOneColumnAreTidyAndSwitchBackExactly) {
    for (const char* sName : kTotals)
        EXPECT_EQ(Text(sName), "£0.00") << sName << " before the first calculation";
    // The widest texts a seller meets.
    m_oAuction.m_fProfit = 12345.67f;
    m_oAuction.m_fSellCost = 99.99f;
    m_oAuction.m_fPostageCost = 1234.56f;
    m_ctlCosts->ApplySellingCosts(m_oAuction);
    ShowWindow(m_ctlCosts.get());

    EXPECT_EQ(m_ctlCosts->Mode(), 0);
    EXPECT_EQ(TwipsRect(m_ctlCosts.get()).size(), QSize(9780, 1245));
    std::set<int32_t> alTops;
    for (QLabel* o : m_ctlCosts->findChildren<QLabel*>())
        if (!o->objectName().startsWith("lblProfit") && o->objectName() != "lblQuantityNote")
            alTops.insert(ControlTop(o));
    EXPECT_EQ(alTops.size(), 4u) << "three rows of figures and one of prices";
    ExpectTidy();
    std::map<QString, QRect> oRows;
    for (QLabel* o : m_ctlCosts->findChildren<QLabel*>())
        oRows[o->objectName()] = TwipsRect(o);
    EXPECT_EQ(ControlLeft(m_ctlCosts->Label("lblSellingCostTotal")), 4920);
    EXPECT_EQ(ControlLeft(m_ctlCosts->Label("lblProfitGrandTotal")), 7380);

    m_ctlCosts->Mode(1);
    EXPECT_EQ(TwipsRect(m_ctlCosts.get()).size(), QSize(4380, 3275)) << "with room for the note";
    std::set<int32_t> alLefts;
    alTops.clear();
    for (QLabel* o : m_ctlCosts->findChildren<QLabel*>()) {
        if (!o->objectName().endsWith("Label")) continue;
        alLefts.insert(ControlLeft(o));
        alTops.insert(ControlTop(o));
    }
    EXPECT_EQ(alLefts.size(), 1u) << "one column";
    EXPECT_EQ(alTops.size(), 11u);
    ExpectTidy();
    // The profit caption sits level with the middle of its larger figure.
    QLabel* lblProfitLabel = m_ctlCosts->Label("lblProfitLabel");
    QLabel* lblProfitGrandTotal = m_ctlCosts->Label("lblProfitGrandTotal");
    EXPECT_NEAR(lblProfitLabel->geometry().center().y(),
                lblProfitGrandTotal->geometry().center().y(), 1);

    m_ctlCosts->setProperty("Mode", 0);
    for (QLabel* o : m_ctlCosts->findChildren<QLabel*>())
        EXPECT_EQ(TwipsRect(o), oRows[o->objectName()]) << o->objectName().toStdString();
}

TEST_F(SellingCostsTest, FiguresTakeTheTotalColoursAndAreReadByName) {
    SetUserSetting("Config", "TotalColour", "255"); // red
    ShowWindow(m_ctlCosts.get());
    auto Fore = [this](const char* sName) {
        return m_ctlCosts->Label(sName)->palette().color(QPalette::Active, QPalette::WindowText);
    };
    const QColor oPanelText = m_ctlCosts->palette().color(QPalette::WindowText);
    EXPECT_EQ(Fore("lblProfitGrandTotal"), QColor(255, 0, 0));
    EXPECT_EQ(Fore("lblPayPalTotal"), QColor(255, 128, 0)) << "default subtotal colour";
    EXPECT_EQ(Fore("lblInsertionFeeTotal"), QColor(255, 128, 0));
    EXPECT_EQ(Fore("lblProfitLabel"), oPanelText);
    EXPECT_EQ(Fore("lblPayPalLabel"), oPanelText);

    // A colour setting that is not a number leaves the panel colour, at the next showing.
    SetUserSetting("Config", "SubtotalColour", "orange");
    m_ctlCosts->hide();
    m_ctlCosts->show();
    EXPECT_EQ(Fore("lblPayPalTotal"), oPanelText);
    EXPECT_EQ(Fore("lblProfitGrandTotal"), QColor(255, 0, 0));

    const std::pair<const char*, const char*> aoRead[] = {
        {"lblInsertionFeeTotal", "Insertion Fee"},
        {"lblReserveFeeTotal", "Reserve Fee"},
        {"lblFinalValueFeeTotal", "Final Value Fee"},
        {"lblListingCostTotal", "Total Listing Fee"},
        {"lblSellingCostTotal", "Selling Cost"},
        {"lblPostageTotal", "Postage & Packing"},
        {"lblPayPalTotal", "PayPal Fee"},
        {"lblProfitGrandTotal", "Profit"}};
    for (const auto& [sName, sCaption] : aoRead) {
        QAccessibleInterface* oAccessible =
            QAccessible::queryAccessibleInterface(m_ctlCosts->Label(sName));
        ASSERT_NE(oAccessible, nullptr) << sName;
        // The caption with the figure: "Insertion Fee: £0.00".
        EXPECT_EQ(oAccessible->text(QAccessible::Name),
                  QString::fromUtf8(sCaption) + ": " + m_ctlCosts->Label(sName)->text());
        EXPECT_EQ(oAccessible->text(QAccessible::Description), sName);
    }
}

TEST_F(SellingCostsTest, ALossReadsMinusBeforeTheSymbolInALossColourOfItsOwn) {
    ShowWindow(m_ctlCosts.get());
    auto Fore = [this] {
        return m_ctlCosts->Label("lblProfitGrandTotal")
            ->palette()
            .color(QPalette::Active, QPalette::WindowText);
    };
    EXPECT_EQ(ProfitShown(12.5f, 50), "£12.50 (25%)");
    const QColor oProfit = Fore();
    const QColor oLoss = LossColour(m_ctlCosts->palette().color(QPalette::Window));
    ASSERT_NE(oLoss, oProfit);
    EXPECT_EQ(ProfitShown(-17.4f, 20), "-£17.40");
    EXPECT_EQ(Fore(), oLoss);
    m_ctlCosts->hide();
    m_ctlCosts->show();
    EXPECT_EQ(Fore(), oLoss) << "shown again, still a loss";
    EXPECT_EQ(ProfitShown(-1234.5f, 20), "-£1,234.50");
    EXPECT_EQ(ProfitShown(-0.001f, 20), "£0.00") << "nothing lost to the penny";
    EXPECT_EQ(Fore(), oProfit);
    EXPECT_EQ(ProfitShown(-17.4f, 20), "-£17.40");
    EXPECT_EQ(ProfitShown(3, 20), "£3.00 (15%)");
    EXPECT_EQ(Fore(), oProfit);
}

TEST_F(SellingCostsTest, AQuantityOfNoneSaysWhyNothingIsCharged) {
    ShowWindow(m_ctlCosts.get());
    QLabel* lblQuantityNote = m_ctlCosts->Label("lblQuantityNote");
    m_ctlCosts->ApplySellingCosts(m_oAuction);
    EXPECT_FALSE(lblQuantityNote->isVisible());
    m_oAuction.m_oOutlay.m_lQuantity = 0;
    m_oAuction.DoCalc();
    m_ctlCosts->ApplySellingCosts(m_oAuction);
    EXPECT_TRUE(lblQuantityNote->isVisible());
    EXPECT_EQ(lblQuantityNote->text(), "Quantity 0: no item is sold");
    EXPECT_EQ(Text("lblFinalValueFeeTotal"), "£0.00");
    m_ctlCosts->Mode(1);
    ExpectTidy();
    m_oAuction.m_oOutlay.m_lQuantity = 2;
    m_oAuction.DoCalc();
    m_ctlCosts->ApplySellingCosts(m_oAuction);
    EXPECT_FALSE(lblQuantityNote->isVisible());
}

} // namespace
