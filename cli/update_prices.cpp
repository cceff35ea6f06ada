// gavelry-update-prices: gavelry-calc --update-prices. The price update needs Qt and libcurl,
// which the calculator does without, so it is a program of its own that the calculator runs
// in its place. It acts for the calculator whose folder it is given: that calculator's data,
// its price file and its log.
//
// Usage: gavelry-update-prices --program-folder FOLDER [--region UK|US] [DEBUG=TRUE]

#include "basCommon.h"
#include "basDataFolders.h"
#include "basMain.h"
#include "basStartup.h"

#include <cstdio>
#include <string>
#include <string_view>

int main(int argc, char** argv) {
    std::string sFolder;
    std::string sCommandLine;
    for (int i = 1; i < argc; ++i) {
        const std::string_view sArg = argv[i];
        if (sArg == "--program-folder" && i + 1 < argc) {
            sFolder = argv[++i];
        } else if (sArg == "--region" && i + 1 < argc) {
            SetRegion(std::string_view(argv[++i]) == "US" ? RegionUS : RegionUK);
        } else if (sArg == "DEBUG=TRUE") {
            sCommandLine = "DEBUG=TRUE";
        } else {
            sFolder.clear();
            break;
        }
    }
    if (sFolder.empty()) {
        std::fprintf(stderr, "gavelry-update-prices: run by gavelry-calc --update-prices\n"
                             "usage: gavelry-update-prices --program-folder FOLDER "
                             "[--region UK|US] [DEBUG=TRUE]\n");
        return 2;
    }
    ParseCommandLine(sCommandLine);
    SetProgramFolder(sFolder);
    // The calculator's own folders, as it would choose them.
    LocateProgramData(sFolder);
    ChooseWritableFolders();
    // Skipping a second attempt on the same day is the update doing its job.
    const clsDownloadResult oResult = PerformDownloads();
    std::printf("%s\n", oResult.Describe().c_str());
    return oResult.Completed() || oResult.m_eOutcome == DownloadSkipped ? 0 : 1;
}
