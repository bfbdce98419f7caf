// The registry medium without a registry: the per-user file "registry.ini" in
// the pixdeck config folder. Key path P and section S are the INI section
// "P\S". Each write reads the file afresh, changes it and replaces it
// atomically, as a registry write takes effect at once; the key itself is
// made by its first write, so reading alone never creates the file.
#include "settings/registry_medium.h"

#include "platform/file_system.h"
#include "settings/ini_file.h"
#include "text/ascii.h"

namespace pixdeck {

namespace {

constexpr const char* kStoreName = "registry.ini";

// True for section itself and every section below it ("section\...").
bool IsAtOrBelow(const std::string& name, const std::string& section) {
  return StartsWithNoCaseAscii(name, section) &&
         (name.size() == section.size() || name[section.size()] == '\\');
}

}  // namespace

struct RegistryMedium::Impl {
  std::string keyPath;
  std::string storePath;
  IniFile snapshot;  // the store as read at open, with this object's writes

  std::string SectionOf(const std::string& section) const { return keyPath + '\\' + section; }
};

RegistryMedium::RegistryMedium(const std::string& keyPath) {
  const std::string storePath = platform::PerUserConfigDirectory() + '/' + kStoreName;
  impl_ = std::make_unique<Impl>(Impl{keyPath, storePath, IniFile(storePath)});
}

RegistryMedium::~RegistryMedium() = default;

const std::string& RegistryMedium::KeyPath() const {
  return impl_->keyPath;
}

std::optional<std::string> RegistryMedium::ReadString(const std::string& section,
                                                      const std::string& name) const {
  return impl_->snapshot.Find(impl_->SectionOf(section), name);
}

void RegistryMedium::WriteString(const std::string& section, const std::string& name,
                                 const std::string& value) {
  const std::string fullSection = impl_->SectionOf(section);
  IniFile store(impl_->storePath);
  store.WriteString(fullSection, name, value);
  try {
    store.Save();
  } catch (const IniFileError&) {
    throw RegistryError("Failed to set data for '" + name + "'");
  }
  impl_->snapshot.WriteString(fullSection, name, value);
}

void RegistryMedium::EraseSection(const std::string& section) {
  const std::string fullSection = impl_->SectionOf(section);
  IniFile store(impl_->storePath);
  for (const std::string& name : store.Text().SectionNames()) {
    if (IsAtOrBelow(name, fullSection)) {
      store.EraseSection(name);
    }
  }
  try {
    store.Save();
  } catch (const IniFileError&) {
    throw RegistryError("Failed to create key " + fullSection);
  }
  for (const std::string& name : impl_->snapshot.Text().SectionNames()) {
    if (IsAtOrBelow(name, fullSection)) {
      impl_->snapshot.EraseSection(name);
    }
  }
}

std::vector<std::string> RegistryMedium::ValueNames(const std::string& section) const {
  return impl_->snapshot.Text().KeyNames(impl_->SectionOf(section));
}

void RegistryMedium::Flush() {
  // Every write has already replaced the file.
}

}  // namespace pixdeck
