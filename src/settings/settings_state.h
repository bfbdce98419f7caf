// What the settings store knows for the whole run: the settings file or
// registry key, whether writes take effect, the stored version and the main
// folder.
#pragma once

#include <cstdint>
#include <string>

namespace pixdeck {

// The settings INI file in INI mode, the registry key path in registry mode.
const std::string& SettingsName();
void SetSettingsName(const std::string& name);
// Whether writes take effect; recomputed by TRegOrIni::UpdateWritable.
bool SettingsWritable();
void SetSettingsWritable(bool writable);
// Read from "Application"/"Version" at construction, with the value set
// beforehand as its default.
std::int32_t SettingsVersion();
void SetSettingsVersion(std::int32_t version);
// Read from "Application"/"MainDirectory" at construction unless already set;
// cleared when it names no existing folder.
const std::string& SettingsMainDir();
void SetSettingsMainDir(const std::string& dir);
// Back to the start values (empty name, writable, version 0, no main folder).
void ResetSettingsState();

}  // namespace pixdeck
