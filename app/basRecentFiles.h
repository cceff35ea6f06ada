#pragma once

#include <string>
#include <vector>

// The auction files opened or saved last, newest first, for File > Open Recent. The list
// lives in the user's settings (Settings::RecentFile); paths are kept absolute, each once.

constexpr int kRecentFilesMax = 8;

// The stored list, newest first. Files that no longer exist are dropped from it (and from
// the settings).
std::vector<std::string> GetRecentFiles();
// Puts sPath at the head of the list (moving it there when it is already listed) and keeps
// the newest eight.
void AddRecentFile(const std::string& sPath);
// Takes sPath off the list.
void RemoveRecentFile(const std::string& sPath);
// Empties the list.
void ClearRecentFiles();
