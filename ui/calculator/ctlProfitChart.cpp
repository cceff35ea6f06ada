#include "ctlProfitChart.h"

#include "basControls.h"
#include "basNumberText.h"
#include "basSettings.h"
#include "clsError.h"
#include "clsPriceSearch.h"
#include "clsPrices.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QScatterSeries>
#include <QShowEvent>
#include <QStackedBarSeries>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// The profit line and the estimate take the total colour, the break-even price the subtotal
// colour, as the selling costs show them; these are used when a setting cannot be read.
const QColor kTotalColour(0xC0, 0xFF, 0xC0);
const QColor kSubtotalColour(0xFF, 0x80, 0x00);
// Width of the breakdown's bar and its money marks, in twips.
constexpr int32_t kBarWidth = 1800;
// Marks on the bar's axis for the whole of the money laid out.
constexpr int32_t kBarMarks = 4;

QColor SettingColour(int32_t (*fnGet)(), const QColor& oDefault) {
    try {
        return ColourFromValue(fnGet());
    } catch (const clsError&) {
        return oDefault;
    }
}

// A chart's upright axis gets a money mark for about every 40 pixels of its height: closer
// marks are cut to "..." by the chart. The overheads are the height of the title, the key
// and the price axis.
constexpr int32_t kPixelsPerMark = 40;
constexpr int32_t kMostMarks = 5;
constexpr int32_t kProfitOverhead = 80;
// Room between the key's amounts and the right edge, in twips.
constexpr int32_t kRightMargin = 120;

int32_t MarksFor(const QWidget* oView, int32_t lOverhead) {
    return std::clamp((oView->height() - lOverhead) / kPixelsPerMark, 1, kMostMarks);
}

QString Money(float fAmount) {
    return MoneyText(fAmount);
}

// A mark of the price axis, whose marks have room for about six characters: "£5,000", but
// "£15k" rather than "£15,000" and "£2.5m" rather than "£2,500,000".
QString PriceMark(double dPrice, int lDecimals) {
    const double dSize = std::abs(dPrice);
    if (dSize < 10000) return MoneyText(float(dPrice), lDecimals);
    const bool bMillions = dSize >= 10000000;
    const double dShort = dPrice / (bMillions ? 1e6 : 1e3);
    const int lPlaces = std::abs(dShort - std::round(dShort)) < 1e-9 ? 0 : 1;
    return MoneyText(float(dShort), lPlaces) +
           (bMillions ? QStringLiteral("m") : QStringLiteral("k"));
}

// Round ends and a round step for an axis taking in [dLow, dHigh]: (-61, 320) -> -100 to
// 400 in steps of 100.
struct clsAxisRange {
    double m_dFrom;
    double m_dTo;
    double m_dStep;
};
clsAxisRange RoundRange(double dLow, double dHigh, int32_t lIntervals) {
    if (dHigh - dLow < 1e-6) dHigh = dLow + 1;
    const double dStep = clsProfitCurve::NiceStep(dHigh - dLow, lIntervals);
    return {std::floor(dLow / dStep) * dStep, std::ceil(dHigh / dStep) * dStep, dStep};
}

// A chart view gives up the chart it had without deleting it: the view's own first chart
// would be lost.
void SetChart(QChartView* oView, QChart* oChart) {
    QChart* oOld = oView->chart();
    oView->setChart(oChart);
    delete oOld;
}

// New points for a series, unless it has them already.
void Replace(QXYSeries* oSeries, const QList<QPointF>& aoPoints) {
    if (oSeries->points() != aoPoints) oSeries->replace(aoPoints);
}

void HideFromLegend(QChart* oChart, QAbstractSeries* oSeries) {
    for (QLegendMarker* oMarker : oChart->legend()->markers(oSeries))
        oMarker->setVisible(false);
}

