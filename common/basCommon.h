#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Sales regions; the edition's own is fixed when the program is built.
enum Region : int32_t { RegionUK = 0, RegionUS = 1 };

// Message box codes: buttons plus icon, and the buttons pressed.
namespace MsgBox {
constexpr int32_t OKOnly = 0;
constexpr int32_t YesNoCancel = 3;
constexpr int32_t Critical = 16;
constexpr int32_t Question = 32;
constexpr int32_t Exclamation = 48;
constexpr int32_t Information = 64;
constexpr int32_t ResultOK = 1;
constexpr int32_t ResultCancel = 2;
constexpr int32_t ResultYes = 6;
constexpr int32_t ResultNo = 7;
} // namespace MsgBox

// The edition's region: RegionUK in this edition.
int32_t GetRegion();
// Selects the other region's rules at run time (command-line calculator and tests only).
void SetRegion(int32_t eRegion);

// "Gavelry UK" or "Gavelry US"; the bare title for any other region.
std::string GetAppName();

// Folder of the running executable, without a trailing separator.
std::string GetProgramFolder();
void SetProgramFolder(const std::string& sFolder);

// "UpdateUK_v0102.dat" with bNameOnly, else the price file folder joined with that name.
std::string GetPriceFilePath(bool bNameOnly);
// The last good price file, which the update keeps beside the price file when it installs a
// new one: the price file's path + ".bak".
std::string GetPriceBackupPath();
// The price file shipped with the program, in the program folder.
std::string GetShippedPriceFilePath();
// Where the price file is read and updated when the program folder cannot be written;
// empty (the default): the program folder.
void SetPriceFileFolder(const std::string& sFolder);

// A modal message box: prompt, buttons-and-icon code, title -> button pressed. Without a
// window system installed the text goes to standard error and the answer is OK or Cancel.
int32_t ShowMessage(const std::string& sPrompt, int32_t lButtons, const std::string& sTitle);
using ShowMessageHandler = std::function<int32_t(const std::string&, int32_t, const std::string&)>;
void SetShowMessageHandler(ShowMessageHandler oHandler);

// Waits at least lMilliseconds, servicing pending window events on every pass.
void Pause(int32_t lMilliseconds);
void SetPauseEventHandler(std::function<void()> oHandler);

int32_t MaxLong(int32_t lA, int32_t lB);
// The smaller of two amounts; the second when they are equal.
float MinSingle(float fA, float fB);
// Prepends sPad until the text is at least nWidth long: ("7", 3, "0") -> "007".
std::string PadLeft(const std::string& sText, int16_t nWidth, const std::string& sPad);
// Drops trailing NUL characters.
std::string TrimNulls(const std::string& sText);

// How reading a whole file ended.
enum class FileRead { Done, CannotOpen, ReadError, TooLarge };
// Reads a whole file into sText, refusing one of more than nLimit bytes without reading past
// the limit, so a device that never ends (/dev/zero) is refused too. When the file cannot be
// opened, *pErrno gets the system's reason.
FileRead ReadWholeFile(const std::string& sPath, size_t nLimit, std::string& sText,
                       int* pErrno = nullptr);
// "1 MiB", "4 MiB", "512 KiB": a size limit as messages give it.
std::string DescribeBytes(size_t nBytes);
