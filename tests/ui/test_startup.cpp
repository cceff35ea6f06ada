// The window-side common services and the start-up sequence: message boxes, the pause, the
// shell's open, the orderly close, the diagnostic log of a start, and the folders used.
#include "UiTest.h"

#include "basCommon.h"
#include "basMain.h"
#include "basSettings.h"
#include "basSplash.h"
#include "basStartupSequence.h"
#include "basWindows.h"
#include "clsCalculate.h"
#include "clsPrices.h"
#include "ctlCalculator.h"
#include "ctlWizard.h"
#include "frmAbout.h"
#include "frmMain.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

QByteArray ReadFile(const QString& sPath) {
    QFile oFile(sPath);
    return oFile.open(QIODevice::ReadOnly) ? oFile.readAll() : QByteArray();
}

bool WriteFile(const QString& sPath, const QByteArray& abText) {
    QDir().mkpath(QFileInfo(sPath).absolutePath());
    QFile oFile(sPath);
    return oFile.open(QIODevice::WriteOnly) && oFile.write(abText) == abText.size();
}

// A program folder whose splash movie starts and stops at once (or never stops).
class clsProgramFolder {
public:
    explicit clsProgramFolder(bool bSplashStops = true) {
        const QString sBin = QString::fromStdString(GetProgramFolder());
        const QString sRoot = m_oDir.path();
        std::filesystem::copy((sBin + "/Graphics").toStdString(),
                              (sRoot + "/Graphics").toStdString(),
                              std::filesystem::copy_options::recursive);
        QFile::copy(QString::fromStdString(GetPriceFilePath(false)),
                    sRoot + "/" + QString::fromStdString(GetPriceFilePath(true)));
        QFile::remove(sRoot + "/Graphics/Splash.svg");
        WriteFile(sRoot + "/Graphics/Splash.svg",
                  QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" "
                             "xmlns:gv=\"urn:gavelry:movie\" width=\"480\" height=\"300\">"
                             "<gv:command at=\"0\" name=\"start\"/>") +
                      (bSplashStops ? "<gv:command at=\"0\" name=\"stop\"/>" : "") +
                      "<rect width=\"480\" height=\"300\" fill=\"#234\"/></svg>");
        m_sOldFolder = GetProgramFolder();
        SetProgramFolder(sRoot.toStdString());
    }
    ~clsProgramFolder() { SetProgramFolder(m_sOldFolder); }
    QString Path() const { return m_oDir.path(); }

private:
    QTemporaryDir m_oDir;
    std::string m_sOldFolder;
};

} // namespace

class StartupTest : public clsUiTest {
protected:
    void SetUp() override {
        clsUiTest::SetUp();
        g_bDebug = false;
        ResetApplicationClosing();
        SetDownloadStep([] { LogDebug("Open internet connection 1"); });
        SetLogFilePath(m_oLogDir.filePath("GvDebug.log").toStdString());
        GetWorkingDoc().SetDirty(false);
        GetDefaultAuction().SetDirty(false);
    }
    void TearDown() override {
        g_bDebug = false;
        SetLogFilePath("");
        SetDownloadStep({});
        SetSplashTimeLimit(10000);
        SetPriceFileFolder("");
        ResetApplicationClosing();
        clsUiTest::TearDown();
    }
    QString LogPath() const { return m_oLogDir.filePath("GvDebug.log"); }

    QTemporaryDir m_oLogDir;
};

TEST_F(StartupTest, MessageBoxesHaveTheButtonsAndIconOfTheirCode) {
    struct {
        int32_t m_lCode;
        QMessageBox::StandardButtons m_eButtons;
        QMessageBox::Icon m_eIcon;
    } const aoCases[] = {
        {0, QMessageBox::Ok, QMessageBox::NoIcon},
        {35, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Question},
        {64, QMessageBox::Ok, QMessageBox::Information},
        {16, QMessageBox::Ok, QMessageBox::Critical},
        {48, QMessageBox::Ok, QMessageBox::Warning},
        {4 + 32, QMessageBox::Yes | QMessageBox::No, QMessageBox::Question},
        {1, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoIcon},
    };
    for (const auto& oCase : aoCases) {
        std::unique_ptr<QMessageBox> oBox(BuildMessageBox("Prompt", oCase.m_lCode, "Title"));
        EXPECT_EQ(oBox->standardButtons(), oCase.m_eButtons) << oCase.m_lCode;
        EXPECT_EQ(oBox->icon(), oCase.m_eIcon) << oCase.m_lCode;
        EXPECT_EQ(oBox->text(), "Prompt");
        EXPECT_EQ(oBox->windowTitle(), "Title");
    }
    std::unique_ptr<QMessageBox> oUntitled(BuildMessageBox("Prompt", 0, ""));
    EXPECT_EQ(oUntitled->windowTitle(), "Gavelry UK");
    EXPECT_EQ(MessageBoxResult(QMessageBox::Yes), MsgBox::ResultYes);
    EXPECT_EQ(MessageBoxResult(QMessageBox::No), MsgBox::ResultNo);
    EXPECT_EQ(MessageBoxResult(QMessageBox::Cancel), MsgBox::ResultCancel);
    EXPECT_EQ(MessageBoxResult(QMessageBox::Ok), MsgBox::ResultOK);
}

