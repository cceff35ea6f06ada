#pragma once

#include "basFiles.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <string>

class frmMain;

// The program's start: command line, splash movie, start-up settings, price file update,
// then the main window. No step stops start-up. asArguments are the words after the
// program's name; an auction file among them is opened in the main window. Returns the main
// window, shown, or none when the program was closed during start-up (CloseApplication).
std::unique_ptr<frmMain> Main(const QStringList& asArguments);

// The auction file named on the command line: the first word that is neither the "DEBUG="
// switch nor an option ("-..."), a file address taken as its path. Empty when none.
QString StartFileArgument(const QStringList& asArguments);

// Replaces the download step (tests and benchmarks run without the network).
void SetDownloadStep(std::function<void()> fnStep);
