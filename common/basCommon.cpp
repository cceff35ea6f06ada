#include "basCommon.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>
#include <thread>

namespace {

int32_t g_eRegion = GAVELRY_REGION;
std::string g_sProgramFolder;
std::string g_sPriceFileFolder;
ShowMessageHandler g_oShowMessage;
std::function<void()> g_oPauseEvents;

std::string FindProgramFolder() {
    std::error_code ec;
    const auto oExe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) return oExe.parent_path().string();
    return std::filesystem::current_path(ec).string();
}

} // namespace

int32_t GetRegion() {
    return g_eRegion;
}

void SetRegion(int32_t eRegion) {
    g_eRegion = eRegion;
}

std::string GetAppName() {
    switch (GetRegion()) {
    case RegionUK:
        return "Gavelry UK";
    case RegionUS:
        return "Gavelry US";
    default:
        return "Gavelry";
    }
}

std::string GetProgramFolder() {
    if (g_sProgramFolder.empty()) g_sProgramFolder = FindProgramFolder();
    return g_sProgramFolder;
}

void SetProgramFolder(const std::string& sFolder) {
    g_sProgramFolder = sFolder;
}

std::string GetPriceFilePath(bool bNameOnly) {
    const std::string sName = GetRegion() == RegionUS ? "UpdateUS_v0102.dat" : "UpdateUK_v0102.dat";
    if (bNameOnly) return sName;
    const std::string sFolder =
        g_sPriceFileFolder.empty() ? GetProgramFolder() : g_sPriceFileFolder;
    return (std::filesystem::path(sFolder) / sName).string();
}

std::string GetPriceBackupPath() {
    return GetPriceFilePath(false) + ".bak";
}

std::string GetShippedPriceFilePath() {
    return (std::filesystem::path(GetProgramFolder()) / GetPriceFilePath(true)).string();
}

void SetPriceFileFolder(const std::string& sFolder) {
    g_sPriceFileFolder = sFolder;
}

int32_t ShowMessage(const std::string& sPrompt, int32_t lButtons, const std::string& sTitle) {
    if (g_oShowMessage) return g_oShowMessage(sPrompt, lButtons, sTitle);
    std::cerr << (sTitle.empty() ? std::string() : sTitle + ": ") << sPrompt << '\n';
    return (lButtons & 7) == MsgBox::OKOnly ? MsgBox::ResultOK : MsgBox::ResultCancel;
}

void SetShowMessageHandler(ShowMessageHandler oHandler) {
    g_oShowMessage = std::move(oHandler);
}

void Pause(int32_t lMilliseconds) {
    const auto tEnd = std::chrono::steady_clock::now() + std::chrono::milliseconds(lMilliseconds);
    do {
        if (g_oPauseEvents) g_oPauseEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    } while (std::chrono::steady_clock::now() < tEnd);
}

void SetPauseEventHandler(std::function<void()> oHandler) {
    g_oPauseEvents = std::move(oHandler);
}

int32_t MaxLong(int32_t lA, int32_t lB) {
    return lA > lB ? lA : lB;
}

float MinSingle(float fA, float fB) {
    return fA < fB ? fA : fB;
}

std::string PadLeft(const std::string& sText, int16_t nWidth, const std::string& sPad) {
    if (sPad.empty()) return sText;
    std::string sResult = sText;
    while (static_cast<int>(sResult.size()) < nWidth)
        sResult.insert(0, sPad);
    return sResult;
}

std::string TrimNulls(const std::string& sText) {
    const size_t nLast = sText.find_last_not_of('\0');
    return nLast == std::string::npos ? std::string() : sText.substr(0, nLast + 1);
}

FileRead ReadWholeFile(const std::string& sPath, size_t nLimit, std::string& sText, int* pErrno) {
    sText.clear();
    errno = 0;
    std::ifstream oFile(sPath, std::ios::binary);
    if (!oFile) {
        if (pErrno) *pErrno = errno;
        return FileRead::CannotOpen;
    }
    char acBuffer[65536];
    // One byte past the limit tells a file at the limit from a larger one.
    while (sText.size() <= nLimit) {
        const size_t nWanted = std::min(sizeof acBuffer, nLimit + 1 - sText.size());
        oFile.read(acBuffer, static_cast<std::streamsize>(nWanted));
        sText.append(acBuffer, static_cast<size_t>(oFile.gcount()));
        if (!oFile) break;
    }
    // A read error (a folder given as the file, a failing disk) is not an empty file.
    if (oFile.bad()) return FileRead::ReadError;
    if (sText.size() > nLimit) {
        sText.clear();
        return FileRead::TooLarge;
    }
    return FileRead::Done;
}

std::string DescribeBytes(size_t nBytes) {
    if (nBytes >= (1u << 20) && nBytes % (1u << 20) == 0)
        return std::to_string(nBytes >> 20) + " MiB";
    if (nBytes >= (1u << 10) && nBytes % (1u << 10) == 0)
        return std::to_string(nBytes >> 10) + " KiB";
    return std::to_string(nBytes) + " bytes";
}
