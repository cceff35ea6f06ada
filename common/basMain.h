#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Diagnostic log on; set once from the command line at start-up.
extern bool g_bDebug;
// Snap step for moving panels in configuration mode, in twips.
extern int32_t g_lSnapToGrid;
// The about message, read at start-up.
extern std::string g_sAboutText;

// Sets g_bDebug when the (upper-cased) command line holds "DEBUG=TRUE" anywhere.
void ParseCommandLine(const std::string& sCommandLine);

// Appends one timestamped line to the diagnostic log when logging is on; never fails.
void LogDebug(const std::string& sText);

// "GvDebug.log" in the program folder unless another file was chosen.
std::string GetLogFilePath();
void SetLogFilePath(const std::string& sPath);

std::string GetAboutText();

// Orderly close after a fatal error: the window layer installs what it must close.
void CloseApplication();
void SetCloseApplicationHandler(std::function<void()> oHandler);
