#include "UiTest.h"

#include "basCommon.h"
#include "basMain.h"
#include "basUpdate.h"
#include "clsPrices.h"
#include "clsTodaySchedule.h"
#include "ctlMovie.h"
#include "ctlNumericText.h"
#include "frmAbout.h"

#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QTest>

#include <filesystem>
#include <memory>

namespace {

void ClickSpot(ctlMovie* oMovie, const QString& sId) {
    for (const auto& oSpot : oMovie->HotSpots())
        if (oSpot.first == sId) {
            QTest::mouseClick(oMovie, Qt::LeftButton, Qt::NoModifier,
                              oSpot.second.center().toPoint());
            return;
        }
    ADD_FAILURE() << "No hot spot " << sId.toStdString() << " in "
                  << oMovie->objectName().toStdString();
}

void ClickButton(ctlMovie* oButton) {
    ASSERT_TRUE(oButton->isVisible()) << oButton->objectName().toStdString();
    ASSERT_EQ(oButton->HotSpots().size(), 1);
    ClickSpot(oButton, oButton->HotSpots().first().first);
}

} // namespace

class AboutTest : public clsUiTest {
protected:
    void SetUp() override {
        clsUiTest::SetUp();
        m_sSavedAbout = g_sAboutText;
        m_lSavedSnap = g_lSnapToGrid;
        frmAbout::SetOpenWebSiteHandler([this](const QString& sUrl) { m_asOpened << sUrl; });
    }
    void TearDown() override {
        m_oAbout.reset();
        g_sAboutText = m_sSavedAbout;
        g_lSnapToGrid = m_lSavedSnap;
        frmAbout::SetOpenWebSiteHandler({});
        clsUiTest::TearDown();
    }
    frmAbout* Open() {
        m_oAbout = std::make_unique<frmAbout>();
        ShowWindow(m_oAbout.get());
        return m_oAbout.get();
    }

    std::unique_ptr<frmAbout> m_oAbout;
    QStringList m_asOpened;
    std::string m_sSavedAbout;
    int32_t m_lSavedSnap = 0;
};

TEST_F(AboutTest, CaptionPadsTheVersion) {
    EXPECT_EQ(frmAbout::AboutCaption("Gavelry UK", 1, 1, 248), "About - Gavelry UK (v01.01.248)");
    EXPECT_EQ(frmAbout::AboutCaption("Gavelry US", 12, 3, 7), "About - Gavelry US (v12.03.007)");
    EXPECT_EQ(Open()->windowTitle(), "About - Gavelry UK (v01.01.248)");
}

TEST_F(AboutTest, MovieGetsTheMessageWithBreaksAndTheStoredMusic) {
    g_sAboutText = "First line\\nSecond & last";
    SetUserSetting("Config", "MusicID", "music=3");
    frmAbout* oAbout = Open();
    ctlMovie* oMovie = oAbout->aniFlash;
    EXPECT_TRUE(oMovie->Movie().endsWith(
        "\\Graphics\\About.swf?AboutInfo=First line<br>Second & last&music=3&mute=false"))
        << oMovie->Movie().toStdString();
    EXPECT_TRUE(oMovie->IsLoaded());
    EXPECT_EQ(oMovie->Parameter("AboutInfo"), "First line<br>Second & last");
    EXPECT_EQ(oMovie->Parameter("music"), "3");
    EXPECT_EQ(oMovie->Parameter("mute"), "false");
    const QByteArray abDocument = oMovie->Document();
    EXPECT_TRUE(abDocument.contains("First line<tbreak") &&
                abDocument.contains("/>Second &amp; last"))
        << abDocument.toStdString();
    EXPECT_TRUE(oMovie->SoundFile().endsWith("Tune3.wav"));
    EXPECT_EQ(UserSetting("Config", "MusicMute"), "<absent>") << "reading creates nothing";
}

