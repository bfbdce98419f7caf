#include "settings/settings_state.h"

namespace pixdeck {
namespace {

struct StoreState {
  std::string name;
  bool writable = true;
  std::int32_t version = 0;
  std::string mainDir;
};

StoreState& State() {
  static StoreState state;
  return state;
}

}  // namespace

const std::string& SettingsName() {
  return State().name;
}
void SetSettingsName(const std::string& name) {
  State().name = name;
}
bool SettingsWritable() {
  return State().writable;
}
void SetSettingsWritable(bool writable) {
  State().writable = writable;
}
std::int32_t SettingsVersion() {
  return State().version;
}
void SetSettingsVersion(std::int32_t version) {
  State().version = version;
}
const std::string& SettingsMainDir() {
  return State().mainDir;
}
void SetSettingsMainDir(const std::string& dir) {
  State().mainDir = dir;
}
void ResetSettingsState() {
  State() = StoreState{};
}

}  // namespace pixdeck
