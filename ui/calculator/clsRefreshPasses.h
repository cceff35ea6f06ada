#pragma once

#include <functional>

class clsCalculate;
class ctlAuctionType;
class ctlOutlay;
class ctlPayPal;
class ctlPostage;
class ctlSellingFeatures;

// The five section panels a host shows one auction in.
struct clsSectionPanels {
    ctlOutlay* m_ctlOutlay = nullptr;
    ctlSellingFeatures* m_ctlSellingFeatures = nullptr;
    ctlAuctionType* m_ctlAuctionType = nullptr;
    ctlPayPal* m_ctlPayPal = nullptr;
    ctlPostage* m_ctlPostage = nullptr;
};

// Keeps the refreshes of a host (the calculator, the wizard) from running inside one another.
// A refresh asked for while one runs, such as an edit that a panel writes back while it is
// being filled, is run as one more pass afterwards, never dropped; a panel that keeps asking
// cannot keep the host busy for ever.
class clsRefreshPasses {
public:
    // Runs fnPass(bUpdateControlDisplays) now, or, while a pass runs, one more pass after it.
    // A pass that fails (returns false) ends the refresh.
    void Run(bool bUpdateControlDisplays, const std::function<bool(bool)>& fnPass);

    // Fills the panels from the auction, every one of them, which re-evaluates every enabling
    // rule: filling them never leaves a clean auction modified, but an edit written back
    // meanwhile does.
    void ApplyPanels(clsCalculate& oDoc, const clsSectionPanels& oPanels);

private:
    bool m_bRunning = false;
    bool m_bPending = false;
};
