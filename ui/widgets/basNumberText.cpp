#include "basNumberText.h"

#include "basNumbers.h"
#include "clsPrices.h"

#include <cmath>
#include <string>

namespace {

bool IsAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Removes a prefix of s when it is one of the texts; true when one was removed.
bool TakePrefix(QString& s, std::initializer_list<QString> asTexts) {
    for (const QString& sText : asTexts)
        if (!sText.isEmpty() && s.startsWith(sText)) {
            s = s.mid(sText.size()).trimmed();
            return true;
        }
    return false;
}

} // namespace

QLocale NumberLocale() {
    QLocale oLocale;
    if (oLocale.language() == QLocale::C) return QLocale(QLocale::English);
    return oLocale;
}

QString GroupSeparator(const QString& sDecimal) {
    const QLocale oLocale = NumberLocale();
    if (oLocale.numberOptions().testFlag(QLocale::OmitGroupSeparator)) return QString();
    const QString sGroup = oLocale.groupSeparator();
    return sGroup == sDecimal ? QString() : sGroup;
}

QString LocalNumberText(std::string_view sPlain, const QString& sDecimal) {
    QString sSign;
    if (!sPlain.empty() && sPlain.front() == '-') {
        sSign = NumberLocale().negativeSign();
        sPlain.remove_prefix(1);
    }
    const size_t nPoint = sPlain.find('.');
    QString sInt;
    for (char c : sPlain.substr(0, nPoint))
        if (c != ',') sInt += QLatin1Char(c);
    const QString sGroup = GroupSeparator(sDecimal);
    if (!sGroup.isEmpty())
        for (qsizetype i = sInt.size() - 3; i > 0; i -= 3)
            sInt.insert(i, sGroup);
    QString sText = sSign + sInt;
    if (nPoint != std::string_view::npos)
        sText += sDecimal + QString::fromLatin1(sPlain.data() + nPoint + 1,
                                                qsizetype(sPlain.size() - nPoint - 1));
    return sText;
}

QString CurrencySymbol() {
    std::string sSymbol;
    GetPrices().GetData("CurrencySymbol", sSymbol);
    return QString::fromStdString(sSymbol);
}

QString MoneyText(float fAmount, int nPlaces) {
    const clsPrices& oPrices = GetPrices();
    std::string sSymbol, sFormat;
    if (!oPrices.GetData("CurrencySymbol", sSymbol)) sSymbol = "£";
    if (nPlaces >= 0)
        sFormat = nPlaces == 0 ? "0" : "0." + std::string(size_t(nPlaces), '0');
    else if (!oPrices.GetData("CurrencyFormat", sFormat))
        sFormat = "0.00";
    std::string sPlain = FormatPicture(fAmount, sFormat);
    // A loss reads "-£17.40": the sign comes before the symbol.
    QString sSign;
    if (!sPlain.empty() && sPlain.front() == '-') {
        sSign = NumberLocale().negativeSign();
        sPlain.erase(0, 1);
    }
    return sSign + QString::fromStdString(sSymbol) +
           LocalNumberText(sPlain, NumberLocale().decimalPoint());
}

NumberEntry ReadNumberText(const QString& sText, const QString& sDecimal,
                           const QStringList& asSymbols, float& fValue) {
    const QLocale oLocale = NumberLocale();
    QString s = sText.trimmed();
    const auto TakeSign = [&](bool& bNegative) {
        if (TakePrefix(s, {QStringLiteral("-"), oLocale.negativeSign(), QString(QChar(0x2212))})) {
            bNegative = true;
            return true;
        }
        return TakePrefix(s, {QStringLiteral("+"), oLocale.positiveSign()});
    };
    const auto TakeSymbol = [&](bool bAtEnd) {
        for (const QString& sSymbol : asSymbols) {
            if (sSymbol.isEmpty()) continue;
            if (!bAtEnd && s.startsWith(sSymbol)) {
                s = s.mid(sSymbol.size()).trimmed();
                return true;
            }
            if (bAtEnd && s.endsWith(sSymbol)) {
                s = s.chopped(sSymbol.size()).trimmed();
                return true;
            }
        }
        return false;
    };
    bool bNegative = false;
    const bool bSign = TakeSign(bNegative);
    // "£-5", "-£5" and "5 €" all read as amounts.
    if (TakeSymbol(false)) {
        if (!bSign) TakeSign(bNegative);
    } else {
        TakeSymbol(true);
    }
    if (s.isEmpty()) return NumberEntry::Intermediate;

    const qsizetype nPoint = s.indexOf(sDecimal);
    const QString sInt = nPoint < 0 ? s : s.left(nPoint);
    const QString sFrac = nPoint < 0 ? QString() : s.mid(nPoint + sDecimal.size());
    for (QChar c : sFrac)
        if (!IsAsciiDigit(c)) return NumberEntry::Invalid;

    // Thousands come in threes after the first group: "2,500", "1 250 000".
    const QString sGroup = GroupSeparator(sDecimal);
    std::string sDigits;
    qsizetype nFirst = 0;
    qsizetype nGroup = -1; // digits since the last separator; -1 before the first one
    for (qsizetype i = 0; i < sInt.size(); ++i) {
        const QChar c = sInt[i];
        if (IsAsciiDigit(c)) {
            sDigits += char(c.unicode());
            ++(nGroup < 0 ? nFirst : nGroup);
            continue;
        }
        const bool bGroupText = !sGroup.isEmpty() && QStringView(sInt).mid(i).startsWith(sGroup);
        if (!c.isSpace() && !bGroupText) return NumberEntry::Invalid;
        if (nGroup < 0 ? nFirst < 1 || nFirst > 3 : nGroup != 3) return NumberEntry::Invalid;
        nGroup = 0;
        if (bGroupText) i += sGroup.size() - 1;
    }
    if (nGroup >= 0 && nGroup != 3)
        return nPoint < 0 && nGroup < 3 ? NumberEntry::Intermediate : NumberEntry::Invalid;
    if (sDigits.empty() && sFrac.isEmpty()) return NumberEntry::Intermediate;

    std::string sPlain = bNegative ? "-" : "";
    sPlain += sDigits.empty() ? "0" : sDigits;
    if (!sFrac.isEmpty()) sPlain += "." + sFrac.toStdString();
    float f = 0;
    if (!ParseSingle(sPlain, f) || !std::isfinite(f)) return NumberEntry::Invalid;
    fValue = f;
    return NumberEntry::Valid;
}
