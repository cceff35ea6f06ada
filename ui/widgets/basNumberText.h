#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include <string_view>

// Numbers as the user reads and types them: in the user's locale, with its decimal separator
// and its thousands grouping ("2,500.00" in English, "2.500,00" in German). Auction files and
// the price file keep their own locale-free forms (basNumbers).

// The locale numbers are shown and typed in: the user's own, where the C locale (none
// chosen) reads as English.
QLocale NumberLocale();

// The thousands separator shown beside a decimal separator; empty when the locale groups no
// digits or would group with the decimal separator itself.
QString GroupSeparator(const QString& sDecimal);

// A plain number as the program formats it ("-1250.5", "1,250.00") in the user's form:
// grouped thousands and sDecimal for the point ("-1,250.5").
QString LocalNumberText(std::string_view sPlain, const QString& sDecimal);

// An amount as money: the sign before the currency symbol, then the user's form of the
// price file's currency format: "£1,250.00", "-£17.40". With nPlaces 0 or more, that many
// decimals instead of the currency format's ("£50" on a chart's axis).
QString MoneyText(float fAmount, int nPlaces = -1);

// The price file's currency symbol; empty when it has none.
QString CurrencySymbol();

// How typed text reads as a number.
enum class NumberEntry {
    Valid,        // a number
    Intermediate, // not yet a number, but typing on can make it one ("", "-", "2,5")
    Invalid,      // never a number ("abc", "1.2.3")
};

// Reads typed text: blanks around it, a sign, a currency symbol of asSymbols before or after
// the number, digits grouped by thousands (the locale's separator or a blank: "2,500",
// "1 250"), one sDecimal and its decimals. fValue is set only for a valid number that fits a
// single-precision amount.
NumberEntry ReadNumberText(const QString& sText, const QString& sDecimal,
                           const QStringList& asSymbols, float& fValue);