QLabel* KeyLabel(QWidget* oParent, const QString& sName, Qt::Alignment eAlign) {
    auto* oLabel = new QLabel(oParent);
    oLabel->setObjectName(sName);
    oLabel->setAlignment(eAlign | Qt::AlignVCenter);
    return oLabel;
}

} // namespace

ctlProfitChart::ctlProfitChart(QWidget* oParent) : QWidget(oParent) {
    setObjectName(QStringLiteral("ctlProfitChart"));
    SetInvertedPalette(this);
    SetPanelFont(this);

    chvProfit = new QChartView(this);
    chvProfit->setObjectName(QStringLiteral("chvProfit"));
    chvProfit->setAccessibleName(tr("Profit by End Price"));
    chvBreakdown = new QChartView(this);
    chvBreakdown->setObjectName(QStringLiteral("chvBreakdown"));
    chvBreakdown->setAccessibleName(tr("Where the Money Goes"));
    for (QChartView* oView : {chvProfit, chvBreakdown}) {
        oView->setRenderHint(QPainter::Antialiasing);
        oView->setFrameShape(QFrame::NoFrame);
        oView->setFocusPolicy(Qt::NoFocus);
        oView->setBackgroundBrush(palette().color(QPalette::Window));
    }
    chvBreakdown->setFixedWidth(TwipsToPixels(kBarWidth));
    BuildProfitChart();
    BuildBreakdownChart();
    chvProfit->viewport()->setMouseTracking(true);
    chvProfit->viewport()->installEventFilter(this);

    lblBreakdownTitle = KeyLabel(this, QStringLiteral("lblBreakdownTitle"), Qt::AlignHCenter);
    lblBreakdownTitle->setText(tr("Where the Money Goes"));
    QFont oTitle = font();
    oTitle.setBold(true);
    lblBreakdownTitle->setFont(oTitle);

    auto* oBreakdown = new QHBoxLayout;
    oBreakdown->setContentsMargins(0, 0, 0, 0);
    oBreakdown->addWidget(chvBreakdown);
    oBreakdown->addWidget(BuildBreakdownKey(), 1);
    auto* oLayout = new QVBoxLayout(this);
    oLayout->setContentsMargins(0, 0, TwipsToPixels(kRightMargin), 0);
    oLayout->setSpacing(0);
    oLayout->addWidget(chvProfit, 3);
    oLayout->addSpacing(TwipsToPixels(120));
    oLayout->addWidget(lblBreakdownTitle);
    oLayout->addLayout(oBreakdown, 2);
}

ctlProfitChart::~ctlProfitChart() = default;

void ctlProfitChart::StyleChart(QChart* oChart) {
    const QColor oText = palette().color(QPalette::WindowText);
    oChart->setBackgroundVisible(false);
    // Room on the right for the last price mark, which is centred on the axis end.
    oChart->setMargins(QMargins(2, 2, TwipsToPixels(300), 2));
    QFont oTitle = font();
    oTitle.setBold(true);
    oChart->setTitleFont(oTitle);
    oChart->setTitleBrush(oText);
    oChart->legend()->setFont(font());
    oChart->legend()->setLabelColor(oText);
    for (QAbstractAxis* oAxis : oChart->axes())
        StyleAxis(oAxis);
}

