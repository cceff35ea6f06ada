#include "clsMoneyBreakdown.h"

#include "basNumbers.h"
#include "clsCalculate.h"

clsMoneyBreakdown clsMoneyBreakdown::Of(clsCalculate& oAuction) {
    clsMoneyBreakdown o;
    const clsOutlay& oOutlay = oAuction.m_oOutlay;
    o.m_fOutlay = oOutlay.DoCalc();
    // The kind-of-sale total as the calculation adds it: the full final value fee, not the
    // one shown.
    o.m_fSaleFees = oAuction.m_oAuctionType.DoCalc(oOutlay);
    // Upgrades are recalculated on the kind of sale and outlay they were last given.
    o.m_fUpgrades = oAuction.m_oSellingFeatures.DoCalc(nullptr, nullptr);
    o.m_fPayPal = oAuction.m_fPayPayCost;
    o.m_fPostage = oAuction.m_fPostageCost;
    o.m_fProfit = oAuction.m_fProfit;
    o.m_fBuyersPay = ToSingle(double(oOutlay.m_lQuantity) * oOutlay.m_fEstimatedEndPrice +
                              oAuction.m_fPostageCost + oAuction.m_fPostageProfit);
    return o;
}
