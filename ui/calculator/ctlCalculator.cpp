#include "ctlCalculator.h"

#include "basControls.h"
#include "basMain.h"
#include "basNumbers.h"
#include "basPanelPalette.h"
#include "basSettings.h"
#include "clsTodaySchedule.h"
#include "ctlAuctionType.h"
#include "ctlFeeSchedule.h"
#include "ctlOutlay.h"
#include "ctlPayPal.h"
#include "ctlPostage.h"
#include "ctlProfitChart.h"
#include "ctlSellingCosts.h"
#include "ctlSellingFeatures.h"
#include "ctlToday.h"

#include <QApplication>
#include <QFrame>
#include <QShowEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr int32_t kAuctionTypeLeft = 9600;

// The profit chart stands beside the right-most panel, as tall as the panels' design area at
// the least; a larger calculator gives it the room to the right and below, up to a margin.
constexpr int32_t kChartGap = 240;
constexpr int32_t kMargin = 240;
constexpr int32_t kChartTop = 1560;
constexpr int32_t kChartWidth = 4500;
constexpr int32_t kChartHeight = 9135;

constexpr int32_t kLineLeft = 120;
// Right of the selling costs.
constexpr int32_t kScheduleLeft = 10140;
constexpr int32_t kLineTop = 1455;

} // namespace

ctlCalculator::ctlCalculator(QWidget* oParent) : QWidget(oParent) {
    setObjectName(QStringLiteral("ctlCalculator"));
    // The panels' own colours, whatever the system's theme.
    SetInvertedPalette(this);
    m_fraCanvas = AddScrolledCanvas(this);
    m_fraCanvas->installEventFilter(this);

    m_ctlSellingCostsSection = new ctlSellingCosts(m_fraCanvas);
    m_ctlSellingCostsSection->setObjectName(QStringLiteral("ctlSellingCostsSection"));
    SetControlGeometry(m_ctlSellingCostsSection, 120, 120, ControlWidth(m_ctlSellingCostsSection),
                       ControlHeight(m_ctlSellingCostsSection));

    m_lneLine = new QFrame(m_fraCanvas);
    m_lneLine->setObjectName(QStringLiteral("lneLine"));
    m_lneLine->setFrameShape(QFrame::NoFrame);
    m_lneLine->setAutoFillBackground(true);
    QPalette oLine = m_lneLine->palette();
    oLine.setColor(QPalette::Window, PanelLineColour());
    m_lneLine->setPalette(oLine);
    SetControlGeometry(m_lneLine, kLineLeft, kLineTop, 6600 - kLineLeft, 15);

    auto Add = [this](auto* oPanel, const char* sName, const char* sKey, int32_t lLeft,
                      int32_t lTop, int32_t lWidth, int32_t lHeight) {
        oPanel->setObjectName(QLatin1String(sName));
        SetControlGeometry(oPanel, lLeft, lTop, lWidth, lHeight);
        // A click on the panel itself takes the focus, which shows the header grip.
        oPanel->setFocusPolicy(Qt::ClickFocus);
        m_aoSections.push_back({sKey, oPanel});
        connect(oPanel, &ctlSectionPanel::Changed, this, &ctlCalculator::OnSectionChanged);
        connect(oPanel, &ctlSectionPanel::Moved, this,
                [this, oPanel](float X, float Y) { OnMoved(oPanel, X, Y); });
        return oPanel;
    };
    // Created in reading order; the Tab key follows where they stand (UpdateTabOrder).
    m_ctlOutlaySection =
        Add(new ctlOutlay(m_fraCanvas), "ctlOutlaySection", "Outlay", 240, 1560, 5550, 1935);
    m_ctlPayPalSection =
        Add(new ctlPayPal(m_fraCanvas), "ctlPayPalSection", "PayPal", 5760, 1560, 3150, 3615);
    // Further right than first designed: the PayPal panel widened for the price file's
    // band names, and must not cover the auction type in configuration mode.
    m_ctlAuctionTypeSection = Add(new ctlAuctionType(m_fraCanvas), "ctlAuctionTypeSection",
                                  "AuctionType", kAuctionTypeLeft, 1560, 3030, 7455);
    m_ctlSellingFeaturesSection =
        Add(new ctlSellingFeatures(m_fraCanvas), "ctlSellingFeaturesSection", "SellingFeatures",
            120, 3600, 3750, 6975);
    m_ctlPostageSection =
        Add(new ctlPostage(m_fraCanvas), "ctlPostageSection", "Postage", 4440, 5640, 4350, 5055);
    // Today's inputs take the place of the listing upgrades, which today's fees do without.
    m_ctlTodaySection =
        Add(new ctlToday(m_fraCanvas), "ctlTodaySection", "Today", 120, 3600, 4010, 8555);

    // The schedule is chosen beside the figures it decides.
    m_ctlFeeSchedule = new ctlFeeSchedule(m_fraCanvas);
    SetControlGeometry(m_ctlFeeSchedule, kScheduleLeft, 120, ControlWidth(m_ctlFeeSchedule),
                       ControlHeight(m_ctlFeeSchedule));
    connect(m_ctlFeeSchedule, &ctlFeeSchedule::ScheduleChanged, this, [this] {
        ApplySchedule();
        emit ScheduleChanged();
    });

    m_ctlProfitChart = new ctlProfitChart(m_fraCanvas);
    m_ctlProfitChart->setAccessibleName(tr("Profit Chart"));

    for (const clsSection& oSection : m_aoSections) {
        m_oDesignPositions[oSection.m_sKey + "_Left"] = ControlLeft(oSection.m_oPanel);
        m_oDesignPositions[oSection.m_sKey + "_Top"] = ControlTop(oSection.m_oPanel);
    }

    m_oRefresh.Attach(
        {m_ctlSellingCostsSection, m_ctlProfitChart, m_ctlOutlaySection,
         m_ctlSellingFeaturesSection, m_ctlAuctionTypeSection, m_ctlPayPalSection,
         m_ctlPostageSection, m_ctlTodaySection},
        [this](bool bDocDirty) { emit Changed(bDocDirty); },
        // Options shown or hidden by the new values change the area needed.
        [this] { UpdateArea(); });
    ShowSchedulePanels();
    connect(qApp, &QApplication::focusChanged, this, &ctlCalculator::OnFocusChanged);
}

