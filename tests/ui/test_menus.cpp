// The menu bar: every command has its action and the platform's shortcut, the buttons run the
// same actions, Save writes a named auction in place, the recent files, opening a file as
// Load does, the Preferences dialog and the How to Use page.
#include "MainWindowTest.h"

#include "basRecentFiles.h"
#include "ctlWizard.h"
#include "frmHowToUse.h"
#include "frmPreferences.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>

class MenuTest : public MainWindowTest {
protected:
    // The working auction saved as sName through Save As.
    void SaveAs(const QString& sName) {
        m_asFiles.push_back(sName);
        m_oMain->actSaveAs->trigger();
    }
    QStringList RecentNames() {
        QStringList asNames;
        for (const std::string& sPath : GetRecentFiles())
            asNames << QFileInfo(QString::fromStdString(sPath)).fileName();
        return asNames;
    }
    // The Open Recent menu as the user sees it when opening it.
    QList<QAction*> RecentMenu() {
        emit m_oMain->mnuRecent->aboutToShow();
        return m_oMain->mnuRecent->actions();
    }
};

TEST_F(MenuTest, EachShortcutTriggersItsCommandWhereverTheFocusIs) {
    frmMain& oMain = Start();
    QAction* const actPlainMenuItems[] = {oMain.actCalculator, oMain.actWizard, oMain.actConfigure,
                                          oMain.actAbout};
    for (QAction* oAction : actPlainMenuItems)
        EXPECT_TRUE(oAction->shortcut().isEmpty()) << oAction->objectName().toStdString();
    frmMain::SetPreferencesHook([](frmPreferences*) { return true; });
    const struct {
        QAction* m_oAction;
        QKeySequence::StandardKey m_eKey;
        const char* m_sFallback;
    } aoCases[] = {
        {oMain.actNew, QKeySequence::New, "Ctrl+N"},
        {oMain.actOpen, QKeySequence::Open, "Ctrl+O"},
        {oMain.actSave, QKeySequence::Save, "Ctrl+S"},
        {oMain.actSaveAs, QKeySequence::SaveAs, "Ctrl+Shift+S"},
        {oMain.actPreferences, QKeySequence::Preferences, "Ctrl+,"},
        {oMain.actHowToUse, QKeySequence::HelpContents, "F1"},
        {oMain.actQuit, QKeySequence::Quit, "Ctrl+Q"},
    };
    // The dialogs that Open, Save and Save As show are cancelled.
    m_asFiles = {QString(), QString(), QString()};
    for (const auto& oCase : aoCases) {
        const std::string sName = oCase.m_oAction->objectName().toStdString();
        const QList<QKeySequence> aoPlatform = QKeySequence::keyBindings(oCase.m_eKey);
        const QKeySequence oExpected = aoPlatform.isEmpty()
                                           ? QKeySequence(QLatin1String(oCase.m_sFallback))
                                           : aoPlatform.first();
        ASSERT_EQ(oCase.m_oAction->shortcut(), oExpected) << sName;
        // Typed while a field of the calculator has the focus, as a user would.
        if (oMain.ctlCalculator1->isVisible()) {
            Outlay()->setFocus(Qt::MouseFocusReason);
            ASSERT_TRUE(Outlay()->hasFocus());
        }
        QSignalSpy oSpy(oCase.m_oAction, &QAction::triggered);
        QTest::keySequence(&oMain, oCase.m_oAction->shortcut());
        EXPECT_EQ(oSpy.count(), 1) << sName;
    }
    // What the last ones did: the dialogs were asked for, the page is open, the window closed.
    ASSERT_EQ(m_aoRequests.size(), 3u);
    EXPECT_FALSE(m_aoRequests[0].m_bSave);
    EXPECT_TRUE(m_aoRequests[1].m_bSave);
    EXPECT_TRUE(m_aoRequests[2].m_bSave);
    ASSERT_NE(oMain.m_frmHowToUse, nullptr);
    EXPECT_TRUE(oMain.m_frmHowToUse->txtPage->toPlainText().contains("Selling Cost"));
    EXPECT_FALSE(oMain.isVisible()) << "Quit closes the window";
    frmMain::SetPreferencesHook({});
}

TEST_F(MenuTest, TheButtonsRunTheMenuCommands) {
    frmMain& oMain = Start();
    QAction* const aoActions[] = {oMain.actNew,  oMain.actCalculator, oMain.actWizard,
                                  oMain.actSave, oMain.actOpen,       oMain.actConfigure};
    m_asFiles = {QString(), QString()}; // Save and Load dialogs, cancelled
    for (int i = 0; i < 6; ++i) {
        QSignalSpy oSpy(aoActions[i], &QAction::triggered);
        Press(i);
        EXPECT_EQ(oSpy.count(), 1) << i;
    }
    QSignalSpy oAbout(oMain.actAbout, &QAction::triggered);
    frmMain::SetAboutBoxHook([](frmAbout*) { return true; });
    emit oMain.swfAbout->FSCommand(QStringLiteral("click"), QString());
    EXPECT_EQ(oAbout.count(), 1);
    // Configuration mode: Open and Save As are greyed, and the Load button does nothing.
    EXPECT_FALSE(oMain.actOpen->isEnabled());
    EXPECT_FALSE(oMain.actSaveAs->isEnabled());
    EXPECT_FALSE(oMain.mnuRecent->isEnabled());
    Press(Load);
    EXPECT_EQ(m_aoRequests.size(), 2u);
    Press(Calculator);
    EXPECT_TRUE(oMain.actOpen->isEnabled());
    EXPECT_TRUE(oMain.actSaveAs->isEnabled());
}

