#include "clsRefreshPasses.h"

#include "clsCalculate.h"

#include <QScopedValueRollback>

#include <cstdint>

namespace {

// Passes made for edits that arrive while a refresh runs.
constexpr int32_t kMaxPasses = 3;

} // namespace

void clsRefreshPasses::Run(bool bUpdateControlDisplays, const std::function<bool(bool)>& fnPass) {
    if (m_bRunning) {
        m_bPending = true;
        return;
    }
    const QScopedValueRollback<bool> oRunning(m_bRunning, true);
    bool bUpdate = bUpdateControlDisplays;
    for (int32_t lPass = 0; lPass < kMaxPasses; ++lPass) {
        m_bPending = false;
        if (!fnPass(bUpdate) || !m_bPending) break;
        bUpdate = true;
    }
    m_bPending = false;
}

void clsRefreshPasses::ApplyPanels(clsCalculate& oDoc, const std::function<void()>& fnApply) {
    const bool bWasDirty = oDoc.IsDirty();
    const bool bWasPending = m_bPending;
    fnApply();
    const bool bEdited = m_bPending && !bWasPending;
    if (!bWasDirty && oDoc.IsDirty() && !bEdited) oDoc.SetDirty(false);
}
