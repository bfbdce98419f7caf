// libFuzzer target for the INI reader and writer. Any input must parse without
// a crash, render back stably, and survive a write into one section and the
// erasure of another without a single value of the other sections changing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "settings/ini_text.h"

namespace {

using pixdeck::IniText;
using Values = std::map<std::pair<std::string, std::string>, std::string>;

void Check(bool condition) {
  if (!condition)
    std::abort();
}

// Every value the document answers for the sections and keys it holds.
Values AllValues(const IniText& ini) {
  Values values;
  for (const std::string& section : ini.SectionNames())
    for (const std::string& key : ini.KeyNames(section))
      values[{section, key}] = ini.Find(section, key).value_or("<none>");
  return values;
}

bool SameNameAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const char x = (a[i] >= 'A' && a[i] <= 'Z') ? static_cast<char>(a[i] + 32) : a[i];
    const char y = (b[i] >= 'A' && b[i] <= 'Z') ? static_cast<char>(b[i] + 32) : b[i];
    if (x != y)
      return false;
  }
  return true;
}

// The values outside section must be what they were.
void CheckOthersKept(const Values& before, const IniText& after, const std::string& section) {
  for (const auto& [where, value] : before) {
    if (SameNameAscii(where.first, section))
      continue;
    Check(after.Find(where.first, where.second).value_or("<none>") == value);
  }
}

std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\r' || c == '\n')
      c = ' ';
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const IniText ini(text);
  const std::string rendered = ini.Render();
  Check(IniText(rendered).Render() == rendered);
  const Values before = AllValues(ini);

  // A value made of the input's last bytes, written into a new section.
  const std::string value(text.substr(size > 40 ? size - 40 : 0));
  std::string fresh = "PixdeckFuzz";
  while (ini.HasSection(fresh))
    fresh += '_';
  IniText added(rendered);
  added.Write(fresh, "Key", value);
  const IniText addedReread(added.Render());
  Check(addedReread.Find(fresh, "Key") == OneLine(value));
  CheckOthersKept(before, addedReread, fresh);

  const auto sections = ini.SectionNames();
  if (!sections.empty()) {
    const std::string& first = sections.front();
    // Rewriting a key of an existing section keeps every other section.
    if (first.find('\r') == std::string::npos) {
      IniText changed(rendered);
      changed.Write(first, "Key", value);
      const IniText changedReread(changed.Render());
      Check(changedReread.Find(first, "Key") == OneLine(value));
      CheckOthersKept(before, changedReread, first);
    }
    IniText erased(rendered);
    erased.EraseSection(first);
    const IniText erasedReread(erased.Render());
    Check(!erasedReread.HasSection(first));
    CheckOthersKept(before, erasedReread, first);
  }
  return 0;
}
