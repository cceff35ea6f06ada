#include "clsRegistryAccess.h"

#include "basHex.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QVariant>

#include <map>
#include <memory>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace {

// QSettings keeps "/" as its only separator; a "\" would become part of one key name.
QString ToSettingsKey(const std::string& sKeyPath, const std::string& sName) {
    QString sKey = QString::fromStdString(sKeyPath);
    sKey.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!sKey.isEmpty() && !sKey.endsWith(QLatin1Char('/'))) sKey += QLatin1Char('/');
    return sKey + QString::fromStdString(sName);
}

// A hive file as it stands: a change of content by anyone (this program's own writes, which
// replace the file, included) changes the stamp.
struct clsFileStamp {
    qint64 m_lSize = -1;
    qint64 m_lModified = 0; // nanoseconds
    quint64 m_lNode = 0;
    bool operator==(const clsFileStamp&) const = default;
};

clsFileStamp StampOf(const QString& sPath) {
    clsFileStamp oStamp;
#ifdef Q_OS_WIN
    const QFileInfo oInfo(sPath);
    if (oInfo.exists()) oStamp = {oInfo.size(), oInfo.lastModified().toMSecsSinceEpoch(), 0};
#else
    struct stat oStat {};
    if (::stat(QFile::encodeName(sPath).constData(), &oStat) == 0)
        oStamp = {qint64(oStat.st_size),
                  qint64(oStat.st_mtim.tv_sec) * 1000000000 + oStat.st_mtim.tv_nsec,
                  quint64(oStat.st_ino)};
#endif
    return oStamp;
}

// One parsed copy of each hive file, kept while the file is unchanged: a read looks the
// value up in it rather than parsing the whole file again.
struct clsHive {
    bool m_bRead = false;
    std::unique_ptr<QSettings> m_oSettings; // none: the file could not be parsed
    clsFileStamp m_oStamp;
};

std::map<QString, clsHive>& Hives() {
    static std::map<QString, clsHive> oHives;
    return oHives;
}

QString HivePath(RegHive hKey) {
    return QString::fromStdString(clsRegistryAccess::HiveFilePath(hKey));
}

// The parsed copy of one hive, read again when the file has changed. A file that cannot be
// parsed gives no store at all, so that reads fall back to their defaults and writes cannot
// replace what the user may still repair. (QSettings reports a parse error only to the first
// object that reads a file; later ones would happily write its cached contents back.)
QSettings* OpenHive(RegHive hKey) {
    const QString sPath = HivePath(hKey);
    clsHive& oHive = Hives()[sPath];
    const clsFileStamp oNow = StampOf(sPath);
    if (oHive.m_bRead && oNow == oHive.m_oStamp) return oHive.m_oSettings.get();
    oHive.m_oSettings.reset();
#ifdef Q_OS_WIN
    auto oSettings = std::make_unique<QSettings>(sPath, QSettings::NativeFormat);
#else
    auto oSettings = std::make_unique<QSettings>(sPath, QSettings::IniFormat);
#endif
    // Parsing is lazy; an unchanged sync parses every section without writing anything.
    oSettings->allKeys();
    oSettings->sync();
    oHive.m_bRead = true;
    oHive.m_oStamp = oNow;
    if (oSettings->status() == QSettings::NoError) oHive.m_oSettings = std::move(oSettings);
    return oHive.m_oSettings.get();
}

// After this program wrote a hive: its copy is current, and a failed write leaves none.
bool Written(RegHive hKey, QSettings& oSettings) {
    oSettings.sync();
    clsHive& oHive = Hives()[HivePath(hKey)];
    if (oSettings.status() != QSettings::NoError) {
        oHive = clsHive();
        return false;
    }
    oHive.m_oStamp = StampOf(HivePath(hKey));
    return true;
}

std::string VariantToText(const QVariant& vValue) {
    switch (vValue.typeId()) {
    case QMetaType::QByteArray:
        return vValue.toByteArray().toStdString();
    case QMetaType::QStringList:
        // A hand-written list such as "a,b,c" is parsed into items; give the text back.
        return vValue.toStringList().join(QLatin1Char(',')).toStdString();
    default:
        return vValue.toString().toStdString();
    }
}

} // namespace

