#include "settings/ini_names.h"

#include "platform/file_system.h"
#include "util/paths.h"

namespace pixdeck {

std::string ProgramIniName() {
  return IniNameOf(platform::ProgramFilePath());
}

std::string IniNameOf(const std::string& program) {
  // File names ignore case on Windows; elsewhere the extension is spelled as
  // in the program's settings file ("pixdeck.INI"), so that both name one file.
  const char* extension = kNativeStyle == PathStyle::Windows ? "ini" : "INI";
  return program.empty() ? std::string() : ForceExt(program, extension);
}

}  // namespace pixdeck
