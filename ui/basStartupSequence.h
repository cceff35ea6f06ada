#pragma once

#include <QStringList>

#include <functional>
#include <memory>
#include <string>

class frmMain;

// The program's start: command line, splash movie, start-up settings, price file update,
// then the main window. No step stops start-up. Returns the main window, shown, or none
// when the program was closed during start-up (CloseApplication).
std::unique_ptr<frmMain> Main(const QStringList& asArguments);

// Replaces the download step (tests and benchmarks run without the network).
void SetDownloadStep(std::function<void()> fnStep);

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
