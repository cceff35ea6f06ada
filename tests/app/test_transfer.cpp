#include "TestSupport.h"

#include "basCommon.h"
#include "basSettings.h"
#include "basStartup.h"
#include "basUpdate.h"
#include "clsError.h"
#include "clsHttp.h"
#include "clsPrices.h"
#include "clsRequiredPrices.h"

#include <QDir>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

const std::vector<std::string> asUpdateStart = {
    "DL - Update file 1", "DL - Update file 2", "DL - Update file 3", "DL - Update files 5",
    "Start FTP 1",        "Start FTP 2",        "Start FTP 5",        "Start FTP 9 - okay",
    "DL - Update file 6", "Matching files 1",   "Matching files 3",   "Matching files 4",
    "Matching files 5"};

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The skip record's time stamp varies; keep only the start of its line.
std::vector<std::string> Stable(std::vector<std::string> asLines) {
    for (std::string& s : asLines)
        if (s.rfind("Found skip date of ", 0) == 0) s = "Found skip date of ...";
    return asLines;
}

double Seconds(Clock::time_point tStart) {
    return std::chrono::duration<double>(Clock::now() - tStart).count();
}

class TransferTest : public clsAppTest {
protected:
    void SetUp() override {
        clsAppTest::SetUp();
        // Only the loopback servers below may be contacted, and never through a proxy.
        for (const char* sName : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY",
                                  "ftp_proxy", "FTP_PROXY", "all_proxy", "ALL_PROXY"})
            qunsetenv(sName);
        QDir().mkpath(QString::fromStdString(Path("remote")));
        QDir().mkpath(QString::fromStdString(Path("web")));
        m_sLocal = GetPriceFilePath(false);
        m_sRemote = Path("remote/" + GetPriceFilePath(true));
    }

    void SetMachine(const std::string& sName, const std::string& sValue) {
        ASSERT_TRUE(GetRegistry().SetRegSetting(HKEY_LOCAL_MACHINE, "Config", sName, sValue));
    }
    std::string Record() const {
        std::string s = "<absent>";
        GetRegistry().GetRegSetting(HKEY_CURRENT_USER, "Config", "FTPSkipFlag", s, "<absent>");
        return s;
    }
    QStringList Ftp(const QStringList& asExtra = {}) const {
        return QStringList{"ftp", "--root", QString::fromStdString(Path("remote"))} + asExtra;
    }
    // Runs the update step alone, as after a successful probe.
    bool Update(clsUpdateReport& oReport) {
        clsHttp::SetConnectedStateHandler([](const std::string&) { return true; });
        clsHttp oHttp;
        EXPECT_TRUE(oHttp.OpenConnection(""));
        ClearLog();
        const bool bResult = UpdatePriceFile(oHttp, &oReport);
        m_sLastError = oHttp.LastError();
        m_asLog = LogLines();
        return bResult;
    }

    std::string m_sLocal;
    std::string m_sRemote;
    std::string m_sLastError;
    std::vector<std::string> m_asLog; // the update's own lines
};

TEST_F(TransferTest, MissingLocalFileIsDownloaded) {
    WriteFile(m_sRemote, GoodPriceFile(20000));
    clsTestServer oFtp(Ftp());
    ASSERT_GT(oFtp.Port(), 0);
    SetMachine("PriceServer", oFtp.Address());

    clsUpdateReport oReport;
    EXPECT_TRUE(Update(oReport));
    EXPECT_EQ(oReport.m_eOutcome, UpdateDownloaded);
    EXPECT_EQ(oReport.m_lBytes, 20000);
    EXPECT_EQ(ReadFile(m_sLocal), ReadFile(m_sRemote));
    EXPECT_FALSE(FileExists(m_sLocal + "_$Temp$_"));
    EXPECT_EQ(Record(), "<absent>");
    EXPECT_EQ(oFtp.Count("LOGIN gavelry"), 1);
    EXPECT_EQ(oFtp.Count("RETR"), 1);
    EXPECT_EQ(
        Stable(m_asLog),
        Join(asUpdateStart,
             {"Matching files 6", "Matching files 7 - okay", "DL - Update file 7", "Proc FTP 1",
              "Proc FTP 2", "Proc FTP 4", "Deleting file 1", "Deleting file 2 (File not found)",
              "Deleting file 3 - Success", "Proc FTP 5", "Proc FTP 8 - okay", "DL - Update file 8",
              "DL - Update file 9 - okay", "Found skip date of ..."}));
}

