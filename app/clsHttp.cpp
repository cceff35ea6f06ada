#include "clsHttp.h"

#include "basCommon.h"
#include "basMain.h"
#include "basSettings.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <vector>

namespace {

int32_t g_lConnectMilliseconds = 10000;
int32_t g_lStallSeconds = 15;
std::function<bool(const std::string&)> g_oConnectedState;

constexpr int32_t INTERNET_OPEN_TYPE_PRECONFIG = 0;
constexpr int32_t INTERNET_OPEN_TYPE_PROXY = 3;

std::string Trim(const std::string& s) {
    const size_t nStart = s.find_first_not_of(" \t\r\n");
    if (nStart == std::string::npos) return "";
    const size_t nEnd = s.find_last_not_of(" \t\r\n");
    return s.substr(nStart, nEnd - nStart + 1);
}

// "host", "host:port" or "[v6]:port"; anything that could change the meaning of a URL
// (user part, path, query, blanks) is refused.
bool IsServerAddress(const std::string& sAddr) {
    if (sAddr.empty()) return false;
    for (const char c : sAddr) {
        const bool bOk = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                         (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_' || c == ':' ||
                         c == '[' || c == ']';
        if (!bOk) return false;
    }
    return true;
}

std::string Escape(CURL* h, const std::string& s) {
    char* p = curl_easy_escape(h, s.c_str(), static_cast<int>(s.size()));
    if (!p) return s;
    std::string sOut(p);
    curl_free(p);
    return sOut;
}

size_t Discard(char*, size_t nSize, size_t nCount, void*) {
    return nSize * nCount;
}

// Stops the probe at the first data: the page answered, its body is not needed.
size_t StopAtFirstData(char*, size_t, size_t, void* pUser) {
    *static_cast<bool*>(pUser) = true;
    return 0;
}

// A download on its way to disk, stopped when it grows past the largest file accepted.
struct clsDownload {
    std::FILE* m_pFile = nullptr;
    int64_t m_lBytes = 0;
    bool m_bTooLarge = false;
};

size_t WriteToFile(char* pData, size_t nSize, size_t nCount, void* pUser) {
    auto* oDownload = static_cast<clsDownload*>(pUser);
    const size_t nBytes = nSize * nCount;
    if (oDownload->m_lBytes + int64_t(nBytes) > clsHttp::kMaxDownloadBytes) {
        oDownload->m_bTooLarge = true;
        return 0;
    }
    oDownload->m_lBytes += int64_t(nBytes);
    return std::fwrite(pData, 1, nBytes, oDownload->m_pFile);
}

std::string TooLargeText(int64_t lBytes) {
    return "The remote file is " + (lBytes > 0 ? std::to_string(lBytes) + " bytes" : "larger") +
           ": more than " + DescribeBytes(clsHttp::kMaxDownloadBytes) + " is refused";
}

// A page's pieces as they come, stopped when the page grows past the largest accepted.
struct clsPage {
    std::vector<std::string> m_asChunks;
    int64_t m_lBytes = 0;
};

size_t CollectChunks(char* pData, size_t nSize, size_t nCount, void* pUser) {
    auto* oPage = static_cast<clsPage*>(pUser);
    oPage->m_lBytes += int64_t(nSize * nCount);
    if (oPage->m_lBytes > clsHttp::kMaxDownloadBytes) return 0;
    oPage->m_asChunks.emplace_back(pData, nSize * nCount);
    return nSize * nCount;
}

bool IsLoopbackHost(const std::string& sHost) {
    if (sHost == "localhost" || sHost == "[::1]" || sHost == "::1") return true;
    if (sHost.size() > 10 && sHost.compare(sHost.size() - 10, 10, ".localhost") == 0) return true;
    in_addr oAddr{};
    return inet_pton(AF_INET, sHost.c_str(), &oAddr) == 1 && (ntohl(oAddr.s_addr) >> 24) == 127;
}

std::string UrlHost(const std::string& sUrl) {
    std::string sHost;
    CURLU* hUrl = curl_url();
    if (!hUrl) return sHost;
    char* pHost = nullptr;
    if (curl_url_set(hUrl, CURLUPART_URL, sUrl.c_str(), CURLU_DEFAULT_SCHEME) == CURLUE_OK &&
        curl_url_get(hUrl, CURLUPART_HOST, &pHost, 0) == CURLUE_OK && pHost) {
        sHost = pHost;
        curl_free(pHost);
    }
    curl_url_cleanup(hUrl);
    return sHost;
}

} // namespace

clsHttp::clsHttp() {
    static std::once_flag oOnce;
    std::call_once(oOnce, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

clsHttp::~clsHttp() {
    // Nothing to close (the machine was offline): nothing to log either.
    if (m_hInternet || m_hFtp || m_hHttp) CloseConnection();
}

void clsHttp::SetTimeLimits(int32_t lConnectMilliseconds, int32_t lStallSeconds) {
    g_lConnectMilliseconds = lConnectMilliseconds > 0 ? lConnectMilliseconds : 1;
    g_lStallSeconds = lStallSeconds > 0 ? lStallSeconds : 1;
}

void clsHttp::SetConnectedStateHandler(std::function<bool(const std::string&)> oHandler) {
    g_oConnectedState = std::move(oHandler);
}

bool clsHttp::IsConnected(const std::string& sPingURL) {
    if (g_oConnectedState) return g_oConnectedState(sPingURL);
    const std::string sHost = sPingURL.empty() ? std::string() : UrlHost(sPingURL);
    if (!sHost.empty() && IsLoopbackHost(sHost)) return true;
    ifaddrs* pList = nullptr;
    if (getifaddrs(&pList) != 0) return false;
    bool bConnected = false;
    for (const ifaddrs* p = pList; p && !bConnected; p = p->ifa_next) {
        if (!p->ifa_addr) continue;
        const int nFamily = p->ifa_addr->sa_family;
        if (nFamily != AF_INET && nFamily != AF_INET6) continue;
        char acAddr[INET6_ADDRSTRLEN] = {};
        const void* pAddr =
            nFamily == AF_INET
                ? static_cast<const void*>(&reinterpret_cast<sockaddr_in*>(p->ifa_addr)->sin_addr)
                : static_cast<const void*>(
                      &reinterpret_cast<sockaddr_in6*>(p->ifa_addr)->sin6_addr);
        inet_ntop(nFamily, pAddr, acAddr, sizeof acAddr);
        const std::string sAddr = acAddr;
        // The probe may name one of this machine's own addresses.
        if (!sHost.empty() && (sHost == sAddr || sHost == "[" + sAddr + "]")) bConnected = true;
        const unsigned nFlags = p->ifa_flags;
        if ((nFlags & IFF_UP) && (nFlags & IFF_RUNNING) && !(nFlags & IFF_LOOPBACK))
            bConnected = true;
    }
    freeifaddrs(pList);
    return bConnected;
}

void clsHttp::GetProxySetting(std::string& sProxyName, int32_t& lAccessType) const {
    sProxyName = GetSettings().Read(Settings::ProxyName);
    lAccessType = sProxyName.empty() ? INTERNET_OPEN_TYPE_PRECONFIG : INTERNET_OPEN_TYPE_PROXY;
}

CURL* clsHttp::NewHandle() {
    CURL* h = curl_easy_init();
    if (!h) return nullptr;
    curl_easy_setopt(h, CURLOPT_USERAGENT, "Gavelry");
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https,ftp");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(g_lConnectMilliseconds));
    // A transfer that moves less than one byte a second for the stall time is abandoned;
    // FTP answers and the server's data connection are held to the same limit.
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, static_cast<long>(g_lStallSeconds));
    curl_easy_setopt(h, CURLOPT_SERVER_RESPONSE_TIMEOUT, static_cast<long>(g_lStallSeconds));
    curl_easy_setopt(h, CURLOPT_ACCEPTTIMEOUT_MS, static_cast<long>(g_lStallSeconds) * 1000L);
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, &clsHttp::OnHeader);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &Discard);
    if (!m_sProxyName.empty()) {
        // A named proxy takes every request: no bypass list.
        curl_easy_setopt(h, CURLOPT_PROXY, m_sProxyName.c_str());
        curl_easy_setopt(h, CURLOPT_NOPROXY, "");
    }
    return h;
}

