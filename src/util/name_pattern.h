// A wildcard pattern prepared once for matching many file names: the same
// results as MatchesWildcard, without decoding and folding the pattern for
// every name, and without decoding at all when both are plain ASCII.
#pragma once

#include <string>
#include <string_view>

namespace pixdeck {

class NamePattern {
 public:
  explicit NamePattern(std::string_view pattern);

  bool Matches(std::string_view name) const;
  // The same, for a caller that already knows whether name is plain ASCII.
  bool Matches(std::string_view name, bool nameIsAscii) const;
  const std::string& Text() const { return pattern_; }

 private:
  enum class Kind {
    General,       // not ASCII: every name goes to MatchesWildcard
    AnyName,       // "*" or "*.*": every name
    Suffix,        // "*" and a tail without wildcards, such as "*.gif"
    AsciiPattern,  // any other ASCII pattern
  };

  bool MatchesAscii(std::string_view name) const;

  std::string pattern_;  // as given
  std::string folded_;   // ASCII letters in lower case (ASCII kinds only)
  Kind kind_ = Kind::General;
};

// True when every byte of text is ASCII (below 0x80).
bool IsAscii(std::string_view text);

}  // namespace pixdeck
