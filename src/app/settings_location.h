// Where the program keeps its settings: beside itself under its own name
// with extension "INI", or in the per-user folder when it cannot write there.
#pragma once

#include <string>

namespace pixdeck {

// Also records whether the program runs from read-only media (OnCdRom).
std::string ProgramSettingsName();

}  // namespace pixdeck
