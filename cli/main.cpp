// gavelry-calc: the fee calculator without windows. Each auction text (a .gva file, or
// with "-" each non-blank line of standard input) is calculated on a fresh auction.

#include "basCommon.h"
#include "basDataFolders.h"
#include "basMain.h"
#include "basNumbers.h"
#include "clsBatchCalculator.h"
#include "clsBatchRunner.h"
#include "clsCalculate.h"
#include "clsError.h"
#include "clsPrices.h"
#include "clsRequiredPrices.h"
#include "clsTodayOptions.h"
#include "clsTodaySchedule.h"

#include <CLI/CLI.hpp>

#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <limits>
#include <memory>
#include <string_view>
#include <thread>
#include <vector>

namespace {

constexpr int kExitInputProblem = 1;
constexpr int kExitUsage = 2;
constexpr int kExitPriceFile = 3;

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
    return s;
}

// The number of cores this process may run on.
int32_t CoreCount() {
    cpu_set_t oCores;
    if (::sched_getaffinity(0, sizeof oCores, &oCores) == 0) return std::max(CPU_COUNT(&oCores), 1);
    return int32_t(std::max(std::thread::hardware_concurrency(), 1u));
}

#ifdef GAVELRY_HAVE_UPDATER
// --update-prices: the update is a program of its own, so that the calculator itself starts
// without the libraries the transfer needs. It is found beside the calculator (a build
// folder) or where an installation keeps it, and runs as if it were the calculator.
int UpdatePrices(const std::string& sExeFolder, const std::string& sRegion) {
    const std::filesystem::path oExe(sExeFolder);
    std::string sUpdater;
    for (const std::filesystem::path& oPath :
         {oExe / GAVELRY_UPDATER, oExe / GAVELRY_UPDATER_FROM_BIN / GAVELRY_UPDATER}) {
        sUpdater = oPath.lexically_normal().string();
        if (::access(sUpdater.c_str(), X_OK) == 0) break;
    }
    std::vector<std::string> asArgs = {sUpdater, "--program-folder", sExeFolder, "--region",
                                       sRegion};
    if (g_bDebug) asArgs.emplace_back("DEBUG=TRUE");
    std::vector<char*> apArgs;
    for (std::string& sArg : asArgs)
        apArgs.push_back(sArg.data());
    apArgs.push_back(nullptr);
    std::fflush(stdout);
    ::execv(sUpdater.c_str(), apArgs.data());
    std::cerr << "gavelry-calc: cannot run the price update " << sUpdater << ": "
              << std::strerror(errno) << '\n';
    return kExitInputProblem;
}
#endif

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

