#include "clsPrices.h"

#include "basCommon.h"
#include "basMain.h"
#include "basNumbers.h"
#include "clsError.h"
#include "clsPriceCache.h"
#include "clsTodaySchedule.h"
#include "clsTokeniser.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>

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

} // namespace

clsPrices::clsPrices() : m_oCache(std::make_unique<const clsPriceCache>(*this)) {}
clsPrices::~clsPrices() = default;
// The cache points at entries, not at the table: moving the table moves neither.
clsPrices::clsPrices(clsPrices&&) noexcept = default;
clsPrices& clsPrices::operator=(clsPrices&&) noexcept = default;

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

void clsPrices::AddPrice(PriceMap& oPrices, std::string_view sName, std::string_view sValue,
                         size_t nLine) {
    Entry oEntry;
    oEntry.sText = sValue;
    oEntry.bNumeric = ParseSingle(sValue, oEntry.fValue);
    if (!oPrices.emplace(std::string(NameBuilder(sName).View()), std::move(oEntry)).second)
        throw clsError(457, "clsPrices",
                       "Line " + std::to_string(nLine) + " gives the name \"" + std::string(sName) +
                           "\" a second time");
}

void clsPrices::ReadBands(PriceMap& oPrices) {
    // One pass over the names: each band line is filed under its range's count line. The work
    // follows the lines the file holds, never the counts it claims.
    static constexpr std::string_view kParts[] = {"rangestart", "rangeend", "rangevalue"};
    struct BandLine {
        Entry* pCount;
        int16_t nBand;
        int nPart;
        float fValue;
    };
    std::vector<BandLine> aoLines;
    for (const auto& [sName, oEntry] : oPrices) {
        size_t nDigits = sName.size();
        while (nDigits > 0 && sName[nDigits - 1] >= '0' && sName[nDigits - 1] <= '9')
            --nDigits;
        // A band number is written without leading zeros and fits 16 bits.
        const size_t nLength = sName.size() - nDigits;
        if (nLength == 0 || nLength > 5 || sName[nDigits] == '0') continue;
        int nBand = 0;
        std::from_chars(sName.data() + nDigits, sName.data() + sName.size(), nBand);
        if (nBand > 32767) continue;
        const std::string_view sHead(sName.data(), nDigits);
        for (int nPart = 0; nPart < 3; ++nPart) {
            const std::string_view sPart = kParts[nPart];
            if (sHead.size() < sPart.size() ||
                sHead.compare(sHead.size() - sPart.size(), sPart.size(), sPart) != 0)
                continue;
            const std::string_view sBase = sHead.substr(0, sHead.size() - sPart.size());
            const auto it = oPrices.find(NameBuilder(sBase).Add(kRanges).View());
            if (it != oPrices.end() && it->second.bNumeric &&
                double(nBand) <= std::nearbyint(double(it->second.fValue)))
                aoLines.push_back(
                    {&it->second, int16_t(nBand), nPart, oEntry.bNumeric ? oEntry.fValue : 0.0f});
            break;
        }
    }
    std::sort(aoLines.begin(), aoLines.end(), [](const BandLine& a, const BandLine& b) {
        return a.pCount != b.pCount ? std::less<>()(a.pCount, b.pCount) : a.nBand < b.nBand;
    });
    for (const BandLine& oLine : aoLines) {
        std::vector<clsPriceBand>& aBands = oLine.pCount->aBands;
        if (aBands.empty() || aBands.back().m_nIndex != oLine.nBand)
            aBands.push_back({oLine.nBand, 0, 0, 0});
        float* afFields[] = {&aBands.back().m_fStart, &aBands.back().m_fEnd,
                             &aBands.back().m_fValue};
        *afFields[oLine.nPart] = oLine.fValue;
    }
}

