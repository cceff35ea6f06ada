#include "UiTest.h"

#include "basCommon.h"
#include "ctlMovie.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

QString Graphics(const QString& sFile) {
    return QString::fromStdString(GetProgramFolder()) + QStringLiteral("/Graphics/") + sFile;
}

QString WriteMovie(const QTemporaryDir& oDir, const QString& sName, const QByteArray& abBody) {
    const QString sPath = oDir.filePath(sName);
    QFile oFile(sPath);
    oFile.open(QIODevice::WriteOnly);
    oFile.write(
        R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:gv="urn:gavelry:movie" )"
        R"(version="1.2" baseProfile="tiny" width="100" height="50" viewBox="0 0 100 50">)" +
        abBody + "</svg>");
    return sPath;
}

QPoint HotSpotCentre(const ctlMovie& oMovie, const QString& sId) {
    for (const auto& oSpot : oMovie.HotSpots())
        if (oSpot.first == sId) return oSpot.second.center().toPoint();
    ADD_FAILURE() << "No hot spot " << sId.toStdString();
    return {};
}

using Params = QList<QPair<QString, QString>>;

// The offscreen platform moves no pointer: hand the widget the move itself.
void MoveMouse(QWidget* oWidget, const QPoint& ptPos) {
    QMouseEvent oMove(QEvent::MouseMove, ptPos, oWidget->mapToGlobal(ptPos), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(oWidget, &oMove);
}

} // namespace

class MovieTest : public clsUiTest {};

TEST_F(MovieTest, PathTakesTheOwnExtensionAndHandsOverTheParameters) {
    Params aParams;
    EXPECT_EQ(ctlMovie::MoviePath(QStringLiteral("/opt/g\\Graphics\\X.swf?a=1&b=2"), &aParams),
              QStringLiteral("/opt/g/Graphics/X.svg"));
    EXPECT_EQ(aParams, (Params{{"a", "1"}, {"b", "2"}}));
    EXPECT_EQ(ctlMovie::MoviePath(QStringLiteral("Y.SWF"), &aParams), QStringLiteral("Y.svg"));
    EXPECT_TRUE(aParams.isEmpty());
    // An "&" inside a value stays with it; "=" inside a value is kept.
    ctlMovie::MoviePath(QStringLiteral("A.swf?AboutInfo=Fees & costs<br>more&music=2"), &aParams);
    EXPECT_EQ(aParams, (Params{{"AboutInfo", "Fees & costs<br>more"}, {"music", "2"}}));
    ctlMovie::MoviePath(QStringLiteral("A.swf?x=a=b"), &aParams);
    EXPECT_EQ(aParams, (Params{{"x", "a=b"}}));
    ctlMovie::MoviePath(QStringLiteral("A.swf?Version="), &aParams);
    EXPECT_EQ(aParams, (Params{{"Version", ""}}));
}

TEST_F(MovieTest, PlaceholdersAreEscapedAndBreaksBecomeTextAreaBreaks) {
    const Params aParams{{"Info", "A & B <i>\"q\"</i><br>next<BR/>last"}, {"n", "7"}};
    EXPECT_EQ(ctlMovie::Substitute(QStringLiteral("<t>{{info}}</t>"), aParams),
              QStringLiteral("<t>A &amp; B &lt;i&gt;&quot;q&quot;&lt;/i&gt;<tbreak/>next<tbreak/>"
                             "last</t>"));
    EXPECT_EQ(ctlMovie::Substitute(QStringLiteral("{{ n }}{{missing}}{{n"), aParams),
              QStringLiteral("7{{n"));
}

