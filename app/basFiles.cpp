#include "basFiles.h"

#include "basCommon.h"
#include "basMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>

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

bool ReplaceFileContents(const std::string& sPath, std::string_view sBytes, std::string& sError) {
    QSaveFile oFile(QString::fromStdString(sPath));
    const auto nSize = static_cast<qint64>(sBytes.size());
    // Each step is checked before the rename: Qt 6.4's commit() can report success when the
    // last flush failed (a full disk), which would leave an empty file in place of the old.
    bool bDone = oFile.open(QIODevice::WriteOnly) && oFile.write(sBytes.data(), nSize) == nSize &&
                 oFile.flush() && oFile.error() == QFileDevice::NoError;
    if (bDone) bDone = oFile.commit();
    if (!bDone) {
        sError = oFile.errorString().toStdString(); // before cancelling says it was cancelled
        oFile.cancelWriting();
    }
    return bDone;
}