std::string clsRegistryAccess::HiveFilePath(RegHive hKey) {
    const bool bMachine = hKey == HKEY_LOCAL_MACHINE;
#ifdef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("GAVELRY_CONFIG_DIR"))
        return bMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
#endif
    const QString sFile = bMachine ? QStringLiteral("machine.ini") : QStringLiteral("user.ini");
    const QString sDir = qEnvironmentVariable("GAVELRY_CONFIG_DIR");
    if (!sDir.isEmpty()) return QDir(sDir).filePath(sFile).toStdString();
    QString sBase;
    if (bMachine) {
        // The system entries follow the user's own in the list ("/etc/xdg" by default).
        const QStringList asDirs =
            QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
        sBase = asDirs.size() > 1 ? asDirs.at(1) : QStringLiteral("/etc/xdg");
    } else {
        sBase = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    }
    return QDir(sBase).filePath(QStringLiteral("Tessary/") + sFile).toStdString();
}

std::string clsRegistryAccess::ResolveKeyPath(const std::string& sSection,
                                              bool bAbsoluteSection) const {
    if (bAbsoluteSection) return sSection;
    if (!sSection.empty()) return m_sFullApplicationRegKey + "\\" + sSection;
    return m_sFullApplicationRegKey;
}

bool clsRegistryAccess::GetRegSetting(RegHive hKey, const std::string& sSection,
                                      const std::string& sSettingName, std::string& sResult,
                                      const std::string& sDefault, bool bCreate,
                                      bool bAbsoluteSection) const {
    try {
        QSettings* oSettings = OpenHive(hKey);
        const QString sKey =
            ToSettingsKey(ResolveKeyPath(sSection, bAbsoluteSection), sSettingName);
        if (oSettings && oSettings->contains(sKey)) {
            sResult = VariantToText(oSettings->value(sKey));
            return true;
        }
    } catch (...) {
        // Any failure ends in the default below.
    }
    sResult = sDefault;
    if (bCreate) return SetRegSetting(hKey, sSection, sSettingName, sDefault, bAbsoluteSection);
    return false;
}

bool clsRegistryAccess::GetRegSettingString(RegHive hKey, std::string& sResult,
                                            const std::string& sSettingName,
                                            const std::string& sSection,
                                            const std::string& sDefault) const {
    return GetRegSetting(hKey, sSection, sSettingName, sResult, sDefault, false, false);
}

bool clsRegistryAccess::GetRegSettingBin(RegHive hKey, const std::string& sSection,
                                         const std::string& sSettingName, std::string& sResult,
                                         const std::string& sDefault, bool bCreate,
                                         bool bAbsoluteSection) const {
    std::string sStored;
    if (GetRegSetting(hKey, sSection, sSettingName, sStored, sDefault, false, bAbsoluteSection)) {
        sResult = HexDecode(sStored);
        return true;
    }
    sResult = sDefault;
    // A created default is stored encoded like every other binary value.
    if (bCreate) return SetRegSettingBin(hKey, sSection, sSettingName, sDefault, bAbsoluteSection);
    return false;
}

bool clsRegistryAccess::SetRegSetting(RegHive hKey, const std::string& sSection,
                                      const std::string& sSettingName, const std::string& sValue,
                                      bool bAbsoluteSection) const {
    try {
        QSettings* oSettings = OpenHive(hKey);
        if (!oSettings) return false;
        const QString sKey =
            ToSettingsKey(ResolveKeyPath(sSection, bAbsoluteSection), sSettingName);
        // Text that is not UTF-8 is kept byte for byte rather than mangled.
        if (QByteArrayView(sValue.data(), qsizetype(sValue.size())).isValidUtf8())
            oSettings->setValue(sKey, QString::fromStdString(sValue));
        else
            oSettings->setValue(sKey, QByteArray(sValue.data(), qsizetype(sValue.size())));
        return Written(hKey, *oSettings);
    } catch (...) {
        return false;
    }
}

bool clsRegistryAccess::SetRegSettingString(RegHive hKey, const std::string& sValue,
                                            const std::string& sSettingName,
                                            const std::string& sSection) const {
    return SetRegSetting(hKey, sSection, sSettingName, sValue, false);
}

bool clsRegistryAccess::SetRegSettingBin(RegHive hKey, const std::string& sSection,
                                         const std::string& sSettingName, const std::string& sValue,
                                         bool bAbsoluteSection) const {
    return SetRegSetting(hKey, sSection, sSettingName, HexEncode(sValue), bAbsoluteSection);
}

void clsRegistryAccess::DeleteValue(RegHive hKey, const std::string& sSection,
                                    const std::string& sSetting, bool bAbsoluteSection) const {
    try {
        QSettings* oSettings = OpenHive(hKey);
        if (!oSettings) return;
        const QString sKey = ToSettingsKey(ResolveKeyPath(sSection, bAbsoluteSection), sSetting);
        if (!oSettings->contains(sKey)) return;
        oSettings->remove(sKey);
        Written(hKey, *oSettings);
    } catch (...) {
        // Deletes are silent.
    }
}
