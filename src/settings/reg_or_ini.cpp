#include "settings/reg_or_ini.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <limits>
#include <system_error>
#include <utility>

#include "platform/file_system.h"
#include "settings/ini_file.h"
#include "text/ascii.h"
#include "text/utf8_path.h"
#include "util/file_status.h"
#include "util/paths.h"

namespace pixdeck {
namespace {

constexpr const char* kApplication = "Application";

// True when both names lead to the same INI file: the same text (ASCII case
// ignored on Windows; normalised on POSIX), or one existing file reached by
// two names (a link, a case-insensitive file system).
bool SameIniFile(const std::string& a, const std::string& b) {
  const std::string first = ResolveIniFileName(a);
  const std::string second = ResolveIniFileName(b);
  if (SameDir(first, second)) {
    return true;
  }
  std::error_code ec;
  return std::filesystem::equivalent(PathFromUtf8(first), PathFromUtf8(second), ec) && !ec;
}

}  // namespace

TRegOrIni::TRegOrIni(const std::string& name, const std::string& fallbackName) {
  SetSettingsName(name.empty() ? fallbackName : name);
  if (SettingsName().empty()) {
    return;
  }

  // The chain is always read from INI files. It ends at a file that sends the
  // settings to the registry, that names no file or itself, or that names a
  // file the chain has already passed: in a circle (A names B, B names A) the
  // settings then stay in the file the chain came back to, the first file of
  // the circle (A).
  useIni_ = true;
  std::string current = SettingsName();
  std::vector<std::string> visited;
  std::unique_ptr<IniFile> lastRead;
  bool useReg = false;
  for (;;) {
    SetSettingsName(current);
    Open();
    useReg = ReadBool(kApplication, "UseRegistry", false);
    if (!useReg) {
      current = ReadString(kApplication, "IniFileName", SettingsName());
    }
    // Nothing was written: closing only lets go of the file, which is kept
    // in case it turns out to be the final medium.
    lastRead = std::move(iniFile_);
    opened_ = false;
    visited.push_back(SettingsName());
    if (useReg || current.empty() || SameIniFile(current, SettingsName())) {
      break;
    }
    if (std::any_of(visited.begin(), visited.end(),
                    [&](const std::string& seen) { return SameIniFile(seen, current); })) {
      break;
    }
  }
  // In registry mode the name of the file that asked for it, exactly as the
  // chain gave it, is the registry key path.
  if (!useReg) {
    SetSettingsName(current.empty() ? fallbackName : current);
  }

  UpdateWritable();  // still in INI mode: the read-only test is the INI file's
  useIni_ = !useReg;
  if (useIni_ && lastRead && lastRead->Path() == ResolveIniFileName(SettingsName())) {
    iniFile_ = std::move(lastRead);  // just read: no need to read it again
    opened_ = true;
  } else {
    Open();
  }
  SetSettingsVersion(ReadInteger(kApplication, "Version", SettingsVersion()));
  if (SettingsMainDir().empty()) {
    SetSettingsMainDir(ReadString(kApplication, "MainDirectory", std::string()));
  }
  if (!DirExists(SettingsMainDir())) {
    SetSettingsMainDir(std::string());
  }
}

TRegOrIni::~TRegOrIni() {
  try {
    Close();
  } catch (...) {
    // Nobody is left to tell; Close reports this to callers that ask.
  }
}

void TRegOrIni::Open() {
  if (opened_) {
    return;
  }
  if (SettingsName().empty()) {
    throw ERegOrIni("Error: No INI file specified!");
  }
  if (useIni_) {
    iniFile_ = std::make_unique<IniFile>(ResolveIniFileName(SettingsName()));
    if (iniFile_->Unreadable() && unusable_.insert(iniFile_->Path()).second) {
      problems_.push_back(iniFile_->Problem());
    }
  } else {
    regIniFile_ = std::make_unique<RegistryMedium>(SettingsName());
  }
  opened_ = true;
}

void TRegOrIni::Close() {
  if (!opened_) {
    return;
  }
  opened_ = false;
  const std::unique_ptr<IniFile> iniFile = std::move(iniFile_);
  const std::unique_ptr<RegistryMedium> regIniFile = std::move(regIniFile_);
  if (iniFile) {
    iniFile->Save();
  }
  if (regIniFile) {
    regIniFile->Flush();
  }
}

void TRegOrIni::UpdateWritable() {
  if (!useIni_) {
    SetSettingsWritable(true);
    return;
  }
  const std::string file = ResolveIniFileName(SettingsName());
  SetSettingsWritable(!file.empty() && unusable_.count(file) == 0 &&
                      (!platform::FileExists(file) || !platform::IsReadOnlyFile(file)));
}

std::vector<std::string> TRegOrIni::TakeProblems() {
  return std::exchange(problems_, {});
}

std::optional<std::string> TRegOrIni::Find(const std::string& section, const std::string& key) {
  Open();
  std::optional<std::string> value =
      iniFile_ ? iniFile_->Find(section, key) : regIniFile_->ReadString(section, key);
  // No system call can take a text with a zero byte inside: it would end
  // there ("nul\0.htm" names "nul"). Such a value is no value.
  if (value && value->find('\0') != std::string::npos) {
    return std::nullopt;
  }
  return value;
}

bool TRegOrIni::ReadBool(const std::string& section, const std::string& key, bool defaultValue) {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

std::int32_t TRegOrIni::ReadInteger(const std::string& section, const std::string& key,
                                    std::int32_t defaultValue) {
  const std::optional<std::string> text = Find(section, key);
  if (!text) {
    return defaultValue;
  }
  return ParseStoredInteger(*text).value_or(defaultValue);
}

std::string TRegOrIni::ReadString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) {
  return Find(section, key).value_or(defaultValue);
}

void TRegOrIni::ReadStrings(const std::string& section, const std::string& name,
                            std::vector<std::string>& list) {
  list.clear();
  const std::int32_t count = std::min(ReadInteger(section, name + "Count", 0), kMaxListCount);
  for (std::int32_t i = 1; i <= count; ++i) {
    list.push_back(ReadString(section, name + "_" + std::to_string(i), std::string()));
  }
}

void TRegOrIni::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void TRegOrIni::WriteInteger(const std::string& section, const std::string& key,
                             std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void TRegOrIni::WriteString(const std::string& section, const std::string& key,
                            const std::string& value) {
  if (!SettingsWritable()) {
    return;
  }
  Open();
  if (iniFile_) {
    iniFile_->WriteString(section, key, value);
  } else {
    regIniFile_->WriteString(section, key, value);
  }
}

void TRegOrIni::EraseSection(const std::string& section) {
  if (!SettingsWritable()) {
    return;
  }
  Open();
  if (iniFile_) {
    iniFile_->EraseSection(section);
  } else {
    regIniFile_->EraseSection(section);
  }
}

void TRegOrIni::WriteStrings(const std::string& section, const std::string& name,
                             const std::vector<std::string>& strings, int maxCount,
                             bool eraseFirst) {
  if (!SettingsWritable()) {
    return;
  }
  const int available =
      static_cast<int>(std::min<std::size_t>(strings.size(), std::numeric_limits<int>::max()));
  // A count below zero would store a list that reads back empty: no limit then.
  const int count = (maxCount <= 0 || maxCount > available) ? available : maxCount;
  // An INI file's list is rewritten line by line, and then the section's
  // other keys go: the hand comments in it stay where they were.
  std::vector<std::string> staleKeys;
  if (eraseFirst && useIni_) {
    Open();
    staleKeys = iniFile_->Text().KeyNames(section);
  } else if (eraseFirst) {
    EraseSection(section);
  }
  std::set<std::string> written;
  const auto write = [&](const std::string& key, const std::string& value) {
    WriteString(section, key, value);
    written.insert(UpperAscii(key));
  };
  write(name + "Count", std::to_string(count));
  for (int i = 1; i <= count; ++i) {
    write(name + "_" + std::to_string(i), strings[static_cast<std::size_t>(i - 1)]);
  }
  for (const std::string& key : staleKeys) {
    if (written.count(UpperAscii(key)) == 0) {
      iniFile_->EraseKey(section, key);
    }
  }
}

std::string TRegOrIni::MediumFile() const {
  return useIni_ ? ResolveIniFileName(SettingsName()) : RegistryStoreName(SettingsName());
}

}  // namespace pixdeck
