#pragma once

#include "clsAuctionRefresh.h"

#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>

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

// The guided way through an auction: the five section panels one page at a time, each
// under a prompt, with Back, Next (Finish on the last page) and Cancel, and the selling
// costs below; the last page shows the profit chart beside its panel. Always on the working
// auction.
class ctlWizard : public QWidget {
    Q_OBJECT

public:
    struct clsPage {
        QString m_sTitle;
        int32_t m_lIndex = -1;
        int16_t m_nFrame = 0; // fraPages index, also the number of its stored prompt
        ctlSectionPanel* m_oPanel = nullptr;
        QString m_sPrompt;
        bool m_bFirst = false;
        bool m_bLast = false;
    };

    explicit ctlWizard(QWidget* oParent = nullptr);

    // Recalculates the working auction and shows it; with bUpdateControlDisplays every
    // panel is filled again, which never leaves a clean auction modified.
    void RefreshSums(bool bUpdateControlDisplays);

    // Shows page lIndex (0 to 4); any other index hides every page.
    void ShowPage(int32_t lIndex);
    // The current page; index -1 before any is shown or after an index outside the pages.
    const clsPage& CurrentPage() const { return m_oCurrentPage; }
    const clsPage& Page(int32_t lIndex) const { return m_aoPages.at(size_t(lIndex)); }
    static constexpr int32_t PageCount = 5;

    // The built-in prompt of a frame number (0 to 4).
    static QString DefaultPrompt(int16_t nFrame);

    // The profit chart of the last page, made when first needed (it is costly to build and
    // most walks through the wizard are cut short).
    ctlProfitChart& ProfitChart();

    // Holds every part; scrolls when the wizard is smaller than its parts need.
    QWidget* fraCanvas = nullptr;
    QLabel* lblInfo = nullptr;
    QFrame* fraViewPort = nullptr;
    std::array<QFrame*, PageCount> fraPages{};
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

    std::array<clsPage, PageCount> m_aoPages;
    clsPage m_oCurrentPage;
    clsAuctionRefresh m_oRefresh;
};
