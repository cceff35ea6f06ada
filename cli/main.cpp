// gavelry-calc: the fee calculator without windows. Each auction text (a .gva file, or
// with "-" each non-blank line of standard input) is calculated on a fresh auction.

#include "basCommon.h"
#include "basMain.h"
#include "basNumbers.h"
#include "clsBatchCalculator.h"
#include "clsCalculate.h"
#include "clsError.h"
#include "clsPrices.h"
#include "clsRequiredPrices.h"

#include <CLI/CLI.hpp>

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <iostream>
#include <limits>
#include <memory>
#include <string_view>
#include <vector>

#ifdef GAVELRY_HAVE_APP
#include "basFiles.h"
#include "basStartup.h"
#endif

namespace {

constexpr int kExitInputProblem = 1;
constexpr int kExitUsage = 2;
constexpr int kExitPriceFile = 3;

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
    return s;
}

// Each non-blank line of standard input is one auction, named by its line number. Read as
// it comes, a line at a time: a line longer than an auction can be is reported as soon as it
// passes the limit and skipped to its end, and the lines after it are calculated as usual.
bool RunLines(clsBatchCalculator& oCalculator) {
    bool bAllFine = true;
    size_t nLine = 1;
    std::string sLine;
    bool bTooLong = false;
    auto EndLine = [&] {
        if (!bTooLong && sLine.find_first_not_of(" \t\r") != std::string::npos)
            bAllFine &= oCalculator.Calculate(sLine, "line " + std::to_string(nLine));
        sLine.clear();
        bTooLong = false;
        ++nLine;
    };
    char acBuffer[65536];
    for (;;) {
        const ssize_t nRead = ::read(STDIN_FILENO, acBuffer, sizeof acBuffer);
        if (nRead < 0 && errno == EINTR) continue;
        if (nRead < 0) {
            std::cerr << "standard input: cannot read it\n";
            return false;
        }
        if (nRead == 0) break;
        std::string_view sChunk(acBuffer, size_t(nRead));
        while (!sChunk.empty()) {
            const size_t nEnd = std::min(sChunk.find('\n'), sChunk.size());
            if (!bTooLong && sLine.size() + nEnd > clsCalculate::kMaxTextBytes) {
                bTooLong = true;
                sLine.clear();
                bAllFine &= oCalculator.Unreadable("line " + std::to_string(nLine),
                                                   "the line is longer than " +
                                                       DescribeBytes(clsCalculate::kMaxTextBytes));
            }
            if (!bTooLong) sLine.append(sChunk.substr(0, nEnd));
            if (nEnd == sChunk.size()) break;
            EndLine();
            sChunk.remove_prefix(nEnd + 1);
        }
    }
    if (!sLine.empty() || bTooLong) EndLine();
    return bAllFine;
}

bool RunFile(clsBatchCalculator& oCalculator, const std::string& sPath) {
    std::string sText;
    switch (ReadWholeFile(sPath, clsCalculate::kMaxTextBytes, sText)) {
    case FileRead::Done:
        return oCalculator.Calculate(sText, sPath);
    case FileRead::CannotOpen:
        return oCalculator.Unreadable(sPath, "cannot open the file");
    case FileRead::ReadError:
        return oCalculator.Unreadable(sPath, "cannot read the file");
    case FileRead::TooLarge:
        break;
    }
    return oCalculator.Unreadable(sPath, "larger than " +
                                             DescribeBytes(clsCalculate::kMaxTextBytes) +
                                             ": not an auction file");
}

// Loads a price file for the calculator; on failure says so and gives false.
bool LoadPrices(const std::string& sPath, clsPrices& oPrices) {
    try {
        oPrices.LoadPriceFile(sPath);
        return true;
    } catch (const clsError& oError) {
        std::cerr << "Error opening file " << sPath << "\n\n"
                  << GetAppName() << " must close. (" << oError.Description() << ")\n";
        return false;
    }
}

// --check-prices: every required name the file lacks or gives without a number, one a line.
int CheckPrices(const std::string& sPath) {
    clsPrices oPrices;
    if (!LoadPrices(sPath, oPrices)) return kExitPriceFile;
    const clsPriceCheck oCheck = CheckRequiredPrices(oPrices, GetRegion());
    if (oCheck.Passed()) {
        std::cout << sPath << ": every price " << GetAppName() << " needs is there\n";
        return 0;
    }
    std::cout << sPath << ": " << oCheck.m_asMissing.size() << " required prices missing, "
              << oCheck.m_asNotNumeric.size() << " not a number\n";
    for (const std::string& sName : oCheck.m_asMissing)
        std::cout << "missing: " << sName << '\n';
    for (const std::string& sName : oCheck.m_asNotNumeric) {
        std::string sText;
        oPrices.GetData(sName, sText);
        std::cout << "not a number: " << sName << " = " << sText << '\n';
    }
    return kExitPriceFile;
}

// A number for a target: finite, and within what an amount can hold.
std::string FiniteAmount(std::string& sText) {
    double dValue = 0;
    if (ParseNumber(sText, dValue) && std::fabs(dValue) <= std::numeric_limits<float>::max())
        return {};
    return "a finite amount is needed, not " + sText;
}

} // namespace