TEST_F(TransferTest, EqualSizesDownloadNothing) {
    WriteFile(m_sRemote, SomeBytes(5000, 'a'));
    WriteFile(m_sLocal, SomeBytes(5000, 'z'));
    WriteFile(m_sLocal + "_$Temp$_", "left over");
    clsTestServer oFtp(Ftp());
    ASSERT_GT(oFtp.Port(), 0);
    SetMachine("PriceServer", oFtp.Address());

    clsUpdateReport oReport;
    EXPECT_TRUE(Update(oReport));
    EXPECT_EQ(oReport.m_eOutcome, UpdateUpToDate);
    EXPECT_EQ(ReadFile(m_sLocal), SomeBytes(5000, 'z'));
    EXPECT_EQ(oFtp.Count("RETR"), 0);
    EXPECT_EQ(Record(), "<absent>");
    EXPECT_EQ(Stable(m_asLog),
              Join(asUpdateStart, {"Matching files 6", "Matching files 7 - okay",
                                   "DL - Update file 9 - okay", "Found skip date of ..."}));
}

TEST_F(TransferTest, EmptyOrAbsentRemoteFileNeverReplacesTheLocalFile) {
    for (const bool bAbsent : {false, true}) {
        SCOPED_TRACE(bAbsent ? "absent" : "empty");
        std::remove(m_sRemote.c_str());
        if (!bAbsent) WriteFile(m_sRemote, "");
        WriteFile(m_sLocal, "local prices");
        GetRegistry().DeleteValue(HKEY_CURRENT_USER, "Config", "FTPSkipFlag");
        clsTestServer oFtp(Ftp());
        ASSERT_GT(oFtp.Port(), 0);
        SetMachine("PriceServer", oFtp.Address());

        clsUpdateReport oReport;
        EXPECT_FALSE(Update(oReport));
        EXPECT_EQ(oReport.m_eOutcome, UpdateFailed);
        EXPECT_EQ(oReport.m_sReason, "The remote file is size 0");
        EXPECT_EQ(ReadFile(m_sLocal), "local prices");
        EXPECT_NE(Record(), "<absent>") << "the attempt record stays";
        EXPECT_EQ(oFtp.Count("RETR"), 0);
        EXPECT_EQ(m_asLog, Join(asUpdateStart, {"Matching files 8 - fail", "Matching files 9",
                                                "DL - Update file 10 - fail"}));
    }
}

TEST_F(TransferTest, TransferCutHalfWayLeavesLocalFileUnchanged) {
    WriteFile(m_sRemote, SomeBytes(300000, 'n'));
    for (const char* sMode : {"cut", "stall"}) {
        SCOPED_TRACE(sMode);
        WriteFile(m_sLocal, "old prices");
        GetRegistry().DeleteValue(HKEY_CURRENT_USER, "Config", "FTPSkipFlag");
        clsHttp::SetTimeLimits(2000, 1);
        clsTestServer oFtp(Ftp({"--mode", sMode, "--cut", "150000"}));
        ASSERT_GT(oFtp.Port(), 0);
        SetMachine("PriceServer", oFtp.Address());

        const auto tStart = Clock::now();
        clsUpdateReport oReport;
        EXPECT_FALSE(Update(oReport));
        EXPECT_LT(Seconds(tStart), 8.0);
        EXPECT_EQ(oFtp.Count("CUT"), 1) << "the server really stopped mid-file";
        EXPECT_EQ(ReadFile(m_sLocal), "old prices");
        EXPECT_FALSE(FileExists(m_sLocal + "_$Temp$_"));
        EXPECT_NE(Record(), "<absent>");
        EXPECT_FALSE(m_sLastError.empty());
        EXPECT_EQ(oReport.m_sReason.rfind("Error getting file 'UpdateUK_v0102.dat'", 0), 0u);
        const auto asTail = Between(m_asLog, "Proc FTP 5", "DL - Update file 10 - fail");
        EXPECT_EQ(Stable(asTail),
                  (std::vector<std::string>{"Proc FTP 5", "Proc FTP 6 - fail",
                                            "Getting error info 1", "Getting error info 6",
                                            "Getting error info 5 - okay (no fail point)",
                                            "Proc FTP 7", "DL - Update file 10 - fail"}));
    }
}

