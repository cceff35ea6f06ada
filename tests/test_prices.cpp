#include "TestSupport.h"

#include "basCommon.h"
#include "basMain.h"
#include "clsError.h"
#include "clsPrices.h"
#include "clsTodaySchedule.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

namespace {

clsPrices Load(std::string_view sText) {
    clsPrices o;
    o.LoadPriceText(sText);
    return o;
}

TEST(PriceFile, EntriesAreLinesOfExactlyTwoFields) {
    const clsPrices o = Load("Name,,2.5\r\nSkipped,2.5,x\r\nNo comma 2.5\r\nAlone,\r\n"
                             "\r\n; a remark without commas\r\n Spaced ,1\r\nText,Hello World\r\n");
    float f = 0;
    EXPECT_TRUE(o.GetPrice("Name", f));
    EXPECT_FLOAT_EQ(f, 2.5f);
    EXPECT_FALSE(o.GetPrice("Skipped", f));
    EXPECT_FALSE(o.GetPrice("Alone", f));
    std::string s;
    EXPECT_TRUE(o.GetData(" Spaced ", s)); // nothing is trimmed
    EXPECT_FALSE(o.GetData("Spaced", s));
    EXPECT_EQ(s, "");
    EXPECT_TRUE(o.GetData("text", s)); // names ignore letter case
    EXPECT_EQ(s, "Hello World");
    EXPECT_EQ(o.Count(), 3u);
}

TEST(PriceFile, RepeatedNameFailsTheWholeLoadAndKeepsTheOldTable) {
    clsPrices o = Load("Keep,1\n");
    EXPECT_THROW(o.LoadPriceText("Bold,1\nbold,2\n"), clsError);
    float f = 0;
    EXPECT_TRUE(o.GetPrice("Keep", f));
    EXPECT_FALSE(o.GetPrice("Bold", f));
}

TEST(PriceFile, NumbersReadWithPointOrCommaAndLineEndsOfAnyKind) {
    const clsPrices o = Load("\xEF\xBB\xBF"
                             "A,1.5\nB,\"2\"\rC,-0.25\r\nD,1E3\nE,abc\nF,1 000\n");
    float f = 0;
    EXPECT_TRUE(o.GetPrice("A", f));
    EXPECT_FLOAT_EQ(f, 1.5f);
    EXPECT_TRUE(o.GetPrice("C", f));
    EXPECT_FLOAT_EQ(f, -0.25f);
    EXPECT_TRUE(o.GetPrice("D", f));
    EXPECT_FLOAT_EQ(f, 1000.f);
    f = 7;
    EXPECT_FALSE(o.GetPrice("E", f)); // present but not a number: 0
    EXPECT_EQ(f, 0.f);
    EXPECT_FALSE(o.GetPrice("F", f));
}

TEST(PriceFile, MissingNameLeavesTheCallersValue) {
    const clsPrices o = Load("FeatureBold30,0.25\nFeatureBold,0.75\nFeatureBoldGTC,0.3\n");
    float f = 7;
    EXPECT_FALSE(o.GetPrice("Missing", f));
    EXPECT_EQ(f, 7.f);
    EXPECT_TRUE(o.GetPrice("FeatureBold", f, ShopDuration::Days30));
    EXPECT_FLOAT_EQ(f, 0.25f);
    EXPECT_TRUE(o.GetPrice("FeatureBold", f, ShopDuration::None));
    EXPECT_FLOAT_EQ(f, 0.75f);
    EXPECT_TRUE(o.GetPrice("FeatureBold", f, ShopDuration::GoodTilCancelled));
    EXPECT_FLOAT_EQ(f, 0.3f);
    EXPECT_TRUE(o.GetPrice("FeatureBold", f, static_cast<ShopDuration>(42))); // no suffix
    EXPECT_FLOAT_EQ(f, 0.75f);
    EXPECT_EQ(clsPrices::ShopSuffix(ShopDuration::Days60), "60");
    EXPECT_EQ(clsPrices::ShopSuffix(ShopDuration::Days120), "120");
    EXPECT_EQ(clsPrices::ShopSuffix(ShopDuration::Days90), "90");
}

constexpr const char* kBands = "RRanges,3\n"
                               "RRangeStart1,0\nRRangeEnd1,0.99\nRRangeValue1,10\n"
                               "RRangeStart2,1\nRRangeEnd2,4.99\nRRangeValue2,20\n"
                               "RRangeStart3,5\nRRangeEnd3,-1\nRRangeValue3,30\n"
                               "PRanges,1\nPRangeStart1,0.01\nPRangeEnd1,1\nPRangeValue1,5\n"
                               "ZeroRanges,0\nTextRanges,many\n"
                               "GapRanges,2\nGapRangeStart1,0\nGapRangeEnd1,1\nGapRangeValue1,1\n"
                               "GapRangeStart2,2\nGapRangeEnd2,3\nGapRangeValue2,2\n"
                               "Shop30Ranges,1\nShop30RangeStart1,0\nShop30RangeEnd1,-1\n"
                               "Shop30RangeValue1,9\nHalfRanges,2.5\n";

TEST(PriceRanges, HitTestFindsTheFirstBandHoldingTheValue) {
    const clsPrices o = Load(kBands);
    clsPriceRange r;
    EXPECT_TRUE(o.HitTestRanges("R", 0.99f, r, ShopDuration::None));
    EXPECT_EQ(r.m_nIndex, 1);
    EXPECT_TRUE(o.HitTestRanges("R", 1.f, r, ShopDuration::None));
    EXPECT_EQ(r.m_nIndex, 2);
    EXPECT_TRUE(o.HitTestRanges("R", 1000.f, r, ShopDuration::None));
    EXPECT_EQ(r.m_nIndex, 3);
    EXPECT_EQ(r.m_fValue, 30.f);
    EXPECT_EQ(r.m_nCount, 3);

    EXPECT_FALSE(o.HitTestRanges("R", -1.f, r, ShopDuration::None));
    EXPECT_EQ(r.m_nIndex, 0);
    EXPECT_EQ(r.m_fValue, 30.f); // the record still holds the last band read
    EXPECT_EQ(r.m_fEnd, -1.f);

    EXPECT_FALSE(o.HitTestRanges("P", 0.f, r, ShopDuration::None)); // starts at 0.01
    EXPECT_FALSE(o.HitTestRanges("Gap", 1.5f, r, ShopDuration::None));
    EXPECT_TRUE(o.HitTestRanges("Gap", 3.f, r, ShopDuration::None));
    EXPECT_TRUE(o.HitTestRanges("Shop", 5.f, r, ShopDuration::Days30));
    EXPECT_EQ(r.m_fValue, 9.f);
}

TEST(PriceRanges, EmptyMissingAndBrokenRanges) {
    const clsPrices o = Load(kBands);
    clsPriceRange r;
    r.m_fStart = 1;
    r.m_fEnd = 2;
    r.m_fValue = 3;
    EXPECT_FALSE(o.HitTestRanges("Zero", 1.f, r, ShopDuration::None));
    EXPECT_EQ(r.m_nCount, 0);
    EXPECT_EQ(r.m_fStart, 1.f); // untouched
    EXPECT_EQ(r.m_fValue, 3.f);

    EXPECT_THROW(o.HitTestRanges("Missing", 1.f, r, ShopDuration::None), clsError);
    try {
        o.HitTestRanges("Text", 1.f, r, ShopDuration::None);
        FAIL();
    } catch (const clsError& e) {
        EXPECT_EQ(e.Number(), ErrNumber::TypeMismatch);
    }

    clsPriceRange oUntouched;
    oUntouched.m_fValue = 4;
    EXPECT_FALSE(o.GetRange("Missing", 1, oUntouched, ShopDuration::None));
    EXPECT_EQ(oUntouched.m_fValue, 4.f);
    EXPECT_THROW(o.GetRange("Text", 1, r, ShopDuration::None), clsError);

    EXPECT_TRUE(o.GetRange("R", 7, r, ShopDuration::None)); // missing band lines read as 0
    EXPECT_EQ(r.m_nIndex, 7);
    EXPECT_EQ(r.m_fStart, 0.f);
    EXPECT_EQ(r.m_fValue, 0.f);

    EXPECT_TRUE(o.GetRange("Half", 1, r, ShopDuration::None));
    EXPECT_EQ(r.m_nCount, 2); // halves round to even
}

// A range written as its lines, walked band by band as the rules say: the reference the
// table's own answers are held to.
struct clsReferenceRange {
    int nCount = 0;
    std::map<int, std::array<std::optional<float>, 3>> aoBands; // start, end, value

