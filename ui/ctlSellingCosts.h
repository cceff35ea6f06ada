#pragma once

#include <QWidget>

#include <cstdint>

class QLabel;
class clsCalculate;

// The summary of the last calculation: the eight figures, the profit with its percentage of
// the selling cost. No inputs. Three rows across the calculator (Mode 0) or one column on
// the wizard's last page (any other Mode).
class ctlSellingCosts : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Mode READ Mode WRITE Mode)

public:
    explicit ctlSellingCosts(QWidget* oParent = nullptr);

    // Shows the figures of an auction on which DoCalc has run.
    void ApplySellingCosts(clsCalculate& oSellingCosts);

    int32_t Mode() const { return m_lMode; }
    // Rearranges the labels at once.
    void Mode(int32_t lMode);

    // The panel colours, then the "TotalColour" and "SubtotalColour" settings on the figures;
    // run each time the panel is shown.
    void ApplyColours();

    QLabel* Label(const QString& sName) const;

protected:
    void showEvent(QShowEvent* oEvent) override;

private:
    void Arrange();
    QLabel* AddLabel(const char* sName, const QString& sCaption);
    void Place(const char* sName, int32_t lLeft, int32_t lTop, int32_t lWidth, int32_t lHeight);

    int32_t m_lMode = 0;
};
