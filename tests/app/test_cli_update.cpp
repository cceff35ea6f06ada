// gavelry-calc --update-prices, run as a separate program against loopback servers.
#include "TestSupport.h"

#include "basCommon.h"
#include "basSettings.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <memory>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class CliUpdateTest : public clsAppTest {
protected:
    void SetUp() override {
        clsAppTest::SetUp();
        for (const char* sName :
             {"http_proxy", "HTTP_PROXY", "ftp_proxy", "FTP_PROXY", "all_proxy", "ALL_PROXY"})
            qunsetenv(sName);
        // The calculator updates the price file beside itself: give it a folder of its own,
        // with the program it runs for the update beside it, as in a build folder.
        QDir().mkpath(QString::fromStdString(Path("calc")));
        QDir().mkpath(QString::fromStdString(Path("remote")));
        QDir().mkpath(QString::fromStdString(Path("web")));
        m_sCalc = Path("calc/gavelry-calc");
        ASSERT_TRUE(QFile::copy(GAVELRY_CALC, QString::fromStdString(m_sCalc)));
        ASSERT_TRUE(QFile::copy(GAVELRY_UPDATER,
                                QString::fromStdString(Path("calc/gavelry-update-prices"))));
        m_sLocal = Path("calc/UpdateUK_v0102.dat");
        m_sRemote = Path("remote/UpdateUK_v0102.dat");
    }

    // Runs the calculator with the arguments; standard output and the exit code.
    std::pair<std::string, int> Calc(const QStringList& asArgs) {
        QProcess oProcess;
        oProcess.start(QString::fromStdString(m_sCalc), asArgs);
        EXPECT_TRUE(oProcess.waitForFinished(30000));
        return {oProcess.readAllStandardOutput().toStdString(), oProcess.exitCode()};
    }

    // The maker's web site and FTP server on loopback, named in the machine-wide settings.
    void StartServers() {
        WriteFile(Path("web/index.asp"), "<html>up</html>");
        m_oWeb = std::make_unique<clsTestServer>(
            QStringList{"http", "--root", QString::fromStdString(Path("web"))});
        m_oFtp = std::make_unique<clsTestServer>(
            QStringList{"ftp", "--root", QString::fromStdString(Path("remote"))});
        ASSERT_GT(m_oWeb->Port(), 0);
        ASSERT_GT(m_oFtp->Port(), 0);
        ASSERT_TRUE(GetRegistry().SetRegSetting(HKEY_LOCAL_MACHINE, "Config", "WebSite",
                                                "http://" + m_oWeb->Address()));
        ASSERT_TRUE(GetRegistry().SetRegSetting(HKEY_LOCAL_MACHINE, "Config", "PriceServer",
                                                m_oFtp->Address()));
    }

    std::string m_sCalc, m_sLocal, m_sRemote;
    std::unique_ptr<clsTestServer> m_oWeb, m_oFtp;
};

TEST_F(CliUpdateTest, DownloadsOnceThenFindsTheFileUpToDate) {
    WriteFile(m_sRemote, GoodPriceFile(15000));
    WriteFile(m_sLocal, "Old,1\r\n");
    StartServers();

    auto [sOut, nExit] = Calc({"--update-prices", "debug=true"});
    EXPECT_EQ(sOut, "downloaded 15000 bytes\n");
    EXPECT_EQ(nExit, 0);
    EXPECT_EQ(ReadFile(m_sLocal), ReadFile(m_sRemote));
    EXPECT_NE(ReadFile(Path("calc/GvDebug.log")).find("Open internet connection 1"),
              std::string::npos);

    std::tie(sOut, nExit) = Calc({"--update-prices"});
    EXPECT_EQ(sOut, "up to date\n");
    EXPECT_EQ(nExit, 0);
    EXPECT_EQ(m_oFtp->Count("RETR"), 1);
}

// A folder no file can be created in, even by root (a read-only bind mount over it); false
// when it cannot be made so.
class clsReadOnlyFolder {
public:
    explicit clsReadOnlyFolder(const std::string& sPath) : m_sPath(sPath) {
        if (::geteuid() != 0) {
            m_bReadOnly = ::chmod(sPath.c_str(), 0555) == 0;
            return;
        }
        m_bMounted = ::mount(sPath.c_str(), sPath.c_str(), nullptr, MS_BIND, nullptr) == 0;
        m_bReadOnly = m_bMounted && ::mount(nullptr, sPath.c_str(), nullptr,
                                            MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    }
    ~clsReadOnlyFolder() {
        if (m_bMounted) ::umount2(m_sPath.c_str(), MNT_DETACH);
        if (::geteuid() != 0) ::chmod(m_sPath.c_str(), 0755);
    }
    bool IsReadOnly() const { return m_bReadOnly; }

private:
    std::string m_sPath;
    bool m_bMounted = false;
    bool m_bReadOnly = false;
};

TEST_F(CliUpdateTest, AReadOnlyProgramFolderUpdatesTheCopyInTheUsersDataFolder) {
    WriteFile(m_sRemote, GoodPriceFile(15000));
    WriteFile(m_sLocal, GoodPriceFile(13000)); // the shipped file, beside the calculator
    StartServers();
    clsReadOnlyFolder oReadOnly(Path("calc"));
    if (!oReadOnly.IsReadOnly()) GTEST_SKIP() << "no folder can be made read-only here";

    QProcess oProcess;
    QProcessEnvironment oEnvironment = QProcessEnvironment::systemEnvironment();
    oEnvironment.insert("XDG_DATA_HOME", QString::fromStdString(Path("data")));
    oProcess.setProcessEnvironment(oEnvironment);
    oProcess.start(QString::fromStdString(m_sCalc), {"--update-prices", "DEBUG=TRUE"});
    ASSERT_TRUE(oProcess.waitForFinished(30000));
    EXPECT_EQ(oProcess.readAllStandardOutput().toStdString(), "downloaded 15000 bytes\n");
    EXPECT_EQ(oProcess.exitCode(), 0);
    const std::string sData = Path("data/Tessary/Gavelry UK/");
    EXPECT_TRUE(ReadFile(sData + "UpdateUK_v0102.dat") == GoodPriceFile(15000));
    EXPECT_TRUE(ReadFile(sData + "UpdateUK_v0102.dat.bak") == GoodPriceFile(13000))
        << "the shipped copy it replaced is the backup";
    EXPECT_NE(ReadFile(sData + "GvDebug.log").find("DL - Update file 9 - okay"), std::string::npos);
    EXPECT_TRUE(ReadFile(m_sLocal) == GoodPriceFile(13000));
}

TEST_F(CliUpdateTest, UnreachableSiteFails) {
    ASSERT_TRUE(GetRegistry().SetRegSetting(HKEY_LOCAL_MACHINE, "Config", "WebSite",
                                            "http://127.0.0.1:9/"));
    WriteFile(m_sLocal, "Old,1\r\n");
    const auto [sOut, nExit] = Calc({"--update-prices"});
    EXPECT_EQ(sOut.rfind("failed: ", 0), 0u) << sOut;
    EXPECT_EQ(nExit, 1);
    EXPECT_EQ(ReadFile(m_sLocal), "Old,1\r\n");
}

} // namespace
