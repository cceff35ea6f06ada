// Whole user sessions on the main window: first start, files, the unsaved-work questions,
// the default configuration, the about box and the window's placement.
#include "MainWindowTest.h"

#include "basCommon.h"
#include "basControls.h"
#include "basMain.h"
#include "basSettings.h"
#include "basWindows.h"
#include "clsCalculate.h"
#include "ctlCalculator.h"
#include "ctlFeeSchedule.h"
#include "ctlMovie.h"
#include "ctlNumericText.h"
#include "ctlOutlay.h"
#include "ctlSellingCosts.h"
#include "ctlWizard.h"
#include "frmAbout.h"
#include "frmMain.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <deque>
#include <memory>

#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

TEST_F(MainWindowTest, FirstStartShowsTheWizardAndCreatesTheStartMode) {
    ASSERT_EQ(UserSetting("Config", "StartMode"), "<absent>");
    frmMain& oMain = Start(nullptr);
    EXPECT_EQ(UserSetting("Config", "StartMode"), "0");
    EXPECT_TRUE(oMain.ctlWizard1->isVisible());
    EXPECT_FALSE(oMain.ctlCalculator1->isVisible());
    EXPECT_EQ(oMain.ctlWizard1->CurrentPage().m_sTitle, "Auction Type");
    EXPECT_EQ(Caption(), "Gavelry UK");
    EXPECT_EQ(GetWorkingDoc().m_oOutlay.m_lQuantity, 1);
    EXPECT_FALSE(GetWorkingDoc().IsDirty());
}

TEST_F(MainWindowTest, AdvancedStartShowsTheCalculatorOnACopyOfTheDefaultAuction) {
    GetDefaultAuction().m_oOutlay.m_fOutlay = 4.5f;
    std::string sDefault;
    GetDefaultAuction().Serialize(sDefault, true);
    SetUserSetting("Config", "DefaultAuction", sDefault);
    GetDefaultAuction().Clear();
    frmMain& oMain = Start("1");
    EXPECT_TRUE(oMain.ctlCalculator1->isVisible());
    EXPECT_FALSE(oMain.ctlCalculator1->ConfigMode());
    EXPECT_EQ(oMain.ctlWizard1, nullptr) << "the wizard is made when first needed";
    EXPECT_FLOAT_EQ(GetWorkingDoc().m_oOutlay.m_fOutlay, 4.5f);
    EXPECT_EQ(Caption(), "Gavelry UK");
    // The window makes room for the calculator's panels.
    EXPECT_GE(oMain.width(), CalculatorWindowSize().width());
    EXPECT_GE(oMain.height(), CalculatorWindowSize().height());
}

