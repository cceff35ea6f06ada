#include "basSplash.h"

#include "basMain.h"
#include "ctlMovie.h"
#include "frmSplash.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

std::unique_ptr<frmSplash> g_oSplash;
int32_t g_lTimeLimit = 10000;
// A wait already gave up on this movie: closing the window does not wait for it again.
bool g_bGaveUp = false;

// Services window events until the condition holds or the time limit has passed; a movie
// that is missing or never reports must not hold start-up for ever.
bool WaitFor(const std::function<bool()>& fnDone, QElapsedTimer& oClock) {
    QTimer oWake; // keeps the wait from blocking when no other event comes
    oWake.start(15);
    while (!fnDone()) {
        if (oClock.elapsed() >= g_lTimeLimit) {
            LogDebug("Splash movie timed out");
            g_bGaveUp = true;
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 15);
    }
    return true;
}

} // namespace

void ShowSplash(bool bOpen, bool bWaitForEnd) {
    QElapsedTimer oClock;
    oClock.start();
    QCoreApplication::processEvents();
    if (bOpen) {
        if (!g_oSplash) {
            g_bGaveUp = false;
            g_oSplash = std::make_unique<frmSplash>();
        }
        frmSplash* oSplash = g_oSplash.get();
        oSplash->show();
        const bool bStarted = WaitFor(
            [oSplash] { return oSplash->LoadComplete() || oSplash->IsDismissed(); }, oClock);
        if (bStarted && bWaitForEnd)
            WaitFor([oSplash] { return oSplash->MovieComplete() || oSplash->IsDismissed(); },
                    oClock);
        return;
    }
    if (!g_oSplash) return;
    frmSplash* oSplash = g_oSplash.get();
    if (!g_bGaveUp)
        WaitFor([oSplash] { return oSplash->MovieComplete() || oSplash->IsDismissed(); }, oClock);
    oSplash->ShockwaveFlash1->Stop();
    oSplash->hide();
    g_oSplash.reset();
}

frmSplash* GetSplash() {
    return g_oSplash.get();
}

void SetSplashTimeLimit(int32_t lMilliseconds) {
    g_lTimeLimit = lMilliseconds;
}

int32_t GetSplashTimeLimit() {
    return g_lTimeLimit;
}