    clsPriceRange Band(int n) const {
        clsPriceRange r;
        const auto it = aoBands.find(n);
        r.m_nIndex = int16_t(n);
        r.m_fStart = it != aoBands.end() ? it->second[0].value_or(0) : 0;
        r.m_fEnd = it != aoBands.end() ? it->second[1].value_or(0) : 0;
        r.m_fValue = it != aoBands.end() ? it->second[2].value_or(0) : 0;
        return r;
    }
    int HitTest(float f) const {
        for (int n = 1; n <= nCount; ++n) {
            const clsPriceRange r = Band(n);
            if ((r.m_fStart <= f && f <= r.m_fEnd) || (r.m_fEnd == -1.0f && f >= r.m_fStart))
                return n;
        }
        return 0;
    }
    std::string Text() const {
        std::string s = "RRanges," + std::to_string(nCount) + "\r\n";
        for (const auto& [n, afLines] : aoBands)
            for (int i = 0; i < 3; ++i)
                if (afLines[size_t(i)])
                    s += std::string("R") +
                         (i == 0   ? "RangeStart"
                          : i == 1 ? "RangeEnd"
                                   : "RangeValue") +
                         std::to_string(n) + "," + std::to_string(*afLines[size_t(i)]) + "\r\n";
        return s;
    }
};

TEST(PriceRanges, BandsGivenInPartOrNotAtAllReadAsTheRulesSay) {
    // Bands with lines missing, whole bands missing (0 to 0, which holds only 0), a last band
    // given and not given, and band lines past the count.
    const std::vector<clsReferenceRange> aoRanges = [] {
        std::vector<clsReferenceRange> ao(4);
        ao[0].nCount = 5;
        ao[0].aoBands[2] = {1.f, 4.99f, 20.f};
        ao[0].aoBands[4] = {5.f, -1.f, std::nullopt};
        ao[1].nCount = 32767;
        ao[1].aoBands[3] = {0.5f, 2.f, 7.f};
        ao[1].aoBands[32767] = {10.f, -1.f, 9.f};
        ao[2].nCount = 3;
        ao[2].aoBands[1] = {0.f, 1.f, 1.f};
        ao[2].aoBands[2] = {std::nullopt, 3.f, 2.f};
        ao[2].aoBands[3] = {4.f, 6.f, 3.f};
        ao[2].aoBands[9] = {100.f, 200.f, 4.f}; // beyond the count: not a band
        ao[3].nCount = 2;
        return ao;
    }();
    for (const clsReferenceRange& oReference : aoRanges) {
        SCOPED_TRACE(oReference.Text());
        const clsPrices o = Load(oReference.Text());
        for (const float f : {-1.f, 0.f, 0.5f, 1.f, 2.f, 3.f, 4.99f, 5.f, 6.f, 10.f, 1e6f}) {
            clsPriceRange r;
            const int nExpected = oReference.HitTest(f);
            EXPECT_EQ(o.HitTestRanges("R", f, r, ShopDuration::None), nExpected != 0) << f;
            EXPECT_EQ(r.m_nIndex, nExpected) << f;
            // A miss leaves the last band in the record; a hit holds the band found.
            const clsPriceRange oBand = oReference.Band(nExpected ? nExpected : oReference.nCount);
            EXPECT_EQ(r.m_fStart, oBand.m_fStart) << f;
            EXPECT_EQ(r.m_fEnd, oBand.m_fEnd) << f;
            EXPECT_EQ(r.m_fValue, oBand.m_fValue) << f;
        }
        for (const int n : {1, 2, 3, 4, 5, 32767}) {
            if (n > oReference.nCount) continue;
            clsPriceRange r;
            ASSERT_TRUE(o.GetRange("R", int16_t(n), r, ShopDuration::None));
            EXPECT_EQ(r.m_fStart, oReference.Band(n).m_fStart) << n;
            EXPECT_EQ(r.m_fEnd, oReference.Band(n).m_fEnd) << n;
            EXPECT_EQ(r.m_fValue, oReference.Band(n).m_fValue) << n;
        }
        // The walk over the bands visits those given, in order, within the count.
        std::vector<int> anVisited, anGiven;
        for (const clsPriceBand& oBand : o.Bands("R", ShopDuration::None))
            anVisited.push_back(oBand.m_nIndex);
        for (const auto& [n, afLines] : oReference.aoBands)
            if (n <= oReference.nCount) anGiven.push_back(n);
        EXPECT_EQ(anVisited, anGiven);
    }
}

TEST(PriceFile, SizeAndLineLimitsRefuseTheWholeFile) {
    clsPrices o = Load("Keep,1\n");
    const std::string sLongest(clsPrices::kMaxLineLength - 2, '9');
    EXPECT_NO_THROW(Load("A," + sLongest + "\r\nB,1\r\n")); // a line at the limit
    const struct {
        std::string sText;
        std::string sError;
    } aoCases[] = {
        {"A,1\r\nB," + sLongest + "9\r\n", "Line 2 is longer than 32,766 characters"},
        {std::string(clsPrices::kMaxFileBytes + 1, '\n'), "The price file is larger than 4 MiB"},
        {"Bold,1\r\nPlain,2\r\nBOLD,3\r\n", "Line 3 gives the name \"BOLD\" a second time"},
    };
    for (const auto& oCase : aoCases) {
        try {
            o.LoadPriceText(oCase.sText);
            ADD_FAILURE() << oCase.sError;
        } catch (const clsError& e) {
            EXPECT_EQ(e.Description(), oCase.sError);
        }
        EXPECT_EQ(o.Count(), 1u) << "the table it had is kept";
    }
    // A device that never ends is refused at the limit, not read until memory runs out.
    try {
        o.LoadPriceFile("/dev/zero");
        ADD_FAILURE() << "/dev/zero loaded";
    } catch (const clsError& e) {
        EXPECT_EQ(e.Description(), "The price file is larger than 4 MiB");
    }
    EXPECT_EQ(o.Count(), 1u);
}

TEST(PriceFile, RangeCountsCostNothingUntilBandsAreGiven) {
    // A thousand ranges each claiming 32,767 bands, and one with two bands given: the table
    // keeps the two bands and nothing for the counts.
    std::string sText;
    for (int i = 0; i < 1000; ++i)
        sText += "R" + std::to_string(i) + "Ranges,32767\r\n";
    sText += "R5RangeStart7,1\r\nR5RangeEnd7,2\r\nR5RangeValue40000,3\r\nR5RangeEnd07,4\r\n";
    const clsPrices o = Load(sText);
    size_t nBands = 0;
    for (int i = 0; i < 1000; ++i)
        nBands += o.Bands("R" + std::to_string(i), ShopDuration::None).size();
    EXPECT_EQ(nBands, 1u);
    clsPriceRange r;
    EXPECT_TRUE(o.HitTestRanges("R5", 1.5f, r, ShopDuration::None));
    EXPECT_EQ(r.m_nIndex, 7);
    EXPECT_FALSE(o.HitTestRanges("R5", 3.f, r, ShopDuration::None));
    EXPECT_EQ(r.m_nCount, 32767);
}

TEST(PriceTable, CurrencyTextAndScale) {
    {
        ScopedPrices o("Nothing,1\n");
        EXPECT_EQ(FormatCurrency(0), "£0.00");
        EXPECT_EQ(FormatCurrency(12.5f), "£12.50");
        EXPECT_EQ(GetCurrencyScale(), 1);
    }
    {
        ScopedPrices o("CurrencySymbol,$\nCurrencyFormat,0.00\n");
        EXPECT_EQ(FormatCurrency(2.1875f), "$2.19");
        EXPECT_EQ(FormatCurrency(0.285f), "$0.29");
        EXPECT_EQ(FormatCurrency(1234.5f), "$1234.50");
        EXPECT_EQ(FormatCurrency(-3.5f), "$-3.50");
        EXPECT_EQ(FormatCurrency(-0.001f), "$0.00");
        EXPECT_EQ(FormatCurrency(0.995f), "$1.00");
        EXPECT_EQ(GetCurrencyScale(), 100);
    }
    {
        // A format cannot hold a comma: the line would have three fields.
        ScopedPrices o("CurrencySymbol,EUR \nCurrencyFormat,0.000\n");
        EXPECT_EQ(FormatCurrency(1234.5f), "EUR 1234.500");
        EXPECT_EQ(GetCurrencyScale(), 1000);
    }
}

class PriceFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        m_oFolder = std::filesystem::temp_directory_path() /
                    ("gavelry-prices-" + std::to_string(::getpid()) + "-" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_oFolder);
        SetProgramFolder(m_oFolder.string());
        SetPrices(nullptr);
    }
    void TearDown() override {
        SetPauseEventHandler(nullptr);
        SetCloseApplicationHandler(nullptr);
        SetPrices(nullptr);
        SetProgramFolder("");
        std::filesystem::remove_all(m_oFolder);
    }
    std::filesystem::path m_oFolder;
};

