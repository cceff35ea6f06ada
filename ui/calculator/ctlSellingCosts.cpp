#include "ctlSellingCosts.h"

#include "basControls.h"
#include "basNumberText.h"
#include "basPanelPalette.h"
#include "basSettings.h"
#include "clsCalculate.h"
#include "clsError.h"
#include "clsPriceSearch.h"
#include "clsPrices.h"
#include "clsSellingCostFigures.h"
#include "clsTodaySchedule.h"
#include "ctlNumericText.h"

#include <QApplication>
#include <QLabel>
#include <QShowEvent>

#include <cmath>

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

// Rows of fees that today's schedule does not charge.
bool Is2008Only(const char* sName) {
    const QLatin1String sRow(sName);
    return sRow.startsWith(QLatin1String("lblReserveFee")) ||
           sRow.startsWith(QLatin1String("lblPayPal"));
}

// The prices worked out from the auction, under the figures.
const clsFigure kPrices[] = {
    {"lblBreakEvenLabel", "Break-even Price", "lblBreakEvenTotal"},
    {"lblTargetPriceLabel", "Target Price", "lblTargetPriceTotal"},
};

// Kept while the program runs, so the calculator and the wizard work to the same target.
float g_fTargetProfit = 0;

// Rows are those of the section panels; the profit stands out in a larger, bold face.
constexpr int32_t kRowHeight = 255;
constexpr int32_t kProfitHeight = 375;
constexpr int32_t kFieldHeight = 285;

QString Money(float fAmount) {
    return MoneyText(fAmount);
}

QString PriceText(const std::optional<float>& oPrice) {
    return oPrice ? Money(*oPrice) : QCoreApplication::translate("ctlSellingCosts", "unreachable");
}

} // namespace

ctlSellingCosts::ctlSellingCosts(QWidget* oParent) : QWidget(oParent) {
    SetInvertedPalette(this);
    SetPanelFont(this);

    for (const clsFigure& oFigure : kFigures) {
        const QString sCaption = tr(oFigure.m_sCaption);
        AddLabel(oFigure.m_sCaptionName, sCaption);
        // A screen reader reads the figure with the caption beside it.
        SetFigureCaption(AddLabel(oFigure.m_sTotalName, Money(0)), sCaption);
    }
    QLabel* lblProfitGrandTotal = Label(QStringLiteral("lblProfitGrandTotal"));
    // A quarter larger than the user's font (10 points beside the design font of 8).
    QFont oProfitFont = font();
    if (oProfitFont.pointSizeF() > 0)
        oProfitFont.setPointSizeF(oProfitFont.pointSizeF() * 1.25);
    else
        oProfitFont.setPixelSize(int(std::lround(oProfitFont.pixelSize() * 1.25)));
    oProfitFont.setBold(true);
    lblProfitGrandTotal->setFont(oProfitFont);

    for (const clsFigure& oFigure : kPrices) {
        const QString sCaption = tr(oFigure.m_sCaption);
        AddLabel(oFigure.m_sCaptionName, sCaption);
        SetFigureCaption(AddLabel(oFigure.m_sTotalName, QString()), sCaption);
    }
    // Says why the figures are nothing while no item is sold.
    QLabel* lblQuantityNote = AddLabel("lblQuantityNote", tr("Quantity 0: no item is sold"));
    lblQuantityNote->setToolTip(tr("With a quantity of 0 no item is sold: there is no final "
                                   "value fee, no PayPal fee and no profit. Enter how many "
                                   "you sell."));
    lblQuantityNote->setAccessibleName(lblQuantityNote->text());
    lblQuantityNote->hide();
    QLabel* lblTargetProfitLabel = AddLabel("lblTargetProfitLabel", tr("&Target Profit"));
    m_txtTargetProfit = new ctlNumericText(this);
    lblTargetProfitLabel->setBuddy(m_txtTargetProfit);
    m_txtTargetProfit->setObjectName(QStringLiteral("txtTargetProfit"));
    m_txtTargetProfit->setAccessibleName(tr("Target Profit"));
    m_txtTargetProfit->setAccessibleDescription(m_txtTargetProfit->objectName());
    m_txtTargetProfit->setToolTip(tr("The profit you want; the price that makes it is shown "
                                     "as the target price"));
    m_txtTargetProfit->ShowMoney(true);
    m_txtTargetProfit->DecimalPlaces(2);
    m_txtTargetProfit->Value(g_fTargetProfit);
    SetFieldPalette(m_txtTargetProfit);
    // The target price follows the target as it is typed.
    m_txtTargetProfit->OnEdit(this, [this] { OnTargetChanged(); });
    Arrange();
}

ctlSellingCosts::~ctlSellingCosts() = default;

float ctlSellingCosts::SessionTargetProfit() {
    return g_fTargetProfit;
}