TEST_F(StartupTest, PauseServicesWindowEvents) {
    InstallWindowServices();
    bool bFired = false;
    QTimer::singleShot(10, [&bFired] { bFired = true; });
    Pause(80);
    EXPECT_TRUE(bFired);
    SetShowMessageHandler([](const std::string& sPrompt, int32_t, const std::string&) {
        ADD_FAILURE() << "Unexpected message box: " << sPrompt;
        return MsgBox::ResultCancel;
    });
    SetCloseApplicationHandler({});
    frmAbout::SetOpenWebSiteHandler({});
}

TEST_F(StartupTest, ShellOpenHandsTheDesktopAnAddress) {
    QStringList asOpened;
    SetShellOpenHandler([&asOpened](const QString& sUrl) { asOpened << sUrl; });
    ShellOpen("http://www.gavelry.invalid/", nullptr);
    ShellOpen("/tmp/My Auctions/Lamp.gva", nullptr);
    SetShellOpenHandler({});
    EXPECT_EQ(asOpened,
              (QStringList{"http://www.gavelry.invalid/", "file:///tmp/My Auctions/Lamp.gva"}));
    EXPECT_EQ(ShellOpenUrl("Lamp.gva"),
              QUrl::fromLocalFile(QDir::current().filePath("Lamp.gva")).toString());
}

TEST_F(StartupTest, ADebugStartWritesTheHeaderAndTheStepsInOrder) {
    clsProgramFolder oProgram;
    std::unique_ptr<frmMain> oMain = Main({"debug=true"});
    ASSERT_NE(oMain, nullptr);
    EXPECT_TRUE(oMain->isVisible());
    EXPECT_TRUE(oMain->ctlWizard1->isVisible());
    EXPECT_EQ(GetSplash(), nullptr);
    EXPECT_EQ(UserSetting("Config", "SnapToGrid"), "120");
    EXPECT_EQ(UserSetting("Config", "StartMode"), "0");
    const QStringList asLines = QString::fromLatin1(ReadFile(LogPath())).split("\r\n");
    ASSERT_GE(asLines.size(), 8);
    EXPECT_EQ(asLines.mid(0, 3),
              (QStringList{"Gavelry diagnostic log", "----------------------", ""}));
    EXPECT_EQ(asLines[4], "Version: 1.1.248");
    EXPECT_EQ(asLines[6], "Date       Time      Comment");
    QStringList asComments;
    for (const QString& sLine : asLines.mid(7))
        if (sLine.size() > 21) asComments << sLine.mid(21);
    EXPECT_EQ(asComments,
              (QStringList{"Started app", "Loading splash movie", "Playing splash movie",
                           "Setting system defaults", "DL's", "Open internet connection 1",
                           "Splash pause", "Display main", "End startup"}));
    EXPECT_TRUE(QDateTime::fromString(asLines[7].left(19), "yyyy-MM-dd HH:mm:ss").isValid());
    oMain->close();
}

TEST_F(StartupTest, WithoutTheSwitchNoLogIsWritten) {
    clsProgramFolder oProgram;
    std::unique_ptr<frmMain> oMain = Main({});
    ASSERT_NE(oMain, nullptr);
    EXPECT_FALSE(QFile::exists(LogPath()));
    oMain->close();
}