TEST_F(AboutTest, MusicChoicesAreStoredAtOnceAsSent) {
    frmAbout* oAbout = Open();
    ctlMovie* oMovie = oAbout->aniFlash;
    ClickSpot(oMovie, "music2");
    EXPECT_EQ(UserSetting("Config", "MusicID"), "music=2");
    EXPECT_TRUE(oMovie->SoundFile().endsWith("Tune2.wav"));
    ClickSpot(oMovie, "muteOff");
    EXPECT_EQ(UserSetting("Config", "MusicMute"), "mute=true");
    EXPECT_TRUE(oMovie->SoundFile().isEmpty());
    ClickSpot(oMovie, "muteOn");
    EXPECT_EQ(UserSetting("Config", "MusicMute"), "mute=false");

    emit oMovie->FSCommand("MUSIC=1", "");
    EXPECT_EQ(UserSetting("Config", "MusicID"), "MUSIC=1");
    emit oMovie->FSCommand("Mute=True", "");
    EXPECT_EQ(UserSetting("Config", "MusicMute"), "Mute=True");
    for (const char* sIgnored : {"music=4", "music", "mute=yes", "stop"})
        emit oMovie->FSCommand(sIgnored, "");
    EXPECT_EQ(UserSetting("Config", "MusicID"), "MUSIC=1");
    EXPECT_EQ(UserSetting("Config", "MusicMute"), "Mute=True");
    EXPECT_TRUE(m_asOpened.isEmpty());

    // The stored choice travels to the movie the next time the page is shown.
    ClickButton(oAbout->imgSettings);
    ClickButton(oAbout->imgAbout);
    EXPECT_EQ(oAbout->aniFlash->Parameter("music"), "1");
    EXPECT_EQ(oAbout->aniFlash->Parameter("mute"), "True");
    EXPECT_TRUE(oAbout->aniFlash->SoundFile().isEmpty());
}

TEST_F(AboutTest, WebSiteOpensFromTheMovie) {
    frmAbout* oAbout = Open();
    ClickSpot(oAbout->aniFlash, "web");
    emit oAbout->aniFlash->FSCommand("CLICK", "");
    EXPECT_EQ(m_asOpened, QStringList(2, QString::fromStdString(GetWebSite())));
}

TEST_F(AboutTest, PagesSwapOneForTheOther) {
    frmAbout* oAbout = Open();
    EXPECT_TRUE(oAbout->fraAmination->isVisible());
    EXPECT_FALSE(oAbout->fraSettings->isVisible());
    EXPECT_EQ(oAbout->imgAbout->Parameter("selected"), "true");
    ClickButton(oAbout->imgSettings);
    EXPECT_FALSE(oAbout->fraAmination->isVisible());
    EXPECT_FALSE(oAbout->fraAmination->isEnabled());
    EXPECT_TRUE(oAbout->fraSettings->isVisible());
    EXPECT_TRUE(oAbout->fraSettings->isEnabled());
    EXPECT_EQ(oAbout->imgSettings->Parameter("selected"), "true");
    EXPECT_EQ(oAbout->imgAbout->Parameter("selected"), "false");
    ClickButton(oAbout->imgAbout);
    EXPECT_TRUE(oAbout->fraAmination->isVisible());
    EXPECT_FALSE(oAbout->fraSettings->isEnabled());
}

TEST_F(AboutTest, StartModeListShowsTheStoredChoice) {
    for (const auto& [sStored, sShown] : std::initializer_list<std::pair<const char*, const char*>>{
             {"1", "Advanced"}, {"0", "Wizard"}, {"7", "Wizard"}, {"", "Wizard"}}) {
        SetUserSetting("Config", "StartMode", sStored);
        frmAbout* oAbout = Open();
        EXPECT_EQ(oAbout->cboStartMode->currentText(), sShown) << sStored;
        EXPECT_EQ(oAbout->cboStartMode->count(), 2);
        EXPECT_FALSE(oAbout->imgApply->isVisibleTo(oAbout));
    }
}

