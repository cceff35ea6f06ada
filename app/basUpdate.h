#pragma once

#include <QDateTime>

#include <cstdint>
#include <string>

class clsHttp;

// How a price file update ended, for callers that report it.
enum UpdateOutcome : int32_t {
    UpdateFailed = 0,
    UpdateSkipped,  // an attempt today did not finish
    UpdateUpToDate, // remote and local sizes are equal
    UpdateDownloaded,
};

struct clsUpdateReport {
    UpdateOutcome m_eOutcome = UpdateFailed;
    int64_t m_lBytes = 0; // size of the new local file after a download
    std::string m_sReason;
};

// Compares the price file beside the program with the server's copy and downloads the
// server's when the sizes differ. The download replaces the price file only when it loads
// completely and gives every price the region's fees need; the file it replaces is kept as
// the backup (GetPriceBackupPath) when it was good. Quiet: only log lines and the
// "FTPSkipFlag" record. oHttp must have an open internet session. True when the step
// completed.
bool UpdatePriceFile(clsHttp& oHttp, clsUpdateReport* pReport = nullptr);

// True when an unfinished attempt was recorded today; otherwise records one now.
bool IsUpdateSkipActive();
// bClear false: record an attempt now. True: remove the record of the attempt.
void SetUpdateSkipFlag(bool bClear);

// The maker's servers: the machine-wide "Config" values "PriceServer" (host, optionally
// ":port") and "WebSite" (base address, ending in "/"), else the built-in addresses.
std::string GetPriceServer();
std::string GetWebSite();

// Date serial: days since 30 December 1899, the time of day as the fraction.
double ToDateSerial(const QDateTime& dtValue);
QDateTime FromDateSerial(double dSerial);
