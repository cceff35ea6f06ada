#pragma once

#include "clsAuctionRefresh.h"

#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <vector>

class QFrame;
class QLabel;
class QPushButton;
class QScrollBar;
class ctlSectionPanel;
class ctlSellingCosts;
class ctlAuctionType;
class ctlOutlay;
class ctlPayPal;
class ctlPostage;
class ctlProfitChart;
class ctlSellingFeatures;
class ctlToday;

// The guided way through an auction: the section panels one page at a time, each under a
// prompt, with Back, Next (Finish on the last page) and Cancel, and the selling costs below;
// the last page shows the profit chart beside its panel. Always on the working auction. The
// pages follow the fee schedule as the calculator's panels do: under the 2008 fees the five
// section panels; under today's fees the kind of sale, the upgrades and PayPal step aside and
// today's inputs come first, where the kind of sale stood.
class ctlWizard : public QWidget {
    Q_OBJECT

public:
    struct clsPage {
        QString m_sTitle;
        int32_t m_lIndex = -1;
        int16_t m_nFrame = 0;  // fraPages index
        int16_t m_nPrompt = 0; // the number of its stored prompt: the frame's, except on
                               // today's postage page, which asks for the postage typed in
        ctlSectionPanel* m_oPanel = nullptr;
        QString m_sPrompt;
        bool m_bFirst = false;
        bool m_bLast = false;
    };

    explicit ctlWizard(QWidget* oParent = nullptr);

    // Recalculates the working auction and shows it; with bUpdateControlDisplays every
    // panel is filled again, which never leaves a clean auction modified.
    void RefreshSums(bool bUpdateControlDisplays);

    // Shows page lIndex (0 to Pages() - 1); any other index hides every page.
    void ShowPage(int32_t lIndex);
    // The current page; index -1 before any is shown or after an index outside the pages.
    const clsPage& CurrentPage() const { return m_oCurrentPage; }
    const clsPage& Page(int32_t lIndex) const { return m_aoPages.at(size_t(lIndex)); }
    // The pages of the walk under the schedule in use.
    int32_t Pages() const { return int32_t(m_aoPages.size()); }
    // The pages of the longest walk, the 2008 schedule's.
    static constexpr int32_t PageCount = 5;
    // One frame per panel: the five section panels, then today's inputs (5).
    static constexpr int32_t FrameCount = 6;

    // Takes the pages of the schedule in use; when it changed while the wizard shows, the
    // page of the same panel stays, else the walk starts again.
    void ApplySchedule();

    // The built-in prompt of a prompt number (0 to 6).
    static QString DefaultPrompt(int16_t nPrompt);

    // The profit chart of the last page, made when first needed (it is costly to build and
    // most walks through the wizard are cut short).
    ctlProfitChart& ProfitChart();

    // Holds every part; scrolls when the wizard is smaller than its parts need.
    QWidget* fraCanvas = nullptr;
    QLabel* lblInfo = nullptr;
    QFrame* fraViewPort = nullptr;
    std::array<QFrame*, FrameCount> fraPages{};
    QScrollBar* vsbVert = nullptr;
    QFrame* lneLine = nullptr;
    ctlSellingCosts* ctlSellingCostsSection = nullptr;
    QFrame* fraButtons = nullptr;
    QPushButton* imgBack = nullptr;
    QPushButton* imgNext = nullptr;
    QPushButton* imgCancel = nullptr;
    ctlOutlay* ctlOutlaySection = nullptr;
    ctlAuctionType* ctlAuctionTypeSection = nullptr;
    ctlSellingFeatures* ctlSellingFeaturesSection = nullptr;
    ctlPayPal* ctlPayPalSection = nullptr;
    ctlPostage* ctlPostageSection = nullptr;
    ctlToday* ctlTodaySection = nullptr;
    // None until the last page is first shown.
    ctlProfitChart* ctlProfitChart1 = nullptr;

signals:
    void Changed(bool bDocDirty);
    // Raised by Cancel just before WizardComplete: the auction goes back to how it was.
    void WizardCancel();
    void WizardComplete();

protected:
    void showEvent(QShowEvent* oEvent) override;
    void resizeEvent(QResizeEvent* oEvent) override;
    bool eventFilter(QObject* oWatched, QEvent* oEvent) override;
    // Enter is Next (Finish on the last page), Escape is Cancel, wherever the focus is on
    // the wizard, unless the control there takes the key for itself.
    void keyPressEvent(QKeyEvent* oEvent) override;

private:
    void Display();
    // The walk of the schedule in use; true when it changed.
    bool BuildPages();
    // The least room in which every part stays usable (a tall page scrolls in its view
    // port), in twips: below it the wizard scrolls.
    void NeededSize(int32_t& lWidth, int32_t& lHeight) const;
    void UpdateCanvas();
    // The buttons stand beside the selling costs when there is room, else below them.
    bool ButtonsBeside(int32_t lWidth) const;
    void LayoutControls();
    void CentrePage();
    void SetUpScrollBar();
    // Puts the keyboard on the first control of the current page.
    void FocusPage();
    void imgBack_Click();
    void imgNext_Click();
    void vsbVert_Change(int lValue);
    void imgCancel_Click();

    std::vector<clsPage> m_aoPages;
    // The panel of each frame.
    std::array<ctlSectionPanel*, FrameCount> m_aoFramePanels{};
    // The prompts by number, read once at creation.
    std::array<QString, 7> m_asPrompts;
    // The walk built is today's schedule's.
    bool m_bTodayPages = false;
    clsPage m_oCurrentPage;
    clsAuctionRefresh m_oRefresh;
};