TEST_F(AboutTest, ApplyStoresStartModeAndSnapStep) {
    SetUserSetting("Config", "SnapToGrid", "120");
    frmAbout* oAbout = Open();
    ClickButton(oAbout->imgSettings);
    oAbout->cboStartMode->setCurrentIndex(1);
    EXPECT_TRUE(oAbout->imgApply->isVisible());
    TypeInto(oAbout->txtSnapToGrid, "240");
    ClickButton(oAbout->imgApply);
    EXPECT_EQ(UserSetting("Config", "StartMode"), "1");
    EXPECT_EQ(UserSetting("Config", "SnapToGrid"), "240");
    EXPECT_EQ(g_lSnapToGrid, 240);
    EXPECT_FALSE(oAbout->imgApply->isVisible());

    // Focusing the field alone offers Apply.
    oAbout->txtSnapToGrid->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(oAbout->imgApply->isVisible());
}

TEST_F(AboutTest, TheSnapStepTakesAtMostAThousandTwips) {
    SetUserSetting("Config", "SnapToGrid", "120");
    frmAbout* oAbout = Open();
    ClickButton(oAbout->imgSettings);
    ctlNumericText* txtSnapToGrid = oAbout->txtSnapToGrid;
    TypeOver(txtSnapToGrid, "1001");
    EXPECT_EQ(txtSnapToGrid->InvalidReason(), "At most 1,000");
    QTest::keyClick(txtSnapToGrid, Qt::Key_Tab);
    EXPECT_EQ(txtSnapToGrid->Text(), "120");
    EXPECT_EQ(m_lBeeps, 1);

    TypeInto(txtSnapToGrid, "1,000");
    EXPECT_EQ(txtSnapToGrid->Text(), "1,000");
    ClickButton(oAbout->imgApply);
    EXPECT_EQ(UserSetting("Config", "SnapToGrid"), "1000") << "stored as start-up reads it";
    EXPECT_EQ(g_lSnapToGrid, 1000);
    EXPECT_EQ(m_lBeeps, 1);
}

TEST_F(AboutTest, CancelRestoresTheStoredSettings) {
    SetUserSetting("Config", "StartMode", "0");
    SetUserSetting("Config", "SnapToGrid", "60");
    g_lSnapToGrid = 60;
    frmAbout* oAbout = Open();
    ClickButton(oAbout->imgSettings);
    EXPECT_EQ(oAbout->txtSnapToGrid->Text(), "60");
    oAbout->cboStartMode->setCurrentIndex(1);
    TypeInto(oAbout->txtSnapToGrid, "300");
    ClickButton(oAbout->imgCancel);
    EXPECT_EQ(oAbout->cboStartMode->currentText(), "Wizard");
    EXPECT_EQ(oAbout->txtSnapToGrid->Text(), "60");
    EXPECT_FALSE(oAbout->imgApply->isVisible());
    EXPECT_EQ(UserSetting("Config", "StartMode"), "0");
    EXPECT_EQ(g_lSnapToGrid, 60);
}

TEST_F(AboutTest, ResetAsksTheOwnerToResetPanelPositions) {
    frmAbout* oAbout = Open();
    int lResets = 0;
    int lSignals = 0;
    oAbout->OnResetControlPositions([&lResets] { ++lResets; });
    QObject::connect(oAbout, &frmAbout::ResetControlPositions, [&lSignals] { ++lSignals; });
    ClickButton(oAbout->imgSettings);
    ClickButton(oAbout->imgResetPositions);
    EXPECT_EQ(lResets, 1);
    EXPECT_EQ(lSignals, 1);
}

TEST_F(AboutTest, ControlsAreNamedByCaptionsAndDescribedByControlNames) {
    frmAbout* oAbout = Open();
    const std::pair<QWidget*, const char*> aNames[] = {
        {oAbout->imgAbout, "About"},
        {oAbout->imgSettings, "Settings"},
        {oAbout->cboStartMode, "Start Mode"},
        {oAbout->txtSnapToGrid, "Snap to Grid Size"},
        {oAbout->imgResetPositions, "Reset Expert Positions"},
        {oAbout->imgApply, "Apply"},
        {oAbout->imgCancel, "Cancel"},
        {oAbout->aniFlash, "About Gavelry UK"}};
    for (const auto& [oCtrl, sName] : aNames) {
        QAccessibleInterface* oAccessible = QAccessible::queryAccessibleInterface(oCtrl);
        ASSERT_NE(oAccessible, nullptr);
        EXPECT_EQ(oCtrl->accessibleName(), sName);
        // On Linux a list box reads out its current entry; its label names it by relation.
        if (oCtrl != oAbout->cboStartMode) {
            EXPECT_EQ(oAccessible->text(QAccessible::Name), sName);
        }
        EXPECT_EQ(oAccessible->text(QAccessible::Description), oCtrl->objectName());
    }
    EXPECT_EQ(oAbout->lblStartMode->buddy(), oAbout->cboStartMode);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(oAbout->aniFlash)->role(),
              QAccessible::Animation);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(oAbout->imgApply)->role(), QAccessible::Button);
}