TEST_F(StartupTest, ASplashMovieThatNeverStopsDoesNotHoldStartUp) {
    clsProgramFolder oProgram(false);
    SetSplashTimeLimit(150);
    SetUserSetting("Config", "SnapToGrid", "abc");
    std::unique_ptr<frmMain> oMain = Main({"DEBUG=TRUE"});
    ASSERT_NE(oMain, nullptr);
    EXPECT_TRUE(oMain->isVisible());
    EXPECT_EQ(GetSplash(), nullptr);
    EXPECT_EQ(g_lSnapToGrid, 120);
    EXPECT_TRUE(ReadFile(LogPath()).contains("Splash movie timed out"));
    oMain->close();
}

TEST_F(StartupTest, AFailingStepIsSkipped) {
    clsProgramFolder oProgram;
    SetDownloadStep([] { throw std::runtime_error("no route"); });
    std::unique_ptr<frmMain> oMain = Main({"DEBUG=TRUE"});
    ASSERT_NE(oMain, nullptr);
    const QByteArray abLog = ReadFile(LogPath());
    EXPECT_TRUE(abLog.contains("Start-up step failed: no route"));
    EXPECT_LT(abLog.indexOf("no route"), abLog.indexOf("Display main"));
    oMain->close();
}

TEST_F(StartupTest, CloseApplicationEndsTheRunAndStopsStartUp) {
    InstallWindowServices();
    clsProgramFolder oProgram;
    SetDownloadStep([] { CloseApplication(); });
    std::unique_ptr<frmMain> oMain = Main({});
    EXPECT_EQ(oMain, nullptr);
    EXPECT_TRUE(IsApplicationClosing());
    ResetApplicationClosing();
    // Once running, it closes the main window.
    SetDownloadStep({[] {}});
    oMain = Main({});
    ASSERT_NE(oMain, nullptr);
    CloseApplication();
    EXPECT_FALSE(oMain->isVisible());
    SetShowMessageHandler([](const std::string& sPrompt, int32_t, const std::string&) {
        ADD_FAILURE() << "Unexpected message box: " << sPrompt;
        return MsgBox::ResultCancel;
    });
    SetCloseApplicationHandler({});
    frmAbout::SetOpenWebSiteHandler({});
}

// Message boxes shown during one start, recorded; the default handler fails the test.
class clsRecordedMessages {
public:
    clsRecordedMessages() {
        SetShowMessageHandler(
            [this](const std::string& sPrompt, int32_t lButtons, const std::string& sTitle) {
                m_asPrompts.push_back(sPrompt);
                EXPECT_EQ(lButtons, MsgBox::Exclamation);
                EXPECT_EQ(sTitle, "Gavelry UK");
                return MsgBox::ResultOK;
            });
    }
    ~clsRecordedMessages() {
        SetShowMessageHandler([](const std::string& sPrompt, int32_t, const std::string&) {
            ShownMessages().push_back(sPrompt);
            ADD_FAILURE() << "Unexpected message box: " << sPrompt;
            return MsgBox::ResultCancel;
        });
    }
    std::vector<std::string> m_asPrompts;
};

// A start that reads the price file from the program folder, as the program's does; the one
// message it shows. The main window is shown.
std::string StartWithOneMessage(std::unique_ptr<frmMain>& oMain) {
    SetPrices(nullptr);
    clsRecordedMessages oMessages;
    oMain = Main({});
    EXPECT_TRUE(oMain && oMain->isVisible());
    EXPECT_EQ(oMessages.m_asPrompts.size(), 1u);
    return oMessages.m_asPrompts.empty() ? std::string() : oMessages.m_asPrompts[0];
}

TEST_F(StartupTest, APriceFileThatLacksPricesIsNamedOnceAtStart) {
    clsProgramFolder oProgram;
    const QByteArray abShipped = ReadFile(oProgram.Path() + "/UpdateUK_v0102.dat");
    // Cut where the postage starts, with a tax that is no number.
    QByteArray abCut = abShipped.left(abShipped.indexOf("\nFirstClassRanges,") + 1);
    abCut += "LocalTax,some\r\n";
    ASSERT_TRUE(WriteFile(oProgram.Path() + "/UpdateUK_v0102.dat", abCut));
    std::unique_ptr<frmMain> oMain;
    const std::string sPrompt = StartWithOneMessage(oMain);
    ASSERT_NE(oMain, nullptr);
    EXPECT_EQ(sPrompt.rfind("The price file " + GetPriceFilePath(false) + " lacks prices", 0), 0u)
        << sPrompt;
    // The first missing names by name, and how many more.
    EXPECT_NE(sPrompt.find("FirstClassRanges, SecondClassRanges, ParcelRanges"), std::string::npos)
        << sPrompt;
    EXPECT_NE(sPrompt.find(" more"), std::string::npos) << sPrompt;
    oMain->close();
}

