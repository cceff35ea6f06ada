// Random and mutated input for the three parsers: the tokeniser, the price file and the
// auction text. Every run uses the same seeds, so a failure names an input that can be
// pasted into a unit test. GAVELRY_FUZZ_INPUTS and GAVELRY_FUZZ_SEED run longer or other
// series by hand.

#include "FuzzInputs.h"
#include "TestSupport.h"

#include "basCommon.h"
#include "clsCalculate.h"
#include "clsError.h"
#include "clsPrices.h"
#include "clsSellingCostFigures.h"
#include "clsTokeniser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <typeinfo>
#include <unordered_set>
#include <vector>

namespace {

using namespace std::string_literals;
using fuzz::clsMutator;
using fuzz::clsRandom;
using fuzz::kNumberWords;
using fuzz::Quoted;

constexpr size_t kInputs = 100000; // per parser
constexpr size_t kMaxInput = 300;
constexpr int kMaxReported = 5; // a broken property is reported for a few inputs only

size_t InputCount() {
    const char* s = std::getenv("GAVELRY_FUZZ_INPUTS");
    const long long n = s ? std::atoll(s) : 0;
    return n > 0 ? size_t(n) : kInputs;
}

uint64_t Seed(uint64_t lDefault) {
    const char* s = std::getenv("GAVELRY_FUZZ_SEED");
    return s ? lDefault ^ std::strtoull(s, nullptr, 0) : lDefault;
}

std::string ReadFile(const std::string& sPath) {
    std::ifstream oFile(sPath, std::ios::binary);
    std::ostringstream oText;
    oText << oFile.rdbuf();
    return oText.str();
}

std::vector<std::string> Lines(std::string_view sText) {
    std::vector<std::string> as;
    size_t nPos = 0;
    while (nPos < sText.size()) {
        size_t nEnd = sText.find_first_of("\r\n", nPos);
        if (nEnd == std::string_view::npos) nEnd = sText.size();
        if (nEnd > nPos) as.emplace_back(sText.substr(nPos, nEnd - nPos));
        nPos = nEnd + 1;
    }
    return as;
}

std::vector<std::string> ExampleAuctions() {
    std::vector<std::string> as;
    for (const auto& oEntry : std::filesystem::directory_iterator(DataPath("examples")))
        if (oEntry.path().extension() == ".gva") as.push_back(ReadFile(oEntry.path().string()));
    std::sort(as.begin(), as.end()); // directory order varies
    return as;
}

const std::string kDefaultAuction =
    "[TYPE]000|False|False|0|0|0|0|False|[TYPE][OUTLAY]0|0|0|0|0|False[OUTLAY][FEATURES]0|0"
    "[FEATURES][PAYPAL]False|0|1|False[PAYPAL][POSTAGE]False|0|0|0|0|False|False|False|0|False"
    "[POSTAGE]";
// Every upgrade a UK auction can have, PayPal business band 3, first class postage with
// both extras and a mark-up.
const std::string kFullAuction =
    "[TYPE]000|False|False|3|0|0|0|False|[TYPE][OUTLAY]10|9.99|0|25|3|True[OUTLAY]"
    "[FEATURES]311295|8[FEATURES][PAYPAL]True|2|3|False[PAYPAL]"
    "[POSTAGE]True|0.5|0|0|0|True|True|True|1.5|False[POSTAGE]";

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Runs a piece of model code that may only fail with the model's own error; any other
// exception is described in sBroken.
template <typename F> bool OnlyModelErrors(F&& fn, std::string& sBroken, const char* sWhat) {
    try {
        fn();
        return true;
    } catch (const clsError&) {
        return false;
    } catch (const std::exception& e) {
        sBroken = std::string(sWhat) + " raised " + typeid(e).name() + ": " + e.what();
    } catch (...) {
        sBroken = std::string(sWhat) + " raised an unknown exception";
    }
    return false;
}

// Runs a series and reports the first few inputs that break a property.
template <typename F> void RunSeries(size_t nInputs, F&& fnOne) {
    int nReported = 0;
    for (size_t i = 0; i < nInputs && nReported < kMaxReported; ++i) {
        std::string sInput;
        const std::string sBroken = fnOne(i, sInput);
        if (!sBroken.empty()) {
            ADD_FAILURE() << sBroken << "\n  input " << i << ": " << Quoted(sInput);
            ++nReported;
        }
    }
}

// ---------------------------------------------------------------------------------------
// Tokeniser

struct Fields {
    std::vector<std::string_view> asTokens;
    bool bBlank = false;
};

// The fields of a line split at every separator, where a separator that ends the line
// opens no further field.
Fields SplitFields(std::string_view sData, char cSeparator) {
    Fields o;
    size_t nStart = 0;
    for (;;) {
        const size_t nFound = sData.find(cSeparator, nStart);
        const std::string_view sField =
            sData.substr(nStart, nFound == std::string_view::npos ? nFound : nFound - nStart);
        if (sField.empty())
            o.bBlank = true;
        else
            o.asTokens.push_back(sField);
        if (nFound == std::string_view::npos || nFound + 1 == sData.size()) break;
        nStart = nFound + 1;
    }
    return o;
}

bool RaisesSubscriptError(const clsTokeniser& o, int32_t lIndex) {
    try {
        o.Element(lIndex);
    } catch (const clsError& e) {
        return e.Number() == ErrNumber::SubscriptOutOfRange;
    }
    return false;
}

std::string CheckSplit(clsTokeniser& o, std::string_view sData, std::string_view sSeparator,
                       bool bProbeBounds) {
    const bool bBlankBefore = o.ParsedBlank();
    int32_t lCount = 0;
    try {
        lCount = o.Tokenise(sData, sSeparator);
    } catch (const std::exception& e) {
        return std::string("Tokenise raised on a short line: ") + e.what();
    }
    if (lCount != o.Count()) return "the count returned differs from Count";
    for (int32_t i = 0; i < lCount; ++i) {
        const std::string& sToken = o.Element(i);
        if (sToken.empty()) return "an empty token was kept";
        if (!sSeparator.empty() && sToken.find(sSeparator) != std::string::npos)
            return "a token holds the separator";
    }
    if (bProbeBounds) {
        if (!RaisesSubscriptError(o, std::max(lCount, 1)) || !RaisesSubscriptError(o, -1))
            return "an index past the tokens is not a subscript error";
        if (lCount == 0 && !o.Element(0).empty()) return "the one slot of no tokens is not empty";
    }
    if (sSeparator.size() != 1) return {};

    const Fields oExpected = SplitFields(sData, sSeparator[0]);
    if (size_t(lCount) != oExpected.asTokens.size()) return "the tokens are not the fields";
    for (int32_t i = 0; i < lCount; ++i)
        if (o.Element(i) != oExpected.asTokens[size_t(i)]) return "the tokens are not the fields";
    if (o.ParsedBlank() != (bBlankBefore || oExpected.bBlank))
        return "ParsedBlank does not tell whether an empty field was met";

    const std::string sJoined = o.GetFlattenedSegments(0);
    clsTokeniser oAgain;
    if (oAgain.Tokenise(sJoined, sSeparator) != lCount)
        return "splitting the joined tokens gives another count";
    for (int32_t i = 0; i < lCount; ++i)
        if (oAgain.Element(i) != o.Element(i)) return "splitting the joined tokens gives others";
    if (lCount > 0 && oAgain.ParsedBlank()) return "the joined tokens hold an empty field";
    return {};
}

TEST(FuzzTokeniser, RandomLinesSplitIntoTheirNonEmptyFields) {
    clsRandom oRandom(Seed(0x70CE5EED));
    std::vector<std::string> asSeeds = Join(Lines(ReadFile(DataPath("UpdateUK_v0102.dat"))),
                                            Lines(ReadFile(DataPath("UpdateUS_v0102.dat"))));
    for (const std::string& s : Join(ExampleAuctions(), {kDefaultAuction, kFullAuction}))
        asSeeds.push_back(s);
    asSeeds.insert(asSeeds.end(), {"", ",", "|", "a,,b", ",,,", "|a||b|", std::string(120, ',')});
    clsMutator oMutator(oRandom, ",|,|[],,||  \t\r\n\0xa"s, Join(kNumberWords, {",,", "||", ""}),
                        kMaxInput);
    const std::vector<std::string> asSeparators = {
        ",", ",", ",", "|", "|", "|", "[", " ", std::string(1, '\0'), "\xff"};

    std::unique_ptr<clsTokeniser> oTokeniser;
    RunSeries(InputCount(), [&](size_t i, std::string& sInput) -> std::string {
        // One tokeniser splits a few lines in turn: nothing of an earlier split may remain.
        if (i % 16 == 0) oTokeniser = std::make_unique<clsTokeniser>();
        sInput = oRandom.OneIn(4) ? oMutator.RandomText()
                                  : oMutator.Mutate(oRandom.Pick(asSeeds), asSeeds);
        std::string sSeparator = oRandom.Pick(asSeparators);
        if (oRandom.OneIn(8)) sSeparator = std::string(1, char(oRandom.Next()));
        // No caller splits at a longer or empty separator, but it must stay safe.
        if (oRandom.OneIn(32))
            sSeparator = std::string(oRandom.Below(3), oRandom.OneIn(2) ? ',' : '|');
        const std::string sBroken = CheckSplit(*oTokeniser, sInput, sSeparator, i % 8 == 0);
        return sBroken.empty() ? sBroken : sBroken + " (separator " + Quoted(sSeparator) + ")";
    });
}

TEST(FuzzTokeniser, OverlongLinesRaiseOverflow) {
    clsTokeniser o;
    EXPECT_EQ(o.Tokenise(std::string(32766, '|'), "|"), 0);
    std::string sLong(32767, 'a');
    try {
        o.Tokenise(sLong, ",");
        ADD_FAILURE() << "a line of 32,767 characters was split";
    } catch (const clsError& e) {
        EXPECT_EQ(e.Number(), ErrNumber::Overflow);
    }
}

// ---------------------------------------------------------------------------------------
// Price file

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

std::string LowerName(std::string_view s) {
    std::string sLower(s);
    for (char& c : sLower)
        c = LowerAscii(c);
    return sLower;
}

std::string ToggleCase(std::string_view s) {
    std::string sOther(s);
    for (char& c : sOther)
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) c ^= 0x20;
    return sOther;
}