TEST_F(PriceFileOnDisk, FileThatAppearsWithinFourAttemptsStillLoads) {
    int nPauses = 0;
    const auto oPath = m_oFolder / GetPriceFilePath(true);
    SetPauseEventHandler([&] {
        if (++nPauses == 1) {
            std::ofstream(oPath, std::ios::binary) << "Bold,0.75\r\n";
        }
    });
    EXPECT_FLOAT_EQ(
        [] {
            float f = 0;
            GetPrices().GetPrice("Bold", f);
            return f;
        }(),
        0.75f);
    EXPECT_TRUE(ShownMessages().empty());
}

TEST_F(PriceFileOnDisk, MissingFileIsToldOnceAndClosesTheProgram) {
    int nCloses = 0;
    SetCloseApplicationHandler([&] { ++nCloses; });
    const auto tStart = std::chrono::steady_clock::now();
    EXPECT_THROW(GetPrices(), clsError);
    const auto nMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                         std::chrono::steady_clock::now() - tStart)
                         .count();
    EXPECT_GE(nMs, 390); // four pauses of 100 ms between five attempts
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0],
              "Error opening file " + GetPriceFilePath(false) + "\r\n\r\nGavelry UK must close.");
    EXPECT_EQ(nCloses, 1);
    EXPECT_THROW(GetPrices(), clsError);
    EXPECT_EQ(ShownMessages().size(), 1u);
}