TEST_F(TransferTest, SecondStartTheSameDayAfterAFailureDoesNotLogIn) {
    WriteFile(m_sRemote, SomeBytes(1000, 'a'));
    clsTestServer oFtp(Ftp({"--password", "another"}));
    ASSERT_GT(oFtp.Port(), 0);
    SetMachine("PriceServer", oFtp.Address());

    clsUpdateReport oReport;
    EXPECT_FALSE(Update(oReport));
    EXPECT_EQ(oFtp.WaitCount("LOGIN FAILED gavelry", 1), 1);
    EXPECT_EQ(m_sLastError.rfind("Server response: 530", 0), 0u) << m_sLastError;
    EXPECT_EQ(m_asLog, (std::vector<std::string>{
                           "DL - Update file 1", "DL - Update file 2", "DL - Update file 3",
                           "DL - Update files 5", "Start FTP 1", "Start FTP 2", "Start FTP 3",
                           "Getting error info 1", "Getting error info 2", "Getting error info 3",
                           "Getting error info 4", "Getting error info 5",
                           "Getting error info 5 - okay (no fail point)", "Start FTP 4",
                           "DL - Update file 10 - fail"}));
    const int nConnects = oFtp.Count("CONNECT");

    EXPECT_FALSE(Update(oReport));
    EXPECT_EQ(oReport.m_eOutcome, UpdateSkipped);
    EXPECT_EQ(Stable(m_asLog), (std::vector<std::string>{
                                   "DL - Update file 1", "DL - Update file 2", "DL - Update file 3",
                                   "Found skip date of ...", "DL - Update file 4 - early exit"}));
    EXPECT_EQ(oFtp.Count("CONNECT"), nConnects);
}

TEST_F(TransferTest, DirectoryChangeAndRemoteSizeByName) {
    QDir().mkpath(QString::fromStdString(Path("remote/prices")));
    WriteFile(Path("remote/prices/list.dat"), "12345");
    WriteFile(Path("local.dat"), "abcde");
    clsTestServer oFtp(Ftp());
    ASSERT_GT(oFtp.Port(), 0);
    clsHttp::SetConnectedStateHandler([](const std::string&) { return true; });
    clsHttp oHttp;
    ASSERT_TRUE(oHttp.OpenConnection(""));
    EXPECT_TRUE(oHttp.StartFtpSession(oFtp.Address(), "gavelry", "kvr7342", "prices"));
    EXPECT_TRUE(oHttp.FilesMatch(Path("local.dat"), "list.dat"));
    EXPECT_FALSE(oHttp.FilesMatch(Path("missing.dat"), "list.dat"));
    EXPECT_EQ(oFtp.Count("RETR"), 0) << "sizes only, no download";

    ClearLog();
    try {
        oHttp.StartFtpSession(oFtp.Address(), "gavelry", "kvr7342", "no/such/dir");
        ADD_FAILURE() << "no error raised";
    } catch (const clsError& e) {
        EXPECT_EQ(e.Number(), HttpError::Connection);
        EXPECT_EQ(e.Description(), "Error setting directory");
    }
    EXPECT_EQ(oHttp.LastError().rfind("Server response: 550", 0), 0u) << oHttp.LastError();
    EXPECT_TRUE(Contains(LogLines(), "Start FTP 6"));
    EXPECT_TRUE(Contains(LogLines(), "Start FTP 7 - fail"));
    EXPECT_TRUE(Contains(LogLines(), "Start FTP 8"));
}