TEST_F(MainWindowTest, SaveAsLampEditAndLoadKeepTheCaptionInStep) {
    Start();
    // Save of a new auction proposes the first free name in the last folder.
    m_asFiles = {QStringLiteral("Lamp.gva")};
    Press(Save);
    ASSERT_EQ(m_aoRequests.size(), 1u);
    EXPECT_TRUE(m_aoRequests[0].m_bSave);
    EXPECT_EQ(m_aoRequests[0].m_sFilter, "Gavelry UK files (*.gva)");
    EXPECT_EQ(m_aoRequests[0].m_sFolder, Docs());
    EXPECT_EQ(m_aoRequests[0].m_sFileName, "NewAuction.gva");
    EXPECT_EQ(Caption(), "Gavelry UK - Lamp");
    EXPECT_EQ(m_oMain->FileTitle(), "Lamp.gva");
    EXPECT_EQ(UserSetting("Config", "LastFolder"), Docs().toStdString());
    const QByteArray abSaved = ReadFile(Docs() + "Lamp.gva");
    EXPECT_TRUE(abSaved.startsWith("[TYPE]"));
    EXPECT_TRUE(abSaved.endsWith("[POSTAGE]\r\n"));
    EXPECT_EQ(abSaved.count('\n'), 1);
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(m_oDocs.path()).entryList(QDir::Files), QStringList{"Lamp.gva"});

    TypeInto(Outlay(), QStringLiteral("12.5"));
    EXPECT_EQ(Caption(), "Gavelry UK - Lamp*");
    EXPECT_TRUE(GetWorkingDoc().IsDirty());
    EXPECT_FLOAT_EQ(GetWorkingDoc().m_oOutlay.m_fOutlay, 12.5f);

    // Loading over the edit asks first; No drops it, and the saved auction comes back.
    m_alAnswers = {MsgBox::ResultNo};
    m_asFiles = {QStringLiteral("Lamp.gva")};
    Press(Load);
    ASSERT_EQ(m_asPrompts.size(), 1u);
    EXPECT_EQ(m_asPrompts[0], kSaveQuestion);
    EXPECT_EQ(m_alCodes[0], 35);
    EXPECT_EQ(m_asTitles[0], "Gavelry UK");
    ASSERT_EQ(m_aoRequests.size(), 2u);
    EXPECT_FALSE(m_aoRequests[1].m_bSave);
    EXPECT_EQ(m_aoRequests[1].m_sFileName, "Lamp.gva");
    EXPECT_FLOAT_EQ(GetWorkingDoc().m_oOutlay.m_fOutlay, 0.0f);
    EXPECT_EQ(Outlay()->Text().toFloat(), 0.0f);
    EXPECT_FALSE(GetWorkingDoc().IsDirty());
    EXPECT_EQ(Caption(), "Gavelry UK - Lamp");

    // Saving again replaces the file in place, under the same name, without a question and
    // without a dialog.
    TypeInto(Outlay(), QStringLiteral("3"));
    Press(Save);
    EXPECT_EQ(m_aoRequests.size(), 2u);
    EXPECT_EQ(m_aoRequests.back().m_sFileName, "Lamp.gva");
    EXPECT_TRUE(ReadFile(Docs() + "Lamp.gva").contains("[OUTLAY]3|"));
    EXPECT_EQ(Caption(), "Gavelry UK - Lamp");
}

TEST_F(MainWindowTest, NewAuctionNamesTakeTheFirstFreeNumber) {
    const std::string sDocs = m_oDocs.path().toStdString();
    EXPECT_EQ(frmMain::UniqueNewAuctionName(sDocs), "NewAuction.gva");
    WriteDoc(QStringLiteral("NewAuction.gva"));
    EXPECT_EQ(frmMain::UniqueNewAuctionName(sDocs), "NewAuction1.gva");
    WriteDoc(QStringLiteral("NewAuction1.gva"));
    EXPECT_EQ(frmMain::UniqueNewAuctionName(sDocs), "NewAuction2.gva");
    Start();
    m_asFiles = {QString()};
    Press(Save);
    ASSERT_EQ(m_aoRequests.size(), 1u);
    EXPECT_EQ(m_aoRequests[0].m_sFileName, "NewAuction2.gva");
    // Cancelling changes nothing.
    EXPECT_EQ(Caption(), "Gavelry UK");
    EXPECT_TRUE(m_oMain->FileTitle().isEmpty());
}

TEST_F(MainWindowTest, NewAsksAboutUnsavedWorkAndHonoursEachAnswer) {
    Start();
    TypeInto(Outlay(), QStringLiteral("9"));
    ASSERT_EQ(Caption(), "Gavelry UK*");

    m_alAnswers = {MsgBox::ResultCancel};
    Press(New);
    EXPECT_FLOAT_EQ(GetWorkingDoc().m_oOutlay.m_fOutlay, 9.0f);
    EXPECT_EQ(Caption(), "Gavelry UK*");

    // Yes with the save dialog cancelled stops the new auction too.
    m_alAnswers = {MsgBox::ResultYes};
    m_asFiles = {QString()};
    Press(New);
    EXPECT_FLOAT_EQ(GetWorkingDoc().m_oOutlay.m_fOutlay, 9.0f);

    m_alAnswers = {MsgBox::ResultYes};
    m_asFiles = {QStringLiteral("Nine.gva")};
    Press(New);
    EXPECT_TRUE(ReadFile(Docs() + "Nine.gva").contains("[OUTLAY]9|"));
    EXPECT_FLOAT_EQ(GetWorkingDoc().m_oOutlay.m_fOutlay, 0.0f);
    EXPECT_TRUE(m_oMain->FileTitle().isEmpty());
    EXPECT_EQ(Caption(), "Gavelry UK");

    TypeInto(Outlay(), QStringLiteral("2"));
    m_alAnswers = {MsgBox::ResultNo};
    Press(New);
    EXPECT_FLOAT_EQ(GetWorkingDoc().m_oOutlay.m_fOutlay, 0.0f);
    EXPECT_FALSE(GetWorkingDoc().IsDirty());
    EXPECT_EQ(m_asPrompts, std::vector<std::string>(4, kSaveQuestion));
}

