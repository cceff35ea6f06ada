#include "frmMain.h"

#include "basCommon.h"
#include "basControls.h"
#include "basFiles.h"
#include "basMain.h"
#include "basRecentFiles.h"
#include "basSettings.h"
#include "basWindows.h"
#include "clsCalculate.h"
#include "ctlCalculator.h"
#include "ctlMovie.h"
#include "ctlWizard.h"
#include "frmAbout.h"
#include "frmHowToUse.h"
#include "frmPreferences.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShowEvent>

#include <cstring>
#include <stdexcept>
#include <utility>

namespace {

// The window as designed, in twips: wide enough for the calculator, and the about button
// 1440 above the bottom edge.
constexpr int32_t kDesignWidth = 13620;
constexpr int32_t kDesignHeight = 10800;
constexpr int32_t kLeftWidth = 1575;
constexpr int32_t kRightLeft = 1590;
constexpr int32_t kButtonSize = 1080;
constexpr int32_t kButtonLeft = 240;
constexpr int32_t kAboutTop = kDesignHeight - 1440;

const char* const kSaveQuestion = "The current auction has been modified but not saved. Save now?";
const char* const kDefaultQuestion =
    "The default auction has been modified but not saved. Save now?";
const char* const kDefaultTitle = "Default Configuration";

std::function<bool(frmAbout*)> g_fnAboutBoxHook;
std::function<bool(frmPreferences*)> g_fnPreferencesHook;

QString MoviePath(const char* sName) {
    return GraphicsPath(QStringLiteral("Buttons\\") + QLatin1String(sName));
}

// A new auction of the program's own: nothing chosen, one item to sell.
void MakeNewAuction(clsCalculate& oAuction) {
    oAuction.Clear();
    oAuction.m_oOutlay.m_lQuantity = 1;
}

} // namespace

