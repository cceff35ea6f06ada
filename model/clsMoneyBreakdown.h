#pragma once

#include <cstdint>

class clsCalculate;

// Where the buyers' money goes, from an auction on which DoCalc has run under the schedule in
// use. The parts add up to what the buyers pay; a loss shows as a negative profit.
struct clsMoneyBreakdown {
    // The parts in the order they are stacked, the profit last.
    enum class Part : int32_t {
        Outlay,
        Fees,
        Upgrades,
        PayPal,
        Postage,
        BuyerProtection,
        SalesTax,
        Profit,
        Count
    };

    float m_fBuyersPay = 0;       // 2008: items, postage and mark-up; today: the buyer's price
    float m_fOutlay = 0;          // outlay total, tax included
    float m_fSaleFees = 0;        // 2008: insertion, reserve and final value fees; today: every
                                  // selling fee, less the VAT on them a registered seller reclaims
    float m_fUpgrades = 0;        // listing upgrades (2008)
    float m_fPayPal = 0;          // PayPal fee (2008)
    float m_fPostage = 0;         // postage cost, passed on to the carrier
    float m_fBuyerProtection = 0; // today, UK private sales: the buyer's fee to eBay
    float m_fSalesTax = 0;        // today, US: collected from the buyers, passed on
    float m_fProfit = 0;          // what is left, postage mark-up included
    bool m_bToday = false;        // worked out under today's schedule
    bool m_bBuyerProtection = false; // the account's buyers pay a protection fee
    bool m_bSalesTax = false;        // the site's buyers pay sales tax
    bool IsLoss() const { return m_fProfit < 0; }

    // Whether the schedule has the part: today has no upgrades or PayPal fee, and the buyer
    // protection fee and sales tax only where the account or site has them.
    bool Has(Part ePart) const;
    float Amount(Part ePart) const;

    static clsMoneyBreakdown Of(const clsCalculate& oAuction);
};
