// How the program looks on the user's desktop: colours that read on a light and on a dark
// system theme, every part reachable on a small screen, and panels that grow with the user's
// font while the stored layout stays as it was.
#include "UiTest.h"

#include "basControls.h"
#include "basSettings.h"
#include "clsCalculate.h"
#include "ctlCalculator.h"
#include "ctlNumericText.h"
#include "ctlOutlay.h"
#include "ctlProfitChart.h"
#include "ctlSectionPanel.h"
#include "ctlSellingCosts.h"
#include "ctlWizard.h"
#include "frmMain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

// Contrast as the accessibility guidelines (WCAG 2) define it, worked out here on its own.
double Linear(double c) {
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
double Luminance(const QColor& o) {
    return 0.2126 * Linear(o.redF()) + 0.7152 * Linear(o.greenF()) + 0.0722 * Linear(o.blueF());
}
double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a) + 0.05, lb = Luminance(b) + 0.05;
    return std::max(la, lb) / std::min(la, lb);
}

// A light system theme and a dark one, as desktops set them.
QPalette LightSystem() {
    return QApplication::style()->standardPalette();
}
QPalette DarkSystem() {
    QPalette o;
    o.setColor(QPalette::Window, QColor(0x2A, 0x2A, 0x2E));
    o.setColor(QPalette::WindowText, QColor(0xEE, 0xEE, 0xEE));
    o.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x22));
    o.setColor(QPalette::AlternateBase, QColor(0x33, 0x33, 0x38));
    o.setColor(QPalette::Text, QColor(0xEE, 0xEE, 0xEE));
    o.setColor(QPalette::Button, QColor(0x35, 0x35, 0x3A));
    o.setColor(QPalette::ButtonText, QColor(0xEE, 0xEE, 0xEE));
    o.setColor(QPalette::Highlight, QColor(0x3D, 0xAE, 0xE9));
    o.setColor(QPalette::HighlightedText, QColor(0xFF, 0xFF, 0xFF));
    o.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    o.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    return o;
}

// The colour painted behind a control: that of the nearest container that fills its
// background.
QColor Behind(const QWidget* oCtrl) {
    for (const QWidget* o = oCtrl->parentWidget(); o; o = o->parentWidget())
        if (o->autoFillBackground()) return o->palette().color(QPalette::Window);
    return QApplication::palette().color(QPalette::Window);
}

QPalette::ColorGroup Group(const QWidget* o) {
    return o->isEnabled() ? QPalette::Active : QPalette::Disabled;
}

std::string Name(const QWidget* o) {
    return o->objectName().toStdString();
}

} // namespace

class LookTest : public clsUiTest {
protected:
    void SetUp() override {
        clsUiTest::SetUp();
        m_oSystemPalette = QApplication::palette();
        m_oFont = QApplication::font();
        SetUserSetting("Config", "StartMode", "1");
        GetWorkingDoc().Clear();
        GetWorkingDoc().SetDirty(false);
    }
    void TearDown() override {
        m_oMain.reset();
        m_oCalculator.reset();
        m_oWizard.reset();
        QApplication::setPalette(m_oSystemPalette);
        QApplication::setFont(m_oFont);
        GetWorkingDoc().Clear();
        GetWorkingDoc().SetDirty(false);
        clsUiTest::TearDown();
    }

    // Every text of a host checked against the colour painted behind it; greyed text too.
    static void ExpectReadable(QWidget* oHost, const char* sTheme) {
        int32_t lChecked = 0;
        for (QWidget* o : oHost->findChildren<QWidget*>()) {
            if (!o->isVisibleTo(oHost)) continue;
            if (auto* oField = qobject_cast<ctlNumericText*>(o)) {
                const QPalette& p = oField->palette();
                EXPECT_GE(
                    Contrast(p.color(Group(o), QPalette::Text), p.color(Group(o), QPalette::Base)),
                    4.5)
                    << sTheme << " " << Name(o);
                ++lChecked;
                continue;
            }
            if (qobject_cast<QPushButton*>(o)) continue; // the wizard's buttons: below
            QPalette::ColorRole eRole = QPalette::NoRole;
            if (qobject_cast<QLabel*>(o))
                eRole = QPalette::WindowText;
            else if (qobject_cast<QAbstractButton*>(o))
                eRole = QPalette::ButtonText;
            else
                continue;
            if (auto* oLabel = qobject_cast<QLabel*>(o); oLabel && oLabel->text().isEmpty())
                continue;
            const QColor oBack =
                o->autoFillBackground() ? o->palette().color(QPalette::Window) : Behind(o);
            EXPECT_GE(Contrast(o->palette().color(Group(o), eRole), oBack), 4.5)
                << sTheme << " " << Name(o) << " "
                << o->palette().color(Group(o), eRole).name().toStdString() << " on "
                << oBack.name().toStdString();
            ++lChecked;
        }
        EXPECT_GT(lChecked, 25) << sTheme;
    }

