#include "ctlSellingCosts.h"

#include "basControls.h"
#include "basSettings.h"
#include "clsCalculate.h"
#include "clsError.h"
#include "clsPrices.h"
#include "clsSellingCostFigures.h"

#include <QApplication>
#include <QLabel>
#include <QShowEvent>

namespace {

struct clsFigure {
    const char* m_sCaptionName;
    const char* m_sCaption;
    const char* m_sTotalName;
};

const clsFigure kFigures[] = {
    {"lblInsertionFeeLabel", "Insertion Fee", "lblInsertionFeeTotal"},
    {"lblReserveFeeLabel", "Reserve Fee", "lblReserveFeeTotal"},
    {"lblFinalValueFeeLabel", "Final Value Fee", "lblFinalValueFeeTotal"},
    {"lblListingCostLabel", "Total Listing Fee", "lblListingCostTotal"},
    {"lblSellingCostLabel", "Selling Cost", "lblSellingCostTotal"},
    {"lblPostageLabel", "Postage & Packing", "lblPostageTotal"},
    {"lblPayPalLabel", "PayPal Fee", "lblPayPalTotal"},
    {"lblProfitLabel", "Profit", "lblProfitGrandTotal"},
};

// Rows are those of the section panels; the profit stands out in a larger, bold face.
constexpr int32_t kRowHeight = 255;
constexpr int32_t kProfitHeight = 375;

QString Money(float fAmount) {
    return QString::fromStdString(FormatCurrency(fAmount));
}

} // namespace

ctlSellingCosts::ctlSellingCosts(QWidget* oParent) : QWidget(oParent) {
    QPalette oPalette = palette();
    const QPalette oSystem = QApplication::palette();
    oPalette.setColor(QPalette::Window, oSystem.color(QPalette::WindowText));
    oPalette.setColor(QPalette::WindowText, oSystem.color(QPalette::Window));
    setPalette(oPalette);
    setAutoFillBackground(true);
    QFont oFont = font();
    oFont.setPointSizeF(8);
    setFont(oFont);

    for (const clsFigure& oFigure : kFigures) {
        const QString sCaption = tr(oFigure.m_sCaption);
        AddLabel(oFigure.m_sCaptionName, sCaption);
        QLabel* oTotal = AddLabel(oFigure.m_sTotalName, Money(0));
        // A screen reader reads the figure under the caption beside it.
        oTotal->setAccessibleName(sCaption);
    }
    QLabel* lblProfitGrandTotal = Label(QStringLiteral("lblProfitGrandTotal"));
    QFont oProfitFont = font();
    oProfitFont.setPointSizeF(10);
    oProfitFont.setBold(true);
    lblProfitGrandTotal->setFont(oProfitFont);
    Arrange();
}

QLabel* ctlSellingCosts::AddLabel(const char* sName, const QString& sCaption) {
    auto* oLabel = new QLabel(sCaption, this);
    oLabel->setObjectName(QLatin1String(sName));
    oLabel->setAccessibleDescription(oLabel->objectName());
    oLabel->setTextFormat(Qt::PlainText);
    return oLabel;
}

QLabel* ctlSellingCosts::Label(const QString& sName) const {
    return findChild<QLabel*>(sName, Qt::FindDirectChildrenOnly);
}

void ctlSellingCosts::Place(const char* sName, int32_t lLeft, int32_t lTop, int32_t lWidth,
                            int32_t lHeight) {
    QLabel* oLabel = Label(QLatin1String(sName));
    SetControlGeometry(oLabel, lLeft, lTop, lWidth, lHeight);
    // Figures line up on their right edge; the profit carries its percentage after it.
    const bool bFigure = oLabel->objectName().endsWith(QLatin1String("Total"));
    const bool bProfitOnRow = m_lMode == 0 && oLabel->objectName().contains("GrandTotal");
    oLabel->setAlignment(Qt::AlignVCenter |
                         (bFigure && !bProfitOnRow ? Qt::AlignRight : Qt::AlignLeft));
}

void ctlSellingCosts::Mode(int32_t lMode) {
    m_lMode = lMode;
    Arrange();
}

