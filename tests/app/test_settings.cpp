#include "TestSupport.h"

#include "basCommon.h"
#include "basMain.h"
#include "basSettings.h"
#include "basStartup.h"
#include "clsError.h"

#include <QDir>

namespace {

using SettingsTest = clsAppTest;

std::string UserValue(const std::string& sSection, const std::string& sName) {
    std::string s = "<absent>";
    GetRegistry().GetRegSetting(HKEY_CURRENT_USER, sSection, sName, s, "<absent>");
    return s;
}

TEST_F(SettingsTest, SharedStoreUsesTheApplicationKey) {
    EXPECT_EQ(&GetRegistry(), &GetRegistry());
    GetRegistry().SetRegSetting(HKEY_CURRENT_USER, "Config", "MusicID", "music=2");
    std::string s;
    EXPECT_TRUE(GetRegistry().GetRegSetting(
        HKEY_CURRENT_USER, "Software\\Tessary\\Gavelry UK\\Config", "MusicID", s, "", false, true));
    EXPECT_EQ(s, "music=2");
}

TEST_F(SettingsTest, LastFolderDefaultsToMyAuctionsInTheDocumentsFolder) {
    const QByteArray abHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(QString::fromStdString(Path("home"))));
    const std::string sFirst = GetLastFolder();
    qputenv("HOME", abHome);
    EXPECT_EQ(sFirst, Path("home/Documents/My Auctions"));
    EXPECT_EQ(UserValue("Config", "LastFolder"), "<absent>") << "the default is not written";

    SetLastFolder("/srv/auctions");
    EXPECT_EQ(GetLastFolder(), "/srv/auctions");
    ResetLastFolder(); // as after a restart
    EXPECT_EQ(GetLastFolder(), "/srv/auctions");
}

TEST_F(SettingsTest, ColoursAreReadWithoutBeingCreated) {
    EXPECT_EQ(GetSubtotalColour(), 33023);
    EXPECT_EQ(GetTotalColour(), 12648384);
    EXPECT_EQ(UserValue("Config", "SubtotalColour"), "<absent>");
    GetRegistry().SetRegSetting(HKEY_CURRENT_USER, "Config", "TotalColour", "255");
    EXPECT_EQ(GetTotalColour(), 255);
    GetRegistry().SetRegSetting(HKEY_CURRENT_USER, "Config", "SubtotalColour", "red");
    EXPECT_THROW(GetSubtotalColour(), clsError);
}

TEST_F(SettingsTest, FormPlacementRoundTripsAndKeepsDesignValuesForBadText) {
    SaveFormPlacement("frmMain", {100, 200, 7000, 9000, 0});
    EXPECT_EQ(UserValue("Forms\\Main", "Height"), "7000");
    clsFormPlacement oLoaded;
    LoadFormPlacement("frmMain", oLoaded);
    EXPECT_EQ(oLoaded.m_lTop, 100);
    EXPECT_EQ(oLoaded.m_lLeft, 200);
    EXPECT_EQ(oLoaded.m_lHeight, 7000);
    EXPECT_EQ(oLoaded.m_lWidth, 9000);

    GetRegistry().SetRegSetting(HKEY_CURRENT_USER, "Forms\\Main", "Top", "abc");
    GetRegistry().SetRegSetting(HKEY_CURRENT_USER, "Forms\\Main", "Left", "300");
    GetRegistry().SetRegSetting(HKEY_CURRENT_USER, "Forms\\Main", "Height", "99999999999");
    GetRegistry().SetRegSetting(HKEY_CURRENT_USER, "Forms\\Main", "WindowState", "1");
    clsFormPlacement oDesign{11, 22, 33, 44, 0};
    EXPECT_TRUE(LoadFormPlacement("frmMain", oDesign));
    EXPECT_EQ(oDesign.m_lTop, 11);
    EXPECT_EQ(oDesign.m_lLeft, 300);
    EXPECT_EQ(oDesign.m_lHeight, 33) << "out of range";
    EXPECT_EQ(oDesign.m_lWidth, 9000);
    EXPECT_EQ(oDesign.m_lWindowState, 1);

    clsFormPlacement oUnknown{1, 2, 3, 4, 2};
    EXPECT_FALSE(LoadFormPlacement("frmNeverSaved", oUnknown)) << "never stored";
    EXPECT_EQ(oUnknown.m_lTop, 1);
    EXPECT_EQ(oUnknown.m_lWindowState, 2);
}

TEST(StripFormPrefixTest, DropsOnlyTheLowerCasePrefix) {
    EXPECT_EQ(StripFormPrefix("frmMain"), "Main");
    EXPECT_EQ(StripFormPrefix("Main"), "Main");
    EXPECT_EQ(StripFormPrefix("FRMMain"), "FRMMain");
    EXPECT_EQ(StripFormPrefix("frm"), "");
}