int main(int argc, char** argv) {
    // Batches of many thousand lines: the C stdio synchronisation costs a fifth of the run.
    std::ios::sync_with_stdio(false);
    // "DEBUG=TRUE" anywhere on the command line, in any case, switches the log on; it is
    // not an input file.
    std::string sCommandLine;
    std::vector<std::string> asArgs;
    for (int i = 0; i < argc; ++i) {
        sCommandLine += std::string(i ? " " : "") + argv[i];
        if (i == 0 || Upper(argv[i]) != "DEBUG=TRUE") asArgs.emplace_back(argv[i]);
    }
    ParseCommandLine(Upper(sCommandLine));

    CLI::App oApp{"Gavelry fee calculator: works out eBay, PayPal and postage fees and the "
                  "profit of auctions saved as .gva files.",
                  "gavelry-calc"};
    std::string sPrices;
    std::string sRegion = GetRegion() == RegionUS ? "US" : "UK";
    std::string sFormat = "text";
    std::vector<std::string> asInputs;
    bool bUpdatePrices = false;
    std::string sCheckPrices;
    InsightOptions oInsight;
    float fTargetProfit = 0;
    float fTargetMargin = 0;
    oApp.add_option("--prices", sPrices,
                    "Price file (default: the edition's file beside the program)");
    oApp.add_option("--region", sRegion, "Fee rules and price file of this site")
        ->transform(CLI::IsMember({"UK", "US"}, CLI::ignore_case));
    oApp.add_option("--format", sFormat, "Output: text, json (one object per line) or csv")
        ->transform(CLI::IsMember({"text", "json", "csv"}, CLI::ignore_case));
    oApp.add_flag("--break-even", oInsight.m_bBreakEven,
                  "Also show the least expected price at which the sale makes no loss");
    const CLI::Validator oFinite(FiniteAmount, "AMOUNT");
    CLI::Option* pProfit =
        oApp.add_option("--target-profit", fTargetProfit,
                        "Also show the least expected price that makes this much profit")
            ->check(oFinite);
    CLI::Option* pMargin =
        oApp.add_option(
                "--target-margin", fTargetMargin,
                "Also show the least expected price whose profit is this percent of the selling "
                "cost")
            ->check(oFinite);
    pProfit->excludes(pMargin);
    oApp.add_flag("--hints", oInsight.m_bHints,
                  "Also suggest slightly lower prices that fall into cheaper fee bands");
    oApp.add_option("--check-prices", sCheckPrices,
                    "List the prices the file lacks, or gives without a number, of those the "
                    "region's fees need (exit status 3 when any)");
#ifdef GAVELRY_HAVE_APP
    oApp.add_flag("--update-prices", bUpdatePrices,
                  "Refresh the price file from the price server, as the program does at start-up");
#endif
    oApp.add_option("inputs", asInputs,
                    "Auction files, or - to read one auction per line of standard input");

    std::vector<const char*> apArgs;
    for (const std::string& s : asArgs)
        apArgs.push_back(s.c_str());
    try {
        oApp.parse(int(apArgs.size()), apArgs.data());
    } catch (const CLI::CallForHelp& e) {
        return oApp.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return oApp.exit(e);
    } catch (const CLI::ParseError& e) {
        oApp.exit(e);
        return kExitUsage;
    }

    SetRegion(Upper(sRegion) == "US" ? RegionUS : RegionUK);
    if (pProfit->count()) oInsight.m_ofTargetProfit = fTargetProfit;
    if (pMargin->count()) oInsight.m_ofTargetMargin = fTargetMargin;

#ifdef GAVELRY_HAVE_APP
    // The program's own folders: its data beside an installed executable, and the user's data
    // folder for the price file and the log when the program folder cannot be written.
    LocateProgramData(GetProgramFolder());
    ChooseWritableFolders();
    if (bUpdatePrices) {
        // Skipping a second attempt on the same day is the update doing its job.
        const clsDownloadResult oResult = PerformDownloads();
        std::cout << oResult.Describe() << '\n';
        return oResult.Completed() || oResult.m_eOutcome == DownloadSkipped ? 0 : kExitInputProblem;
    }
#endif
    (void)bUpdatePrices;
    if (!sCheckPrices.empty()) return CheckPrices(sCheckPrices);

    if (asInputs.empty()) {
        std::cerr << "gavelry-calc: no input; name auction files, or - for standard input\n"
                  << "Run with --help for more information.\n";
        return kExitUsage;
    }

    const std::string sPath = sPrices.empty() ? GetPriceFilePath(false) : sPrices;
    auto oPrices = std::make_unique<clsPrices>();
    if (!LoadPrices(sPath, *oPrices)) return kExitPriceFile;
    // Fees of names the file lacks come out as 0: say so once, before any figure.
    const clsPriceCheck oCheck = CheckRequiredPrices(*oPrices, GetRegion());
    if (!oCheck.Passed())
        std::cerr << "gavelry-calc: warning: " << sPath
                  << " lacks prices the fees need, which count as 0: " << oCheck.Describe(5)
                  << " (see --check-prices)\n";
    SetPrices(std::move(oPrices));

    const std::string sLowerFormat = Upper(sFormat);
    const OutputFormat eFormat = sLowerFormat == "JSON"  ? OutputFormat::Json
                                 : sLowerFormat == "CSV" ? OutputFormat::Csv
                                                         : OutputFormat::Text;
    clsBatchCalculator oCalculator(eFormat, oInsight);
    oCalculator.WriteHeader();
    bool bAllFine = true;
    for (const std::string& sInput : asInputs)
        bAllFine &= sInput == "-" ? RunLines(oCalculator) : RunFile(oCalculator, sInput);
    oCalculator.Flush();
    return bAllFine ? 0 : kExitInputProblem;
}