TEST_F(StartupTest, APriceFileThatDoesNotLoadGivesWayToTheBackupAndTheUserIsTold) {
    clsProgramFolder oProgram;
    const QString sPrices = oProgram.Path() + "/UpdateUK_v0102.dat";
    const QByteArray abGood = ReadFile(sPrices);
    ASSERT_TRUE(WriteFile(sPrices + ".bak", abGood));
    ASSERT_TRUE(WriteFile(sPrices, abGood + "LOCALTAX,15\r\n"));
    std::unique_ptr<frmMain> oMain;
    const std::string sPrompt = StartWithOneMessage(oMain);
    ASSERT_NE(oMain, nullptr);
    EXPECT_NE(sPrompt.find("uses the last good copy of the price file instead"), std::string::npos)
        << sPrompt;
    EXPECT_EQ(GetPricesSource(), (sPrices + ".bak").toStdString());
    EXPECT_EQ(ReadFile(sPrices), abGood + "LOCALTAX,15\r\n") << "the user's file is left alone";
    oMain->close();
}

TEST_F(StartupTest, AnInstalledProgramFindsItsDataBesideBin) {
    QTemporaryDir oPrefix;
    QDir(oPrefix.path()).mkpath("bin");
    QDir(oPrefix.path()).mkpath("share/gavelry/Graphics");
    const std::string sOld = GetProgramFolder();
    EXPECT_FALSE(LocateProgramData(sOld)); // the build folder has its Graphics
    EXPECT_TRUE(LocateProgramData((oPrefix.path() + "/bin").toStdString()));
    EXPECT_EQ(GetProgramFolder(), (oPrefix.path() + "/share/gavelry").toStdString());
    SetProgramFolder(sOld);
    QTemporaryDir oBare;
    EXPECT_FALSE(LocateProgramData(oBare.path().toStdString()));
}

TEST_F(StartupTest, AReadOnlyProgramFolderSendsTheLogAndPriceFileToTheUserDataFolder) {
    QTemporaryDir oTemp;
    EXPECT_TRUE(IsFolderWritable(oTemp.path().toStdString()));
    WriteFile(oTemp.filePath("file"), "x");
    EXPECT_FALSE(IsFolderWritable(oTemp.filePath("file/sub").toStdString()));
    EXPECT_NE(UserDataFolder().find("Tessary/Gavelry UK"), std::string::npos);

    clsProgramFolder oProgram;
    const QString sData = oTemp.filePath("data");
    const QString sShipped = oProgram.Path() + "/UpdateUK_v0102.dat";
    UseDataFolder(sData.toStdString());
    EXPECT_EQ(GetPriceFilePath(false), (sData + "/UpdateUK_v0102.dat").toStdString());
    EXPECT_EQ(GetLogFilePath(), (sData + "/GvDebug.log").toStdString());
    EXPECT_EQ(ReadFile(sData + "/UpdateUK_v0102.dat"), ReadFile(sShipped));

    // An updated copy is kept; a newer shipped file (a new release) replaces an older one.
    WriteFile(sData + "/UpdateUK_v0102.dat", "updated");
    UseDataFolder(sData.toStdString());
    EXPECT_EQ(ReadFile(sData + "/UpdateUK_v0102.dat"), "updated");
    QFile oShipped(sShipped);
    ASSERT_TRUE(oShipped.open(QIODevice::ReadWrite));
    oShipped.setFileTime(QDateTime::currentDateTime().addDays(1),
                         QFileDevice::FileModificationTime);
    oShipped.close();
    UseDataFolder(sData.toStdString());
    EXPECT_EQ(ReadFile(sData + "/UpdateUK_v0102.dat"), ReadFile(sShipped));
    EXPECT_FALSE(QFile::exists(sData + "/UpdateUK_v0102.dat.new"));
    SetLogFilePath("");
}