TEST_F(MenuTest, SaveWritesANamedAuctionInPlaceAndSaveAsAlwaysAsks) {
    frmMain& oMain = Start();
    TypeInto(Outlay(), QStringLiteral("4"));
    m_asFiles = {QStringLiteral("Lamp.gva")};
    oMain.actSave->trigger(); // a new auction: Save asks for a name
    ASSERT_EQ(m_aoRequests.size(), 1u);
    EXPECT_EQ(oMain.FilePath(), Docs() + "Lamp.gva");

    TypeInto(Outlay(), QStringLiteral("5"));
    oMain.actSave->trigger();
    EXPECT_EQ(m_aoRequests.size(), 1u) << "no dialog for a named auction";
    EXPECT_TRUE(ReadFile(Docs() + "Lamp.gva").contains("[OUTLAY]5|"));
    EXPECT_EQ(Caption(), "Gavelry UK - Lamp");

    SaveAs(QStringLiteral("Vase.gva"));
    ASSERT_EQ(m_aoRequests.size(), 2u);
    EXPECT_EQ(m_aoRequests[1].m_sFileName, "Lamp.gva") << "Save As proposes the current name";
    EXPECT_EQ(Caption(), "Gavelry UK - Vase");
    TypeInto(Outlay(), QStringLiteral("6"));
    oMain.actSave->trigger();
    EXPECT_TRUE(ReadFile(Docs() + "Vase.gva").contains("[OUTLAY]6|"));
    EXPECT_TRUE(ReadFile(Docs() + "Lamp.gva").contains("[OUTLAY]5|"));

    // The wizard starts a new auction: it must not go silently over the last file.
    Press(Wizard);
    m_asFiles = {QString()};
    oMain.actSave->trigger();
    EXPECT_EQ(m_aoRequests.size(), 3u);
    EXPECT_TRUE(ReadFile(Docs() + "Vase.gva").contains("[OUTLAY]6|"));
    // Nor does an auction whose file could not be read.
    Press(Calculator);
    m_alAnswers = {MsgBox::ResultOK};
    EXPECT_FALSE(oMain.OpenFile(Docs() + "Missing.gva"));
    EXPECT_TRUE(oMain.FilePath().isEmpty());
    m_asFiles = {QString()};
    oMain.actSave->trigger();
    EXPECT_EQ(m_aoRequests.size(), 4u);
    EXPECT_EQ(m_aoRequests[3].m_sFileName, "Missing.gva");
}

TEST_F(MenuTest, RecentFilesKeepTheNewestEightAndDropMissingOnes) {
    frmMain& oMain = Start();
    EXPECT_TRUE(RecentNames().isEmpty());
    ASSERT_EQ(RecentMenu().size(), 1);
    EXPECT_FALSE(RecentMenu()[0]->isEnabled()) << "an empty list says so";
    for (int i = 1; i <= 9; ++i)
        SaveAs(QStringLiteral("A%1.gva").arg(i));
    EXPECT_EQ(RecentNames(), (QStringList{"A9.gva", "A8.gva", "A7.gva", "A6.gva", "A5.gva",
                                          "A4.gva", "A3.gva", "A2.gva"}));
    // Opening one puts it first, once.
    ASSERT_TRUE(oMain.OpenFile(Docs() + "A4.gva"));
    EXPECT_EQ(RecentNames().mid(0, 3), (QStringList{"A4.gva", "A9.gva", "A8.gva"}));
    EXPECT_EQ(RecentNames().size(), 8);
    // A file deleted meanwhile is no longer offered, here or after a restart.
    QFile::remove(Docs() + "A8.gva");
    const QList<QAction*> aoMenu = RecentMenu();
    ASSERT_GE(aoMenu.size(), 7);
    EXPECT_EQ(aoMenu[0]->text(), "&1 A4");
    EXPECT_EQ(aoMenu[1]->text(), "&2 A9");
    EXPECT_EQ(aoMenu[2]->text(), "&3 A7");
    EXPECT_EQ(aoMenu[2]->data().toString(), Docs() + "A7.gva");
    EXPECT_EQ(RecentNames().size(), 7);
    EXPECT_EQ(UserSetting("RecentFiles", "File8"), "<absent>");
    // Choosing an entry opens that file.
    aoMenu[2]->trigger();
    EXPECT_EQ(Caption(), "Gavelry UK - A7");
    EXPECT_EQ(RecentNames()[0], "A7.gva");
    // One that vanished after the menu was shown: the error Load gives, and it is dropped.
    QAction* oA9 = RecentMenu()[2];
    ASSERT_EQ(oA9->text(), "&3 A9");
    QFile::remove(Docs() + "A9.gva");
    m_alAnswers = {MsgBox::ResultOK};
    oA9->trigger();
    ASSERT_EQ(m_asPrompts.size(), 1u);
    EXPECT_EQ(m_asPrompts[0].rfind("Cannot open " + (Docs() + "A9.gva").toStdString(), 0), 0u);
    EXPECT_EQ(m_alCodes[0], MsgBox::Exclamation);
    EXPECT_FALSE(RecentNames().contains("A9.gva"));
    // Clear Menu empties it.
    RecentMenu().last()->trigger();
    EXPECT_TRUE(RecentNames().isEmpty());
}

