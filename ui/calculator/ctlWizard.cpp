#include "ctlWizard.h"

#include "basCommon.h"
#include "basControls.h"
#include "basPanelPalette.h"
#include "basSettings.h"
#include "clsTodaySchedule.h"
#include "ctlAuctionType.h"
#include "ctlOutlay.h"
#include "ctlPayPal.h"
#include "ctlPostage.h"
#include "ctlProfitChart.h"
#include "ctlSellingCosts.h"
#include "ctlSellingFeatures.h"
#include "ctlToday.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QWheelEvent>

#include <algorithm>

namespace {

constexpr int32_t kButtonsWidth = 6135;
constexpr int32_t kButtonsHeight = 975;
constexpr int32_t kBottomGap = 500;
constexpr int32_t kScrollWidth = 255;
constexpr int32_t kPageMargin = 120;
// The profit chart on the last page: beside the panel, as tall as the view allows.
constexpr int32_t kChartGap = 240;
constexpr int32_t kChartWidth = 4500;
constexpr int32_t kChartLowest = 4500;
constexpr int32_t kChartTallest = 9135;

// The minimum height of the page's view port: a few rows of a page, the rest scrolls.
constexpr int32_t kLeastViewHeight = 1800;

// The buttons are drawn in the panels' colours rather than pictures, so that they carry no
// background of their own and their captions follow the user's font.
QString ButtonStyle() {
    const auto Rgb = [](const QColor& o) { return o.name(QColor::HexRgb); };
    return QStringLiteral("QPushButton { background: %1; color: %2; border: 1px solid %3;"
                          " border-radius: %4px; font-weight: bold; padding: 0 %5px; }"
                          "QPushButton:hover { background: %6; }"
                          "QPushButton:pressed { background: %7; }"
                          "QPushButton:focus { border: 2px solid %8; }")
        .arg(Rgb(ButtonFace()), Rgb(ButtonText()), Rgb(ButtonEdge()))
        .arg(TwipsToPixels(90))
        .arg(TwipsToPixels(90))
        .arg(Rgb(ButtonFace().lighter(125)), Rgb(ButtonFace().darker(130)), Rgb(FocusRingColour()));
}

QPushButton* WizardButton(QWidget* oParent, const char* sName, int32_t lLeft) {
    auto* oButton = new QPushButton(oParent);
    oButton->setObjectName(QLatin1String(sName));
    oButton->setCursor(Qt::PointingHandCursor);
    oButton->setAccessibleDescription(QLatin1String(sName));
    SetControlGeometry(oButton, lLeft, 120, 1965, 495);
    oButton->setStyleSheet(ButtonStyle());
    // Enter on a button in focus presses it, as in a dialog.
    oButton->setAutoDefault(true);
    return oButton;
}

// The caption with an arrow that shows the way; read aloud as the caption alone.
void SetCaption(QPushButton* oButton, const QString& sCaption, const QString& sShown) {
    oButton->setText(sShown);
    oButton->setToolTip(sCaption);
    oButton->setAccessibleName(sCaption);
}

} // namespace

QString ctlWizard::DefaultPrompt(int16_t nPrompt) {
    switch (nPrompt) {
    case 0:
        return QStringLiteral("Please enter your costs and the price you wish to sell for.");
    case 1:
        return QStringLiteral("Please enter your type of auction");
    case 2:
        return QStringLiteral("Please enter extra features you want to use");
    case 3:
        return QStringLiteral("Do you want to accept payment through PayPal?");
    case 4:
        return QStringLiteral("Do you want to send it through Royal Mail?");
    case 5:
        return QStringLiteral("Please choose your account, the item's category and where the "
                              "buyer lives");
    case 6:
        return QStringLiteral("Do you charge postage? Please enter what it costs.");
    default:
        return QString();
    }
}