ctlCalculator::~ctlCalculator() {
    // The application outlives the calculator: its focus signal must not reach a calculator
    // whose panels are already being destroyed.
    if (qApp) disconnect(qApp, nullptr, this, nullptr);
}

ctlSectionPanel* ctlCalculator::Section(const std::string& sKey) const {
    for (const clsSection& oSection : m_aoSections)
        if (oSection.m_sKey == sKey) return oSection.m_oPanel;
    return nullptr;
}

void ctlCalculator::ConfigMode(bool bNewMode) {
    m_bConfigMode = bNewMode;
    ShowSequence();
}

void ctlCalculator::showEvent(QShowEvent* oEvent) {
    QWidget::showEvent(oEvent);
    if (!oEvent->spontaneous()) ShowSequence();
}

void ctlCalculator::ShowSchedulePanels() {
    const bool bToday = GetTodaySchedule() != nullptr;
    for (QWidget* oPanel : std::initializer_list<QWidget*>{
             m_ctlAuctionTypeSection, m_ctlSellingFeaturesSection, m_ctlPayPalSection})
        oPanel->setVisible(!bToday);
    m_ctlTodaySection->setVisible(bToday);
    m_ctlFeeSchedule->ApplySchedule();
}

void ctlCalculator::ApplySchedule() {
    ShowSchedulePanels();
    RefreshSums(true);
    UpdateArea();
    UpdateTabOrder();
}

void ctlCalculator::ShowSequence() {
    ShowSchedulePanels();
    for (const clsSection& oSection : m_aoSections)
        oSection.m_oPanel->ShowConfig(m_bConfigMode);
    // The re-layout hid the header grip; the panel being worked in shows it again.
    if (ctlSectionPanel* oFocused = SectionOf(QApplication::focusWidget())) oFocused->GotFocus();
    LoadPositions();
    PlaceChart();
    RefreshSums(true);
    UpdateArea();
    UpdateTabOrder();
}

int32_t ctlCalculator::ChartLeft() const {
    int32_t lRight = 0;
    for (const clsSection& oSection : m_aoSections)
        if (!oSection.m_oPanel->isHidden())
            lRight =
                std::max(lRight, ControlLeft(oSection.m_oPanel) + ControlWidth(oSection.m_oPanel));
    return lRight + kChartGap;
}

void ctlCalculator::PlaceChart() {
    const int32_t lLeft = ChartLeft();
    const int32_t lWidth =
        std::max(kChartWidth, PixelsToTwips(m_fraCanvas->width()) - lLeft - kMargin);
    const int32_t lHeight =
        std::max(kChartHeight, PixelsToTwips(m_fraCanvas->height()) - kChartTop - kMargin);
    SetControlGeometry(m_ctlProfitChart, lLeft, kChartTop, lWidth, lHeight);
}

void ctlCalculator::UpdateArea() {
    // The canvas is never smaller than the panels need (the main window's own minimum): the
    // calculator scrolls instead.
    int32_t X = 0, Y = 0;
    CalcMinSize(X, Y);
    const QSize szNeeded(TwipsToPixels(X), TwipsToPixels(Y));
    if (szNeeded != m_fraCanvas->minimumSize()) m_fraCanvas->setMinimumSize(szNeeded);
    PlaceChart();
}

