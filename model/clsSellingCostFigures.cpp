#include "clsSellingCostFigures.h"

#include "basNumbers.h"
#include "clsCalculate.h"
#include "clsPrices.h"

#include <cmath>

clsSellingCostFigures::clsSellingCostFigures(const clsCalculate& oAuction)
    : m_fInsertionFee(oAuction.m_fListingCost), m_fReserveFee(oAuction.m_fReserveCost),
      m_fFinalValueFee(oAuction.m_fFinalValueFee), m_fSellingCost(oAuction.m_fSellCost),
      m_fPostage(oAuction.m_fPostageCost), m_fPostageProfit(oAuction.m_fPostageProfit),
      m_fPayPalFee(oAuction.m_fPayPayCost), m_fProfit(oAuction.m_fProfit),
      m_lProfitPercent(ProfitPercent(oAuction.m_fProfit, oAuction.m_fSellCost)) {
    m_fTotalListingFee = ToSingle(double(oAuction.m_fListingCost) + oAuction.m_fUpgradeCost);
}

std::optional<int32_t> clsSellingCostFigures::ProfitPercent(float fProfit, float fSellCost) {
    if (!(fProfit > 0 && fSellCost > 0)) return std::nullopt;
    const double dPercent = std::trunc(double(fProfit) / fSellCost * 100.0);
    if (dPercent > 2147483647.0) return INT32_MAX;
    return static_cast<int32_t>(dPercent);
}

std::string clsSellingCostFigures::ProfitText() const {
    std::string sText = FormatCurrency(m_fProfit);
    if (m_lProfitPercent) sText += " (" + std::to_string(*m_lProfitPercent) + "%)";
    return sText;
}
