// gavelry-calc: the fee calculator without windows. Each auction text (a .gva file, or
// with "-" each non-blank line of standard input) is calculated on a fresh auction.

#include "basCommon.h"
#include "basMain.h"
#include "clsBatchCalculator.h"
#include "clsError.h"
#include "clsPrices.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <memory>
#include <vector>

#ifdef GAVELRY_HAVE_APP
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

// The whole stream; false on a read error (a folder given as a file, a failing disk).
bool ReadStream(std::istream& oStream, std::string& sText) {
    char acBuffer[65536];
    while (oStream.read(acBuffer, sizeof acBuffer) || oStream.gcount() > 0)
        sText.append(acBuffer, size_t(oStream.gcount()));
    return !oStream.bad();
}

// Each non-blank line of standard input is one auction, named by its line number.
bool RunLines(clsBatchCalculator& oCalculator) {
    std::string sText;
    if (!ReadStream(std::cin, sText)) {
        std::cerr << "standard input: cannot read it\n";
        return false;
    }
    bool bAllFine = true;
    size_t nLine = 0;
    size_t nPos = 0;
    std::string sName;
    while (nPos < sText.size()) {
        size_t nEnd = sText.find('\n', nPos);
        if (nEnd == std::string::npos) nEnd = sText.size();
        ++nLine;
        const std::string_view sLine(sText.data() + nPos, nEnd - nPos);
        if (sLine.find_first_not_of(" \t\r") != std::string_view::npos) {
            sName = "line " + std::to_string(nLine);
            bAllFine &= oCalculator.Calculate(sLine, sName);
        }
        nPos = nEnd + 1;
    }
    return bAllFine;
}

bool RunFile(clsBatchCalculator& oCalculator, const std::string& sPath) {
    std::ifstream oFile(sPath, std::ios::binary);
    if (!oFile) return oCalculator.Unreadable(sPath, "cannot open the file");
    std::string sText;
    if (!ReadStream(oFile, sText)) return oCalculator.Unreadable(sPath, "cannot read the file");
    return oCalculator.Calculate(sText, sPath);
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
    CLI::Option* pProfit =
        oApp.add_option("--target-profit", fTargetProfit,
                        "Also show the least expected price that makes this much profit");
    CLI::Option* pMargin = oApp.add_option(
        "--target-margin", fTargetMargin,
        "Also show the least expected price whose profit is this percent of the selling cost");
    pProfit->excludes(pMargin);
    oApp.add_flag("--hints", oInsight.m_bHints,
                  "Also suggest slightly lower prices that fall into cheaper fee bands");
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
    if (bUpdatePrices) {
        // Skipping a second attempt on the same day is the update doing its job.
        const clsDownloadResult oResult = PerformDownloads();
        std::cout << oResult.Describe() << '\n';
        return oResult.Completed() || oResult.m_eOutcome == DownloadSkipped ? 0 : kExitInputProblem;
    }
#endif
    (void)bUpdatePrices;

    if (asInputs.empty()) {
        std::cerr << "gavelry-calc: no input; name auction files, or - for standard input\n"
                  << "Run with --help for more information.\n";
        return kExitUsage;
    }

    const std::string sPath = sPrices.empty() ? GetPriceFilePath(false) : sPrices;
    auto oPrices = std::make_unique<clsPrices>();
    try {
        oPrices->LoadPriceFile(sPath);
    } catch (const clsError& oError) {
        std::cerr << "Error opening file " << sPath << "\n\n"
                  << GetAppName() << " must close. (" << oError.Description() << ")\n";
        return kExitPriceFile;
    }
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
