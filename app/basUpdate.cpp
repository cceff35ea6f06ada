#include "basUpdate.h"

#include "basCommon.h"
#include "basFiles.h"
#include "basMain.h"
#include "basNumbers.h"
#include "basSettings.h"
#include "clsError.h"
#include "clsHttp.h"
#include "clsPrices.h"
#include "clsRequiredPrices.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <filesystem>

namespace {

// Built-in addresses resolve nowhere: a site names its own servers in the settings.
const char* const sDefaultPriceServer = "ftp.gavelry.invalid";
const char* const sDefaultWebSite = "http://www.gavelry.invalid/";
const char* const sFtpUserName = "gavelry";
const char* const sFtpPassword = "kvr7342";

// The range of dates the serial can stand for (years 100 to 9999).
constexpr double dMinSerial = -657434.0;
constexpr double dMaxSerial = 2958466.0;

const QDate& Epoch() {
    static const QDate dtEpoch(1899, 12, 30);
    return dtEpoch;
}

// A record as a date; false when there is none or it is not a number. A record that is
// not a number is treated as no record, so that it cannot block every update.
bool ParseSkipRecord(const std::string& sValue, QDateTime& dtRecord) {
    double dSerial = 0;
    if (sValue.empty() || !ParseNumber(sValue, dSerial) || !std::isfinite(dSerial) ||
        dSerial < dMinSerial || dSerial >= dMaxSerial)
        return false;
    dtRecord = FromDateSerial(dSerial);
    LogDebug("Found skip date of " +
             QLocale::system().toString(dtRecord.time(), QLocale::LongFormat).toStdString() + " " +
             QLocale::system().toString(dtRecord.date(), QLocale::LongFormat).toStdString());
    return true;
}

// The stored record as a date, as ParseSkipRecord reads it.
bool ReadSkipRecord(QDateTime& dtRecord) {
    std::string sValue;
    GetSettings().Find(Settings::FTPSkipFlag, sValue);
    return ParseSkipRecord(sValue, dtRecord);
}

// Whether a downloaded price file may replace the one in use: it must load completely into a
// fresh price table and give every price the region's fees need, as numbers. When it may,
// the file it replaces is kept as the backup first, if that file was good itself.
bool AcceptPriceFile(const std::string& sDownload, const std::string& sLocal, std::string& sWhy) {
    clsPrices oNew;
    try {
        oNew.LoadPriceFile(sDownload);
    } catch (const clsError& e) {
        sWhy = "The new price file does not load: " + e.Description();
    }
    if (sWhy.empty()) {
        const clsPriceCheck oCheck = CheckRequiredPrices(oNew, GetRegion());
        if (!oCheck.Passed())
            sWhy = "The new price file lacks prices the fees need, or gives them without a "
                   "number (" +
                   std::to_string(oCheck.m_asMissing.size() + oCheck.m_asNotNumeric.size()) +
                   "): " + oCheck.Describe(5);
    }
    if (!sWhy.empty()) {
        LogDebug("DL - Price file refused: " + sWhy);
        return false;
    }
    // The file in use becomes the backup only when it is good: a broken one never pushes the
    // last good copy out.
    clsPrices oOld;
    std::string sOld, sError;
    try {
        if (ReadWholeFile(sLocal, clsPrices::kMaxFileBytes, sOld) != FileRead::Done) return true;
        oOld.LoadPriceText(sOld);
    } catch (const clsError&) {
        return true;
    }
    if (CheckRequiredPrices(oOld, GetRegion()).Passed() &&
        !ReplaceFileContents(GetPriceBackupPath(), sOld, sError))
        LogDebug("DL - Price file backup not written: " + sError);
    return true;
}

std::string ReadMachineConfig(const clsSettingKey& oKey, const char* sDefault) {
    const std::string sValue = GetSettings().ReadOr(oKey, sDefault);
    const size_t nStart = sValue.find_first_not_of(" \t");
    if (nStart == std::string::npos) return sDefault;
    return sValue.substr(nStart, sValue.find_last_not_of(" \t") - nStart + 1);
}

} // namespace

double ToDateSerial(const QDateTime& dtValue) {
    const double dDays = static_cast<double>(Epoch().daysTo(dtValue.date()));
    const double dFraction = dtValue.time().msecsSinceStartOfDay() / 86400000.0;
    // Before the epoch the fraction still counts forward from midnight: -1.5 is noon of
    // 29 December 1899.
    return dDays < 0 ? dDays - dFraction : dDays + dFraction;
}

