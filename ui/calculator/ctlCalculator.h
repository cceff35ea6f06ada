#pragma once

#include "clsAuctionRefresh.h"

#include <QWidget>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class QFrame;
class clsCalculate;
class ctlAuctionType;
class ctlFeeSchedule;
class ctlOutlay;
class ctlPayPal;
class ctlPostage;
class ctlProfitChart;
class ctlSectionPanel;
class ctlSellingCosts;
class ctlSellingFeatures;
class ctlToday;

// The calculator area of the main window: the selling costs across the top, the five
// section panels below and the profit chart beside them, all live on one auction. Every edit
// recalculates the auction and refreshes every panel. In configuration mode the panels can be
// trimmed and dragged by their headers on the snap grid; their positions are kept in the settings.
class ctlCalculator : public QWidget {
    Q_OBJECT

public:
    explicit ctlCalculator(QWidget* oParent = nullptr);
    ~ctlCalculator() override;

    bool ConfigMode() const { return m_bConfigMode; }
    // Switches every panel into or out of configuration mode, re-applies the stored
    // positions and recalculates.
    void ConfigMode(bool bNewMode);

    // Recalculates the auction and shows it: oDoc when given (it becomes the calculator's
    // document), else the current document, else the working auction. With
    // bUpdateControlDisplays every section panel is filled again; that never leaves a clean
    // auction dirty. Never reports errors; a call made while one runs is folded into it.
    void RefreshSums(bool bUpdateControlDisplays, clsCalculate* oDoc = nullptr);

    // Puts every section panel back at its design position and stores those positions.
    void ResetControlPositions();

    // The area the panels need: the largest right and bottom edge, in twips (the chart at its
    // design size).
    void CalcMinSize(int32_t& X, int32_t& Y) const;

    // The document shown; the working auction until another is given.
    clsCalculate& Document() const { return m_oRefresh.Document(); }

    ctlSellingCosts* SellingCosts() const { return m_ctlSellingCostsSection; }
    ctlOutlay* Outlay() const { return m_ctlOutlaySection; }
    ctlAuctionType* AuctionType() const { return m_ctlAuctionTypeSection; }
    ctlSellingFeatures* SellingFeatures() const { return m_ctlSellingFeaturesSection; }
    ctlPayPal* PayPal() const { return m_ctlPayPalSection; }
    ctlPostage* Postage() const { return m_ctlPostageSection; }
    ctlToday* Today() const { return m_ctlTodaySection; }
    ctlFeeSchedule* ScheduleChoice() const { return m_ctlFeeSchedule; }
    // Shows the panels of the schedule the price table holds: today's inputs for today's
    // schedule; the kind of sale, listing upgrades and PayPal, which today's fees do not
    // depend on, for 2008's. Then recalculates.
    void ApplySchedule();
    ctlProfitChart* ProfitChart() const { return m_ctlProfitChart; }
    // The section panel kept under a settings key ("Outlay", "PayPal" ...); none if unknown.
    ctlSectionPanel* Section(const std::string& sKey) const;

signals:
    // After every recalculation: whether the document is modified.
    void Changed(bool bDocDirty);
    // The user switched the fee schedule: the panels shown and the area they need changed.
    void ScheduleChanged();

protected:
    void showEvent(QShowEvent* oEvent) override;
    void resizeEvent(QResizeEvent* oEvent) override;
    bool eventFilter(QObject* oWatched, QEvent* oEvent) override;

private:
    struct clsSection {
        std::string m_sKey;
        ctlSectionPanel* m_oPanel;
    };

    void ShowSequence();
    // Shows the section panels of the schedule in use, hides the others.
    void ShowSchedulePanels();
    void LoadPositions();
    // Beside the right-most panel, wherever the panels stand, and grown into the room the
    // calculator has beyond the panels.
    int32_t ChartLeft() const;
    void PlaceChart();
    // After the panels moved or changed size: the chart follows and the host is told.
    void UpdateArea();
    void StorePositions() const;
    // Makes the Tab key follow the panels as they stand: the figures and the schedule choice
    // across the top, then the shown panels column by column, left to right, each column top
    // to bottom; inside a panel the order is its own. Run after every change of arrangement.
    void UpdateTabOrder();
    // The parts of the calculator in the order the eye reads them, hidden panels last.
    std::vector<QWidget*> ReadingOrder() const;
    void OnSectionChanged();
    void OnMoved(ctlSectionPanel* oPanel, float X, float Y);
    void OnFocusChanged(QWidget* oOld, QWidget* oNow);
    ctlSectionPanel* SectionOf(QWidget* oCtrl) const;

    // Holds every part; scrolls when the calculator is smaller than the panels need.
    QWidget* m_fraCanvas = nullptr;
    ctlSellingCosts* m_ctlSellingCostsSection = nullptr;
    QFrame* m_lneLine = nullptr;
    ctlOutlay* m_ctlOutlaySection = nullptr;
    ctlPayPal* m_ctlPayPalSection = nullptr;
    ctlAuctionType* m_ctlAuctionTypeSection = nullptr;
    ctlSellingFeatures* m_ctlSellingFeaturesSection = nullptr;
    ctlPostage* m_ctlPostageSection = nullptr;
    ctlToday* m_ctlTodaySection = nullptr;
    ctlFeeSchedule* m_ctlFeeSchedule = nullptr;
    ctlProfitChart* m_ctlProfitChart = nullptr;
    std::vector<clsSection> m_aoSections;

    bool m_bConfigMode = false;
    clsAuctionRefresh m_oRefresh;
    // key + "_Left" / "_Top" -> the design position, kept for the calculator's life.
    std::map<std::string, int32_t> m_oDesignPositions;
};
