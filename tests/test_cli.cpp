// gavelry-calc end to end: the program as a user runs it, on the shipped price files.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct CalcRun {
    int nExit = -1;
    std::string sOut;
    std::string sErr;
};

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        m_oFolder = fs::temp_directory_path() /
                    ("gavelry-cli-" + std::to_string(::getpid()) + "-" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_oFolder);
    }
    void TearDown() override { fs::remove_all(m_oFolder); }

    std::string Write(const std::string& sName, const std::string& sText) {
        const fs::path oPath = m_oFolder / sName;
        std::ofstream(oPath, std::ios::binary) << sText;
        return oPath.string();
    }

    static std::string Slurp(const fs::path& oPath) {
        std::ifstream o(oPath, std::ios::binary);
        std::stringstream s;
        s << o.rdbuf();
        return s.str();
    }

    // Runs the calculator with the arguments (already quoted) and the given standard input.
    CalcRun Calc(const std::string& sArgs, const std::string& sInput = "") {
        const std::string sIn = Write("stdin.txt", sInput);
        const fs::path oErr = m_oFolder / "stderr.txt";
        const std::string sCommand = std::string("'") + GAVELRY_CALC + "' " + sArgs + " < '" + sIn +
                                     "' 2> '" + oErr.string() + "'";
        CalcRun oRun;
        FILE* pPipe = ::popen(sCommand.c_str(), "r");
        if (!pPipe) return oRun;
        char acBuf[4096];
        size_t n = 0;
        while ((n = std::fread(acBuf, 1, sizeof acBuf, pPipe)) > 0)
            oRun.sOut.append(acBuf, n);
        const int nStatus = ::pclose(pPipe);
        oRun.nExit = WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
        oRun.sErr = Slurp(oErr);
        return oRun;
    }

    static std::string Example(const std::string& sName) {
        return std::string("'") + GAVELRY_SOURCE_DIR + "/data/examples/" + sName + "'";
    }

    fs::path m_oFolder;
};

constexpr const char* kDefault =
    "[TYPE]000|False|False|3|0|0|0|False|[TYPE][OUTLAY]0|0|0|0|1|False[OUTLAY][FEATURES]0|0["
    "FEATURES][PAYPAL]False|0|1|False[PAYPAL][POSTAGE]False|0|0|0|0|False|False|False|0|False["
    "POSTAGE]";

std::string Sale(float fPrice) {
    std::string s = kDefault;
    const std::string sOutlay = "[OUTLAY]0|0|0|0|1|False[OUTLAY]";
    const std::string sPrice = std::to_string(fPrice);
    s.replace(s.find(sOutlay), sOutlay.size(),
              "[OUTLAY]0|" + sPrice + "|0|" + sPrice + "|1|False[OUTLAY]");
    return s;
}

TEST_F(Cli, TextShowsTheSellingCostsCaptions) {
    const CalcRun o = Calc(Example("single-item-reserve.gva"));
    EXPECT_EQ(o.nExit, 0) << o.sErr;
    for (const char* s :
         {"Insertion Fee       £1.50", "Reserve Fee         £1.50", "Final Value Fee     £6.30",
          "Total Listing Fee   £2.40", "Selling Cost        £54.62", "Postage & Packing   £2.66",
          "Postage Mark-up     £1.50", "PayPal Fee          £4.42",
          "Profit              £66.88 (122%)"})
        EXPECT_NE(o.sOut.find(s), std::string::npos) << s << "\n" << o.sOut;
    EXPECT_EQ(o.sErr, "");
}

TEST_F(Cli, JsonLinesAndCsvCarryFullPrecision) {
    CalcRun o =
        Calc("--format json " + Example("single-item-reserve.gva") + " " + Example("uk-motor.gva"));
    EXPECT_EQ(o.nExit, 0);
    EXPECT_EQ(o.sOut,
              "{\"insertionFee\":1.5,\"reserveFee\":1.5,\"finalValueFee\":6.3,\"totalListingFee\":"
              "2.4,\"sellingCost\":54.620003,\"postage\":2.66,\"postageProfit\":1.5,\"payPalFee\":"
              "4.42,\"profit\":66.88,\"profitPercent\":122}\n"
              "{\"insertionFee\":8,\"reserveFee\":3,\"finalValueFee\":68.75,\"totalListingFee\":8."
              "15,\"sellingCost\":3879.9,\"postage\":0,\"postageProfit\":0,\"payPalFee\":0,"
              "\"profit\":1620.1001,\"profitPercent\":41}\n");

    o = Calc("--format CSV " + Example("uk-motor.gva"));
    EXPECT_EQ(o.sOut, "insertionFee,reserveFee,finalValueFee,totalListingFee,sellingCost,postage,"
                      "postageProfit,payPalFee,profit,profitPercent,error\n"
                      "8,3,68.75,8.15,3879.9,0,0,0,1620.1001,41,\n");
}

TEST_F(Cli, PublishedUsFiguresWithTheShippedUsFile) {
    const CalcRun o = Calc("--region us --format text -", Sale(25) + "\n" + Sale(1000) + "\n");
    EXPECT_EQ(o.nExit, 0) << o.sErr;
    // No reserve: the first reserve band starts at 0.01.
    EXPECT_NE(o.sOut.find("line 1\n  Insertion Fee       $1.00\n  Reserve Fee         $0.00\n"
                          "  Final Value Fee     $2.19\n"),
              std::string::npos)
        << o.sOut;
    EXPECT_NE(o.sOut.find("line 2\n  Insertion Fee       $4.00\n  Reserve Fee         $0.00\n"
                          "  Final Value Fee     $36.31\n"),
              std::string::npos)
        << o.sOut;
}

TEST_F(Cli, UkBuyItNowItemAt199) {
    std::string s = Sale(1.99f);
    s.replace(s.find("[TYPE]000|False"), 15, "[TYPE]000|True");
    const CalcRun o = Calc("--format json -", s);
    EXPECT_NE(o.sOut.find("\"insertionFee\":0.15,"), std::string::npos) << o.sOut;
}

