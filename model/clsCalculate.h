#pragma once

#include "clsAuctionType.h"
#include "clsOutlay.h"
#include "clsPayPal.h"
#include "clsPostage.h"
#include "clsSellingFeatures.h"
#include "clsTodayFigures.h"
#include "clsTodayInputs.h"

#include <cstddef>
#include <string>
#include <string_view>

// One auction as a whole: owns its five fee components, runs them in a fixed order to
// produce the figures the selling costs show, and saves, loads, copies and resets them.
class clsCalculate {
public:
    // An auction's text is a few hundred characters: a file or line this long is not one.
    static constexpr size_t kMaxTextBytes = 1u << 20;

    clsCalculate() = default;
    clsCalculate(const clsCalculate&) = delete; // components hold pointers into their auction
    clsCalculate& operator=(const clsCalculate&) = delete;

    std::string m_sName;
    float m_fProfit = 0;
    float m_fSellCost = 0; // outlay, kind-of-sale, upgrade and PayPal fees; postage apart
    float m_fPostageCost = 0;
    float m_fPostageProfit = 0;
    float m_fFinalValueFee = 0; // as shown: 0 when fewer than one item
    float m_fListingCost = 0;
    float m_fReserveCost = 0;
    float m_fPayPayCost = 0;
    // Parts of the selling cost as the last DoCalc added them up.
    float m_fOutlayCost = 0; // outlay total, tax included
    float m_fSaleFees = 0;   // insertion, reserve and the full final value fee
    float m_fUpgradeCost = 0;
    float m_fBuyersPay = 0; // items, postage and mark-up: what PayPal takes its fee on
    clsAuctionType m_oAuctionType;
    clsOutlay m_oOutlay;
    clsPayPal m_oPayPal;
    clsSellingFeatures m_oSellingFeatures;
    clsPostage m_oPostage;
    // Today's schedule: the inputs it needs beyond the five components, and its figures
    // after DoCalc when the price table holds it (see clsTodaySchedule.h).
    clsTodayInputs m_oToday;
    clsTodayFigures m_oTodayFigures;

    void SetDirty(bool bDirty);
    bool IsDirty() const;
    // Recalculates the eight figures. A failing step raises its error; figures assigned
    // before it keep their new values.
    void DoCalc();
    // Saves (appends) or loads the auction text. A load failure is shown to the user and
    // ends the load; the components read before it keep their new values.
    void Serialize(std::string& sData, bool bSave);
    // Serialize's two halves. Save appends the sections; Load reads them from the text where
    // it stands and raises a load failure (a missing section) instead of showing it.
    void Save(std::string& sData) const;
    void Load(std::string_view sData);
    // Makes the inputs those of another auction, as its text saved and loaded would.
    void Copy(const clsCalculate& oSourceAuction);
    void Clear();

private:
    // DoCalc when the price table holds today's schedule (clsCalculateToday.cpp).
    void DoCalcToday(const clsTodaySchedule& oSchedule);
};

// The auction the panels edit, saved to and loaded from files ("Working Doc").
clsCalculate& GetWorkingDoc();
// The auction new auctions are copied from ("Default Auction").
clsCalculate& GetDefaultAuction();
