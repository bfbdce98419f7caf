// The version is given once, in the project; everything that shows it must
// follow, and the texts the program writes must stay what they are.
#include "util/version.h"

#include <gtest/gtest.h>

#include <string>

#include "catalog/credits.h"
#include "settings/program_settings.h"

namespace pixdeck {
namespace {

TEST(Version, ComesFromTheProjectVersion) {
  EXPECT_EQ(std::string(kVersionText), PIXDECK_PROJECT_VERSION);
  EXPECT_EQ(std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
                std::to_string(kVersionPatch),
            PIXDECK_PROJECT_VERSION);
}

TEST(Version, SettingsNumberAndCaptionFollowIt) {
  EXPECT_EQ(kProgramSettingsVersion,
            kVersionMajor * 100 + kVersionMinor * 10 + kVersionPatch);
  EXPECT_EQ(std::string(kProgramCaption), std::string("Pixdeck v") + std::to_string(kVersionMajor) +
                                              "." + std::to_string(kVersionMinor) +
                                              static_cast<char>('a' + kVersionPatch - 1));
}

TEST(Version, ThisReleaseWritesItsKnownTexts) {
  // The settings files and pages already written carry these; a new version
  // must change them knowingly.
  EXPECT_EQ(kProgramSettingsVersion, 121);
  EXPECT_STREQ(kProgramCaption, "Pixdeck v1.2a");
}

}  // namespace
}  // namespace pixdeck
