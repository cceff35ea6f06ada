// The calculator's output for today's schedule: every fee by kind, the buyer's price, the
// choices the auction was worked out with and the notes on values eBay did not publish.
#include "clsBatchCalculator.h"

#include "basCommon.h"
#include "basOutput.h"
#include "clsCalculate.h"
#include "clsPrices.h"
#include "clsSellingCostFigures.h"
#include "clsTodaySchedule.h"

#include <iterator>

namespace {

struct TodayColumn {
    const char* sKey;
    const char* sCaption;
    float clsTodayFigures::*pFigure; // null: a figure of the auction (pAuction)
    float clsCalculate::*pAuction;
};

constexpr TodayColumn kTodayColumns[] = {
    {"items", "Items", &clsTodayFigures::m_fItems, nullptr},
    {"postageCharged", "Postage Charged", &clsTodayFigures::m_fPostage, nullptr},
    {"salesTax", "Sales Tax", &clsTodayFigures::m_fSalesTax, nullptr},
    {"saleTotal", "Sale Total", &clsTodayFigures::m_fSaleTotal, nullptr},
    {"insertionFee", "Insertion Fee", &clsTodayFigures::m_fInsertionFee, nullptr},
    {"finalValueFee", "Final Value Fee", &clsTodayFigures::m_fFinalValueFee, nullptr},
    {"perOrderFee", "Per-order Fee", &clsTodayFigures::m_fPerOrderFee, nullptr},
    {"regulatoryFee", "Regulatory Fee", &clsTodayFigures::m_fRegulatoryFee, nullptr},
    {"internationalFee", "International Fee", &clsTodayFigures::m_fInternationalFee, nullptr},
    {"belowStandardFee", "Below Standard Fee", &clsTodayFigures::m_fBelowStandardFee, nullptr},
    {"topRatedDiscount", "Top Rated Discount", &clsTodayFigures::m_fTopRatedDiscount, nullptr},
    {"adFee", "Promoted Ad Fee", &clsTodayFigures::m_fAdFee, nullptr},
    {"feesExVat", "Fees before VAT", &clsTodayFigures::m_fFeesExVat, nullptr},
    {"vatOnFees", "VAT on Fees", &clsTodayFigures::m_fVatOnFees, nullptr},
    {"totalFees", "Total Fees", &clsTodayFigures::m_fTotalFees, nullptr},
    {"buyerProtectionFee", "Buyer Protection Fee", &clsTodayFigures::m_fBuyerProtectionFee,
     nullptr},
    {"buyersPrice", "Buyer's Price", &clsTodayFigures::m_fBuyersPrice, nullptr},
    {"sellingCost", "Selling Cost", nullptr, &clsCalculate::m_fSellCost},
    {"postage", "Postage & Packing", nullptr, &clsCalculate::m_fPostageCost},
    {"postageProfit", "Postage Mark-up", nullptr, &clsCalculate::m_fPostageProfit},
    {"profit", "Profit", nullptr, &clsCalculate::m_fProfit},
};

// Columns after the figures: the choices the auction was worked out with.
constexpr const char* kTodayChoiceKeys[] = {"orders",  "vatReclaimed", "dataDate",
                                            "account", "category",     "buyerRegion"};

float Figure(const TodayColumn& o, const clsCalculate& oAuction) {
    return o.pFigure ? oAuction.m_oTodayFigures.*o.pFigure : oAuction.*o.pAuction;
}

// Keys are letters, digits, "-" and "_": only ASCII letters fold.
bool SameKey(std::string_view a, std::string_view b) {
    auto Fold = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Fold(a[i]) != Fold(b[i])) return false;
    return true;
}

// The account or buyer region an auction is worked out with: its own key, or the first.
const clsTodayChoice& Chosen(const std::vector<clsTodayChoice>& aoChoices, std::string_view sKey) {
    for (const clsTodayChoice& o : aoChoices)
        if (SameKey(o.m_sKey, sKey)) return o;
    return aoChoices.front();
}

const clsTodayChoice& ChosenCategory(const clsTodaySchedule& oSchedule, std::string_view sKey) {
    const clsTodayCategory* p = oSchedule.FindCategory(sKey);
    return p ? *p : *oSchedule.FindCategory("default");
}

// A figure that means nothing for the auction's account is left out of the text output.
bool Shown(const TodayColumn& o, const clsTodayApplies& oApplies) {
    const float clsTodayFigures::*p = o.pFigure;
    if (p == &clsTodayFigures::m_fSalesTax) return oApplies.m_bSalesTax;
    if (p == &clsTodayFigures::m_fVatOnFees || p == &clsTodayFigures::m_fFeesExVat)
        return oApplies.m_bVat;
    if (p == &clsTodayFigures::m_fBuyerProtectionFee) return oApplies.m_bBuyerProtection;
    if (p == &clsTodayFigures::m_fTopRatedDiscount) return oApplies.m_bTopRated;
    if (p == &clsTodayFigures::m_fBelowStandardFee) return oApplies.m_bBelowStandard;
    if (p == &clsTodayFigures::m_fInternationalFee) return oApplies.m_bInternational;
    return true;
}

} // namespace

size_t clsBatchCalculator::TodayColumns() {
    return std::size(kTodayColumns) + 1 + std::size(kTodayChoiceKeys) + 1; // profit %, notes
}