    // The focus ring is drawn in the highlight colour of the control in hand.
    static void ExpectFocusRingVisible(QWidget* oCtrl, const char* sTheme) {
        EXPECT_GE(Contrast(oCtrl->palette().color(QPalette::Highlight), Behind(oCtrl)), 3.0)
            << sTheme << " " << Name(oCtrl);
    }

    // A field's edge as drawn: the left edge halfway down, against the panel beside it.
    static void ExpectFieldEdgeVisible(QWidget* oField, const char* sTheme) {
        const QImage oImage = oField->grab().toImage();
        ASSERT_FALSE(oImage.isNull());
        const qreal dRatio = oImage.devicePixelRatio();
        const QColor oEdge = oImage.pixelColor(0, int(oImage.height() / 2));
        EXPECT_GE(Contrast(oEdge, Behind(oField)), 3.0)
            << sTheme << " " << Name(oField) << " edge " << oEdge.name().toStdString();
        (void)dRatio;
    }

    QPalette m_oSystemPalette;
    QFont m_oFont;
    std::unique_ptr<frmMain> m_oMain;
    std::unique_ptr<ctlCalculator> m_oCalculator;
    std::unique_ptr<ctlWizard> m_oWizard;
};

TEST_F(LookTest, EveryTextReadsAndFocusAndFieldEdgesShowOnALightAndADarkTheme) {
    const std::pair<const char*, QPalette> aoThemes[] = {{"light", LightSystem()},
                                                         {"dark", DarkSystem()}};
    for (const auto& [sTheme, oSystem] : aoThemes) {
        QApplication::setPalette(oSystem);
        // A realistic auction, with greyed options, a loss-free profit and every figure set;
        // then a loss, which has a colour of its own.
        SetUpThreeLamps(GetWorkingDoc());
        m_oCalculator = ShowCalculator();
        m_oCalculator->RefreshSums(true);
        ExpectReadable(m_oCalculator.get(), sTheme);
        ctlNumericText* txtOutlay = m_oCalculator->Outlay()->ControlAs<ctlNumericText>("txtOutlay");
        ExpectFocusRingVisible(txtOutlay, sTheme);
        ExpectFocusRingVisible(m_oCalculator->Outlay()->ControlAs<QCheckBox>("chkOutlayInclTax"),
                               sTheme);
        // Edges at rest: a field in focus is ringed instead (the keyboard tests check that).
        if (QWidget* oFocus = QApplication::focusWidget()) oFocus->clearFocus();
        ExpectFieldEdgeVisible(txtOutlay, sTheme);
        ExpectFieldEdgeVisible(
            m_oCalculator->SellingCosts()->findChild<QWidget*>("txtTargetProfit"), sTheme);
        GetWorkingDoc().m_oOutlay.m_fOutlay = 500;
        m_oCalculator->RefreshSums(true);
        ExpectReadable(m_oCalculator.get(), sTheme);
        m_oCalculator.reset();

        m_oWizard = std::make_unique<ctlWizard>();
        m_oWizard->resize(900, 700);
        ShowWindow(m_oWizard.get());
        ExpectReadable(m_oWizard.get(), sTheme);
        for (QPushButton* oButton :
             {m_oWizard->imgBack, m_oWizard->imgNext, m_oWizard->imgCancel}) {
            // Drawn as a button of the panels' colours: no picture with a background of its own.
            EXPECT_TRUE(oButton->icon().isNull()) << sTheme << " " << Name(oButton);
            EXPECT_FALSE(oButton->text().isEmpty()) << sTheme << " " << Name(oButton);
            const QImage oImage = oButton->grab().toImage();
            const QColor oFace = oImage.pixelColor(oImage.width() / 2, 4);
            const QColor oEdge = oImage.pixelColor(oImage.width() / 2, 0);
            EXPECT_GE(Contrast(oFace, QColor(Qt::white)), 4.5) << sTheme << " " << Name(oButton);
            EXPECT_GE(Contrast(oEdge, Behind(oButton)), 3.0) << sTheme << " " << Name(oButton);
        }
        m_oWizard.reset();
        GetWorkingDoc().Clear();
    }
}

