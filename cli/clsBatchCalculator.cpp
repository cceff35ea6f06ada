#include "clsBatchCalculator.h"

#include "basCommon.h"
#include "basOutput.h"
#include "clsCalculate.h"
#include "clsError.h"
#include "clsFeeHints.h"
#include "clsPriceSearch.h"
#include "clsPrices.h"
#include "clsSellingCostFigures.h"
#include "clsTodayOptions.h"
#include "clsTodaySchedule.h"

#include <charconv>
#include <cstdio>
#include <iostream>
#include <optional>
#include <vector>

namespace {

struct Column {
    std::string_view sKey;
    std::string_view sCaption;
    float clsSellingCostFigures::*pFigure;
};

constexpr Column kColumns[] = {
    {"insertionFee", "Insertion Fee", &clsSellingCostFigures::m_fInsertionFee},
    {"reserveFee", "Reserve Fee", &clsSellingCostFigures::m_fReserveFee},
    {"finalValueFee", "Final Value Fee", &clsSellingCostFigures::m_fFinalValueFee},
    {"totalListingFee", "Total Listing Fee", &clsSellingCostFigures::m_fTotalListingFee},
    {"sellingCost", "Selling Cost", &clsSellingCostFigures::m_fSellingCost},
    {"postage", "Postage & Packing", &clsSellingCostFigures::m_fPostage},
    {"postageProfit", "Postage Mark-up", &clsSellingCostFigures::m_fPostageProfit},
    {"payPalFee", "PayPal Fee", &clsSellingCostFigures::m_fPayPalFee},
    {"profit", "Profit", &clsSellingCostFigures::m_fProfit},
};

std::string OneLine(std::string_view sText) {
    std::string sLine(sText);
    for (char& c : sLine)
        if (c == '\r' || c == '\n') c = ' ';
    return sLine;
}

// The calculator at work on this thread: messages the model raises while it loads an auction
// name its input. Calculators are made and dropped on the main thread, before and after the
// threads that use them run.
thread_local clsBatchCalculator* t_pActive = nullptr;
int g_nCalculators = 0;

} // namespace

clsBatchCalculator::clsBatchCalculator(OutputFormat eFormat, InsightOptions oInsight,
                                       const clsTodayOptions* pToday)
    : m_eFormat(eFormat), m_oInsight(oInsight), m_pToday(pToday) {
    if (g_nCalculators++ == 0)
        SetShowMessageHandler([](const std::string& sPrompt, int32_t, const std::string&) {
            if (t_pActive)
                t_pActive->Message(t_pActive->m_sCurrentInput, sPrompt);
            else
                std::fprintf(stderr, "%s\n", OneLine(sPrompt).c_str());
            return MsgBox::ResultOK;
        });
}

clsBatchCalculator::~clsBatchCalculator() {
    if (--g_nCalculators == 0) SetShowMessageHandler(nullptr);
}

void clsBatchOutput::Clear() {
    sOut.clear();
    aoMessages.clear();
}

void clsBatchOutput::Write() const {
    size_t nDone = 0;
    for (const Message& oMessage : aoMessages) {
        std::fwrite(sOut.data() + nDone, 1, oMessage.nAt - nDone, stdout);
        nDone = oMessage.nAt;
        // Figures before a message reach a shared terminal or file before it.
        std::fflush(stdout);
        std::fwrite(oMessage.sText.data(), 1, oMessage.sText.size(), stderr);
    }
    std::fwrite(sOut.data() + nDone, 1, sOut.size() - nDone, stdout);
}

void clsBatchCalculator::Message(std::string_view sInput, std::string_view sText) {
    std::string sLine(sInput);
    sLine += ": ";
    sLine += OneLine(sText);
    sLine += '\n';
    m_oOutput.aoMessages.push_back({m_oOutput.sOut.size(), std::move(sLine)});
    m_bInputFailed = true;
}

void clsBatchCalculator::WriteHeader() {
    if (m_eFormat != OutputFormat::Csv) return;
    std::string& s = m_oOutput.sOut;
    if (GetTodaySchedule()) {
        WriteTodayHeader();
    } else {
        for (const Column& oColumn : kColumns)
            s.append(oColumn.sKey).append(1, ',');
        s += "profitPercent,";
    }
    if (m_oInsight.m_bBreakEven) s += "breakEvenPrice,";
    if (m_oInsight.HasTarget()) s += "targetPrice,";
    if (m_oInsight.m_bHints) s += "hints,";
    s += "error\n";
}

size_t clsBatchCalculator::InsightColumns() const {
    return size_t(m_oInsight.m_bBreakEven) + size_t(m_oInsight.HasTarget()) +
           size_t(m_oInsight.m_bHints);
}

