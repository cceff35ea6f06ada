#include "basStartupSequence.h"

#include "basCommon.h"
#include "basMain.h"
#include "basSplash.h"
#include "basStartup.h"
#include "basWindows.h"
#include "frmMain.h"

namespace {

std::function<void()> g_fnDownloadStep;

// A step that fails is skipped: start-up goes on with the next.
template <class F> void Step(F&& fnStep) {
    try {
        fnStep();
    } catch (const std::exception& e) {
        LogDebug(std::string("Start-up step failed: ") + e.what());
    } catch (...) {
        LogDebug("Start-up step failed");
    }
}

} // namespace

void SetDownloadStep(std::function<void()> fnStep) {
    g_fnDownloadStep = std::move(fnStep);
}

std::unique_ptr<frmMain> Main(const QStringList& asArguments) {
    ParseCommandLine(asArguments.join(QLatin1Char(' ')).toUpper().toStdString());
    LogDebug("Started app");
    Step([] { ShowSplash(true, true); });
    LogDebug("Setting system defaults");
    Step([] { SetSystemDefaults(); });
    LogDebug("DL's");
    Step([] {
        if (g_fnDownloadStep)
            g_fnDownloadStep();
        else
            PerformDownloads();
    });
    LogDebug("Splash pause");
    LogDebug("Display main");
    std::unique_ptr<frmMain> oMain;
    if (!IsApplicationClosing()) {
        Step([&oMain] {
            oMain = std::make_unique<frmMain>();
            oMain->show();
        });
    }
    Step([] { ShowSplash(false, false); });
    LogDebug("End startup");
    if (IsApplicationClosing()) oMain.reset();
    return oMain;
}