struct PriceEntries {
    std::vector<std::pair<std::string_view, std::string_view>> aEntries;
    bool bRepeated = false;
};

// The entries of a price text: lines of exactly two non-empty comma fields, at whatever
// line end; a name repeated in any letter case spoils the file.
PriceEntries ReadEntries(std::string_view sText) {
    PriceEntries o;
    if (sText.substr(0, 3) == "\xEF\xBB\xBF") sText.remove_prefix(3);
    std::unordered_set<std::string> asNames;
    size_t nPos = 0;
    while (nPos <= sText.size()) {
        size_t nEnd = sText.find_first_of("\r\n", nPos);
        if (nEnd == std::string_view::npos) nEnd = sText.size();
        const Fields oFields = SplitFields(sText.substr(nPos, nEnd - nPos), ',');
        if (oFields.asTokens.size() == 2) {
            o.aEntries.emplace_back(oFields.asTokens[0], oFields.asTokens[1]);
            if (!asNames.insert(LowerName(oFields.asTokens[0])).second) o.bRepeated = true;
        }
        nPos = nEnd + 1;
    }
    return o;
}

constexpr std::string_view kEarlierTable = "Earlier,42\r\nEarlierText,kept\r\n";

bool HoldsEarlierTable(const clsPrices& o) {
    float f = 0;
    std::string s;
    return o.Count() == 2 && o.GetPrice("Earlier", f) && f == 42.0f &&
           o.GetData("EARLIERTEXT", s) && s == "kept";
}