TEST_F(MainWindowTest, WizardAsksAboutUnsavedWork) {
    frmMain& oMain = Start();
    TypeInto(Outlay(), QStringLiteral("5"));
    m_alAnswers = {MsgBox::ResultCancel};
    Press(Wizard);
    EXPECT_TRUE(oMain.ctlCalculator1->isVisible());
    EXPECT_TRUE(!oMain.ctlWizard1 || !oMain.ctlWizard1->isVisible());
    m_alAnswers = {MsgBox::ResultNo};
    Press(Wizard);
    EXPECT_TRUE(oMain.ctlWizard1->isVisible());
    EXPECT_FALSE(oMain.ctlCalculator1->isVisible());
    EXPECT_FLOAT_EQ(GetWorkingDoc().m_oOutlay.m_fOutlay, 0.0f);
    EXPECT_EQ(GetWorkingDoc().m_oOutlay.m_lQuantity, 1);
    // The wizard fills the right-hand area.
    EXPECT_EQ(oMain.ctlWizard1->geometry(), oMain.fraRHS->rect());
}

TEST_F(MainWindowTest, ClosingAsksAboutUnsavedWorkAfterStoringThePlacement) {
    frmMain& oMain = Start();
    TypeInto(Outlay(), QStringLiteral("7"));
    m_alAnswers = {MsgBox::ResultCancel};
    EXPECT_FALSE(oMain.close());
    EXPECT_TRUE(oMain.isVisible());
    EXPECT_EQ(UserSetting("Forms\\Main", "Width"), std::to_string(oMain.width() * 15));

    m_alAnswers = {MsgBox::ResultYes};
    m_asFiles = {QStringLiteral("Seven.gva")};
    EXPECT_TRUE(oMain.close());
    EXPECT_FALSE(oMain.isVisible());
    EXPECT_TRUE(ReadFile(Docs() + "Seven.gva").contains("[OUTLAY]7|"));
}

TEST_F(MainWindowTest, ClosingWithNoDropsTheWorkAndLogsTheEnd) {
    QTemporaryDir oLogDir;
    SetLogFilePath(oLogDir.filePath("GvDebug.log").toStdString());
    frmMain& oMain = Start();
    TypeInto(Outlay(), QStringLiteral("7"));
    g_bDebug = true;
    m_alAnswers = {MsgBox::ResultNo};
    EXPECT_TRUE(oMain.close());
    g_bDebug = false;
    SetLogFilePath("");
    EXPECT_TRUE(ReadFile(oLogDir.filePath("GvDebug.log")).endsWith("  End app\r\n"));
    EXPECT_EQ(QDir(m_oDocs.path()).entryList(QDir::Files), QStringList());
}

TEST_F(MainWindowTest, DefaultConfigurationEditsAndStoresTheDefaultAuction) {
    frmMain& oMain = Start();
    Press(Configure);
    EXPECT_TRUE(oMain.ctlCalculator1->ConfigMode());
    EXPECT_EQ(&oMain.ctlCalculator1->Document(), &GetDefaultAuction());
    EXPECT_EQ(Caption(), "Gavelry UK - Default Configuration");
    TypeInto(Outlay(), QStringLiteral("6"));
    EXPECT_EQ(Caption(), "Gavelry UK - Default Configuration*");
    EXPECT_FLOAT_EQ(GetDefaultAuction().m_oOutlay.m_fOutlay, 6.0f);
    EXPECT_FALSE(GetWorkingDoc().IsDirty());

    // Load is ignored here and Save goes to the settings, not to a file: no dialog.
    Press(Load);
    Press(Save);
    EXPECT_TRUE(m_aoRequests.empty());
    EXPECT_NE(UserSetting("Config", "DefaultAuction").find("[OUTLAY]6|"), std::string::npos);
    EXPECT_EQ(Caption(), "Gavelry UK - Default Configuration");
    EXPECT_FALSE(GetDefaultAuction().IsDirty());

    // A new auction is a copy of the stored default.
    Press(New);
    EXPECT_FALSE(oMain.ctlCalculator1->ConfigMode());
    EXPECT_FLOAT_EQ(GetWorkingDoc().m_oOutlay.m_fOutlay, 6.0f);
    EXPECT_EQ(&oMain.ctlCalculator1->Document(), &GetWorkingDoc());
    EXPECT_EQ(Caption(), "Gavelry UK");

    // The next start reads it back.
    m_oMain.reset();
    GetDefaultAuction().Clear();
    Start();
    EXPECT_FLOAT_EQ(GetWorkingDoc().m_oOutlay.m_fOutlay, 6.0f);
}