void clsPrices::LoadPriceText(std::string_view sText) {
    if (sText.size() > kMaxFileBytes)
        throw clsError(ErrNumber::OutOfStringSpace, "clsPrices",
                       "The price file is larger than " + DescribeBytes(kMaxFileBytes));
    // A UTF-8 byte order mark would otherwise become part of the first name.
    if (sText.substr(0, 3) == "\xEF\xBB\xBF") sText.remove_prefix(3);
    PriceMap oPrices;
    clsTokeniser oTokeniser;
    size_t nPos = 0;
    size_t nLine = 0;
    while (nPos < sText.size()) {
        size_t nEnd = sText.find_first_of("\r\n", nPos);
        if (nEnd == std::string_view::npos) nEnd = sText.size();
        const std::string_view sLine = sText.substr(nPos, nEnd - nPos);
        ++nLine;
        if (sLine.size() > kMaxLineLength)
            throw clsError(ErrNumber::OutOfStringSpace, "clsPrices",
                           "Line " + std::to_string(nLine) + " is longer than " +
                               std::to_string(kMaxLineLength / 1000) + "," +
                               std::to_string(kMaxLineLength % 1000) + " characters");
        if (!sLine.empty() && oTokeniser.Tokenise(sLine, ",") == 2)
            AddPrice(oPrices, oTokeniser.Element(0), oTokeniser.Element(1), nLine);
        // A carriage return and line feed end one line.
        nPos = nEnd + (sText.substr(nEnd, 2) == "\r\n" ? 2 : 1);
    }
    ReadBands(oPrices);
    // Today's schedule is read whole, or the file is refused with the table left as it was.
    clsPrices oNew;
    oNew.m_oPrices = std::move(oPrices);
    struct Lines : clsPriceLines {
        const clsPrices& oTable;
        explicit Lines(const clsPrices& o) : oTable(o) {}
        bool GetData(std::string_view sName, std::string& sData) const override {
            return oTable.GetData(sName, sData);
        }
        void ForEachEntry(
            const std::function<void(std::string_view, std::string_view)>& fnVisit) const override {
            oTable.ForEachEntry(fnVisit);
        }
    } const oLines(oNew);
    if (clsTodaySchedule::IsToday(oLines)) oNew.m_oToday = clsTodaySchedule::FromPrices(oLines);
    m_oPrices = std::move(oNew.m_oPrices);
    m_oToday = std::move(oNew.m_oToday);
    m_oCache = std::make_unique<const clsPriceCache>(*this);
    m_sSource.clear();
}

