#pragma once

#include <cstdint>
#include <string>

// The two hives the program uses, valued as the system's predefined keys.
enum RegHive : uint32_t {
    HKEY_CURRENT_USER = 0x80000001u,
    HKEY_LOCAL_MACHINE = 0x80000002u,
};

// The one door to the program's settings. Every setting is a text value addressed by
// hive, key path and value name. On Windows the hives are the registry itself; elsewhere
// each hive is an INI file (see HiveFilePath) in which a key path's "\" is stored as "/".
// Reads never fail towards the caller: a missing or unreadable value gives the default.
class clsRegistryAccess {
public:
    // Key path of the application below the hive, e.g. "Software\Tessary\Gavelry UK".
    void FullApplicationRegKey(const std::string& sKey) { m_sFullApplicationRegKey = sKey; }

    // True when the value was read, or was missing and bCreate wrote the default.
    bool GetRegSetting(RegHive hKey, const std::string& sSection, const std::string& sSettingName,
                       std::string& sResult, const std::string& sDefault = "", bool bCreate = false,
                       bool bAbsoluteSection = false) const;
    bool GetRegSettingString(RegHive hKey, std::string& sResult, const std::string& sSettingName,
                             const std::string& sSection = "",
                             const std::string& sDefault = "") const;
    // As GetRegSetting for a value stored hex-encoded; sDefault is given plain.
    bool GetRegSettingBin(RegHive hKey, const std::string& sSection,
                          const std::string& sSettingName, std::string& sResult,
                          const std::string& sDefault = "", bool bCreate = false,
                          bool bAbsoluteSection = false) const;

    // True when written; missing keys are created.
    bool SetRegSetting(RegHive hKey, const std::string& sSection, const std::string& sSettingName,
                       const std::string& sValue, bool bAbsoluteSection = false) const;
    bool SetRegSettingString(RegHive hKey, const std::string& sValue,
                             const std::string& sSettingName,
                             const std::string& sSection = "") const;
    bool SetRegSettingBin(RegHive hKey, const std::string& sSection,
                          const std::string& sSettingName, const std::string& sValue,
                          bool bAbsoluteSection = false) const;

    // Removes one value; a missing key or value is ignored.
    void DeleteValue(RegHive hKey, const std::string& sSection, const std::string& sSetting,
                     bool bAbsoluteSection = false) const;

    // Where a hive is kept: GAVELRY_CONFIG_DIR/user.ini and machine.ini when that variable
    // is set, else Tessary/user.ini in the user's configuration folder and
    // Tessary/machine.ini in the system's (on Windows the registry hive's name).
    static std::string HiveFilePath(RegHive hKey);

private:
    std::string ResolveKeyPath(const std::string& sSection, bool bAbsoluteSection) const;

    std::string m_sFullApplicationRegKey;
};
