// The desktop's document registration and starting programs.
#pragma once

#include <optional>
#include <string>

#include "text/expected.h"

namespace pixdeck::platform {

// Full path of the program that the desktop opens the document with; empty
// when none is registered.
std::string FindExecutable(const std::string& documentPath);

// The program for documents named like documentName, told by the name alone
// where the desktop can (on POSIX an HTML page is known by its extension, and
// the file need not exist); nullopt where only an existing document can be
// asked about (Windows) or the name does not tell.
std::optional<std::string> FindExecutableByName(const std::string& documentName);

// Starts program with argument as its one command-line argument, without a
// shell; it inherits none of our handles (on POSIX its standard input, output
// and error are the null device). On POSIX a program that is no executable
// file is taken as a command line in the desktop-entry form, the argument in
// place of its URL field code. Fails when the program cannot be started.
Expected<void> StartProgram(const std::string& program, const std::string& argument);

}  // namespace pixdeck::platform
