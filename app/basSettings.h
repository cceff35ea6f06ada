#pragma once

#include "clsRegistryAccess.h"
#include "clsSettings.h"
#include "clsTodaySchedule.h"

#include <cstdint>
#include <string>

// The shared settings store, its application key set to "Software\Tessary\" + GetAppName.
clsRegistryAccess& GetRegistry();

// Folder the auction file dialogs open in: the stored "LastFolder", by default the user's
// documents folder + "My Auctions". Cached after the first call.
std::string GetLastFolder();
// Caches the folder and stores it as "LastFolder".
void SetLastFolder(const std::string& sFolder);
// Forgets the cached folder, so that the next GetLastFolder reads the store again.
void ResetLastFolder();

// Label colours as 0x00BBGGRR values. A stored text that is not a number raises a
// type-mismatch error.
int32_t GetSubtotalColour();
int32_t GetTotalColour();

// A window's placement in twips; WindowState 0 normal, 1 minimised, 2 maximised.
struct clsFormPlacement {
    int32_t m_lTop = 0;
    int32_t m_lLeft = 0;
    int32_t m_lHeight = 0;
    int32_t m_lWidth = 0;
    int32_t m_lWindowState = 0;
};

// Stores the placement under "Forms\" + the window name without its "frm" prefix.
void SaveFormPlacement(const std::string& sFormName, const clsFormPlacement& oPlacement);
// Overwrites in oPlacement each value stored as a number; the others keep the design values.
// True when a placement was ever stored (its width is there, even if it is not a number).
bool LoadFormPlacement(const std::string& sFormName, clsFormPlacement& oPlacement);

// "frmMain" -> "Main"; names without the lower-case prefix are returned unchanged.
std::string StripFormPrefix(const std::string& sName);

// The fee schedule the user chose ("FeeSchedule" under "Config": "0" 2008, "1" today); 2008
// when nothing or anything else is stored. Applying it to the price table is the caller's.
FeeSchedule GetFeeScheduleSetting();
void SetFeeScheduleSetting(FeeSchedule eSchedule);
// Loads the stored schedule's price file; false, with the 2008 schedule kept and stored, when
// that file cannot be used (sWhy says why).
bool ApplyFeeScheduleSetting(std::string& sWhy);
