// Who made Pixdeck and where to reach them: the page footer and the About box
// both show these. Change them here when the project gets a home of its own.
#pragma once

#include "util/version.h"

namespace pixdeck {

// "Pixdeck v1.2a": the name and the version.
inline constexpr const char* kProgramCaption = "Pixdeck v" PIXDECK_CAPTION_VERSION;
inline constexpr const char* kMakerCredit = "Pixdeck";
inline constexpr const char* kMakerWebAddress = "https://www.example.org/pixdeck/";
inline constexpr const char* kMakerMailAddress = "pixdeck@example.com";

}  // namespace pixdeck