void ctlSellingCosts::SessionTargetProfit(float fProfit) {
    g_fTargetProfit = fProfit;
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

        // Room for "£12,345.67 (12346%)".
        Place("lblProfitGrandTotal", 7380, alRow[0], 2400, kProfitHeight);
        Place("lblProfitLabel", 6840, alRow[0] + (kProfitHeight - kRowHeight) / 2, 540, kRowHeight);
        Place("lblQuantityNote", 6840, kProfitHeight + 5, 2940, kRowHeight);
        Place("lblFinalValueFeeLabel", 6840, alRow[2], 1500, kRowHeight);
        Place("lblFinalValueFeeTotal", 8340, alRow[2], 1440, kRowHeight);

        // The worked-out prices make a fourth row; the captions sit level with the field.
        constexpr int32_t lPriceRow = 960 + (kFieldHeight - kRowHeight) / 2;
        Place("lblBreakEvenLabel", 0, lPriceRow, 1440, kRowHeight);
        Place("lblBreakEvenTotal", 1440, lPriceRow, 1320, kRowHeight);
        Place("lblTargetProfitLabel", 3120, lPriceRow, 1800, kRowHeight);
        SetControlGeometry(m_txtTargetProfit, 4920, 960, 1440, kFieldHeight);
        Place("lblTargetPriceLabel", 6840, lPriceRow, 1500, kRowHeight);
        Place("lblTargetPriceTotal", 8340, lPriceRow, 1440, kRowHeight);
        SetControlGeometry(this, ControlLeft(this), ControlTop(this), 9780, 960 + kFieldHeight);
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
            if (m_bToday && Is2008Only(asPair[0])) continue;
            Place(asPair[0], 0, lTop, 1900, kRowHeight);
            Place(asPair[1], 1900, lTop, 2480, kRowHeight);
            lTop += lPitch;
        }
        constexpr int32_t lProfitHeight = 310;
        Place("lblProfitGrandTotal", 1900, lTop, 2480, lProfitHeight);
        Place("lblProfitLabel", 0, lTop + (lProfitHeight - kRowHeight) / 2, 1900, kRowHeight);
        lTop += lProfitHeight;
        Place("lblQuantityNote", 0, lTop, 4380, kRowHeight);
        lTop += kRowHeight + 70;
        Place("lblBreakEvenLabel", 0, lTop, 1900, kRowHeight);
        Place("lblBreakEvenTotal", 1900, lTop, 2480, kRowHeight);
        lTop += lPitch;
        Place("lblTargetProfitLabel", 0, lTop + (kFieldHeight - kRowHeight) / 2, 1900, kRowHeight);
        SetControlGeometry(m_txtTargetProfit, 4380 - 1440, lTop, 1440, kFieldHeight);
        lTop += kFieldHeight + 20;
        Place("lblTargetPriceLabel", 0, lTop, 1900, kRowHeight);
        Place("lblTargetPriceTotal", 1900, lTop, 2480, kRowHeight);
        SetControlGeometry(this, ControlLeft(this), ControlTop(this), 4380, lTop + kRowHeight);
    }
}

void ctlSellingCosts::ApplySellingCosts(const clsCalculate& oSellingCosts) {
    // All figures are worked out before any is shown: one that fails shows none of them, and
    // the caller shows the error instead (ShowCalculationError).
    const clsSellingCostFigures oFigures(oSellingCosts);
    // A loss reads "-£17.40", in a colour of its own; only a profit has a percentage.
    const QString sProfit = Money(oFigures.m_fProfit);
    QLabel* lblProfit = Label("lblProfitGrandTotal");
    lblProfit->setToolTip(QString());
    SetFigureText(lblProfit, oFigures.m_lProfitPercent
                                 ? tr("%1 (%2%)").arg(sProfit).arg(*oFigures.m_lProfitPercent)
                                 : sProfit);
    Label("lblQuantityNote")->setVisible(oSellingCosts.m_oOutlay.m_lQuantity < 1);
    const bool bLoss = oFigures.m_fProfit < 0 && sProfit != Money(0);
    if (bLoss != m_bLoss) {
        m_bLoss = bLoss;
        ColourProfit();
    }
    SetFigureText(Label("lblSellingCostTotal"), Money(oFigures.m_fSellingCost));
    SetFigureText(Label("lblPostageTotal"), Money(oFigures.m_fPostage));
    SetFigureText(Label("lblListingCostTotal"), Money(oFigures.m_fTotalListingFee));
    SetFigureText(Label("lblInsertionFeeTotal"), Money(oFigures.m_fInsertionFee));
    SetFigureText(Label("lblReserveFeeTotal"), Money(oFigures.m_fReserveFee));
    // Today's fees beside the insertion fee come as several kinds, shown together here.
    const bool bToday = GetTodaySchedule() != nullptr;
    ShowScheduleRows(bToday);
    const QString sFinalValueCaption = bToday ? tr("Selling Fees") : tr("Final Value Fee");
    if (Label("lblFinalValueFeeLabel")->text() != sFinalValueCaption) {
        Label("lblFinalValueFeeLabel")->setText(sFinalValueCaption);
        SetFigureCaption(Label("lblFinalValueFeeTotal"), sFinalValueCaption);
    }
    Label("lblFinalValueFeeLabel")
        ->setToolTip(bToday ? tr("Every fee of today's schedule but the insertion fee: final "
                                 "value, per-order, surcharges, promoted listing and VAT")
                            : QString());
    SetFigureText(Label("lblFinalValueFeeTotal"), Money(oFigures.m_fFinalValueFee));
    SetFigureText(Label("lblPayPalTotal"), Money(oFigures.m_fPayPalFee));

    // Kept from one refresh to the next: only its inputs are copied each time.
    if (!m_oAuction) m_oAuction = std::make_unique<clsCalculate>();
    try {
        m_oAuction->Copy(oSellingCosts);
    } catch (...) {
        m_oAuction.reset(); // no half-copied auction for the target price
        throw;
    }
    // Another summary may have changed the target; the one being typed in is left alone.
    if (!m_txtTargetProfit->hasFocus() && m_txtTargetProfit->Value() != g_fTargetProfit)
        m_txtTargetProfit->Value(g_fTargetProfit);
    ShowPrices();
}