TEST_F(Cli, EachLineIsAFreshAuction) {
    // The second line has no [FEATURES]: it must not inherit the first line's upgrades.
    std::string sWithBold = Sale(10);
    sWithBold.replace(sWithBold.find("[FEATURES]0|0"), 13, "[FEATURES]16|0");
    std::string sWithout = Sale(10);
    sWithout.erase(sWithout.find("[FEATURES]"), std::string("[FEATURES]0|0[FEATURES]").size());
    const CalcRun o = Calc("--format csv -", sWithBold + "\n\n   \n" + sWithout + "\n");
    EXPECT_EQ(o.nExit, 0) << o.sErr;
    std::istringstream oLines(o.sOut);
    std::string sHeader, sFirst, sSecond;
    std::getline(oLines, sHeader);
    std::getline(oLines, sFirst);
    std::getline(oLines, sSecond);
    EXPECT_EQ(sFirst.substr(0, 21), "0.35,0,0.75,1.1,1.85,");
    EXPECT_EQ(sSecond.substr(0, 21), "0.35,0,0.75,0.35,1.1,");
}

TEST_F(Cli, ProblemsNameTheInputAndSetTheExitStatus) {
    std::string sNoOutlay = kDefault;
    sNoOutlay.erase(sNoOutlay.find("[OUTLAY]"),
                    std::string("[OUTLAY]0|0|0|0|1|False[OUTLAY]").size());
    const std::string sBroken = Write("broken.gva", sNoOutlay + "\r\n");
    CalcRun o =
        Calc("--format json '" + sBroken + "' '" + (m_oFolder / "missing.gva").string() + "'");
    EXPECT_EQ(o.nExit, 1);
    EXPECT_NE(o.sErr.find(sBroken + ": Failure loading section [OUTLAY]"), std::string::npos)
        << o.sErr;
    EXPECT_NE(o.sErr.find("missing.gva: cannot open the file"), std::string::npos) << o.sErr;
    // Figures as loaded are still printed for the broken one; a file that cannot be opened
    // gives nothing but its error (no row of 0.00 figures that could pass for a result).
    EXPECT_EQ(std::count(o.sOut.begin(), o.sOut.end(), '\n'), 1);
    EXPECT_EQ(o.sOut, Calc("--format json '" + sBroken + "'").sOut);
    o = Calc("'" + (m_oFolder / "missing.gva").string() + "'");
    EXPECT_EQ(o.nExit, 1);
    EXPECT_EQ(o.sOut, "");
    EXPECT_EQ(o.sErr, (m_oFolder / "missing.gva").string() + ": cannot open the file\n");
    // A folder is not an auction file: a read error, not a missing section.
    o = Calc("--format json '" + m_oFolder.string() + "'");
    EXPECT_EQ(o.nExit, 1);
    EXPECT_NE(o.sErr.find(m_oFolder.string() + ": cannot read the file"), std::string::npos)
        << o.sErr;
    EXPECT_EQ(o.sOut, "");

    o = Calc("--format json -", std::string(kDefault) + "\nnot an auction\n");
    EXPECT_EQ(o.nExit, 1);
    EXPECT_NE(o.sErr.find("line 2: Failure loading section [OUTLAY]"), std::string::npos);
}

// A batch shared among threads prints what one thread prints, byte for byte, messages on
// standard error in their place between the rows: good and broken lines, blank lines, a line
// too long to be an auction, in every format, with insight columns.
TEST_F(Cli, ThreadsPrintWhatOneThreadPrintsInTheOrderOfTheInput) {
    std::string sInput;
    for (int i = 1; i <= 3000; ++i) {
        if (i % 97 == 0)
            sInput += "not an auction";
        else if (i == 1500)
            sInput += std::string(3 << 19, 'x');
        else if (i % 89 != 0)
            sInput += Sale(float(i) * 0.37f);
        sInput += '\n';
    }
    const std::string sIn = Write("batch.txt", sInput);
    auto Run = [&](const std::string& sArgs) {
        const fs::path oOut = m_oFolder / "both.txt";
        const int nStatus = std::system(("'" + std::string(GAVELRY_CALC) + "' " + sArgs + " - < '" +
                                         sIn + "' > '" + oOut.string() + "' 2>&1")
                                            .c_str());
        EXPECT_EQ(WEXITSTATUS(nStatus), 1) << sArgs;
        return Slurp(oOut);
    };
    for (const char* sFormat : {"json --break-even", "text --hints", "csv --target-profit 5"}) {
        const std::string sOne = Run(std::string("--jobs 1 --format ") + sFormat);
        EXPECT_EQ(Run(std::string("--jobs 3 --format ") + sFormat), sOne) << sFormat;
        EXPECT_EQ(Run(std::string("--format ") + sFormat), sOne) << sFormat;
        const size_t nMessage = sOne.find("line 194: Failure loading section [OUTLAY]\n");
        ASSERT_NE(nMessage, std::string::npos) << sFormat;
        EXPECT_EQ(sOne.find("line 1500: the line is longer than"), sOne.find("line 1500: "))
            << sFormat;
        if (std::string(sFormat).starts_with("text")) {
            // Its message stands between the rows of the lines before and after it.
            EXPECT_LT(sOne.find("\nline 193\n"), nMessage);
            EXPECT_LT(nMessage, sOne.find("\nline 194\n"));
        }
    }
}

TEST_F(Cli, FailedCalculationPrintsTheErrorInstead) {
    const std::string sPrices = Write("prices.dat", "CurrencySymbol,£\r\nFeatureBold,1\r\n");
    CalcRun o = Calc("--format json --prices '" + sPrices + "' -", std::string(kDefault) + "\n");
    EXPECT_EQ(o.nExit, 1);
    EXPECT_EQ(o.sOut, "{\"error\":\"Type mismatch\"}\n");
    o = Calc("--format csv --prices '" + sPrices + "' -", std::string(kDefault) + "\n");
    EXPECT_EQ(o.sOut.substr(o.sOut.find('\n') + 1), ",,,,,,,,,,Type mismatch\n");
    o = Calc("--prices '" + sPrices + "' -", std::string(kDefault) + "\n");
    EXPECT_EQ(o.sOut, "line 1\n  Error: Type mismatch\n");
}

