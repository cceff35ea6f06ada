// Runs one fuzz driver of bench/fuzz without libFuzzer, for the sanitizer build: every seed
// as it is, then mutations of the seeds (FuzzInputs.h). A sanitizer report or a broken
// property ends the process; an exception that escapes the driver is reported with the
// input that raised it. GAVELRY_FUZZ_SEED runs another series.
//   gavelry_fuzz_runner DRIVER INPUTS [SEED_FILE_OR_FOLDER ...]

#include "FuzzInputs.h"
#include "fuzz_drivers.h"

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct clsDriver {
    const char* m_sName;
    void (*m_fnDriver)(std::string_view);
    const char* m_sSpecials; // characters the parser reacts to
    std::vector<std::string> m_asWords;
    size_t m_nMaxInput;
};

std::vector<std::string> With(std::vector<std::string> asWords) {
    asWords.insert(asWords.end(), fuzz::kNumberWords.begin(), fuzz::kNumberWords.end());
    return asWords;
}

const std::vector<std::string> kAuctionWords = {
    "[TYPE]", "[OUTLAY]", "[FEATURES]", "[PAYPAL]", "[POSTAGE]", "|",     "||",     "True", "False",
    "\r\n",   "311295",   "2000000000", "1E+17",    "9.3E+16",   "3E+38", "-3E+38", "0.01", "0.99"};

const std::vector<clsDriver>& Drivers() {
    static const std::vector<clsDriver> aoDrivers = {
        {"tokeniser", FuzzTokeniser, ",|[] \t\r\n", With({",,", "||", ""}), 400},
        {"prices", FuzzPrices, ",,,\r\n\r\n;- .0123456789EeRr",
         With({"Ranges", "RangeStart1", "RangeEnd2", "RangeValue3", ",", ",,", "\r\n",
               "OpeningRanges,", "FinalRanges,32767", "LocalTax,", "CurrencyFormat,",
               "FeatureBold"}),
         16384},
        {"auction", FuzzAuction, "||||[]0123456789.-E ", With(kAuctionWords), 400},
        {"insight", FuzzInsight, "||||[]0123456789.-E ", With(kAuctionWords), 400},
    };
    return aoDrivers;
}

std::string ReadFile(const std::filesystem::path& oPath) {
    std::ifstream oFile(oPath, std::ios::binary);
    std::ostringstream oText;
    oText << oFile.rdbuf();
    return oText.str();
}

// The files named, and those in the folders named, in a fixed order.
std::vector<std::string> Seeds(char** asArgs, int nArgs) {
    std::vector<std::string> asSeeds;
    for (int i = 0; i < nArgs; ++i) {
        std::vector<std::filesystem::path> aoFiles;
        if (std::filesystem::is_directory(asArgs[i])) {
            for (const auto& oEntry : std::filesystem::directory_iterator(asArgs[i]))
                if (oEntry.is_regular_file()) aoFiles.push_back(oEntry.path());
            std::sort(aoFiles.begin(), aoFiles.end());
        } else {
            aoFiles.emplace_back(asArgs[i]);
        }
        for (const auto& oFile : aoFiles)
            asSeeds.push_back(ReadFile(oFile));
    }
    if (asSeeds.empty()) asSeeds.emplace_back();
    return asSeeds;
}

} // namespace

int main(int argc, char** argv) {
    const auto itDriver =
        argc < 3 ? Drivers().end()
                 : std::find_if(Drivers().begin(), Drivers().end(), [&](const clsDriver& o) {
                       return std::string_view(o.m_sName) == argv[1];
                   });
    if (itDriver == Drivers().end()) {
        std::cerr << "usage: gavelry_fuzz_runner tokeniser|prices|auction|insight INPUTS "
                     "[SEED_FILE_OR_FOLDER ...]\n";
        return 2;
    }
    const clsDriver& oDriver = *itDriver;
    const size_t nInputs = std::strtoull(argv[2], nullptr, 10);
    const std::vector<std::string> asSeeds = Seeds(argv + 3, argc - 3);
    const char* sSeed = std::getenv("GAVELRY_FUZZ_SEED");
    fuzz::clsRandom oRandom(0x5EED0F2Bull ^ (sSeed ? std::strtoull(sSeed, nullptr, 0) : 0));
    fuzz::clsMutator oMutator(oRandom, oDriver.m_sSpecials, oDriver.m_asWords, oDriver.m_nMaxInput);
    FuzzSetUp();

    size_t nFaults = 0;
    auto Run = [&](const std::string& sInput) {
        try {
            oDriver.m_fnDriver(sInput);
        } catch (const std::exception& e) {
            std::cerr << oDriver.m_sName << ": " << e.what()
                      << "\n  input: " << fuzz::Quoted(sInput) << '\n';
            ++nFaults;
        }
    };
    for (const std::string& sSeed : asSeeds)
        Run(sSeed);
    for (size_t i = 0; i < nInputs && nFaults < 5; ++i)
        Run(oRandom.OneIn(20) ? oMutator.RandomText()
                              : oMutator.Mutate(oRandom.Pick(asSeeds), asSeeds));
    std::cout << oDriver.m_sName << ": " << asSeeds.size() << " seeds and " << nInputs
              << " mutated inputs, " << nFaults << " faults\n";
    return nFaults ? 1 : 0;
}