TEST_F(TransferTest, StartupProbesTheWebSiteThenUpdates) {
    WriteFile(Path("web/index.asp"), "<html>up</html>");
    WriteFile(m_sRemote, GoodPriceFile(20000));
    clsTestServer oWeb({"http", "--root", QString::fromStdString(Path("web"))});
    clsTestServer oFtp(Ftp());
    ASSERT_GT(oWeb.Port(), 0);
    ASSERT_GT(oFtp.Port(), 0);
    SetMachine("WebSite", "http://" + oWeb.Address());
    SetMachine("PriceServer", oFtp.Address());

    clsDownloadResult oResult = PerformDownloads();
    EXPECT_EQ(oResult.Describe(), "downloaded 20000 bytes");
    EXPECT_TRUE(oResult.Completed());
    EXPECT_EQ(ReadFile(m_sLocal), ReadFile(m_sRemote));
    EXPECT_EQ(oWeb.Events(), (std::vector<std::string>{"GET /index.asp", "Cache-Control: no-cache",
                                                       "Pragma: no-cache", "User-Agent: Gavelry"}));
    const auto asLog = LogLines();
    ASSERT_GE(asLog.size(), 15u);
    EXPECT_EQ(
        std::vector<std::string>(asLog.begin(), asLog.begin() + 8),
        (std::vector<std::string>{"Open internet connection 1", "Open internet connection 2",
                                  "Open internet connection 3", "Open internet connection 4",
                                  "Open internet connection 5", "Open internet connection 9",
                                  "Open internet connection 11 - okay", "DL - Update file 1"}));
    EXPECT_EQ(std::vector<std::string>(asLog.end() - 7, asLog.end()),
              (std::vector<std::string>{"Found skip date of " + asLog[asLog.size() - 7].substr(19),
                                        "Closing Http Session 1",
                                        "Closing Http Session 4 - okay (no fail point)",
                                        "Closing Internet Session 1", "Closing Internet Session 2",
                                        "Closing Internet Session 3",
                                        "Closing Internet Session 4 - okay (no fail point)"}));

    oResult = PerformDownloads();
    EXPECT_EQ(oResult.Describe(), "up to date");
    EXPECT_EQ(oFtp.Count("RETR"), 1);
}

TEST_F(TransferTest, SiteThatDoesNotAnswerEndsTheStepQuickly) {
    clsHttp::SetTimeLimits(1000, 1);
    clsTestServer oSilent({"silent"});
    clsTestServer oFtp(Ftp());
    ASSERT_GT(oSilent.Port(), 0);
    ASSERT_GT(oFtp.Port(), 0);
    SetMachine("PriceServer", oFtp.Address());
    // A port nobody listens on: the silent server's, once it is gone.
    int nClosedPort = 0;
    {
        clsTestServer oGone({"silent"});
        nClosedPort = oGone.Port();
    }
    for (const std::string& sSite : {"http://" + oSilent.Address() + "/",
                                     "http://127.0.0.1:" + std::to_string(nClosedPort) + "/"}) {
        SCOPED_TRACE(sSite);
        SetMachine("WebSite", sSite);
        ClearLog();
        const auto tStart = Clock::now();
        const clsDownloadResult oResult = PerformDownloads();
        EXPECT_LT(Seconds(tStart), 5.0);
        EXPECT_EQ(oResult.m_eOutcome, DownloadUnreachable);
        EXPECT_EQ(oResult.Describe().rfind("failed: Couldn't reach destination", 0), 0u)
            << oResult.Describe();
        EXPECT_EQ(LogLines(),
                  (std::vector<std::string>{
                      "Open internet connection 1", "Open internet connection 2",
                      "Open internet connection 3", "Open internet connection 4",
                      "Open internet connection 5", "Open internet connection 9",
                      "Open internet connection 10", "Closing Http Session 1",
                      "Closing Http Session 4 - okay (no fail point)", "Closing Internet Session 1",
                      "Closing Internet Session 2", "Closing Internet Session 3",
                      "Closing Internet Session 4 - okay (no fail point)"}));
    }
    EXPECT_EQ(oFtp.Count("CONNECT"), 0);
    EXPECT_EQ(Record(), "<absent>") << "no attempt without the site";
}