// A range whose band walk is short enough to try many values on.
bool SmallRange(const clsPrices& o, std::string_view sBase) {
    float fCount = 0;
    return !o.GetPrice(std::string(sBase) + "Ranges", fCount) || fCount <= 64 || fCount >= 32768;
}

std::string CheckRangeQuestions(const clsPrices& o, std::string_view sBase, clsRandom& oRandom) {
    static const float afValues[] = {0.0f, 0.01f, 1.0f, -1.0f, 29.99f, 100.0f, 1e30f};
    std::string sBroken;
    for (int k = 0; k < 3; ++k) {
        const float fValue = afValues[oRandom.Below(std::size(afValues))];
        clsPriceRange oHit;
        bool bHit = false;
        if (!OnlyModelErrors(
                [&] { bHit = o.HitTestRanges(sBase, fValue, oHit, ShopDuration::None); }, sBroken,
                "HitTestRanges"))
            return sBroken;
        if (!bHit) {
            if (oHit.m_nIndex != 0) return "a failed hit test leaves a band number";
            continue;
        }
        if (oHit.m_nIndex < 1 || oHit.m_nIndex > oHit.m_nCount) return "the band hit is not a band";
        auto bHolds = [&](const clsPriceRange& b) {
            return (b.m_fStart <= fValue && fValue <= b.m_fEnd) ||
                   (b.m_fEnd == -1.0f && fValue >= b.m_fStart);
        };
        if (!bHolds(oHit)) return "the band hit does not hold the value";
        for (int16_t n = 1; n < oHit.m_nIndex; ++n) {
            clsPriceRange oBand;
            if (!o.GetRange(sBase, n, oBand, ShopDuration::None) || oBand.m_nIndex != n)
                return "GetRange does not give a band the hit test walked past";
            if (bHolds(oBand)) return "the hit test passed over an earlier band holding the value";
        }
    }
    return {};
}

