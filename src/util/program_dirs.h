// The program's folders: where it runs from, and where its settings go.
#pragma once

#include <string>

namespace pixdeck {

std::string CurrentDir();
// The program file's folder; cached.
std::string ProgramDir();
// The folder that takes the settings when the program's own folder cannot:
// the per-user config folder (platform::PerUserConfigDirectory: on Windows
// %APPDATA%\Pixdeck rather than the Windows directory, which users cannot
// write). Cached.
std::string WindowsDir();
// WindowsDir when the program runs from read-only media, else ProgramDir.
std::string HomeDir();
// Whether the program runs from read-only media (a CD-ROM drive on Windows);
// set once by the start-up step that looks at the program's folder.
void SetOnCdRom(bool onCdRom);
bool OnCdRom();

}  // namespace pixdeck
