// Desktop entries (.desktop files) as the desktop finds and reads them: the
// folders that hold them, the file of an id, the Exec line and what starts
// its program.
#pragma once

#include <string>
#include <vector>

namespace pixdeck::platform {

// The folders that hold desktop entries, most important first
// ($XDG_DATA_HOME, then $XDG_DATA_DIRS, each with "/applications").
std::vector<std::string> ApplicationDirs();
// A desktop file id "a-b.desktop" may also live at "a/b.desktop".
std::vector<std::string> DesktopFileCandidates(const std::string& id);
// The program of an Exec command line: its first word, or, when that is
// "env", the first word after env's options and variable settings.
std::string FirstExecWord(const std::string& command);
// The Exec line of a desktop entry file, its string escapes undone; empty
// when the file cannot be read or has none.
std::string ExecLineOf(const std::string& desktopFile);
// What starts the program of an Exec line: the program's full path when the
// line is the program and at most its field codes; otherwise the whole line
// with the program's full path in front (a wrapper such as "flatpak run ..."
// or "env VAR=x browser %u", or a browser with options of its own). Empty when
// the program, or the browser that env starts, is not installed.
std::string StartCommandOf(const std::string& execLine);

}  // namespace pixdeck::platform
