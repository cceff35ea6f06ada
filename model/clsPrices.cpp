#include "clsPrices.h"

#include "basCommon.h"
#include "basMain.h"
#include "basNumbers.h"
#include "clsError.h"
#include "clsTokeniser.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Builds a price name on the stack, in lower case as the table keeps its names: looking a
// price up must not allocate.
class NameBuilder {
public:
    explicit NameBuilder(std::string_view sStart) { Add(sStart); }
    NameBuilder& Add(std::string_view s) {
        if (m_bHeap || m_nLength + s.size() > sizeof m_acBuffer) {
            if (!m_bHeap) m_sHeap.assign(m_acBuffer, m_nLength);
            m_bHeap = true;
            for (char c : s)
                m_sHeap += Lower(c);
        } else {
            for (char c : s)
                m_acBuffer[m_nLength++] = Lower(c);
        }
        return *this;
    }
    NameBuilder& Add(int nNumber) {
        char acDigits[16];
        const auto oResult = std::to_chars(acDigits, acDigits + sizeof acDigits, nNumber);
        return Add(std::string_view(acDigits, size_t(oResult.ptr - acDigits)));
    }
    std::string_view View() const {
        return m_bHeap ? std::string_view(m_sHeap) : std::string_view(m_acBuffer, m_nLength);
    }

private:
    char m_acBuffer[160];
    size_t m_nLength = 0;
    bool m_bHeap = false;
    std::string m_sHeap;
};

constexpr std::string_view kRanges = "ranges";

std::unique_ptr<clsPrices> g_oPrices;
bool g_bPricesFailed = false; // the user has been told once already

std::string LoadFailureMessage(const std::string& sPath) {
    return "Error opening file " + sPath + "\r\n\r\n" + GetAppName() + " must close.";
}

// A range's band count: halves round to even; raises when it does not fit 16 bits.
int16_t CountOf(float fValue) {
    const double dCount = std::nearbyint(double(fValue));
    if (dCount < -32768 || dCount > 32767) clsError::Raise(ErrNumber::Overflow, "clsPrices");
    return static_cast<int16_t>(dCount);
}

} // namespace

std::string_view clsPrices::ShopSuffix(ShopDuration eShop) {
    switch (eShop) {
    case ShopDuration::Days30:
        return "30";
    case ShopDuration::Days90:
        return "90";
    case ShopDuration::GoodTilCancelled:
        return "GTC";
    case ShopDuration::Days60:
        return "60";
    case ShopDuration::Days120:
        return "120";
    default:
        return "";
    }
}

void clsPrices::AddPrice(PriceMap& oPrices, std::string_view sName, std::string_view sValue) {
    Entry oEntry;
    oEntry.sText = sValue;
    oEntry.bNumeric = ParseSingle(sValue, oEntry.fValue);
    if (!oPrices.emplace(std::string(NameBuilder(sName).View()), std::move(oEntry)).second)
        throw clsError(457, "clsPrices",
                       "This key is already associated with an element of this collection");
}

void clsPrices::ReadBands(PriceMap& oPrices) {
    auto Number = [&oPrices](std::string_view sName) {
        const auto it = oPrices.find(sName);
        return it != oPrices.end() && it->second.bNumeric ? it->second.fValue : 0.0f;
    };
    for (auto& [sName, oEntry] : oPrices) {
        if (!oEntry.bNumeric || sName.size() < kRanges.size() ||
            sName.compare(sName.size() - kRanges.size(), kRanges.size(), kRanges) != 0)
            continue;
        const double dCount = std::nearbyint(double(oEntry.fValue));
        if (dCount < 1 || dCount > 32767) continue;
        const std::string_view sBase(sName.data(), sName.size() - kRanges.size());
        oEntry.aBands.resize(size_t(dCount));
        for (int n = 1; n <= int(dCount); ++n) {
            Band& oBand = oEntry.aBands[size_t(n - 1)];
            oBand.fStart = Number(NameBuilder(sBase).Add("RangeStart").Add(n).View());
            oBand.fEnd = Number(NameBuilder(sBase).Add("RangeEnd").Add(n).View());
            oBand.fValue = Number(NameBuilder(sBase).Add("RangeValue").Add(n).View());
        }
    }
}

