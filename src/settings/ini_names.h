// The name of the settings file that belongs to a program file.
#pragma once

#include <string>

namespace pixdeck {

// The program file's path with extension "ini" ("INI" where file names are
// case-sensitive): the settings file when the caller names none, and where
// the chain falls back to.
std::string ProgramIniName();
// The same name for another program file.
std::string IniNameOf(const std::string& programFile);

}  // namespace pixdeck
