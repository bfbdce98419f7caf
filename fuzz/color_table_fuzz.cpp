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
#include "reference_utf8.h"

namespace {

using pixdeck::fuzz::CharacterLength;

void Check(bool condition) {
  if (!condition)
    std::abort();
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