void clsPrices::LoadPriceText(std::string_view sText) {
    // A UTF-8 byte order mark would otherwise become part of the first name.
    if (sText.substr(0, 3) == "\xEF\xBB\xBF") sText.remove_prefix(3);
    PriceMap oPrices;
    clsTokeniser oTokeniser;
    size_t nPos = 0;
    while (nPos < sText.size()) {
        size_t nEnd = sText.find_first_of("\r\n", nPos);
        if (nEnd == std::string_view::npos) nEnd = sText.size();
        const std::string_view sLine = sText.substr(nPos, nEnd - nPos);
        if (!sLine.empty() && oTokeniser.Tokenise(sLine, ",") == 2)
            AddPrice(oPrices, oTokeniser.Element(0), oTokeniser.Element(1));
        nPos = nEnd + 1;
    }
    ReadBands(oPrices);
    m_oPrices = std::move(oPrices);
}

void clsPrices::LoadPriceFile(const std::string& sPath) {
    int nFailures = 0;
    for (;;) {
        std::ifstream oFile(sPath, std::ios::binary);
        if (oFile) {
            std::string sText;
            char acBuffer[16384];
            while (oFile.read(acBuffer, sizeof acBuffer) || oFile.gcount() > 0)
                sText.append(acBuffer, size_t(oFile.gcount()));
            // A read error (a folder given as the file, a failing disk) is not an empty file.
            if (oFile.bad()) clsError::Raise(ErrNumber::PathFileAccess, "clsPrices");
            LoadPriceText(sText);
            return;
        }
        const int nErrno = errno;
        if (++nFailures >= 5) {
            const int32_t lNumber =
                nErrno == ENOENT ? ErrNumber::FileNotFound : ErrNumber::PermissionDenied;
            clsError::Raise(lNumber, "clsPrices");
        }
        // Another program may hold the file for a moment (an update being written).
        Pause(100);
    }
}

const clsPrices::Entry* clsPrices::Find(std::string_view sLowerName) const {
    const auto it = m_oPrices.find(sLowerName);
    return it == m_oPrices.end() ? nullptr : &it->second;
}

bool clsPrices::GetData(std::string_view sName, std::string& sData) const {
    const Entry* pEntry = Find(NameBuilder(sName).View());
    sData = pEntry ? pEntry->sText : std::string();
    return pEntry != nullptr;
}

bool clsPrices::GetPrice(std::string_view sName, float& fValue, ShopDuration eShop) const {
    const Entry* pEntry = Find(NameBuilder(sName).Add(ShopSuffix(eShop)).View());
    if (!pEntry) return false;
    fValue = pEntry->bNumeric ? pEntry->fValue : 0.0f;
    return pEntry->bNumeric;
}

const clsPrices::Entry* clsPrices::FindCount(std::string_view sLowerBase, int16_t& nCount) const {
    const Entry* pEntry = Find(NameBuilder(sLowerBase).Add(kRanges).View());
    if (!pEntry) return nullptr;
    if (!pEntry->bNumeric) clsError::Raise(ErrNumber::TypeMismatch, "clsPrices");
    nCount = CountOf(pEntry->fValue);
    return pEntry;
}