TEST_F(Cli, UsageAndPriceFileErrors) {
    EXPECT_EQ(Calc("--format xml -").nExit, 2);
    EXPECT_EQ(Calc("--region FR -").nExit, 2);
    EXPECT_EQ(Calc("--bogus").nExit, 2);
    EXPECT_EQ(Calc("").nExit, 2);
    const CalcRun oHelp = Calc("--help");
    EXPECT_EQ(oHelp.nExit, 0);
    EXPECT_NE(oHelp.sOut.find("--format"), std::string::npos);

    const std::string sMissing = (m_oFolder / "none.dat").string();
    CalcRun o = Calc("--prices '" + sMissing + "' -", std::string(kDefault) + "\n");
    EXPECT_EQ(o.nExit, 3);
    EXPECT_NE(o.sErr.find("Error opening file " + sMissing), std::string::npos);
    EXPECT_NE(o.sErr.find("Gavelry UK must close."), std::string::npos);
    EXPECT_EQ(o.sOut, "");

    EXPECT_EQ(Calc("--prices '" + m_oFolder.string() + "' -", "x\n").nExit, 3);
    const std::string sDuplicate = Write("dup.dat", "Bold,1\r\nBOLD,2\r\n");
    EXPECT_EQ(Calc("--prices '" + sDuplicate + "' -", "x\n").nExit, 3);
}

TEST_F(Cli, DebugSwitchIsNotAnInput) {
    const fs::path oLog = fs::path(GAVELRY_CALC).parent_path() / "GvDebug.log";
    const CalcRun o = Calc("debug=true --format json " + Example("uk-motor.gva"));
    EXPECT_EQ(o.nExit, 0) << o.sErr;
    EXPECT_EQ(std::count(o.sOut.begin(), o.sOut.end(), '\n'), 1);
    fs::remove(oLog);
}

TEST_F(Cli, ManyLinesInOneRun) {
    std::string sInput;
    for (int i = 0; i < 2000; ++i)
        sInput += Sale(float(i % 500) + 0.99f) + "\n";
    const CalcRun o = Calc("--format json -", sInput);
    EXPECT_EQ(o.nExit, 0);
    EXPECT_EQ(std::count(o.sOut.begin(), o.sOut.end(), '\n'), 2000);
}

} // namespace

namespace {

// Outlay 10, starting at 5.00, expected to end at 20.00, paid through PayPal.
std::string PayPalSale(const std::string& sEndPrice = "20") {
    std::string s = kDefault;
    s.replace(s.find("[OUTLAY]0|0|0|0|1|False"), 23, "[OUTLAY]10|5|0|" + sEndPrice + "|1|False");
    s.replace(s.find("[PAYPAL]False"), 13, "[PAYPAL]True");
    return s + "\n";
}

// The number after "key": in a JSON line.
float JsonNumber(const std::string& sLine, const std::string& sKey) {
    const size_t n = sLine.find("\"" + sKey + "\":");
    return n == std::string::npos ? -1e9f : std::stof(sLine.substr(n + sKey.size() + 3));
}

} // namespace

TEST_F(Cli, BreakEvenTargetAndHintsInEveryFormat) {
    const std::string sFlags = "--break-even --target-margin 25 --hints ";
    CalcRun o = Calc(sFlags + "--format json -", PayPalSale());
    EXPECT_EQ(o.nExit, 0) << o.sErr;
    EXPECT_NE(
        o.sOut.find(",\"profitPercent\":57,\"breakEvenPrice\":11.84,\"targetPrice\":15.27,"
                    "\"hints\":[\"Start at £4.99: insertion fee £0.20 instead of £0.35\"]}\n"),
        std::string::npos)
        << o.sOut;

    o = Calc(sFlags + "--format csv -", PayPalSale());
    EXPECT_EQ(o.sOut, "insertionFee,reserveFee,finalValueFee,totalListingFee,sellingCost,postage,"
                      "postageProfit,payPalFee,profit,profitPercent,breakEvenPrice,targetPrice,"
                      "hints,error\n"
                      "0.35,0,1.5,0.35,12.7300005,0,0,0.88,7.2699995,57,11.84,15.27,"
                      "Start at £4.99: insertion fee £0.20 instead of £0.35,\n");

    o = Calc(sFlags + "-", PayPalSale());
    EXPECT_NE(o.sOut.find("  Profit              £7.27 (57%)\n"
                          "  Break-even Price    £11.84\n"
                          "  Target Price        £15.27\n"
                          "  Hint                Start at £4.99: insertion fee £0.20 instead of "
                          "£0.35\n"),
              std::string::npos)
        << o.sOut;

    // Without the flags the output keeps its old shape.
    o = Calc("--format json -", PayPalSale());
    EXPECT_EQ(o.sOut.find("breakEvenPrice"), std::string::npos);
    EXPECT_NE(o.sOut.find("\"profitPercent\":57}\n"), std::string::npos);
}

TEST_F(Cli, TargetPriceHoldsWhenTheAuctionIsRunAtIt) {
    for (const char* sTarget : {"0", "4.5", "30", "250"}) {
        const CalcRun o =
            Calc(std::string("--format json --target-profit ") + sTarget + " -", PayPalSale());
        ASSERT_EQ(o.nExit, 0) << o.sErr;
        const float fPrice = JsonNumber(o.sOut, "targetPrice");
        char acPrice[32];
        std::snprintf(acPrice, sizeof acPrice, "%.2f", fPrice);
        char acBelow[32];
        std::snprintf(acBelow, sizeof acBelow, "%.2f", fPrice - 0.01f);
        const CalcRun oAt = Calc("--format json -", PayPalSale(acPrice) + PayPalSale(acBelow));
        const size_t nSecond = oAt.sOut.find('\n') + 1;
        EXPECT_GE(JsonNumber(oAt.sOut.substr(0, nSecond), "profit"), std::stof(sTarget) - 0.0001f)
            << sTarget << " at " << acPrice;
        EXPECT_LT(JsonNumber(oAt.sOut.substr(nSecond), "profit"), std::stof(sTarget))
            << sTarget << " at " << acBelow;
    }
}

