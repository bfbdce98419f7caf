#include "settings_fixture.h"

#include <cstdlib>

#include "settings/reg_or_ini.h"
#include "text/utf8_path.h"

namespace pixdeck::test {

namespace {

#ifdef _WIN32
// The Windows build keeps registry values in the real registry; only the
// POSIX store follows the config folder.
void SetConfigHome(const std::string& value) {
  _putenv_s("XDG_CONFIG_HOME", value.c_str());
}
void ClearConfigHome() {
  _putenv_s("XDG_CONFIG_HOME", "");
}
#else
void SetConfigHome(const std::string& value) {
  ::setenv("XDG_CONFIG_HOME", value.c_str(), 1);
}
void ClearConfigHome() {
  ::unsetenv("XDG_CONFIG_HOME");
}
#endif

}  // namespace

void SettingsTest::SetUp() {
  ResetSettingsState();
  if (const char* home = std::getenv("XDG_CONFIG_HOME")) {
    savedConfigHome_ = home;
  }
  SetConfigHome(Utf8FromPath(config_.path()));
}

void SettingsTest::TearDown() {
  if (savedConfigHome_) {
    SetConfigHome(*savedConfigHome_);
  } else {
    ClearConfigHome();
  }
  ResetSettingsState();
}

std::string SettingsTest::RegistryStoreFile() const {
  return config_.file("pixdeck/registry.ini");
}

}  // namespace pixdeck::test
