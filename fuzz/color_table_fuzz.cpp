// libFuzzer target for the colour-table reader. Any input must load without a
// crash and give exactly the entries that the small reference reader below
// finds: one per line with an "=" after at least one character, the name
// before it, the code the first six characters after it, where a well-formed
// UTF-8 sequence is one character and is never cut, and any other byte is one
// on its own. Lines end at CR LF, CR or LF, a NUL ends the text, and a UTF-8
// byte-order mark at the start belongs to no name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/color_table.h"

namespace {

void Check(bool condition) {
  if (!condition)
    std::abort();
}

// Length of the character at text[i]: a well-formed UTF-8 sequence, else one
// byte on its own.
std::size_t CharacterLength(std::string_view text, std::size_t i) {
  const auto at = [&](std::size_t k) {
    return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0;
  };
  const auto in = [](unsigned char b, unsigned char low, unsigned char high) {
    return b >= low && b <= high;
  };
  const unsigned char b = at(0);
  if (b < 0x80)
    return 1;
  if (in(b, 0xC2, 0xDF) && in(at(1), 0x80, 0xBF))
    return 2;
  const unsigned char low = b == 0xE0 ? 0xA0 : 0x80, high = b == 0xED ? 0x9F : 0xBF;
  if (in(b, 0xE0, 0xEF) && in(at(1), low, high) && in(at(2), 0x80, 0xBF))
    return 3;
  const unsigned char low4 = b == 0xF0 ? 0x90 : 0x80, high4 = b == 0xF4 ? 0x8F : 0xBF;
  if (in(b, 0xF0, 0xF4) && in(at(1), low4, high4) && in(at(2), 0x80, 0xBF) && in(at(3), 0x80, 0xBF))
    return 4;
  return 1;
}

std::vector<pixdeck::ColorEntry> ReferenceEntries(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  if (text.substr(0, 3) == "\xEF\xBB\xBF")
    text.remove_prefix(3);
  std::vector<pixdeck::ColorEntry> entries;
  std::string line;
  const auto take = [&] {
    const std::size_t equals = line.find('=');
    if (equals != std::string::npos && equals > 0) {
      const std::string rest = line.substr(equals + 1);
      std::size_t end = 0;
      for (int n = 0; n < 6 && end < rest.size(); ++n)
        end += CharacterLength(rest, end);
      entries.push_back({line.substr(0, equals), rest.substr(0, end)});
    }
    line.clear();
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      take();
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
        ++i;
    } else {
      line.push_back(text[i]);
    }
  }
  take();
  return entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  pixdeck::ColorTable table;
  table.AddFromText(text);
  const std::vector<pixdeck::ColorEntry> expected = ReferenceEntries(text);
  const std::vector<pixdeck::ColorEntry>& entries = table.Entries();
  Check(entries.size() == expected.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    Check(entries[i].name == expected[i].name);
    Check(entries[i].code == expected[i].code);
    Check(table.HasName(entries[i].name));
  }
  return 0;
}
