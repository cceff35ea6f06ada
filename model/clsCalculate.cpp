#include "clsCalculate.h"

#include "basCommon.h"
#include "basNumbers.h"
#include "clsError.h"
#include "clsTodaySchedule.h"

void clsCalculate::SetDirty(bool bDirty) {
    m_oAuctionType.m_bDirty = bDirty;
    m_oOutlay.m_bDirty = bDirty;
    m_oPayPal.m_bDirty = bDirty;
    m_oPostage.m_bDirty = bDirty;
    m_oSellingFeatures.m_bDirty = bDirty;
    m_oToday.m_bDirty = bDirty;
}

bool clsCalculate::IsDirty() const {
    return m_oAuctionType.m_bDirty || m_oOutlay.m_bDirty || m_oPayPal.m_bDirty ||
           m_oPostage.m_bDirty || m_oSellingFeatures.m_bDirty || m_oToday.m_bDirty;
}

void clsCalculate::DoCalc() {
    if (const clsTodaySchedule* pToday = GetTodaySchedule()) {
        DoCalcToday(*pToday);
        return;
    }
    m_fOutlayCost = m_oOutlay.DoCalc();
    m_fSellCost = m_fOutlayCost;
    m_fListingCost = m_oAuctionType.DoCalcListingFee(m_oOutlay);
    m_fReserveCost = m_oAuctionType.DoCalcReserveFee(m_oOutlay);
    // The full final value fee counts in the selling cost; the one shown is 0 when fewer
    // than one item is sold.
    const float fFinalValueFee = m_oAuctionType.DoCalcFinalValueFee(m_oOutlay);
    m_fFinalValueFee = m_oOutlay.m_lQuantity < 1 ? 0.0f : fFinalValueFee;
    m_fSaleFees = ToSingle(double(m_fReserveCost) + m_fListingCost + fFinalValueFee);
    m_fSellCost = ToSingle(double(m_fSellCost) + m_fSaleFees);
    m_fUpgradeCost = m_oSellingFeatures.DoCalc(&m_oAuctionType, &m_oOutlay);
    m_fSellCost = ToSingle(double(m_fSellCost) + m_fUpgradeCost);
    m_fPostageCost = m_oPostage.DoCalc(&m_oOutlay);
    m_fPostageProfit = m_oPostage.DoCalcProfit();
    // What the buyers pay in all: PayPal takes its fee on the whole of it.
    m_fBuyersPay = ToSingle(double(m_oOutlay.m_lQuantity) * m_oOutlay.m_fEstimatedEndPrice +
                            m_fPostageCost + m_fPostageProfit);
    m_fPayPayCost = m_oPayPal.DoCalc(m_fBuyersPay, &m_oOutlay);
    m_fSellCost = ToSingle(double(m_fSellCost) + m_fPayPayCost);
    m_fProfit = ToSingle(double(m_fBuyersPay) - (double(m_fSellCost) + m_fPostageCost));
}

void clsCalculate::Serialize(std::string& sData, bool bSave) {
    if (bSave) {
        Save(sData);
        return;
    }
    try {
        Load(sData);
    } catch (const clsError& oError) {
        ShowMessage(oError.Description(), MsgBox::OKOnly, "");
    }
}

void clsCalculate::Save(std::string& sData) const {
    m_oAuctionType.Save(sData);
    m_oOutlay.Save(sData);
    m_oSellingFeatures.Save(sData);
    m_oPayPal.Save(sData);
    m_oPostage.Save(sData);
    // Only an auction with today's inputs set carries their section, so the text of every
    // 2008 auction stays as it was.
    if (!m_oToday.IsDefault()) m_oToday.Save(sData);
}

void clsCalculate::Load(std::string_view sData) {
    m_oAuctionType.Load(sData);
    m_oOutlay.Load(sData);
    m_oSellingFeatures.Load(sData);
    m_oPayPal.Load(sData);
    m_oPostage.Load(sData);
    m_oToday.Load(sData);
}

void clsCalculate::Copy(const clsCalculate& oSourceAuction) {
    // Through the text, so that a copy is what saving and loading would give (amounts to
    // seven significant digits).
    std::string sText;
    oSourceAuction.Save(sText);
    Serialize(sText, false);
}

void clsCalculate::Clear() {
    // Each component is cleared even when another fails.
    auto Guard = [](auto&& fnClear) {
        try {
            fnClear();
        } catch (...) {
        }
    };
    Guard([&] { m_oAuctionType.Clear(); });
    Guard([&] { m_oOutlay.Clear(); });
    Guard([&] { m_oSellingFeatures.Clear(); });
    Guard([&] { m_oPayPal.Clear(); });
    Guard([&] { m_oPostage.Clear(); });
    Guard([&] { m_oToday.Clear(); });
}

clsCalculate& GetWorkingDoc() {
    static clsCalculate oWorkingDoc;
    static const bool bNamed = (oWorkingDoc.m_sName = "Working Doc", true);
    (void)bNamed;
    return oWorkingDoc;
}

clsCalculate& GetDefaultAuction() {
    static clsCalculate oDefaultAuction;
    static const bool bNamed = (oDefaultAuction.m_sName = "Default Auction", true);
    (void)bNamed;
    return oDefaultAuction;
}