void ctlCalculator::LoadPositions() {
    for (const clsSection& oSection : m_aoSections) {
        ctlSectionPanel* oPanel = oSection.m_oPanel;
        m_oDesignPositions.try_emplace(oSection.m_sKey + "_Left", ControlLeft(oPanel));
        m_oDesignPositions.try_emplace(oSection.m_sKey + "_Top", ControlTop(oPanel));
        // A value that cannot be read leaves the panel where it is.
        int32_t lValue = 0;
        const clsSettings& oSettings = GetSettings();
        if (oSettings.FindNumber(Settings::PanelTop, lValue, oSection.m_sKey))
            SetControlTop(oPanel, lValue);
        if (oSettings.FindNumber(Settings::PanelLeft, lValue, oSection.m_sKey))
            SetControlGeometry(oPanel, lValue, ControlTop(oPanel), ControlWidth(oPanel),
                               ControlHeight(oPanel));
    }
}

void ctlCalculator::StorePositions() const {
    for (const clsSection& oSection : m_aoSections) {
        GetSettings().Write(Settings::PanelTop, ControlTop(oSection.m_oPanel), oSection.m_sKey);
        GetSettings().Write(Settings::PanelLeft, ControlLeft(oSection.m_oPanel), oSection.m_sKey);
    }
}

void ctlCalculator::ResetControlPositions() {
    for (const clsSection& oSection : m_aoSections) {
        ctlSectionPanel* oPanel = oSection.m_oPanel;
        const auto itLeft = m_oDesignPositions.find(oSection.m_sKey + "_Left");
        const auto itTop = m_oDesignPositions.find(oSection.m_sKey + "_Top");
        if (itLeft != m_oDesignPositions.end() && itTop != m_oDesignPositions.end())
            SetControlGeometry(oPanel, itLeft->second, itTop->second, ControlWidth(oPanel),
                               ControlHeight(oPanel));
    }
    StorePositions();
    UpdateArea();
    UpdateTabOrder();
}

void ctlCalculator::OnMoved(ctlSectionPanel* oPanel, float X, float Y) {
    oPanel->raise();
    const double dStep = std::max<int32_t>(g_lSnapToGrid, 1);
    // Nearest grid line, halves to the even one; never off the left or top edge, where the
    // header could not be reached again.
    auto Snap = [dStep](int32_t lPosition, float fOffset) {
        const double dLine = std::nearbyint((double(lPosition) + fOffset) / dStep) * dStep;
        return int32_t(std::clamp(dLine, 0.0, 1e8));
    };
    const int32_t lLeft = Snap(ControlLeft(oPanel), X), lTop = Snap(ControlTop(oPanel), Y);
    // Most pointer moves stay on the same grid point: the settings are written only when
    // the panel has moved.
    if (lLeft == ControlLeft(oPanel) && lTop == ControlTop(oPanel)) return;
    SetControlGeometry(oPanel, lLeft, lTop, ControlWidth(oPanel), ControlHeight(oPanel));
    StorePositions();
    UpdateArea();
    UpdateTabOrder();
}

std::vector<QWidget*> ctlCalculator::ReadingOrder() const {
    // Columns: the panels taken by their left edge; a panel joins the column on its left when
    // it lies under every panel there for at least half the narrower width. So the wide
    // outlay panel heads the listing upgrades, and the postage stands under PayPal, as the eye
    // groups them, while a panel that merely reaches into the next column stays in its own.
    std::vector<ctlSectionPanel*> aoShown;
    for (const clsSection& oSection : m_aoSections)
        if (!oSection.m_oPanel->isHidden()) aoShown.push_back(oSection.m_oPanel);
    std::stable_sort(aoShown.begin(), aoShown.end(), [](const QWidget* a, const QWidget* b) {
        return std::pair(ControlLeft(a), ControlTop(a)) < std::pair(ControlLeft(b), ControlTop(b));
    });
    const auto SharesColumn = [](const QWidget* a, const QWidget* b) {
        const int32_t lOverlap =
            std::min(ControlLeft(a) + ControlWidth(a), ControlLeft(b) + ControlWidth(b)) -
            std::max(ControlLeft(a), ControlLeft(b));
        return 2 * lOverlap >= std::min(ControlWidth(a), ControlWidth(b));
    };
    std::vector<std::vector<ctlSectionPanel*>> aaoColumns;
    for (ctlSectionPanel* oPanel : aoShown) {
        if (aaoColumns.empty() ||
            !std::all_of(aaoColumns.back().begin(), aaoColumns.back().end(),
                         [&](const QWidget* o) { return SharesColumn(o, oPanel); }))
            aaoColumns.emplace_back();
        aaoColumns.back().push_back(oPanel);
    }

    // The figures across the top and the schedule beside them come before the panels, the
    // chart beside the panels after them.
    std::vector<QWidget*> aoOrder{m_ctlSellingCostsSection, m_ctlFeeSchedule};
    for (std::vector<ctlSectionPanel*>& aoColumn : aaoColumns) {
        std::stable_sort(aoColumn.begin(), aoColumn.end(), [](const QWidget* a, const QWidget* b) {
            return std::pair(ControlTop(a), ControlLeft(a)) <
                   std::pair(ControlTop(b), ControlLeft(b));
        });
        aoOrder.insert(aoOrder.end(), aoColumn.begin(), aoColumn.end());
    }
    aoOrder.push_back(m_ctlProfitChart);
    // The hidden panels last, so that the chain stays whole when they come back.
    for (const clsSection& oSection : m_aoSections)
        if (oSection.m_oPanel->isHidden()) aoOrder.push_back(oSection.m_oPanel);
    return aoOrder;
}

