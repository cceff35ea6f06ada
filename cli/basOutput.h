#pragma once

#include <string>
#include <string_view>

// Pieces of the calculator's output formats, shared by the 2008 and today's figures.

// Shortest text that reads back as the same single-precision value: 2.1875, 0.1.
void AppendNumber(std::string& sOut, float fValue);
// A JSON string with its quotes and escapes.
void AppendJsonString(std::string& sOut, std::string_view sText);
// A CSV field, quoted when it holds a comma, a quote or a line end.
void AppendCsvField(std::string& sOut, std::string_view sText);