void ctlSellingCosts::ShowScheduleRows(bool bToday) {
    if (bToday == m_bToday) return;
    m_bToday = bToday;
    for (const clsFigure& oFigure : kFigures)
        if (Is2008Only(oFigure.m_sCaptionName)) {
            Label(QLatin1String(oFigure.m_sCaptionName))->setVisible(!bToday);
            Label(QLatin1String(oFigure.m_sTotalName))->setVisible(!bToday);
        }
    Arrange();
}

void ctlSellingCosts::ShowCalculationError(std::exception_ptr pError) {
    QString sWhy = tr("unknown error");
    try {
        if (pError) std::rethrow_exception(pError);
    } catch (const clsError& e) {
        sWhy = QString::fromStdString(e.Description());
    } catch (const std::exception& e) {
        sWhy = QString::fromLocal8Bit(e.what());
    } catch (...) {
    }
    for (const clsFigure& oFigure : kFigures)
        SetFigureText(Label(QLatin1String(oFigure.m_sTotalName)), QStringLiteral("-"));
    QLabel* lblProfit = Label(QStringLiteral("lblProfitGrandTotal"));
    SetFigureText(lblProfit, tr("Error"));
    lblProfit->setToolTip(tr("The figures cannot be worked out: %1").arg(sWhy));
    m_oAuction.reset();
    m_ofBreakEven.reset();
    SetFigureText(Label(QStringLiteral("lblBreakEvenTotal")), QString());
    SetFigureText(Label(QStringLiteral("lblTargetPriceTotal")), QString());
}

void ctlSellingCosts::OnTargetChanged() {
    g_fTargetProfit = m_txtTargetProfit->Value();
    ShowPrices();
}

void ctlSellingCosts::ShowPrices() {
    if (!m_oAuction) return;
    QString sBreakEven, sTarget;
    m_ofBreakEven.reset();
    try {
        clsPriceSearch oSearch(*m_oAuction);
        m_ofBreakEven = oSearch.BreakEvenPrice();
        sBreakEven = PriceText(m_ofBreakEven);
        // No target set: nothing to show beside it.
        if (g_fTargetProfit != 0) sTarget = PriceText(oSearch.PriceForProfit(g_fTargetProfit));
    } catch (...) {
        // A price that cannot be worked out is left blank rather than shown wrong.
    }
    SetFigureText(Label("lblBreakEvenTotal"), sBreakEven);
    SetFigureText(Label("lblTargetPriceTotal"), sTarget);
}

void ctlSellingCosts::ApplyColours() {
    // A colour setting that is not a number leaves the panel colours.
    // A chosen colour that would not read on the panel is lightened until it does.
    auto Colour = [](int32_t (*fnGet)(), QColor& oColour) {
        try {
            oColour = ReadableOn(ColourFromValue(fnGet()), PanelBackground());
            return true;
        } catch (const clsError&) {
            return false;
        }
    };
    QColor oTotal, oSubtotal;
    const bool bTotal = Colour(&GetTotalColour, oTotal);
    const bool bSubtotal = Colour(&GetSubtotalColour, oSubtotal);
    m_oProfitColour = bTotal ? oTotal : palette().color(QPalette::WindowText);
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
    if (m_bLoss) ColourProfit();
}

void ctlSellingCosts::ColourProfit() {
    QLabel* lblProfitGrandTotal = Label(QStringLiteral("lblProfitGrandTotal"));
    QPalette oPalette = lblProfitGrandTotal->palette();
    // Before the panel is first shown the profit keeps the panel colour.
    const QColor oFore = m_bLoss                     ? LossColour(palette().color(QPalette::Window))
                         : m_oProfitColour.isValid() ? m_oProfitColour
                                                     : palette().color(QPalette::WindowText);
    for (auto eGroup : {QPalette::Active, QPalette::Inactive})
        oPalette.setColor(eGroup, QPalette::WindowText, oFore);
    lblProfitGrandTotal->setPalette(oPalette);
}

void ctlSellingCosts::showEvent(QShowEvent* oEvent) {
    QWidget::showEvent(oEvent);
    if (!oEvent->spontaneous()) ApplyColours();
}