TEST_F(Cli, UnreachableTargetsAndBadFlags) {
    CalcRun o = Calc("--format json --target-margin 5000 -", PayPalSale());
    EXPECT_EQ(o.nExit, 0);
    EXPECT_NE(o.sOut.find("\"targetPrice\":null}"), std::string::npos) << o.sOut;
    o = Calc("--format csv --target-profit 2000000 -", PayPalSale());
    EXPECT_NE(o.sOut.find(",57,,\n"), std::string::npos) << o.sOut;
    o = Calc("--target-profit 2000000 -", PayPalSale());
    EXPECT_NE(o.sOut.find("  Target Price        unreachable\n"), std::string::npos) << o.sOut;

    EXPECT_EQ(Calc("--target-profit 5 --target-margin 10 -", PayPalSale()).nExit, 2);
    EXPECT_EQ(Calc("--target-profit lots -", PayPalSale()).nExit, 2);
    EXPECT_EQ(Calc("--target-margin -", PayPalSale()).nExit, 2);
}

TEST_F(Cli, ErrorRowsKeepTheInsightColumns) {
    const std::string sPrices = Write("prices.dat", "CurrencySymbol,£\r\nFeatureBold,1\r\n");
    const CalcRun o =
        Calc("--format csv --break-even --target-profit 1 --hints --prices '" + sPrices + "' -",
             std::string(kDefault) + "\n");
    EXPECT_EQ(o.nExit, 1);
    EXPECT_EQ(o.sOut.substr(o.sOut.find('\n') + 1), ",,,,,,,,,,,,,Type mismatch\n");
}

TEST_F(Cli, UsHintsUseTheUsBands) {
    std::string s = PayPalSale();
    s.replace(s.find("[OUTLAY]10|5|"), 13, "[OUTLAY]10|10|");
    const CalcRun o = Calc("--region us --hints --format json -", s);
    EXPECT_NE(o.sOut.find("\"hints\":[\"Start at $9.99: insertion fee $0.35 instead of $0.55\"]"),
              std::string::npos)
        << o.sOut;
}

TEST_F(Cli, InputsBeyondAnyAuctionGiveAClearErrorAndTheBatchGoesOn) {
    const std::string sMotor = Example("uk-motor.gva");
    const std::string sMotorRow = Calc("--format json " + sMotor).sOut;
    ASSERT_EQ(sMotorRow.rfind("{\"insertionFee\":8,", 0), 0u) << sMotorRow;

    // A device without end as an auction file: refused at the limit, the next file calculated.
    CalcRun o = Calc("--format json /dev/zero " + sMotor);
    EXPECT_EQ(o.nExit, 1);
    EXPECT_NE(o.sErr.find("/dev/zero: larger than 1 MiB: not an auction file"), std::string::npos)
        << o.sErr;
    EXPECT_EQ(o.sOut, sMotorRow);

    // A line of standard input longer than any auction: that line is reported, the next runs.
    std::ifstream oMotor(GAVELRY_SOURCE_DIR "/data/examples/uk-motor.gva", std::ios::binary);
    std::string sMotorText;
    std::getline(oMotor, sMotorText);
    o = Calc("--format json -", std::string(3 << 20, 'x') + "\n" + sMotorText + "\n");
    EXPECT_EQ(o.nExit, 1);
    EXPECT_NE(o.sErr.find("line 1: the line is longer than 1 MiB"), std::string::npos) << o.sErr;
    EXPECT_EQ(o.sOut.substr(o.sOut.find('\n') + 1), sMotorRow);

    // An endless line is reported as soon as it passes the limit; the calculator reads on,
    // in little memory, until it is stopped, and never aborts.
    const std::string sErr = (m_oFolder / "endless.txt").string();
    const int nStatus = std::system(("timeout 3 sh -c \"cat /dev/zero | '" +
                                     std::string(GAVELRY_CALC) + "' -\" 2> '" + sErr + "'")
                                        .c_str());
    EXPECT_EQ(WEXITSTATUS(nStatus), 124) << "still reading when stopped";
    const std::string sEndless = Slurp(sErr);
    EXPECT_NE(sEndless.find("line 1: the line is longer than 1 MiB"), std::string::npos)
        << sEndless;
    EXPECT_EQ(sEndless.find("bad_alloc"), std::string::npos) << sEndless;

    // A device without end as the price file.
    o = Calc("--prices /dev/zero " + sMotor);
    EXPECT_EQ(o.nExit, 3);
    EXPECT_NE(o.sErr.find("Error opening file /dev/zero"), std::string::npos) << o.sErr;
    EXPECT_NE(o.sErr.find("(The price file is larger than 4 MiB)"), std::string::npos) << o.sErr;
    EXPECT_EQ(o.sOut, "");
}

TEST_F(Cli, CheckPricesNamesWhatTheFeesWouldMiss) {
    const std::string sShipped = std::string(GAVELRY_SOURCE_DIR) + "/data/UpdateUK_v0102.dat";
    CalcRun o = Calc("--check-prices '" + sShipped + "'");
    EXPECT_EQ(o.nExit, 0) << o.sOut;
    EXPECT_EQ(o.sOut, sShipped + ": every price Gavelry UK needs is there\n");
    EXPECT_EQ(Calc("--region us --check-prices '" + std::string(GAVELRY_SOURCE_DIR) +
                   "/data/UpdateUS_v0102.dat'")
                  .nExit,
              0);
    // The UK file lacks what the US rules ask for.
    EXPECT_EQ(Calc("--region us --check-prices '" + sShipped + "'").nExit, 3);

    // The shipped file cut at 6,000 bytes, with tax that is no number.
    std::string sCut = Slurp(sShipped).substr(0, 6000);
    sCut += "\r\nLocalTax,abc\r\n";
    const std::string sPath = Write("cut.dat", sCut);
    o = Calc("--check-prices '" + sPath + "'");
    EXPECT_EQ(o.nExit, 3);
    EXPECT_EQ(o.sOut.rfind(sPath + ": ", 0), 0u) << o.sOut;
    for (const char* sLine :
         {"\nmissing: PersonalRatePounds%\n", "\nmissing: FirstClassRanges\n",
          "\nmissing: InsuranceBandName4\n", "\nnot a number: LocalTax = abc\n"})
        EXPECT_NE(o.sOut.find(sLine), std::string::npos) << sLine << o.sOut;
    EXPECT_EQ(o.sOut.find("missing: Opening"), std::string::npos) << "within the first 6,000 bytes";

    // Calculating with it still works, with one warning naming what is missing.
    o = Calc("--prices '" + sPath + "' " + Example("uk-motor.gva"));
    EXPECT_EQ(o.nExit, 0) << o.sErr;
    EXPECT_EQ(std::count(o.sErr.begin(), o.sErr.end(), '\n'), 1) << o.sErr;
    EXPECT_NE(o.sErr.find("gavelry-calc: warning: " + sPath + " lacks prices the fees need"),
              std::string::npos)
        << o.sErr;

    EXPECT_EQ(Calc("--check-prices '" + (m_oFolder / "none.dat").string() + "'").nExit, 3);
}

