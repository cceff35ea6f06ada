#include "basNumbers.h"

#include "clsError.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Rounds the digit string "digits" (no sign, no point) with "intLen" digits before the
// point to "decimals" places, half away from zero. Returns the rounded digits and the
// new integer length.
void RoundDigits(std::string& sDigits, int& nIntLen, int nDecimals) {
    const int nKeep = nIntLen + nDecimals;
    if (nKeep < 0) {
        sDigits.assign(1, '0');
        nIntLen = 1;
        return;
    }
    if (static_cast<int>(sDigits.size()) <= nKeep) {
        sDigits.append(static_cast<size_t>(nKeep) - sDigits.size(), '0');
        return;
    }
    const bool bUp = sDigits[static_cast<size_t>(nKeep)] >= '5';
    sDigits.resize(static_cast<size_t>(nKeep));
    if (bUp) {
        int i = nKeep - 1;
        for (; i >= 0; --i) {
            if (sDigits[static_cast<size_t>(i)] == '9') {
                sDigits[static_cast<size_t>(i)] = '0';
            } else {
                ++sDigits[static_cast<size_t>(i)];
                break;
            }
        }
        if (i < 0) {
            sDigits.insert(sDigits.begin(), '1');
            ++nIntLen;
        }
    }
}

} // namespace

bool ParseNumber(std::string_view sText, double& dValue) {
    size_t i = 0;
    const size_t n = sText.size();
    while (i < n && (sText[i] == ' ' || sText[i] == '\t'))
        ++i;
    size_t nEnd = n;
    while (nEnd > i && (sText[nEnd - 1] == ' ' || sText[nEnd - 1] == '\t' ||
                        sText[nEnd - 1] == '\r' || sText[nEnd - 1] == '\n'))
        --nEnd;
    if (i >= nEnd || nEnd - i > 64) return false;
    // Copy into a small buffer with "." as the point, checking the shape as we go.
    char acBuf[72];
    size_t k = 0;
    size_t j = i;
    if (sText[j] == '+' || sText[j] == '-') acBuf[k++] = sText[j++];
    size_t nDigits = 0;
    bool bPoint = false;
    // The digits as a whole number and the places after the point, for the quick road below.
    uint64_t nWhole = 0;
    size_t nPlaces = 0;
    for (; j < nEnd; ++j) {
        const char c = sText[j];
        if (IsDigit(c)) {
            ++nDigits;
            acBuf[k++] = c;
            nWhole = nWhole * 10 + uint64_t(c - '0'); // wraps beyond 19 digits; unused then
            nPlaces += bPoint;
        } else if ((c == '.' || c == ',') && !bPoint) {
            bPoint = true;
            acBuf[k++] = '.';
        } else {
            break;
        }
    }
    if (nDigits == 0) return false;
    if (j == nEnd && nDigits <= 15) {
        // Up to 15 digits and no exponent, the usual field: the digits as a whole number are
        // exact in a double, and so is 10^places, so their quotient is the correctly rounded
        // value from_chars would give, without its cost.
        static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        const double d = double(nWhole) / kPowers[nPlaces];
        dValue = acBuf[0] == '-' ? -d : d;
        return true;
    }
    if (j < nEnd && (sText[j] == 'e' || sText[j] == 'E')) {
        acBuf[k++] = 'e';
        ++j;
        if (j < nEnd && (sText[j] == '+' || sText[j] == '-')) acBuf[k++] = sText[j++];
        size_t nExp = 0;
        for (; j < nEnd && IsDigit(sText[j]); ++j, ++nExp)
            acBuf[k++] = sText[j];
        if (nExp == 0) return false;
    }
    if (j != nEnd) return false;
    const char* pBegin = acBuf;
    if (*pBegin == '+') ++pBegin;
    double d = 0;
    const auto [pEnd, ec] = std::from_chars(pBegin, acBuf + k, d);
    if (ec != std::errc() || pEnd != acBuf + k || !std::isfinite(d)) return false;
    dValue = d;
    return true;
}