QDateTime FromDateSerial(double dSerial) {
    const double dDays = std::trunc(dSerial);
    int nMilliseconds = static_cast<int>(std::lround(std::fabs(dSerial - dDays) * 86400000.0));
    if (nMilliseconds >= 86400000) nMilliseconds = 86400000 - 1;
    return QDateTime(Epoch().addDays(static_cast<qint64>(dDays)),
                     QTime::fromMSecsSinceStartOfDay(nMilliseconds));
}

std::string GetPriceServer() {
    return ReadMachineConfig(Settings::PriceServer, sDefaultPriceServer);
}

std::string GetWebSite() {
    std::string sSite = ReadMachineConfig(Settings::WebSite, sDefaultWebSite);
    if (sSite.back() != '/') sSite += '/';
    return sSite;
}

bool IsUpdateSkipActive() {
    QDateTime dtRecord;
    // Calendar days: a record from 23:59 yesterday no longer blocks at 00:01.
    if (ReadSkipRecord(dtRecord) && dtRecord.date().daysTo(QDate::currentDate()) < 1) return true;
    SetUpdateSkipFlag(false);
    return false;
}

void SetUpdateSkipFlag(bool bClear) {
    const clsSettings& oSettings = GetSettings();
    if (!bClear) {
        // Written with "." whatever the user's number format, so any locale reads it back.
        char acBuf[64];
        const auto oResult =
            std::to_chars(acBuf, acBuf + sizeof acBuf, ToDateSerial(QDateTime::currentDateTime()));
        oSettings.Write(Settings::FTPSkipFlag, std::string(acBuf, oResult.ptr));
        return;
    }
    // Clearing never records a new attempt, even when the update ran past midnight.
    std::string sValue;
    if (!oSettings.Find(Settings::FTPSkipFlag, sValue)) return;
    QDateTime dtRecord;
    ParseSkipRecord(sValue, dtRecord); // logs the record being cleared
    oSettings.Remove(Settings::FTPSkipFlag);
}

bool UpdatePriceFile(clsHttp& oHttp, clsUpdateReport* pReport) {
    clsUpdateReport oReport;
    LogDebug("DL - Update file 1");
    LogDebug("DL - Update file 2");
    LogDebug("DL - Update file 3");
    try {
        if (IsUpdateSkipActive()) {
            LogDebug("DL - Update file 4 - early exit");
            oHttp.CloseFtpSession();
            oReport.m_eOutcome = UpdateSkipped;
            oReport.m_sReason = "an attempt earlier today did not finish";
            if (pReport) *pReport = oReport;
            return false;
        }
        LogDebug("DL - Update files 5");
        const std::string sLocal = GetPriceFilePath(false);
        const std::string sRemote = GetPriceFilePath(true);
        oHttp.StartFtpSession(GetPriceServer(), sFtpUserName, sFtpPassword, "");
        LogDebug("DL - Update file 6");
        oReport.m_eOutcome = UpdateUpToDate;
        if (!oHttp.FilesMatch(sLocal, sRemote)) {
            LogDebug("DL - Update file 7");
            if (!oHttp.GetFile(sLocal, sRemote, true,
                               [&sLocal](const std::string& sDownload, std::string& sWhy) {
                                   return AcceptPriceFile(sDownload, sLocal, sWhy);
                               }))
                throw clsError(HttpError::Connection, "UpdatePriceFile",
                               "Error getting file '" + sRemote + "'");
            LogDebug("DL - Update file 8");
            oReport.m_eOutcome = UpdateDownloaded;
            std::error_code ec;
            oReport.m_lBytes = static_cast<int64_t>(std::filesystem::file_size(sLocal, ec));
        }
        LogDebug("DL - Update file 9 - okay");
        SetUpdateSkipFlag(true);
        oHttp.CloseFtpSession();
        if (pReport) *pReport = oReport;
        return true;
    } catch (const clsError& e) {
        oReport.m_sReason = e.Description();
    } catch (const std::exception& e) {
        oReport.m_sReason = e.what();
    }
    if (!oHttp.LastError().empty()) oReport.m_sReason += " (" + oHttp.LastError() + ")";
    oReport.m_eOutcome = UpdateFailed;
    oReport.m_lBytes = 0;
    LogDebug("DL - Update file 10 - fail");
    oHttp.CloseFtpSession();
    if (pReport) *pReport = oReport;
    return false;
}
