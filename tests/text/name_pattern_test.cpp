#include "text/name_pattern.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "text/wildcard.h"

namespace pixdeck {
namespace {

std::string RandomText(std::mt19937& random, std::string_view alphabet, std::size_t maxLength) {
  std::uniform_int_distribution<std::size_t> length(0, maxLength);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::string text(length(random), ' ');
  for (char& c : text) {
    c = alphabet[pick(random)];
  }
  return text;
}

TEST(NamePattern, AgreesWithTheGeneralMatcherOnAsciiNames) {
  std::mt19937 random(16);
  int matches = 0;
  for (int round = 0; round < 4000; ++round) {
    // Short texts over few letters, so that many pairs do match.
    const std::string pattern = RandomText(random, "aAb.*? ", 6);
    const NamePattern prepared(pattern);
    for (int k = 0; k < 10; ++k) {
      const std::string name = RandomText(random, "aAbB. ?*", 7);
      const bool expected = MatchesWildcard(pattern, name);
      matches += expected;
      ASSERT_EQ(prepared.Matches(name), expected) << '"' << pattern << "\" / \"" << name << '"';
    }
  }
  EXPECT_GT(matches, 2000) << "too few matching pairs to tell anything";
}

TEST(NamePattern, EndingsIgnoreCaseAndNeedTheWholeTail) {
  const NamePattern gif("*.GIF");
  EXPECT_TRUE(gif.Matches("b.gif"));
  EXPECT_TRUE(gif.Matches(".Gif"));
  EXPECT_FALSE(gif.Matches("gif"));
  EXPECT_FALSE(gif.Matches("a.gif.bak"));
  EXPECT_FALSE(gif.Matches("a.gi"));
  EXPECT_TRUE(NamePattern("*").Matches(".."));
  EXPECT_TRUE(NamePattern("*.*").Matches("README"));
  EXPECT_TRUE(NamePattern("*.").Matches("README"));
  EXPECT_FALSE(NamePattern("*.").Matches("a.gif"));
  EXPECT_TRUE(NamePattern("a*.*").Matches("abc"));
  EXPECT_FALSE(NamePattern("").Matches("a"));
  EXPECT_TRUE(NamePattern("photo ?.JPG").Matches("Photo 1.jpg"));
}

TEST(NamePattern, WildcardsInANameAreOrdinaryCharacters) {
  EXPECT_TRUE(NamePattern("a*b").Matches("a*xb"));
  EXPECT_TRUE(NamePattern("*.gif").Matches("*x.gif"));
  EXPECT_FALSE(NamePattern("a?").Matches("a"));
  EXPECT_TRUE(NamePattern("a?").Matches("a?"));
}

TEST(NamePattern, TextBeyondAsciiGoesByCharacters) {
  // "?" is one character, not one byte; non-ASCII letters ignore case too.
  EXPECT_TRUE(NamePattern("?.gif").Matches("\xC3\xA4.gif"));
  EXPECT_FALSE(NamePattern("??.gif").Matches("\xC3\xA4.gif"));
  EXPECT_TRUE(NamePattern("\xC3\x84*").Matches("\xC3\xA4rger.jpg"));
  EXPECT_TRUE(NamePattern("*.gif").Matches("caf\xC3\xA9.GIF"));
  EXPECT_FALSE(NamePattern("*.gif").Matches("\xC3\xA9.jpg"));
}

TEST(IsAscii, FindsAHighByteAtAnyPlace) {
  for (std::size_t length = 0; length <= 19; ++length) {
    const std::string plain(length, 'x');
    EXPECT_TRUE(IsAscii(plain)) << length;
    for (std::size_t at = 0; at < length; ++at) {
      std::string text = plain;
      text[at] = '\x80';
      EXPECT_FALSE(IsAscii(text)) << length << " at " << at;
      // Only the part that is looked at counts.
      EXPECT_TRUE(IsAscii(std::string_view(text).substr(0, at)));
    }
  }
}

}  // namespace
}  // namespace pixdeck