// Keeps the server's last answer: FTP replies and the HTTP status line.
size_t clsHttp::OnHeader(char* pData, size_t nSize, size_t nCount, void* pUser) {
    auto* oThis = static_cast<clsHttp*>(pUser);
    const std::string sLine = Trim(std::string(pData, nSize * nCount));
    if (sLine.rfind("HTTP/", 0) == 0) {
        oThis->m_sServerResponse = sLine;
        const size_t nBlank = sLine.find(' ');
        oThis->m_lServerCode =
            nBlank == std::string::npos ? 0 : std::atol(sLine.c_str() + nBlank + 1);
    } else if (sLine.size() >= 3 && std::isdigit(static_cast<unsigned char>(sLine[0])) &&
               std::isdigit(static_cast<unsigned char>(sLine[1])) &&
               std::isdigit(static_cast<unsigned char>(sLine[2]))) {
        oThis->m_sServerResponse = sLine;
        oThis->m_lServerCode = std::atol(sLine.substr(0, 3).c_str());
    }
    return nSize * nCount;
}

CURL* clsHttp::NewSessionHandle(const std::string& sServerAddr) {
    if (!IsInternetOpen())
        NoteFailure("No internet session");
    else if (!IsServerAddress(sServerAddr))
        NoteFailure("Bad server address '" + sServerAddr + "'");
    else if (CURL* hHandle = NewHandle())
        return hHandle;
    else
        NoteFailure("The transfer library could not start a connection");
    return nullptr;
}

