#pragma once

#include <string>
#include <string_view>

// Where the program keeps what it reads and writes beside itself, and the one way it
// replaces a file.

// An installed program keeps its data apart from the executable: when the executable's
// folder has no Graphics folder and "../share/gavelry" beside it has, that becomes the
// program folder. True when the program folder was changed.
bool LocateProgramData(const std::string& sExeFolder);

// True when a file can be created in the folder.
bool IsFolderWritable(const std::string& sFolder);
// The user's own folder for what the program writes: the log and the updated price file.
std::string UserDataFolder();
// Sends the diagnostic log and the price file to sFolder: the shipped price file is copied
// there first when the folder holds none or an older one.
void UseDataFolder(const std::string& sFolder);
// UseDataFolder(UserDataFolder()) when the program folder cannot be written.
void ChooseWritableFolders();

// Replaces the file at sPath by sBytes: written beside it, every write and the final flush
// checked, then renamed over it. On any failure the old file is left as it was and sError
// says why.
bool ReplaceFileContents(const std::string& sPath, std::string_view sBytes, std::string& sError);
