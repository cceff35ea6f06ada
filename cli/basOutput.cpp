#include "basOutput.h"

#include "basNumbers.h"
#include "clsPriceCache.h"
#include "clsPrices.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>

namespace {

// Copies a text into a row's buffer and gives the end. An empty view may hold no pointer at
// all, which memcpy must not be given.
char* Put(char* p, std::string_view sText) {
    return std::copy(sText.begin(), sText.end(), p);
}

} // namespace

void AppendJsonString(std::string& sOut, std::string_view sText) {
    // Most texts (keys, names, dates) need no escape: quotes and text in one append.
    if (sText.size() <= 254) {
        char acQuoted[256];
        size_t n = 0;
        acQuoted[n++] = '"';
        for (const char c : sText) {
            if (c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20) {
                n = 0;
                break;
            }
            acQuoted[n++] = c;
        }
        if (n) {
            acQuoted[n++] = '"';
            sOut.append(acQuoted, n);
            return;
        }
    }
    sOut += '"';
    // Runs of characters that need no escape are copied whole.
    size_t nPlain = 0;
    while (nPlain < sText.size() && sText[nPlain] != '"' && sText[nPlain] != '\\' &&
           static_cast<unsigned char>(sText[nPlain]) >= 0x20)
        ++nPlain;
    sOut.append(sText.substr(0, nPlain));
    for (const char c : sText.substr(nPlain)) {
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

void AppendCurrency(std::string& sOut, float fValue) {
    const clsPriceCache& oCache = GetPrices().Cache();
    sOut += oCache.m_sCurrencySymbol;
    AppendPicture(sOut, fValue, oCache.m_sCurrencyFormat);
}

std::string_view PercentSuffix(char (&acBuffer)[24], std::optional<int32_t> olPercent) {
    if (!olPercent) return {};
    acBuffer[0] = ' ';
    acBuffer[1] = '(';
    char* p = std::to_chars(acBuffer + 2, acBuffer + sizeof acBuffer - 2, *olPercent).ptr;
    *p++ = '%';
    *p++ = ')';
    return std::string_view(acBuffer, size_t(p - acBuffer));
}

void clsRowWriter::Begin(std::string_view sInput, size_t nCaptionWidth) {
    m_nPending = 0; // the figures of a row a failure broke off are dropped
    m_nCaptionWidth = nCaptionWidth;
    m_bFirst = true;
    if (m_eFormat == OutputFormat::Json) {
        Out() += '{';
    } else if (m_eFormat == OutputFormat::Text) {
        Out() += sInput;
        Out() += '\n';
    }
}

void clsRowWriter::End() {
    if (m_eFormat == OutputFormat::Json)
        Out() += "}\n";
    else if (m_eFormat == OutputFormat::Csv)
        Out() += '\n';
}

std::string& clsRowWriter::Key(std::string_view sKey) {
    if (m_eFormat == OutputFormat::Json) {
        Out() += m_bFirst ? std::string_view("\"") : std::string_view(",\"");
        Out() += sKey;
        Out() += "\":";
        m_bFirst = false;
    }
    return Out();
}

void clsRowWriter::Next() {
    if (m_eFormat == OutputFormat::Csv) Out() += ',';
}

std::string& clsRowWriter::Caption(std::string_view sCaption) {
    sCaption = sCaption.substr(0, m_nCaptionWidth);
    Out() += "  ";
    Out() += sCaption;
    Out().append(m_nCaptionWidth - sCaption.size(), ' ');
    return Out();
}

void clsRowWriter::Money(std::string_view sKey, std::string_view sCaption, float fValue,
                         std::string_view sTextSuffix, bool bShown) {
    if (m_eFormat == OutputFormat::Text) {
        if (!bShown) return;
        // The line put together first, when its parts are short: one append.
        const clsPriceCache& oCache = GetPrices().Cache();
        char acLine[256];
        sCaption = sCaption.substr(0, m_nCaptionWidth);
        const size_t nFixed = 2 + m_nCaptionWidth + oCache.m_sCurrencySymbol.size() +
                              kPictureChars + sTextSuffix.size() + 1;
        char* p = acLine;
        if (nFixed <= sizeof acLine) {
            *p++ = ' ';
            *p++ = ' ';
            p = Put(p, sCaption);
            std::memset(p, ' ', m_nCaptionWidth - sCaption.size());
            p += m_nCaptionWidth - sCaption.size();
            p = WritePicture(Put(p, oCache.m_sCurrencySymbol), fValue, oCache.m_sCurrencyFormat);
        }
        if (nFixed > sizeof acLine || !p) {
            AppendCurrency(Caption(sCaption), fValue);
            Out() += sTextSuffix;
            Out() += '\n';
            return;
        }
        p = Put(p, sTextSuffix);
        *p++ = '\n';
        Out().append(acLine, p);
        return;
    }
    if (char* p = Field(sKey, kShortestChars)) return Commit(WriteShortest(p, fValue));
    AppendShortest(Key(sKey), fValue);
    Next();
}

char* clsRowWriter::Field(std::string_view sKey, size_t nValue) {
    if (sKey.size() > kMaxKey || nValue > kMaxValue) return nullptr;
    if (m_nPending + kMaxKey + 4 + nValue + 1 > sizeof m_acPending) Flush();
    char* p = m_acPending + m_nPending;
    if (m_eFormat == OutputFormat::Json) {
        if (!m_bFirst) *p++ = ',';
        *p++ = '"';
        p = Put(p, sKey);
        *p++ = '"';
        *p++ = ':';
        m_bFirst = false;
    }
    return p;
}

void clsRowWriter::Commit(char* p) {
    if (m_eFormat == OutputFormat::Csv) *p++ = ',';
    m_nPending = size_t(p - m_acPending);
}

void clsRowWriter::Flush() {
    m_sOut.append(m_acPending, m_nPending);
    m_nPending = 0;
}

void clsRowWriter::Price(std::string_view sKey, std::string_view sCaption,
                         const std::optional<float>& ofPrice) {
    if (ofPrice) return Money(sKey, sCaption, *ofPrice);
    if (m_eFormat == OutputFormat::Text) return Line(sCaption, "unreachable");
    Raw(sKey, m_eFormat == OutputFormat::Json ? "null" : "");
}

void clsRowWriter::Raw(std::string_view sKey, std::string_view sValue) {
    if (char* p = Field(sKey, sValue.size())) {
        return Commit(Put(p, sValue));
    }
    if (m_eFormat == OutputFormat::Json) Key(sKey) += sValue;
    Next();
}

void clsRowWriter::Whole(std::string_view sKey, std::optional<int64_t> olValue) {
    if (m_eFormat == OutputFormat::Text) return;
    if (!olValue) return Raw(sKey, m_eFormat == OutputFormat::Json ? "null" : "");
    char acDigits[24];
    Raw(sKey,
        std::string_view(
            acDigits,
            size_t(std::to_chars(acDigits, acDigits + sizeof acDigits, *olValue).ptr - acDigits)));
}

void clsRowWriter::Flag(std::string_view sKey, bool bValue) {
    if (m_eFormat == OutputFormat::Text) return;
    Raw(sKey, bValue ? std::string_view("true") : std::string_view("false"));
}

void clsRowWriter::Text(std::string_view sKey, std::string_view sValue) {
    if (m_eFormat == OutputFormat::Text) return;
    // A text that needs no quotes in CSV nor escapes in JSON (keys, names, dates) goes with
    // the figures.
    const bool bJson = m_eFormat == OutputFormat::Json;
    bool bPlain = true;
    for (const char c : sValue)
        bPlain &= bJson ? c != '"' && c != '\\' && static_cast<unsigned char>(c) >= 0x20
                        : c != ',' && c != '"' && c != '\r' && c != '\n';
    if (char* p = bPlain ? Field(sKey, sValue.size() + 2) : nullptr) {
        if (bJson) *p++ = '"';
        p = Put(p, sValue);
        if (bJson) *p++ = '"';
        return Commit(p);
    }
    if (bJson)
        AppendJsonString(Key(sKey), sValue);
    else
        AppendCsvField(Out(), sValue);
    Next();
}

void clsRowWriter::List(std::string_view sKey, std::string_view sCaption,
                        const std::vector<std::string>& asItems) {
    switch (m_eFormat) {
    case OutputFormat::Json:
        Key(sKey) += '[';
        for (size_t i = 0; i < asItems.size(); ++i) {
            if (i) Out() += ',';
            AppendJsonString(Out(), asItems[i]);
        }
        Out() += ']';
        break;
    case OutputFormat::Csv: {
        std::string sJoined;
        for (size_t i = 0; i < asItems.size(); ++i)
            sJoined += (i ? "; " : "") + asItems[i];
        AppendCsvField(Out(), sJoined);
        Out() += ',';
        break;
    }
    case OutputFormat::Text:
        for (const std::string& sItem : asItems)
            Line(sCaption, sItem);
        break;
    }
}

void clsRowWriter::Line(std::string_view sCaption, std::string_view sValue) {
    if (m_eFormat != OutputFormat::Text) return;
    Caption(sCaption) += sValue;
    Out() += '\n';
}