CURLcode clsHttp::PerformInto(CURL* hHandle, curl_write_callback fnWrite, void* pData) {
    curl_easy_setopt(hHandle, CURLOPT_WRITEFUNCTION, fnWrite);
    curl_easy_setopt(hHandle, CURLOPT_WRITEDATA, pData);
    const CURLcode rc = Perform(hHandle);
    curl_easy_setopt(hHandle, CURLOPT_WRITEFUNCTION, &Discard);
    curl_easy_setopt(hHandle, CURLOPT_WRITEDATA, nullptr);
    return rc;
}

CURLcode clsHttp::PerformUncachedGet(CURL* hHandle, const std::string& sUrl,
                                     curl_write_callback fnWrite, void* pData) {
    curl_slist* pHeaders = nullptr;
    pHeaders = curl_slist_append(pHeaders, "Cache-Control: no-cache");
    pHeaders = curl_slist_append(pHeaders, "Pragma: no-cache");
    curl_easy_setopt(hHandle, CURLOPT_URL, sUrl.c_str());
    curl_easy_setopt(hHandle, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(hHandle, CURLOPT_HTTPHEADER, pHeaders);
    const CURLcode rc = PerformInto(hHandle, fnWrite, pData);
    curl_easy_setopt(hHandle, CURLOPT_HTTPHEADER, nullptr);
    curl_slist_free_all(pHeaders);
    return rc;
}

void clsHttp::SetTimeBudget(int32_t lMilliseconds) {
    m_lBudgetMilliseconds = lMilliseconds;
    m_otDeadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(lMilliseconds);
}

CURLcode clsHttp::Perform(CURL* hHandle) {
    m_sServerResponse.clear();
    m_lServerCode = 0;
    long lLeft = 0; // milliseconds of the budget left; 0 without a budget
    if (m_otDeadline) {
        const auto tLeft = *m_otDeadline - std::chrono::steady_clock::now();
        lLeft =
            static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(tLeft).count());
        if (lLeft <= 0) lLeft = -1;
    }
    CURLcode rc = CURLE_OPERATION_TIMEDOUT;
    if (lLeft >= 0) {
        // The whole transfer, connecting included, ends within the budget left.
        curl_easy_setopt(hHandle, CURLOPT_TIMEOUT_MS, lLeft);
        curl_easy_setopt(hHandle, CURLOPT_CONNECTTIMEOUT_MS,
                         lLeft > 0 ? std::min<long>(lLeft, g_lConnectMilliseconds)
                                   : long(g_lConnectMilliseconds));
        rc = curl_easy_perform(hHandle);
    }
    if (rc == CURLE_OK) return rc;
    m_sFailure = curl_easy_strerror(rc);
    if (m_otDeadline && rc == CURLE_OPERATION_TIMEDOUT &&
        std::chrono::steady_clock::now() >= *m_otDeadline - std::chrono::milliseconds(50)) {
        m_sFailure = "Stopped after " + std::to_string((m_lBudgetMilliseconds + 999) / 1000) +
                     " s, the longest the transfers may take";
        LogDebug("Transfer stopped: " + m_sFailure);
    }
    return rc;
}

