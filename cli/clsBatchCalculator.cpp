#include "clsBatchCalculator.h"

#include "basCommon.h"
#include "clsCalculate.h"
#include "clsError.h"
#include "clsPrices.h"
#include "clsSellingCostFigures.h"

#include <charconv>
#include <cstdio>
#include <iostream>

namespace {

// Shortest text that reads back as the same single-precision value: 2.1875, 0.1.
void AppendNumber(std::string& sOut, float fValue) {
    char acBuf[32];
    const auto oResult = std::to_chars(acBuf, acBuf + sizeof acBuf, fValue);
    sOut.append(acBuf, oResult.ptr);
}

void AppendJsonString(std::string& sOut, std::string_view sText) {
    sOut += '"';
    for (const char c : sText) {
        switch (c) {
        case '"':
            sOut += "\\\"";
            break;
        case '\\':
            sOut += "\\\\";
            break;
        case '\n':
            sOut += "\\n";
            break;
        case '\r':
            sOut += "\\r";
            break;
        case '\t':
            sOut += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char acEscape[8];
                std::snprintf(acEscape, sizeof acEscape, "\\u%04x", c);
                sOut += acEscape;
            } else {
                sOut += c;
            }
        }
    }
    sOut += '"';
}

void AppendCsvField(std::string& sOut, std::string_view sText) {
    if (sText.find_first_of(",\"\r\n") == std::string_view::npos) {
        sOut += sText;
        return;
    }
    sOut += '"';
    for (const char c : sText) {
        if (c == '"') sOut += '"';
        sOut += c;
    }
    sOut += '"';
}

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

std::string OneLine(std::string sText) {
    for (char& c : sText)
        if (c == '\r' || c == '\n') c = ' ';
    return sText;
}

} // namespace

clsBatchCalculator::clsBatchCalculator(OutputFormat eFormat) : m_eFormat(eFormat) {
    // Messages the model raises while loading (a missing section) name the input.
    SetShowMessageHandler([this](const std::string& sPrompt, int32_t, const std::string&) {
        Flush();
        std::cerr << (m_pCurrentInput ? *m_pCurrentInput + ": " : std::string()) << OneLine(sPrompt)
                  << '\n';
        m_bInputFailed = true;
        return MsgBox::ResultOK;
    });
}

clsBatchCalculator::~clsBatchCalculator() {
    Flush();
    SetShowMessageHandler(nullptr);
}

void clsBatchCalculator::WriteHeader() {
    if (m_eFormat != OutputFormat::Csv) return;
    for (const Column& oColumn : kColumns)
        m_sOutput += std::string(oColumn.sKey) + ',';
    m_sOutput += "profitPercent,error\n";
}

void clsBatchCalculator::Flush() {
    std::fwrite(m_sOutput.data(), 1, m_sOutput.size(), stdout);
    std::fflush(stdout);
    m_sOutput.clear();
}

bool clsBatchCalculator::Calculate(std::string_view sText, const std::string& sInput) {
    m_pCurrentInput = &sInput;
    m_bInputFailed = false;
    clsCalculate oAuction; // every input starts from a fresh auction
    std::string sData(sText);
    oAuction.Serialize(sData, false);
    try {
        oAuction.DoCalc();
        WriteFigures(oAuction, sInput);
    } catch (const clsError& oError) {
        WriteError(sInput, oError.Description());
        m_bInputFailed = true;
    }
    m_pCurrentInput = nullptr;
    if (m_sOutput.size() > (1u << 16)) Flush();
    return !m_bInputFailed;
}

bool clsBatchCalculator::Unreadable(const std::string& sInput, const std::string& sReason) {
    Flush();
    std::cerr << sInput << ": " << sReason << '\n';
    Calculate("", sInput);
    return false;
}

void clsBatchCalculator::WriteFigures(clsCalculate& oAuction, const std::string& sInput) {
    const clsSellingCostFigures oFigures(oAuction);
    std::string& s = m_sOutput;
    switch (m_eFormat) {
    case OutputFormat::Json:
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
        s += "}\n";
        break;
    case OutputFormat::Csv:
        for (const Column& oColumn : kColumns) {
            AppendNumber(s, oFigures.*oColumn.pFigure);
            s += ',';
        }
        if (oFigures.m_lProfitPercent) s += std::to_string(*oFigures.m_lProfitPercent);
        s += ",\n";
        break;
    case OutputFormat::Text:
        s += sInput + '\n';
        for (const Column& oColumn : kColumns) {
            std::string sCaption = oColumn.sCaption;
            sCaption.resize(20, ' ');
            s += "  " + sCaption +
                 (oColumn.pFigure == &clsSellingCostFigures::m_fProfit
                      ? oFigures.ProfitText()
                      : FormatCurrency(oFigures.*oColumn.pFigure)) +
                 '\n';
        }
        break;
    }
}

void clsBatchCalculator::WriteError(const std::string& sInput, const std::string& sError) {
    std::string& s = m_sOutput;
    switch (m_eFormat) {
    case OutputFormat::Json:
        s += "{\"error\":";
        AppendJsonString(s, sError);
        s += "}\n";
        break;
    case OutputFormat::Csv:
        for (size_t i = 0; i <= std::size(kColumns); ++i)
            s += ',';
        AppendCsvField(s, sError);
        s += '\n';
        break;
    case OutputFormat::Text:
        s += sInput + "\n  Error: " + OneLine(sError) + '\n';
        break;
    }
}
