#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Number text conversions used by the price file and the auction text. They never
// depend on the user's locale: numbers are written with "." and read with "." or ",".

// Reads a decimal number: optional blanks, sign, digits with one "." or "," and an
// optional exponent ("12.5", " 12,5", "-1E-05"). False for anything else.
bool ParseNumber(std::string_view sText, double& dValue);

// Reads a whole number; a fraction is rounded half to even ("2.5" -> 2, "3.5" -> 4).
bool ParseWhole(std::string_view sText, int64_t& lValue);

// Reads a whole number that fits in 32 bits ("120", "-3"); false for anything else, and
// then lValue is left as it was.
bool ParseLong(std::string_view sText, int32_t& lValue);

// Reads a single-precision amount; false when the number is out of its range.
bool ParseSingle(std::string_view sText, float& fValue);

// General form of an amount with at most 7 significant digits:
// 12 -> "12", 0.5 -> "0.5", 12345678 -> "1.234568E+07", 0.00001 -> "1E-05".
std::string FormatGeneral(float fValue);

// What the text of FormatGeneral reads back as (ParseSingle): the amount rounded to 7
// significant digits, halves to even, worked out without writing the text. 0 for a value
// that is not finite, as FormatGeneral writes it.
float GeneralValue(float fValue);

// An amount as shown by a number picture such as "0.00" or "#,##0.00", rounded half away
// from zero on the amount's shortest decimal form: (2.1875, "0.00") -> "2.19".
std::string FormatPicture(float fValue, std::string_view sPicture);
// The same text appended to sOut; amounts of whole pennies (or far from a half penny) below
// 10,000 are written straight from their digits, without the shortest form or an allocation.
void AppendPicture(std::string& sOut, float fValue, std::string_view sPicture);
// That quick text written at p, which has room for kPictureChars; gives its end, or null
// (nothing written) for an amount or picture that needs FormatPicture.
constexpr size_t kPictureChars = 32;
char* WritePicture(char* p, float fValue, std::string_view sPicture);

// The shortest text that reads back as the same single-precision value (std::to_chars):
// 2.1875 -> "2.1875", 0.1 -> "0.1", 1e+06; whole pennies below 10,000 written straight from
// their digits.
void AppendShortest(std::string& sOut, float fValue);
// The same text written at p, which has room for kShortestChars; gives its end.
constexpr size_t kShortestChars = 32;
char* WriteShortest(char* p, float fValue);

// Stores a result as a single-precision amount; raises an overflow error when it does
// not fit (or is not a number), as every fee calculation must.
float ToSingle(double dValue);

// The most whole pennies (smallest units of money) an amount is ever turned into: a price of
// a million at the finest currency scale, far inside a 64-bit whole number.
constexpr int64_t kMaxPennies = 1'000'000'000'000'000;
// The amount in whole pennies at a scale (100 for "0.00"), rounded. False, with nPennies left
// alone, when that is beyond kMaxPennies either way or not a number at all.
bool ToPennies(double dAmount, int32_t lScale, int64_t& nPennies);
