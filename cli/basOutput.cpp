#include "basOutput.h"

#include <charconv>
#include <cstdio>

void AppendNumber(std::string& sOut, float fValue) {
    char acBuf[32];
    const auto oResult = std::to_chars(acBuf, acBuf + sizeof acBuf, fValue);
    sOut.append(acBuf, oResult.ptr);
}

void AppendJsonString(std::string& sOut, std::string_view sText) {
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