void clsBatchCalculator::WriteTodayHeader() {
    for (const TodayColumn& o : kTodayColumns)
        m_oOutput.sOut += std::string(o.sKey) + ',';
    m_oOutput.sOut += "profitPercent,";
    for (const char* sKey : kTodayChoiceKeys)
        m_oOutput.sOut += std::string(sKey) + ',';
    m_oOutput.sOut += "notes,";
    if (m_oInsight.m_bBreakEven) m_oOutput.sOut += "breakEvenPrice,";
    if (m_oInsight.HasTarget()) m_oOutput.sOut += "targetPrice,";
    if (m_oInsight.m_bHints) m_oOutput.sOut += "hints,";
    m_oOutput.sOut += "error\n";
}

void clsBatchCalculator::WriteTodayFigures(const clsCalculate& oAuction, std::string_view sInput,
                                           const std::optional<float>& ofBreakEven,
                                           const std::optional<float>& ofTarget,
                                           const std::vector<std::string>& asHints) {
    const clsTodaySchedule& oSchedule = *GetTodaySchedule();
    const clsTodayFigures& oFigures = oAuction.m_oTodayFigures;
    const clsTodayInputs& oInputs = oAuction.m_oToday;
    const std::optional<int32_t> lPercent =
        clsSellingCostFigures::ProfitPercent(oAuction.m_fProfit, oAuction.m_fSellCost);
    const clsTodayChoice& oAccount = Chosen(oSchedule.Accounts(), oInputs.m_sAccount);
    const clsTodayChoice& oCategory = ChosenCategory(oSchedule, oInputs.m_sCategory);
    const clsTodayChoice& oRegion = Chosen(oSchedule.BuyerRegions(), oInputs.m_sBuyerRegion);
    std::string& s = m_oOutput.sOut;
    switch (m_eFormat) {
    case OutputFormat::Json: {
        s += "{\"schedule\":\"today\"";
        for (const TodayColumn& o : kTodayColumns) {
            s += ",\"";
            s += o.sKey;
            s += "\":";
            AppendNumber(s, Figure(o, oAuction));
        }
        s += ",\"profitPercent\":";
        s += lPercent ? std::to_string(*lPercent) : "null";
        s += ",\"orders\":" + std::to_string(oFigures.m_lOrders);
        s += ",\"vatReclaimed\":";
        s += oFigures.m_bVatReclaimed ? "true" : "false";
        s += ",\"dataDate\":";
        AppendJsonString(s, oFigures.m_sDataDate);
        s += ",\"account\":";
        AppendJsonString(s, oAccount.m_sKey);
        s += ",\"category\":";
        AppendJsonString(s, oCategory.m_sKey);
        s += ",\"buyerRegion\":";
        AppendJsonString(s, oRegion.m_sKey);
        s += ",\"notes\":[";
        for (size_t i = 0; i < oFigures.m_aoNotes.size(); ++i) {
            s += i ? ",{\"what\":" : "{\"what\":";
            AppendJsonString(s, oFigures.m_aoNotes[i].m_sWhat);
            s += ",\"flag\":";
            AppendJsonString(s, SourceFlagText(oFigures.m_aoNotes[i].m_eFlag));
            s += '}';
        }
        s += ']';
        AppendInsight(ofBreakEven, ofTarget, asHints, 0);
        s += "}\n";
        break;
    }
    case OutputFormat::Csv: {
        for (const TodayColumn& o : kTodayColumns) {
            AppendNumber(s, Figure(o, oAuction));
            s += ',';
        }
        if (lPercent) s += std::to_string(*lPercent);
        s += ',' + std::to_string(oFigures.m_lOrders) + ',';
        s += oFigures.m_bVatReclaimed ? "true," : "false,";
        for (const std::string* p :
             {&oFigures.m_sDataDate, &oAccount.m_sKey, &oCategory.m_sKey, &oRegion.m_sKey}) {
            AppendCsvField(s, *p);
            s += ',';
        }
        std::string sNotes;
        for (const clsTodayNote& o : oFigures.m_aoNotes)
            sNotes += (sNotes.empty() ? "" : "; ") + o.Text();
        AppendCsvField(s, sNotes);
        s += ',';
        AppendInsight(ofBreakEven, ofTarget, asHints, 0);
        s += '\n';
        break;
    }
    case OutputFormat::Text: {
        auto Line = [&](std::string sCaption, const std::string& sValue) {
            sCaption.resize(22, ' ');
            s += "  " + sCaption + sValue + '\n';
        };
        const clsTodayApplies oApplies = oSchedule.Applies(oAccount.m_sKey);
        s += sInput;
        s += '\n';
        Line("Schedule", "eBay " + oSchedule.Site() + " today, data of " + oFigures.m_sDataDate);
        Line("Account", oAccount.m_sName);
        Line("Category", oCategory.m_sName);
        Line("Buyer in", oRegion.m_sName);
        if (oFigures.m_lOrders > 1) Line("Orders", std::to_string(oFigures.m_lOrders));
        for (const TodayColumn& o : kTodayColumns) {
            if (!Shown(o, oApplies)) continue;
            std::string sValue = FormatCurrency(Figure(o, oAuction));
            if (o.pAuction == &clsCalculate::m_fProfit && lPercent)
                sValue += " (" + std::to_string(*lPercent) + "%)";
            if (o.pFigure == &clsTodayFigures::m_fVatOnFees && oFigures.m_bVatReclaimed)
                sValue += " (reclaimed)";
            Line(o.sCaption, sValue);
        }
        AppendInsight(ofBreakEven, ofTarget, asHints, 22);
        for (const clsTodayNote& o : oFigures.m_aoNotes)
            Line("Note", o.Text());
        break;
    }
    }
}
