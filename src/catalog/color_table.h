// The background colours a page can have: names and codes read from the text
// file "Bkcolors.txt", one "Name=CODE" line per colour.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "text/expected.h"
#include "util/data_files.h"
#include "util/messages.h"

namespace pixdeck {

// A colour file larger than this is taken for an unreadable one: a real table
// is a few kilobytes.
inline constexpr std::size_t kMaxColorFileBytes = 1 << 20;

struct ColorEntry {
  std::string name;  // everything before the line's first "=", untrimmed
  std::string code;  // up to six characters after it (a UTF-8 character is
                     // one), untrimmed, unchecked
};

class ColorTable {
 public:
  // Adds one entry per line that has an "=" after at least one character, in
  // file order; other lines are skipped. Lines end at CR LF, CR or LF; a NUL
  // ends the text; a UTF-8 byte-order mark at its start is skipped.
  void AddFromText(std::string_view text);
  // Reads the whole file into the table. Fails, the table unchanged, when it
  // is missing, no regular file (a directory, FIFO or device), larger than
  // kMaxColorFileBytes or unreadable.
  Expected<void> LoadFromFile(const std::string& path);

  // The code of the first entry whose name equals name (case ignored by the
  // user's locale); empty for an empty or unknown name.
  std::string ColorCodeOf(std::string_view name) const;
  // True when some entry carries this name (case ignored by locale).
  bool HasName(std::string_view name) const;

  const std::vector<ColorEntry>& Entries() const { return entries_; }
  bool Empty() const { return entries_.empty(); }
  void Clear() { entries_.clear(); }

 private:
  const ColorEntry* Find(std::string_view name) const;

  std::vector<ColorEntry> entries_;
};

// The colour box's hint after a pick: "Color code = #<code>" for a picked
// name, "Color code = [none]" when no item is picked.
std::string ColorCodeHint(const ColorTable* table, std::string_view name, bool picked);

// Where the colour file is looked for: beside the program first, then, for an
// installed program, in <prefix>/share/pixdeck. The first existing file wins;
// when none exists the result is the path beside the program.
std::vector<std::string> ColorFileCandidates();
std::string FindColorFile();

// What the user is told when no colour file can be read:
// "File "<path>" not found! Background Colors not available."
std::string ColorFileMissingMessage(const std::string& path);

// Fills table from the colour file. When no file can be read, tells the user
// so (with a beep) and returns false; the program then runs without colours.
bool LoadBackColors(ColorTable& table, Messages& messages);
bool LoadBackColorsFrom(const std::string& path, ColorTable& table, Messages& messages);

}  // namespace pixdeck
