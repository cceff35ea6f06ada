#include "basHex.h"

#include "clsError.h"

#include <QString>

#include <algorithm>

std::string HexEncode(const std::string& sText) {
    static const char acDigits[] = "0123456789ABCDEF";
    const QString s = QString::fromUtf8(sText.data(), static_cast<qsizetype>(sText.size()));
    std::string sHex;
    sHex.reserve(static_cast<size_t>(s.size()) * 4);
    for (const QChar c : s) {
        const char16_t u = c.unicode();
        for (int nShift = 12; nShift >= 0; nShift -= 4)
            sHex += acDigits[(u >> nShift) & 0xF];
    }
    return sHex;
}

std::string HexDecode(const std::string& sText) {
    QString s;
    for (size_t i = 0; i < sText.size(); i += 4) {
        const size_t nEnd = std::min(sText.size(), i + 4);
        char16_t u = 0;
        for (size_t j = i; j < nEnd; ++j) {
            const char c = sText[j];
            int nDigit;
            if (c >= '0' && c <= '9')
                nDigit = c - '0';
            else if (c >= 'A' && c <= 'F')
                nDigit = c - 'A' + 10;
            else if (c >= 'a' && c <= 'f')
                nDigit = c - 'a' + 10;
            else
                clsError::Raise(ErrNumber::TypeMismatch, "HexDecode");
            u = static_cast<char16_t>((u << 4) | nDigit);
        }
        s += QChar(u);
    }
    const QByteArray ab = s.toUtf8();
    return std::string(ab.constData(), static_cast<size_t>(ab.size()));
}
