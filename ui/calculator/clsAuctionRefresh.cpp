#include "clsAuctionRefresh.h"

#include "clsCalculate.h"
#include "clsFeeHints.h"
#include "clsTodaySchedule.h"
#include "ctlAuctionType.h"
#include "ctlOutlay.h"
#include "ctlPayPal.h"
#include "ctlPostage.h"
#include "ctlProfitChart.h"
#include "ctlSellingCosts.h"
#include "ctlSellingFeatures.h"
#include "ctlToday.h"

#include <QScopedValueRollback>

#include <cstdint>
#include <exception>
#include <utility>

namespace {

// Passes made for edits that arrive while a refresh runs.
constexpr int32_t kMaxPasses = 3;

} // namespace

void clsAuctionRefresh::Attach(const clsAuctionViews& oViews, std::function<void(bool)> fnChanged,
                               std::function<void()> fnShown) {
    m_oViews = oViews;
    m_fnChanged = std::move(fnChanged);
    m_fnShown = std::move(fnShown);
    AttachProfitChart(m_oViews.m_ctlProfitChart);
}

void clsAuctionRefresh::AttachProfitChart(ctlProfitChart* oChart) {
    m_oViews.m_ctlProfitChart = oChart;
    // A chart drawn later (shown, resized) draws the document as it is then.
    if (oChart) oChart->Source([this]() -> clsCalculate& { return Document(); });
}

clsCalculate& clsAuctionRefresh::Document() const {
    return m_oDoc ? *m_oDoc : GetWorkingDoc();
}

void clsAuctionRefresh::Run(bool bUpdateControlDisplays, clsCalculate* oDoc) {
    if (oDoc) m_oDoc = oDoc;
    if (m_bRunning) {
        m_bPending = true;
        return;
    }
    const QScopedValueRollback<bool> oRunning(m_bRunning, true);
    bool bUpdate = bUpdateControlDisplays;
    for (int32_t lPass = 0; lPass < kMaxPasses; ++lPass) {
        m_bPending = false;
        if (!Pass(bUpdate, Document()) || !m_bPending) break;
        bUpdate = true;
    }
    m_bPending = false;
}

bool clsAuctionRefresh::Pass(bool bUpdateControlDisplays, clsCalculate& oDoc) {
    bool bFigures = false;
    try {
        oDoc.DoCalc();
        m_oViews.m_ctlSellingCosts->ApplySellingCosts(oDoc);
        bFigures = true;
        m_oViews.m_ctlOutlay->ApplyHints(clsFeeHints::Find(oDoc));
        if (m_oViews.m_ctlProfitChart)
            m_oViews.m_ctlProfitChart->ApplyAuction(oDoc,
                                                    m_oViews.m_ctlSellingCosts->BreakEvenPrice());
        if (m_fnChanged) m_fnChanged(oDoc.IsDirty());
        if (bUpdateControlDisplays) ApplyPanels(oDoc);
        if (m_fnShown) m_fnShown();
        return true;
    } catch (...) {
        // A calculation that fails says so in the selling costs rather than leaving the last
        // figures beside the new inputs.
        if (!bFigures) m_oViews.m_ctlSellingCosts->ShowCalculationError(std::current_exception());
        return false;
    }
}

void clsAuctionRefresh::ApplyPanels(clsCalculate& oDoc) {
    const bool bWasDirty = oDoc.IsDirty();
    const bool bWasPending = m_bPending;
    m_oViews.m_ctlOutlay->ApplyOutlay(oDoc.m_oOutlay, &oDoc.m_oAuctionType);
    m_oViews.m_ctlSellingFeatures->ApplyFeatures(oDoc.m_oSellingFeatures, oDoc.m_oAuctionType,
                                                 oDoc.m_oOutlay);
    m_oViews.m_ctlAuctionType->ApplyAuctionType(oDoc.m_oAuctionType);
    m_oViews.m_ctlPayPal->ApplyFeatures(oDoc.m_oPayPal, oDoc.m_oOutlay);
    m_oViews.m_ctlPostage->ApplyFeatures(oDoc.m_oPostage, oDoc.m_oOutlay);
    if (m_oViews.m_ctlToday)
        m_oViews.m_ctlToday->ApplyToday(oDoc.m_oToday, oDoc.m_oTodayFigures, oDoc.m_oOutlay,
                                        GetTodaySchedule());
    const bool bEdited = m_bPending && !bWasPending;
    if (!bWasDirty && oDoc.IsDirty() && !bEdited) oDoc.SetDirty(false);
}