TEST_F(TransferTest, SilentFtpServerTimesOut) {
    clsHttp::SetTimeLimits(1000, 1);
    clsTestServer oSilent({"silent"});
    ASSERT_GT(oSilent.Port(), 0);
    clsHttp::SetConnectedStateHandler([](const std::string&) { return true; });
    clsHttp oHttp;
    ASSERT_TRUE(oHttp.OpenConnection(""));
    const auto tStart = Clock::now();
    EXPECT_THROW(oHttp.StartFtpSession(oSilent.Address(), "gavelry", "kvr7342", ""), clsError);
    EXPECT_LT(Seconds(tStart), 5.0);
    EXPECT_EQ(oSilent.Count("CONNECT"), 1);
    EXPECT_FALSE(oHttp.LastError().empty());
}

TEST_F(TransferTest, OfflineMachineAttemptsNothing) {
    clsHttp::SetConnectedStateHandler([](const std::string&) { return false; });
    const clsDownloadResult oResult = PerformDownloads();
    EXPECT_EQ(oResult.m_eOutcome, DownloadOffline);
    EXPECT_FALSE(oResult.Completed());
    EXPECT_EQ(LogLines(), std::vector<std::string>{"Open internet connection 1"});
    EXPECT_EQ(Record(), "<absent>");
}

TEST_F(TransferTest, SkippedStepIsReportedAsSkipped) {
    WriteFile(Path("web/index.asp"), "up");
    clsTestServer oWeb({"http", "--root", QString::fromStdString(Path("web"))});
    ASSERT_GT(oWeb.Port(), 0);
    SetMachine("WebSite", "http://" + oWeb.Address() + "/");
    SetUpdateSkipFlag(false);
    const clsDownloadResult oResult = PerformDownloads();
    EXPECT_EQ(oResult.Describe(), "skipped today");
    EXPECT_FALSE(oResult.Completed());
}

TEST_F(TransferTest, NamedProxyCarriesTheProbe) {
    clsTestServer oProxy({"http", "--root", QString::fromStdString(Path("web"))});
    ASSERT_GT(oProxy.Port(), 0);
    ASSERT_TRUE(GetRegistry().SetRegSetting(HKEY_LOCAL_MACHINE, "Software\\Tessary\\Pennock\\FTP",
                                            "ProxyName", oProxy.Address(), true));
    clsHttp oHttp;
    // Port 9 of this machine is never reached: the request goes to the proxy, whose reply
    // (an error page) is an answer.
    EXPECT_TRUE(oHttp.OpenConnection("http://127.0.0.1:9/index.asp"));
    EXPECT_EQ(oProxy.Count("GET http://127.0.0.1:9/index.asp"), 1);
}

// Any HTTP reply from the site counts as a connection, an error page included: the update
// goes ahead. Only no reply at all stops it (above).
TEST_F(TransferTest, ErrorPageFromTheSiteStillLetsTheUpdateRun) {
    WriteFile(m_sRemote, GoodPriceFile(15000));
    clsTestServer oFtp(Ftp());
    clsTestServer oMissing({"http", "--root", QString::fromStdString(Path("web"))}); // 404
    clsTestServer oBroken({"http", "--status", "500"});
    ASSERT_GT(oFtp.Port(), 0);
    ASSERT_GT(oMissing.Port(), 0);
    ASSERT_GT(oBroken.Port(), 0);
    SetMachine("PriceServer", oFtp.Address());
    for (const clsTestServer* oWeb : {&oMissing, &oBroken}) {
        SCOPED_TRACE(oWeb->Address());
        WriteFile(m_sLocal, "old");
        SetMachine("WebSite", "http://" + oWeb->Address() + "/");
        const clsDownloadResult oResult = PerformDownloads();
        EXPECT_EQ(oResult.m_eOutcome, DownloadDone) << oResult.Describe();
        EXPECT_EQ(oWeb->Count("GET /index.asp"), 1);
        EXPECT_TRUE(ReadFile(m_sLocal) == GoodPriceFile(15000));
    }
    EXPECT_EQ(oFtp.Count("LOGIN gavelry"), 2);
}