TEST_F(StartupTest, TheFileNamedOnTheCommandLineIsTheStartFile) {
    const struct {
        QStringList m_asArguments;
        QString m_sFile;
    } aoCases[] = {
        {{}, ""},
        {{"DEBUG=TRUE"}, ""},
        {{"debug=true", "/home/me/Lamp.gva"}, "/home/me/Lamp.gva"},
        {{"Lamp.gva", "DEBUG=TRUE", "Vase.gva"}, "Lamp.gva"},
        {{"--version", "Vase.gva"}, "Vase.gva"},
        {{"file:///home/me/My%20Auctions/Lamp.gva"}, "/home/me/My Auctions/Lamp.gva"},
    };
    for (const auto& oCase : aoCases)
        EXPECT_EQ(StartFileArgument(oCase.m_asArguments), oCase.m_sFile)
            << oCase.m_asArguments.join(' ').toStdString();
}

TEST_F(StartupTest, AFileOnTheCommandLineOpensInTheCalculatorWhateverTheStartMode) {
    clsProgramFolder oProgram;
    QTemporaryDir oDocs;
    const QString sLamp = oDocs.filePath("Lamp.gva");
    ASSERT_TRUE(WriteFile(sLamp, "[TYPE]000|False|False|0|0|0|0|False|[TYPE][OUTLAY]40|0.99|0|100|"
                                 "3|False[OUTLAY][FEATURES]0|0[FEATURES][PAYPAL]False|0|1|False"
                                 "[PAYPAL][POSTAGE]False|0|0|0|0|False|False|False|0|False"
                                 "[POSTAGE]\r\n"));
    std::unique_ptr<frmMain> oMain = Main({sLamp});
    ASSERT_NE(oMain, nullptr);
    EXPECT_EQ(UserSetting("Config", "StartMode"), "0") << "a first start";
    EXPECT_TRUE(oMain->ctlCalculator1->isVisible());
    EXPECT_EQ(oMain->windowTitle(), "Gavelry UK - Lamp");
    EXPECT_EQ(oMain->FilePath(), sLamp);
    EXPECT_FLOAT_EQ(GetWorkingDoc().m_oOutlay.m_fOutlay, 40.0f);
    EXPECT_EQ(GetWorkingDoc().m_oOutlay.m_lQuantity, 3);
    EXPECT_FALSE(GetWorkingDoc().IsDirty());
    oMain->close();
}

TEST_F(StartupTest, AMissingOrDamagedFileOnTheCommandLineGetsTheErrorLoadGives) {
    clsProgramFolder oProgram;
    QTemporaryDir oDocs;
    const QString sBad = oDocs.filePath("Bad.gva");
    ASSERT_TRUE(WriteFile(sBad, "[TYPE]000|False|False|3|0|0|0|False|[TYPE]\r\n"));
    const struct {
        QString m_sPath;
        std::string m_sMessage;
        int32_t m_lCode;
        QString m_sCaption;
        QString m_sFilePath; // where Save writes without asking
    } aoCases[] = {
        // Not read at all: a new auction, and Save asks where to put it.
        {oDocs.filePath("Missing.gva"),
         "Cannot open " + oDocs.filePath("Missing.gva").toStdString() +
             ": No such file or directory",
         MsgBox::Exclamation, "Gavelry UK", ""},
        // Read as far as it goes, as Load does.
        {sBad, "Failure loading section [OUTLAY]", MsgBox::OKOnly, "Gavelry UK - Bad", sBad},
    };
    for (const auto& oCase : aoCases) {
        std::vector<std::string> asShown;
        SetShowMessageHandler(
            [&asShown, &oCase](const std::string& sPrompt, int32_t lButtons, const std::string&) {
                asShown.push_back(sPrompt);
                EXPECT_EQ(lButtons, oCase.m_lCode);
                return MsgBox::ResultOK;
            });
        std::unique_ptr<frmMain> oMain = Main({oCase.m_sPath});
        SetShowMessageHandler([](const std::string& sPrompt, int32_t, const std::string&) {
            ADD_FAILURE() << "Unexpected message box: " << sPrompt;
            return MsgBox::ResultCancel;
        });
        ASSERT_NE(oMain, nullptr);
        EXPECT_TRUE(oMain->isVisible());
        EXPECT_TRUE(oMain->ctlCalculator1->isVisible());
        EXPECT_EQ(asShown, std::vector<std::string>{oCase.m_sMessage});
        EXPECT_EQ(oMain->windowTitle(), oCase.m_sCaption);
        EXPECT_EQ(oMain->FilePath(), oCase.m_sFilePath);
        GetWorkingDoc().SetDirty(false);
        oMain->close();
    }
}