TEST_F(LookTest, OnA1024By768WindowEveryPanelAndTheChartScrollIntoView) {
    m_oMain = std::make_unique<frmMain>();
    ShowWindow(m_oMain.get());
    m_oMain->resize(1024, 768);
    QCoreApplication::processEvents();
    ctlCalculator* oCalculator = m_oMain->ctlCalculator1;
    ASSERT_TRUE(oCalculator->isVisible());
    auto* scrArea = oCalculator->findChild<QScrollArea*>();
    ASSERT_TRUE(scrArea);
    std::vector<QWidget*> aoParts{oCalculator->SellingCosts(), oCalculator->ProfitChart()};
    for (const char* sKey : {"Outlay", "PayPal", "AuctionType", "SellingFeatures", "Postage"})
        aoParts.push_back(oCalculator->Section(sKey));
    bool bScrolls = false;
    for (QWidget* oPart : aoParts) {
        scrArea->ensureWidgetVisible(oPart, 0, 0);
        QCoreApplication::processEvents();
        const QRect rcPart(oPart->mapTo(scrArea->viewport(), QPoint(0, 0)), oPart->size());
        EXPECT_TRUE(scrArea->viewport()->rect().contains(rcPart)) << Name(oPart);
        bScrolls = bScrolls || scrArea->horizontalScrollBar()->value() > 0 ||
                   scrArea->verticalScrollBar()->value() > 0;
    }
    EXPECT_TRUE(bScrolls) << "the calculator needs more than 1024 x 768";

    // The wizard at the same size seen at twice the scale: 512 x 384 points.
    m_oWizard = std::make_unique<ctlWizard>();
    m_oWizard->resize(512, 384);
    ShowWindow(m_oWizard.get());
    auto* scrWizard = m_oWizard->findChild<QScrollArea*>();
    ASSERT_TRUE(scrWizard);
    for (QWidget* oPart : std::vector<QWidget*>{m_oWizard->imgNext, m_oWizard->imgCancel,
                                                m_oWizard->ctlSellingCostsSection}) {
        scrWizard->ensureWidgetVisible(oPart, 0, 0);
        QCoreApplication::processEvents();
        const QRect rcPart(oPart->mapTo(scrWizard->viewport(), QPoint(0, 0)), oPart->size());
        EXPECT_TRUE(scrWizard->viewport()->rect().contains(rcPart)) << Name(oPart);
    }
    // Too narrow for the buttons beside the selling costs: they stand below them.
    EXPECT_GE(m_oWizard->fraButtons->y(), m_oWizard->ctlSellingCostsSection->geometry().bottom());
    // Cancel still works from there.
    QSignalSpy oComplete(m_oWizard.get(), &ctlWizard::WizardComplete);
    QTest::mouseClick(m_oWizard->imgCancel, Qt::LeftButton);
    EXPECT_EQ(oComplete.count(), 1);
}

TEST_F(LookTest, ALargerFontMakesThePanelsLargerAndKeepsTheStoredLayout) {
    SetUserSetting("Controls\\Outlay", "Left", "480");
    SetUserSetting("Controls\\Outlay", "Top", "1680");
    auto Measure = [this](double dPoints, QSize& szOutlay, QPoint& ptOutlay, int& lRow) {
        QFont oFont = m_oFont;
        oFont.setPointSizeF(dPoints);
        QApplication::setFont(oFont);
        m_oCalculator = ShowCalculator();
        ctlOutlay* oOutlay = m_oCalculator->Outlay();
        szOutlay = oOutlay->size();
        ptOutlay = oOutlay->pos();
        lRow = oOutlay->Control("txtEstimatedEndPrice")->y() - oOutlay->Control("txtOutlay")->y();
        // The stored places stay in twips whatever the font.
        EXPECT_EQ(ControlLeft(oOutlay), 480) << dPoints;
        EXPECT_EQ(ControlTop(oOutlay), 1680) << dPoints;
        // Every caption fits its control at this size.
        for (QWidget* o : m_oCalculator->findChildren<QWidget*>()) {
            if (!o->isVisibleTo(m_oCalculator.get())) continue;
            if (qobject_cast<QCheckBox*>(o) || qobject_cast<QLabel*>(o)) {
                auto* oLabel = qobject_cast<QLabel*>(o);
                if (oLabel && (oLabel->wordWrap() || oLabel->text().isEmpty())) continue;
                EXPECT_LE(o->sizeHint().width(), o->width() + 2) << dPoints << " " << Name(o);
            }
        }
        m_oCalculator.reset();
    };
    QSize szSmall, szLarge;
    QPoint ptSmall, ptLarge;
    int lRowSmall = 0, lRowLarge = 0;
    Measure(8, szSmall, ptSmall, lRowSmall);
    Measure(12, szLarge, ptLarge, lRowLarge);
    EXPECT_NEAR(TwipsScale(), 1.5, 0.1) << "12 points is half as large again as 8";
    EXPECT_GT(szLarge.width(), szSmall.width() * 1.35);
    EXPECT_GT(szLarge.height(), szSmall.height() * 1.35);
    EXPECT_GT(ptLarge.x(), ptSmall.x() * 1.35);
    EXPECT_GT(lRowLarge, lRowSmall * 1.35);
    EXPECT_EQ(UserSetting("Controls\\Outlay", "Left"), "480");
    EXPECT_EQ(UserSetting("Controls\\Outlay", "Top"), "1680");
}