ctlWizard::ctlWizard(QWidget* oParent) : QWidget(oParent) {
    setObjectName(QStringLiteral("ctlWizard"));
    SetInvertedPalette(this);
    fraCanvas = AddScrolledCanvas(this);
    fraCanvas->installEventFilter(this);

    lblInfo = new QLabel(fraCanvas);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    lblInfo->setWordWrap(true);
    lblInfo->setAlignment(Qt::AlignCenter);
    QFont oFont = lblInfo->font();
    oFont.setPointSizeF(oFont.pointSizeF() * 1.4);
    oFont.setBold(true);
    lblInfo->setFont(oFont);
    SetControlGeometry(lblInfo, 0, 360, 7695, 1095);

    fraViewPort = new QFrame(fraCanvas);
    fraViewPort->setObjectName(QStringLiteral("fraViewPort"));
    fraViewPort->setAccessibleName(QStringLiteral("ViewPort"));
    fraViewPort->setFrameShape(QFrame::NoFrame);
    fraViewPort->installEventFilter(this);

    // Page frame index, panel, its left inside the frame and its width, as designed.
    ctlOutlaySection = new ctlOutlay;
    ctlAuctionTypeSection = new ctlAuctionType;
    ctlSellingFeaturesSection = new ctlSellingFeatures;
    ctlPayPalSection = new ctlPayPal;
    ctlPostageSection = new ctlPostage;
    ctlTodaySection = new ctlToday;
    const struct {
        ctlSectionPanel* m_oPanel;
        const char* m_sName;
        int32_t m_lLeft;
        int32_t m_lWidth;
    } aoFrames[FrameCount] = {
        {ctlOutlaySection, "ctlOutlaySection", 240, 5550},
        {ctlAuctionTypeSection, "ctlAuctionTypeSection", 120, 3030},
        {ctlSellingFeaturesSection, "ctlSellingFeaturesSection", 120, 3750},
        {ctlPayPalSection, "ctlPayPalSection", 120, 3150},
        {ctlPostageSection, "ctlPostageSection", 120, 4350},
        {ctlTodaySection, "ctlTodaySection", 120, 4010},
    };
    for (int32_t i = 0; i < FrameCount; ++i) {
        QFrame* oFrame = new QFrame(fraViewPort);
        oFrame->setObjectName(QStringLiteral("fraPages%1").arg(i));
        oFrame->setFrameShape(QFrame::NoFrame);
        ctlSectionPanel* oPanel = aoFrames[i].m_oPanel;
        oPanel->setParent(oFrame);
        oPanel->setObjectName(QLatin1String(aoFrames[i].m_sName));
        SetControlGeometry(oPanel, aoFrames[i].m_lLeft, kPageMargin, aoFrames[i].m_lWidth,
                           oPanel->DesignHeight());
        SetControlGeometry(oFrame, 0, 0, aoFrames[i].m_lWidth + 2 * aoFrames[i].m_lLeft,
                           oPanel->DesignHeight() + 2 * kPageMargin);
        oFrame->hide();
        fraPages[size_t(i)] = oFrame;
        m_aoFramePanels[size_t(i)] = oPanel;
        connect(oPanel, &ctlSectionPanel::Changed, this, [this] { RefreshSums(true); });
    }

    vsbVert = new QScrollBar(Qt::Vertical, fraViewPort);
    vsbVert->setObjectName(QStringLiteral("vsbVert"));
    vsbVert->setAccessibleName(tr("Scroll the page"));
    vsbVert->setAccessibleDescription(QStringLiteral("vsbVert"));
    vsbVert->hide();
    connect(vsbVert, &QScrollBar::valueChanged, this, &ctlWizard::vsbVert_Change);

    lneLine = new QFrame(fraCanvas);
    lneLine->setObjectName(QStringLiteral("lneLine"));
    lneLine->setFrameShape(QFrame::NoFrame);
    lneLine->setAutoFillBackground(true);
    QPalette oLine = lneLine->palette();
    oLine.setColor(QPalette::Window, PanelLineColour());
    lneLine->setPalette(oLine);

    ctlSellingCostsSection = new ctlSellingCosts(fraCanvas);
    ctlSellingCostsSection->setObjectName(QStringLiteral("ctlSellingCostsSection"));
    ctlSellingCostsSection->Mode(1);
    SetControlGeometry(ctlSellingCostsSection, 240, 0, ControlWidth(ctlSellingCostsSection),
                       ControlHeight(ctlSellingCostsSection));

    fraButtons = new QFrame(fraCanvas);
    fraButtons->setObjectName(QStringLiteral("fraButtons"));
    fraButtons->setFrameShape(QFrame::NoFrame);
    SetControlGeometry(fraButtons, 0, 0, kButtonsWidth, kButtonsHeight);
    imgBack = WizardButton(fraButtons, "imgBack", 120);
    imgNext = WizardButton(fraButtons, "imgNext", 2040);
    imgCancel = WizardButton(fraButtons, "imgCancel", 3960);
    SetCaption(imgBack, tr("Back"), tr("\u2039  Back"));
    SetCaption(imgNext, tr("Next"), tr("Next  \u203A"));
    SetCaption(imgCancel, tr("Cancel"), tr("Cancel"));
    connect(imgBack, &QPushButton::clicked, this, &ctlWizard::imgBack_Click);
    connect(imgNext, &QPushButton::clicked, this, &ctlWizard::imgNext_Click);
    connect(imgCancel, &QPushButton::clicked, this, &ctlWizard::imgCancel_Click);

    for (size_t i = 0; i < m_asPrompts.size(); ++i)
        m_asPrompts[i] = QString::fromStdString(GetSettings().ReadOr(
            Settings::WizardPage, DefaultPrompt(int16_t(i)).toStdString(), std::to_string(i)));
    BuildPages();
    m_oRefresh.Attach(
        {ctlSellingCostsSection, nullptr, ctlOutlaySection, ctlSellingFeaturesSection,
         ctlAuctionTypeSection, ctlPayPalSection, ctlPostageSection, ctlTodaySection},
        [this](bool bDocDirty) { emit Changed(bDocDirty); },
        [this] {
            // Options shown or hidden by the new values change the page's height.
            CentrePage();
            SetUpScrollBar();
        });
    // Keyboard order: the page's fields, then Back, Next, Cancel.
    setTabOrder(imgBack, imgNext);
    setTabOrder(imgNext, imgCancel);
    UpdateCanvas();
    resize(TwipsToPixels(9000), TwipsToPixels(9000));
}