void ctlProfitChart::BuildProfitChart() {
    auto* oChart = new QChart;
    oChart->setTitle(tr("Profit by End Price"));
    const QColor oTotal = SettingColour(&GetTotalColour, kTotalColour);
    const QColor oSubtotal = SettingColour(&GetSubtotalColour, kSubtotalColour);

    m_serZero = new QLineSeries;
    QPen oZero(palette().color(QPalette::WindowText), 1, Qt::DotLine);
    m_serZero->setPen(oZero);
    m_serBreakEvenLine = new QLineSeries;
    m_serBreakEvenLine->setPen(QPen(oSubtotal, 1, Qt::DashLine));
    m_serProfit = new QLineSeries;
    m_serProfit->setObjectName(QStringLiteral("serProfit"));
    m_serProfit->setName(tr("Profit"));
    m_serProfit->setPen(QPen(oTotal, 2));
    m_serBreakEven = new QScatterSeries;
    m_serBreakEven->setObjectName(QStringLiteral("serBreakEven"));
    m_serBreakEven->setColor(oSubtotal);
    m_serBreakEven->setBorderColor(oSubtotal);
    m_serBreakEven->setMarkerSize(8);
    m_serEstimate = new QScatterSeries;
    m_serEstimate->setObjectName(QStringLiteral("serEstimate"));
    m_serEstimate->setColor(oTotal);
    m_serEstimate->setBorderColor(palette().color(QPalette::WindowText));
    m_serEstimate->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    m_serEstimate->setMarkerSize(9);
    // The estimate's price and profit stand in the fields and the selling costs already.
    m_serEstimate->setName(tr("Estimate"));

    m_axsPrice = new QCategoryAxis;
    m_axsProfit = new QCategoryAxis;
    oChart->addAxis(m_axsPrice, Qt::AlignBottom);
    oChart->addAxis(m_axsProfit, Qt::AlignLeft);
    for (QXYSeries* oSeries :
         {static_cast<QXYSeries*>(m_serZero), static_cast<QXYSeries*>(m_serBreakEvenLine),
          static_cast<QXYSeries*>(m_serProfit), static_cast<QXYSeries*>(m_serBreakEven),
          static_cast<QXYSeries*>(m_serEstimate)}) {
        oChart->addSeries(oSeries);
        oSeries->attachAxis(m_axsPrice);
        oSeries->attachAxis(m_axsProfit);
    }
    for (QAbstractSeries* oSeries : {static_cast<QAbstractSeries*>(m_serZero),
                                     static_cast<QAbstractSeries*>(m_serBreakEvenLine),
                                     static_cast<QAbstractSeries*>(m_serProfit)})
        HideFromLegend(oChart, oSeries);
    oChart->legend()->setAlignment(Qt::AlignBottom);
    StyleChart(oChart);
    SetChart(chvProfit, oChart);
}

void ctlProfitChart::BuildBreakdownChart() {
    auto* oChart = new QChart;
    const QColor aoColours[PartCount] = {
        QColor(0x8F, 0xA8, 0xC8),                           // outlay
        SettingColour(&GetSubtotalColour, kSubtotalColour), // selling fees
        QColor(0xB4, 0x8C, 0xFF),                           // upgrades
        QColor(0x3C, 0xA0, 0xFF),                           // PayPal
        QColor(0xE8, 0xC5, 0x47),                           // postage
        QColor(0xE0, 0x70, 0x90),                           // buyer protection, to eBay
        QColor(0xA8, 0xA8, 0xA8),                           // sales tax, to the state
        SettingColour(&GetTotalColour, kTotalColour),       // profit
    };
    m_oProfitColour = aoColours[Profit];
    m_serParts = new QStackedBarSeries;
    m_serParts->setBarWidth(0.7);
    for (size_t i = 0; i < PartCount; ++i) {
        m_aoParts[i] = new QBarSet(QString());
        m_aoParts[i]->setColor(aoColours[i]);
        m_aoParts[i]->setBorderColor(aoColours[i]);
        m_aoParts[i]->append(0);
        m_serParts->append(m_aoParts[i]);
    }
    oChart->addSeries(m_serParts);
    auto* oCategory = new QBarCategoryAxis;
    oCategory->append(QStringLiteral(" "));
    oCategory->setVisible(false);
    // The key gives the amounts: the bar's axis keeps its grid lines but no figures.
    m_axsMoney = new QValueAxis;
    m_axsMoney->setLabelsVisible(false);
    m_axsMoney->setRange(0, 1);
    m_axsMoney->setTickCount(kBarMarks + 1);
    oChart->addAxis(oCategory, Qt::AlignBottom);
    oChart->addAxis(m_axsMoney, Qt::AlignLeft);
    m_serParts->attachAxis(oCategory);
    m_serParts->attachAxis(m_axsMoney);
    // The key beside the bar names the parts with their amounts.
    oChart->legend()->hide();
    StyleChart(oChart);
    SetChart(chvBreakdown, oChart);
}