frmMain::frmMain(QWidget* oParent) : QWidget(oParent) {
    setObjectName(QStringLiteral("frmMain"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    fraLHS = new QFrame(this);
    fraLHS->setObjectName(QStringLiteral("fraLHS"));
    fraLHS->setFrameShape(QFrame::NoFrame);
    fraRHS = new QFrame(this);
    fraRHS->setObjectName(QStringLiteral("fraRHS"));
    fraRHS->setFrameShape(QFrame::NoFrame);

    const struct {
        const char* m_sMovie;
        const char* m_sToolTip;
    } aoButtons[6] = {
        {"New_button.swf", "New Auction"}, {"Calc_button.swf", "Calculator"},
        {"Wizard_button.swf", "Wizard"},   {"Save_button.swf", "Save"},
        {"Load_button.swf", "Load"},       {"Config_button.swf", "Default Configuration"},
    };
    QWidget* oPrevious = nullptr;
    for (int32_t i = 0; i < 6; ++i) {
        ctlMovie* oButton = new ctlMovie(fraLHS);
        const QString sName = QStringLiteral("swfVerticalMenuButtons(%1)").arg(i);
        oButton->setObjectName(sName);
        oButton->setAccessibleDescription(sName);
        oButton->Menu(false);
        oButton->setFocusPolicy(Qt::StrongFocus);
        SetControlGeometry(oButton, kButtonLeft, 240 + i * kButtonSize, kButtonSize, kButtonSize);
        connect(oButton, &ctlMovie::FSCommand, this,
                [this, i](const QString& sCommand, const QString& sArgs) {
                    swfVerticalMenuButtons_FSCommand(i, sCommand, sArgs);
                });
        swfVerticalMenuButtons[size_t(i)] = oButton;
        if (oPrevious) setTabOrder(oPrevious, oButton);
        oPrevious = oButton;
    }
    swfAbout = new ctlMovie(fraLHS);
    swfAbout->setObjectName(QStringLiteral("swfAbout"));
    swfAbout->setAccessibleDescription(QStringLiteral("swfAbout"));
    swfAbout->Menu(false);
    swfAbout->setFocusPolicy(Qt::StrongFocus);
    SetControlGeometry(swfAbout, kButtonLeft, kAboutTop, kButtonSize, kButtonSize);
    connect(swfAbout, &ctlMovie::FSCommand, this, &frmMain::swfAbout_FSCommand);
    setTabOrder(oPrevious, swfAbout);

    ctlCalculator1 = new ctlCalculator(fraRHS);
    ctlCalculator1->setObjectName(QStringLiteral("ctlCalculator1"));
    ctlCalculator1->hide();
    connect(ctlCalculator1, &ctlCalculator::Changed, this, [this](bool bDocDirty) {
        SetCaption(ctlCalculator1->ConfigMode() ? QString::fromLatin1(kDefaultTitle) : m_sFileTitle,
                   bDocDirty);
    });
    // Another schedule shows other panels: the window makes room for them.
    connect(ctlCalculator1, &ctlCalculator::ScheduleChanged, this, [this] {
        // The wizard's pages follow the schedule too.
        if (ctlWizard1) ctlWizard1->ApplySchedule();
        ctlCalculator1->CalcMinSize(m_lMinCalcWidth, m_lMinCalcHeight);
        ResizeForm();
    });
    CreateMenus();

    // Load. The design sizes are those of the area below the menu bar.
    resize(TwipsToPixels(kDesignWidth), TwipsToPixels(kDesignHeight + m_lMenuHeight));
    m_lDesignWidth = kDesignWidth;
    m_lDesignHeight = kDesignHeight;
    m_lAboutBottomOffset = kDesignHeight + m_lMenuHeight - ControlTop(swfAbout);
    m_bFirstActivate = true;
    LoadPlacement();
    for (int32_t i = 0; i < 6; ++i) {
        swfVerticalMenuButtons[size_t(i)]->Movie(MoviePath(aoButtons[i].m_sMovie));
        swfVerticalMenuButtons[size_t(i)]->ToolTip(QLatin1String(aoButtons[i].m_sToolTip));
        swfVerticalMenuButtons[size_t(i)]->setAccessibleName(
            QLatin1String(aoButtons[i].m_sToolTip));
    }
    swfAbout->Movie(MoviePath("About_button.swf"));
    swfAbout->ToolTip(QStringLiteral("About"));
    swfAbout->setAccessibleName(QStringLiteral("About"));
    m_sAppName = QString::fromStdString(GetAppName());
    SetCaption(QString(), false);
    StoreDefaultAuction(false);
    UpdateActions();
    SetMainWindow(this);
}

void frmMain::CreateMenus() {
    mnuBar = new QMenuBar(this);
    mnuBar->setObjectName(QStringLiteral("mnuBar"));
    const auto fnAction = [this](QMenu* oMenu, const char* sName, const QString& sText,
                                 auto fnRun) {
        auto* oAction = new QAction(sText, this);
        oAction->setObjectName(QLatin1String(sName));
        connect(oAction, &QAction::triggered, this, fnRun);
        oMenu->addAction(oAction);
        return oAction;
    };

    mnuFile = mnuBar->addMenu(tr("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    actNew = fnAction(mnuFile, "actNew", tr("&New Auction"), [this] { NewAuction(); });
    actNew->setShortcuts(StandardShortcut(QKeySequence::New, "Ctrl+N"));
    actOpen = fnAction(mnuFile, "actOpen", tr("&Open..."), [this] { LoadAuction(); });
    actOpen->setShortcuts(StandardShortcut(QKeySequence::Open, "Ctrl+O"));
    mnuRecent = mnuFile->addMenu(tr("Open &Recent"));
    mnuRecent->setObjectName(QStringLiteral("mnuRecent"));
    connect(mnuRecent, &QMenu::aboutToShow, this, &frmMain::FillRecentMenu);
    mnuFile->addSeparator();
    // In configuration mode Save stores the default auction.
    actSave = fnAction(mnuFile, "actSave", tr("&Save"), [this] {
        if (InConfigMode())
            StoreDefaultAuction(true);
        else
            SaveAuction(false);
    });
    actSave->setShortcuts(StandardShortcut(QKeySequence::Save, "Ctrl+S"));
    actSaveAs = fnAction(mnuFile, "actSaveAs", tr("Save &As..."), [this] { SaveAuction(true); });
    actSaveAs->setShortcuts(StandardShortcut(QKeySequence::SaveAs, "Ctrl+Shift+S"));
    mnuFile->addSeparator();
    actQuit = fnAction(mnuFile, "actQuit", tr("&Quit"), [this] { close(); });
    actQuit->setShortcuts(StandardShortcut(QKeySequence::Quit, "Ctrl+Q"));
    actQuit->setMenuRole(QAction::QuitRole);

    mnuView = mnuBar->addMenu(tr("&View"));
    mnuView->setObjectName(QStringLiteral("mnuView"));
    actCalculator =
        fnAction(mnuView, "actCalculator", tr("&Calculator"), [this] { ShowCalculator(); });
    actWizard = fnAction(mnuView, "actWizard", tr("&Wizard"), [this] { StartWizard(); });
    actConfigure = fnAction(mnuView, "actConfigure", tr("&Default Configuration"),
                            [this] { ConfigureDefault(); });

    mnuSettings = mnuBar->addMenu(tr("&Settings"));
    mnuSettings->setObjectName(QStringLiteral("mnuSettings"));
    actPreferences = fnAction(mnuSettings, "actPreferences", tr("&Preferences..."),
                              [this] { ShowPreferences(); });
    actPreferences->setShortcuts(StandardShortcut(QKeySequence::Preferences, "Ctrl+,"));
    actPreferences->setMenuRole(QAction::PreferencesRole);

    mnuHelp = mnuBar->addMenu(tr("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    actHowToUse = fnAction(mnuHelp, "actHowToUse", tr("&How to Use"), [this] { ShowHowToUse(); });
    actHowToUse->setShortcuts(StandardShortcut(QKeySequence::HelpContents, "F1"));
    actAbout =
        fnAction(mnuHelp, "actAbout", tr("&About %1").arg(QString::fromStdString(GetAppName())),
                 [this] { ShowAboutBox(); });
    actAbout->setMenuRole(QAction::AboutRole);

    // The buttons' names say what the actions do, for the status line and screen readers.
    const std::pair<QAction*, const char*> aoTips[] = {
        {actNew, "New Auction"}, {actOpen, "Load"},
        {actSave, "Save"},       {actCalculator, "Calculator"},
        {actWizard, "Wizard"},   {actConfigure, "Default Configuration"},
        {actAbout, "About"}};
    for (const auto& [oAction, sTip] : aoTips)
        oAction->setToolTip(QLatin1String(sTip));
    m_lMenuHeight = mnuBar->isNativeMenuBar() ? 0 : PixelsToTwips(mnuBar->sizeHint().height());
}

bool frmMain::InConfigMode() const {
    return ctlCalculator1->ConfigMode() && ctlCalculator1->isVisible();
}

bool frmMain::WizardShown() const {
    return ctlWizard1 && ctlWizard1->isVisible();
}

ctlWizard& frmMain::Wizard() {
    if (!ctlWizard1) {
        ctlWizard1 = new ctlWizard(fraRHS);
        ctlWizard1->setObjectName(QStringLiteral("ctlWizard1"));
        ctlWizard1->hide();
        // Edits in the wizard mark the caption as well: it works on the same auction.
        connect(ctlWizard1, &ctlWizard::Changed, this,
                [this](bool bDocDirty) { SetCaption(m_sFileTitle, bDocDirty); });
        connect(ctlWizard1, &ctlWizard::WizardCancel, this, &frmMain::RestoreBeforeWizard);
        connect(ctlWizard1, &ctlWizard::WizardComplete, this, &frmMain::ShowCalculator);
    }
    return *ctlWizard1;
}

void frmMain::UpdateActions() {
    const bool bConfig = InConfigMode();
    actOpen->setEnabled(!bConfig);
    mnuRecent->setEnabled(!bConfig);
    actSaveAs->setEnabled(!bConfig);
}

void frmMain::FillRecentMenu() {
    mnuRecent->clear();
    const std::vector<std::string> asFiles = GetRecentFiles();
    int lNumber = 0;
    for (const std::string& sFile : asFiles) {
        const QString sPath = QString::fromStdString(sFile);
        const QFileInfo oInfo(sPath);
        QAction* oAction = mnuRecent->addAction(
            QStringLiteral("&%1 %2").arg(++lNumber).arg(oInfo.completeBaseName()));
        oAction->setToolTip(QDir::toNativeSeparators(sPath));
        oAction->setStatusTip(oAction->toolTip());
        oAction->setData(sPath);
        connect(oAction, &QAction::triggered, this, [this, sPath] { OpenFile(sPath); });
    }
    if (asFiles.empty()) {
        mnuRecent->addAction(tr("No Recent Files"))->setEnabled(false);
        return;
    }
    mnuRecent->addSeparator();
    connect(mnuRecent->addAction(tr("&Clear Menu")), &QAction::triggered, this,
            [] { ClearRecentFiles(); });
}

frmMain::~frmMain() {
    if (GetMainWindow() == this) SetMainWindow(nullptr);
}

void frmMain::SetAboutBoxHook(std::function<bool(frmAbout*)> fnHook) {
    g_fnAboutBoxHook = std::move(fnHook);
}

void frmMain::SetPreferencesHook(std::function<bool(frmPreferences*)> fnHook) {
    g_fnPreferencesHook = std::move(fnHook);
}

void frmMain::showEvent(QShowEvent* oEvent) {
    QWidget::showEvent(oEvent);
    if (m_bFirstActivate) FirstActivate();
}

void frmMain::changeEvent(QEvent* oEvent) {
    QWidget::changeEvent(oEvent);
    if (oEvent->type() == QEvent::ActivationChange && isActiveWindow() && m_bFirstActivate)
        FirstActivate();
}

void frmMain::FirstActivate() {
    m_bFirstActivate = false;
    // Read first: a first start creates the setting whatever it shows.
    const std::string sStartMode = GetSettings().Read(Settings::StartMode);
    if (!m_sStartFile.isEmpty()) {
        // A file to open: the calculator shows it, whatever the start mode.
        NewAuction();
        OpenFile(std::exchange(m_sStartFile, QString()));
    } else if (sStartMode == "0") {
        // Nothing came before this wizard: its Cancel leaves a new auction.
        MakeNewAuction(GetWorkingDoc());
        GetWorkingDoc().SetDirty(false);
        StartWizard();
    } else
        NewAuction();
}

void frmMain::swfVerticalMenuButtons_FSCommand(int32_t nIndex, const QString& sCommand,
                                               const QString&) {
    if (sCommand.toLower() != QLatin1String("click")) return;
    // Each button runs its menu command: one way to do a thing.
    const std::array<QAction*, 6> aoActions = {actNew,  actCalculator, actWizard,
                                               actSave, actOpen,       actConfigure};
    if (nIndex < 0 || nIndex >= int32_t(aoActions.size())) {
        ShowMessage("Button not recognised", MsgBox::Information, "");
        return;
    }
    aoActions[size_t(nIndex)]->trigger();
}

void frmMain::swfAbout_FSCommand(const QString& sCommand, const QString&) {
    if (sCommand.toLower() == QLatin1String("click")) actAbout->trigger();
}

bool frmMain::ConfirmDiscardCurrent() {
    if (!GetWorkingDoc().IsDirty()) return true;
    switch (ShowMessage(kSaveQuestion, MsgBox::YesNoCancel | MsgBox::Question,
                        m_sAppName.toStdString())) {
    case MsgBox::ResultYes:
        return SaveAuction(false);
    case MsgBox::ResultNo:
        return true;
    default:
        return false;
    }
}

void frmMain::NewAuction() {
    if (ConfirmDiscardCurrent()) {
        clsCalculate& oDoc = GetWorkingDoc();
        oDoc.Copy(GetDefaultAuction());
        // A fresh copy has nothing of the user's to lose yet.
        oDoc.SetDirty(false);
        m_sFileTitle.clear();
        m_sFilePath.clear();
        ShowCalculator();
    }
    ResizeForm();
}

void frmMain::ShowCalculator() {
    if (ctlWizard1) ctlWizard1->hide();
    ctlCalculator1->RefreshSums(false, &GetWorkingDoc());
    if (ctlCalculator1->ConfigMode()) ctlCalculator1->ConfigMode(false);
    ctlCalculator1->setGeometry(fraRHS->rect());
    ctlCalculator1->show();
    ctlCalculator1->RefreshSums(true, &GetWorkingDoc());
    ctlCalculator1->CalcMinSize(m_lMinCalcWidth, m_lMinCalcHeight);
    // Unsaved work stays marked whichever view shows it.
    SetCaption(m_sFileTitle, GetWorkingDoc().IsDirty());
    UpdateActions();
    ResizeForm();
}

void frmMain::StartWizard() {
    if (!ConfirmDiscardCurrent()) return;
    KeepBeforeWizard();
    clsCalculate& oDoc = GetWorkingDoc();
    MakeNewAuction(oDoc);
    oDoc.SetDirty(false);
    // The new auction has no file yet: Save asks where to put it.
    m_sFilePath.clear();
    ctlWizard& oWizard = Wizard();
    ctlCalculator1->hide();
    oWizard.setGeometry(ctlCalculator1->geometry());
    // Shown again from its first page even when it was showing.
    oWizard.hide();
    oWizard.show();
    UpdateActions();
    ResizeForm();
}

void frmMain::ConfigureDefault() {
    StoreDefaultAuction(false);
    if (ctlWizard1) ctlWizard1->hide();
    ctlCalculator1->RefreshSums(false, &GetDefaultAuction());
    if (!ctlCalculator1->ConfigMode()) ctlCalculator1->ConfigMode(true);
    ctlCalculator1->setGeometry(fraRHS->rect());
    ctlCalculator1->show();
    ctlCalculator1->RefreshSums(true, &GetDefaultAuction());
    ctlCalculator1->CalcMinSize(m_lMinCalcWidth, m_lMinCalcHeight);
    SetCaption(QString::fromLatin1(kDefaultTitle), false);
    UpdateActions();
    ResizeForm();
}

std::string frmMain::UniqueNewAuctionName(const std::string& sFolder) {
    const QDir oFolder(QString::fromStdString(sFolder));
    for (int32_t i = 0;; ++i) {
        const QString sName =
            i == 0 ? QStringLiteral("NewAuction.gva") : QStringLiteral("NewAuction%1.gva").arg(i);
        if (!oFolder.exists(sName)) return sName.toStdString();
    }
}

bool frmMain::SaveAuction(bool bAskForName) {
    if (!bAskForName && !m_sFilePath.isEmpty()) return WriteAuction(m_sFilePath);
    const QString sPath = ChooseAuctionFile(true);
    return !sPath.isEmpty() && WriteAuction(sPath);
}

void frmMain::LoadAuction() {
    // Loading replaces the working auction: unsaved work is offered for saving first.
    if (InConfigMode() || !ConfirmDiscardCurrent()) return;
    const QString sPath = ChooseAuctionFile(false);
    if (!sPath.isEmpty()) ReadAuction(sPath);
}

bool frmMain::OpenFile(const QString& sPath) {
    if (InConfigMode() || !ConfirmDiscardCurrent()) return false;
    TakeFileName(sPath);
    return ReadAuction(sPath);
}

QString frmMain::ChooseAuctionFile(bool bSave) {
    clsFileDialogRequest oRequest;
    oRequest.m_bSave = bSave;
    oRequest.m_sTitle = bSave ? tr("Save Auction") : tr("Load Auction");
    oRequest.m_sFilter = m_sAppName + QStringLiteral(" files (*.gva)");
    oRequest.m_sFolder = QString::fromStdString(GetLastFolder());
    // The proposed folder exists, so that the dialog opens in it.
    if (bSave && !oRequest.m_sFolder.isEmpty()) QDir().mkpath(oRequest.m_sFolder);
    oRequest.m_sFileName = m_sFileTitle;
    if (bSave && m_sFileTitle.isEmpty())
        oRequest.m_sFileName =
            QString::fromStdString(UniqueNewAuctionName(oRequest.m_sFolder.toStdString()));
    QString sPath = ChooseFile(oRequest, this);
    if (sPath.isEmpty()) return sPath;
    if (bSave && QFileInfo(sPath).suffix().isEmpty()) sPath += QStringLiteral(".gva");
    TakeFileName(sPath);
    return sPath;
}

void frmMain::TakeFileName(const QString& sPath) {
    const QFileInfo oChosen(sPath);
    m_sFileTitle = oChosen.fileName();
    SetLastFolder(
        QDir::toNativeSeparators(oChosen.absolutePath() + QLatin1Char('/')).toStdString());
}

bool frmMain::WriteAuction(const QString& sPath) {
    clsCalculate& oDoc = GetWorkingDoc();
    std::string sData;
    oDoc.Serialize(sData, true);
    // Written beside the old file and renamed over it: a failure never leaves a half-written
    // auction behind.
    std::string sError;
    if (!ReplaceFileContents(sPath.toStdString(), sData + "\r\n", sError)) {
        const std::string sMessage = "Cannot save " + sPath.toStdString() + ": " + sError;
        LogDebug("Save failed: " + sMessage);
        ShowMessage(sMessage, MsgBox::Exclamation, "");
        // The next Save asks where to put it.
        m_sFilePath.clear();
        return false;
    }
    m_sFileTitle = QFileInfo(sPath).fileName();
    FileDone(sPath);
    return true;
}

void frmMain::FileDone(const QString& sPath) {
    m_sFilePath = QFileInfo(sPath).absoluteFilePath();
    AddRecentFile(m_sFilePath.toStdString());
    GetWorkingDoc().SetDirty(false);
    SetCaption(m_sFileTitle, false);
    // Saved or loaded in the wizard: its Cancel goes back no further than this.
    if (WizardShown()) KeepBeforeWizard();
}

bool frmMain::ReadAuction(const QString& sPath) {
    clsCalculate& oDoc = GetWorkingDoc();
    try {
        std::string sData;
        int nErrno = 0;
        switch (ReadWholeFile(sPath.toStdString(), clsCalculate::kMaxTextBytes, sData, &nErrno)) {
        case FileRead::Done:
            break;
        case FileRead::CannotOpen:
            throw std::runtime_error("Cannot open " + sPath.toStdString() + ": " +
                                     std::strerror(nErrno));
        case FileRead::ReadError:
            throw std::runtime_error("Cannot read " + sPath.toStdString());
        case FileRead::TooLarge:
            throw std::runtime_error(sPath.toStdString() + " is larger than " +
                                     DescribeBytes(clsCalculate::kMaxTextBytes) +
                                     ": not an auction file");
        }
        while (!sData.empty() && (sData.back() == '\n' || sData.back() == '\r'))
            sData.pop_back();
        oDoc.Serialize(sData, false);
        if (WizardShown())
            ctlWizard1->RefreshSums(true);
        else
            ctlCalculator1->RefreshSums(true, &oDoc);
    } catch (const std::exception& e) {
        LogDebug(std::string("Load failed: ") + e.what());
        ShowMessage(e.what(), MsgBox::Exclamation, "");
        // Whatever was read is not that file's auction: Save asks before writing it.
        m_sFilePath.clear();
        if (!QFileInfo(sPath).isFile()) RemoveRecentFile(sPath.toStdString());
        return false;
    }
    FileDone(sPath);
    return true;
}

void frmMain::KeepBeforeWizard() {
    clsCalculate& oDoc = GetWorkingDoc();
    m_oBeforeWizard.m_sAuction.clear();
    oDoc.Serialize(m_oBeforeWizard.m_sAuction, true);
    m_oBeforeWizard.m_sFileTitle = m_sFileTitle;
    m_oBeforeWizard.m_sFilePath = m_sFilePath;
    m_oBeforeWizard.m_bModified = oDoc.IsDirty();
}

void frmMain::RestoreBeforeWizard() {
    if (m_oBeforeWizard.m_sAuction.empty()) return;
    clsCalculate& oDoc = GetWorkingDoc();
    std::string sAuction = m_oBeforeWizard.m_sAuction;
    oDoc.Serialize(sAuction, false);
    oDoc.SetDirty(m_oBeforeWizard.m_bModified);
    m_sFileTitle = m_oBeforeWizard.m_sFileTitle;
    m_sFilePath = m_oBeforeWizard.m_sFilePath;
}

void frmMain::StoreDefaultAuction(bool bSave) {
    clsCalculate& oDefault = GetDefaultAuction();
    if (bSave) {
        std::string sData;
        oDefault.Serialize(sData, true);
        GetSettings().Write(Settings::DefaultAuction, sData);
    } else {
        std::string sData;
        if (GetSettings().Find(Settings::DefaultAuction, sData)) {
            oDefault.Serialize(sData, false);
        } else {
            // Nothing stored: unsaved changes give way to the built-in default auction.
            MakeNewAuction(oDefault);
        }
    }
    oDefault.SetDirty(false);
    // Only the configuration mode shows the default auction's name.
    if (InConfigMode()) SetCaption(QString::fromLatin1(kDefaultTitle), false);
}

void frmMain::SetCaption(const QString& sTitle, bool bModified) {
    QString sShown = sTitle;
    if (sShown.endsWith(QLatin1String(".gva"), Qt::CaseInsensitive)) sShown.chop(4);
    QString sCaption = m_sAppName;
    if (!sShown.isEmpty()) sCaption += QStringLiteral(" - ") + sShown;
    if (bModified) sCaption += QLatin1Char('*');
    setWindowTitle(sCaption);
}

void frmMain::ShowAboutBox() {
    frmAbout oAbout(this);
    m_frmAboutBox = &oAbout;
    connect(&oAbout, &frmAbout::ResetControlPositions, ctlCalculator1,
            &ctlCalculator::ResetControlPositions);
    if (!g_fnAboutBoxHook || !g_fnAboutBoxHook(&oAbout)) oAbout.exec();
    m_frmAboutBox = nullptr;
}

void frmMain::ShowPreferences() {
    frmPreferences oPreferences(this);
    connect(&oPreferences, &frmPreferences::ResetControlPositions, ctlCalculator1,
            &ctlCalculator::ResetControlPositions);
    if (!g_fnPreferencesHook || !g_fnPreferencesHook(&oPreferences)) oPreferences.exec();
}

void frmMain::ShowHowToUse() {
    // One page, kept open beside the window while the user works.
    if (!m_frmHowToUse) m_frmHowToUse = new frmHowToUse(this);
    m_frmHowToUse->show();
    m_frmHowToUse->raise();
    m_frmHowToUse->activateWindow();
}

void frmMain::closeEvent(QCloseEvent* oEvent) {
    StorePlacement();
    if (!ConfirmDiscardCurrent()) {
        oEvent->ignore();
        return;
    }
    if (GetDefaultAuction().IsDirty()) {
        switch (ShowMessage(kDefaultQuestion, MsgBox::YesNoCancel | MsgBox::Question,
                            m_sAppName.toStdString())) {
        case MsgBox::ResultYes:
            StoreDefaultAuction(true);
            break;
        case MsgBox::ResultNo:
            break;
        default:
            oEvent->ignore();
            return;
        }
    }
    oEvent->accept();
    LogDebug("End app");
}

void frmMain::LoadPlacement() {
    clsFormPlacement oPlacement;
    oPlacement.m_lLeft = PixelsToScreenTwips(x());
    oPlacement.m_lTop = PixelsToScreenTwips(y());
    oPlacement.m_lWidth = PixelsToScreenTwips(width());
    oPlacement.m_lHeight = PixelsToScreenTwips(height());
    const bool bStored = LoadFormPlacement("frmMain", oPlacement);
    QRect rcWindow(ScreenTwipsToPixels(oPlacement.m_lLeft), ScreenTwipsToPixels(oPlacement.m_lTop),
                   std::max(1, ScreenTwipsToPixels(oPlacement.m_lWidth)),
                   std::max(1, ScreenTwipsToPixels(oPlacement.m_lHeight)));
    const QScreen* oScreen = QGuiApplication::screenAt(rcWindow.center());
    if (!oScreen) oScreen = QGuiApplication::primaryScreen();
    if (oScreen) {
        const QRect rcAvailable = oScreen->availableGeometry();
        // Never larger than the screen, and on it: a placement stored on a screen that is
        // gone (or never stored) is centred on the screen at hand.
        rcWindow.setWidth(std::min(rcWindow.width(), rcAvailable.width()));
        rcWindow.setHeight(std::min(rcWindow.height(), rcAvailable.height()));
        if (!bStored || !rcAvailable.intersects(rcWindow))
            rcWindow.moveCenter(rcAvailable.center());
    }
    move(rcWindow.topLeft());
    resize(rcWindow.size());
    if (oPlacement.m_lWindowState == 2) setWindowState(windowState() | Qt::WindowMaximized);
}

void frmMain::StorePlacement() const {
    clsFormPlacement oPlacement;
    const QRect rcNormal = isMaximized() || isMinimized() ? normalGeometry() : geometry();
    const QPoint ptOrigin = isMaximized() || isMinimized() ? rcNormal.topLeft() : pos();
    oPlacement.m_lLeft = PixelsToScreenTwips(ptOrigin.x());
    oPlacement.m_lTop = PixelsToScreenTwips(ptOrigin.y());
    oPlacement.m_lWidth = PixelsToScreenTwips(rcNormal.width());
    oPlacement.m_lHeight = PixelsToScreenTwips(rcNormal.height());
    oPlacement.m_lWindowState = isMinimized() ? 1 : isMaximized() ? 2 : 0;
    SaveFormPlacement("frmMain", oPlacement);
}

void frmMain::ResizeForm() {
    if (isMinimized()) return;
    int32_t lMinWidth = m_lDesignWidth;
    int32_t lMinHeight = m_lDesignHeight + m_lMenuHeight;
    if (ctlCalculator1->isVisibleTo(this)) {
        lMinWidth = kRightLeft + m_lMinCalcWidth;
        lMinHeight = m_lMinCalcHeight + m_lMenuHeight;
    }
    QSize szMin(TwipsToPixels(lMinWidth), TwipsToPixels(lMinHeight));
    if (const QScreen* oScreen = screen())
        szMin = szMin.boundedTo(oScreen->availableGeometry().size());
    // A larger minimum grows the window at once; its new size is known here even where a
    // shown window reports it only later.
    const QSize szOld = size();
    setMinimumSize(szMin);
    if (!isMaximized() && (szOld.width() < szMin.width() || szOld.height() < szMin.height())) {
        const QSize szNew = szOld.expandedTo(szMin);
        resize(szNew);
        // Grown for the calculator: pulled back left and up as far as needed to stay on the
        // screen.
        if (const QScreen* oScreen = screen()) {
            const QRect rcAvailable = oScreen->availableGeometry();
            QPoint ptTopLeft = pos();
            ptTopLeft.setX(
                std::max(rcAvailable.left(),
                         std::min(ptTopLeft.x(), rcAvailable.right() + 1 - szNew.width())));
            ptTopLeft.setY(
                std::max(rcAvailable.top(),
                         std::min(ptTopLeft.y(), rcAvailable.bottom() + 1 - szNew.height())));
            if (ptTopLeft != pos()) move(ptTopLeft);
        }
    }
    // The frames fill the window below the menu bar; the about button keeps its distance
    // from the window's bottom edge.
    const int32_t lHeight = PixelsToTwips(height());
    const int32_t lClient = std::max(0, lHeight - m_lMenuHeight);
    if (!mnuBar->isNativeMenuBar())
        mnuBar->setGeometry(0, 0, width(), TwipsToPixels(m_lMenuHeight));
    SetControlGeometry(fraLHS, 0, m_lMenuHeight, kLeftWidth, lClient);
    SetControlGeometry(fraRHS, kRightLeft, m_lMenuHeight,
                       std::max(0, PixelsToTwips(width()) - kRightLeft), lClient);
    SetControlGeometry(swfAbout, kButtonLeft, std::max(0, lHeight - m_lAboutBottomOffset),
                       kButtonSize, kButtonSize);
    if (ctlCalculator1->isVisibleTo(this)) ctlCalculator1->setGeometry(fraRHS->rect());
    if (ctlWizard1 && ctlWizard1->isVisibleTo(this)) ctlWizard1->setGeometry(fraRHS->rect());
}

void frmMain::resizeEvent(QResizeEvent* oEvent) {
    QWidget::resizeEvent(oEvent);
    ResizeForm();
}
