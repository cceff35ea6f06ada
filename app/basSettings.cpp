#include "basSettings.h"

#include "basCommon.h"
#include "basNumbers.h"
#include "clsError.h"

#include <QDir>
#include <QStandardPaths>
#include <QString>

namespace {

std::string g_sLastFolder;

int32_t GetColour(const clsSettingKey& oKey) {
    int32_t lColour = 0;
    if (!ParseLong(GetSettings().Read(oKey), lColour))
        clsError::Raise(ErrNumber::TypeMismatch, "basSettings");
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

const clsSettings& GetSettings() {
    static const clsSettings oSettings(GetRegistry());
    return oSettings;
}

std::string GetLastFolder() {
    if (!g_sLastFolder.empty()) return g_sLastFolder;
    try {
        const std::string sDefault =
            QDir::toNativeSeparators(QDir(QString::fromStdString(DocumentsFolder()))
                                         .filePath(QStringLiteral("My Auctions")))
                .toStdString();
        g_sLastFolder = GetSettings().ReadOr(Settings::LastFolder, sDefault);
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
    GetSettings().Write(Settings::LastFolder, sFolder);
}

void ResetLastFolder() {
    g_sLastFolder.clear();
}

int32_t GetSubtotalColour() {
    return GetColour(Settings::SubtotalColour);
}

int32_t GetTotalColour() {
    return GetColour(Settings::TotalColour);
}

void SaveFormPlacement(const std::string& sFormName, const clsFormPlacement& oPlacement) {
    const std::string sForm = StripFormPrefix(sFormName);
    const clsSettings& oSettings = GetSettings();
    oSettings.Write(Settings::FormTop, oPlacement.m_lTop, sForm);
    oSettings.Write(Settings::FormLeft, oPlacement.m_lLeft, sForm);
    oSettings.Write(Settings::FormHeight, oPlacement.m_lHeight, sForm);
    oSettings.Write(Settings::FormWidth, oPlacement.m_lWidth, sForm);
    oSettings.Write(Settings::FormWindowState, oPlacement.m_lWindowState, sForm);
}

bool LoadFormPlacement(const std::string& sFormName, clsFormPlacement& oPlacement) {
    const std::string sForm = StripFormPrefix(sFormName);
    const struct {
        const clsSettingKey& oKey;
        int32_t* plValue;
    } aItems[] = {{Settings::FormTop, &oPlacement.m_lTop},
                  {Settings::FormLeft, &oPlacement.m_lLeft},
                  {Settings::FormHeight, &oPlacement.m_lHeight},
                  {Settings::FormWidth, &oPlacement.m_lWidth},
                  {Settings::FormWindowState, &oPlacement.m_lWindowState}};
    bool bStored = false;
    for (const auto& oItem : aItems) {
        std::string sValue;
        const bool bFound = GetSettings().Find(oItem.oKey, sValue, sForm);
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

FeeSchedule GetFeeScheduleSetting() {
    return GetSettings().Read(Settings::FeeSchedule) == "1" ? FeeSchedule::Today
                                                            : FeeSchedule::Y2008;
}

void SetFeeScheduleSetting(FeeSchedule eSchedule) {
    GetSettings().Write(Settings::FeeSchedule, eSchedule == FeeSchedule::Today ? "1" : "0");
}

bool ApplyFeeScheduleSetting(std::string& sWhy) {
    const FeeSchedule eSchedule = GetFeeScheduleSetting();
    if (eSchedule == GetFeeSchedule()) return true;
    try {
        UseFeeSchedule(eSchedule);
        return true;
    } catch (const clsError& oError) {
        sWhy = oError.Description();
    }
    // The next start should not fail the same way: the schedule in use is the one stored.
    SetFeeScheduleSetting(GetFeeSchedule());
    return false;
}