void clsHttp::NoteFailure(const std::string& sDescription) {
    m_sFailure = sDescription;
    m_sServerResponse.clear();
    m_lServerCode = 0;
}

std::string clsHttp::FtpUrl(const std::string& sName) const {
    return m_sFtpBase + m_sFtpDirectory + Escape(m_hFtp, sName);
}

bool clsHttp::OpenConnection(const std::string& sPingURL) {
    LogDebug("Open internet connection 1");
    if (!IsConnected(sPingURL)) return false;
    LogDebug("Open internet connection 2");
    if (IsInternetOpen()) {
        LogDebug("Open internet connection 11 - okay");
        return true;
    }
    LogDebug("Open internet connection 3");
    int32_t lAccessType = INTERNET_OPEN_TYPE_PRECONFIG;
    GetProxySetting(m_sProxyName, lAccessType);
    LogDebug("Open internet connection 4");
    m_hInternet = NewHandle();
    LogDebug("Open internet connection 5");
    if (!m_hInternet) {
        LogDebug("Open internet connection 6 - fail");
        NoteFailure("The transfer library could not start a session");
        GetErrorInfo();
        LogDebug("Open internet connection 7");
        LogDebug("Open internet connection 8");
        throw clsError(HttpError::Connection, "OpenConnection", "Error opening internet seesion");
    }
    if (sPingURL.empty()) {
        LogDebug("Open internet connection 11 - okay");
        return true;
    }
    LogDebug("Open internet connection 9");
    bool bAnswered = false;
    curl_easy_setopt(m_hInternet, CURLOPT_FRESH_CONNECT, 1L);
    curl_easy_setopt(m_hInternet, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(m_hInternet, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(m_hInternet, CURLOPT_MAXREDIRS, 5L);
    const CURLcode rc = PerformUncachedGet(m_hInternet, sPingURL, &StopAtFirstData, &bAnswered);
    // The site answered when it sent any HTTP reply, an error page included: only no reply
    // at all (refused, unreachable, out of time) means no connection.
    if (rc == CURLE_OK || bAnswered || m_lServerCode > 0) {
        LogDebug("Open internet connection 11 - okay");
        return true;
    }
    LogDebug("Open internet connection 10");
    SetLastErrorText(m_lServerCode >= 400 && !m_sServerResponse.empty()
                         ? "Server response: " + m_sServerResponse
                         : m_sFailure);
    throw clsError(HttpError::Connection, "OpenConnection", "Couldn't reach destination");
}

bool clsHttp::StartFtpSession(const std::string& sServerAddr, const std::string& sUserName,
                              const std::string& sPassword, const std::string& sPath) {
    LogDebug("Start FTP 1");
    CloseFtpSession();
    bool bConnected = false;
    if ((m_hFtp = NewSessionHandle(sServerAddr)) != nullptr) {
        m_sFtpBase = "ftp://" + sServerAddr + "/";
        m_sFtpDirectory.clear();
        curl_easy_setopt(m_hFtp, CURLOPT_USERNAME, sUserName.c_str());
        curl_easy_setopt(m_hFtp, CURLOPT_PASSWORD, sPassword.c_str());
        // Active mode: the server connects back to the address of the control connection.
        curl_easy_setopt(m_hFtp, CURLOPT_FTPPORT, "-");
        curl_easy_setopt(m_hFtp, CURLOPT_FTP_USE_EPRT, 0L);
        curl_easy_setopt(m_hFtp, CURLOPT_NOBODY, 1L);
        curl_easy_setopt(m_hFtp, CURLOPT_URL, m_sFtpBase.c_str());
        bConnected = Perform(m_hFtp) == CURLE_OK;
        if (!bConnected) {
            curl_easy_cleanup(m_hFtp);
            m_hFtp = nullptr;
        }
    }
    LogDebug("Start FTP 2");
    if (!bConnected) {
        LogDebug("Start FTP 3");
        GetErrorInfo();
        LogDebug("Start FTP 4");
        throw clsError(HttpError::Connection, "StartFtpSession", "Error connecting to server");
    }
    LogDebug("Start FTP 5");
    if (sPath.empty()) {
        LogDebug("Start FTP 9 - okay");
        return true;
    }
    LogDebug("Start FTP 6");
    std::string sDirectory = sPath.front() == '/' ? "%2F" : "";
    size_t nStart = 0;
    while (nStart <= sPath.size()) {
        size_t nEnd = sPath.find('/', nStart);
        if (nEnd == std::string::npos) nEnd = sPath.size();
        if (nEnd > nStart) sDirectory += Escape(m_hFtp, sPath.substr(nStart, nEnd - nStart)) + "/";
        nStart = nEnd + 1;
    }
    const std::string sUrl = m_sFtpBase + sDirectory;
    curl_easy_setopt(m_hFtp, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(m_hFtp, CURLOPT_URL, sUrl.c_str());
    if (Perform(m_hFtp) == CURLE_OK) {
        m_sFtpDirectory = sDirectory;
        LogDebug("Start FTP 9 - okay");
        return true;
    }
    LogDebug("Start FTP 7 - fail");
    GetErrorInfo();
    LogDebug("Start FTP 8");
    throw clsError(HttpError::Connection, "StartFtpSession", "Error setting directory");
}

bool clsHttp::StartHttpSession(const std::string& sServerAddr, const std::string& sUserName,
                               const std::string& sPassword) {
    LogDebug("Start HTTP 1");
    if (m_hHttp) {
        curl_easy_cleanup(m_hHttp);
        m_hHttp = nullptr;
    }
    if ((m_hHttp = NewSessionHandle(sServerAddr)) != nullptr) {
        m_sHttpBase = "http://" + sServerAddr + "/";
        if (!sUserName.empty()) {
            curl_easy_setopt(m_hHttp, CURLOPT_USERNAME, sUserName.c_str());
            curl_easy_setopt(m_hHttp, CURLOPT_PASSWORD, sPassword.c_str());
        }
    }
    LogDebug("Start HTTP 2");
    if (m_hHttp) {
        LogDebug("Start HTTP 5");
        LogDebug("Start HTTP 6 - okay");
        return true;
    }
    LogDebug("Start HTTP 3 - fail");
    GetErrorInfo();
    LogDebug("Start HTTP 4");
    throw clsError(HttpError::HttpConnection, "StartHttpSession", "Error connecting to server");
}

bool clsHttp::FilesMatch(const std::string& sLocalFile, const std::string& sRemoteFile) {
    LogDebug("Matching files 1");
    if (!m_hFtp) {
        LogDebug("Matching files 2 - fail");
        return false;
    }
    try {
        LogDebug("Matching files 3");
        // SIZE by name, without a data connection.
        const std::string sUrl = FtpUrl(sRemoteFile);
        curl_easy_setopt(m_hFtp, CURLOPT_NOBODY, 1L);
        curl_easy_setopt(m_hFtp, CURLOPT_URL, sUrl.c_str());
        const CURLcode rc = Perform(m_hFtp);
        curl_off_t lRemote = 0;
        if (rc == CURLE_OK) {
            curl_easy_getinfo(m_hFtp, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &lRemote);
            if (lRemote < 0) lRemote = 0;
        } else if (rc != CURLE_REMOTE_FILE_NOT_FOUND) {
            throw clsError(HttpError::Connection, "FilesMatch", m_sFailure);
        }
        LogDebug("Matching files 4");
        std::error_code ec;
        uintmax_t lLocal = 0;
        if (std::filesystem::is_regular_file(sLocalFile, ec))
            lLocal = std::filesystem::file_size(sLocalFile, ec);
        if (ec) lLocal = 0;
        LogDebug("Matching files 5");
        if (lRemote == 0)
            throw clsError(HttpError::RemoteSizeZero, "FilesMatch", "The remote file is size 0");
        LogDebug("Matching files 6");
        m_sSizedFile = sRemoteFile;
        m_lSizedBytes = static_cast<int64_t>(lRemote);
        const bool bMatch = static_cast<uintmax_t>(lRemote) == lLocal;
        LogDebug("Matching files 7 - okay");
        return bMatch;
    } catch (const clsError& e) {
        LogDebug("Matching files 8 - fail");
        if (e.Number() == HttpError::RemoteSizeZero) {
            LogDebug("Matching files 9");
            throw;
        }
        return false;
    }
}

bool clsHttp::GetFile(const std::string& sLocalName, const std::string& sRemoteName, bool bBinary,
                      const DownloadCheck& fnCheck) {
    LogDebug("Proc FTP 1");
    const long lTransferText = bBinary ? 0L : 1L;
    LogDebug("Proc FTP 2");
    if (!IsInternetOpen()) {
        LogDebug("Proc FTP 3");
        return false;
    }
    LogDebug("Proc FTP 4");
    const std::string sTemp = sLocalName + "_$Temp$_";
    DeleteLocalFile(sTemp);
    bool bDone = false;
    std::string sWhy;
    if (!m_hFtp) {
        NoteFailure("No FTP connection");
    } else if (sRemoteName == m_sSizedFile && m_lSizedBytes > kMaxDownloadBytes) {
        NoteFailure(TooLargeText(m_lSizedBytes));
        LogDebug("Download refused: " + m_sFailure);
    } else if (std::FILE* pFile = std::fopen(sTemp.c_str(), "wb"); !pFile) {
        NoteFailure("Cannot create '" + sTemp + "': " + std::strerror(errno));
    } else {
        const std::string sUrl = FtpUrl(sRemoteName);
        curl_easy_setopt(m_hFtp, CURLOPT_NOBODY, 0L);
        curl_easy_setopt(m_hFtp, CURLOPT_TRANSFERTEXT, lTransferText);
        curl_easy_setopt(m_hFtp, CURLOPT_URL, sUrl.c_str());
        clsDownload oDownload{pFile};
        const CURLcode rc = PerformInto(m_hFtp, &WriteToFile, &oDownload);
        curl_off_t lReceived = 0;
        curl_easy_getinfo(m_hFtp, CURLINFO_SIZE_DOWNLOAD_T, &lReceived);
        // On disk before it replaces the old file.
        bool bWritten = std::fflush(pFile) == 0 && fsync(fileno(pFile)) == 0;
        bWritten = std::fclose(pFile) == 0 && bWritten;
        if (oDownload.m_bTooLarge) {
            // The server said the file was smaller than it is.
            NoteFailure(TooLargeText(0));
            LogDebug("Download refused: " + m_sFailure);
        } else if (rc != CURLE_OK) {
            // m_sFailure already holds the library's reason.
        } else if (!bWritten) {
            NoteFailure("Cannot write '" + sTemp + "'");
        } else if (bBinary && sRemoteName == m_sSizedFile && lReceived != m_lSizedBytes) {
            // The server closed the transfer early without saying so.
            NoteFailure("Received " + std::to_string(lReceived) + " of " +
                        std::to_string(m_lSizedBytes) + " bytes");
        } else if (fnCheck && !fnCheck(sTemp, sWhy)) {
            NoteFailure(sWhy);
        } else {
            bDone = true;
        }
    }
    LogDebug("Proc FTP 5");
    if (bDone) {
        std::error_code ec;
        std::filesystem::rename(sTemp, sLocalName, ec);
        if (!ec) {
            LogDebug("Proc FTP 8 - okay");
            return true;
        }
        NoteFailure("Cannot replace '" + sLocalName + "': " + ec.message());
    }
    LogDebug("Proc FTP 6 - fail");
    GetErrorInfo();
    LogDebug("Proc FTP 7");
    std::error_code ec;
    std::filesystem::remove(sTemp, ec);
    throw clsError(HttpError::Connection, "GetFile", "Error getting file '" + sRemoteName + "'");
}

std::string clsHttp::GetHeaderInfo(const std::string& sHeaderName) {
    LogDebug("Getting header info 1");
    std::vector<std::string> asChunks;
    if (m_hHttp) {
        std::string sPath = sHeaderName;
        while (!sPath.empty() && sPath.front() == '/')
            sPath.erase(0, 1);
        curl_easy_setopt(m_hHttp, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
        clsPage oPage;
        if (PerformUncachedGet(m_hHttp, m_sHttpBase + sPath, &CollectChunks, &oPage) == CURLE_OK) {
            asChunks = std::move(oPage.m_asChunks);
        } else {
            SetLastErrorText(oPage.m_lBytes > kMaxDownloadBytes ? TooLargeText(0) : m_sFailure);
        }
    } else {
        SetLastErrorText("No HTTP connection");
    }
    LogDebug("Getting header info 2");
    LogDebug("Getting header info 3");
    LogDebug("Getting header info 4");
    // One round per piece read, and a last one for the read that returns nothing.
    asChunks.emplace_back();
    std::string sBody;
    for (const std::string& sChunk : asChunks) {
        LogDebug("Getting header info 5");
        LogDebug("Getting header info 6");
        sBody += TrimNulls(sChunk);
        LogDebug("Getting header info 7");
        LogDebug("Getting header info 8");
    }
    LogDebug("Getting header info 9 - okay (no fail point)");
    return sBody;
}

std::string clsHttp::GetErrorInfo() {
    LogDebug("Getting error info 1");
    if (m_lServerCode >= 400 && !m_sServerResponse.empty()) {
        // The server refused: its own words say most.
        LogDebug("Getting error info 2");
        LogDebug("Getting error info 3");
        LogDebug("Getting error info 4");
        LogDebug("Getting error info 5");
        SetLastErrorText("Server response: " + Trim(m_sServerResponse));
    } else {
        LogDebug("Getting error info 6");
        SetLastErrorText(m_sFailure);
    }
    LogDebug("Getting error info 5 - okay (no fail point)");
    return m_sLastError;
}

void clsHttp::DeleteLocalFile(const std::string& sPath) {
    LogDebug("Deleting file 1");
    std::error_code ec;
    if (!std::filesystem::remove(sPath, ec) && !ec)
        LogDebug("Deleting file 2 (" + clsError::DefaultDescription(ErrNumber::FileNotFound) + ")");
    else if (ec)
        LogDebug("Deleting file 2 (" + ec.message() + ")");
    LogDebug("Deleting file 3 - Success");
}

void clsHttp::CloseFtpSession() {
    if (m_hFtp) {
        curl_easy_cleanup(m_hFtp);
        m_hFtp = nullptr;
    }
    m_sFtpDirectory.clear();
    m_sSizedFile.clear();
    m_lSizedBytes = -1;
}

namespace {
// Releases one handle with the four numbered log lines of its session kind.
void CloseSession(CURL*& hSession, const std::string& sWhat) {
    LogDebug("Closing " + sWhat + " 1");
    if (hSession) {
        LogDebug("Closing " + sWhat + " 2");
        curl_easy_cleanup(hSession);
        LogDebug("Closing " + sWhat + " 3");
        hSession = nullptr;
    }
    LogDebug("Closing " + sWhat + " 4 - okay (no fail point)");
}
} // namespace

void clsHttp::CloseHttpSession() {
    CloseSession(m_hHttp, "Http Session");
}

void clsHttp::CloseInternetSession() {
    CloseSession(m_hInternet, "Internet Session");
}

bool clsHttp::CloseConnection() {
    CloseFtpSession();
    CloseHttpSession();
    CloseInternetSession();
    return false;
}