QWidget* ctlProfitChart::BuildBreakdownKey() {
    static const char* const asParts[PartCount] = {
        "Outlay", "Fees", "Upgrades", "PayPal", "Postage", "BuyerProtection", "SalesTax", "Profit"};
    auto* oKey = new QWidget(this);
    oKey->setObjectName(QStringLiteral("fraBreakdownKey"));
    auto* oGrid = new QGridLayout(oKey);
    oGrid->setContentsMargins(TwipsToPixels(60), 0, 0, 0);
    oGrid->setHorizontalSpacing(TwipsToPixels(90));
    oGrid->setVerticalSpacing(TwipsToPixels(30));
    oGrid->setRowStretch(0, 1);
    // Read from the top down as the bar is stacked from the bottom up.
    for (size_t i = 0; i < PartCount; ++i) {
        const int lRow = int(PartCount - i);
        auto* lblSwatch = KeyLabel(oKey, QStringLiteral("lbl%1Swatch").arg(asParts[i]), {});
        m_alblSwatches[i] = lblSwatch;
        lblSwatch->setFixedSize(TwipsToPixels(150), TwipsToPixels(150));
        lblSwatch->setAutoFillBackground(true);
        QPalette oSwatch = lblSwatch->palette();
        oSwatch.setColor(QPalette::Window, m_aoParts[i]->color());
        lblSwatch->setPalette(oSwatch);
        m_alblNames[i] = KeyLabel(oKey, QStringLiteral("lbl%1Name").arg(asParts[i]), Qt::AlignLeft);
        m_alblAmounts[i] =
            KeyLabel(oKey, QStringLiteral("lbl%1Amount").arg(asParts[i]), Qt::AlignRight);
        oGrid->addWidget(lblSwatch, lRow, 0);
        oGrid->addWidget(m_alblNames[i], lRow, 1);
        oGrid->addWidget(m_alblAmounts[i], lRow, 2);
    }
    m_alblNames[size_t(Part::BuyerProtection)]->setToolTip(
        tr("Added by eBay to the price a buyer of a private seller pays; it goes to eBay, not "
           "to the seller"));
    m_alblNames[size_t(Part::SalesTax)]->setToolTip(
        tr("Collected from the buyer by eBay and passed on to the state"));
    auto* lblBuyersPayName = KeyLabel(oKey, QStringLiteral("lblBuyersPayName"), Qt::AlignLeft);
    lblBuyersPayName->setText(tr("Buyers Pay"));
    m_lblBuyersPay = KeyLabel(oKey, QStringLiteral("lblBuyersPayAmount"), Qt::AlignRight);
    QFont oBold = font();
    oBold.setBold(true);
    lblBuyersPayName->setFont(oBold);
    m_lblBuyersPay->setFont(oBold);
    const int lTotalRow = int(PartCount) + 1;
    oGrid->addWidget(lblBuyersPayName, lTotalRow, 1);
    oGrid->addWidget(m_lblBuyersPay, lTotalRow, 2);
    oGrid->setRowStretch(lTotalRow + 1, 1);
    oGrid->setColumnStretch(1, 1);
    return oKey;
}

void ctlProfitChart::ApplyAuction(const clsCalculate& oAuction, std::optional<float> ofBreakEven) {
    m_ofBreakEven = ofBreakEven;
    m_bStale = true;
    if (isVisible()) Draw(oAuction);
}

void ctlProfitChart::resizeEvent(QResizeEvent* oEvent) {
    QWidget::resizeEvent(oEvent);
    // The upright axes take as many marks as the new height has room for.
    layout()->activate();
    if (isVisible() && m_lDrawings > 0) Draw();
}