TEST_F(Cli, TargetsMustBeFiniteAmounts) {
    for (const char* sArgs : {"--target-profit nan", "--target-profit inf", "--target-margin -inf",
                              "--target-margin NaN", "--target-profit 1e39"}) {
        const CalcRun o = Calc(std::string(sArgs) + " -", PayPalSale());
        EXPECT_EQ(o.nExit, 2) << sArgs;
        EXPECT_NE(o.sErr.find("a finite amount is needed"), std::string::npos) << o.sErr;
        EXPECT_EQ(o.sOut, "") << sArgs;
    }
    EXPECT_EQ(Calc("--target-profit 1e30 -", PayPalSale()).nExit, 0);
}

namespace {

// The listing upgrades' part of the total listing fee of one auction line.
float UpgradeCost(const std::string& sJsonLine) {
    return JsonNumber(sJsonLine, "totalListingFee") - JsonNumber(sJsonLine, "insertionFee");
}

} // namespace

// Upgrades take the shop duration's price only in a shop: a standard auction carrying the
// default duration (30 days) pays "FeatureBold" and "FeaturePlus", a 60-day shop listing
// "FeatureBold60".
TEST_F(Cli, UpgradesPricedByShopDurationOnlyInAShop) {
    const struct {
        const char* m_sRegion;
        float m_fStandard; // FeatureBold + FeaturePlus
        float m_fShop60;   // FeatureBold60
    } aoCases[] = {{"UK", 0.75f + 9.95f, 0.50f}, {"US", 1.00f + 19.95f, 2.00f}};
    for (const auto& oCase : aoCases) {
        SCOPED_TRACE(oCase.m_sRegion);
        std::string sStandard = Sale(10);
        sStandard.replace(sStandard.find("[TYPE]000|False|False|3|"), 24,
                          "[TYPE]000|False|False|0|");
        sStandard.replace(sStandard.find("[FEATURES]0|0"), 13, "[FEATURES]18|0");
        std::string sShop = Sale(10);
        sShop.replace(sShop.find("[TYPE]000|False|False|3|"), 24, "[TYPE]000|False|True|4|");
        sShop.replace(sShop.find("[FEATURES]0|0"), 13, "[FEATURES]16|0");
        const CalcRun o = Calc(std::string("--region ") + oCase.m_sRegion + " --format json -",
                               sStandard + "\n" + sShop + "\n");
        ASSERT_EQ(o.nExit, 0) << o.sErr;
        const size_t nSecond = o.sOut.find('\n') + 1;
        EXPECT_NEAR(UpgradeCost(o.sOut.substr(0, nSecond)), oCase.m_fStandard, 1e-4) << o.sOut;
        EXPECT_NEAR(UpgradeCost(o.sOut.substr(nSecond)), oCase.m_fShop60, 1e-4) << o.sOut;
    }
}

namespace {

// An auction line for today's schedule: one or more items at a price, postage typed in (0:
// none), outlay, and the [TODAY] fields account|category|region|ad rate|Top Rated|below
// standard|VAT registered|sales tax|one order|listings this month.
std::string TodaySale(float fPrice, const std::string& sToday, float fPostage = 0,
                      int nQuantity = 1, float fOutlay = 0) {
    auto Number = [](float f) {
        std::ostringstream s;
        s << f;
        return s.str();
    };
    return "[TYPE]000|False|False|3|0|0|0|False|[TYPE][OUTLAY]" + Number(fOutlay) + "|0|0|" +
           Number(fPrice) + "|" + std::to_string(nQuantity) +
           "|False[OUTLAY][FEATURES]0|0[FEATURES][PAYPAL]False|0|1|False[PAYPAL][POSTAGE]" +
           (fPostage > 0 ? "True" : "False") + "|0|3|" + Number(fPostage) +
           "|0|False|False|False|0|False[POSTAGE][TODAY]" + sToday + "[TODAY]";
}

std::string TodayFile(const char* sRegion) {
    return std::string("'") + GAVELRY_SOURCE_DIR + "/data/FeesToday" + sRegion + ".dat'";
}

struct TodayCheck {
    const char* sCase;
    std::string sLine;
    std::vector<std::pair<const char*, float>> aoExpected; // JSON key, figure
};

// Runs the lines through gavelry-calc on a today file in JSON and checks each figure.
void ExpectToday(const CalcRun& o, const std::vector<TodayCheck>& aoChecks) {
    ASSERT_EQ(o.nExit, 0) << o.sErr;
    std::istringstream oLines(o.sOut);
    std::string sLine;
    for (const TodayCheck& oCheck : aoChecks) {
        ASSERT_TRUE(std::getline(oLines, sLine)) << oCheck.sCase;
        for (const auto& [sKey, fValue] : oCheck.aoExpected)
            EXPECT_NEAR(JsonNumber(sLine, sKey), fValue, 1e-4)
                << oCheck.sCase << ": " << sKey << "\n"
                << sLine;
    }
}

std::string Lines(const std::vector<TodayCheck>& aoChecks) {
    std::string s;
    for (const TodayCheck& o : aoChecks)
        s += o.sLine + "\n";
    return s;
}

} // namespace

