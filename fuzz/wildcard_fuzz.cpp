// libFuzzer target for the wildcard matcher. The first byte of the input says
// how long the pattern is; the rest is the name. Checked on every input:
//  - on ASCII the matcher agrees with the small reference matcher below;
//  - with one side ASCII, every non-ASCII character of the other side - a
//    well-formed sequence or a single malformed byte - acts as one character
//    that no ASCII character matches: malformed bytes are never "." or "*";
//  - "*" matches every name, and a name without "*" or "?" matches itself;
//  - the prepared pattern (NamePattern) always agrees with the matcher.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "reference_utf8.h"
#include "text/name_pattern.h"
#include "text/wildcard.h"

namespace {

using pixdeck::fuzz::CharacterLength;

void Check(bool condition) {
  if (!condition)
    std::abort();
}

bool IsAscii(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80)
      return false;
  return true;
}

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

// "*" and "?" over single bytes, ASCII case ignored: a table of which pattern
// prefixes match which name prefixes.
bool ReferenceGlob(std::string_view pattern, std::string_view name) {
  const std::size_t columns = name.size() + 1;
  std::vector<char> match((pattern.size() + 1) * columns, 0);
  match[0] = 1;
  for (std::size_t p = 1; p <= pattern.size(); ++p) {
    const char pc = pattern[p - 1];
    for (std::size_t n = 0; n <= name.size(); ++n) {
      bool m = false;
      if (pc == '*')
        m = match[(p - 1) * columns + n] || (n > 0 && match[p * columns + n - 1]);
      else if (n > 0)
        m = match[(p - 1) * columns + n - 1] && (pc == '?' || Lower(pc) == Lower(name[n - 1]));
      match[p * columns + n] = m;
    }
  }
  return match[pattern.size() * columns + name.size()];
}

// The Windows forms on top: a trailing ".*" may match nothing, and a trailing
// "." also finds names without any dot.
bool Reference(std::string_view pattern, std::string_view name) {
  if (ReferenceGlob(pattern, name))
    return true;
  if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*")
    return ReferenceGlob(pattern.substr(0, pattern.size() - 2), name);
  if (!pattern.empty() && pattern.back() == '.' && name.find('.') == std::string_view::npos)
    return ReferenceGlob(pattern.substr(0, pattern.size() - 1), name);
  return false;
}

// Every non-ASCII character of text replaced by one stand-in byte.
std::string Flattened(std::string_view text, char standIn) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = CharacterLength(text, i);
    out.push_back(static_cast<unsigned char>(text[i]) < 0x80 ? text[i] : standIn);
    i += length;
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0)
    return 0;
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string_view pattern = input.substr(0, std::min<std::size_t>(data[0], input.size()));
  const std::string_view name = input.substr(pattern.size());
  const bool matched = pixdeck::MatchesWildcard(pattern, name);
  // The prepared pattern that the folder search uses gives the same answer.
  Check(pixdeck::NamePattern(pattern).Matches(name) == matched);

  // The stand-in is a byte the other side does not hold, so that it matches
  // only "?" and "*" there.
  constexpr char kStandIn = '\x01';
  if (IsAscii(pattern) && IsAscii(name))
    Check(matched == Reference(pattern, name));
  else if (IsAscii(pattern) && pattern.find(kStandIn) == std::string_view::npos)
    Check(matched == Reference(pattern, Flattened(name, kStandIn)));
  else if (IsAscii(name) && name.find(kStandIn) == std::string_view::npos)
    Check(matched == Reference(Flattened(pattern, kStandIn), name));

  Check(pixdeck::MatchesWildcard("*", name));
  if (name.find_first_of("*?") == std::string_view::npos)
    Check(pixdeck::MatchesWildcard(name, name));
  return 0;
}