TEST_F(PriceFileOnDisk, ReadErrorIsAFailureAndKeepsTheTable) {
    clsPrices o;
    o.LoadPriceText("Keep,1\r\n");
    EXPECT_THROW(o.LoadPriceFile(m_oFolder.string()), clsError); // a folder, not a file
    EXPECT_EQ(o.Count(), 1u);
}

TEST_F(PriceFileOnDisk, TheTableInUseNamesItsFileWhicheverWayItWasLoaded) {
    namespace fs = std::filesystem;
    const std::string s2008 = GetPriceFilePath(false);
    const std::string sToday = GetSchedulePriceFilePath(FeeSchedule::Today);
    fs::copy_file(DataPath("UpdateUK_v0102.dat"), s2008);
    fs::copy_file(DataPath("FeesTodayUK.dat"), sToday);
    EXPECT_EQ(GetPricesSource(), "") << "no table yet";

    const struct {
        const char* sStep;
        std::function<void()> fnStep;
        std::string sSource;
    } aoSteps[] = {
        {"start-up", [] { GetPrices(); }, s2008},
        {"to today", [] { UseFeeSchedule(FeeSchedule::Today); }, sToday},
        {"back to 2008", [] { UseFeeSchedule(FeeSchedule::Y2008); }, s2008},
        {"to today again", [] { UseFeeSchedule(FeeSchedule::Today); }, sToday},
        // The 2008 file is spoilt meanwhile: back to 2008 is the update's last good copy, as
        // at start-up, and the user is told.
        {"back to 2008 from the backup",
         [&] {
             fs::copy_file(s2008, GetPriceBackupPath());
             std::ofstream(s2008, std::ios::binary | std::ios::app) << "LocalTax,15\r\n";
             UseFeeSchedule(FeeSchedule::Y2008);
         },
         GetPriceBackupPath()},
        {"a table made from text", [] { SetPrices(std::make_unique<clsPrices>()); }, ""},
        {"start-up from the backup",
         [] {
             SetPrices(nullptr);
             GetPrices();
         },
         GetPriceBackupPath()},
        // A switch that fails keeps the table in use, and its file.
        {"today's file missing",
         [&] {
             fs::remove(sToday);
             EXPECT_THROW(UseFeeSchedule(FeeSchedule::Today), clsError);
         },
         GetPriceBackupPath()},
    };
    for (const auto& o : aoSteps) {
        o.fnStep();
        EXPECT_EQ(GetPricesSource(), o.sSource) << o.sStep;
    }
    EXPECT_EQ(GetFeeSchedule(), FeeSchedule::Y2008);
    ASSERT_EQ(ShownMessages().size(), 2u);
    for (const std::string& sMessage : ShownMessages())
        EXPECT_NE(sMessage.find("uses the last good copy of the price file instead (" +
                                GetPriceBackupPath() + ")"),
                  std::string::npos)
            << sMessage;
}

TEST_F(PriceFileOnDisk, DuplicateInFileEndsTheRun) {
    std::ofstream(m_oFolder / GetPriceFilePath(true), std::ios::binary) << "Bold,1\r\nBOLD,2\r\n";
    EXPECT_THROW(GetPrices(), clsError);
    EXPECT_EQ(ShownMessages().size(), 1u);
}

} // namespace