// --categories: the accounts, buyer regions and categories (those matching the words) of
// today's schedule, with the keys an auction's [TODAY] section names them by.
int ListChoices(const clsTodaySchedule& oSchedule, const std::string& sWords) {
    auto List = [](const char* sTitle, const auto& aoChoices) {
        std::cout << sTitle << '\n';
        for (const auto& o : aoChoices) {
            const clsTodayChoice& oChoice = *&o;
            std::string sKey = oChoice.m_sKey;
            sKey.resize(std::max<size_t>(sKey.size() + 2, 16), ' ');
            std::cout << "  " << sKey << oChoice.m_sName << '\n';
        }
    };
    std::cout << "eBay " << oSchedule.Site() << " today, data of " << oSchedule.DataDate() << '\n';
    List("Accounts:", oSchedule.Accounts());
    List("Buyer regions:", oSchedule.BuyerRegions());
    std::vector<clsTodayChoice> aoFound;
    for (const clsTodayCategory* p : oSchedule.FindCategories(sWords))
        aoFound.push_back(*p);
    List("Categories:", aoFound);
    return aoFound.empty() ? kExitInputProblem : 0;
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
    std::string sSchedule;
    std::string sCategories;
    InsightOptions oInsight;
    float fTargetProfit = 0;
    float fTargetMargin = 0;
    oApp.add_option("--prices", sPrices,
                    "Price file (default: the edition's file beside the program)");
    oApp.add_option("--region", sRegion, "Fee rules and price file of this site")
        ->transform(CLI::IsMember({"UK", "US"}, CLI::ignore_case));
    CLI::Option* pSchedule =
        oApp.add_option("--schedule", sSchedule,
                        "Fees of eBay in 2008 (the edition's price file) or today (FeesTodayUK.dat "
                        "or FeesTodayUS.dat beside it); --prices names the file instead")
            ->transform(CLI::IsMember({"2008", "today"}, CLI::ignore_case));
    CLI::Option* pCategories =
        oApp.add_option("--categories", sCategories,
                        "List the accounts, buyer regions and categories (those matching the "
                        "words, all without) of today's schedule, with their keys")
            ->expected(0, 1);
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
    clsTodayOptions oToday;
    oToday.AddTo(oApp);
    int32_t lJobs = CoreCount();
    oApp.add_option("--jobs", lJobs,
                    "Threads that share a batch (default: the number of cores); the output keeps "
                    "the order of the input")
        ->check(CLI::Range(1, 256));
    oApp.add_option("--check-prices", sCheckPrices,
                    "List the prices the file lacks, or gives without a number, of those the "
                    "region's fees need (exit status 3 when any)");
#ifdef GAVELRY_HAVE_UPDATER
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

    // The program's own folders: its data beside an installed executable, and the user's data
    // folder for the price file and the log when the program folder cannot be written.
    const std::string sExeFolder = GetProgramFolder();
    LocateProgramData(sExeFolder);
    ChooseWritableFolders();
#ifdef GAVELRY_HAVE_UPDATER
    if (bUpdatePrices) return UpdatePrices(sExeFolder, Upper(sRegion));
#endif
    (void)bUpdatePrices;
    if (!sCheckPrices.empty()) return CheckPrices(sCheckPrices);

    const bool bToday =
        Upper(sSchedule) == "TODAY" || (!pSchedule->count() && pCategories->count());
    if (asInputs.empty() && !pCategories->count()) {
        std::cerr << "gavelry-calc: no input; name auction files, or - for standard input\n"
                  << "Run with --help for more information.\n";
        return kExitUsage;
    }

    const std::string sPath =
        !sPrices.empty()
            ? sPrices
            : GetSchedulePriceFilePath(bToday ? FeeSchedule::Today : FeeSchedule::Y2008);
    auto oPrices = std::make_unique<clsPrices>();
    if (!LoadPrices(sPath, *oPrices)) return kExitPriceFile;
    // The file says which schedule it holds; a schedule asked for must be that one.
    const clsTodaySchedule* pToday = oPrices->TodaySchedule();
    if ((pSchedule->count() || pCategories->count()) && bool(pToday) != bToday) {
        std::cerr << "gavelry-calc: " << sPath << " holds "
                  << (pToday ? "today's fee schedule, not 2008's"
                             : "the 2008 fee schedule, not today's")
                  << '\n';
        return kExitPriceFile;
    }
    if (pCategories->count()) {
        if (pToday) return ListChoices(*pToday, sCategories);
        std::cerr << "gavelry-calc: --categories lists the categories of today's fee schedule\n";
        return kExitUsage;
    }
    // Today's inputs are refused, not ignored, where they mean nothing.
    if (oToday.Any()) {
        const std::string sProblem = pToday ? oToday.Check(*pToday)
                                            : oToday.Given() +
                                                  ": inputs of today's fee schedule, but " + sPath +
                                                  " holds the 2008 schedule (add --schedule today)";
        if (!sProblem.empty()) {
            std::cerr << "gavelry-calc: " << sProblem
                      << "\nRun with --help for more information.\n";
            return kExitUsage;
        }
    }
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
    clsBatchRunner oRunner(lJobs, eFormat, oInsight, oToday.Any() ? &oToday : nullptr);
    for (const std::string& sInput : asInputs) {
        if (sInput == "-")
            oRunner.RunLines();
        else
            oRunner.RunFile(sInput);
    }
    const bool bAllFine = oRunner.Finish();
    return bAllFine ? 0 : kExitInputProblem;
}