TEST_F(MenuTest, OpeningAnotherFileFollowsTheLoadRules) {
    frmMain& oMain = Start();
    TypeInto(Outlay(), QStringLiteral("2"));
    SaveAs(QStringLiteral("Two.gva"));
    TypeInto(Outlay(), QStringLiteral("3"));
    SaveAs(QStringLiteral("Three.gva"));
    TypeInto(Outlay(), QStringLiteral("9"));
    // Unsaved work: Cancel keeps it, No drops it.
    m_alAnswers = {MsgBox::ResultCancel};
    EXPECT_FALSE(oMain.OpenFile(Docs() + "Two.gva"));
    EXPECT_EQ(Caption(), "Gavelry UK - Three*");
    EXPECT_FLOAT_EQ(GetWorkingDoc().m_oOutlay.m_fOutlay, 9.0f);
    m_alAnswers = {MsgBox::ResultNo};
    EXPECT_TRUE(oMain.OpenFile(Docs() + "Two.gva"));
    EXPECT_EQ(m_asPrompts, std::vector<std::string>(2, kSaveQuestion));
    EXPECT_EQ(Caption(), "Gavelry UK - Two");
    EXPECT_FLOAT_EQ(GetWorkingDoc().m_oOutlay.m_fOutlay, 2.0f);
    EXPECT_EQ(Outlay()->Text(), "£2.00");
    // Not in configuration mode, where the default auction is shown.
    Press(Configure);
    EXPECT_FALSE(oMain.OpenFile(Docs() + "Three.gva"));
    EXPECT_EQ(Caption(), "Gavelry UK - Default Configuration");
}

TEST_F(MenuTest, PreferencesApplyOnOkAndNothingOnCancel) {
    SetUserSetting("Controls\\Outlay", "Left", "6000");
    frmMain& oMain = Start();
    const auto fnChange = [](frmPreferences* oPreferences, bool bOk) {
        EXPECT_EQ(oPreferences->cboStartMode->currentText(), "Advanced");
        EXPECT_EQ(oPreferences->cboStartMode->itemText(0), "Wizard");
        oPreferences->cboStartMode->setCurrentIndex(0);
        oPreferences->txtSnapToGrid->Text(QStringLiteral("240"));
        oPreferences->chkResetPositions->setChecked(true);
        oPreferences->btnButtons->button(bOk ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)
            ->click();
        return true;
    };
    frmMain::SetPreferencesHook([&](frmPreferences* o) { return fnChange(o, false); });
    oMain.actPreferences->trigger();
    EXPECT_EQ(UserSetting("Config", "StartMode"), "1");
    EXPECT_EQ(g_lSnapToGrid, 120);
    EXPECT_EQ(ControlLeft(oMain.ctlCalculator1->Outlay()), 6000);

    frmMain::SetPreferencesHook([&](frmPreferences* o) { return fnChange(o, true); });
    oMain.actPreferences->trigger();
    frmMain::SetPreferencesHook({});
    EXPECT_EQ(UserSetting("Config", "StartMode"), "0");
    EXPECT_EQ(UserSetting("Config", "SnapToGrid"), "240");
    EXPECT_EQ(g_lSnapToGrid, 240);
    EXPECT_EQ(ControlLeft(oMain.ctlCalculator1->Outlay()), 240);
}

TEST_F(MenuTest, TheMenuBarSitsAboveTheButtonsAndThePanels) {
    frmMain& oMain = Start();
    const QStringList asMenus = {"&File", "&View", "&Settings", "&Help"};
    QStringList asShown;
    for (QAction* oMenu : oMain.mnuBar->actions())
        asShown << oMenu->text();
    EXPECT_EQ(asShown, asMenus);
    EXPECT_EQ(oMain.fraLHS->y(), oMain.mnuBar->isNativeMenuBar() ? 0 : oMain.mnuBar->height());
    EXPECT_EQ(oMain.fraRHS->y(), oMain.fraLHS->y());
    EXPECT_EQ(oMain.fraLHS->geometry().bottom(), oMain.height() - 1);
    EXPECT_EQ(oMain.mnuBar->width(), oMain.width());
}