// The examples and the full auction, loaded once; each price table calculates them afresh.
std::vector<std::unique_ptr<clsCalculate>>& SampleAuctions() {
    static std::vector<std::unique_ptr<clsCalculate>> aAuctions = [] {
        std::vector<std::unique_ptr<clsCalculate>> a;
        for (std::string s : Join(ExampleAuctions(), {kFullAuction})) {
            a.push_back(std::make_unique<clsCalculate>());
            a.back()->Serialize(s, false);
        }
        return a;
    }();
    return aAuctions;
}

std::string CalculateSample(clsRandom& oRandom) {
    clsCalculate& oAuction = *SampleAuctions()[oRandom.Below(SampleAuctions().size())];
    std::string sBroken;
    if (OnlyModelErrors([&] { oAuction.DoCalc(); }, sBroken, "DoCalc"))
        OnlyModelErrors([&] { clsSellingCostFigures(oAuction).ProfitText(); }, sBroken,
                        "the selling cost figures");
    return sBroken;
}

std::string CheckPriceLoad(std::string_view sText, clsRandom& oRandom) {
    auto oPrices = std::make_unique<clsPrices>();
    oPrices->LoadPriceText(kEarlierTable);
    std::string sBroken;
    const bool bLoaded =
        OnlyModelErrors([&] { oPrices->LoadPriceText(sText); }, sBroken, "LoadPriceText");
    if (!sBroken.empty()) return sBroken;

    const PriceEntries oExpected = ReadEntries(sText);
    if (!bLoaded) {
        if (!HoldsEarlierTable(*oPrices)) return "a failed load changed the table";
        return oExpected.bRepeated ? std::string() : "a file without a repeated name failed";
    }
    if (oExpected.bRepeated) return "a file with a repeated name loaded";
    if (oPrices->Count() != oExpected.aEntries.size()) return "the table holds other entries";
    bool bSmallRanges = true;
    for (const auto& [sName, sValue] : oExpected.aEntries) {
        std::string sData;
        if (!oPrices->GetData(sName, sData) || sData != sValue) return "an entry was not kept";
        if (!oPrices->GetData(ToggleCase(sName), sData) || sData != sValue)
            return "an entry is not found in another letter case";
        float fValue = -7;
        if (!oPrices->GetPrice(sName, fValue) && fValue != 0)
            return "a non-numeric entry does not read as 0";
        const std::string_view sRanges = "Ranges";
        if (sName.size() >= sRanges.size() &&
            LowerName(sName.substr(sName.size() - sRanges.size())) == "ranges") {
            const std::string_view sBase = sName.substr(0, sName.size() - sRanges.size());
            if (!SmallRange(*oPrices, sBase)) {
                bSmallRanges = false;
                continue;
            }
            sBroken = CheckRangeQuestions(*oPrices, sBase, oRandom);
            if (!sBroken.empty()) return sBroken;
        }
    }
    // The fee model on a table that lacks most names, or holds odd ones, now and then:
    // most such tables fail at the first range asked for. Long band walks would only make
    // the run slow.
    if (!bSmallRanges || !oRandom.OneIn(4)) return {};
    SetRegion(oRandom.OneIn(3) ? RegionUS : RegionUK);
    SetPrices(std::move(oPrices));
    OnlyModelErrors([] { FormatCurrency(-12.345f); }, sBroken, "FormatCurrency");
    if (!sBroken.empty()) return sBroken;
    return CalculateSample(oRandom);
}