TEST_F(TransferTest, HttpPageAndClosingAFreshObject) {
    clsHttp oFresh;
    oFresh.CloseConnection();
    EXPECT_EQ(LogLines(),
              (std::vector<std::string>{"Closing Http Session 1",
                                        "Closing Http Session 4 - okay (no fail point)",
                                        "Closing Internet Session 1",
                                        "Closing Internet Session 4 - okay (no fail point)"}));

    WriteFile(Path("web/page.txt"), SomeBytes(70000, 'p'));
    clsTestServer oWeb({"http", "--root", QString::fromStdString(Path("web"))});
    ASSERT_GT(oWeb.Port(), 0);
    clsHttp oHttp;
    ASSERT_TRUE(oHttp.OpenConnection("http://" + oWeb.Address() + "/page.txt"));
    ASSERT_TRUE(oHttp.StartHttpSession(oWeb.Address(), "", ""));
    const std::string sPage = oHttp.GetHeaderInfo("page.txt");
    std::string sExpected = SomeBytes(70000, 'p');
    EXPECT_EQ(sPage.size(), sExpected.size());
    EXPECT_TRUE(sPage == sExpected);
    EXPECT_EQ(LogLines().back(), "Getting header info 9 - okay (no fail point)");
}

TEST_F(TransferTest, APageOverOneMiBIsRefused) {
    WriteFile(Path("web/big.txt"), SomeBytes(clsHttp::kMaxDownloadBytes + 1, 'b'));
    clsTestServer oWeb({"http", "--root", QString::fromStdString(Path("web"))});
    ASSERT_GT(oWeb.Port(), 0);
    clsHttp oHttp;
    ASSERT_TRUE(oHttp.OpenConnection("http://" + oWeb.Address() + "/big.txt"));
    ASSERT_TRUE(oHttp.StartHttpSession(oWeb.Address(), "", ""));
    EXPECT_EQ(oHttp.GetHeaderInfo("big.txt"), "");
    EXPECT_EQ(oHttp.LastError(), "The remote file is larger: more than 1 MiB is refused");
}

// The price file a start would read now, loaded as the program loads it: whether it loads
// without a word and gives every price the region's fees need.
bool NextStartIsUsable() {
    std::vector<std::string> asMessages;
    SetShowMessageHandler([&](const std::string& sPrompt, int32_t, const std::string&) {
        asMessages.push_back(sPrompt);
        return MsgBox::ResultOK;
    });
    SetPrices(nullptr);
    bool bUsable = false;
    try {
        bUsable = CheckRequiredPrices(GetPrices(), GetRegion()).Passed();
    } catch (const clsError&) {
    }
    SetPrices(nullptr);
    SetShowMessageHandler(nullptr);
    return bUsable && asMessages.empty();
}

