// The data files that travel with the programs: beside the built binaries,
// and in <prefix>/share/pixdeck once installed.
#pragma once

namespace pixdeck {

// The colour table's file name.
inline constexpr const char* kColorFileName = "Bkcolors.txt";

}  // namespace pixdeck
