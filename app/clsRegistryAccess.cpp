#include "clsRegistryAccess.h"

#include "basSettings.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QVariant>

#include <map>
#include <memory>

namespace {

// QSettings keeps "/" as its only separator; a "\" would become part of one key name.
QString ToSettingsKey(const std::string& sKeyPath, const std::string& sName) {
    QString sKey = QString::fromStdString(sKeyPath);
    sKey.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!sKey.isEmpty() && !sKey.endsWith(QLatin1Char('/'))) sKey += QLatin1Char('/');
    return sKey + QString::fromStdString(sName);
}

// Files found unparsable, by size and time stamp. QSettings reports a parse error only to
// the first object that reads a file; later ones share its cached contents and would
// happily write them back over the user's file.
struct clsFileStamp {
    qint64 m_lSize = 0;
    QDateTime m_dtModified;
};

std::map<QString, clsFileStamp>& CorruptFiles() {
    static std::map<QString, clsFileStamp> oFiles;
    return oFiles;
}

clsFileStamp StampOf(const QString& sPath) {
    const QFileInfo oInfo(sPath);
    return {oInfo.size(), oInfo.lastModified()};
}

// Opens one hive. A file that cannot be parsed gives no store at all, so that reads fall
// back to their defaults and writes cannot replace what the user may still repair.
std::unique_ptr<QSettings> OpenHive(RegHive hKey) {
    const QString sPath = QString::fromStdString(clsRegistryAccess::HiveFilePath(hKey));
    auto& oCorrupt = CorruptFiles();
    const auto it = oCorrupt.find(sPath);
    if (it != oCorrupt.end()) {
        const clsFileStamp oNow = StampOf(sPath);
        if (oNow.m_lSize == it->second.m_lSize && oNow.m_dtModified == it->second.m_dtModified)
            return nullptr;
        oCorrupt.erase(it);
    }
#ifdef Q_OS_WIN
    auto oSettings = std::make_unique<QSettings>(sPath, QSettings::NativeFormat);
#else
    auto oSettings = std::make_unique<QSettings>(sPath, QSettings::IniFormat);
#endif
    // Parsing is lazy; an unchanged sync parses every section without writing anything.
    oSettings->allKeys();
    oSettings->sync();
    if (oSettings->status() == QSettings::FormatError) {
        oCorrupt[sPath] = StampOf(sPath);
        return nullptr;
    }
    return oSettings;
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
        const auto oSettings = OpenHive(hKey);
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
        const auto oSettings = OpenHive(hKey);
        if (!oSettings) return false;
        const QString sKey =
            ToSettingsKey(ResolveKeyPath(sSection, bAbsoluteSection), sSettingName);
        // Text that is not UTF-8 is kept byte for byte rather than mangled.
        if (QByteArrayView(sValue.data(), qsizetype(sValue.size())).isValidUtf8())
            oSettings->setValue(sKey, QString::fromStdString(sValue));
        else
            oSettings->setValue(sKey, QByteArray(sValue.data(), qsizetype(sValue.size())));
        oSettings->sync();
        return oSettings->status() == QSettings::NoError;
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
        const auto oSettings = OpenHive(hKey);
        if (!oSettings) return;
        const QString sKey = ToSettingsKey(ResolveKeyPath(sSection, bAbsoluteSection), sSetting);
        if (!oSettings->contains(sKey)) return;
        oSettings->remove(sKey);
        oSettings->sync();
    } catch (...) {
        // Deletes are silent.
    }
}