TEST_F(TransferTest, ADownloadThatIsNoGoodPriceFileLeavesTheOldOneAsItWas) {
    const std::string sGood = GoodPriceFile(0);
    std::string sNotANumber = sGood;
    sNotANumber.replace(sNotANumber.find("\nLocalTax,") + 10, 4, "abcd");
    const struct {
        const char* sCase;
        std::string sRemote;
        QStringList asServer;
        std::string sWhy; // the start of the reason in the log and the report
    } aoCases[] = {
        {"a name repeated in another case",
         sGood + "LOCALTAX,17.5\r\n",
         {},
         "The new price file does not load: Line "},
        {"an HTML page",
         "<html><body><h1>Not Found</h1>, sorry</body></html>\r\n",
         {},
         "The new price file lacks "},
        {"cut short, and its size says so", sGood.substr(0, 6000), {}, "The new price file lacks "},
        {"a price that is no number",
         sNotANumber,
         {},
         "The new price file lacks prices the fees need, or gives them without a number (1): "
         "LocalTax"},
        {"larger than 1 MiB",
         GoodPriceFile(clsHttp::kMaxDownloadBytes + 1),
         {},
         "The remote file is 1048577 bytes: more than 1 MiB is refused"},
        // The transfer library stops at the size the server gave: the server finds the
        // transfer aborted, or the file so cut short is refused.
        {"larger than its size says",
         GoodPriceFile(2 << 20),
         {"--size-answer", "6000"},
         "Server response: 426|The new price file lacks "},
        {"shorter than its size says",
         sGood.substr(0, 6000),
         {"--size-answer", "30000"},
         "Received 6000 of 30000 bytes|Transferred a partial file"},
    };
    const std::string sOld = GoodPriceFile(sGood.size() + 100);
    for (const auto& oCase : aoCases) {
        SCOPED_TRACE(oCase.sCase);
        WriteFile(m_sRemote, oCase.sRemote);
        WriteFile(m_sLocal, sOld);
        GetRegistry().DeleteValue(HKEY_CURRENT_USER, "Config", "FTPSkipFlag");
        clsTestServer oFtp(Ftp(oCase.asServer));
        ASSERT_GT(oFtp.Port(), 0);
        SetMachine("PriceServer", oFtp.Address());

        clsUpdateReport oReport;
        EXPECT_FALSE(Update(oReport));
        EXPECT_EQ(oReport.m_eOutcome, UpdateFailed);
        EXPECT_TRUE(ReadFile(m_sLocal) == sOld) << "the old file is kept byte for byte";
        EXPECT_FALSE(FileExists(m_sLocal + "_$Temp$_"));
        EXPECT_FALSE(FileExists(GetPriceBackupPath())) << "nothing was replaced";
        // The reason, one of those given ("a|b"), is in the report; a file refused for what
        // it is, not lost on the way, is named in the log too.
        const size_t nBar = oCase.sWhy.find('|');
        const std::string sWhy =
            nBar == std::string::npos ||
                    oReport.m_sReason.find("(" + oCase.sWhy.substr(0, nBar)) != std::string::npos
                ? oCase.sWhy.substr(0, nBar)
                : oCase.sWhy.substr(nBar + 1);
        EXPECT_NE(oReport.m_sReason.find("(" + sWhy), std::string::npos) << oReport.m_sReason;
        if (sWhy.rfind("The ", 0) == 0) {
            EXPECT_TRUE(std::any_of(m_asLog.begin(), m_asLog.end(), [&](const std::string& s) {
                return s.find("refused: " + sWhy) != std::string::npos;
            })) << "the log says why";
        }
        EXPECT_EQ(m_asLog.back(), "DL - Update file 10 - fail");
        EXPECT_TRUE(NextStartIsUsable());
    }
}

TEST_F(TransferTest, TheWholeUpdateEndsWithinItsTimeLimitWhateverTheServersDo) {
    // A web site that never answers and an FTP server that sends 2 bytes a second: neither
    // stalls by the one-byte-a-second rule, and neither holds the start past the limit.
    WriteFile(Path("web/index.asp"), "<html>up</html>");
    WriteFile(m_sRemote, GoodPriceFile(20000));
    const std::string sOld = GoodPriceFile(15000);
    WriteFile(m_sLocal, sOld);
    clsTestServer oWeb({"http", "--root", QString::fromStdString(Path("web"))});
    clsTestServer oSilent({"silent"});
    clsTestServer oFtp(Ftp({"--mode", "trickle"}));
    ASSERT_GT(oWeb.Port(), 0);
    ASSERT_GT(oSilent.Port(), 0);
    ASSERT_GT(oFtp.Port(), 0);
    SetMachine("PriceServer", oFtp.Address());
    SetUpdateTimeLimit(3000);
    for (const std::string& sSite : {"http://" + oSilent.Address(), "http://" + oWeb.Address()}) {
        SCOPED_TRACE(sSite);
        SetMachine("WebSite", sSite);
        GetRegistry().DeleteValue(HKEY_CURRENT_USER, "Config", "FTPSkipFlag");
        ClearLog();
        const auto tStart = Clock::now();
        const clsDownloadResult oResult = PerformDownloads();
        EXPECT_GE(Seconds(tStart), 2.9);
        EXPECT_LT(Seconds(tStart), 6.0);
        EXPECT_NE(oResult.m_sReason.find("Stopped after 3 s, the longest the transfers may take"),
                  std::string::npos)
            << oResult.Describe();
        EXPECT_TRUE(Contains(
            LogLines(), "Transfer stopped: Stopped after 3 s, the longest the transfers may take"));
        EXPECT_TRUE(ReadFile(m_sLocal) == sOld);
        EXPECT_FALSE(FileExists(m_sLocal + "_$Temp$_"));
        EXPECT_TRUE(NextStartIsUsable());
    }
    EXPECT_EQ(oFtp.Count("RETR"), 1) << "the trickle was under way when the time ran out";
    SetUpdateTimeLimit(kUpdateTimeLimit);
}

