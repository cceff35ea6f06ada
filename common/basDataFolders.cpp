#include "basDataFolders.h"

#include "basCommon.h"
#include "basMain.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The program's data: its Graphics folder or the edition's price file.
bool HoldsProgramData(const fs::path& oFolder) {
    std::error_code ec;
    return fs::is_directory(oFolder / "Graphics", ec) ||
           fs::is_regular_file(oFolder / GetPriceFilePath(true), ec);
}

std::string Environment(const char* sName) {
    const char* s = std::getenv(sName);
    return s ? s : "";
}

} // namespace

bool LocateProgramData(const std::string& sExeFolder) {
    const fs::path oExe(sExeFolder);
    if (HoldsProgramData(oExe)) return false;
    const fs::path oShared = (oExe / "../share/gavelry").lexically_normal();
    if (!HoldsProgramData(oShared)) return false;
    std::string sShared = oShared.string();
    if (sShared.size() > 1 && sShared.back() == '/') sShared.pop_back();
    SetProgramFolder(sShared);
    return true;
}

bool IsFolderWritable(const std::string& sFolder) {
    std::string sProbe = (fs::path(sFolder) / ".gavelry-XXXXXX").string();
    const int nFile = ::mkstemp(sProbe.data());
    if (nFile < 0) return false;
    ::close(nFile);
    ::unlink(sProbe.c_str());
    return true;
}

std::string UserDataFolder() {
    std::string sBase = Environment("XDG_DATA_HOME");
    if (sBase.empty()) {
        const std::string sHome = Environment("HOME");
        sBase = (fs::path(sHome.empty() ? "/" : sHome) / ".local/share").lexically_normal();
    }
    return (fs::path(sBase) / "Tessary" / GetAppName()).string();
}

void UseDataFolder(const std::string& sFolder) {
    std::error_code ec;
    const fs::path oData(sFolder);
    fs::create_directories(oData, ec);
    if (!fs::is_directory(oData, ec)) return;
    SetLogFilePath((oData / "GvDebug.log").string());
    const std::string sName = GetPriceFilePath(true);
    const fs::path oShipped = fs::path(GetProgramFolder()) / sName;
    const fs::path oLocal = oData / sName;
    // A newer shipped file (the program was updated) replaces an older copy.
    if (fs::is_regular_file(oShipped, ec) &&
        (!fs::exists(oLocal, ec) ||
         fs::last_write_time(oShipped, ec) > fs::last_write_time(oLocal, ec))) {
        fs::path oTemp = oLocal;
        oTemp += ".new";
        fs::remove(oTemp, ec);
        if (fs::copy_file(oShipped, oTemp, ec)) {
            using P = fs::perms;
            fs::permissions(oTemp, P::owner_read | P::owner_write | P::group_read | P::others_read,
                            ec);
            fs::remove(oLocal, ec);
            fs::rename(oTemp, oLocal, ec);
        }
    }
    SetPriceFileFolder(sFolder);
}

void ChooseWritableFolders() {
    if (!IsFolderWritable(GetProgramFolder())) UseDataFolder(UserDataFolder());
}
