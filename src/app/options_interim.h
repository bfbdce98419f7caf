// Interim option values until the settings module is in place.
#pragma once
#include <string>
namespace pixdeck {
struct InterimOptions {
  std::string browserName, outputName = "images.htm", urlBaseName = "file:///", patternName,
                           bgColor;
  bool useRegSettings = true;
};
inline InterimOptions& Interim() {
  static InterimOptions o;
  return o;
}
inline std::string BrowserNameOption() {
  return Interim().browserName;
}
inline void SetBrowserNameOption(const std::string& v) {
  Interim().browserName = v;
}
inline bool UseRegSettingsOption() {
  return Interim().useRegSettings;
}
inline void SetUseRegSettingsOption(bool v) {
  Interim().useRegSettings = v;
}
inline std::string OutputNameOption() {
  return Interim().outputName;
}
inline void SetOutputNameOption(const std::string& v) {
  Interim().outputName = v;
}
inline std::string UrlBaseNameOption() {
  return Interim().urlBaseName;
}
inline void SetUrlBaseNameOption(const std::string& v) {
  Interim().urlBaseName = v;
}
inline std::string PatternNameOption() {
  return Interim().patternName;
}
inline void SetPatternNameOption(const std::string& v) {
  Interim().patternName = v;
}
inline std::string BgColorOption() {
  return Interim().bgColor;
}
inline void SetBgColorOption(const std::string& v) {
  Interim().bgColor = v;
}
}  // namespace pixdeck
