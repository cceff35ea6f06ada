#include "clsMoneyBreakdown.h"

#include "clsCalculate.h"

clsMoneyBreakdown clsMoneyBreakdown::Of(const clsCalculate& oAuction) {
    clsMoneyBreakdown o;
    o.m_fOutlay = oAuction.m_fOutlayCost;
    o.m_fSaleFees = oAuction.m_fSaleFees; // the full final value fee, not the one shown
    o.m_fUpgrades = oAuction.m_fUpgradeCost;
    o.m_fPayPal = oAuction.m_fPayPayCost;
    o.m_fPostage = oAuction.m_fPostageCost;
    o.m_fProfit = oAuction.m_fProfit;
    o.m_fBuyersPay = oAuction.m_fBuyersPay;
    return o;
}