TEST_F(SettingsTest, SystemDefaultsReadSnapStepAndAboutText) {
    g_lSnapToGrid = 7;
    SetSystemDefaults();
    EXPECT_EQ(g_lSnapToGrid, 120);
    EXPECT_EQ(UserValue("Config", "SnapToGrid"), "120") << "created when missing";
    EXPECT_EQ(g_sAboutText, DefaultAboutText());

    GetRegistry().SetRegSetting(HKEY_CURRENT_USER, "Config", "SnapToGrid", "240");
    GetRegistry().SetRegSetting(HKEY_LOCAL_MACHINE, "Config", "About", "Site message");
    SetSystemDefaults();
    EXPECT_EQ(g_lSnapToGrid, 240);
    EXPECT_EQ(g_sAboutText, "Site message");

    GetRegistry().SetRegSetting(HKEY_CURRENT_USER, "Config", "SnapToGrid", "abc");
    SetSystemDefaults();
    EXPECT_EQ(g_lSnapToGrid, 120);
    EXPECT_EQ(UserValue("Config", "SnapToGrid"), "abc");
}

// The registry layout as other versions of the program and users' files know it: each key of
// the table reads its default when missing, creates it only where the layout says so, and
// reads back what is stored at its place.
TEST_F(SettingsTest, EveryKeyLivesWhereTheLayoutSaysAndReadsItsDefaultWhenMissing) {
    const struct {
        const clsSettingKey& oKey;
        const char* sQualifier;
        RegHive eHive;
        const char* sSection;
        const char* sName;
        const char* sDefault;
        bool bCreated;
    } aoCases[] = {
        {Settings::StartMode, "", HKEY_CURRENT_USER, "Config", "StartMode", "0", true},
        {Settings::SnapToGrid, "", HKEY_CURRENT_USER, "Config", "SnapToGrid", "120", true},
        {Settings::LastFolder, "", HKEY_CURRENT_USER, "Config", "LastFolder", "", false},
        {Settings::DefaultAuction, "", HKEY_CURRENT_USER, "Config", "DefaultAuction", "", false},
        {Settings::SubtotalColour, "", HKEY_CURRENT_USER, "Config", "SubtotalColour", "33023",
         false},
        {Settings::TotalColour, "", HKEY_CURRENT_USER, "Config", "TotalColour", "12648384", false},
        {Settings::MusicID, "", HKEY_CURRENT_USER, "Config", "MusicID", "music=0", false},
        {Settings::MusicMute, "", HKEY_CURRENT_USER, "Config", "MusicMute", "mute=false", false},
        {Settings::FTPSkipFlag, "", HKEY_CURRENT_USER, "Config", "FTPSkipFlag", "", false},
        {Settings::Visible, "MotorTypes", HKEY_CURRENT_USER, "Controls\\MotorTypes", "Visible", "",
         false},
        {Settings::PanelTop, "Outlay", HKEY_CURRENT_USER, "Controls\\Outlay", "Top", "", false},
        {Settings::PanelLeft, "Postage", HKEY_CURRENT_USER, "Controls\\Postage", "Left", "", false},
        {Settings::FormTop, "Main", HKEY_CURRENT_USER, "Forms\\Main", "Top", "", false},
        {Settings::FormWindowState, "Main", HKEY_CURRENT_USER, "Forms\\Main", "WindowState", "",
         false},
        {Settings::WizardPage, "3", HKEY_CURRENT_USER, "Wizard", "Page3", "", false},
        {Settings::RecentFile, "3", HKEY_CURRENT_USER, "RecentFiles", "File3", "", false},
        {Settings::About, "", HKEY_LOCAL_MACHINE, "Config", "About", "", false},
        {Settings::PriceServer, "", HKEY_LOCAL_MACHINE, "Config", "PriceServer", "", false},
        {Settings::WebSite, "", HKEY_LOCAL_MACHINE, "Config", "WebSite", "", false},
    };
    const clsSettings& oSettings = GetSettings();
    for (const auto& o : aoCases) {
        const std::string sWhere = std::string(o.sSection) + " " + o.sName;
        std::string sFound;
        EXPECT_FALSE(oSettings.Find(o.oKey, sFound, o.sQualifier)) << sWhere;
        EXPECT_EQ(oSettings.Read(o.oKey, o.sQualifier), o.sDefault) << sWhere;
        EXPECT_EQ(oSettings.Find(o.oKey, sFound, o.sQualifier), o.bCreated) << sWhere;
        GetRegistry().SetRegSetting(o.eHive, o.sSection, o.sName, "42");
        EXPECT_EQ(oSettings.Read(o.oKey, o.sQualifier), "42") << sWhere;
        int32_t lValue = 0;
        EXPECT_TRUE(oSettings.FindNumber(o.oKey, lValue, o.sQualifier) && lValue == 42) << sWhere;
        oSettings.Remove(o.oKey, o.sQualifier);
        EXPECT_FALSE(oSettings.Find(o.oKey, sFound, o.sQualifier)) << sWhere;
        EXPECT_EQ(oSettings.ReadOr(o.oKey, "worked out", o.sQualifier), "worked out") << sWhere;
    }
    // The proxy's key is a whole path of its own, outside the program's.
    GetRegistry().SetRegSetting(HKEY_LOCAL_MACHINE, "Software\\Tessary\\Pennock\\FTP", "ProxyName",
                                "proxy:8080", true);
    EXPECT_EQ(oSettings.Read(Settings::ProxyName), "proxy:8080");
}

} // namespace