// eBay's own US example, the figures derived from eBay's published rules and the thresholds
// of both kinds.
TEST_F(Cli, TodayUsChecks) {
    const std::string sCard = "NoStore|SportsCards|-|0|False|False|False|0|False|0";
    const std::string sMost = "NoStore|-|-|0|False|False|False|8|False|0";
    const std::string sJewel = "NoStore|jewelry|-|0|False|False|False|0|False|0";
    const std::string sShoes = "NoStore|AthleticShoes|-|0|False|False|False|0|False|0";
    const std::vector<TodayCheck> aoChecks = {
        {"trading card, $25 order (eBay's example)",
         TodaySale(25, sCard),
         {{"finalValueFee", 3.31f}, {"perOrderFee", 0.40f}, {"totalFees", 3.71f}}},
        {"trading card, $10,000",
         TodaySale(10000, sCard),
         {{"finalValueFee", 1052.50f}, {"totalFees", 1052.90f}}},
        {"jewelry, $4,900 and $300 more in the total",
         TodaySale(4900, sJewel, 300),
         {{"saleTotal", 5200}, {"totalFees", 468.40f}}},
        {"jewelry, $5,000: 15 % of the whole",
         TodaySale(5000, sJewel),
         {{"finalValueFee", 750}, {"totalFees", 750.40f}}},
        {"jewelry, $5,001: 9 % of the whole, less",
         TodaySale(5001, sJewel),
         {{"finalValueFee", 450.09f}, {"totalFees", 450.49f}, {"profit", 4550.51f}}},
        {"most categories, $50 + $10 postage + 8 % tax",
         TodaySale(50, sMost, 10),
         {{"salesTax", 4.80f},
          {"saleTotal", 64.80f},
          {"totalFees", 9.21f},
          {"buyersPrice", 64.80f},
          {"profit", 50 - 9.21f}}},
        {"athletic shoes, $200: 8 %, no per-order fee",
         TodaySale(200, sShoes),
         {{"finalValueFee", 16}, {"perOrderFee", 0}, {"totalFees", 16}}},
        {"athletic shoes, $149.99: 13.6 % and the fee",
         TodaySale(149.99f, sShoes),
         {{"finalValueFee", 20.40f}, {"perOrderFee", 0.40f}}},
        {"watch, $2,000: three marginal bands",
         TodaySale(2000, "NoStore|Watches|-|0|False|False|False|0|False|0"),
         {{"finalValueFee", 215}, {"totalFees", 215.40f}}},
        {"per-order fee, $10.00 order",
         TodaySale(10, "NoStore|-|-|0|False|False|False|0|False|0"),
         {{"perOrderFee", 0.30f}, {"totalFees", 1.66f}}},
        {"per-order fee, $10.01 order",
         TodaySale(10.01f, "NoStore|-|-|0|False|False|False|0|False|0"),
         {{"perOrderFee", 0.40f}, {"totalFees", 1.76f}}},
        {"Basic Store jewelry, $5,000.01: 7 %, abroad, promoted at 5 %, below standard",
         TodaySale(5000.01f, "Basic|jewelry|abroad|5|False|True|False|0|False|0"),
         {{"finalValueFee", 350},
          {"internationalFee", 82.5f},
          {"adFee", 250},
          {"belowStandardFee", 300},
          {"totalFees", 982.90f}}},
    };
    ExpectToday(Calc("--format json --prices " + TodayFile("US") + " -", Lines(aoChecks)),
                aoChecks);
}

// An auction whose postage is a Royal Mail service: the 2008 file prices the service; today's
// file has no carrier prices, so the postage typed in counts (and is part of the fee base),
// the same rule as in the program.
TEST_F(Cli, RoyalMailPostageUnderEachSchedule) {
    std::string sLine = TodaySale(50, "Business|-|-|0|False|False|False|0|False|0", 5);
    // First class, 0.2 kg, £5 typed in, recorded delivery.
    const std::string sTyped = "[POSTAGE]True|0|3|5|0|False|False|False|0|False[POSTAGE]";
    const size_t nAt = sLine.find(sTyped);
    ASSERT_NE(nAt, std::string::npos);
    sLine.replace(nAt, sTyped.size(), "[POSTAGE]True|0.2|0|5|0|True|False|False|0|False[POSTAGE]");
    const CalcRun oToday = Calc("--format json --prices " + TodayFile("UK") + " -", sLine + "\n");
    ASSERT_EQ(oToday.nExit, 0) << oToday.sErr;
    EXPECT_NEAR(JsonNumber(oToday.sOut, "postageCharged"), 5, 1e-4) << oToday.sOut;
    EXPECT_NEAR(JsonNumber(oToday.sOut, "saleTotal"), 55, 1e-4) << oToday.sOut;
    EXPECT_NEAR(JsonNumber(oToday.sOut, "totalFees"), 9.23f, 1e-4) << oToday.sOut;
    // The text output says why the Royal Mail service counts nothing; typed-in postage alone
    // needs no note.
    const std::string sNote = "Royal Mail service has no price under today's fees";
    const std::string sRoyalMail = sLine;
    sLine.replace(nAt, sTyped.size(), sTyped);
    for (const auto& [sAuction, bNote] : {std::pair{sRoyalMail, true}, std::pair{sLine, false}}) {
        const CalcRun oText = Calc("--prices " + TodayFile("UK") + " -", sAuction + "\n");
        ASSERT_EQ(oText.nExit, 0) << oText.sErr;
        EXPECT_EQ(oText.sOut.find(sNote) != std::string::npos, bNote) << oText.sOut;
    }
    sLine = sRoyalMail;
    const CalcRun o2008 = Calc("--format json -", sLine + "\n");
    ASSERT_EQ(o2008.nExit, 0) << o2008.sErr;
    EXPECT_NEAR(JsonNumber(o2008.sOut, "postage"), 1.45f + 0.72f, 1e-4) << o2008.sOut;
}

