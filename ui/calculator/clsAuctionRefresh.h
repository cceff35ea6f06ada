#pragma once

#include <functional>

class clsCalculate;
class ctlAuctionType;
class ctlOutlay;
class ctlPayPal;
class ctlPostage;
class ctlProfitChart;
class ctlSellingCosts;
class ctlSellingFeatures;
class ctlToday;

// What a host (the calculator, the wizard) shows one auction in.
struct clsAuctionViews {
    ctlSellingCosts* m_ctlSellingCosts = nullptr;
    ctlProfitChart* m_ctlProfitChart = nullptr;
    ctlOutlay* m_ctlOutlay = nullptr;
    ctlSellingFeatures* m_ctlSellingFeatures = nullptr;
    ctlAuctionType* m_ctlAuctionType = nullptr;
    ctlPayPal* m_ctlPayPal = nullptr;
    ctlPostage* m_ctlPostage = nullptr;
    ctlToday* m_ctlToday = nullptr; // today's inputs; none where the host has no such panel
};

// The one refresh after an edit, for the calculator and the wizard alike: the auction is
// recalculated and shown in the selling costs, the price hints and the profit chart, the host
// is told whether it is modified, and the section panels are filled again. Refreshes never
// run inside one another: one asked for while one runs, such as an edit that a panel writes
// back while it is being filled, is run as one more pass afterwards, never dropped, and a
// panel that keeps asking cannot keep the host busy for ever. A refresh never raises.
class clsAuctionRefresh {
public:
    // fnChanged(bDocDirty) follows every calculation; fnShown follows every pass that
    // succeeded.
    void Attach(const clsAuctionViews& oViews, std::function<void(bool)> fnChanged,
                std::function<void()> fnShown = {});
    // A profit chart made after the others (the wizard's, on its last page); none is shown
    // until one is given.
    void AttachProfitChart(ctlProfitChart* oChart);

    // Recalculates and shows oDoc when given (it becomes the document), else the document,
    // else the working auction. With bUpdateControlDisplays every section panel is filled
    // again, which re-evaluates every enabling rule; filling them never leaves a clean
    // auction modified, but an edit written back meanwhile does.
    void Run(bool bUpdateControlDisplays, clsCalculate* oDoc = nullptr);

    // The document shown; the working auction until another is given.
    clsCalculate& Document() const;

private:
    // False when the calculation failed, which the selling costs then say.
    bool Pass(bool bUpdateControlDisplays, clsCalculate& oDoc);
    void ApplyPanels(clsCalculate& oDoc);

    clsAuctionViews m_oViews;
    std::function<void(bool)> m_fnChanged;
    std::function<void()> m_fnShown;
    clsCalculate* m_oDoc = nullptr;
    bool m_bRunning = false;
    bool m_bPending = false;
};