TEST(FuzzPriceFile, MutatedPriceTextsLoadWhollyOrNotAtAll) {
    ScopedPrices oRestore("");
    clsRandom oRandom(Seed(0x9A1CE5));
    const std::vector<std::string> asLines = Join(Lines(ReadFile(DataPath("UpdateUK_v0102.dat"))),
                                                  Lines(ReadFile(DataPath("UpdateUS_v0102.dat"))));
    clsMutator oMutator(oRandom, ",,,\r\n\r\n\n\r;- .0123456789EeRr",
                        Join(kNumberWords, {"Ranges",
                                            "RangeStart1",
                                            "RangeEnd1",
                                            "RangeValue1",
                                            "RangeEnd2",
                                            ",",
                                            ",,",
                                            "\r\n",
                                            "\xEF\xBB\xBF",
                                            "Final",
                                            "OpeningRanges,",
                                            "FeatureBold",
                                            "featurebold",
                                            "CurrencyFormat,",
                                            "#,##0.00",
                                            "0.0000000000000000",
                                            "CurrencySymbol,",
                                            "LocalTax,",
                                            "BusinessRateBand3Value,",
                                            "abc"}),
                        kMaxInput);
    RunSeries(InputCount(), [&](size_t, std::string& sInput) {
        // A few neighbouring lines of a shipped file, so that ranges come whole.
        const size_t nFirst = oRandom.Below(asLines.size());
        const size_t nLast = std::min(asLines.size(), nFirst + 1 + oRandom.Below(12));
        const char* sEnd = oRandom.OneIn(8) ? "\n" : "\r\n";
        std::string sText = oRandom.OneIn(32) ? "\xEF\xBB\xBF" : "";
        for (size_t n = nFirst; n < nLast; ++n)
            sText += asLines[n] + sEnd;
        // A name repeated in another letter case must spoil the whole load.
        if (oRandom.OneIn(8))
            sText += ToggleCase(asLines[oRandom.Below(nLast - nFirst) + nFirst]) + sEnd;
        sInput = oRandom.OneIn(16) ? sText.substr(0, kMaxInput)
                                   : oMutator.Mutate(std::move(sText), asLines);
        return CheckPriceLoad(sInput, oRandom);
    });
}

TEST(FuzzPriceFile, OverlongLineFailsTheLoad) {
    clsPrices o;
    o.LoadPriceText(kEarlierTable);
    EXPECT_THROW(o.LoadPriceText("Fine,1\r\nLong," + std::string(32767, '9') + "\r\n"), clsError);
    EXPECT_TRUE(HoldsEarlierTable(o));
}

// ---------------------------------------------------------------------------------------
// Auction text

struct CalcResult {
    bool bRaised = false;
    int32_t lNumber = 0;
    float afFigures[8] = {};

    bool operator==(const CalcResult& o) const {
        return bRaised == o.bRaised && lNumber == o.lNumber &&
               std::memcmp(afFigures, o.afFigures, sizeof afFigures) == 0;
    }
};

CalcResult Calculate(clsCalculate& oAuction, std::string& sBroken) {
    CalcResult o;
    try {
        oAuction.DoCalc();
        clsSellingCostFigures(oAuction).ProfitText();
    } catch (const clsError& e) {
        o.bRaised = true;
        o.lNumber = e.Number();
    } catch (const std::exception& e) {
        sBroken = std::string("DoCalc raised ") + typeid(e).name() + ": " + e.what();
    }
    const float afFigures[8] = {oAuction.m_fProfit,        oAuction.m_fSellCost,
                                oAuction.m_fPostageCost,   oAuction.m_fPostageProfit,
                                oAuction.m_fFinalValueFee, oAuction.m_fListingCost,
                                oAuction.m_fReserveCost,   oAuction.m_fPayPayCost};
    std::memcpy(o.afFigures, afFigures, sizeof afFigures);
    return o;
}

bool SectionPresent(std::string_view sText, std::string_view sMarker) {
    const size_t nFirst = sText.find(sMarker);
    return nFirst != std::string_view::npos &&
           sText.find(sMarker, nFirst + 1) != std::string_view::npos;
}

// The message a load shows: the first required section missing, after which it stops.
std::string ExpectedLoadMessage(std::string_view sText) {
    for (const std::string_view sMarker : {"[OUTLAY]", "[PAYPAL]", "[POSTAGE]"})
        if (!SectionPresent(sText, sMarker))
            return "Failure loading section " + std::string(sMarker);
    return {};
}

std::string LoadMessages() {
    std::string s;
    for (const std::string& sMessage : ShownMessages())
        s += (s.empty() ? "" : " / ") + sMessage;
    ShownMessages().clear();
    return s;
}