TEST_F(MovieTest, ConditionsDefaultsAndCommandsShapeTheDocument) {
    QTemporaryDir oDir;
    const QString sPath =
        WriteMovie(oDir, "T.svg",
                   R"(<gv:param name="mode" default="a"/>)"
                   R"(<text id="shown" x="1" y="10">{{Label}}</text>)"
                   R"(<rect id="onlyA" x="0" y="0" width="10" height="10" gv:if="mode=a"/>)"
                   R"(<rect id="notA" x="0" y="0" width="10" height="10" gv:if="mode!=a"/>)"
                   R"(<rect id="pick" x="50" y="0" width="50" height="50" gv:command="mode=b"/>)");
    ctlMovie oMovie;
    oMovie.resize(100, 50);
    oMovie.Movie(QStringLiteral("%1?label=Hello").arg(QString(sPath).replace(".svg", ".swf")));
    ASSERT_TRUE(oMovie.IsLoaded());
    EXPECT_EQ(oMovie.MovieFile(), sPath);
    EXPECT_EQ(oMovie.Parameter("LABEL"), "Hello");
    EXPECT_EQ(oMovie.Parameter("mode"), "a");
    EXPECT_TRUE(oMovie.Document().contains("Hello"));
    EXPECT_TRUE(oMovie.Document().contains("onlyA"));
    EXPECT_FALSE(oMovie.Document().contains("notA"));
    EXPECT_FALSE(oMovie.Document().contains("gv:"));

    // A "name=value" command sets a declared parameter before the program hears of it.
    QSignalSpy oSpy(&oMovie, &ctlMovie::FSCommand);
    QTest::mouseClick(&oMovie, Qt::LeftButton, Qt::NoModifier, HotSpotCentre(oMovie, "pick"));
    ASSERT_EQ(oSpy.count(), 1);
    EXPECT_EQ(oSpy[0][0].toString(), "mode=b");
    EXPECT_EQ(oMovie.Parameter("mode"), "b");
    EXPECT_TRUE(oMovie.Document().contains("notA"));
    EXPECT_FALSE(oMovie.Document().contains("onlyA"));

    // A click outside every hot spot, or a press dragged off the spot, sends nothing.
    QTest::mouseClick(&oMovie, Qt::LeftButton, Qt::NoModifier, QPoint(20, 40));
    QTest::mousePress(&oMovie, Qt::LeftButton, Qt::NoModifier, HotSpotCentre(oMovie, "pick"));
    QTest::mouseRelease(&oMovie, Qt::LeftButton, Qt::NoModifier, QPoint(20, 40));
    EXPECT_EQ(oSpy.count(), 1);
}

TEST_F(MovieTest, TimelineSendsItsCommandsInOrderAfterPlay) {
    QTemporaryDir oDir;
    const QString sPath = WriteMovie(
        oDir, "T.svg",
        R"(<gv:command at="40" name="stop" args="end"/><gv:command at="0" name="start"/>)"
        R"(<rect x="0" y="0" width="100" height="50"/>)");
    ctlMovie oMovie;
    QSignalSpy oSpy(&oMovie, &ctlMovie::FSCommand);
    oMovie.Movie(sPath);
    QTest::qWait(60);
    EXPECT_EQ(oSpy.count(), 0) << "nothing is sent before Play";
    oMovie.Play();
    EXPECT_TRUE(oMovie.IsPlaying());
    ASSERT_TRUE(oSpy.wait(5000));
    if (oSpy.count() < 2) {
        ASSERT_TRUE(oSpy.wait(5000));
    }
    ASSERT_EQ(oSpy.count(), 2);
    EXPECT_EQ(oSpy[0][0].toString(), "start");
    EXPECT_EQ(oSpy[1][0].toString(), "stop");
    EXPECT_EQ(oSpy[1][1].toString(), "end");

    // Stop cancels what has not been sent yet.
    oMovie.Play();
    oMovie.Stop();
    QTest::qWait(80);
    EXPECT_EQ(oSpy.count(), 2);
}

TEST_F(MovieTest, MissingMovieShowsNothingAndSendsNothing) {
    ctlMovie oMovie;
    QSignalSpy oSpy(&oMovie, &ctlMovie::FSCommand);
    oMovie.Movie(QStringLiteral("/nonexistent/Graphics/Splash.swf?Version=UK"));
    oMovie.Play();
    oMovie.resize(50, 50);
    oMovie.grab(); // paints without a picture
    QTest::mouseClick(&oMovie, Qt::LeftButton);
    QTest::qWait(30);
    EXPECT_FALSE(oMovie.IsLoaded());
    EXPECT_TRUE(oMovie.HotSpots().isEmpty());
    EXPECT_EQ(oMovie.Parameter("Version"), "UK");
    EXPECT_EQ(oSpy.count(), 0);
}

