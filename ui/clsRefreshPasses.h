#pragma once

#include <functional>

class clsCalculate;

// Keeps the refreshes of a host (the calculator, the wizard) from running inside one another.
// A refresh asked for while one runs, such as an edit that a panel writes back while it is
// being filled, is run as one more pass afterwards, never dropped; a panel that keeps asking
// cannot keep the host busy for ever.
class clsRefreshPasses {
public:
    // Runs fnPass(bUpdateControlDisplays) now, or, while a pass runs, one more pass after it.
    // A pass that fails (returns false) ends the refresh.
    void Run(bool bUpdateControlDisplays, const std::function<bool(bool)>& fnPass);

    // Fills the panels from the auction: filling them never leaves a clean auction modified,
    // but an edit written back meanwhile does.
    void ApplyPanels(clsCalculate& oDoc, const std::function<void()>& fnApply);

private:
    bool m_bRunning = false;
    bool m_bPending = false;
};