void ctlSellingCosts::Arrange() {
    // Every label is placed absolutely in both layouts, so switching back and forth never
    // drifts.
    if (m_lMode == 0) {
        const int32_t alRow[] = {0, 320, 640};
        Place("lblInsertionFeeLabel", 0, alRow[0], 1440, kRowHeight);
        Place("lblInsertionFeeTotal", 1440, alRow[0], 1320, kRowHeight);
        Place("lblListingCostLabel", 0, alRow[1], 1440, kRowHeight);
        Place("lblListingCostTotal", 1440, alRow[1], 1320, kRowHeight);
        Place("lblReserveFeeLabel", 0, alRow[2], 1440, kRowHeight);
        Place("lblReserveFeeTotal", 1440, alRow[2], 1320, kRowHeight);

        Place("lblSellingCostLabel", 3120, alRow[0], 1800, kRowHeight);
        Place("lblSellingCostTotal", 4920, alRow[0], 1440, kRowHeight);
        Place("lblPostageLabel", 3120, alRow[1], 1800, kRowHeight);
        Place("lblPostageTotal", 4920, alRow[1], 1440, kRowHeight);
        Place("lblPayPalLabel", 3120, alRow[2], 1800, kRowHeight);
        Place("lblPayPalTotal", 4920, alRow[2], 1440, kRowHeight);

        Place("lblProfitGrandTotal", 7440, alRow[0], 2340, kProfitHeight);
        Place("lblProfitLabel", 6840, alRow[0] + (kProfitHeight - kRowHeight) / 2, 600, kRowHeight);
        Place("lblFinalValueFeeLabel", 6840, alRow[2], 1500, kRowHeight);
        Place("lblFinalValueFeeTotal", 8340, alRow[2], 1440, kRowHeight);
        SetControlGeometry(this, ControlLeft(this), ControlTop(this), 9780, 960);
    } else {
        constexpr int32_t lPitch = 260;
        const char* const asOrder[][2] = {
            {"lblInsertionFeeLabel", "lblInsertionFeeTotal"},
            {"lblListingCostLabel", "lblListingCostTotal"},
            {"lblReserveFeeLabel", "lblReserveFeeTotal"},
            {"lblFinalValueFeeLabel", "lblFinalValueFeeTotal"},
            {"lblSellingCostLabel", "lblSellingCostTotal"},
            {"lblPostageLabel", "lblPostageTotal"},
            {"lblPayPalLabel", "lblPayPalTotal"},
        };
        int32_t lTop = 0;
        for (const auto& asPair : asOrder) {
            Place(asPair[0], 0, lTop, 1900, kRowHeight);
            Place(asPair[1], 1900, lTop, 2480, kRowHeight);
            lTop += lPitch;
        }
        constexpr int32_t lProfitHeight = 310;
        Place("lblProfitGrandTotal", 1900, lTop, 2480, lProfitHeight);
        Place("lblProfitLabel", 0, lTop + (lProfitHeight - kRowHeight) / 2, 1900, kRowHeight);
        SetControlGeometry(this, ControlLeft(this), ControlTop(this), 4380, 2130);
    }
}

void ctlSellingCosts::ApplySellingCosts(clsCalculate& oSellingCosts) {
    // All figures are worked out before any is shown: a failing upgrade calculation leaves
    // the previous figures together rather than half of each.
    const clsSellingCostFigures oFigures(oSellingCosts);
    Label("lblProfitGrandTotal")->setText(QString::fromStdString(oFigures.ProfitText()));
    Label("lblSellingCostTotal")->setText(Money(oFigures.m_fSellingCost));
    Label("lblPostageTotal")->setText(Money(oFigures.m_fPostage));
    Label("lblListingCostTotal")->setText(Money(oFigures.m_fTotalListingFee));
    Label("lblInsertionFeeTotal")->setText(Money(oFigures.m_fInsertionFee));
    Label("lblReserveFeeTotal")->setText(Money(oFigures.m_fReserveFee));
    Label("lblFinalValueFeeTotal")->setText(Money(oFigures.m_fFinalValueFee));
    Label("lblPayPalTotal")->setText(Money(oFigures.m_fPayPalFee));
}

void ctlSellingCosts::ApplyColours() {
    // A colour setting that is not a number leaves the panel colours.
    auto Colour = [](int32_t (*fnGet)(), QColor& oColour) {
        try {
            oColour = ColourFromValue(fnGet());
            return true;
        } catch (const clsError&) {
            return false;
        }
    };
    QColor oTotal, oSubtotal;
    const bool bTotal = Colour(&GetTotalColour, oTotal);
    const bool bSubtotal = Colour(&GetSubtotalColour, oSubtotal);
    for (QLabel* oLabel : findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        ColourControl(oLabel);
        const QString sName = oLabel->objectName();
        QColor oFore;
        if (sName.contains(QLatin1String("GrandTotal"))) {
            if (!bTotal) continue;
            oFore = oTotal;
        } else if (sName.contains(QLatin1String("Total"))) {
            if (!bSubtotal) continue;
            oFore = oSubtotal;
        } else {
            continue;
        }
        QPalette oPalette = oLabel->palette();
        for (auto eGroup : {QPalette::Active, QPalette::Inactive})
            oPalette.setColor(eGroup, QPalette::WindowText, oFore);
        oLabel->setPalette(oPalette);
    }
}

void ctlSellingCosts::showEvent(QShowEvent* oEvent) {
    QWidget::showEvent(oEvent);
    if (!oEvent->spontaneous()) ApplyColours();
}
