// The registry medium without a registry: the per-user file "registry.ini" in
// the pixdeck config folder. Key path P and section S are the INI section
// "P\S". The file is read when the key is opened; writes change that copy and
// are remembered, and Flush applies them to the file as it is then, under the
// save lock, in one atomic replacement: a save is whole or not at all, and the
// values of other keys (another program's) written meanwhile stay. The key
// itself is made by its first write, so reading alone never creates the file.
#include <variant>

#include "platform/file_system.h"
#include "platform/save_lock.h"
#include "settings/ini_file.h"
#include "settings/registry_medium.h"
#include "text/ascii.h"

namespace pixdeck {

namespace {

constexpr const char* kStoreName = "registry.ini";

// True for section itself and every section below it ("section\...").
bool IsAtOrBelow(const std::string& name, const std::string& section) {
  return StartsWithNoCaseAscii(name, section) &&
         (name.size() == section.size() || name[section.size()] == '\\');
}

void EraseTree(IniFile& store, const std::string& fullSection) {
  for (const std::string& name : store.Text().SectionNames()) {
    if (IsAtOrBelow(name, fullSection)) {
      store.EraseSection(name);
    }
  }
}

}  // namespace

// The writes a key remembers until its flush. Named, not anonymous: the
// key's Impl holds them.
namespace registry_ini {

struct ValueWrite {
  std::string section;
  std::string name;
  std::string value;
};
struct TreeErase {
  std::string section;
};
using Change = std::variant<ValueWrite, TreeErase>;

void Apply(IniFile& store, const Change& change) {
  if (const auto* write = std::get_if<ValueWrite>(&change)) {
    store.WriteString(write->section, write->name, write->value);
  } else {
    EraseTree(store, std::get<TreeErase>(change).section);
  }
}

}  // namespace registry_ini

using registry_ini::Apply;
using registry_ini::Change;
using registry_ini::TreeErase;
using registry_ini::ValueWrite;

std::string RegistryStoreName(const std::string& /*keyPath*/) {
  return platform::PerUserConfigDirectory() + '/' + kStoreName;
}

struct RegistryMedium::Impl {
  std::string keyPath;
  std::string storePath;
  IniFile snapshot;             // the store as read at open, with this object's writes
  std::vector<Change> pending;  // this object's writes since the last flush

  std::string SectionOf(const std::string& section) const { return keyPath + '\\' + section; }
};

RegistryMedium::RegistryMedium(const std::string& keyPath) {
  const std::string storePath = RegistryStoreName(keyPath);
  impl_ = std::make_unique<Impl>(Impl{keyPath, storePath, IniFile(storePath), {}});
}

RegistryMedium::~RegistryMedium() {
  try {
    Flush();
  } catch (const RegistryError&) {
    // Nobody is left to tell; Flush reports this to callers that ask.
  }
}

const std::string& RegistryMedium::KeyPath() const {
  return impl_->keyPath;
}

std::optional<std::string> RegistryMedium::ReadString(const std::string& section,
                                                      const std::string& name) const {
  return impl_->snapshot.Find(impl_->SectionOf(section), name);
}

void RegistryMedium::WriteString(const std::string& section, const std::string& name,
                                 const std::string& value) {
  Change change = ValueWrite{impl_->SectionOf(section), name, value};
  Apply(impl_->snapshot, change);
  impl_->pending.push_back(std::move(change));
}

void RegistryMedium::EraseSection(const std::string& section) {
  Change change = TreeErase{impl_->SectionOf(section)};
  Apply(impl_->snapshot, change);
  impl_->pending.push_back(std::move(change));
}

std::vector<std::string> RegistryMedium::ValueNames(const std::string& section) const {
  return impl_->snapshot.Text().KeyNames(impl_->SectionOf(section));
}

void RegistryMedium::Flush() {
  if (impl_->pending.empty()) {
    return;
  }
  const platform::SaveLock lock(impl_->storePath);
  IniFile store(impl_->storePath);
  for (const Change& change : impl_->pending) {
    Apply(store, change);
  }
  // Tried once: a failed save is not tried again by the destructor.
  impl_->pending.clear();
  try {
    store.Save();
  } catch (const IniFileError& error) {
    throw RegistryError(error.what());
  }
}

}  // namespace pixdeck
