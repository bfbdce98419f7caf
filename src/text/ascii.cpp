#include "text/ascii.h"

#include <algorithm>

namespace pixdeck {

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) { return UpperAscii(c); });
  return upper;
}

bool EqualsNoCaseAscii(std::string_view a, std::string_view b) {
  return a.size() == b.size() && StartsWithNoCaseAscii(a, b);
}

bool StartsWithNoCaseAscii(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(),
                    [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

std::string_view TrimAscii(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kAsciiBlanks);
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(kAsciiBlanks) - first + 1);
}

}  // namespace pixdeck
