#include "basStartupSequence.h"

#include "basCommon.h"
#include "basMain.h"
#include "basSplash.h"
#include "basStartup.h"
#include "basWindows.h"
#include "frmMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

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

bool LocateProgramData(const std::string& sExeFolder) {
    const QDir oExe(QString::fromStdString(sExeFolder));
    if (oExe.exists(QStringLiteral("Graphics"))) return false;
    const QString sShared = QDir::cleanPath(oExe.filePath(QStringLiteral("../share/gavelry")));
    if (!QDir(sShared).exists(QStringLiteral("Graphics"))) return false;
    SetProgramFolder(sShared.toStdString());
    return true;
}

bool IsFolderWritable(const std::string& sFolder) {
    QTemporaryFile oProbe(QDir(QString::fromStdString(sFolder)).filePath(".gavelry-XXXXXX"));
    return oProbe.open();
}

std::string UserDataFolder() {
    const QString sBase = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(sBase)
        .filePath(QStringLiteral("Tessary/") + QString::fromStdString(GetAppName()))
        .toStdString();
}

void UseDataFolder(const std::string& sFolder) {
    const QString sData = QString::fromStdString(sFolder);
    if (!QDir().mkpath(sData)) return;
    SetLogFilePath(QDir(sData).filePath(QStringLiteral("GvDebug.log")).toStdString());
    const QString sName = QString::fromStdString(GetPriceFilePath(true));
    const QFileInfo oShipped(QDir(QString::fromStdString(GetProgramFolder())).filePath(sName));
    const QFileInfo oLocal(QDir(sData).filePath(sName));
    // A newer shipped file (the program was updated) replaces an older copy.
    if (oShipped.exists() &&
        (!oLocal.exists() || oShipped.lastModified() > oLocal.lastModified())) {
        const QString sTemp = oLocal.filePath() + QStringLiteral(".new");
        QFile::remove(sTemp);
        if (QFile::copy(oShipped.filePath(), sTemp)) {
            QFile::setPermissions(sTemp, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                             QFile::ReadOther);
            QFile::remove(oLocal.filePath());
            QFile::rename(sTemp, oLocal.filePath());
        }
    }
    SetPriceFileFolder(sFolder);
}

void ChooseWritableFolders() {
    if (!IsFolderWritable(GetProgramFolder())) UseDataFolder(UserDataFolder());
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
