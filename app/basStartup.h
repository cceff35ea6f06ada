#pragma once

#include <cstdint>
#include <string>

// Reads the start-up settings: "SnapToGrid" into g_lSnapToGrid (created as "120" when
// missing) and the machine-wide "About" into g_sAboutText.
void SetSystemDefaults();

// The about message used when the machine has none of its own.
std::string DefaultAboutText();

// What the download step of start-up did.
enum DownloadOutcome : int32_t {
    DownloadOffline = 0, // no network: nothing attempted
    DownloadUnreachable, // the maker's web site did not answer
    DownloadSkipped,     // an update attempt earlier today did not finish
    DownloadUpToDate,    // the price file has the server's size
    DownloadDone,        // the server's price file replaced the local one
    DownloadFailed,      // the update failed; the local price file is unchanged
};

struct clsDownloadResult {
    DownloadOutcome m_eOutcome = DownloadOffline;
    int64_t m_lBytes = 0;
    std::string m_sReason;

    // True when the update step ran to its end (up to date or downloaded).
    bool Completed() const { return m_eOutcome == DownloadUpToDate || m_eOutcome == DownloadDone; }
    // One line: "skipped today", "up to date", "downloaded N bytes" or "failed: reason".
    std::string Describe() const;
};

// Probes the maker's web site ("index.asp" below GetWebSite) and, when it answers, updates
// the price file beside the program, all within the update's time limit. Never raises and
// never shows a message.
clsDownloadResult PerformDownloads();

// The longest the whole download step may take (probe, login, size and download),
// whatever the servers do: 60 s unless set (tests set less).
constexpr int32_t kUpdateTimeLimit = 60000;
void SetUpdateTimeLimit(int32_t lMilliseconds);
