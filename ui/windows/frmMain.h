#pragma once

#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

class QFrame;
class ctlCalculator;
class ctlMovie;
class ctlWizard;
class frmAbout;

// The program's window: seven command buttons down the left, and either the calculator
// (normal or configuration mode) or the wizard on the right. It decides which auction the
// panels edit, guards the working and the default auction against being lost unsaved, and
// keeps its caption in step with the file and its modified state.
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

    const QString& FileTitle() const { return m_sFileTitle; }
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
    ctlWizard* ctlWizard1 = nullptr;

protected:
    void showEvent(QShowEvent* oEvent) override;
    void closeEvent(QCloseEvent* oEvent) override;
    void resizeEvent(QResizeEvent* oEvent) override;
    void changeEvent(QEvent* oEvent) override;

private:
    void FirstActivate();
    bool ConfirmDiscardCurrent();
    void NewAuction();
    void ShowCalculator();
    void StartWizard();
    void ConfigureDefault();
    bool SaveOrLoadAuction(bool bSave);
    void StoreDefaultAuction(bool bSave);
    void SetCaption(const QString& sTitle, bool bModified);
    // What the wizard's Cancel puts back: the working auction, its file and its modified
    // state as they were when the wizard was started (or last saved or loaded in it).
    void KeepBeforeWizard();
    void RestoreBeforeWizard();
    void ShowAboutBox();
    void LoadPlacement();
    void StorePlacement() const;
    void ResizeForm();

    int32_t m_lDesignWidth = 0;
    int32_t m_lDesignHeight = 0;
    int32_t m_lMinCalcWidth = 0;
    int32_t m_lMinCalcHeight = 0;
    int32_t m_lAboutBottomOffset = 0;
    QString m_sFileTitle;
    QString m_sAppName;
    bool m_bFirstActivate = true;
    frmAbout* m_frmAboutBox = nullptr;
    struct clsWizardStart {
        std::string m_sAuction;
        QString m_sFileTitle;
        bool m_bModified = false;
    } m_oBeforeWizard;
};