TEST_F(AboutTest, PagesRenderForLooking) {
    g_sAboutText = std::string("Gavelry works out what selling an item on eBay costs: listing and "
                               "final value fees, PayPal, postage and the profit left.\\nPrices "
                               "come from the price file beside the program, kept up to date "
                               "from the maker's server at start-up.");
    frmAbout* oAbout = Open();
    // Every control of either page fits inside the window, captions unclipped.
    const auto ExpectAllFit = [oAbout] {
        for (QWidget* oCtrl : oAbout->findChildren<QWidget*>()) {
            if (!oCtrl->isVisibleTo(oAbout)) continue;
            const QRect rc(oCtrl->mapTo(oAbout, QPoint(0, 0)), oCtrl->size());
            EXPECT_TRUE(oAbout->rect().contains(rc)) << oCtrl->objectName().toStdString();
        }
        for (QLabel* oLabel : oAbout->findChildren<QLabel*>())
            if (oLabel->isVisibleTo(oAbout)) {
                EXPECT_GE(oLabel->width(), oLabel->sizeHint().width())
                    << oLabel->text().toStdString();
            }
    };
    ExpectAllFit();
    QTest::qWait(400);
    QDir().mkpath(GAVELRY_SCREENSHOT_DIR);
    EXPECT_TRUE(oAbout->grab().save(GAVELRY_SCREENSHOT_DIR "/about_page.png"));
    const QSize oSize = oAbout->size();
    ClickButton(oAbout->imgSettings);
    oAbout->cboStartMode->setCurrentIndex(1);
    ExpectAllFit();
    EXPECT_EQ(oAbout->size(), oSize) << "the window keeps its size from page to page";
    EXPECT_TRUE(oAbout->grab().save(GAVELRY_SCREENSHOT_DIR "/about_settings.png"));
}

// The about box names the file the fees in use came from, after a switch of schedule too.
TEST_F(AboutTest, NamesTheFileTheFeesInUseWereReadFrom) {
    const auto ExpectNames = [this](const std::string& sPath, const char* sStep) {
        ASSERT_EQ(GetPricesSource(), sPath) << sStep;
        frmAbout* oAbout = Open();
        const auto* lblPriceFile = oAbout->findChild<QLabel*>("lblPriceFile");
        ASSERT_TRUE(lblPriceFile) << sStep;
        EXPECT_TRUE(lblPriceFile->isVisible()) << sStep;
        EXPECT_EQ(lblPriceFile->toolTip().toStdString(), sPath) << sStep;
        EXPECT_EQ(lblPriceFile->accessibleName().toStdString(), "Fees read from " + sPath) << sStep;
        EXPECT_TRUE(lblPriceFile->text().endsWith(
            QString::fromStdString(std::filesystem::path(sPath).filename().string())))
            << sStep;
        m_oAbout.reset();
    };
    ExpectNames(std::string(GAVELRY_SOURCE_DIR) + "/data/UpdateUK_v0102.dat", "start");
    UseFeeSchedule(FeeSchedule::Today);
    ExpectNames(GetSchedulePriceFilePath(FeeSchedule::Today), "today");
    UseFeeSchedule(FeeSchedule::Y2008);
    ExpectNames(GetPriceFilePath(false), "back to 2008");
    EXPECT_TRUE(ShownMessages().empty());
}