bool ParseWhole(std::string_view sText, int64_t& lValue) {
    double d = 0;
    if (!ParseNumber(sText, d)) return false;
    d = std::nearbyint(d); // the default rounding mode rounds halves to even
    if (d < -9.2e18 || d > 9.2e18) return false;
    lValue = static_cast<int64_t>(d);
    return true;
}

bool ParseLong(std::string_view sText, int32_t& lValue) {
    int64_t lWhole = 0;
    if (!ParseWhole(sText, lWhole) || lWhole < std::numeric_limits<int32_t>::min() ||
        lWhole > std::numeric_limits<int32_t>::max())
        return false;
    lValue = static_cast<int32_t>(lWhole);
    return true;
}

bool ParseSingle(std::string_view sText, float& fValue) {
    double d = 0;
    if (!ParseNumber(sText, d)) return false;
    if (std::fabs(d) > std::numeric_limits<float>::max()) return false;
    fValue = static_cast<float>(d);
    return true;
}

std::string FormatGeneral(float fValue) {
    if (fValue == 0 || !std::isfinite(fValue)) return "0";
    char acBuf[32];
    const auto [pEnd, ec] =
        std::to_chars(acBuf, acBuf + sizeof acBuf, fValue, std::chars_format::general, 7);
    if (ec != std::errc()) return "0";
    // to_chars writes "1.234568e+07"; the auction text uses "1.234568E+07".
    std::string s(acBuf, pEnd);
    for (char& c : s)
        if (c == 'e') c = 'E';
    return s;
}

float GeneralValue(float fValue) {
    if (fValue == 0 || !std::isfinite(fValue)) return 0;
    constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3,  1e4,  1e5,  1e6,
                                  1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13};
    const double dAbs = std::fabs(double(fValue));
    double dRounded = 0;
    if (dAbs >= 1e7 && dAbs < 0x1p64) {
        // A whole number (every float this large is one): keep its first 7 digits, rounding
        // the rest away in whole-number arithmetic, exactly.
        const auto nWhole = static_cast<uint64_t>(dAbs);
        int nDrop = 0;
        uint64_t nPower = 1;
        while (nWhole / nPower >= 10000000) {
            nPower *= 10;
            ++nDrop;
        }
        uint64_t nKept = nWhole / nPower;
        const uint64_t nRest = nWhole % nPower;
        if (nRest * 2 > nPower || (nRest * 2 == nPower && nKept % 2 == 1)) ++nKept;
        dRounded = double(nKept) * kPowers[nDrop]; // both exact: one correctly rounded product
    } else if (dAbs >= 1e-6 && dAbs < 1e7) {
        // Scaled by a power of ten up to 10^12 the float's value stays exact in a double (its
        // 24 bits times at most 5^12), so the seven digits round exactly, halves to even.
        int nScale = 6 - static_cast<int>(std::floor(std::log10(dAbs)));
        nScale = std::clamp(nScale, 0, 12);
        double dScaled = dAbs * kPowers[nScale];
        while (dScaled >= 1e7 && nScale > 0)
            dScaled = dAbs * kPowers[--nScale];
        while (dScaled < 1e6 && nScale < 12)
            dScaled = dAbs * kPowers[++nScale];
        dRounded = std::nearbyint(dScaled) / kPowers[nScale]; // a correctly rounded quotient
    } else {
        // Beyond those amounts (no fee comes near them) the text itself decides.
        char acBuf[32];
        const auto oText =
            std::to_chars(acBuf, acBuf + sizeof acBuf, fValue, std::chars_format::general, 7);
        double d = 0;
        std::from_chars(acBuf, oText.ptr, d);
        return static_cast<float>(d);
    }
    return static_cast<float>(std::copysign(dRounded, double(fValue)));
}