bool ctlWizard::BuildPages() {
    const bool bToday = GetTodaySchedule() != nullptr;
    if (!m_aoPages.empty() && bToday == m_bTodayPages) return false;
    m_bTodayPages = bToday;
    struct clsWalkStep {
        const char* m_sTitle;
        int16_t m_nFrame;
        int16_t m_nPrompt;
    };
    // The kind of sale first, as the other pages depend on it; under today's fees the
    // account and category take its place, and the upgrades and PayPal, which today's fees
    // do without, step aside.
    static const std::vector<clsWalkStep> ao2008 = {{"Auction Type", 1, 1},
                                                    {"Outlay", 0, 0},
                                                    {"Features", 2, 2},
                                                    {"PayPal", 3, 3},
                                                    {"Postage", 4, 4}};
    static const std::vector<clsWalkStep> aoToday = {
        {"Today's Fees", 5, 5}, {"Outlay", 0, 0}, {"Postage", 4, 6}};
    const std::vector<clsWalkStep>& aoWalk = bToday ? aoToday : ao2008;
    m_aoPages.clear();
    for (size_t i = 0; i < aoWalk.size(); ++i) {
        clsPage oPage;
        oPage.m_sTitle = QLatin1String(aoWalk[i].m_sTitle);
        oPage.m_lIndex = int32_t(i);
        oPage.m_nFrame = aoWalk[i].m_nFrame;
        oPage.m_nPrompt = aoWalk[i].m_nPrompt;
        oPage.m_oPanel = m_aoFramePanels[size_t(oPage.m_nFrame)];
        oPage.m_sPrompt = m_asPrompts[size_t(oPage.m_nPrompt)];
        oPage.m_bFirst = i == 0;
        oPage.m_bLast = i + 1 == aoWalk.size();
        oPage.m_oPanel->setAccessibleName(oPage.m_sTitle);
        m_aoPages.push_back(oPage);
    }
    return true;
}

