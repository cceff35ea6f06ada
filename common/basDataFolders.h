#pragma once

#include <string>

// Where the program finds what it reads beside itself and keeps what it writes, for the
// desktop program and the command-line calculator alike (no window system needed).

// An installed program keeps its data apart from the executable: when the executable's
// folder holds neither the Graphics folder nor the edition's price file and
// "../share/gavelry" beside it holds either, that becomes the program folder. True when the
// program folder was changed.
bool LocateProgramData(const std::string& sExeFolder);

// True when a file can be created in the folder.
bool IsFolderWritable(const std::string& sFolder);
// The user's own folder for what the program writes, the log and the updated price file:
// $XDG_DATA_HOME (or ~/.local/share) + "/Tessary/" + the application name.
std::string UserDataFolder();
// Sends the diagnostic log and the price file to sFolder: the shipped price file is copied
// there first when the folder holds none or an older one.
void UseDataFolder(const std::string& sFolder);
// UseDataFolder(UserDataFolder()) when the program folder cannot be written.
void ChooseWritableFolders();
