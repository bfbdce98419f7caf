// The built-in defaults of a Filter run, for the window, its settings and
// pixdeck-cli alike.
#pragma once

namespace pixdeck {

inline constexpr const char* kDefaultSpecs = "*.gif;*.jpg";
inline constexpr const char* kDefaultOutputName = "images.htm";
inline constexpr const char* kDefaultUrlBase = "file:///";

}  // namespace pixdeck