void clsPrices::LoadPriceFile(const std::string& sPath) {
    int nFailures = 0;
    for (;;) {
        std::string sText;
        int nErrno = 0;
        switch (ReadWholeFile(sPath, kMaxFileBytes, sText, &nErrno)) {
        case FileRead::Done:
            LoadPriceText(sText);
            m_sSource = sPath;
            return;
        case FileRead::ReadError:
            clsError::Raise(ErrNumber::PathFileAccess, "clsPrices");
        case FileRead::TooLarge:
            throw clsError(ErrNumber::OutOfStringSpace, "clsPrices",
                           "The price file is larger than " + DescribeBytes(kMaxFileBytes));
        case FileRead::CannotOpen:
            break;
        }
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

clsPrices::Value clsPrices::FindValue(std::string_view sName, ShopDuration eShop) const {
    Value oValue;
    if (const Entry* pEntry = Find(NameBuilder(sName).Add(ShopSuffix(eShop)).View())) {
        oValue.m_bFound = true;
        oValue.m_bNumeric = pEntry->bNumeric;
        oValue.m_fValue = pEntry->bNumeric ? pEntry->fValue : 0.0f;
    }
    return oValue;
}

clsPrices::Range clsPrices::FindRange(std::string_view sRangeName, ShopDuration eShop) const {
    Range oRange;
    oRange.m_pCount = Find(NameBuilder(sRangeName).Add(ShopSuffix(eShop)).Add(kRanges).View());
    return oRange;
}

void clsPrices::ForEachEntry(
    const std::function<void(std::string_view, std::string_view)>& fnVisit) const {
    for (const auto& [sName, oEntry] : m_oPrices)
        fnVisit(sName, oEntry.sText);
}

bool clsPrices::GetData(std::string_view sName, std::string& sData) const {
    const Entry* pEntry = Find(NameBuilder(sName).View());
    sData = pEntry ? pEntry->sText : std::string();
    return pEntry != nullptr;
}

bool clsPrices::GetPrice(std::string_view sName, float& fValue, ShopDuration eShop) const {
    return FindValue(sName, eShop).Get(fValue);
}

bool clsPrices::GetRange(std::string_view sRangeName, int16_t nRangeNumber, clsPriceRange& oRange,
                         ShopDuration eShop) const {
    const Range oFound = FindRange(sRangeName, eShop);
    if (!oFound.Found()) return false;
    const int16_t nCount = oFound.Count();
    oRange.m_nCount = nCount;
    oRange.m_nIndex = nRangeNumber;
    if (nRangeNumber >= 1 && nRangeNumber <= nCount) {
        oFound.Band(nRangeNumber, oRange);
        return true;
    }
    // A band beyond the count: its lines are read as they stand (missing ones as 0).
    const NameBuilder oBase = NameBuilder(sRangeName).Add(ShopSuffix(eShop));
    float fStart = 0, fEnd = 0, fValue = 0;
    GetPrice(NameBuilder(oBase.View()).Add("RangeStart").Add(nRangeNumber).View(), fStart);
    GetPrice(NameBuilder(oBase.View()).Add("RangeEnd").Add(nRangeNumber).View(), fEnd);
    GetPrice(NameBuilder(oBase.View()).Add("RangeValue").Add(nRangeNumber).View(), fValue);
    oRange.m_fStart = fStart;
    oRange.m_fEnd = fEnd;
    oRange.m_fValue = fValue;
    return true;
}

bool clsPrices::HitTestRanges(std::string_view sRangeName, float fHitTestValue,
                              clsPriceRange& oResultantRange, ShopDuration eShop) const {
    return FindRange(sRangeName, eShop).HitTest(fHitTestValue, oResultantRange);
}

std::span<const clsPriceBand> clsPrices::Bands(std::string_view sRangeName,
                                               ShopDuration eShop) const {
    return FindRange(sRangeName, eShop).Bands();
}

namespace {

// The copies to fall back on when the price file cannot be read, with what the user is told
// about each: the last good file the update kept, then the file shipped with the program.
bool LoadFallback(clsPrices& oPrices, const std::string& sPath, const clsError& oFailure) {
    const struct {
        std::string sPath;
        const char* sWhat;
    } aoCopies[] = {{GetPriceBackupPath(), "the last good copy of the price file"},
                    {GetShippedPriceFilePath(), "the price file shipped with the program"}};
    for (const auto& oCopy : aoCopies) {
        std::error_code ec;
        if (oCopy.sPath == sPath || !std::filesystem::is_regular_file(oCopy.sPath, ec)) continue;
        try {
            oPrices.LoadPriceFile(oCopy.sPath);
        } catch (const clsError& oError) {
            LogDebug("Price file load failed: " + oCopy.sPath + ": " + oError.Description());
            continue;
        }
        LogDebug("Price file in use: " + oCopy.sPath);
        ShowMessage("Error opening file " + sPath + "\r\n\r\n" + oFailure.Description() +
                        "\r\n\r\n" + GetAppName() + " uses " + oCopy.sWhat + " instead (" +
                        oCopy.sPath + ").",
                    MsgBox::Exclamation, GetAppName());
        return true;
    }
    return false;
}

} // namespace

void LoadEditionPrices(clsPrices& oPrices) {
    const std::string sPath = GetPriceFilePath(false);
    try {
        oPrices.LoadPriceFile(sPath);
    } catch (const clsError& oError) {
        LogDebug("Price file load failed: " + oError.Description());
        if (!LoadFallback(oPrices, sPath, oError)) throw;
    }
}

clsPrices& GetPrices() {
    if (!g_oPrices) {
        auto oPrices = std::make_unique<clsPrices>();
        const std::string sPath = GetPriceFilePath(false);
        try {
            // Once the user has been told the run ends, no copy is offered again.
            if (g_bPricesFailed)
                oPrices->LoadPriceFile(sPath);
            else
                LoadEditionPrices(*oPrices);
        } catch (const clsError& oError) {
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

std::string GetPricesSource() {
    return g_oPrices ? g_oPrices->Source() : std::string();
}

std::string FormatCurrency(float fAmount) {
    const clsPriceCache& oCache = GetPrices().Cache();
    return oCache.m_sCurrencySymbol + FormatPicture(fAmount, oCache.m_sCurrencyFormat);
}

int32_t GetCurrencyScale() {
    return GetPrices().Cache().m_lCurrencyScale;
}