void ctlCalculator::UpdateTabOrder() {
    const std::vector<QWidget*> aoBlocks = ReadingOrder();
    // Each block's widgets in the order the chain holds them now, which is the block's own
    // order: one pass round the window's chain.
    std::vector<std::vector<QWidget*>> aaoMembers(aoBlocks.size());
    QWidget* oStart = window();
    QWidget* o = oStart;
    do {
        // A field's inner editor (its focus passed up to the field) travels with the field.
        const QWidget* oProxy = o->focusProxy();
        if (o->focusPolicy() != Qt::NoFocus && !(oProxy && oProxy->isAncestorOf(o))) {
            for (size_t i = 0; i < aoBlocks.size(); ++i) {
                if (aoBlocks[i] == o || aoBlocks[i]->isAncestorOf(o)) {
                    aaoMembers[i].push_back(o);
                    break;
                }
            }
        }
        o = o->nextInFocusChain();
    } while (o && o != oStart);

    QWidget* oPrevious = nullptr;
    for (const std::vector<QWidget*>& aoMembers : aaoMembers) {
        for (QWidget* oMember : aoMembers) {
            if (oPrevious) setTabOrder(oPrevious, oMember);
            oPrevious = oMember;
        }
    }
}

void ctlCalculator::CalcMinSize(int32_t& X, int32_t& Y) const {
    // The chart counts at its design size: what it grows into is not needed.
    X = ChartLeft() + kChartWidth;
    Y = kChartTop + kChartHeight;
    std::vector<const QWidget*> aoPanels{m_ctlSellingCostsSection, m_ctlFeeSchedule};
    // The panels of the other schedule take no room.
    for (const clsSection& oSection : m_aoSections)
        if (!oSection.m_oPanel->isHidden()) aoPanels.push_back(oSection.m_oPanel);
    for (const QWidget* oPanel : aoPanels) {
        X = std::max(X, ControlLeft(oPanel) + ControlWidth(oPanel));
        Y = std::max(Y, ControlTop(oPanel) + ControlHeight(oPanel));
    }
}

void ctlCalculator::OnSectionChanged() {
    RefreshSums(true);
}

void ctlCalculator::RefreshSums(bool bUpdateControlDisplays, clsCalculate* oDoc) {
    m_oRefresh.Run(bUpdateControlDisplays, oDoc);
}

ctlSectionPanel* ctlCalculator::SectionOf(QWidget* oCtrl) const {
    for (; oCtrl; oCtrl = oCtrl->parentWidget())
        for (const clsSection& oSection : m_aoSections)
            if (oSection.m_oPanel == oCtrl) return oSection.m_oPanel;
    return nullptr;
}

void ctlCalculator::OnFocusChanged(QWidget* oOld, QWidget* oNow) {
    ctlSectionPanel* oOldSection = SectionOf(oOld);
    ctlSectionPanel* oNewSection = SectionOf(oNow);
    if (oOldSection == oNewSection) return;
    if (oOldSection) oOldSection->LostFocus();
    if (!oNewSection) return;
    // In configuration mode the wider panels may overlap: the one in hand comes to the front.
    oNewSection->raise();
    oNewSection->GotFocus();
}

void ctlCalculator::resizeEvent(QResizeEvent* oEvent) {
    QWidget::resizeEvent(oEvent);
    const int32_t lWidth = PixelsToTwips(width());
    SetControlGeometry(m_lneLine, kLineLeft, kLineTop, std::max(lWidth - kLineLeft, 0), 15);
}

bool ctlCalculator::eventFilter(QObject* oWatched, QEvent* oEvent) {
    // Room beyond the panels goes to the chart.
    if (oWatched == m_fraCanvas && oEvent->type() == QEvent::Resize) PlaceChart();
    return QWidget::eventFilter(oWatched, oEvent);
}