TEST_F(MovieTest, EveryMenuButtonClicksHoversAndIsNamedByItsTooltip) {
    const QStringList asButtons{"New", "Calc", "Wizard", "Save", "Load", "Config", "About"};
    for (const QString& sButton : asButtons) {
        SCOPED_TRACE(sButton.toStdString());
        auto oMovie = std::make_unique<ctlMovie>();
        oMovie->resize(72, 72);
        oMovie->Movie(QString::fromStdString(GetProgramFolder()) + "\\Graphics\\Buttons\\" +
                      sButton + "_button.swf");
        oMovie->ToolTip(sButton + " tip");
        oMovie->setAccessibleDescription(QStringLiteral("swfVerticalMenuButtons(0)"));
        ASSERT_TRUE(oMovie->IsLoaded());
        ASSERT_EQ(oMovie->HotSpots().size(), 1);
        EXPECT_EQ(oMovie->toolTip(), sButton + " tip");

        QAccessibleInterface* oAccessible = QAccessible::queryAccessibleInterface(oMovie.get());
        ASSERT_NE(oAccessible, nullptr);
        EXPECT_EQ(oAccessible->role(), QAccessible::Button);
        EXPECT_EQ(oAccessible->text(QAccessible::Name), sButton + " tip");
        EXPECT_EQ(oAccessible->text(QAccessible::Description), "swfVerticalMenuButtons(0)");

        ShowWindow(oMovie.get());
        QEvent oLeave(QEvent::Leave);
        QApplication::sendEvent(oMovie.get(), &oLeave);
        EXPECT_FALSE(oMovie->Document().contains("id=\"faceHot\""));
        MoveMouse(oMovie.get(), QPoint(36, 36));
        EXPECT_TRUE(oMovie->Document().contains("id=\"faceHot\""))
            << "the button reacts to the pointer";
        QTest::mousePress(oMovie.get(), Qt::LeftButton, Qt::NoModifier, QPoint(36, 36));
        EXPECT_TRUE(oMovie->Document().contains("fill-opacity=\"0.25\"")) << "pressed look";
        QTest::mouseRelease(oMovie.get(), Qt::LeftButton, Qt::NoModifier, QPoint(36, 36));
        EXPECT_EQ(oMovie->Parameter("hover"), QString()) << "state is not a program parameter";

        QSignalSpy oSpy(oMovie.get(), &ctlMovie::FSCommand);
        QTest::mouseClick(oMovie.get(), Qt::LeftButton, Qt::NoModifier, QPoint(36, 36));
        oMovie->setFocus();
        EXPECT_TRUE(oMovie->hasFocus()) << "buttons take the keyboard focus";
        QTest::keyClick(oMovie.get(), Qt::Key_Space);
        oAccessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        ASSERT_EQ(oSpy.count(), 3);
        for (const auto& aArgs : oSpy)
            EXPECT_EQ(aArgs[0].toString(), "click");
    }
}

TEST_F(MovieTest, ButtonPicturesRenderForLooking) {
    QDir().mkpath(GAVELRY_SCREENSHOT_DIR);
    ctlMovie oMovie;
    oMovie.resize(144, 144); // a high-dpi sized button stays sharp
    oMovie.Movie(Graphics("Buttons/Config_button.swf"));
    MoveMouse(&oMovie, QPoint(72, 72));
    QTest::qWait(300);
    EXPECT_TRUE(oMovie.grab().save(GAVELRY_SCREENSHOT_DIR "/button_hover.png"));
    // The whole column, as the main window shows it.
    QWidget oColumn;
    oColumn.setStyleSheet("background: black");
    int lTop = 0;
    for (const char* sButton : {"New", "Calc", "Wizard", "Save", "Load", "Config", "About"}) {
        auto* oButton = new ctlMovie(&oColumn);
        oButton->setGeometry(16, 16 + lTop, 72, 72);
        oButton->Movie(Graphics(QStringLiteral("Buttons/%1_button.swf").arg(sButton)));
        lTop += 72;
    }
    oColumn.resize(104, 32 + lTop);
    EXPECT_TRUE(oColumn.grab().save(GAVELRY_SCREENSHOT_DIR "/buttons.png"));
}

TEST_F(MovieTest, AboutMoviePlaysTheChosenTuneUnlessMuted) {
    ctlMovie oMovie;
    oMovie.Movie(Graphics("About.swf?AboutInfo=Hi&music=2&mute=false"));
    EXPECT_TRUE(oMovie.SoundFile().isEmpty()) << "no tune before Play";
    oMovie.Play();
    EXPECT_TRUE(oMovie.SoundFile().endsWith("/Graphics/Tune2.wav"))
        << oMovie.SoundFile().toStdString();
    EXPECT_TRUE(QFile::exists(oMovie.SoundFile()));
    oMovie.Parameter("mute", "true");
    EXPECT_TRUE(oMovie.SoundFile().isEmpty());
    oMovie.Parameter("MUTE", "false");
    oMovie.Parameter("music", "0");
    EXPECT_TRUE(oMovie.SoundFile().endsWith("/Graphics/Tune0.wav"));
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(QFile::exists(Graphics(QStringLiteral("Tune%1.wav").arg(i))));
}

TEST_F(MovieTest, WizardPicturesLoadAtTwiceTheirButtonSize) {
    for (const char* sFile : {"Back.jpg", "Next.jpg", "Finish.jpg", "Cancel.jpg"}) {
        const QImage oPicture(Graphics(QStringLiteral("Buttons/") + sFile));
        ASSERT_FALSE(oPicture.isNull()) << sFile;
        EXPECT_EQ(oPicture.size(), QSize(262, 66)) << sFile; // 1965 x 495 twips, doubled
    }
}
