#include "clsRefreshPasses.h"

#include "clsCalculate.h"
#include "ctlAuctionType.h"
#include "ctlOutlay.h"
#include "ctlPayPal.h"
#include "ctlPostage.h"
#include "ctlSellingFeatures.h"

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

void clsRefreshPasses::ApplyPanels(clsCalculate& oDoc, const clsSectionPanels& oPanels) {
    const bool bWasDirty = oDoc.IsDirty();
    const bool bWasPending = m_bPending;
    oPanels.m_ctlOutlay->ApplyOutlay(oDoc.m_oOutlay, &oDoc.m_oAuctionType);
    oPanels.m_ctlSellingFeatures->ApplyFeatures(oDoc.m_oSellingFeatures, oDoc.m_oAuctionType,
                                                oDoc.m_oOutlay);
    oPanels.m_ctlAuctionType->ApplyAuctionType(oDoc.m_oAuctionType);
    oPanels.m_ctlPayPal->ApplyFeatures(oDoc.m_oPayPal, oDoc.m_oOutlay);
    oPanels.m_ctlPostage->ApplyFeatures(oDoc.m_oPostage, oDoc.m_oOutlay);
    const bool bEdited = m_bPending && !bWasPending;
    if (!bWasDirty && oDoc.IsDirty() && !bEdited) oDoc.SetDirty(false);
}