TEST_F(MainWindowTest, ConfigurationTwiceDropsUnsavedDefaultChangesWithoutAQuestion) {
    Start();
    Press(Configure);
    TypeInto(Outlay(), QStringLiteral("8"));
    Press(Configure);
    EXPECT_FLOAT_EQ(GetDefaultAuction().m_oOutlay.m_fOutlay, 0.0f);
    EXPECT_FALSE(GetDefaultAuction().IsDirty());
    EXPECT_EQ(Caption(), "Gavelry UK - Default Configuration");
    EXPECT_TRUE(m_asPrompts.empty());
}

TEST_F(MainWindowTest, ClosingAsksAboutAnUnsavedDefaultAuction) {
    frmMain& oMain = Start();
    Press(Configure);
    TypeInto(Outlay(), QStringLiteral("4"));
    m_alAnswers = {MsgBox::ResultCancel};
    EXPECT_FALSE(oMain.close());
    ASSERT_EQ(m_asPrompts.size(), 1u);
    EXPECT_EQ(m_asPrompts[0], kDefaultQuestion);
    EXPECT_EQ(m_alCodes[0], 35);
    EXPECT_EQ(UserSetting("Config", "DefaultAuction"), "<absent>");
    m_alAnswers = {MsgBox::ResultYes};
    EXPECT_TRUE(oMain.close());
    EXPECT_NE(UserSetting("Config", "DefaultAuction").find("[OUTLAY]4|"), std::string::npos);
}

TEST_F(MainWindowTest, AFailedSaveKeepsTheOldFileAndSaysWhy) {
    Start();
    m_asFiles = {QStringLiteral("Lamp.gva")};
    Press(Save);
    const QByteArray abBefore = ReadFile(Docs() + "Lamp.gva");
    TypeInto(Outlay(), QStringLiteral("5"));
    // The file's folder is replaced by a file: nothing can be written there.
    m_asFiles = {QStringLiteral("Gone/Lamp.gva")};
    WriteDoc(QStringLiteral("Gone"));
    m_alAnswers = {MsgBox::ResultOK};
    m_oMain->actSaveAs->trigger();
    ASSERT_EQ(m_asPrompts.size(), 1u);
    EXPECT_EQ(m_alCodes[0], MsgBox::Exclamation);
    EXPECT_EQ(m_asTitles[0], "");
    EXPECT_NE(m_asPrompts[0].find("Lamp.gva"), std::string::npos);
    EXPECT_TRUE(GetWorkingDoc().IsDirty());
    EXPECT_EQ(Caption(), "Gavelry UK - Lamp*");
    EXPECT_EQ(ReadFile(Docs() + "Lamp.gva"), abBefore);
}

