#include "clsBatchCalculator.h"

#include "basCommon.h"
#include "basOutput.h"
#include "clsCalculate.h"
#include "clsError.h"
#include "clsFeeHints.h"
#include "clsPriceSearch.h"
#include "clsPrices.h"
#include "clsSellingCostFigures.h"
#include "clsTodaySchedule.h"

#include <charconv>
#include <cstdio>
#include <iostream>
#include <optional>
#include <vector>

namespace {

struct Column {
    const char* sKey;
    const char* sCaption;
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

clsBatchCalculator::clsBatchCalculator(OutputFormat eFormat, InsightOptions oInsight)
    : m_eFormat(eFormat), m_oInsight(oInsight) {
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
    if (GetTodaySchedule()) return WriteTodayHeader();
    std::string& s = m_oOutput.sOut;
    for (const Column& oColumn : kColumns)
        s += std::string(oColumn.sKey) + ',';
    s += "profitPercent,";
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
    try {
        oAuction.DoCalc();
        WriteFigures(oAuction, sInput);
    } catch (const clsError& oError) {
        WriteError(sInput, oError.Description());
        m_bInputFailed = true;
    }
    t_pActive = nullptr;
    return !m_bInputFailed;
}

bool clsBatchCalculator::Unreadable(std::string_view sInput, std::string_view sReason,
                                    bool bFigures) {
    Message(sInput, sReason);
    if (bFigures) Calculate("", sInput);
    return false;
}

void clsBatchCalculator::WriteFigures(const clsCalculate& oAuction, std::string_view sInput) {
    const clsSellingCostFigures oFigures(oAuction);
    // Worked out before anything is written, so that a failing search leaves no half row.
    std::optional<float> ofBreakEven;
    std::optional<float> ofTarget;
    std::vector<std::string> asHints;
    if (m_oInsight.m_bBreakEven || m_oInsight.HasTarget()) {
        clsPriceSearch oSearch(oAuction);
        if (m_oInsight.m_bBreakEven) ofBreakEven = oSearch.BreakEvenPrice();
        if (m_oInsight.m_ofTargetProfit)
            ofTarget = oSearch.PriceForProfit(*m_oInsight.m_ofTargetProfit);
        else if (m_oInsight.m_ofTargetMargin)
            ofTarget = oSearch.PriceForMargin(*m_oInsight.m_ofTargetMargin);
    }
    if (m_oInsight.m_bHints)
        for (clsFeeHint& oHint : clsFeeHints::Find(oAuction))
            asHints.push_back(std::move(oHint.m_sText));
    if (GetTodaySchedule())
        return WriteTodayFigures(oAuction, sInput, ofBreakEven, ofTarget, asHints);

    std::string& s = m_oOutput.sOut;
    switch (m_eFormat) {
    case OutputFormat::Json: {
        s += '{';
        for (const Column& oColumn : kColumns) {
            s += '"';
            s += oColumn.sKey;
            s += "\":";
            AppendNumber(s, oFigures.*oColumn.pFigure);
            s += ',';
        }
        s += "\"profitPercent\":";
        s += oFigures.m_lProfitPercent ? std::to_string(*oFigures.m_lProfitPercent) : "null";
        AppendInsight(ofBreakEven, ofTarget, asHints, 0);
        s += "}\n";
        break;
    }
    case OutputFormat::Csv: {
        for (const Column& oColumn : kColumns) {
            AppendNumber(s, oFigures.*oColumn.pFigure);
            s += ',';
        }
        if (oFigures.m_lProfitPercent) s += std::to_string(*oFigures.m_lProfitPercent);
        s += ',';
        AppendInsight(ofBreakEven, ofTarget, asHints, 0);
        s += '\n';
        break;
    }
    case OutputFormat::Text: {
        auto Line = [&](std::string sCaption, const std::string& sValue) {
            sCaption.resize(20, ' ');
            s += "  " + sCaption + sValue + '\n';
        };
        s += sInput;
        s += '\n';
        for (const Column& oColumn : kColumns)
            Line(oColumn.sCaption, oColumn.pFigure == &clsSellingCostFigures::m_fProfit
                                       ? oFigures.ProfitText()
                                       : FormatCurrency(oFigures.*oColumn.pFigure));
        AppendInsight(ofBreakEven, ofTarget, asHints, 20);
        break;
    }
    }
}

void clsBatchCalculator::AppendInsight(const std::optional<float>& ofBreakEven,
                                       const std::optional<float>& ofTarget,
                                       const std::vector<std::string>& asHints,
                                       size_t nCaptionWidth) {
    std::string& s = m_oOutput.sOut;
    switch (m_eFormat) {
    case OutputFormat::Json: {
        auto AppendPrice = [&](const char* sKey, const std::optional<float>& ofPrice) {
            s += sKey;
            if (ofPrice)
                AppendNumber(s, *ofPrice);
            else
                s += "null";
        };
        if (m_oInsight.m_bBreakEven) AppendPrice(",\"breakEvenPrice\":", ofBreakEven);
        if (m_oInsight.HasTarget()) AppendPrice(",\"targetPrice\":", ofTarget);
        if (m_oInsight.m_bHints) {
            s += ",\"hints\":[";
            for (size_t i = 0; i < asHints.size(); ++i) {
                if (i) s += ',';
                AppendJsonString(s, asHints[i]);
            }
            s += ']';
        }
        break;
    }
    case OutputFormat::Csv:
        if (m_oInsight.m_bBreakEven) {
            if (ofBreakEven) AppendNumber(s, *ofBreakEven);
            s += ',';
        }
        if (m_oInsight.HasTarget()) {
            if (ofTarget) AppendNumber(s, *ofTarget);
            s += ',';
        }
        if (m_oInsight.m_bHints) {
            std::string sHints;
            for (size_t i = 0; i < asHints.size(); ++i)
                sHints += (i ? "; " : "") + asHints[i];
            AppendCsvField(s, sHints);
            s += ',';
        }
        break;
    case OutputFormat::Text: {
        auto Line = [&](std::string sCaption, const std::string& sValue) {
            sCaption.resize(nCaptionWidth, ' ');
            s += "  " + sCaption + sValue + '\n';
        };
        auto PriceText = [](const std::optional<float>& ofPrice) {
            return ofPrice ? FormatCurrency(*ofPrice) : std::string("unreachable");
        };
        if (m_oInsight.m_bBreakEven) Line("Break-even Price", PriceText(ofBreakEven));
        if (m_oInsight.HasTarget()) Line("Target Price", PriceText(ofTarget));
        for (const std::string& sHint : asHints)
            Line("Hint", sHint);
        break;
    }
    }
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
