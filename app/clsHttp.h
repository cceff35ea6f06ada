#pragma once

#include "clsError.h"

#include <curl/curl.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// Errors raised by the internet transfer.
namespace HttpError {
constexpr int32_t Connection = ErrNumber::ObjectError + 7; // 0x80040007
constexpr int32_t RemoteSizeZero = ErrNumber::ObjectError + 8;
constexpr int32_t HttpConnection = ErrNumber::ObjectError + 9;
} // namespace HttpError

// Internet transfer for the program's two needs: proving that the maker's web site can be
// reached, and fetching a file from an FTP server only when it differs from the local
// copy. One object holds at most one session, one FTP and one HTTP connection. Every step
// is logged; failures are raised as numbered errors and kept readable in LastError.
//
// Server addresses are "host" or "host:port" (FTP port 21 and HTTP port 80 by default).
// Connecting gives up after a set time, a transfer that stalls is abandoned, and everything
// the object does can be held to one overall time budget. Downloads over 1 MiB are refused.
class clsHttp {
public:
    static constexpr int64_t kMaxDownloadBytes = 1 << 20;

    // Whether a complete download may replace the local file; sWhy says why not.
    using DownloadCheck = std::function<bool(const std::string& sDownload, std::string& sWhy)>;

    clsHttp();
    ~clsHttp();
    clsHttp(const clsHttp&) = delete;
    clsHttp& operator=(const clsHttp&) = delete;

    // Opens the session and, when sPingURL is not empty, fetches it uncached. False
    // without any error when the machine is not connected.
    bool OpenConnection(const std::string& sPingURL);
    // Logs in (active mode) and changes to sPath when it is not empty.
    bool StartFtpSession(const std::string& sServerAddr, const std::string& sUserName,
                         const std::string& sPassword, const std::string& sPath);
    bool StartHttpSession(const std::string& sServerAddr, const std::string& sUserName,
                          const std::string& sPassword);
    // Downloads into sLocalName + "_$Temp$_" and replaces sLocalName only when complete and,
    // when fnCheck is given, accepted by it. A remote file over kMaxDownloadBytes is refused.
    bool GetFile(const std::string& sLocalName, const std::string& sRemoteName, bool bBinary,
                 const DownloadCheck& fnCheck = {});
    // True when the local and remote sizes are equal; a missing local file has size 0.
    // A remote file of size 0, or none, raises HttpError::RemoteSizeZero.
    bool FilesMatch(const std::string& sLocalFile, const std::string& sRemoteFile);
    // The body of the page sHeaderName on the HTTP connection.
    std::string GetHeaderInfo(const std::string& sHeaderName);
    const std::string& LastError() const { return m_sLastError; }

    void CloseFtpSession();
    void CloseHttpSession();
    void CloseInternetSession();
    // Closes everything; always false.
    bool CloseConnection();

    // From now on, every transfer of this object ends within lMilliseconds in all: after
    // that, whatever the servers do, each step fails at once.
    void SetTimeBudget(int32_t lMilliseconds);

    // Time limits for every transfer: connecting (including the server's greeting) and
    // the longest stretch without data. 10 s and 15 s unless set.
    static void SetTimeLimits(int32_t lConnectMilliseconds, int32_t lStallSeconds);
    // Replaces the connected-state question (tests of an offline machine); empty restores it.
    static void SetConnectedStateHandler(std::function<bool(const std::string&)> oHandler);
    // True when a non-loopback network interface is up, or the host of sPingURL is this
    // machine.
    static bool IsConnected(const std::string& sPingURL);

private:
    void GetProxySetting(std::string& sProxyName, int32_t& lAccessType) const;
    bool IsInternetOpen() const { return m_hInternet != nullptr; }
    void DeleteLocalFile(const std::string& sPath);
    std::string GetErrorInfo();
    void SetLastErrorText(const std::string& sText) { m_sLastError = sText; }

    CURL* NewHandle();
    // A handle for a session with sServerAddr; none, with the reason noted, without an
    // internet session, for a malformed address or when the library cannot start one.
    CURL* NewSessionHandle(const std::string& sServerAddr);
    CURLcode Perform(CURL* hHandle);
    // A transfer whose data goes to fnWrite; the handle discards data again afterwards.
    CURLcode PerformInto(CURL* hHandle, curl_write_callback fnWrite, void* pData);
    // An HTTP GET of sUrl past every cache on the way, its data to fnWrite.
    CURLcode PerformUncachedGet(CURL* hHandle, const std::string& sUrl, curl_write_callback fnWrite,
                                void* pData);
    void NoteFailure(const std::string& sDescription);
    std::string FtpUrl(const std::string& sName) const;
    static size_t OnHeader(char* pData, size_t nSize, size_t nCount, void* pUser);

    CURL* m_hInternet = nullptr;
    CURL* m_hFtp = nullptr;
    CURL* m_hHttp = nullptr;
    std::string m_sLastError;

    std::string m_sProxyName;
    std::string m_sFtpBase;      // "ftp://host:port/"
    std::string m_sFtpDirectory; // escaped, with a trailing "/" when set
    std::string m_sHttpBase;     // "http://host:port/"
    // The failing step and the server's last answer, for GetErrorInfo.
    std::string m_sFailure;
    std::string m_sServerResponse;
    long m_lServerCode = 0;
    // The remote size FilesMatch found, to catch a download that ends early.
    std::string m_sSizedFile;
    int64_t m_lSizedBytes = -1;
    // The end of the time budget, and its length for messages.
    std::optional<std::chrono::steady_clock::time_point> m_otDeadline;
    int32_t m_lBudgetMilliseconds = 0;
};
