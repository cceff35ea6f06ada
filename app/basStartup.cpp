#include "basStartup.h"

#include "basMain.h"
#include "basNumbers.h"
#include "basSettings.h"
#include "basUpdate.h"
#include "clsError.h"
#include "clsHttp.h"

namespace {
int32_t g_lUpdateTimeLimit = kUpdateTimeLimit;
}

void SetUpdateTimeLimit(int32_t lMilliseconds) {
    g_lUpdateTimeLimit = lMilliseconds;
}

std::string DefaultAboutText() {
    return "Gavelry works out what selling an item on eBay costs: listing and final value "
           "fees, PayPal, postage and the profit left.\\nPrices come from the price file "
           "beside the program, kept up to date from the maker's server at start-up.";
}

void SetSystemDefaults() {
    const clsSettings& oSettings = GetSettings();
    g_lSnapToGrid = 120;
    // A value that is no number keeps the default.
    ParseLong(oSettings.Read(Settings::SnapToGrid), g_lSnapToGrid);
    g_sAboutText = oSettings.ReadOr(Settings::About, DefaultAboutText());
}

std::string clsDownloadResult::Describe() const {
    switch (m_eOutcome) {
    case DownloadSkipped:
        return "skipped today";
    case DownloadUpToDate:
        return "up to date";
    case DownloadDone:
        return "downloaded " + std::to_string(m_lBytes) + " bytes";
    case DownloadOffline:
        return "failed: no network connection";
    case DownloadUnreachable:
    case DownloadFailed:
    default:
        return "failed: " + (m_sReason.empty() ? std::string("unknown reason") : m_sReason);
    }
}

clsDownloadResult PerformDownloads() {
    clsDownloadResult oResult;
    clsHttp oHttp;
    oHttp.SetTimeBudget(g_lUpdateTimeLimit);
    try {
        if (!oHttp.OpenConnection(GetWebSite() + "index.asp")) {
            oResult.m_eOutcome = DownloadOffline;
            return oResult;
        }
    } catch (const clsError& e) {
        oResult.m_eOutcome = DownloadUnreachable;
        oResult.m_sReason =
            e.Description() +
            (oHttp.LastError().empty() ? std::string() : " (" + oHttp.LastError() + ")");
        oHttp.CloseConnection();
        return oResult;
    } catch (const std::exception& e) {
        oResult.m_eOutcome = DownloadUnreachable;
        oResult.m_sReason = e.what();
        oHttp.CloseConnection();
        return oResult;
    }
    clsUpdateReport oReport;
    try {
        UpdatePriceFile(oHttp, &oReport);
    } catch (const std::exception& e) {
        oReport.m_eOutcome = UpdateFailed;
        oReport.m_sReason = e.what();
    }
    oHttp.CloseConnection();
    switch (oReport.m_eOutcome) {
    case UpdateSkipped:
        oResult.m_eOutcome = DownloadSkipped;
        break;
    case UpdateUpToDate:
        oResult.m_eOutcome = DownloadUpToDate;
        break;
    case UpdateDownloaded:
        oResult.m_eOutcome = DownloadDone;
        break;
    default:
        oResult.m_eOutcome = DownloadFailed;
        break;
    }
    oResult.m_lBytes = oReport.m_lBytes;
    oResult.m_sReason = oReport.m_sReason;
    return oResult;
}