void ctlWizard::ApplySchedule() {
    const ctlSectionPanel* oShown = m_oCurrentPage.m_oPanel;
    if (!BuildPages()) return;
    if (!isVisible()) return;
    int32_t lIndex = 0;
    for (const clsPage& oPage : m_aoPages)
        if (oPage.m_oPanel == oShown) lIndex = oPage.m_lIndex;
    ShowPage(lIndex);
    RefreshSums(true);
    LayoutControls();
}

ctlProfitChart& ctlWizard::ProfitChart() {
    if (!ctlProfitChart1) {
        ctlProfitChart1 = new ctlProfitChart(fraViewPort);
        ctlProfitChart1->setObjectName(QStringLiteral("ctlProfitChart1"));
        ctlProfitChart1->setAccessibleName(tr("Profit Chart"));
        ctlProfitChart1->hide();
        vsbVert->raise();
        m_oRefresh.AttachProfitChart(ctlProfitChart1);
        // It starts with the figures the other views show.
        RefreshSums(false);
    }
    return *ctlProfitChart1;
}

void ctlWizard::showEvent(QShowEvent* oEvent) {
    QWidget::showEvent(oEvent);
    if (!oEvent->spontaneous()) Display();
}

void ctlWizard::resizeEvent(QResizeEvent* oEvent) {
    QWidget::resizeEvent(oEvent);
    LayoutControls();
}

bool ctlWizard::eventFilter(QObject* oWatched, QEvent* oEvent) {
    // The wheel scrolls a tall page wherever the pointer is over it.
    if (oWatched == fraCanvas && oEvent->type() == QEvent::Resize) LayoutControls();
    if (oWatched == fraViewPort && oEvent->type() == QEvent::Wheel && vsbVert->isVisible()) {
        QApplication::sendEvent(vsbVert, oEvent);
        return true;
    }
    return QWidget::eventFilter(oWatched, oEvent);
}

void ctlWizard::keyPressEvent(QKeyEvent* oEvent) {
    const auto eModifiers = oEvent->modifiers() & ~Qt::KeypadModifier;
    if (eModifiers == Qt::NoModifier) {
        switch (oEvent->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (imgNext->isVisible()) imgNext->click();
            oEvent->accept();
            return;
        case Qt::Key_Escape:
            imgCancel->click();
            oEvent->accept();
            return;
        default:
            break;
        }
    }
    QWidget::keyPressEvent(oEvent);
}

