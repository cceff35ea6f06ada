#pragma once

#include <string>

// Binary settings are stored as text: each 16-bit character code of the (UTF-8) text as
// four upper-case hex digits, "A" -> "0041".
std::string HexEncode(const std::string& sText);
// The reverse of HexEncode; text that is not hexadecimal raises a type-mismatch error.
std::string HexDecode(const std::string& sText);
