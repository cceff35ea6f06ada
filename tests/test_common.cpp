#include "basCommon.h"
#include "basMain.h"
#include "basNumbers.h"
#include "clsError.h"

#include <gtest/gtest.h>

#include <bit>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>

namespace {

TEST(Numbers, ReadWithPointOrCommaWhateverTheLocale) {
    double d = 0;
    EXPECT_TRUE(ParseNumber("12.5", d));
    EXPECT_EQ(d, 12.5);
    EXPECT_TRUE(ParseNumber(" 12,5 ", d));
    EXPECT_EQ(d, 12.5);
    EXPECT_TRUE(ParseNumber("-1E-05", d));
    EXPECT_EQ(d, -1e-05);
    EXPECT_TRUE(ParseNumber("+3", d));
    EXPECT_TRUE(ParseNumber(".5", d));
    EXPECT_EQ(d, 0.5);
    for (const char* s : {"", " ", "abc", "1.2.3", "1,2.3", "1e", "0x10", "inf", "nan", "1 2",
                          "--1", "£1", "1e999"})
        EXPECT_FALSE(ParseNumber(s, d)) << s;

    int64_t l = 0;
    EXPECT_TRUE(ParseWhole("2.5", l));
    EXPECT_EQ(l, 2);
    EXPECT_TRUE(ParseWhole("3.5", l));
    EXPECT_EQ(l, 4);
    int32_t n = 7;
    EXPECT_TRUE(ParseLong("-2147483648", n));
    EXPECT_EQ(n, -2147483648LL);
    for (const char* s : {"2147483648", "-2147483649", "x"}) {
        n = 7;
        EXPECT_FALSE(ParseLong(s, n)) << s;
        EXPECT_EQ(n, 7) << s << ": left as it was";
    }
    float f = 0;
    EXPECT_FALSE(ParseSingle("1e39", f));
}

// Short numbers are read by a quicker road than long ones: both give the correctly rounded
// double, bit for bit, on numbers of every length, sign and place of the point.
TEST(Numbers, ShortAndLongNumbersReadToTheSameDouble) {
    uint32_t nState = 15;
    auto Next = [&nState](uint32_t nBelow) {
        nState = nState * 1664525u + 1013904223u;
        return (nState >> 8) % nBelow;
    };
    for (int i = 0; i < 200000; ++i) {
        std::string sDigits;
        const uint32_t nDigits = 1 + Next(18);
        for (uint32_t d = 0; d < nDigits; ++d)
            sDigits += char('0' + Next(10));
        const uint32_t nPoint = Next(nDigits + 2); // beyond the digits: no point
        if (nPoint <= nDigits) sDigits.insert(nPoint, 1, '.');
        const std::string sText = (Next(3) == 0 ? "-" : "") + sDigits;
        double dExpected = 0;
        const auto oResult = std::from_chars(sText.data(), sText.data() + sText.size(), dExpected);
        ASSERT_EQ(oResult.ptr, sText.data() + sText.size()) << sText;
        double d = 0;
        ASSERT_TRUE(ParseNumber(sText, d)) << sText;
        ASSERT_EQ(std::bit_cast<uint64_t>(d), std::bit_cast<uint64_t>(dExpected)) << sText;
    }
}

TEST(Numbers, GeneralFormHasSevenSignificantDigits) {
    EXPECT_EQ(FormatGeneral(12.f), "12");
    EXPECT_EQ(FormatGeneral(12.5f), "12.5");
    EXPECT_EQ(FormatGeneral(0.5f), "0.5");
    EXPECT_EQ(FormatGeneral(-0.25f), "-0.25");
    EXPECT_EQ(FormatGeneral(12345678.f), "1.234568E+07");
    EXPECT_EQ(FormatGeneral(0.00001f), "1E-05");
    EXPECT_EQ(FormatGeneral(0.0001f), "0.0001");
    EXPECT_EQ(FormatGeneral(0.1f), "0.1");
    EXPECT_EQ(FormatGeneral(123.456f), "123.456");
    EXPECT_EQ(FormatGeneral(0.f), "0");
    EXPECT_EQ(FormatGeneral(-0.f), "0");
    // Every general text reads back to the same value it was written from.
    for (float f : {0.1f, 2.1875f, 1234567.f, 9.999999f, 3.4e38f, 1e-30f}) {
        float fBack = 0;
        ASSERT_TRUE(ParseSingle(FormatGeneral(f), fBack));
        EXPECT_NEAR(fBack, f, std::abs(f) * 1e-6f);
    }
}

TEST(Numbers, PicturesRoundHalfAwayFromZero) {
    EXPECT_EQ(FormatPicture(2.1875f, "0.00"), "2.19");
    EXPECT_EQ(FormatPicture(2.125f, "0.00"), "2.13");
    EXPECT_EQ(FormatPicture(-2.125f, "0.00"), "-2.13");
    EXPECT_EQ(FormatPicture(0.f, "0.00"), "0.00");
    EXPECT_EQ(FormatPicture(99.999f, "0.00"), "100.00");
    EXPECT_EQ(FormatPicture(1234567.f, "#,##0.00"), "1,234,567.00");
    EXPECT_EQ(FormatPicture(0.5f, "#.##"), ".5");
    EXPECT_EQ(FormatPicture(7.f, "000"), "007");
    EXPECT_EQ(FormatPicture(1e-20f, "0.00"), "0.00");
    EXPECT_EQ(FormatPicture(3e38f, "0").size(), 39u);
    EXPECT_THROW(ToSingle(1e39), clsError);
}

// The batch output writes amounts straight from their digits where it can: the text must be
// byte for byte what the general conversions write, for every penny and for amounts between.
TEST(Numbers, AppendedAmountsMatchTheGeneralConversions) {
    auto Shortest = [](float f) {
        char ac[32];
        return std::string(ac, std::to_chars(ac, ac + sizeof ac, f).ptr);
    };
    // Appended after text already there, which they must keep.
    auto Check = [&](float f) {
        std::string s(1, '>');
        AppendShortest(s, f);
        ASSERT_EQ(s.substr(1), Shortest(f)) << f;
        ASSERT_EQ(s[0], '>');
        for (const char* sPicture : {"0.00", "#,##0.00", "#.00", "0", "0.0", "0.##", "000"}) {
            s.resize(1);
            AppendPicture(s, f, sPicture);
            ASSERT_EQ(s.substr(1), FormatPicture(f, sPicture)) << f << " " << sPicture;
        }
    };
    for (int32_t n = 0; n <= 1'000'000; n += (n < 20'000 ? 1 : 7)) {
        Check(static_cast<float>(n / 100.0));
        Check(-static_cast<float>(n / 100.0));
    }
    // Amounts between pennies (sums and products of fees), near half pennies, beyond 10,000,
    // tiny and huge ones, and the values no amount should be but an output may meet.
    uint32_t lSeed = 15;
    for (int i = 0; i < 200'000; ++i) {
        lSeed = lSeed * 1664525u + 1013904223u;
        const float fBase = static_cast<float>((lSeed >> 8) % 2'000'000) / 100.0f;
        Check(fBase * 1.0371f);
        Check(fBase + 0.005f);
        Check(-fBase / 3.0f);
    }
    for (const float f :
         {2.675f, 2.665f, 0.125f, 0.005f, 9999.995f, 9999.99f, 10000.f, 10000.01f, 12345.67f,
          1e-20f, 1e-6f, 3e38f, -0.f, 1e6f, 123456.f, std::numeric_limits<float>::infinity(),
          std::numeric_limits<float>::quiet_NaN()})
        Check(f);
}

TEST(Common, RegionNamesAndPaths) {
    EXPECT_EQ(GetRegion(), RegionUK);
    EXPECT_EQ(GetAppName(), "Gavelry UK");
    EXPECT_EQ(GetPriceFilePath(true), "UpdateUK_v0102.dat");
    EXPECT_EQ(GetPriceFilePath(false), GetProgramFolder() + "/UpdateUK_v0102.dat");
    SetRegion(RegionUS);
    EXPECT_EQ(GetAppName(), "Gavelry US");
    EXPECT_EQ(GetPriceFilePath(true), "UpdateUS_v0102.dat");
    SetRegion(7);
    EXPECT_EQ(GetAppName(), "Gavelry");
    EXPECT_EQ(GetPriceFilePath(true), "UpdateUK_v0102.dat");
    SetRegion(RegionUK);
    EXPECT_TRUE(std::filesystem::exists(GetProgramFolder() + "/UpdateUK_v0102.dat"));
}

TEST(Common, Utilities) {
    EXPECT_EQ(MaxLong(-3, 2), 2);
    EXPECT_EQ(MinSingle(1.5f, 2.f), 1.5f);
    EXPECT_EQ(PadLeft("7", 3, "0"), "007");
    EXPECT_EQ(PadLeft("1234", 3, "0"), "1234");
    EXPECT_EQ(PadLeft("7", 4, "ab"), "abab7");
    EXPECT_EQ(TrimNulls(std::string("ab\0\0", 4)), "ab");
    EXPECT_EQ(TrimNulls(std::string("\0\0", 2)), "");
    EXPECT_EQ(TrimNulls(""), "");
}

TEST(Common, ErrorsCarryNumberSourceAndDescription) {
    try {
        clsError::Raise(ErrNumber::TypeMismatch, "clsPrices");
    } catch (const clsError& e) {
        EXPECT_EQ(e.Number(), 13);
        EXPECT_EQ(e.Source(), "clsPrices");
        EXPECT_EQ(e.Description(), "Type mismatch");
        EXPECT_STREQ(e.what(), "Type mismatch");
    }
    EXPECT_EQ(ErrNumber::ObjectError, -2147221504);
}

class DiagnosticLog : public ::testing::Test {
protected:
    void SetUp() override {
        m_sPath = (std::filesystem::temp_directory_path() /
                   ("GvDebug-" + std::to_string(::getpid()) + ".log"))
                      .string();
        std::filesystem::remove(m_sPath);
        SetLogFilePath(m_sPath);
    }
    void TearDown() override {
        g_bDebug = false;
        SetLogFilePath("");
        std::filesystem::remove(m_sPath);
    }
    std::string Read() const {
        std::ifstream o(m_sPath, std::ios::binary);
        std::stringstream s;
        s << o.rdbuf();
        return s.str();
    }
    std::string m_sPath;
};

TEST_F(DiagnosticLog, SwitchIsFoundAnywhereButOnlyWithoutBlanks) {
    ParseCommandLine(std::string("GAVELRY /X DEBUG=TRUE /Y"));
    EXPECT_TRUE(g_bDebug);
    ParseCommandLine("GAVELRY DEBUG = TRUE");
    EXPECT_FALSE(g_bDebug);
    ParseCommandLine("");
    EXPECT_FALSE(g_bDebug);
}

TEST_F(DiagnosticLog, SilentUnlessSwitchedOn) {
    g_bDebug = false;
    LogDebug("nothing");
    EXPECT_FALSE(std::filesystem::exists(m_sPath));
}

// A log line's date and time with the two spaces after them; 9 stands for any digit.
const std::string kStamp = "9999-99-99 99:99:99  ";
bool IsStamp(const std::string& sText) {
    if (sText.size() != kStamp.size()) return false;
    for (size_t i = 0; i < sText.size(); ++i)
        if (kStamp[i] == '9' ? !std::isdigit(static_cast<unsigned char>(sText[i]))
                             : sText[i] != kStamp[i])
            return false;
    return true;
}

TEST_F(DiagnosticLog, HeaderOnceThenTimestampedLinesInOrder) {
    g_bDebug = true;
    LogDebug("Open internet connection 1");
    LogDebug("Second");
    const std::string sLog = Read();
    const std::string sHeader = "Gavelry diagnostic log\r\n----------------------\r\n\r\n"
                                "When requested, please e-mail this file to ";
    ASSERT_EQ(sLog.substr(0, sHeader.size()), sHeader);
    EXPECT_NE(sLog.find("\r\nVersion: 1.1.248\r\n\r\nDate       Time      Comment\r\n"),
              std::string::npos);
    // Two stamped lines in order at the end: "2026-12-08 06:57:02  Second".
    const std::string sFirst = "Open internet connection 1\r\n", sSecond = "Second\r\n";
    const size_t nSecond = sLog.size() - sSecond.size();
    ASSERT_GT(sLog.size(), 2 * kStamp.size() + sFirst.size() + sSecond.size()) << sLog;
    EXPECT_EQ(sLog.substr(nSecond), sSecond) << sLog;
    const size_t nFirst = nSecond - kStamp.size() - sFirst.size();
    EXPECT_EQ(sLog.substr(nFirst, sFirst.size()), sFirst) << sLog;
    EXPECT_TRUE(IsStamp(sLog.substr(nSecond - kStamp.size(), kStamp.size()))) << sLog;
    EXPECT_TRUE(IsStamp(sLog.substr(nFirst - kStamp.size(), kStamp.size()))) << sLog;
    EXPECT_EQ(sLog.find("Gavelry diagnostic log", 1), std::string::npos);

    // A log deleted while running starts again with a fresh header.
    std::filesystem::remove(m_sPath);
    LogDebug("Third");
    EXPECT_EQ(Read().substr(0, sHeader.size()), sHeader);
}

TEST_F(DiagnosticLog, UnwritableLogIsIgnored) {
    g_bDebug = true;
    SetLogFilePath("/nonexistent-folder/GvDebug.log");
    EXPECT_NO_THROW(LogDebug("lost"));
}

} // namespace
