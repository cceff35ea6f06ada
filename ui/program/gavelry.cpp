// The Gavelry desktop program: start-up, then the main window until it closes.
#include "basCommon.h"
#include "basStartupSequence.h"
#include "basWindows.h"
#include "frmMain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QIcon>
#include <QWindow>

#include <cstdio>

int main(int argc, char** argv) {
    QElapsedTimer oClock;
    oClock.start();
    QApplication oApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Gavelry"));
    QApplication::setOrganizationName(QStringLiteral("Tessary"));
    QGuiApplication::setDesktopFileName(QStringLiteral("gavelry"));

    LocateProgramData(GetProgramFolder());
    ChooseWritableFolders();
    QApplication::setWindowIcon(QIcon::fromTheme(
        QStringLiteral("gavelry"),
        QIcon(QDir(QString::fromStdString(GetProgramFolder())).filePath("gavelry.svg"))));
    InstallWindowServices();

    std::unique_ptr<frmMain> oMain = Main(QApplication::arguments().mid(1));
    if (!oMain) return 1;

    // For the start-up benchmark: the time until the window is on the screen, then leave.
    if (qEnvironmentVariableIsSet("GAVELRY_STARTUP_REPORT")) {
        QElapsedTimer oWait;
        oWait.start();
        while (oMain->windowHandle() && !oMain->windowHandle()->isExposed() &&
               oWait.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::printf("startup_ms=%lld\n", static_cast<long long>(oClock.elapsed()));
        return 0;
    }
    return QApplication::exec();
}