// Private sellers pay nothing and their buyers the protection fee on the item price; business
// sellers pay the fees with VAT, which a VAT-registered seller reclaims.
TEST_F(Cli, TodayUkChecks) {
    const std::string sPrivate = "Private|-|-|0|False|False|False|0|False|0";
    const std::string sBusiness = "Business|-|-|0|False|False|False|0|False|0";
    const std::vector<TodayCheck> aoChecks = {
        {"private, £10",
         TodaySale(10, sPrivate),
         {{"totalFees", 0},
          {"buyerProtectionFee", 0.80f},
          {"buyersPrice", 10.80f},
          {"profit", 10}}},
        {"private, £20 and £3.50 postage: no protection fee on postage",
         TodaySale(20, sPrivate, 3.5f),
         {{"buyerProtectionFee", 1.50f}, {"buyersPrice", 25}, {"profit", 20}}},
        {"private, £500",
         TodaySale(500, sPrivate),
         {{"buyerProtectionFee", 16.70f}, {"buyersPrice", 516.70f}}},
        {"private, £10,000: the fee stops growing at £4,000",
         TodaySale(10000, sPrivate),
         {{"buyerProtectionFee", 86.70f}}},
        {"business, £50 + £5 postage",
         TodaySale(50, sBusiness, 5),
         {{"finalValueFee", 7.10f},
          {"perOrderFee", 0.40f},
          {"regulatoryFee", 0.19f},
          {"feesExVat", 7.69f},
          {"vatOnFees", 1.54f},
          {"totalFees", 9.23f},
          {"sellingCost", 9.23f},
          {"buyerProtectionFee", 0},
          {"profit", 50 - 9.23f}}},
        {"business, VAT registered: the VAT is reclaimed",
         TodaySale(50, "Business|-|-|0|False|False|True|0|False|0", 5),
         {{"vatOnFees", 1.54f},
          {"totalFees", 9.23f},
          {"sellingCost", 7.69f},
          {"profit", 50 - 7.69f}}},
        {"business, £15 + £5: the regulatory fee",
         TodaySale(15, sBusiness, 5),
         {{"regulatoryFee", 0.07f}}},
        {"business, Top Rated: 10 % off the final value fee only",
         TodaySale(100, "Business|-|-|0|True|False|False|0|False|0"),
         {{"finalValueFee", 12.90f}, {"topRatedDiscount", 1.29f}, {"feesExVat", 12.36f}}},
    };
    ExpectToday(Calc("--format json --prices " + TodayFile("UK") + " -", Lines(aoChecks)),
                aoChecks);
}

TEST_F(Cli, TodayNotesAndDataDateInEveryFormat) {
    const std::string sLine =
        TodaySale(1200, "Business|Jewellery|-|0|False|False|False|0|False|0") + "\n";
    const std::string sArgs = "--prices " + TodayFile("UK") + " ";
    CalcRun o = Calc(sArgs + "-", sLine);
    EXPECT_EQ(o.nExit, 0) << o.sErr;
    for (const char* s : {"  Schedule              eBay UK today, data of 2026-12-08\n",
                          "  Account               Business seller\n",
                          "  Category              Jewellery & Watches\n",
                          "  Final Value Fee       £157.00\n", "  VAT on Fees           £",
                          "  Note                  Final value fee, Jewellery & Watches: "
                          "third-party figure\n"})
        EXPECT_NE(o.sOut.find(s), std::string::npos) << s << "\n" << o.sOut;
    EXPECT_EQ(o.sOut.find("Buyer Protection"), std::string::npos) << o.sOut;

    o = Calc(sArgs + "--format json -", sLine);
    EXPECT_NE(o.sOut.find("\"dataDate\":\"2026-12-08\",\"account\":\"business\",\"category\":"
                          "\"jewellery\",\"buyerRegion\":\"domestic\",\"notes\":[{\"what\":"
                          "\"Final value fee, Jewellery & Watches\",\"flag\":\"third-party\"}"),
              std::string::npos)
        << o.sOut;

    o = Calc(sArgs + "--format csv --break-even -", sLine);
    EXPECT_EQ(o.sOut.substr(0, o.sOut.find('\n')),
              "items,postageCharged,salesTax,saleTotal,insertionFee,finalValueFee,perOrderFee,"
              "regulatoryFee,internationalFee,belowStandardFee,topRatedDiscount,adFee,feesExVat,"
              "vatOnFees,totalFees,buyerProtectionFee,buyersPrice,sellingCost,postage,"
              "postageProfit,profit,profitPercent,orders,vatReclaimed,dataDate,account,category,"
              "buyerRegion,notes,breakEvenPrice,error");
    EXPECT_NE(
        o.sOut.find(",2026-12-08,business,jewellery,domestic,\"Final value fee, Jewellery "
                    "& Watches: third-party figure; Free listings per month: unknown, placeholder "
                    "value\",0.43,\n"),
        std::string::npos)
        << o.sOut;
}

TEST_F(Cli, TodayScheduleIsChosenAndTheFileMustHoldIt) {
    const std::string sLine = Sale(20) + "\n";
    // --schedule today reads the file beside the program; a 2008 auction is worked out with
    // today's defaults (a private seller on the UK site).
    CalcRun o = Calc("--schedule today -", sLine);
    EXPECT_EQ(o.nExit, 0) << o.sErr;
    EXPECT_NE(o.sOut.find("  Buyer Protection Fee  £1.50\n"), std::string::npos) << o.sOut;
    // --schedule 2008 is the edition's file, as without the option.
    EXPECT_EQ(Calc("--schedule 2008 -", sLine).sOut, Calc("-", sLine).sOut);

    o = Calc("--schedule today --prices '" + std::string(GAVELRY_SOURCE_DIR) +
                 "/data/UpdateUK_v0102.dat' -",
             sLine);
    EXPECT_EQ(o.nExit, 3);
    EXPECT_NE(o.sErr.find("holds the 2008 fee schedule, not today's"), std::string::npos) << o.sErr;
    o = Calc("--schedule 2008 --prices " + TodayFile("US") + " -", sLine);
    EXPECT_EQ(o.nExit, 3);

    o = Calc("--region US --schedule today --categories 'trading cards'");
    EXPECT_EQ(o.nExit, 0) << o.sErr;
    EXPECT_NE(o.sOut.find("Categories:\n  nonsportcards   Non-Sport Trading Cards\n"
                          "  sportscards     Sports Trading Cards\n"),
              std::string::npos)
        << o.sOut;
    EXPECT_NE(o.sOut.find("  basic           Basic Store\n"), std::string::npos) << o.sOut;
    EXPECT_EQ(Calc("--schedule today --categories zeppelin").nExit, 1);

    o = Calc("--check-prices " + TodayFile("UK"));
    EXPECT_EQ(o.nExit, 0) << o.sOut;
}