void ctlWizard::FocusPage() {
    if (m_oCurrentPage.m_lIndex < 0 || !isVisible()) return;
    ctlSectionPanel* oPanel = m_oCurrentPage.m_oPanel;
    for (QWidget* o = oPanel->nextInFocusChain(); o && o != oPanel && oPanel->isAncestorOf(o);
         o = o->nextInFocusChain()) {
        if ((o->focusPolicy() & Qt::TabFocus) && o->isVisible() && o->isEnabled()) {
            o->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void ctlWizard::Display() {
    SetInvertedPalette(this);
    for (QWidget* oCtrl : {static_cast<QWidget*>(lblInfo), static_cast<QWidget*>(fraViewPort),
                           static_cast<QWidget*>(fraButtons)})
        ColourControl(oCtrl);
    for (QFrame* oFrame : fraPages)
        ColourControl(oFrame);
    ctlSellingCostsSection->Mode(1);
    // The schedule may have changed since the wizard last showed.
    BuildPages();
    ShowPage(0);
    RefreshSums(true);
    LayoutControls();
}

void ctlWizard::ShowPage(int32_t lIndex) {
    // The keyboard was on the page that goes (or nowhere in the window): it moves to the new one.
    QWidget* oFocus = QApplication::focusWidget();
    const bool bFocusOnPage =
        oFocus ? fraViewPort->isAncestorOf(oFocus) : window()->isActiveWindow();
    m_oCurrentPage = clsPage();
    for (const clsPage& oPage : m_aoPages)
        if (oPage.m_lIndex == lIndex) m_oCurrentPage = oPage;
    // Every other frame goes, also those of the other schedule's walk.
    for (int32_t i = 0; i < FrameCount; ++i) {
        if (m_oCurrentPage.m_lIndex >= 0 && i == m_oCurrentPage.m_nFrame) continue;
        m_aoFramePanels[size_t(i)]->hide();
        fraPages[size_t(i)]->hide();
    }
    if (m_oCurrentPage.m_lIndex >= 0) {
        const clsPage& oPage = m_oCurrentPage;
        QFrame* oFrame = fraPages[size_t(oPage.m_nFrame)];
        // The last page's chart is placed beside its panel.
        if (oPage.m_bLast) ProfitChart();
        lblInfo->setText(oPage.m_sPrompt);
        oPage.m_oPanel->ShowConfig(false);
        oPage.m_oPanel->show();
        CentrePage();
        oFrame->show();
        imgBack->setVisible(!oPage.m_bFirst);
        imgNext->setVisible(true);
        if (ctlProfitChart1) ctlProfitChart1->setVisible(oPage.m_bLast);
        if (oPage.m_bLast)
            SetCaption(imgNext, tr("Finish"), tr("Finish  \u2713"));
        else
            SetCaption(imgNext, tr("Next"), tr("Next  \u203A"));
    }
    if (m_oCurrentPage.m_lIndex < 0) {
        vsbVert->hide();
        if (ctlProfitChart1) ctlProfitChart1->hide();
    }
    UpdateCanvas();
    SetUpScrollBar();
    if (bFocusOnPage) FocusPage();
}

void ctlWizard::CentrePage() {
    if (m_oCurrentPage.m_lIndex < 0) return;
    QFrame* oFrame = fraPages[size_t(m_oCurrentPage.m_nFrame)];
    ctlSectionPanel* oPanel = m_oCurrentPage.m_oPanel;
    const int32_t lFrameWidth = ControlLeft(oPanel) * 2 + ControlWidth(oPanel);
    const int32_t lFrameHeight = ControlHeight(oPanel) + 2 * kPageMargin;
    // On the last page the panel and the chart are centred together.
    const int32_t lChartWidth = m_oCurrentPage.m_bLast ? kChartGap + kChartWidth : 0;
    const int32_t lLeft =
        std::max(0, PixelsToTwips(fraCanvas->width()) / 2 - (lFrameWidth + lChartWidth) / 2);
    SetControlGeometry(oFrame, lLeft, 0, lFrameWidth, lFrameHeight);
    if (m_oCurrentPage.m_bLast) {
        const int32_t lChartHeight =
            std::clamp(ControlHeight(fraViewPort) - 2 * kPageMargin, kChartLowest, kChartTallest);
        SetControlGeometry(ctlProfitChart1, lLeft + lFrameWidth + kChartGap, kPageMargin,
                           kChartWidth, lChartHeight);
    }
}

void ctlWizard::SetUpScrollBar() {
    if (m_oCurrentPage.m_lIndex < 0) return;
    QFrame* oFrame = fraPages[size_t(m_oCurrentPage.m_nFrame)];
    const int32_t lViewHeight = ControlHeight(fraViewPort);
    const int32_t lFrameHeight = ControlHeight(oFrame);
    if (lFrameHeight > lViewHeight) {
        const int32_t lRange = std::max(0, lFrameHeight - lViewHeight);
        SetControlGeometry(vsbVert, std::max(0, ControlWidth(fraViewPort) - kScrollWidth), 0,
                           kScrollWidth, lViewHeight);
        // Steps in pixels: the panel moves a whole number of them.
        vsbVert->setMaximum(TwipsToPixels(lRange));
        vsbVert->setSingleStep(std::max(1, TwipsToPixels(lRange) / 50));
        vsbVert->setPageStep(std::max(1, TwipsToPixels(lViewHeight)));
        vsbVert->raise();
        vsbVert->show();
        vsbVert_Change(vsbVert->value());
    } else {
        vsbVert->setValue(0);
        vsbVert->hide();
        vsbVert_Change(0);
    }
}

void ctlWizard::vsbVert_Change(int lValue) {
    if (m_oCurrentPage.m_lIndex < 0) return;
    ctlSectionPanel* oPanel = m_oCurrentPage.m_oPanel;
    oPanel->move(oPanel->x(), TwipsToPixels(kPageMargin) - lValue);
}

void ctlWizard::UpdateCanvas() {
    int32_t lWidth = 0, lHeight = 0;
    NeededSize(lWidth, lHeight);
    const QSize szNeeded(TwipsToPixels(lWidth), TwipsToPixels(lHeight));
    if (fraCanvas->minimumSize() != szNeeded) fraCanvas->setMinimumSize(szNeeded);
}

bool ctlWizard::ButtonsBeside(int32_t lWidth) const {
    return lWidth >= ControlLeft(ctlSellingCostsSection) + ControlWidth(ctlSellingCostsSection) +
                         kButtonsWidth;
}

void ctlWizard::LayoutControls() {
    const int32_t lWidth = PixelsToTwips(fraCanvas->width());
    const int32_t lHeight = PixelsToTwips(fraCanvas->height());
    SetControlWidth(lblInfo, lWidth);
    int32_t lCostsTop = lHeight - (ControlHeight(ctlSellingCostsSection) + kBottomGap);
    if (ButtonsBeside(lWidth)) {
        SetControlGeometry(
            fraButtons,
            std::max(lWidth - kButtonsWidth,
                     ControlLeft(ctlSellingCostsSection) + ControlWidth(ctlSellingCostsSection)),
            lHeight - (kButtonsHeight + kBottomGap), kButtonsWidth, kButtonsHeight);
    } else {
        // Narrow (a small screen, a large font): the buttons go under the selling costs.
        lCostsTop -= kButtonsHeight;
        SetControlGeometry(fraButtons, 0, lHeight - (kButtonsHeight + kBottomGap), kButtonsWidth,
                           kButtonsHeight);
    }
    SetControlGeometry(ctlSellingCostsSection, ControlLeft(ctlSellingCostsSection), lCostsTop,
                       ControlWidth(ctlSellingCostsSection), ControlHeight(ctlSellingCostsSection));
    const int32_t lLineY = lCostsTop - 120;
    SetControlGeometry(lneLine, 0, lLineY, lWidth, 15);
    const int32_t lViewTop = ControlTop(lblInfo) + ControlHeight(lblInfo);
    SetControlGeometry(fraViewPort, 0, lViewTop, lWidth, std::max(1, lLineY - lViewTop));
    CentrePage();
    SetUpScrollBar();
}

void ctlWizard::NeededSize(int32_t& lWidth, int32_t& lHeight) const {
    // The prompt, a few rows of the page, the selling costs and the buttons below them: the
    // buttons move beside the costs when the wizard is wide enough.
    lWidth = std::max(ControlLeft(ctlSellingCostsSection) + ControlWidth(ctlSellingCostsSection),
                      kButtonsWidth);
    // The page shown (every page before one is), the last one with the chart beside it.
    for (const clsPage& oPage : m_aoPages)
        if (m_oCurrentPage.m_lIndex < 0 || oPage.m_lIndex == m_oCurrentPage.m_lIndex)
            lWidth = std::max(lWidth, ControlWidth(fraPages[size_t(oPage.m_nFrame)]) +
                                          (oPage.m_bLast ? kChartGap + kChartWidth : 0));
    lHeight = ControlTop(lblInfo) + ControlHeight(lblInfo) + kLeastViewHeight + 120 +
              ControlHeight(ctlSellingCostsSection) + kButtonsHeight + kBottomGap;
}

void ctlWizard::RefreshSums(bool bUpdateControlDisplays) {
    m_oRefresh.Run(bUpdateControlDisplays);
}

void ctlWizard::imgBack_Click() {
    ShowPage(m_oCurrentPage.m_lIndex - 1);
}

void ctlWizard::imgCancel_Click() {
    emit WizardCancel();
    emit WizardComplete();
}

void ctlWizard::imgNext_Click() {
    if (m_oCurrentPage.m_bLast) {
        emit WizardComplete();
        return;
    }
    ShowPage(m_oCurrentPage.m_lIndex + 1);
}