TEST_F(TransferTest, AGoodDownloadKeepsTheFileItReplacesAsTheBackupForTheNextStart) {
    const std::string sOld = GoodPriceFile(15000);
    const std::string sNew = GoodPriceFile(20000);
    WriteFile(m_sLocal, sOld);
    WriteFile(m_sRemote, sNew);
    clsTestServer oFtp(Ftp());
    ASSERT_GT(oFtp.Port(), 0);
    SetMachine("PriceServer", oFtp.Address());
    clsUpdateReport oReport;
    ASSERT_TRUE(Update(oReport));
    EXPECT_EQ(oReport.m_eOutcome, UpdateDownloaded);
    EXPECT_TRUE(ReadFile(m_sLocal) == sNew);
    EXPECT_TRUE(ReadFile(GetPriceBackupPath()) == sOld);

    // The price file is spoilt afterwards (a hand edit repeats a name): the next start uses
    // the backup and says so, once; with no backup, the file shipped with the program.
    WriteFile(m_sLocal, sNew + "LocalTax,15\r\n");
    std::vector<std::string> asMessages;
    SetShowMessageHandler([&](const std::string& sPrompt, int32_t lButtons, const std::string&) {
        asMessages.push_back(sPrompt);
        EXPECT_EQ(lButtons, MsgBox::Exclamation);
        return MsgBox::ResultOK;
    });
    SetPrices(nullptr);
    EXPECT_TRUE(CheckRequiredPrices(GetPrices(), GetRegion()).Passed());
    EXPECT_EQ(GetPricesSource(), GetPriceBackupPath());
    ASSERT_EQ(asMessages.size(), 1u);
    EXPECT_EQ(asMessages[0], "Error opening file " + m_sLocal + "\r\n\r\nLine " +
                                 std::to_string(std::count(sNew.begin(), sNew.end(), '\n') + 1) +
                                 " gives the name \"LocalTax\" a second time\r\n\r\nGavelry UK "
                                 "uses the last good copy of the price file instead (" +
                                 GetPriceBackupPath() + ").");

    std::remove(GetPriceBackupPath().c_str());
    const std::string sShipped = Path("shipped/" + GetPriceFilePath(true));
    QDir().mkpath(QString::fromStdString(Path("shipped")));
    WriteFile(sShipped, sOld);
    SetPriceFileFolder(Path("bin"));
    SetProgramFolder(Path("shipped"));
    SetPrices(nullptr);
    EXPECT_TRUE(CheckRequiredPrices(GetPrices(), GetRegion()).Passed());
    EXPECT_EQ(GetPricesSource(), sShipped);
    ASSERT_EQ(asMessages.size(), 2u);
    EXPECT_NE(asMessages[1].find("uses the price file shipped with the program instead (" +
                                 sShipped + ")."),
              std::string::npos);
    EXPECT_TRUE(ReadFile(m_sLocal) == sNew + "LocalTax,15\r\n") << "the user's file is left alone";
    SetPriceFileFolder("");
    SetPrices(nullptr);
    SetShowMessageHandler(nullptr);
}

} // namespace