void ctlProfitChart::showEvent(QShowEvent* oEvent) {
    QWidget::showEvent(oEvent);
    // The views take their size first: a chart drawn smaller keeps its shortened labels.
    layout()->activate();
    if (m_bStale) Draw();
}

void ctlProfitChart::Draw() {
    if (!m_fnSource) return;
    clsCalculate& oAuction = m_fnSource();
    try {
        oAuction.DoCalc();
    } catch (...) {
        return; // the figures say why; the last drawing stays up
    }
    Draw(oAuction);
}

void ctlProfitChart::Draw(const clsCalculate& oAuction) {
    m_bStale = false;
    try {
        // The curve works on a copy of its own; the breakdown only reads the figures.
        m_oCurve = clsProfitCurve::Of(oAuction, m_ofBreakEven);
        m_oBreakdown = clsMoneyBreakdown::Of(oAuction);
    } catch (...) {
        // A calculation that fails leaves the last drawing up, as the figures do.
        return;
    }
    DrawProfit();
    DrawBreakdown();
    // Said again only when it changed: each change is announced to assistive technology.
    if (const QString s = ProfitSummary(); s != chvProfit->accessibleDescription())
        chvProfit->setAccessibleDescription(s);
    if (const QString s = BreakdownSummary(); s != chvBreakdown->accessibleDescription())
        chvBreakdown->setAccessibleDescription(s);
    ++m_lDrawings;
}

void ctlProfitChart::StyleAxis(QAbstractAxis* oAxis) const {
    const QColor oText = palette().color(QPalette::WindowText);
    QColor oGrid = oText;
    oGrid.setAlphaF(0.2f);
    oAxis->setLabelsFont(font());
    oAxis->setLabelsColor(oText);
    oAxis->setLinePenColor(oGrid);
    oAxis->setGridLineColor(oGrid);
}

void ctlProfitChart::SetMoneyAxis(QChart* oChart, QCategoryAxis*& oAxis, double dFrom, double dTo,
                                  double dStep) const {
    const int lDecimals = dStep >= 1 ? 0 : 2;
    QStringList asLabels;
    QList<double> adValues;
    const int lMarks = int(std::lround((dTo - dFrom) / dStep));
    for (int i = 0; i <= lMarks; ++i) {
        const double dValue = dFrom + i * dStep;
        // "-0" reads oddly: a mark at zero is zero.
        const double dShown = std::abs(dValue) < dStep / 2 ? 0 : dValue;
        asLabels << (oAxis->alignment() == Qt::AlignBottom ? PriceMark(dShown, lDecimals)
                                                           : MoneyText(float(dShown), lDecimals));
        adValues << dValue;
    }
    if (asLabels == oAxis->categoriesLabels() && oAxis->min() == dFrom && oAxis->max() == dTo)
        return;

    // A chart on show does not make room for new marks on the axis it has: a new axis takes
    // the old one's place and series.
    auto* oNew = new QCategoryAxis;
    oNew->setStartValue(dFrom);
    oNew->setRange(dFrom, dTo);
    for (qsizetype i = 0; i < asLabels.size(); ++i)
        oNew->append(asLabels[i], adValues[i]);
    oNew->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    StyleAxis(oNew);
    oChart->addAxis(oNew, oAxis->alignment());
    for (QAbstractSeries* oSeries : oChart->series())
        if (oSeries->attachedAxes().contains(oAxis)) {
            oSeries->detachAxis(oAxis);
            oSeries->attachAxis(oNew);
        }
    oChart->removeAxis(oAxis);
    delete oAxis;
    oAxis = oNew;
}

