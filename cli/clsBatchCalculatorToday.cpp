// The calculator's output for today's schedule: every fee by kind, the buyer's price, the
// choices the auction was worked out with and the notes on values eBay did not publish.
#include "clsBatchCalculator.h"

#include "basCommon.h"
#include "basOutput.h"
#include "clsCalculate.h"
#include "clsPrices.h"
#include "clsSellingCostFigures.h"
#include "clsTodaySchedule.h"

#include <charconv>
#include <iterator>

namespace {

struct TodayColumn {
    std::string_view sKey;
    std::string_view sCaption;
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

// Columns after the figures: the choices the auction was worked out with, and the notes.
constexpr const char* kTodayChoiceKeys[] = {"orders",   "vatReclaimed", "dataDate", "account",
                                            "category", "buyerRegion",  "notes"};

float Figure(const TodayColumn& o, const clsCalculate& oAuction) {
    return o.pFigure ? oAuction.m_oTodayFigures.*o.pFigure : oAuction.*o.pAuction;
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
    return std::size(kTodayColumns) + 1 + std::size(kTodayChoiceKeys); // and profit %
}

void clsBatchCalculator::WriteTodayHeader() {
    std::string& s = m_oOutput.sOut;
    for (const TodayColumn& o : kTodayColumns)
        s.append(o.sKey).append(1, ',');
    s += "profitPercent,";
    for (const char* sKey : kTodayChoiceKeys)
        s.append(sKey).append(1, ',');
}

void clsBatchCalculator::WriteTodayFigures(const clsCalculate& oAuction, std::string_view sInput,
                                           const Insight& oInsight) {
    const clsTodaySchedule& oSchedule = *GetTodaySchedule();
    const clsTodayFigures& oFigures = oAuction.m_oTodayFigures;
    const std::optional<int32_t> olPercent =
        clsSellingCostFigures::ProfitPercent(oAuction.m_fProfit, oAuction.m_fSellCost);
    const clsTodayChoice& oAccount = oSchedule.Accounts()[oFigures.m_nAccount];
    const clsTodayChoice& oCategory = oSchedule.Categories()[oFigures.m_nCategory];
    const clsTodayChoice& oRegion = oSchedule.BuyerRegions()[oFigures.m_nBuyerRegion];
    clsRowWriter& r = m_oRow;
    std::string& s = m_oOutput.sOut;
    const bool bText = m_eFormat == OutputFormat::Text;
    r.Begin(sInput, 22);
    clsTodayApplies oApplies;
    if (bText) {
        oApplies = oSchedule.Applies(oAccount.m_sKey);
        r.Caption("Schedule")
            .append("eBay ")
            .append(oSchedule.Site())
            .append(" today, data of ")
            .append(oFigures.m_sDataDate)
            .append(1, '\n');
        r.Line("Account", oAccount.m_sName);
        r.Line("Category", oCategory.m_sName);
        r.Line("Buyer in", oRegion.m_sName);
        if (oFigures.m_lOrders > 1) {
            char acOrders[16];
            const auto oEnd =
                std::to_chars(acOrders, acOrders + sizeof acOrders, oFigures.m_lOrders);
            r.Line("Orders", std::string_view(acOrders, size_t(oEnd.ptr - acOrders)));
        }
    } else if (m_eFormat == OutputFormat::Json) {
        r.Key("schedule") += "\"today\"";
    }
    char acPercent[24];
    for (const TodayColumn& o : kTodayColumns) {
        std::string_view sSuffix;
        if (o.pAuction == &clsCalculate::m_fProfit)
            sSuffix = PercentSuffix(acPercent, olPercent);
        else if (o.pFigure == &clsTodayFigures::m_fVatOnFees && oFigures.m_bVatReclaimed)
            sSuffix = " (reclaimed)";
        r.Money(o.sKey, o.sCaption, Figure(o, oAuction), sSuffix, !bText || Shown(o, oApplies));
    }
    r.Whole("profitPercent", olPercent);
    r.Whole("orders", oFigures.m_lOrders);
    r.Flag("vatReclaimed", oFigures.m_bVatReclaimed);
    r.Text("dataDate", oFigures.m_sDataDate);
    r.Text("account", oAccount.m_sKey);
    r.Text("category", oCategory.m_sKey);
    r.Text("buyerRegion", oRegion.m_sKey);
    if (m_eFormat == OutputFormat::Json) {
        r.Key("notes") += '[';
        for (size_t i = 0; i < oFigures.m_aoNotes.size(); ++i) {
            s += i ? std::string_view(",{\"what\":") : std::string_view("{\"what\":");
            AppendJsonString(s, oFigures.m_aoNotes[i].m_sWhat);
            s += ",\"flag\":";
            AppendJsonString(s, SourceFlagText(oFigures.m_aoNotes[i].m_eFlag));
            s += '}';
        }
        s += ']';
    } else if (m_eFormat == OutputFormat::Csv) {
        m_sScratch.clear();
        for (const clsTodayNote& o : oFigures.m_aoNotes) {
            if (!m_sScratch.empty()) m_sScratch += "; ";
            o.AppendText(m_sScratch);
        }
        r.Text("notes", m_sScratch);
    }
    WriteInsight(oInsight);
    if (bText) {
        for (const clsTodayNote& o : oFigures.m_aoNotes) {
            o.AppendText(r.Caption("Note"));
            s += '\n';
        }
        // A Royal Mail service chosen under the 2008 fees counts nothing here: say so, rather
        // than leave a postage cost of nothing unexplained.
        if (oAuction.m_oPostage.ClassHasNoPrice())
            r.Line("Note", "the auction's Royal Mail service has no price under today's fees: "
                           "only the postage typed in counts");
    }
    r.End();
}