void clsPrices::ReadBand(std::string_view sLowerBase, const Entry& oCount, int16_t nBand,
                         clsPriceRange& oRange) const {
    if (nBand >= 1 && size_t(nBand) <= oCount.aBands.size()) {
        const Band& oBand = oCount.aBands[size_t(nBand - 1)];
        oRange.m_fStart = oBand.fStart;
        oRange.m_fEnd = oBand.fEnd;
        oRange.m_fValue = oBand.fValue;
        return;
    }
    // A band beyond the count: its lines are read as they stand (missing ones as 0).
    float fStart = 0, fEnd = 0, fValue = 0;
    GetPrice(NameBuilder(sLowerBase).Add("RangeStart").Add(nBand).View(), fStart);
    GetPrice(NameBuilder(sLowerBase).Add("RangeEnd").Add(nBand).View(), fEnd);
    GetPrice(NameBuilder(sLowerBase).Add("RangeValue").Add(nBand).View(), fValue);
    oRange.m_fStart = fStart;
    oRange.m_fEnd = fEnd;
    oRange.m_fValue = fValue;
}

bool clsPrices::GetRange(std::string_view sRangeName, int16_t nRangeNumber, clsPriceRange& oRange,
                         ShopDuration eShop) const {
    const NameBuilder oBase = NameBuilder(sRangeName).Add(ShopSuffix(eShop));
    int16_t nCount = 0;
    const Entry* pCount = FindCount(oBase.View(), nCount);
    if (!pCount) return false;
    oRange.m_nCount = nCount;
    oRange.m_nIndex = nRangeNumber;
    ReadBand(oBase.View(), *pCount, nRangeNumber, oRange);
    return true;
}

bool clsPrices::HitTestRanges(std::string_view sRangeName, float fHitTestValue,
                              clsPriceRange& oResultantRange, ShopDuration eShop) const {
    const NameBuilder oBase = NameBuilder(sRangeName).Add(ShopSuffix(eShop));
    int16_t nCount = 0;
    const Entry* pCount = FindCount(oBase.View(), nCount);
    if (!pCount) clsError::Raise(ErrNumber::TypeMismatch, "clsPrices");
    oResultantRange.m_nCount = nCount;
    for (int16_t n = 1; n <= nCount && n > 0; ++n) {
        oResultantRange.m_nIndex = n;
        ReadBand(oBase.View(), *pCount, n, oResultantRange);
        if ((oResultantRange.m_fStart <= fHitTestValue &&
             fHitTestValue <= oResultantRange.m_fEnd) ||
            (oResultantRange.m_fEnd == -1.0f && fHitTestValue >= oResultantRange.m_fStart))
            return true;
    }
    oResultantRange.m_nIndex = 0;
    return false;
}

clsPrices& GetPrices() {
    if (!g_oPrices) {
        auto oPrices = std::make_unique<clsPrices>();
        const std::string sPath = GetPriceFilePath(false);
        try {
            oPrices->LoadPriceFile(sPath);
        } catch (const clsError& oError) {
            LogDebug("Price file load failed: " + oError.Description());
            if (!g_bPricesFailed) {
                g_bPricesFailed = true;
                ShowMessage(LoadFailureMessage(sPath), MsgBox::Critical, GetAppName());
                CloseApplication();
            }
            throw clsError(oError.Number(), oError.Source(), LoadFailureMessage(sPath));
        }
        g_oPrices = std::move(oPrices);
    }
    return *g_oPrices;
}

void SetPrices(std::unique_ptr<clsPrices> oPrices) {
    g_oPrices = std::move(oPrices);
    g_bPricesFailed = false;
}

std::string FormatCurrency(float fAmount) {
    const clsPrices& oPrices = GetPrices();
    std::string sSymbol, sFormat;
    if (!oPrices.GetData("CurrencySymbol", sSymbol)) sSymbol = "£";
    if (!oPrices.GetData("CurrencyFormat", sFormat)) sFormat = "0.00";
    return sSymbol + FormatPicture(fAmount, sFormat);
}

int32_t GetCurrencyScale() {
    std::string sFormat;
    if (!GetPrices().GetData("CurrencyFormat", sFormat)) return 1;
    const size_t nPoint = sFormat.find('.');
    if (nPoint == std::string::npos) return 1;
    int32_t lScale = 1;
    for (size_t i = nPoint + 1; i < sFormat.size() && lScale < 1000000000; ++i)
        lScale *= 10;
    return lScale;
}
