#include "TestSupport.h"

#include "basHex.h"
#include "basSettings.h"
#include "clsError.h"
#include "clsRegistryAccess.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <chrono>
#include <cstdio>
#include <filesystem>

namespace {

class RegistryTest : public clsAppTest {
protected:
    void SetUp() override {
        clsAppTest::SetUp();
        m_oReg.FullApplicationRegKey("Software\\Tessary\\Gavelry UK");
    }

    // A value as another program would see it in the hive's file.
    QVariant Raw(RegHive hKey, const QString& sKey) const {
        QSettings oRaw(QString::fromStdString(clsRegistryAccess::HiveFilePath(hKey)),
                       QSettings::IniFormat);
        return oRaw.value(sKey);
    }

    clsRegistryAccess m_oReg;
};

TEST_F(RegistryTest, HivesLiveInTheConfigFolder) {
    EXPECT_EQ(clsRegistryAccess::HiveFilePath(HKEY_CURRENT_USER), Path("config/user.ini"));
    EXPECT_EQ(clsRegistryAccess::HiveFilePath(HKEY_LOCAL_MACHINE), Path("config/machine.ini"));
}

TEST_F(RegistryTest, MissingValueIsCreatedOnlyWhenAsked) {
    std::string sResult = "old";
    EXPECT_FALSE(m_oReg.GetRegSetting(HKEY_CURRENT_USER, "Config", "StartMode", sResult, "0"));
    EXPECT_EQ(sResult, "0");
    EXPECT_FALSE(FileExists(Path("config/user.ini"))) << "a read without create writes nothing";

    EXPECT_TRUE(m_oReg.GetRegSetting(HKEY_CURRENT_USER, "Config", "StartMode", sResult, "0", true));
    EXPECT_EQ(sResult, "0");
    EXPECT_EQ(Raw(HKEY_CURRENT_USER, "Software/Tessary/Gavelry UK/Config/StartMode").toString(),
              "0");

    m_oReg.SetRegSetting(HKEY_CURRENT_USER, "Config", "StartMode", "1");
    EXPECT_TRUE(m_oReg.GetRegSetting(HKEY_CURRENT_USER, "Config", "StartMode", sResult, "0", true));
    EXPECT_EQ(sResult, "1");
}

TEST_F(RegistryTest, SectionsResolveBelowTheApplicationKeyOrAbsolutely) {
    EXPECT_TRUE(m_oReg.SetRegSetting(HKEY_CURRENT_USER, "", "AtRoot", "r"));
    EXPECT_TRUE(m_oReg.SetRegSetting(HKEY_CURRENT_USER, "Controls\\Outlay", "Top", "360"));
    EXPECT_TRUE(m_oReg.SetRegSetting(HKEY_LOCAL_MACHINE, "Software\\Tessary\\Pennock\\FTP",
                                     "ProxyName", "proxy:3128", true));
    EXPECT_EQ(Raw(HKEY_CURRENT_USER, "Software/Tessary/Gavelry UK/AtRoot").toString(), "r");
    EXPECT_EQ(Raw(HKEY_CURRENT_USER, "Software/Tessary/Gavelry UK/Controls/Outlay/Top"), "360");
    EXPECT_EQ(Raw(HKEY_LOCAL_MACHINE, "Software/Tessary/Pennock/FTP/ProxyName"), "proxy:3128");

    std::string s;
    EXPECT_TRUE(m_oReg.GetRegSettingString(HKEY_CURRENT_USER, s, "Top", "Controls\\Outlay"));
    EXPECT_EQ(s, "360");
    // The hives are separate stores.
    EXPECT_FALSE(m_oReg.GetRegSetting(HKEY_CURRENT_USER, "Software\\Tessary\\Pennock\\FTP",
                                      "ProxyName", s, "none", false, true));
    EXPECT_EQ(s, "none");
    EXPECT_TRUE(m_oReg.SetRegSettingString(HKEY_CURRENT_USER, "v", "Name", "Wizard"));
    EXPECT_TRUE(m_oReg.GetRegSetting(HKEY_CURRENT_USER, "Software\\Tessary\\Gavelry UK\\Wizard",
                                     "Name", s, "", false, true));
    EXPECT_EQ(s, "v");
}

TEST_F(RegistryTest, HandWrittenFileIsRead) {
    QDir().mkpath(QString::fromStdString(Path("config")));
    WriteFile(Path("config/machine.ini"), "[Software/Tessary/Gavelry UK/Config]\n"
                                          "PriceServer=127.0.0.1:2121\n"
                                          "About=\"Hello, world\"\n"
                                          "Visible=a,b,c\n"
                                          "[Software/Tessary/Pennock/FTP]\n"
                                          "ProxyName=proxy.example:8080\n");
    std::string s;
    EXPECT_TRUE(m_oReg.GetRegSetting(HKEY_LOCAL_MACHINE, "Config", "PriceServer", s));
    EXPECT_EQ(s, "127.0.0.1:2121");
    EXPECT_TRUE(m_oReg.GetRegSetting(HKEY_LOCAL_MACHINE, "Config", "About", s));
    EXPECT_EQ(s, "Hello, world");
    EXPECT_TRUE(m_oReg.GetRegSetting(HKEY_LOCAL_MACHINE, "Config", "Visible", s));
    EXPECT_EQ(s, "a,b,c") << "an unquoted list comes back as written";
    EXPECT_TRUE(m_oReg.GetRegSetting(HKEY_LOCAL_MACHINE, "Software\\Tessary\\Pennock\\FTP",
                                     "ProxyName", s, "", false, true));
    EXPECT_EQ(s, "proxy.example:8080");
}

TEST_F(RegistryTest, OddValuesRoundTripThroughTheFile) {
    const std::vector<std::string> asValues = {"",
                                               "a,b,c",
                                               "x=y",
                                               "C:\\Auctions\\new",
                                               " lead and trail ",
                                               "\"quoted\"",
                                               "; not a comment",
                                               "#hash",
                                               "@Invalid()",
                                               "@ByteArray(x)",
                                               "two\nlines\r\n",
                                               "tab\there",
                                               "£ 1,234.50 €",
                                               "[Config]",
                                               "%20",
                                               std::string("nul\0inside", 10),
                                               "\xff\xfe not UTF-8"};
    for (size_t i = 0; i < asValues.size(); ++i)
        ASSERT_TRUE(m_oReg.SetRegSetting(HKEY_CURRENT_USER, "Controls\\Odd",
                                         "V" + std::to_string(i), asValues[i]));
    // A copy under another name is parsed afresh from the disk.
    QDir().mkpath(QString::fromStdString(Path("copy")));
    ASSERT_TRUE(QFile::copy(QString::fromStdString(Path("config/user.ini")),
                            QString::fromStdString(Path("copy/user.ini"))));
    qputenv("GAVELRY_CONFIG_DIR", QFile::encodeName(QString::fromStdString(Path("copy"))));
    for (size_t i = 0; i < asValues.size(); ++i) {
        std::string s = "unset";
        EXPECT_TRUE(
            m_oReg.GetRegSetting(HKEY_CURRENT_USER, "Controls\\Odd", "V" + std::to_string(i), s));
        EXPECT_EQ(s, asValues[i]) << "value " << i;
    }
}

TEST_F(RegistryTest, CorruptFileGivesDefaultsAndIsLeftAlone) {
    QDir().mkpath(QString::fromStdString(Path("config")));
    for (const std::string& sCorrupt :
         {std::string("[Software/Tessary/Gavelry UK/Config\nStartMode=1\n"),
          std::string("[Config]\nStartMode\n"), std::string("\xff\xfe\0\x01garbage\n=\n", 14)}) {
        WriteFile(Path("config/user.ini"), sCorrupt);
        std::string s;
        EXPECT_FALSE(m_oReg.GetRegSetting(HKEY_CURRENT_USER, "Config", "StartMode", s, "0", true));
        EXPECT_EQ(s, "0");
        EXPECT_FALSE(m_oReg.SetRegSetting(HKEY_CURRENT_USER, "Config", "StartMode", "1"));
        m_oReg.DeleteValue(HKEY_CURRENT_USER, "Config", "StartMode");
        EXPECT_EQ(ReadFile(Path("config/user.ini")), sCorrupt);
        // The other hive is unaffected.
        EXPECT_TRUE(m_oReg.SetRegSetting(HKEY_LOCAL_MACHINE, "Config", "About", "a"));
    }
}

TEST_F(RegistryTest, ReadsComeFromAParsedCopyThatFollowsTheFile) {
    // Reads are answered from one parsed copy of the file; a change by another program, even
    // one that keeps the size, and this program's own writes are seen at the next read.
    ASSERT_TRUE(m_oReg.SetRegSetting(HKEY_CURRENT_USER, "Config", "StartMode", "1"));
    std::string s;
    ASSERT_TRUE(m_oReg.GetRegSetting(HKEY_CURRENT_USER, "Config", "StartMode", s));
    EXPECT_EQ(s, "1");
    const std::string sFile = Path("config/user.ini");
    std::string sText = ReadFile(sFile);
    const size_t nAt = sText.find("StartMode=1");
    ASSERT_NE(nAt, std::string::npos) << sText;
    sText[nAt + 10] = '2';
    WriteFile(sFile, sText);
    // The other program writes a moment later: within one tick of the file system's clock
    // the change could not be told from this program's own write.
    std::filesystem::last_write_time(sFile, std::filesystem::last_write_time(sFile) +
                                                std::chrono::seconds(1));
    ASSERT_TRUE(m_oReg.GetRegSetting(HKEY_CURRENT_USER, "Config", "StartMode", s));
    EXPECT_EQ(s, "2");
    ASSERT_TRUE(m_oReg.SetRegSetting(HKEY_CURRENT_USER, "Config", "Other", "x"));
    EXPECT_EQ(Raw(HKEY_CURRENT_USER, "Software/Tessary/Gavelry UK/Config/StartMode").toString(),
              "2")
        << "a write keeps what the other program wrote";
    std::remove(sFile.c_str());
    EXPECT_FALSE(m_oReg.GetRegSetting(HKEY_CURRENT_USER, "Config", "StartMode", s, "gone"));
    EXPECT_EQ(s, "gone");
}

TEST_F(RegistryTest, UnwritableStoreReportsFalseAndReadsDefaults) {
    WriteFile(Path("blocker"), "a file where a folder should be");
    qputenv("GAVELRY_CONFIG_DIR", QFile::encodeName(QString::fromStdString(Path("blocker/sub"))));
    EXPECT_FALSE(m_oReg.SetRegSetting(HKEY_CURRENT_USER, "Config", "StartMode", "1"));
    std::string s;
    EXPECT_FALSE(m_oReg.GetRegSetting(HKEY_CURRENT_USER, "Config", "StartMode", s, "0", true));
    EXPECT_EQ(s, "0");
    m_oReg.DeleteValue(HKEY_CURRENT_USER, "Config", "StartMode");
}

TEST_F(RegistryTest, DeleteValueRemovesOnlyThatValue) {
    m_oReg.SetRegSetting(HKEY_CURRENT_USER, "Config", "A", "1");
    m_oReg.SetRegSetting(HKEY_CURRENT_USER, "Config", "B", "2");
    m_oReg.DeleteValue(HKEY_CURRENT_USER, "Config", "A");
    m_oReg.DeleteValue(HKEY_CURRENT_USER, "Config", "Missing");
    m_oReg.DeleteValue(HKEY_CURRENT_USER, "No\\Such\\Key", "A");
    std::string s;
    EXPECT_FALSE(m_oReg.GetRegSetting(HKEY_CURRENT_USER, "Config", "A", s, "gone"));
    EXPECT_EQ(s, "gone");
    EXPECT_TRUE(m_oReg.GetRegSetting(HKEY_CURRENT_USER, "Config", "B", s));
    EXPECT_EQ(s, "2");
}

TEST(HexTest, EncodesSixteenBitCodes) {
    EXPECT_EQ(HexEncode(""), "");
    EXPECT_EQ(HexEncode("A"), "0041");
    EXPECT_EQ(HexEncode("£|\n"), "00A3007C000A");
    EXPECT_EQ(HexEncode("\xF0\x9F\x94\xA8"), "D83DDD28") << "outside the 16-bit range: a pair";
    EXPECT_EQ(HexDecode("00410062"), "Ab");
    EXPECT_EQ(HexDecode("41"), "A") << "a short last group";
    for (const std::string& s : {std::string(""), std::string("[TYPE]|1|True|,=\\"),
                                 std::string("£ € \xF0\x9F\x94\xA8"), std::string("a\0b", 3)})
        EXPECT_EQ(HexDecode(HexEncode(s)), s);
    EXPECT_THROW(HexDecode("00G1"), clsError);
    EXPECT_THROW(HexDecode("-041"), clsError);
}

TEST_F(RegistryTest, BinaryValuesAreStoredHexEncoded) {
    EXPECT_TRUE(m_oReg.SetRegSettingBin(HKEY_CURRENT_USER, "Config", "Bin", "A|B"));
    EXPECT_EQ(Raw(HKEY_CURRENT_USER, "Software/Tessary/Gavelry UK/Config/Bin").toString(),
              "0041007C0042");
    std::string s;
    EXPECT_TRUE(m_oReg.GetRegSettingBin(HKEY_CURRENT_USER, "Config", "Bin", s));
    EXPECT_EQ(s, "A|B");

    // A created default is stored encoded and read back as given.
    EXPECT_TRUE(m_oReg.GetRegSettingBin(HKEY_CURRENT_USER, "Config", "New", s, "xyz", true));
    EXPECT_EQ(s, "xyz");
    EXPECT_TRUE(m_oReg.GetRegSettingBin(HKEY_CURRENT_USER, "Config", "New", s, "other", true));
    EXPECT_EQ(s, "xyz");
    EXPECT_FALSE(m_oReg.GetRegSettingBin(HKEY_CURRENT_USER, "Config", "Absent", s, "d"));
    EXPECT_EQ(s, "d");
}

} // namespace
