#include "catalog/color_table.h"

#include <fstream>
#include <iterator>

#include "platform/collate.h"
#include "platform/file_system.h"
#include "util/files.h"
#include "util/paths.h"
#include "util/utf8_path.h"

namespace pixdeck {

namespace {
constexpr std::size_t kCodeLength = 6;
}

void ColorTable::AddFromText(std::string_view text) {
  const std::size_t nul = text.find('\0');
  if (nul != std::string_view::npos) {
    text = text.substr(0, nul);
  }
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
      end = text.size();
    }
    const std::string_view line = text.substr(pos, end - pos);
    const std::size_t equals = line.find('=');
    if (equals != std::string_view::npos && equals > 0) {
      entries_.push_back(
          {std::string(line.substr(0, equals)), std::string(line.substr(equals + 1, kCodeLength))});
    }
    pos = end;
    if (pos < text.size() && text[pos] == '\r') {
      ++pos;
    }
    if (pos < text.size() && text[pos] == '\n') {
      ++pos;
    }
  }
}

bool ColorTable::LoadFromFile(const std::string& path) {
  if (!platform::FileExists(path)) {
    return false;
  }
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  if (!in) {
    return false;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    return false;
  }
  AddFromText(text);
  return true;
}

const ColorEntry* ColorTable::Find(std::string_view name) const {
  if (name.empty()) {
    return nullptr;
  }
  const std::string wanted(name);
  for (const ColorEntry& entry : entries_) {
    if (platform::CompareTextLocale(entry.name, wanted) == 0) {
      return &entry;
    }
  }
  return nullptr;
}

std::string ColorTable::ColorCodeOf(std::string_view name) const {
  const ColorEntry* entry = Find(name);
  return entry ? entry->code : std::string();
}

bool ColorTable::HasName(std::string_view name) const {
  return Find(name) != nullptr;
}

std::vector<std::string> ColorFileCandidates() {
  const std::string programDir = ProgramDir();
  const std::string prefix = DirOf(programDir);
  return {JoinPath(programDir, kColorFileName),
          JoinPath(JoinPath(JoinPath(prefix, "share"), "pixdeck"), kColorFileName)};
}

std::string FindColorFile() {
  const std::vector<std::string> candidates = ColorFileCandidates();
  for (const std::string& path : candidates) {
    if (platform::FileExists(path)) {
      return path;
    }
  }
  return candidates.front();
}

bool LoadBackColors(ColorTable& table, Messages& messages) {
  return LoadBackColorsFrom(FindColorFile(), table, messages);
}

bool LoadBackColorsFrom(const std::string& path, ColorTable& table, Messages& messages) {
  if (table.LoadFromFile(path)) {
    return true;
  }
  ShowInfo(messages, "File \"" + path + "\" not found! Background Colors not available.", true);
  return false;
}

}  // namespace pixdeck
