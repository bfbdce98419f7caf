// The desktop's document registration and starting programs.
#pragma once

#include <string>

namespace pixdeck::platform {

// Full path of the program that the desktop opens the document with; empty
// when none is registered.
std::string FindExecutable(const std::string& documentPath);

// Starts program with argument as its one command-line argument (no shell, no
// splitting at blanks). True when the program was started.
bool StartProgram(const std::string& program, const std::string& argument);

}  // namespace pixdeck::platform
