#include "UiTest.h"

#include "basCommon.h"
#include "basSplash.h"
#include "ctlMovie.h"
#include "frmSplash.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>

namespace {

// A program folder whose splash movie is missing or written by the test.
class clsProgramFolder {
public:
    explicit clsProgramFolder(const QByteArray& abSplash) : m_sOld(GetProgramFolder()) {
        QDir(m_oDir.path()).mkpath("Graphics");
        if (!abSplash.isEmpty()) {
            QFile oFile(m_oDir.filePath("Graphics/Splash.svg"));
            oFile.open(QIODevice::WriteOnly);
            oFile.write(R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:gv="urn:gavelry:movie" )"
                        R"(viewBox="0 0 10 10">)" +
                        abSplash + "<rect width=\"10\" height=\"10\"/></svg>");
        }
        SetProgramFolder(m_oDir.path().toStdString());
    }
    ~clsProgramFolder() { SetProgramFolder(m_sOld); }

private:
    QTemporaryDir m_oDir;
    std::string m_sOld;
};

} // namespace

class SplashTest : public clsUiTest {
protected:
    void TearDown() override {
        ShowSplash(false, false);
        SetSplashTimeLimit(10000);
        clsUiTest::TearDown();
    }
};

TEST_F(SplashTest, RegionWords) {
    EXPECT_EQ(frmSplash::RegionWord(RegionUK), "UK");
    EXPECT_EQ(frmSplash::RegionWord(RegionUS), "US");
    EXPECT_EQ(frmSplash::RegionWord(7), "EU");
}

TEST_F(SplashTest, WaitsForStartAndStopThenCloses) {
    EXPECT_EQ(GetSplashTimeLimit(), 10000);
    ShowSplash(true, true);
    frmSplash* oSplash = GetSplash();
    ASSERT_NE(oSplash, nullptr);
    EXPECT_TRUE(oSplash->LoadComplete());
    EXPECT_TRUE(oSplash->MovieComplete());
    EXPECT_TRUE(oSplash->isVisible());
    EXPECT_EQ(oSplash->windowTitle(), "Gavelry");
    EXPECT_TRUE(oSplash->ShockwaveFlash1->IsLoaded());
    EXPECT_TRUE(oSplash->ShockwaveFlash1->MovieFile().endsWith("/Graphics/Splash.svg"));
    EXPECT_EQ(oSplash->ShockwaveFlash1->Parameter("Version"), "UK");
    EXPECT_TRUE(oSplash->ShockwaveFlash1->Document().contains("UK Edition"));
    EXPECT_FALSE(oSplash->ShockwaveFlash1->Menu());
    EXPECT_EQ(oSplash->size(), oSplash->ShockwaveFlash1->size());

    QDir().mkpath(GAVELRY_SCREENSHOT_DIR);
    EXPECT_TRUE(oSplash->grab().save(GAVELRY_SCREENSHOT_DIR "/splash.png"));

    ShowSplash(false, false);
    EXPECT_EQ(GetSplash(), nullptr);
    ShowSplash(false, true); // nothing open: returns at once
}

TEST_F(SplashTest, OpeningWithoutWaitingForTheEndReturnsAfterStart) {
    clsProgramFolder oFolder(
        R"(<gv:command at="0" name="start"/><gv:command at="150" name="stop"/>)");
    ShowSplash(true, false);
    ASSERT_NE(GetSplash(), nullptr);
    EXPECT_TRUE(GetSplash()->LoadComplete());
    EXPECT_FALSE(GetSplash()->MovieComplete());
    ShowSplash(false, false); // waits for the end, then closes
    EXPECT_EQ(GetSplash(), nullptr);
}

TEST_F(SplashTest, MissingMovieEndsTheWaitAtTheLimit) {
    clsProgramFolder oFolder{QByteArray()};
    SetSplashTimeLimit(250);
    ShowSplash(true, true);
    ASSERT_NE(GetSplash(), nullptr);
    EXPECT_FALSE(GetSplash()->ShockwaveFlash1->IsLoaded());
    EXPECT_FALSE(GetSplash()->LoadComplete());
    ShowSplash(false, false);
    EXPECT_EQ(GetSplash(), nullptr);
}

TEST_F(SplashTest, MovieThatNeverStopsEndsTheWaitAtTheLimit) {
    clsProgramFolder oFolder(R"(<gv:command at="0" name="start"/>)");
    SetSplashTimeLimit(250);
    ShowSplash(true, true);
    ASSERT_NE(GetSplash(), nullptr);
    EXPECT_TRUE(GetSplash()->LoadComplete());
    EXPECT_FALSE(GetSplash()->MovieComplete());
    ShowSplash(false, false);
    EXPECT_EQ(GetSplash(), nullptr);
}

TEST_F(SplashTest, CommandsAreExactAndCaseSensitive) {
    clsProgramFolder oFolder(R"(<gv:command at="0" name="START"/><gv:command at="0" name="Stop"/>)"
                             R"(<gv:command at="20" name="start"/>)");
    SetSplashTimeLimit(400);
    ShowSplash(true, true);
    ASSERT_NE(GetSplash(), nullptr);
    EXPECT_TRUE(GetSplash()->LoadComplete());
    EXPECT_FALSE(GetSplash()->MovieComplete());
}

TEST_F(SplashTest, ClosingTheWindowEndsTheWait) {
    clsProgramFolder oFolder(R"(<gv:command at="0" name="start"/>)");
    ShowSplash(true, false);
    ASSERT_NE(GetSplash(), nullptr);
    frmSplash* oSplash = GetSplash();
    QTimer::singleShot(50, oSplash, [oSplash] { oSplash->close(); });
    ShowSplash(true, true); // the limit stays 10 s: only the close ends this
    ASSERT_EQ(GetSplash(), oSplash);
    EXPECT_TRUE(oSplash->IsDismissed());
    EXPECT_FALSE(oSplash->MovieComplete());
}
