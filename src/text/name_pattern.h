// A wildcard pattern prepared once for matching many file names: the same
// results as MatchesWildcard, without decoding and folding the pattern for
// every name, and without decoding at all when both are plain ASCII.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace pixdeck {

class NamePattern {
 public:
  explicit NamePattern(std::string_view pattern);

  bool Matches(std::string_view name) const;
  // The same, for a caller that already knows whether name is plain ASCII.
  bool Matches(std::string_view name, bool nameIsAscii) const {
    if (kind_ == Kind::Suffix && nameIsAscii) {
      return EndsWithFolded(name);
    }
    return MatchesOther(name, nameIsAscii);
  }
  const std::string& Text() const { return pattern_; }

 private:
  enum class Kind {
    General,       // not ASCII: every name goes to MatchesWildcard
    AnyName,       // "*" or "*.*": every name
    Suffix,        // "*" and a tail without wildcards, such as "*.gif"
    AsciiPattern,  // any other ASCII pattern
  };

  bool MatchesOther(std::string_view name, bool nameIsAscii) const;
  bool MatchesAscii(std::string_view name) const;
  // The name ends in folded_, ASCII case ignored.
  bool EndsWithFolded(std::string_view name) const {
    if (name.size() < folded_.size()) {
      return false;
    }
    const char* tail = name.data() + (name.size() - folded_.size());
    for (std::size_t i = 0; i < folded_.size(); ++i) {
      const char c = tail[i];
      if (((c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c) != folded_[i]) {
        return false;
      }
    }
    return true;
  }

  std::string pattern_;  // as given
  std::string folded_;   // ASCII letters in lower case (ASCII kinds only)
  Kind kind_ = Kind::General;
};

// True when every byte of text is ASCII (below 0x80).
inline bool IsAscii(std::string_view text) {
  const char* p = text.data();
  const std::size_t size = text.size();
  if (size < 8) {
    unsigned char any = 0;
    for (std::size_t i = 0; i < size; ++i) {
      any |= static_cast<unsigned char>(p[i]);
    }
    return any < 0x80;
  }
  // Eight bytes at a time, the last eight overlapping what came before.
  std::uint64_t any = 0, word = 0;
  for (std::size_t i = 0; i + 8 <= size; i += 8) {
    std::memcpy(&word, p + i, 8);
    any |= word;
  }
  std::memcpy(&word, p + size - 8, 8);
  any |= word;
  return (any & 0x8080808080808080ULL) == 0;
}

}  // namespace pixdeck
