#include "text/name_pattern.h"

#include "text/ascii.h"
#include "text/wildcard.h"

namespace pixdeck {

namespace {

// "*" and "?" over ASCII text whose pattern is already in lower case; a "*"
// or "?" in the name is an ordinary character.
bool GlobAscii(std::string_view pattern, std::string_view name) {
  std::size_t p = 0, n = 0;
  std::size_t starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == LowerAscii(name[n]))) {
      ++p, ++n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') {
    ++p;
  }
  return p == pattern.size();
}

}  // namespace

NamePattern::NamePattern(std::string_view pattern) : pattern_(pattern) {
  if (!IsAscii(pattern)) {
    return;
  }
  folded_.reserve(pattern.size());
  for (const char c : pattern) {
    folded_.push_back(LowerAscii(c));
  }
  if (folded_ == "*" || folded_ == "*.*") {
    kind_ = Kind::AnyName;
  } else if (folded_.size() > 1 && folded_[0] == '*' &&
             folded_.find_first_of("*?", 1) == std::string::npos && folded_.back() != '.') {
    // A tail ending in "." would also match names without any dot.
    kind_ = Kind::Suffix;
    folded_.erase(0, 1);
  } else {
    kind_ = Kind::AsciiPattern;
  }
}

bool NamePattern::Matches(std::string_view name) const {
  return Matches(name, IsAscii(name));
}

bool NamePattern::MatchesOther(std::string_view name, bool nameIsAscii) const {
  if (kind_ == Kind::General || !nameIsAscii) {
    return MatchesWildcard(pattern_, name);
  }
  switch (kind_) {
    case Kind::AnyName:
      return true;
    case Kind::Suffix:
      return EndsWithFolded(name);
    default:
      return MatchesAscii(name);
  }
}

bool NamePattern::MatchesAscii(std::string_view name) const {
  const std::string_view p = folded_;
  if (GlobAscii(p, name)) {
    return true;
  }
  // A trailing ".*" may match nothing at all: "a*.*" finds "abc".
  if (p.size() >= 2 && p.ends_with(".*")) {
    return GlobAscii(p.substr(0, p.size() - 2), name);
  }
  // A trailing "." stands for "no extension": "*." finds "abc" but not "a.b".
  if (!p.empty() && p.back() == '.' && name.find('.') == std::string_view::npos) {
    return GlobAscii(p.substr(0, p.size() - 1), name);
  }
  return false;
}

}  // namespace pixdeck