// Past $5,000 the jewelry fee falls by a third: a break-even price that a search assuming
// fees rise with the price would put far higher.
TEST_F(Cli, TodayBreakEvenAcrossAWholeAmountThreshold) {
    const CalcRun o =
        Calc("--region US --schedule today --format csv --break-even --target-profit 300 -",
             TodaySale(100, "NoStore|jewelry|-|0|False|False|False|0|False|0", 0, 1, 4300));
    EXPECT_EQ(o.nExit, 0) << o.sErr;
    EXPECT_NE(o.sOut.find(",5000.01,5055.38,\n"), std::string::npos) << o.sOut;
}

// Today's inputs given as options are set over every auction's own [TODAY] section, or give
// it one: eBay's own US example is reached from an auction without the section.
TEST_F(Cli, TodayInputsByOption) {
    struct Case {
        const char* sOptions;
        std::string sLine;
        std::vector<std::pair<const char*, float>> aoExpected; // JSON key, figure
    };
    const std::string sPlain = Sale(25) + "\n"; // no [TODAY] section
    const std::string sCard = TodaySale(25, "NoStore|SportsCards|-|0|True|False|False|0|False|0");
    const std::string sTwo = TodaySale(10, "Business|-|-|0|False|False|False|0|False|0", 0, 2);
    const std::vector<Case> aoCases = {
        {"--region US --account NoStore --category SportsCards",
         sPlain,
         {{"finalValueFee", 3.31f}, {"perOrderFee", 0.40f}, {"totalFees", 3.71f}}},
        {"--region US --account nostore --category sportscards --buyer-region Abroad",
         sPlain,
         {{"internationalFee", 0.41f}, {"totalFees", 4.12f}}},
        {"--region US --ad-rate 5 --sales-tax 8",
         sCard,
         {{"salesTax", 2}, {"saleTotal", 27}, {"finalValueFee", 3.58f}, {"adFee", 1.35f}}},
        {"--region US", sCard, {{"topRatedDiscount", 0.33f}}},
        {"--region US --no-top-rated --below-standard",
         sCard,
         {{"topRatedDiscount", 0}, {"belowStandardFee", 1.50f}, {"totalFees", 5.21f}}},
        {"--region US --listings-this-month 250", sCard, {{"insertionFee", 0.35f}}},
        {"--region US --category Jewelry", sCard, {{"finalValueFee", 3.75f}}},
        {"--account Private",
         sTwo,
         {{"totalFees", 0}, {"buyerProtectionFee", 1.60f}, {"orders", 2}}},
        {"--one-order", sTwo, {{"orders", 1}, {"perOrderFee", 0.40f}}},
        {"--no-one-order", sTwo, {{"orders", 2}, {"perOrderFee", 0.60f}}},
        {"--vat-registered",
         sTwo,
         {{"vatOnFees", 0.66f}, {"totalFees", 3.92f}, {"sellingCost", 3.26f}}},
        {"--no-vat-registered", sTwo, {{"totalFees", 3.92f}, {"sellingCost", 3.92f}}},
    };
    for (const Case& o : aoCases) {
        const CalcRun oRun = Calc(
            std::string("--schedule today --format json ") + o.sOptions + " -", o.sLine + "\n");
        ASSERT_EQ(oRun.nExit, 0) << o.sOptions << "\n" << oRun.sErr;
        for (const auto& [sKey, fValue] : o.aoExpected)
            EXPECT_NEAR(JsonNumber(oRun.sOut, sKey), fValue, 1e-4)
                << o.sOptions << ": " << sKey << "\n"
                << oRun.sOut;
    }
    // The text output names what the options chose.
    const CalcRun oText = Calc("--region US --schedule today --account Basic --category Watches "
                               "--buyer-region Abroad -",
                               sPlain);
    for (const char* s : {"  Account               Basic Store\n",
                          "  Category              Watches / Parts & Accessories\n",
                          "  Buyer in              Outside the United States\n"})
        EXPECT_NE(oText.sOut.find(s), std::string::npos) << s << oText.sOut;
}

// A value the schedule does not have, or an input that means nothing where it is given, is a
// usage error that names the option; no figure is printed.
TEST_F(Cli, TodayOptionsThatDoNotFitAreRefused) {
    const std::string sLine = Sale(25) + "\n";
    const std::vector<std::pair<const char*, const char*>> aoCases = {
        {"--schedule today --category zeppelin",
         "--category zeppelin: eBay UK today has no such category; --categories WORDS lists"},
        {"--region US --schedule today --account Shop", "--account Shop: eBay US today has no "
                                                        "such account (it has nostore, starter, "
                                                        "basic, premium, anchor, enterprise)"},
        {"--region US --schedule today --buyer-region Mars",
         "has no such buyer region (it has domestic, abroad)"},
        {"--category jewellery --top-rated",
         "--category, --top-rated: inputs of today's fee schedule, but"},
        {"--schedule 2008 --one-order", "holds the 2008 schedule (add --schedule today)"},
        {"--schedule today --sales-tax 8", "--sales-tax: eBay UK today takes no sales tax"},
        {"--region US --schedule today --vat-registered",
         "--vat-registered: eBay US today adds no VAT to the fees"},
        {"--schedule today --account private --top-rated",
         "--top-rated: eBay UK today gives no Top Rated discount (account: Private seller)"},
        {"--schedule today --ad-rate 1", "eBay's ad rates run from 2 to 100 percent"},
        {"--schedule today --ad-rate 101", "a percentage from 0 to 100 is needed, not 101"},
        {"--region US --schedule today --sales-tax -1", "a percentage from 0 to 100"},
        {"--schedule today --listings-this-month -3", "a whole number from 0 up is needed"},
    };
    for (const auto& [sOptions, sMessage] : aoCases) {
        const CalcRun o = Calc(std::string(sOptions) + " -", sLine);
        EXPECT_EQ(o.nExit, 2) << sOptions << "\n" << o.sErr;
        EXPECT_NE(o.sErr.find(sMessage), std::string::npos) << sOptions << "\n" << o.sErr;
        EXPECT_EQ(o.sOut, "") << sOptions;
    }
    // Turning an input off is never refused, and --help says how the options apply.
    EXPECT_EQ(Calc("--schedule today --account private --no-top-rated -", sLine).nExit, 0);
    EXPECT_NE(Calc("--help").sOut.find("each one given applies to every auction, over what the "
                                       "auction's [TODAY] section says"),
              std::string::npos);
}
