#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <string>
#include <vector>

// Each test gets its own settings folder (GAVELRY_CONFIG_DIR), program folder and
// diagnostic log, so that it never touches the real user's settings or files.
class clsAppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string Path(const std::string& sName) const;
    // The comments of the diagnostic log, without header and time stamps.
    std::vector<std::string> LogLines() const;
    void ClearLog() const;

    QTemporaryDir m_oDir;
};

void WriteFile(const std::string& sPath, const std::string& sBytes);
std::string ReadFile(const std::string& sPath);
bool FileExists(const std::string& sPath);
// sCount bytes of varied content.
std::string SomeBytes(size_t nCount, char cSeed);
// The edition's shipped price file, padded with remark lines to exactly nBytes (at least
// its own size): a good price file of a chosen size.
std::string GoodPriceFile(size_t nBytes);

// A loopback server (tests/app/test_servers.py) for one test; always stopped with it.
class clsTestServer {
public:
    explicit clsTestServer(const QStringList& asArgs);
    ~clsTestServer();
    clsTestServer(const clsTestServer&) = delete;
    clsTestServer& operator=(const clsTestServer&) = delete;

    int Port() const { return m_nPort; }
    std::string Address() const { return "127.0.0.1:" + std::to_string(m_nPort); }
    // The events the server logged so far ("CONNECT", "LOGIN gavelry", "RETR name" ...).
    std::vector<std::string> Events() const;
    int Count(const std::string& sPrefix) const;
    // Count, after waiting up to five seconds for nAtLeast such events (the server may log
    // an event just after it answered).
    int WaitCount(const std::string& sPrefix, int nAtLeast) const;

private:
    QTemporaryDir m_oDir;
    QProcess m_oProcess;
    int m_nPort = 0;
};

// True when sLine is in asLines.
bool Contains(const std::vector<std::string>& asLines, const std::string& sLine);
// The lines from the first that starts with sFrom, up to and including the first after it
// that starts with sTo.
std::vector<std::string> Between(const std::vector<std::string>& asLines, const std::string& sFrom,
                                 const std::string& sTo);