std::string CheckAuctionText(const std::string& sInput, clsCalculate& oReloaded,
                             bool bRecalculate) {
    clsCalculate oAuction;
    std::string sData = sInput;
    try {
        oAuction.Serialize(sData, false);
    } catch (const std::exception& e) {
        return std::string("loading raised instead of reporting: ") + e.what();
    }
    if (sData != sInput) return "loading changed the text";
    const std::string sExpected = ExpectedLoadMessage(sInput);
    const std::string sShown = LoadMessages();
    if (sShown != sExpected) return "loading showed \"" + sShown + "\", not \"" + sExpected + '"';

    // Saved text loads back without complaint, and saving that gives the same text again.
    std::string sSaved;
    oAuction.Serialize(sSaved, true);
    std::string sCopy = sSaved;
    oReloaded.Serialize(sCopy, false);
    if (!ShownMessages().empty()) return "the saved text " + Quoted(sSaved) + " does not load";
    std::string sResaved;
    oReloaded.Serialize(sResaved, true);
    if (sResaved != sSaved)
        return "saving again gives " + Quoted(sResaved) + " after " + Quoted(sSaved);

    std::string sBroken;
    const CalcResult oFirst = Calculate(oAuction, sBroken);
    if (!sBroken.empty() || !bRecalculate) return sBroken;
    // A calculation depends on the inputs alone, not on an earlier one.
    const CalcResult oSecond = Calculate(oAuction, sBroken);
    if (!sBroken.empty()) return sBroken;
    if (!(oFirst == oSecond)) return "calculating twice gives other figures";
    Calculate(oReloaded, sBroken);
    return sBroken;
}

// The UK file with a few entries changed, dropped or repeated.
std::string MutatedUkPrices(clsRandom& oRandom, const std::vector<std::string>& asLines) {
    static const std::vector<std::string> asValues = {"0",   "-1",    "1",      "2",       "7",
                                                      "0.5", "-0.01", "1E+10",  "3.4E+38", "abc",
                                                      "1,5", "",      "-32768", "0.001"};
    std::vector<std::string> asChanged = asLines;
    for (size_t nSteps = 1 + oRandom.Below(4); nSteps > 0; --nSteps) {
        const size_t n = oRandom.Below(asChanged.size());
        std::string& sLine = asChanged[n];
        switch (oRandom.Below(4)) {
        case 0:
            sLine = sLine.substr(0, sLine.find(',') + 1) + oRandom.Pick(asValues);
            break;
        case 1:
            sLine.clear();
            break;
        case 2:
            if (!sLine.empty()) sLine[oRandom.Below(sLine.size())] = char(oRandom.Next());
            break;
        default:
            asChanged.push_back(ToggleCase(sLine));
            break;
        }
    }
    std::string sText;
    for (const std::string& sLine : asChanged)
        sText += sLine + "\r\n";
    return sText;
}

TEST(FuzzAuctionText, LoadedAuctionsSaveStablyAndCalculate) {
    ScopedPrices oRestore("");
    clsRandom oRandom(Seed(0xA0C710));
    const std::vector<std::string> asUkLines = Lines(ReadFile(DataPath("UpdateUK_v0102.dat")));
    std::vector<std::string> asSeeds = Join(ExampleAuctions(), {kDefaultAuction, kFullAuction});
    clsMutator oMutator(
        oRandom, "||||[]0123456789.-E ",
        Join(kNumberWords, {"[TYPE]", "[OUTLAY]", "[FEATURES]", "[PAYPAL]", "[POSTAGE]", "|", "||",
                            "True", "False", "TRUE", "false", "\r\n", "\t"}),
        kMaxInput);
    clsCalculate oReloaded; // loads complete texts only, so it is reused

    // The inputs run in batches, each on one price table: mostly the shipped UK file, at
    // times the US rules and file, or a UK file with a few entries spoiled.
    constexpr size_t kBatch = 500;
    RunSeries(InputCount(), [&](size_t i, std::string& sInput) {
        if (i % kBatch == 0) {
            const size_t nKind = oRandom.Below(8);
            auto oPrices = std::make_unique<clsPrices>();
            SetRegion(nKind == 0 ? RegionUS : RegionUK);
            oPrices->LoadPriceFile(
                DataPath(nKind == 0 ? "UpdateUS_v0102.dat" : "UpdateUK_v0102.dat"));
            if (nKind >= 6) {
                try {
                    oPrices->LoadPriceText(MutatedUkPrices(oRandom, asUkLines));
                } catch (const clsError&) {
                    // A repeated name: the shipped table stays.
                }
            }
            SetPrices(std::move(oPrices));
        }
        sInput = oRandom.OneIn(50) ? oMutator.RandomText()
                                   : oMutator.Mutate(oRandom.Pick(asSeeds), asSeeds);
        return CheckAuctionText(sInput, oReloaded, i % 8 == 0);
    });
}

} // namespace