// A folder whose file system has no room left. Where the test may mount one (as root) it is
// a small tmpfs, filled up; elsewhere the process may write no file beyond a few bytes
// (RLIMIT_FSIZE), which fails the same writes the same way while it lasts.
class clsFullFolder {
public:
    explicit clsFullFolder(const QString& sPath) : m_sPath(sPath) {
        QDir().mkpath(sPath);
        m_bMounted = ::geteuid() == 0 &&
                     ::mount("tmpfs", sPath.toLocal8Bit().constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~clsFullFolder() {
        if (m_bMounted) ::umount2(m_sPath.toLocal8Bit().constData(), MNT_DETACH);
    }
    bool IsTmpfs() const { return m_bMounted; }
    // Takes up the room left (tmpfs) or caps what a write may add (elsewhere) until Release.
    void Fill() {
        if (m_bMounted) {
            QFile oFiller(m_sPath + QStringLiteral("/filler"));
            ASSERT_TRUE(oFiller.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray abBlock(4096, 'x');
            while (oFiller.write(abBlock) == abBlock.size()) {
            }
            return;
        }
        std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_oLimit);
        rlimit oSmall = m_oLimit;
        oSmall.rlim_cur = 16;
        ::setrlimit(RLIMIT_FSIZE, &oSmall);
    }
    void Release() {
        if (m_bMounted)
            QFile::remove(m_sPath + QStringLiteral("/filler"));
        else
            ::setrlimit(RLIMIT_FSIZE, &m_oLimit);
    }

private:
    QString m_sPath;
    bool m_bMounted = false;
    rlimit m_oLimit{};
};

TEST_F(MainWindowTest, ASaveOnAFullDiskKeepsTheOldFileAndSaysWhy) {
    QTemporaryDir oLog;
    SetLogFilePath(oLog.filePath("GvDebug.log").toStdString());
    g_bDebug = true;
    clsFullFolder oFull(Docs() + "Full");
    Start();
    m_asFiles = {QStringLiteral("Full/Lamp.gva")};
    Press(Save);
    const QByteArray abBefore = ReadFile(Docs() + "Full/Lamp.gva");
    ASSERT_TRUE(abBefore.startsWith("[TYPE]"));
    TypeInto(Outlay(), QStringLiteral("5"));

    oFull.Fill();
    // Save writes to the auction's file without a dialog.
    m_alAnswers = {MsgBox::ResultOK};
    Press(Save);
    EXPECT_EQ(m_aoRequests.size(), 1u);
    oFull.Release();
    g_bDebug = false;
    SetLogFilePath("");

    EXPECT_EQ(ReadFile(Docs() + "Full/Lamp.gva"), abBefore) << "the old auction survives";
    ASSERT_EQ(m_asPrompts.size(), 1u);
    EXPECT_EQ(m_alCodes[0], MsgBox::Exclamation);
    EXPECT_EQ(m_asPrompts[0].rfind("Cannot save " + (Docs() + "Full/Lamp.gva").toStdString(), 0),
              0u)
        << m_asPrompts[0];
    EXPECT_TRUE(GetWorkingDoc().IsDirty());
    EXPECT_EQ(Caption(), "Gavelry UK - Lamp*");
    if (oFull.IsTmpfs()) {
        EXPECT_NE(m_asPrompts[0].find("No space left on device"), std::string::npos)
            << m_asPrompts[0];
        EXPECT_TRUE(ReadFile(oLog.filePath("GvDebug.log")).contains("Save failed: Cannot save "));
    }
    // Nothing half-written is left beside it.
    EXPECT_EQ(QDir(Docs() + "Full").entryList(QDir::Files), QStringList{"Lamp.gva"});
}

TEST_F(MainWindowTest, LoadingAMissingOrDamagedFileSaysSo) {
    Start();
    m_asFiles = {QStringLiteral("Missing.gva")};
    m_alAnswers = {MsgBox::ResultOK};
    Press(Load);
    ASSERT_EQ(m_asPrompts.size(), 1u);
    EXPECT_EQ(m_alCodes[0], MsgBox::Exclamation);
    // The chosen name is kept: the next save proposes it.
    EXPECT_EQ(m_oMain->FileTitle(), "Missing.gva");

    QFile oFile(Docs() + "Bad.gva");
    ASSERT_TRUE(oFile.open(QIODevice::WriteOnly));
    oFile.write("[TYPE]000|False|False|3|0|0|0|False|[TYPE]\r\n");
    oFile.close();
    m_asFiles = {QStringLiteral("Bad.gva")};
    m_alAnswers = {MsgBox::ResultOK};
    Press(Load);
    ASSERT_EQ(m_asPrompts.size(), 2u);
    EXPECT_EQ(m_asPrompts[1], "Failure loading section [OUTLAY]");
    EXPECT_EQ(Caption(), "Gavelry UK - Bad");
}

TEST_F(MainWindowTest, AboutBoxSettingsAndResetOfPanelPositions) {
    SetUserSetting("Controls\\Outlay", "Left", "6000");
    frmMain& oMain = Start();
    ctlOutlay* oOutlayPanel = oMain.ctlCalculator1->Outlay();
    ASSERT_EQ(ControlLeft(oOutlayPanel), 6000);
    bool bShown = false;
    frmMain::SetAboutBoxHook([&](frmAbout* oAbout) {
        EXPECT_EQ(oMain.AboutBox(), oAbout);
        bShown = oAbout->parentWidget() == &oMain;
        oAbout->ShowSettingsPage();
        oAbout->cboStartMode->setCurrentIndex(1);
        oAbout->txtSnapToGrid->Text(QStringLiteral("240"));
        emit oAbout->imgApply->FSCommand(QStringLiteral("click"), QString());
        emit oAbout->imgResetPositions->FSCommand(QStringLiteral("click"), QString());
        return true;
    });
    emit oMain.swfAbout->FSCommand(QStringLiteral("Click"), QString());
    EXPECT_TRUE(bShown);
    EXPECT_EQ(oMain.AboutBox(), nullptr);
    EXPECT_EQ(UserSetting("Config", "StartMode"), "1");
    EXPECT_EQ(UserSetting("Config", "SnapToGrid"), "240");
    EXPECT_EQ(g_lSnapToGrid, 240);
    EXPECT_EQ(ControlLeft(oOutlayPanel), 240);
    EXPECT_EQ(UserSetting("Controls\\Outlay", "Left"), "240");
}

TEST_F(MainWindowTest, CommandsOtherThanClickAreIgnoredAndUnknownButtonsReported) {
    frmMain& oMain = Start();
    emit oMain.swfVerticalMenuButtons[Wizard]->FSCommand(QStringLiteral("hover"), QString());
    EXPECT_TRUE(oMain.ctlCalculator1->isVisible());
    emit oMain.swfVerticalMenuButtons[Wizard]->FSCommand(QStringLiteral("CLICK"), QString());
    EXPECT_TRUE(oMain.ctlWizard1->isVisible());
    m_alAnswers = {MsgBox::ResultOK};
    oMain.swfVerticalMenuButtons_FSCommand(6, QStringLiteral("click"), QString());
    ASSERT_EQ(m_asPrompts.size(), 1u);
    EXPECT_EQ(m_asPrompts[0], "Button not recognised");
    EXPECT_EQ(m_alCodes[0], MsgBox::Information);
    EXPECT_EQ(m_asTitles[0], "");
}

TEST_F(MainWindowTest, AClickOnAButtonMovieRunsItsCommand) {
    frmMain& oMain = Start();
    ctlMovie* oWizard = oMain.swfVerticalMenuButtons[Wizard];
    ASSERT_TRUE(oWizard->IsLoaded());
    const QPoint ptMiddle = oWizard->rect().center();
    QTest::mouseMove(oWizard, ptMiddle);
    QTest::mouseClick(oWizard, Qt::LeftButton, Qt::NoModifier, ptMiddle);
    EXPECT_TRUE(oMain.ctlWizard1->isVisible());
}

TEST_F(MainWindowTest, ButtonsAreNamedForAssistiveTechnology) {
    frmMain& oMain = Start();
    const char* const asNames[] = {"New Auction", "Calculator", "Wizard",
                                   "Save",        "Load",       "Default Configuration"};
    for (int i = 0; i < 6; ++i) {
        ctlMovie* oButton = oMain.swfVerticalMenuButtons[size_t(i)];
        EXPECT_EQ(oButton->accessibleName(), asNames[i]);
        EXPECT_EQ(oButton->toolTip(), asNames[i]);
        EXPECT_EQ(oButton->accessibleDescription(),
                  QStringLiteral("swfVerticalMenuButtons(%1)").arg(i));
        EXPECT_TRUE(oButton->focusPolicy() & Qt::TabFocus);
    }
    EXPECT_EQ(oMain.swfAbout->accessibleName(), "About");
    EXPECT_EQ(oMain.swfAbout->accessibleDescription(), "swfAbout");
    // Tab walks down the column.
    oMain.swfVerticalMenuButtons[0]->setFocus(Qt::TabFocusReason);
    QTest::keyClick(oMain.swfVerticalMenuButtons[0], Qt::Key_Tab);
    EXPECT_TRUE(oMain.swfVerticalMenuButtons[1]->hasFocus());
}

TEST_F(MainWindowTest, ResizingKeepsTheAboutButtonAtTheBottomAndTheMinimumSize) {
    frmMain& oMain = Start();
    oMain.resize(oMain.width() + 60, oMain.height() + 90);
    QCoreApplication::processEvents();
    EXPECT_EQ(ControlTop(oMain.swfAbout), oMain.height() * 15 - oMain.AboutBottomOffset());
    EXPECT_EQ(oMain.fraRHS->width(), oMain.width() - oMain.fraRHS->x());
    EXPECT_EQ(oMain.ctlCalculator1->size(), oMain.fraRHS->size());
    oMain.resize(100, 100);
    QCoreApplication::processEvents();
    EXPECT_GE(oMain.width(), CalculatorWindowSize().width());
    EXPECT_GE(oMain.height(), CalculatorWindowSize().height());
}

TEST_F(MainWindowTest, ThePlacementIsStoredAndRestored) {
    frmMain& oMain = Start();
    oMain.move(30, 20);
    QCoreApplication::processEvents();
    const QRect rcBefore = oMain.geometry();
    ASSERT_TRUE(oMain.close());
    EXPECT_EQ(UserSetting("Forms\\Main", "Left"), std::to_string(oMain.x() * 15));
    EXPECT_EQ(UserSetting("Forms\\Main", "Width"), std::to_string(rcBefore.width() * 15));
    EXPECT_EQ(UserSetting("Forms\\Main", "WindowState"), "0");
    m_oMain.reset();
    EXPECT_EQ(Start().geometry(), rcBefore);
}

TEST_F(MainWindowTest, APlacementOffTheScreenIsBroughtBackOntoIt) {
    SetUserSetting("Forms\\Main", "Left", "-900000");
    SetUserSetting("Forms\\Main", "Top", "-900000");
    SetUserSetting("Forms\\Main", "Width", "900000");
    SetUserSetting("Forms\\Main", "Height", "900000");
    frmMain& oMain = Start();
    const QRect rcScreen = oMain.screen()->availableGeometry();
    EXPECT_TRUE(rcScreen.intersects(oMain.geometry()));
    EXPECT_LE(oMain.width(), rcScreen.width());
    EXPECT_LE(oMain.height(), rcScreen.height());
    EXPECT_GE(oMain.x(), rcScreen.x());
    EXPECT_GE(oMain.y(), rcScreen.y());
}

// In the whole window Tab goes down the buttons, then through the calculator as its panels
// stand (here a stored arrangement: the outlay moved to the far right), then back to the
// first button; the wizard's own panels, hidden beside it, are never visited.
TEST_F(MainWindowTest, TabGoesDownTheButtonsThenThroughThePanelsAsTheyStand) {
    SetUserSetting("Controls\\Outlay", "Left", "12720");
    SetUserSetting("Controls\\Outlay", "Top", "1560");
    frmMain& oMain = Start("1");
    ctlCalculator* oCalculator = oMain.ctlCalculator1;
    ASSERT_TRUE(oCalculator->isVisible());
    const auto PartOf = [oCalculator](const QWidget* o) -> std::string {
        for (const char* sKey : {"Outlay", "SellingFeatures", "AuctionType", "PayPal", "Postage"})
            if (oCalculator->Section(sKey)->isAncestorOf(o)) return sKey;
        if (oCalculator->SellingCosts()->isAncestorOf(o)) return "Costs";
        if (oCalculator->ScheduleChoice()->isAncestorOf(o)) return "Schedule";
        if (oCalculator->isAncestorOf(o)) return "calculator: " + o->objectName().toStdString();
        return "window";
    };
    QWidget* oFirst = oMain.swfVerticalMenuButtons[0];
    oFirst->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(oFirst->hasFocus());
    std::vector<std::string> asParts;
    for (int i = 0; i < 500; ++i) {
        QWidget* oFocus = QApplication::focusWidget();
        ASSERT_NE(oFocus, nullptr);
        const std::string sPart = PartOf(oFocus);
        if (asParts.empty() || asParts.back() != sPart) asParts.push_back(sPart);
        QTest::keyClick(oFocus, Qt::Key_Tab);
        if (QApplication::focusWidget() == oFirst) break;
    }
    ASSERT_EQ(QApplication::focusWidget(), oFirst) << "Tab comes round to where it began";
    EXPECT_EQ(asParts, (std::vector<std::string>{"window", "Costs", "Schedule", "SellingFeatures",
                                                 "PayPal", "Postage", "AuctionType", "Outlay"}));
}
