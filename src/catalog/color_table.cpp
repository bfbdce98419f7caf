#include "catalog/color_table.h"

#include "platform/collate.h"
#include "platform/file_system.h"
#include "text/utf8.h"
#include "util/paths.h"
#include "util/program_dirs.h"

namespace pixdeck {

namespace {

constexpr std::size_t kCodeLength = 6;  // characters
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The first count characters of text: a well-formed UTF-8 sequence is one
// character and is never cut; any other byte counts as one on its own.
std::string_view FirstCharacters(std::string_view text, std::size_t count) {
  std::size_t end = 0;
  for (std::size_t n = 0; n < count && end < text.size(); ++n) {
    const std::size_t length = Utf8SequenceLength(text, end);
    end += length == 0 ? 1 : length;
  }
  return text.substr(0, end);
}

}  // namespace

void ColorTable::AddFromText(std::string_view text) {
  const std::size_t nul = text.find('\0');
  if (nul != std::string_view::npos) {
    text = text.substr(0, nul);
  }
  // Editors that save UTF-8 may put a byte-order mark first: it belongs to no name.
  if (text.starts_with(kByteOrderMark)) {
    text.remove_prefix(kByteOrderMark.size());
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
      entries_.push_back({std::string(line.substr(0, equals)),
                          std::string(FirstCharacters(line.substr(equals + 1), kCodeLength))});
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

Expected<void> ColorTable::LoadFromFile(const std::string& path) {
  const Expected<std::string> text = platform::ReadRegularFile(path, kMaxColorFileBytes);
  if (!text) {
    return Unexpected(text.error());
  }
  AddFromText(*text);
  return {};
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

std::string ColorFileMissingMessage(const std::string& path) {
  return "File \"" + path + "\" not found! Background Colors not available.";
}

std::vector<std::string> ColorFileCandidates() {
  const std::string programDir = ProgramDir();
  return {JoinPath(programDir, kColorFileName),
          JoinPath(InstalledDataDir(programDir), kColorFileName)};
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
  ShowInfo(messages, ColorFileMissingMessage(path), true);
  return false;
}

std::string ColorCodeHint(const ColorTable* table, std::string_view name, bool picked) {
  if (!picked) {
    return "Color code = [none]";
  }
  return "Color code = #" + (table != nullptr ? table->ColorCodeOf(name) : std::string());
}

}  // namespace pixdeck
