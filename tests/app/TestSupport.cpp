#include "TestSupport.h"

#include "basCommon.h"
#include "basMain.h"
#include "basSettings.h"
#include "clsHttp.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <signal.h>
#include <sstream>
#include <sys/prctl.h>

void clsAppTest::SetUp() {
    ASSERT_TRUE(m_oDir.isValid());
    qputenv("GAVELRY_CONFIG_DIR", QFile::encodeName(m_oDir.filePath("config")));
    SetProgramFolder(Path("bin"));
    QDir().mkpath(QString::fromStdString(Path("bin")));
    SetLogFilePath(Path("GvDebug.log"));
    g_bDebug = true;
    ResetLastFolder();
    clsHttp::SetTimeLimits(10000, 15);
}

void clsAppTest::TearDown() {
    g_bDebug = false;
    clsHttp::SetConnectedStateHandler({});
    clsHttp::SetTimeLimits(10000, 15);
    ResetLastFolder();
    qunsetenv("GAVELRY_CONFIG_DIR");
}

std::string clsAppTest::Path(const std::string& sName) const {
    return m_oDir.filePath(QString::fromStdString(sName)).toStdString();
}

std::vector<std::string> clsAppTest::LogLines() const {
    std::vector<std::string> asLines;
    std::istringstream oIn(ReadFile(GetLogFilePath()));
    std::string sLine;
    bool bBody = false;
    while (std::getline(oIn, sLine)) {
        if (!sLine.empty() && sLine.back() == '\r') sLine.pop_back();
        if (!bBody) {
            bBody = sLine.rfind("Date       Time", 0) == 0;
            continue;
        }
        // "yyyy-mm-dd hh:mm:ss  " in front of each comment.
        asLines.push_back(sLine.size() > 21 ? sLine.substr(21) : std::string());
    }
    return asLines;
}

void clsAppTest::ClearLog() const {
    std::remove(GetLogFilePath().c_str());
}

void WriteFile(const std::string& sPath, const std::string& sBytes) {
    std::ofstream oOut(sPath, std::ios::binary | std::ios::trunc);
    oOut << sBytes;
}

std::string ReadFile(const std::string& sPath) {
    std::ifstream oIn(sPath, std::ios::binary);
    std::ostringstream oText;
    oText << oIn.rdbuf();
    return oText.str();
}

bool FileExists(const std::string& sPath) {
    return QFile::exists(QString::fromStdString(sPath));
}

std::string SomeBytes(size_t nCount, char cSeed) {
    std::string s(nCount, '\0');
    for (size_t i = 0; i < nCount; ++i)
        s[i] = static_cast<char>(cSeed + (i * 7) % 251);
    return s;
}

std::string GoodPriceFile(size_t nBytes) {
    std::string sText = ReadFile(GAVELRY_APP_TEST_DIR "/../../data/" + GetPriceFilePath(true));
    while (sText.size() < nBytes) {
        // "; " and a line end around each remark; the last one takes what is left.
        const size_t nRemark = std::min<size_t>(nBytes - sText.size(), 80);
        sText +=
            nRemark < 4 ? std::string(nRemark, ';') : "; " + std::string(nRemark - 4, '-') + "\r\n";
    }
    return sText;
}

clsTestServer::clsTestServer(const QStringList& asArgs) {
    m_oProcess.setProgram(QStringLiteral("/usr/bin/python3"));
    m_oProcess.setArguments(QStringList{QStringLiteral(GAVELRY_APP_TEST_DIR "/test_servers.py")} +
                            asArgs + QStringList{"--log", m_oDir.filePath("events.log")});
    m_oProcess.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The server dies with the test, even when the test itself is killed.
    m_oProcess.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
    m_oProcess.start();
    if (!m_oProcess.waitForStarted(10000)) return;
    QByteArray abOut;
    while (!abOut.contains('\n') && m_oProcess.waitForReadyRead(10000))
        abOut += m_oProcess.readAllStandardOutput();
    const QList<QByteArray> aWords = abOut.trimmed().split(' ');
    if (aWords.size() == 2 && aWords[0] == "PORT") m_nPort = aWords[1].toInt();
}

clsTestServer::~clsTestServer() {
    if (m_oProcess.state() != QProcess::NotRunning) {
        m_oProcess.kill();
        m_oProcess.waitForFinished(5000);
    }
}

std::vector<std::string> clsTestServer::Events() const {
    std::vector<std::string> asEvents;
    std::istringstream oIn(ReadFile(m_oDir.filePath("events.log").toStdString()));
    std::string sLine;
    while (std::getline(oIn, sLine))
        asEvents.push_back(sLine);
    return asEvents;
}

int clsTestServer::Count(const std::string& sPrefix) const {
    int n = 0;
    for (const std::string& s : Events())
        n += s.rfind(sPrefix, 0) == 0 ? 1 : 0;
    return n;
}

int clsTestServer::WaitCount(const std::string& sPrefix, int nAtLeast) const {
    for (int i = 0; i < 100 && Count(sPrefix) < nAtLeast; ++i)
        QThread::msleep(50);
    return Count(sPrefix);
}

bool Contains(const std::vector<std::string>& asLines, const std::string& sLine) {
    return std::find(asLines.begin(), asLines.end(), sLine) != asLines.end();
}

std::vector<std::string> Between(const std::vector<std::string>& asLines, const std::string& sFrom,
                                 const std::string& sTo) {
    std::vector<std::string> asOut;
    bool bIn = false;
    for (const std::string& s : asLines) {
        if (!bIn && s.rfind(sFrom, 0) == 0) bIn = true;
        if (bIn) {
            asOut.push_back(s);
            if (asOut.size() > 1 && s.rfind(sTo, 0) == 0) break;
        }
    }
    return asOut;
}