void clsBatchCalculator::TakeOutput(clsBatchOutput& oOutput) {
    oOutput.Clear();
    std::swap(oOutput, m_oOutput);
}

bool clsBatchCalculator::Calculate(std::string_view sText, std::string_view sInput) {
    m_sCurrentInput = sInput;
    m_bInputFailed = false;
    t_pActive = this;
    clsCalculate oAuction; // every input starts from a fresh auction
    try {
        // A missing section is reported; the sections read before it stay loaded.
        oAuction.Load(sText);
    } catch (const clsError& oError) {
        Message(sInput, oError.Description());
    }
    if (m_pToday) m_pToday->ApplyTo(oAuction.m_oToday);
    // Today's notes are written over the room of the last auction's, saving their allocations.
    oAuction.m_oTodayFigures.m_aoNotes.swap(m_aoNotesRoom);
    try {
        oAuction.DoCalc();
        WriteFigures(oAuction, sInput);
    } catch (const clsError& oError) {
        WriteError(sInput, oError.Description());
        m_bInputFailed = true;
    }
    oAuction.m_oTodayFigures.m_aoNotes.swap(m_aoNotesRoom);
    t_pActive = nullptr;
    return !m_bInputFailed;
}

bool clsBatchCalculator::Unreadable(std::string_view sInput, std::string_view sReason,
                                    bool bFigures) {
    Message(sInput, sReason);
    if (bFigures) Calculate("", sInput);
    return false;
}

void clsBatchCalculator::FindInsight(const clsCalculate& oAuction, Insight& oInsight) const {
    oInsight.ofBreakEven.reset();
    oInsight.ofTarget.reset();
    oInsight.asHints.clear();
    if (m_oInsight.m_bBreakEven || m_oInsight.HasTarget()) {
        clsPriceSearch oSearch(oAuction);
        if (m_oInsight.m_bBreakEven) oInsight.ofBreakEven = oSearch.BreakEvenPrice();
        if (m_oInsight.m_ofTargetProfit)
            oInsight.ofTarget = oSearch.PriceForProfit(*m_oInsight.m_ofTargetProfit);
        else if (m_oInsight.m_ofTargetMargin)
            oInsight.ofTarget = oSearch.PriceForMargin(*m_oInsight.m_ofTargetMargin);
    }
    if (m_oInsight.m_bHints)
        for (clsFeeHint& oHint : clsFeeHints::Find(oAuction))
            oInsight.asHints.push_back(std::move(oHint.m_sText));
}

void clsBatchCalculator::WriteFigures(const clsCalculate& oAuction, std::string_view sInput) {
    FindInsight(oAuction, m_oFound);
    if (GetTodaySchedule()) return WriteTodayFigures(oAuction, sInput, m_oFound);

    const clsSellingCostFigures oFigures(oAuction);
    char acPercent[24];
    m_oRow.Begin(sInput, 20);
    for (const Column& oColumn : kColumns)
        m_oRow.Money(oColumn.sKey, oColumn.sCaption, oFigures.*oColumn.pFigure,
                     oColumn.pFigure == &clsSellingCostFigures::m_fProfit
                         ? PercentSuffix(acPercent, oFigures.m_lProfitPercent)
                         : std::string_view());
    m_oRow.Whole("profitPercent", oFigures.m_lProfitPercent);
    WriteInsight(m_oFound);
    m_oRow.End();
}

void clsBatchCalculator::WriteInsight(const Insight& oInsight) {
    if (m_oInsight.m_bBreakEven)
        m_oRow.Price("breakEvenPrice", "Break-even Price", oInsight.ofBreakEven);
    if (m_oInsight.HasTarget()) m_oRow.Price("targetPrice", "Target Price", oInsight.ofTarget);
    if (m_oInsight.m_bHints) m_oRow.List("hints", "Hint", oInsight.asHints);
}

void clsBatchCalculator::WriteError(std::string_view sInput, const std::string& sError) {
    std::string& s = m_oOutput.sOut;
    switch (m_eFormat) {
    case OutputFormat::Json:
        s += "{\"error\":";
        AppendJsonString(s, sError);
        s += "}\n";
        break;
    case OutputFormat::Csv:
        for (size_t i = 0;
             i <= (GetTodaySchedule() ? TodayColumns() : std::size(kColumns)) + InsightColumns();
             ++i)
            s += ',';
        AppendCsvField(s, sError);
        s += '\n';
        break;
    case OutputFormat::Text:
        s += sInput;
        s += "\n  Error: " + OneLine(sError) + '\n';
        break;
    }
}
