// TRegOrIni: the program's one gateway to its persistent settings, kept in an
// INI file or in the registry. The INI file the caller names decides: it may
// hand over to another INI file ("IniFileName" in section "Application") or
// send the settings to the registry ("UseRegistry"). Every value is text;
// integers are decimal (a stored "0x" or "0X" prefix reads as hexadecimal),
// booleans "0" and "1", and a list is a count plus numbered items
// (ItemCount, Item_1, Item_2, ...). Writes are skipped, silently, while the
// INI file is read-only.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "settings/ini_names.h"
#include "settings/registry_medium.h"
#include "settings/settings_state.h"
#include "settings/stored_integer.h"

namespace pixdeck {

class IniFile;

// The store's own failure: "Error: No INI file specified!".
class ERegOrIni : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TRegOrIni {
 public:
  // Follows the chain of INI files from name (the program's own INI file when
  // name is empty) and opens the final medium. fallbackName stands for the
  // program's own INI file.
  explicit TRegOrIni(const std::string& name, const std::string& fallbackName = ProgramIniName());
  // Closes the medium; a failure to write it then is swallowed (call Close
  // first to learn of it).
  ~TRegOrIni();
  TRegOrIni(const TRegOrIni&) = delete;
  TRegOrIni& operator=(const TRegOrIni&) = delete;

  // Opens the medium unless it is open. Throws ERegOrIni when SettingsName is
  // empty.
  void Open();
  // Releases the medium; the INI file's changes are written now. Throws
  // IniFileError or RegistryError when they cannot be, and the
  // medium is released all the same.
  void Close();
  // INI mode: writable when the file is named and either missing or not
  // read-only, and was not found unusable (see TakeProblems). Registry mode:
  // always writable.
  void UpdateWritable();

  // The INI files of the chain found unusable since the last call (a folder,
  // FIFO or device, unreadable, or undecodable), one line each and each file
  // once in the store's life. Such a file reads as empty, so the defaults
  // hold, and the store never writes over it.
  std::vector<std::string> TakeProblems();

  // The file that holds the final medium (the registry's own name on
  // Windows): what a platform::SaveLock is taken on.
  std::string MediumFile() const;

  bool UseIni() const { return useIni_; }
  bool Opened() const { return opened_; }

  // True when the store holds a value for key.
  bool Has(const std::string& section, const std::string& key) {
    return Find(section, key).has_value();
  }
  bool ReadBool(const std::string& section, const std::string& key, bool defaultValue);
  std::int32_t ReadInteger(const std::string& section, const std::string& key,
                           std::int32_t defaultValue);
  // A stored value with a zero byte inside reads as missing, whatever the
  // read: no name or path holding one may reach the system.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue);
  // Replaces list by the stored list name: its count, then every item, missing
  // ones as empty texts.
  void ReadStrings(const std::string& section, const std::string& name,
                   std::vector<std::string>& list);

  void WriteBool(const std::string& section, const std::string& key, bool value);
  void WriteInteger(const std::string& section, const std::string& key, std::int32_t value);
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void EraseSection(const std::string& section);
  // Stores the first maxCount strings (all of them when maxCount is 0 or
  // larger than their number) as list name, erasing the section first when
  // eraseFirst is set.
  void WriteStrings(const std::string& section, const std::string& name,
                    const std::vector<std::string>& strings, int maxCount, bool eraseFirst);

  // A stored count beyond this is junk; the list is read up to this length.
  static constexpr std::int32_t kMaxListCount = 10000;

 private:
  std::optional<std::string> Find(const std::string& section, const std::string& key);

  bool useIni_ = true;
  bool opened_ = false;
  std::unique_ptr<IniFile> iniFile_;
  std::unique_ptr<RegistryMedium> regIniFile_;
  std::set<std::string> unusable_;  // INI files found unusable, by path
  std::vector<std::string> problems_;
};

}  // namespace pixdeck
