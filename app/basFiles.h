#pragma once

#include "basDataFolders.h"

#include <string>
#include <string_view>

// Where the program keeps what it reads and writes beside itself (basDataFolders), and the
// one way it replaces a file.

// Replaces the file at sPath by sBytes: written beside it, every write and the final flush
// checked, then renamed over it. On any failure the old file is left as it was and sError
// says why.
bool ReplaceFileContents(const std::string& sPath, std::string_view sBytes, std::string& sError);
