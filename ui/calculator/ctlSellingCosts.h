#pragma once

#include <QColor>
#include <QWidget>

#include <cstdint>
#include <exception>
#include <memory>
#include <optional>

class QLabel;
class clsCalculate;
class ctlNumericText;

// The summary of the last calculation: the eight figures, the profit with its percentage of
// the selling cost, the break-even price and the price that reaches the target profit the
// user enters (the one input, kept for the session and shared by every summary). Three rows across
// the calculator (Mode 0) or one column on the wizard's last page (any other Mode).
class ctlSellingCosts : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Mode READ Mode WRITE Mode)

public:
    explicit ctlSellingCosts(QWidget* oParent = nullptr);
    ~ctlSellingCosts() override;

    // Shows the figures of an auction on which DoCalc has run.
    void ApplySellingCosts(const clsCalculate& oSellingCosts);
    // Shows that the calculation failed, and why (on the profit's tool tip): every figure
    // reads "-", so none of an earlier calculation stands beside the new inputs.
    void ShowCalculationError(std::exception_ptr pError);

    int32_t Mode() const { return m_lMode; }
    // Rearranges the labels at once.
    void Mode(int32_t lMode);

    // The panel colours, then the "TotalColour" and "SubtotalColour" settings on the figures;
    // run each time the panel is shown.
    void ApplyColours();

    QLabel* Label(const QString& sName) const;
    // The break-even price shown; none when no price breaks even or none could be found.
    std::optional<float> BreakEvenPrice() const { return m_ofBreakEven; }
    ctlNumericText* TargetProfit() const { return m_txtTargetProfit; }

    // The target profit of the session; 0 when none is set.
    static float SessionTargetProfit();
    // Sets it for every summary, shown at their next calculation.
    static void SessionTargetProfit(float fProfit);

protected:
    void showEvent(QShowEvent* oEvent) override;

private:
    void Arrange();
    // Shows only the rows of the schedule in use, closing up the column on the wizard's page.
    void ShowScheduleRows(bool bToday);
    QLabel* AddLabel(const char* sName, const QString& sCaption);
    void Place(const char* sName, int32_t lLeft, int32_t lTop, int32_t lWidth, int32_t lHeight);
    void ShowPrices();
    void OnTargetChanged();
    // The profit in the total colour, a loss in the loss colour.
    void ColourProfit();

    int32_t m_lMode = 0;
    // Today's schedule has no reserve or PayPal fee: their rows step aside under it.
    bool m_bToday = false;
    ctlNumericText* m_txtTargetProfit = nullptr;
    // A copy of the auction last shown: the target price is worked out again when the
    // target changes, with no refresh of the calculator.
    std::unique_ptr<clsCalculate> m_oAuction;
    std::optional<float> m_ofBreakEven;
    bool m_bLoss = false;
    // The colour of a profit, from the "TotalColour" setting when the panel was shown.
    QColor m_oProfitColour;
};
