#include "basStartupSequence.h"

#include "basCommon.h"
#include "basMain.h"
#include "basSettings.h"
#include "basSplash.h"
#include "basStartup.h"
#include "basWindows.h"
#include "clsPrices.h"
#include "clsRequiredPrices.h"
#include "frmMain.h"

#include <QUrl>

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

// Fees of prices the file lacks count as 0: the user hears of it once, at start, by name.
void WarnOfMissingPrices() {
    const clsPriceCheck oCheck = CheckRequiredPrices(GetPrices(), GetRegion());
    if (oCheck.Passed()) return;
    std::string sFile = GetPricesSource();
    if (sFile.empty()) sFile = GetPriceFilePath(false);
    LogDebug("Price file lacks " +
             oCheck.Describe(oCheck.m_asMissing.size() + oCheck.m_asNotNumeric.size()));
    ShowMessage("The price file " + sFile +
                    " lacks prices that fees are worked out from, or gives them without a "
                    "number:\r\n\r\n" +
                    oCheck.Describe(10) + "\r\n\r\nFees that depend on them count as " +
                    FormatCurrency(0) + " until the file is mended.",
                MsgBox::Exclamation, GetAppName());
}

} // namespace

QString StartFileArgument(const QStringList& asArguments) {
    for (const QString& sArgument : asArguments) {
        if (sArgument.isEmpty() || sArgument.startsWith(QLatin1Char('-')) ||
            sArgument.startsWith(QLatin1String("DEBUG="), Qt::CaseInsensitive))
            continue;
        const QUrl oUrl(sArgument);
        return oUrl.isLocalFile() ? oUrl.toLocalFile() : sArgument;
    }
    return QString();
}

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
    Step([] {
        // The schedule chosen last time, read after the update so that it is the newest file.
        std::string sWhy;
        if (!ApplyFeeScheduleSetting(sWhy))
            ShowMessage("Today's fees cannot be used; the 2008 fees are used instead:\r\n\r\n" +
                            sWhy,
                        MsgBox::Exclamation, GetAppName());
    });
    LogDebug("Splash pause");
    LogDebug("Display main");
    std::unique_ptr<frmMain> oMain;
    if (!IsApplicationClosing()) {
        Step([&oMain, &asArguments] {
            oMain = std::make_unique<frmMain>();
            oMain->SetStartFile(StartFileArgument(asArguments));
            oMain->show();
        });
    }
    Step([] { ShowSplash(false, false); });
    if (oMain && !IsApplicationClosing()) Step([] { WarnOfMissingPrices(); });
    LogDebug("End startup");
    if (IsApplicationClosing()) oMain.reset();
    return oMain;
}