namespace {

// Shape of a number picture: digits forced before the point, grouping, places after it.
struct Picture {
    int nMinInt = 0;
    bool bGroup = false;
    int nMinFrac = 0;
    int nMaxFrac = 0;

    explicit Picture(std::string_view sPicture) {
        const size_t nPoint = sPicture.find('.');
        for (char c : sPicture.substr(0, nPoint)) {
            if (c == '0')
                ++nMinInt;
            else if (c == ',')
                bGroup = true;
        }
        if (nPoint == std::string_view::npos) return;
        for (char c : sPicture.substr(nPoint + 1)) {
            if (c == '0') {
                ++nMaxFrac;
                nMinFrac = nMaxFrac;
            } else if (c == '#') {
                ++nMaxFrac;
            }
        }
    }
};

} // namespace

std::string FormatPicture(float fValue, std::string_view sPicture) {
    const Picture oPicture(sPicture);
    const int nMinInt = oPicture.nMinInt;
    const bool bGroup = oPicture.bGroup;
    const int nMinFrac = oPicture.nMinFrac;
    const int nMaxFrac = oPicture.nMaxFrac;

    if (!std::isfinite(fValue)) fValue = 0;
    // Shortest decimal form of the float, as scientific digits and exponent.
    char acBuf[32];
    const auto [pEnd, ec] = std::to_chars(acBuf, acBuf + sizeof acBuf, std::fabs(fValue),
                                          std::chars_format::scientific);
    std::string_view sSci(acBuf, ec == std::errc() ? static_cast<size_t>(pEnd - acBuf) : 0);
    const size_t nE = sSci.find('e');
    std::string sDigits;
    int nExp = 0;
    if (nE != std::string_view::npos) {
        for (char c : sSci.substr(0, nE))
            if (IsDigit(c)) sDigits += c;
        std::from_chars(sSci.data() + nE + 1 + (sSci[nE + 1] == '+' ? 1 : 0),
                        sSci.data() + sSci.size(), nExp);
    } else {
        sDigits = "0";
    }
    int nIntLen = nExp + 1;
    if (nIntLen < 0) {
        sDigits.insert(0, static_cast<size_t>(-nIntLen), '0');
        nIntLen = 0;
    }
    RoundDigits(sDigits, nIntLen, nMaxFrac);

    std::string sIntPart = sDigits.substr(0, static_cast<size_t>(nIntLen));
    std::string sFracPart = sDigits.substr(static_cast<size_t>(nIntLen));
    while (sIntPart.size() > 1 && sIntPart[0] == '0')
        sIntPart.erase(0, 1);
    if (sIntPart == "0") sIntPart.clear();
    while (static_cast<int>(sIntPart.size()) < nMinInt)
        sIntPart.insert(sIntPart.begin(), '0');
    while (static_cast<int>(sFracPart.size()) > nMinFrac && !sFracPart.empty() &&
           sFracPart.back() == '0')
        sFracPart.pop_back();
    if (bGroup) {
        for (int i = static_cast<int>(sIntPart.size()) - 3; i > 0; i -= 3)
            sIntPart.insert(static_cast<size_t>(i), 1, ',');
    }
    const bool bZero = sIntPart.find_first_not_of("0,") == std::string::npos &&
                       sFracPart.find_first_not_of('0') == std::string::npos;
    std::string sResult;
    if (fValue < 0 && !bZero) sResult += '-';
    sResult += sIntPart;
    if (!sFracPart.empty()) sResult += '.' + sFracPart;
    if (sResult.empty() || sResult == "-") sResult += '0';
    return sResult;
}

