#include "basMain.h"

#include "basCommon.h"

#include <ctime>
#include <filesystem>
#include <fstream>

bool g_bDebug = false;
int32_t g_lSnapToGrid = 120;
std::string g_sAboutText;

namespace {

std::string g_sLogFilePath;
std::function<void()> g_oCloseApplication;

std::string LogHeader() {
    std::string s;
    s += "Gavelry diagnostic log\r\n";
    s += "----------------------\r\n";
    s += "\r\n";
    s += "When requested, please e-mail this file to support@tessary.invalid\r\n";
    s += "Version: " + std::to_string(GAVELRY_VERSION_MAJOR) + "." +
         std::to_string(GAVELRY_VERSION_MINOR) + "." + std::to_string(GAVELRY_VERSION_PATCH) +
         "\r\n";
    s += "\r\n";
    s += "Date       Time      Comment\r\n";
    return s;
}

std::string Timestamp() {
    const std::time_t t = std::time(nullptr);
    std::tm oTm{};
    localtime_r(&t, &oTm);
    char acBuf[32];
    std::strftime(acBuf, sizeof acBuf, "%Y-%m-%d %H:%M:%S", &oTm);
    return acBuf;
}

} // namespace

void ParseCommandLine(const std::string& sCommandLine) {
    g_bDebug = sCommandLine.find("DEBUG=TRUE") != std::string::npos;
}

std::string GetLogFilePath() {
    if (!g_sLogFilePath.empty()) return g_sLogFilePath;
    return (std::filesystem::path(GetProgramFolder()) / "GvDebug.log").string();
}

void SetLogFilePath(const std::string& sPath) {
    g_sLogFilePath = sPath;
}

void LogDebug(const std::string& sText) {
    if (!g_bDebug) return;
    try {
        std::ofstream oFile(GetLogFilePath(), std::ios::binary | std::ios::app);
        if (!oFile) return;
        oFile.seekp(0, std::ios::end);
        std::string sLine;
        if (oFile.tellp() == 0) sLine = LogHeader();
        sLine += Timestamp() + "  " + sText + "\r\n";
        oFile << sLine;
    } catch (...) {
        // The log is a diagnostic aid: failing to write it must not disturb the caller.
    }
}

std::string GetAboutText() {
    return g_sAboutText;
}

void CloseApplication() {
    if (g_oCloseApplication) g_oCloseApplication();
}

void SetCloseApplicationHandler(std::function<void()> oHandler) {
    g_oCloseApplication = std::move(oHandler);
}
