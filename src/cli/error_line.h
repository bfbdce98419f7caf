// What pixdeck-cli says on standard error: one line each, after the program's
// name, so that a script or a log can take it line by line.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

namespace pixdeck::cli {

inline constexpr const char* kProgramName = "pixdeck-cli";

// text with every control character shown as an escape ("\n", "\t", "\x1B",
// "\u0085"), so that a file name holding a line feed cannot break the line.
std::string OneLine(std::string_view text);

// "pixdeck-cli: " and the text as one line.
void PrintError(std::ostream& err, std::string_view text);

}  // namespace pixdeck::cli
