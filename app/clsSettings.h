#pragma once

#include "clsRegistryAccess.h"

#include <cstdint>
#include <string>
#include <string_view>

// One setting: where it is kept and what it reads as when missing. A family of settings (one
// per panel, window or wizard page) is read with a qualifier that ends its section or, with
// m_bQualifiesName, its value name: the Top of panel "Outlay" is "Controls\Outlay", "Top".
struct clsSettingKey {
    RegHive m_eHive;
    const char* m_sSection;
    const char* m_sName;
    const char* m_sDefault = "";
    bool m_bCreate = false;   // a read of a missing value writes the default back
    bool m_bAbsolute = false; // the section is a whole key path, not one below the program's
    bool m_bQualifiesName = false;
};

// Every setting the program keeps, in one table. To add one: a line here, then read and write
// it through GetSettings() where it is used.
namespace Settings {
inline constexpr RegHive User = HKEY_CURRENT_USER;
inline constexpr RegHive Machine = HKEY_LOCAL_MACHINE;

// What the main window shows first: "0" the wizard, anything else the calculator.
inline constexpr clsSettingKey StartMode{User, "Config", "StartMode", "0", true};
// The grid panels snap to when moved, in twips.
inline constexpr clsSettingKey SnapToGrid{User, "Config", "SnapToGrid", "120", true};
// The folder the auction file dialogs open in; by default the documents' "My Auctions".
inline constexpr clsSettingKey LastFolder{User, "Config", "LastFolder"};
// The default auction, as auction text; empty: none stored.
inline constexpr clsSettingKey DefaultAuction{User, "Config", "DefaultAuction"};
// Label colours as decimal 0x00BBGGRR values.
inline constexpr clsSettingKey SubtotalColour{User, "Config", "SubtotalColour", "33023"};
inline constexpr clsSettingKey TotalColour{User, "Config", "TotalColour", "12648384"};
// The about box's tune ("music=0" to "music=3") and its switch.
inline constexpr clsSettingKey MusicID{User, "Config", "MusicID", "music=0"};
inline constexpr clsSettingKey MusicMute{User, "Config", "MusicMute", "mute=false"};
// When a price file update began that has not ended (a date serial).
inline constexpr clsSettingKey FTPSkipFlag{User, "Config", "FTPSkipFlag"};
// The fee schedule the user chose: "1" today's, anything else 2008.
inline constexpr clsSettingKey FeeSchedule{User, "Config", "FeeSchedule", "0"};
// A panel's shown options, comma-separated tags; qualified by the panel's section key.
inline constexpr clsSettingKey Visible{User, "Controls\\", "Visible"};
// Where the user put a section panel in the calculator (twips); qualified by its key.
inline constexpr clsSettingKey PanelTop{User, "Controls\\", "Top"};
inline constexpr clsSettingKey PanelLeft{User, "Controls\\", "Left"};
// A window's placement (twips, WindowState 0 normal, 1 minimised, 2 maximised); qualified
// by the window's name without "frm".
inline constexpr clsSettingKey FormTop{User, "Forms\\", "Top"};
inline constexpr clsSettingKey FormLeft{User, "Forms\\", "Left"};
inline constexpr clsSettingKey FormHeight{User, "Forms\\", "Height"};
inline constexpr clsSettingKey FormWidth{User, "Forms\\", "Width"};
inline constexpr clsSettingKey FormWindowState{User, "Forms\\", "WindowState"};
// A wizard page's own prompt; qualified by the page's frame number.
inline constexpr clsSettingKey WizardPage{
    .m_eHive = User, .m_sSection = "Wizard", .m_sName = "Page", .m_bQualifiesName = true};
// The auction files last opened or saved, newest first, as absolute paths; qualified by the
// place in the list, "1" to "8".
inline constexpr clsSettingKey RecentFile{
    .m_eHive = User, .m_sSection = "RecentFiles", .m_sName = "File", .m_bQualifiesName = true};
// The about page's text; by default the built-in one.
inline constexpr clsSettingKey About{Machine, "Config", "About"};
// The maker's price server and web site; by default the built-in addresses.
inline constexpr clsSettingKey PriceServer{Machine, "Config", "PriceServer"};
inline constexpr clsSettingKey WebSite{Machine, "Config", "WebSite"};
// The proxy for internet transfers; empty: the system's own settings.
inline constexpr clsSettingKey ProxyName{.m_eHive = Machine,
                                         .m_sSection = "Software\\Tessary\\Pennock\\FTP",
                                         .m_sName = "ProxyName",
                                         .m_bAbsolute = true};
} // namespace Settings

// The program's settings, read and written by key on the shared store. Reads never fail:
// a missing value gives the default.
class clsSettings {
public:
    explicit clsSettings(const clsRegistryAccess& oStore) : m_oStore(oStore) {}

    // The stored text; missing, the key's default (written back for a created key).
    std::string Read(const clsSettingKey& oKey, std::string_view sQualifier = {}) const;
    // The same with a default the caller works out (a folder, a built-in text).
    std::string ReadOr(const clsSettingKey& oKey, const std::string& sDefault,
                       std::string_view sQualifier = {}) const;
    // True when a value is stored, which is then in sValue.
    bool Find(const clsSettingKey& oKey, std::string& sValue,
              std::string_view sQualifier = {}) const;
    // True when a whole number is stored, which is then in lValue.
    bool FindNumber(const clsSettingKey& oKey, int32_t& lValue,
                    std::string_view sQualifier = {}) const;

    bool Write(const clsSettingKey& oKey, const std::string& sValue,
               std::string_view sQualifier = {}) const;
    bool Write(const clsSettingKey& oKey, int32_t lValue, std::string_view sQualifier = {}) const {
        return Write(oKey, std::to_string(lValue), sQualifier);
    }
    void Remove(const clsSettingKey& oKey, std::string_view sQualifier = {}) const;

private:
    static std::string Section(const clsSettingKey& oKey, std::string_view sQualifier);
    static std::string Name(const clsSettingKey& oKey, std::string_view sQualifier);

    const clsRegistryAccess& m_oStore;
};

// The settings on the shared store (GetRegistry).
const clsSettings& GetSettings();
