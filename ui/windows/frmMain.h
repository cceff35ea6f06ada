#pragma once

#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

class QAction;
class QFrame;
class QMenu;
class QMenuBar;
class ctlCalculator;
class ctlMovie;
class ctlWizard;
class frmAbout;
class frmHowToUse;
class frmPreferences;

// The program's window: seven command buttons down the left, and either the calculator
// (normal or configuration mode) or the wizard on the right. It decides which auction the
// panels edit, guards the working and the default auction against being lost unsaved, and
// keeps its caption in step with the file and its modified state. Every command has one
// action, shown in the menu bar with the platform's shortcut; the buttons trigger the same
// actions.
class frmMain : public QWidget {
    Q_OBJECT

public:
    explicit frmMain(QWidget* oParent = nullptr);
    ~frmMain() override;

    // A command button's movie reports a command; "click" (any case) runs the command.
    void swfVerticalMenuButtons_FSCommand(int32_t nIndex, const QString& sCommand,
                                          const QString& sArgs);
    void swfAbout_FSCommand(const QString& sCommand, const QString& sArgs);

    // The first name among NewAuction.gva, NewAuction1.gva ... not taken in the folder.
    static std::string UniqueNewAuctionName(const std::string& sFolder);

    // Called with the about box before it is shown modally; when it returns true the box is
    // not shown (tests drive it from there).
    static void SetAboutBoxHook(std::function<bool(frmAbout*)> fnHook);
    // The same for the Preferences dialog.
    static void SetPreferencesHook(std::function<bool(frmPreferences*)> fnHook);

    // A file to open at the first activation instead of the start mode's view (the file
    // named on the command line).
    void SetStartFile(const QString& sPath) { m_sStartFile = sPath; }
    // Opens an auction file as Load does: unsaved work is offered for saving first, and
    // nothing happens in configuration mode. True when the file was loaded.
    bool OpenFile(const QString& sPath);

    const QString& FileTitle() const { return m_sFileTitle; }
    // The file the working auction was last loaded from or saved to; Save writes there
    // without asking. Empty for a new auction.
    const QString& FilePath() const { return m_sFilePath; }
    // The wizard, made when first needed.
    ctlWizard& Wizard();
    // The design geometry of the window and its minimum calculator size, in twips.
    int32_t DesignWidth() const { return m_lDesignWidth; }
    int32_t DesignHeight() const { return m_lDesignHeight; }
    int32_t AboutBottomOffset() const { return m_lAboutBottomOffset; }
    frmAbout* AboutBox() const { return m_frmAboutBox; }

    QFrame* fraLHS = nullptr;
    std::array<ctlMovie*, 6> swfVerticalMenuButtons{};
    ctlMovie* swfAbout = nullptr;
    QFrame* fraRHS = nullptr;
    ctlCalculator* ctlCalculator1 = nullptr;
    // None until the wizard is first shown.
    ctlWizard* ctlWizard1 = nullptr;
    frmHowToUse* m_frmHowToUse = nullptr;

    QMenuBar* mnuBar = nullptr;
    QMenu* mnuFile = nullptr;
    QMenu* mnuRecent = nullptr;
    QMenu* mnuView = nullptr;
    QMenu* mnuSettings = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* actNew = nullptr;
    QAction* actOpen = nullptr;
    QAction* actSave = nullptr;
    QAction* actSaveAs = nullptr;
    QAction* actQuit = nullptr;
    QAction* actCalculator = nullptr;
    QAction* actWizard = nullptr;
    QAction* actConfigure = nullptr;
    QAction* actPreferences = nullptr;
    QAction* actHowToUse = nullptr;
    QAction* actAbout = nullptr;

protected:
    void showEvent(QShowEvent* oEvent) override;
    void closeEvent(QCloseEvent* oEvent) override;
    void resizeEvent(QResizeEvent* oEvent) override;
    void changeEvent(QEvent* oEvent) override;

private:
    void CreateMenus();
    // Actions that make no sense in the current view are greyed: Open and Save As in
    // configuration mode.
    void UpdateActions();
    void FillRecentMenu();
    bool InConfigMode() const;
    bool WizardShown() const;
    void FirstActivate();
    bool ConfirmDiscardCurrent();
    void NewAuction();
    void ShowCalculator();
    void StartWizard();
    void ConfigureDefault();
    // Save (bAskForName false: the current file when there is one) and Save As.
    bool SaveAuction(bool bAskForName);
    // Load: unsaved work first, then the open dialog.
    void LoadAuction();
    // The auction file dialog; the chosen file's name becomes the file title. Empty when
    // cancelled.
    QString ChooseAuctionFile(bool bSave);
    void TakeFileName(const QString& sPath);
    bool WriteAuction(const QString& sPath);
    bool ReadAuction(const QString& sPath);
    // sPath is now the working auction's file: Save writes there, it heads the recent files,
    // and the auction is saved as it stands.
    void FileDone(const QString& sPath);
    void StoreDefaultAuction(bool bSave);
    void SetCaption(const QString& sTitle, bool bModified);
    // What the wizard's Cancel puts back: the working auction, its file and its modified
    // state as they were when the wizard was started (or last saved or loaded in it).
    void KeepBeforeWizard();
    void RestoreBeforeWizard();
    void ShowAboutBox();
    void ShowPreferences();
    void ShowHowToUse();
    void LoadPlacement();
    void StorePlacement() const;
    void ResizeForm();

    int32_t m_lDesignWidth = 0;
    int32_t m_lDesignHeight = 0;
    int32_t m_lMinCalcWidth = 0;
    int32_t m_lMinCalcHeight = 0;
    int32_t m_lAboutBottomOffset = 0;
    // The menu bar's height inside the window (0 where the desktop shows it elsewhere).
    int32_t m_lMenuHeight = 0;
    QString m_sFileTitle;
    QString m_sFilePath;
    QString m_sStartFile;
    QString m_sAppName;
    bool m_bFirstActivate = true;
    frmAbout* m_frmAboutBox = nullptr;
    struct clsWizardStart {
        std::string m_sAuction;
        QString m_sFileTitle;
        QString m_sFilePath;
        bool m_bModified = false;
    } m_oBeforeWizard;
};