void ctlProfitChart::DrawProfit() {
    QList<QPointF> aoPoints;
    aoPoints.reserve(qsizetype(m_oCurve.m_aoPoints.size()));
    for (const clsProfitCurve::clsPoint& oPoint : m_oCurve.m_aoPoints)
        aoPoints.append(QPointF(oPoint.m_fPrice, oPoint.m_fProfit));
    Replace(m_serProfit, aoPoints);

    SetMoneyAxis(chvProfit->chart(), m_axsPrice, m_oCurve.m_fFrom, m_oCurve.m_fTo,
                 m_oCurve.m_fStep);
    const clsAxisRange oProfit =
        RoundRange(std::min(m_oCurve.m_fLowestProfit, 0.0f),
                   std::max(m_oCurve.m_fHighestProfit, 0.0f), MarksFor(chvProfit, kProfitOverhead));
    SetMoneyAxis(chvProfit->chart(), m_axsProfit, oProfit.m_dFrom, oProfit.m_dTo, oProfit.m_dStep);

    // Each change makes the chart lay itself out again: only what changed is set.
    Replace(m_serZero, {QPointF(m_oCurve.m_fFrom, 0), QPointF(m_oCurve.m_fTo, 0)});
    Replace(m_serEstimate, {QPointF(m_oCurve.m_fEstimate, m_oCurve.m_fEstimateProfit)});
    if (m_oCurve.m_ofBreakEven) {
        const float fBreakEven = *m_oCurve.m_ofBreakEven;
        Replace(m_serBreakEven, {QPointF(fBreakEven, 0)});
        Replace(m_serBreakEvenLine,
                {QPointF(fBreakEven, oProfit.m_dFrom), QPointF(fBreakEven, oProfit.m_dTo)});
        const QString sName = tr("Break-even %1").arg(Money(fBreakEven));
        if (m_serBreakEven->name() != sName) m_serBreakEven->setName(sName);
    } else {
        Replace(m_serBreakEven, {});
        Replace(m_serBreakEvenLine, {});
    }
    // No break-even price: nothing in the key for it either (the summary says so).
    for (QLegendMarker* oMarker : chvProfit->chart()->legend()->markers(m_serBreakEven))
        if (oMarker->isVisible() != m_oCurve.m_ofBreakEven.has_value())
            oMarker->setVisible(m_oCurve.m_ofBreakEven.has_value());
}

void ctlProfitChart::DrawBreakdown() {
    const clsMoneyBreakdown& o = m_oBreakdown;
    const QString asNames[PartCount] = {tr("Outlay"),    tr("Fees"),
                                        tr("Upgrades"),  tr("PayPal"),
                                        tr("Postage"),   tr("Buyer Protection"),
                                        tr("Sales Tax"), o.IsLoss() ? tr("Loss") : tr("Profit")};
    // The bar shows each part as a share of the money laid out, a loss below the line: its
    // axis keeps its range from one edit to the next, as a new range re-lays the chart out.
    double dTop = 0;
    for (size_t i = 0; i < PartCount; ++i)
        if (o.Has(Part(i)) && o.Amount(Part(i)) > 0) dTop += o.Amount(Part(i));
    const double dShare = dTop > 0 ? 1 / dTop : 1;
    bool bRowsChanged = false;
    for (size_t i = 0; i < PartCount; ++i) {
        // A part the schedule does not have (no PayPal fee today) leaves the bar and the key.
        const bool bShown = o.Has(Part(i));
        bRowsChanged = bRowsChanged || m_alblNames[i]->isHidden() == bShown;
        const float fAmount = bShown ? o.Amount(Part(i)) : 0.0f;
        const double dPart = fAmount * dShare;
        if (m_aoParts[i]->at(0) != dPart) m_aoParts[i]->replace(0, dPart);
        m_alblNames[i]->setText(asNames[i]);
        m_alblAmounts[i]->setText(Money(fAmount));
        for (QLabel* oLabel : {m_alblSwatches[i], m_alblNames[i], m_alblAmounts[i]})
            if (oLabel->isHidden() == bShown) oLabel->setHidden(!bShown);
    }
    // The key closes up at once, not at the next pass of the event loop.
    if (bRowsChanged) m_alblNames[0]->parentWidget()->layout()->activate();
    m_alblNames[size_t(Part::Fees)]->setToolTip(
        o.m_bToday ? tr("Every selling fee eBay charges: final value, per-order, regulatory, "
                        "international and ad fees, the insertion fee and the VAT on them "
                        "(less VAT a registered seller reclaims)")
                   : tr("Insertion, reserve and final value fees"));
    m_lblBuyersPay->setText(Money(o.m_fBuyersPay));
    if (o.IsLoss() != m_bLossShown) {
        m_bLossShown = o.IsLoss();
        const QColor oProfit =
            m_bLossShown ? LossColour(palette().color(QPalette::Window)) : m_oProfitColour;
        m_aoParts[Profit]->setColor(oProfit);
        m_aoParts[Profit]->setBorderColor(oProfit);
        QPalette oSwatch = m_alblSwatches[Profit]->palette();
        oSwatch.setColor(QPalette::Window, oProfit);
        m_alblSwatches[Profit]->setPalette(oSwatch);
    }
    // Grid lines at quarters of the money laid out.
    const double dFrom = std::floor(std::min(0.0, o.m_fProfit * dShare) * kBarMarks) / kBarMarks;
    if (m_axsMoney->min() != dFrom || m_axsMoney->max() != 1) {
        m_axsMoney->setRange(dFrom, 1);
        m_axsMoney->setTickCount(int(std::lround((1 - dFrom) * kBarMarks)) + 1);
    }
}

