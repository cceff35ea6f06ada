#include "basSettings.h"

#include "basCommon.h"
#include "basNumbers.h"
#include "clsError.h"

#include <QDir>
#include <QStandardPaths>
#include <QString>

namespace {

std::string g_sLastFolder;

const char* const sConfig = "Config";

int32_t GetColour(const char* sName, const char* sDefault) {
    std::string sValue;
    GetRegistry().GetRegSetting(HKEY_CURRENT_USER, sConfig, sName, sValue, sDefault);
    int32_t lColour = 0;
    if (!ParseLong(sValue, lColour)) clsError::Raise(ErrNumber::TypeMismatch, "basSettings");
    return lColour;
}

// The system's answer may end in blanks and control characters (a NUL on some systems).
std::string CleanFolder(const QString& sFolder) {
    QString s = sFolder.trimmed();
    while (!s.isEmpty() && s.back().unicode() < 32)
        s.chop(1);
    return s.trimmed().toStdString();
}

std::string DocumentsFolder() {
    std::string sFolder =
        CleanFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (sFolder.empty()) sFolder = CleanFolder(QDir::homePath());
    return sFolder;
}

} // namespace

clsRegistryAccess& GetRegistry() {
    static clsRegistryAccess* oRegistry = [] {
        auto* o = new clsRegistryAccess;
        o->FullApplicationRegKey("Software\\Tessary\\" + GetAppName());
        return o;
    }();
    return *oRegistry;
}

std::string GetLastFolder() {
    if (!g_sLastFolder.empty()) return g_sLastFolder;
    try {
        const std::string sDefault =
            QDir::toNativeSeparators(QDir(QString::fromStdString(DocumentsFolder()))
                                         .filePath(QStringLiteral("My Auctions")))
                .toStdString();
        GetRegistry().GetRegSetting(HKEY_CURRENT_USER, sConfig, "LastFolder", g_sLastFolder,
                                    sDefault);
        return g_sLastFolder;
    } catch (const clsError& e) {
        ShowMessage(e.Description(), MsgBox::OKOnly, "");
    } catch (const std::exception& e) {
        ShowMessage(e.what(), MsgBox::OKOnly, "");
    }
    return "";
}

void SetLastFolder(const std::string& sFolder) {
    g_sLastFolder = sFolder;
    GetRegistry().SetRegSetting(HKEY_CURRENT_USER, sConfig, "LastFolder", sFolder);
}

void ResetLastFolder() {
    g_sLastFolder.clear();
}

int32_t GetSubtotalColour() {
    return GetColour("SubtotalColour", "33023");
}

int32_t GetTotalColour() {
    return GetColour("TotalColour", "12648384");
}

void SaveFormPlacement(const std::string& sFormName, const clsFormPlacement& oPlacement) {
    const std::string sSection = "Forms\\" + StripFormPrefix(sFormName);
    clsRegistryAccess& oReg = GetRegistry();
    oReg.SetRegSetting(HKEY_CURRENT_USER, sSection, "Top", std::to_string(oPlacement.m_lTop));
    oReg.SetRegSetting(HKEY_CURRENT_USER, sSection, "Left", std::to_string(oPlacement.m_lLeft));
    oReg.SetRegSetting(HKEY_CURRENT_USER, sSection, "Height", std::to_string(oPlacement.m_lHeight));
    oReg.SetRegSetting(HKEY_CURRENT_USER, sSection, "Width", std::to_string(oPlacement.m_lWidth));
    oReg.SetRegSetting(HKEY_CURRENT_USER, sSection, "WindowState",
                       std::to_string(oPlacement.m_lWindowState));
}

bool LoadFormPlacement(const std::string& sFormName, clsFormPlacement& oPlacement) {
    const std::string sSection = "Forms\\" + StripFormPrefix(sFormName);
    const struct {
        const char* sName;
        int32_t* plValue;
    } aItems[] = {{"Top", &oPlacement.m_lTop},
                  {"Left", &oPlacement.m_lLeft},
                  {"Height", &oPlacement.m_lHeight},
                  {"Width", &oPlacement.m_lWidth},
                  {"WindowState", &oPlacement.m_lWindowState}};
    bool bStored = false;
    for (const auto& oItem : aItems) {
        std::string sValue;
        const bool bFound =
            GetRegistry().GetRegSetting(HKEY_CURRENT_USER, sSection, oItem.sName, sValue, "");
        if (oItem.plValue == &oPlacement.m_lWidth) bStored = bFound;
        int32_t lValue = 0;
        if (!ParseLong(sValue, lValue)) continue;
        // Only the three window states exist; anything else keeps the design state.
        if (oItem.plValue == &oPlacement.m_lWindowState && (lValue < 0 || lValue > 2)) continue;
        *oItem.plValue = lValue;
    }
    return bStored;
}

std::string StripFormPrefix(const std::string& sName) {
    if (sName.rfind("frm", 0) == 0) return sName.substr(3);
    return sName;
}
