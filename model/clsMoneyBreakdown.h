#pragma once

class clsCalculate;

// Where the buyers' money goes, from an auction on which DoCalc has run. The parts add up
// to what the buyers pay; a loss shows as a negative profit.
struct clsMoneyBreakdown {
    float m_fBuyersPay = 0; // items, postage and mark-up
    float m_fOutlay = 0;    // outlay total, tax included
    float m_fSaleFees = 0;  // insertion, reserve and final value fees
    float m_fUpgrades = 0;  // listing upgrades
    float m_fPayPal = 0;    // PayPal fee
    float m_fPostage = 0;   // postage cost, passed on to the carrier
    float m_fProfit = 0;    // what is left, postage mark-up included
    bool IsLoss() const { return m_fProfit < 0; }

    static clsMoneyBreakdown Of(const clsCalculate& oAuction);
};
