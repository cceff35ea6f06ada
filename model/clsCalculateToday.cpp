// The auction worked out under today's schedule (see clsTodaySchedule.h).
#include "clsCalculate.h"

#include "basNumbers.h"
#include "clsTodaySchedule.h"

void clsCalculate::DoCalcToday(const clsTodaySchedule& oSchedule) {
    m_fOutlayCost = m_oOutlay.DoCalc();
    m_fPostageCost = m_oPostage.DoCalc(&m_oOutlay);
    m_fPostageProfit = m_oPostage.DoCalcProfit();
    const clsTodaySale oSale{m_oOutlay.m_fEstimatedEndPrice, m_oOutlay.m_lQuantity,
                             ToSingle(double(m_fPostageCost) + m_fPostageProfit)};
    oSchedule.DoCalc(m_oToday, oSale, m_oTodayFigures);
    const clsTodayFigures& o = m_oTodayFigures;
    // The 2008 figures, so that every view of the auction has its totals: no reserve,
    // upgrade or PayPal fee today; the final value fee shown is every selling fee together.
    m_fListingCost = o.m_fInsertionFee;
    m_fReserveCost = 0;
    m_fUpgradeCost = 0;
    m_fPayPayCost = 0;
    m_fSaleFees = o.m_fSellingCost;
    m_fFinalValueFee = ToSingle(double(o.m_fSellingCost) - o.m_fInsertionFee);
    m_fSellCost = ToSingle(double(m_fOutlayCost) + m_fSaleFees);
    // What the buyers pay the seller, as the orders charge it (postage shared out among
    // separate orders to the penny): the sales tax and the buyer protection fee pass on.
    m_fBuyersPay = ToSingle(double(o.m_fItems) + o.m_fPostage);
    m_fProfit = ToSingle(double(m_fBuyersPay) - (double(m_fSellCost) + m_fPostageCost));
}
