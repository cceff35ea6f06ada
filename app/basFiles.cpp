#include "basFiles.h"

#include <QSaveFile>

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
