#include "clsMoneyBreakdown.h"

#include "clsCalculate.h"
#include "clsTodaySchedule.h"

#include <iterator>

bool clsMoneyBreakdown::Has(Part ePart) const {
    switch (ePart) {
    case Part::Upgrades:
    case Part::PayPal:
        return !m_bToday;
    case Part::BuyerProtection:
        return m_bToday && (m_bBuyerProtection || m_fBuyerProtection != 0);
    case Part::SalesTax:
        return m_bToday && (m_bSalesTax || m_fSalesTax != 0);
    case Part::Count:
        return false;
    default:
        return true;
    }
}

float clsMoneyBreakdown::Amount(Part ePart) const {
    // In the order of Part.
    static constexpr float clsMoneyBreakdown::*kAmounts[] = {
        &clsMoneyBreakdown::m_fOutlay,   &clsMoneyBreakdown::m_fSaleFees,
        &clsMoneyBreakdown::m_fUpgrades, &clsMoneyBreakdown::m_fPayPal,
        &clsMoneyBreakdown::m_fPostage,  &clsMoneyBreakdown::m_fBuyerProtection,
        &clsMoneyBreakdown::m_fSalesTax, &clsMoneyBreakdown::m_fProfit};
    static_assert(std::size(kAmounts) == size_t(Part::Count));
    const auto n = size_t(ePart);
    return n < std::size(kAmounts) ? this->*kAmounts[n] : 0.0f;
}

clsMoneyBreakdown clsMoneyBreakdown::Of(const clsCalculate& oAuction) {
    clsMoneyBreakdown o;
    o.m_fOutlay = oAuction.m_fOutlayCost;
    o.m_fSaleFees = oAuction.m_fSaleFees; // the full final value fee, not the one shown
    o.m_fUpgrades = oAuction.m_fUpgradeCost;
    o.m_fPayPal = oAuction.m_fPayPayCost;
    o.m_fPostage = oAuction.m_fPostageCost;
    o.m_fProfit = oAuction.m_fProfit;
    o.m_fBuyersPay = oAuction.m_fBuyersPay;
    if (const clsTodaySchedule* pToday = GetTodaySchedule()) {
        // The buyers pay the seller's part and, on top, the protection fee (to eBay) and the
        // sales tax (to the state): what the buyer's price holds.
        const clsTodayFigures& f = oAuction.m_oTodayFigures;
        const clsTodayApplies oApplies = pToday->Applies(oAuction.m_oToday.m_sAccount);
        o.m_bToday = true;
        o.m_bBuyerProtection = oApplies.m_bBuyerProtection;
        o.m_bSalesTax = oApplies.m_bSalesTax;
        o.m_fBuyerProtection = f.m_fBuyerProtectionFee;
        o.m_fSalesTax = f.m_fSalesTax;
        o.m_fBuyersPay = f.m_fBuyersPrice;
    }
    return o;
}