char* WritePicture(char* p, float fValue, std::string_view sPicture) {
    const Picture oPicture(sPicture);
    const float fAbs = std::fabs(fValue);
    if (oPicture.nMinFrac != oPicture.nMaxFrac || oPicture.nMaxFrac > 2 || oPicture.nMinInt > 8 ||
        !(fAbs < 10000.0f))
        return nullptr;
    // Below 10,000 the shortest decimal form lies within 0.05 of a penny of the amount (half a
    // float step), so unless the amount is near a half penny both round to the same penny:
    // the amount's own, worked out exactly in a double.
    constexpr int64_t kScales[] = {1, 10, 100};
    const int64_t lScale = kScales[oPicture.nMaxFrac];
    const double dScaled = double(fAbs) * double(lScale);
    const double dWhole = std::floor(dScaled);
    if (!(std::fabs(dScaled - dWhole - 0.5) > 0.1)) return nullptr;
    const int64_t n = int64_t(dWhole) + (dScaled - dWhole > 0.5 ? 1 : 0);
    char acInt[16];
    char* pInt = acInt + sizeof acInt;
    for (int64_t lInt = n / lScale; lInt > 0; lInt /= 10)
        *--pInt = char('0' + lInt % 10);
    while (acInt + sizeof acInt - pInt < oPicture.nMinInt)
        *--pInt = '0';
    const size_t nInt = size_t(acInt + sizeof acInt - pInt);
    if (fValue < 0 && n != 0) *p++ = '-';
    for (size_t i = 0; i < nInt; ++i) {
        if (oPicture.bGroup && i > 0 && (nInt - i) % 3 == 0) *p++ = ',';
        *p++ = pInt[i];
    }
    if (oPicture.nMaxFrac > 0) {
        *p++ = '.';
        const int64_t lFrac = n % lScale;
        if (oPicture.nMaxFrac == 2) *p++ = char('0' + lFrac / 10);
        *p++ = char('0' + lFrac % 10);
    } else if (nInt == 0) {
        *p++ = '0';
    }
    return p;
}

void AppendPicture(std::string& sOut, float fValue, std::string_view sPicture) {
    char acText[kPictureChars];
    if (const char* pEnd = WritePicture(acText, fValue, sPicture))
        sOut.append(acText, size_t(pEnd - acText));
    else
        sOut += FormatPicture(fValue, sPicture);
}

char* WriteShortest(char* p, float fValue) {
    const float fAbs = std::fabs(fValue);
    if (fAbs < 10000.0f) {
        // A whole number of pennies below 10,000 has at most six significant digits, and no
        // other decimal of six digits or fewer reads back as the same float: its digits are
        // the shortest form, and shorter written out than in scientific notation.
        const double dPennies = double(fAbs) * 100.0; // exact: 24 bits times 100
        const auto n = static_cast<uint32_t>(dPennies + 0.5);
        if (static_cast<float>(double(n) / 100.0) == fAbs) {
            if (std::signbit(fValue)) *p++ = '-';
            const uint32_t lWhole = n / 100; // below 10,000: four digits at most
            const uint32_t lCents = n % 100;
            if (lWhole >= 1000) *p++ = char('0' + lWhole / 1000);
            if (lWhole >= 100) *p++ = char('0' + lWhole / 100 % 10);
            if (lWhole >= 10) *p++ = char('0' + lWhole / 10 % 10);
            *p++ = char('0' + lWhole % 10);
            if (lCents) {
                *p++ = '.';
                *p++ = char('0' + lCents / 10);
                if (lCents % 10) *p++ = char('0' + lCents % 10);
            }
            return p;
        }
    }
    return std::to_chars(p, p + kShortestChars, fValue).ptr;
}

void AppendShortest(std::string& sOut, float fValue) {
    char acText[kShortestChars];
    sOut.append(acText, WriteShortest(acText, fValue));
}

float ToSingle(double dValue) {
    if (!(std::fabs(dValue) <= double(std::numeric_limits<float>::max())))
        clsError::Raise(ErrNumber::Overflow, "");
    return static_cast<float>(dValue);
}

bool ToPennies(double dAmount, int32_t lScale, int64_t& nPennies) {
    const double dScaled = dAmount * lScale;
    if (!(std::fabs(dScaled) <= double(kMaxPennies))) return false;
    nPennies = std::llround(dScaled);
    return true;
}