QString ctlProfitChart::ProfitSummary() const {
    QString sText = tr("Profit %1 at an end price of %2")
                        .arg(Money(m_oCurve.m_fEstimateProfit), Money(m_oCurve.m_fEstimate));
    if (m_oCurve.m_ofBreakEven)
        sText += tr("; break-even at %1").arg(Money(*m_oCurve.m_ofBreakEven));
    else
        sText += tr("; no end price breaks even");
    return sText + tr("; drawn from %1 to %2.").arg(Money(m_oCurve.m_fFrom), Money(m_oCurve.m_fTo));
}

QString ctlProfitChart::BreakdownSummary() const {
    QStringList asParts;
    for (size_t i = 0; i < PartCount; ++i)
        if (m_oBreakdown.Has(Part(i)))
            asParts << m_alblNames[i]->text() + QLatin1Char(' ') + m_alblAmounts[i]->text();
    return tr("Buyers pay %1: %2.")
        .arg(Money(m_oBreakdown.m_fBuyersPay), asParts.join(QLatin1String(", ")));
}

QString ctlProfitChart::PointText(float fPrice) {
    const int32_t lScale = GetCurrencyScale();
    const float fPenny = static_cast<float>(std::round(double(fPrice) * lScale) / lScale);
    if (!m_fnSource) return QString();
    try {
        clsPriceSearch oSearch(m_fnSource());
        return tr("%1: profit %2").arg(Money(fPenny), Money(oSearch.ProfitAt(fPenny)));
    } catch (...) {
        return QString();
    }
}

bool ctlProfitChart::eventFilter(QObject* oWatched, QEvent* oEvent) {
    if (oWatched == chvProfit->viewport() && oEvent->type() == QEvent::MouseMove &&
        !m_oCurve.m_aoPoints.empty()) {
        const auto* oMove = static_cast<QMouseEvent*>(oEvent);
        QChart* oChart = chvProfit->chart();
        const QPointF ptScene = chvProfit->mapToScene(oMove->position().toPoint());
        const QPointF ptChart = oChart->mapFromScene(ptScene);
        if (oChart->plotArea().contains(ptChart)) {
            const QPointF ptValue = oChart->mapToValue(ptChart, m_serProfit);
            QToolTip::showText(oMove->globalPosition().toPoint(), PointText(float(ptValue.x())),
                               chvProfit);
        } else {
            QToolTip::hideText();
        }
    }
    return QWidget::eventFilter(oWatched, oEvent);
}
