#pragma once

#include "clsCalculate.h"
#include "clsMoneyBreakdown.h"
#include "clsProfitCurve.h"

#include <QColor>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class QAbstractAxis;
class QBarSet;
class QCategoryAxis;
class QChart;
class QChartView;
class QLabel;
class QLineSeries;
class QScatterSeries;
class QStackedBarSeries;
class QValueAxis;

// The profit against the expected end price around the estimate, with the break-even price
// and the estimate marked, and below it where the buyers' money goes as one stacked bar.
// Pointing at the curve tells the profit at that price.
class ctlProfitChart : public QWidget {
    Q_OBJECT

public:
    explicit ctlProfitChart(QWidget* oParent = nullptr);
    ~ctlProfitChart() override;

    // Shows an auction on which DoCalc has run, with its break-even price as the selling
    // costs found it. A hidden chart only notes that it is out of date and draws the source's
    // auction when shown, so a hidden chart costs an edit next to nothing.
    void ApplyAuction(const clsCalculate& oAuction, std::optional<float> ofBreakEven);
    // Where the chart finds the auction it shows when it draws on its own (shown, resized,
    // pointed at): the host's document, which outlives every drawing.
    void Source(std::function<clsCalculate&()> fnSource) { m_fnSource = std::move(fnSource); }

    // What is drawn; empty before the first drawing.
    const clsProfitCurve& Curve() const { return m_oCurve; }
    const clsMoneyBreakdown& Breakdown() const { return m_oBreakdown; }
    // Drawings made so far (each follows an edit made while the chart shows).
    int32_t Drawings() const { return m_lDrawings; }
    // The figures in words, as the charts' accessible descriptions give them.
    QString ProfitSummary() const;
    QString BreakdownSummary() const;
    // Text pointing at a price gives: "£80.00: profit £60.12".
    QString PointText(float fPrice);

    QChartView* chvProfit = nullptr;
    QChartView* chvBreakdown = nullptr;
    QLabel* lblBreakdownTitle = nullptr;

protected:
    void showEvent(QShowEvent* oEvent) override;
    void resizeEvent(QResizeEvent* oEvent) override;
    bool eventFilter(QObject* oWatched, QEvent* oEvent) override;

private:
    using Part = clsMoneyBreakdown::Part;
    static constexpr size_t PartCount = size_t(Part::Count);
    static constexpr size_t Profit = size_t(Part::Profit);

    void BuildProfitChart();
    void BuildBreakdownChart();
    QWidget* BuildBreakdownKey();
    void StyleChart(QChart* oChart);
    void StyleAxis(QAbstractAxis* oAxis) const;
    // Draws the source's auction, worked out again first.
    void Draw();
    void Draw(const clsCalculate& oAuction);
    void DrawProfit();
    void DrawBreakdown();
    // Round money marks from dFrom to dTo, as "£50" or, below a whole step, "£0.25".
    // A chart on show does not make room for new marks on its axis: when they change, a
    // new axis takes the old one's place.
    void SetMoneyAxis(QChart* oChart, QCategoryAxis*& oAxis, double dFrom, double dTo,
                      double dStep) const;

    std::function<clsCalculate&()> m_fnSource;
    std::optional<float> m_ofBreakEven;
    bool m_bStale = false;
    clsProfitCurve m_oCurve;
    clsMoneyBreakdown m_oBreakdown;
    int32_t m_lDrawings = 0;

    QLineSeries* m_serProfit = nullptr;
    QLineSeries* m_serZero = nullptr;
    QLineSeries* m_serBreakEvenLine = nullptr;
    QScatterSeries* m_serBreakEven = nullptr;
    QScatterSeries* m_serEstimate = nullptr;
    QCategoryAxis* m_axsPrice = nullptr;
    QCategoryAxis* m_axsProfit = nullptr;
    QStackedBarSeries* m_serParts = nullptr;
    std::array<QBarSet*, PartCount> m_aoParts{};
    QValueAxis* m_axsMoney = nullptr;
    // The bar's key: a swatch, a name and an amount for each part the schedule has, and what
    // the buyers pay.
    std::array<QLabel*, PartCount> m_alblSwatches{};
    std::array<QLabel*, PartCount> m_alblNames{};
    std::array<QLabel*, PartCount> m_alblAmounts{};
    QLabel* m_lblBuyersPay = nullptr;
    QColor m_oProfitColour;
    bool m_bLossShown = false;
};
