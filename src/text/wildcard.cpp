#include "text/wildcard.h"

#include <string>

#include "text/utf8.h"

namespace pixdeck {

namespace {

// Classic "*" and "?" matching with backtracking to the last star; linear in
// practice for file-name patterns.
bool Glob(std::u32string_view pattern, std::u32string_view name) {
  std::size_t p = 0, n = 0;
  std::size_t starP = std::u32string_view::npos, starN = 0;
  while (n < name.size()) {
    // The pattern's "*" is looked at first: a "*" in the name is an ordinary
    // character and must not use up the pattern's wildcard.
    if (p < pattern.size() && pattern[p] == U'*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
      ++p, ++n;
    } else if (starP != std::u32string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == U'*') {
    ++p;
  }
  return p == pattern.size();
}

std::u32string Folded(std::string_view text) {
  std::u32string folded = DecodeUtf8(text);
  for (char32_t& c : folded) {
    c = FoldCase(c);
  }
  return folded;
}

}  // namespace

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
  const std::u32string p = Folded(pattern);
  const std::u32string n = Folded(name);
  if (Glob(p, n)) {
    return true;
  }
  // A trailing ".*" may match nothing at all: "*.*" and "a*.*" find "abc".
  if (p.size() >= 2 && p.ends_with(U".*")) {
    return Glob(std::u32string_view(p).substr(0, p.size() - 2), n);
  }
  // A trailing "." stands for "no extension": "*." finds "abc" but not "a.b".
  if (!p.empty() && p.back() == U'.' && n.find(U'.') == std::u32string::npos) {
    return Glob(std::u32string_view(p).substr(0, p.size() - 1), n);
  }
  return false;
}

}  // namespace pixdeck
