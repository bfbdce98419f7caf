// Who made Pixdeck and where to reach them: the page footer and the About box
// both show these. Change them here when the project gets a home of its own.
#pragma once

namespace pixdeck {

inline constexpr const char* kProgramCaption = "Pixdeck v1.2a";
inline constexpr const char* kMakerCredit = "Pixdeck";
inline constexpr const char* kMakerWebAddress = "https://www.example.org/pixdeck/";
inline constexpr const char* kMakerMailAddress = "pixdeck@example.com";

}  // namespace pixdeck
