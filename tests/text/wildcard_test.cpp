#include <gtest/gtest.h>

#include "text/wildcard.h"

namespace pixdeck {
namespace {

TEST(Wildcard, StarAndQuestionMarkIgnoringCase) {
  EXPECT_TRUE(MatchesWildcard("*.gif", "b.GIF"));
  EXPECT_TRUE(MatchesWildcard("*.GIF", "a.gif"));
  EXPECT_TRUE(MatchesWildcard("a?c.jpg", "ABC.jpg"));
  EXPECT_FALSE(MatchesWildcard("a?c.jpg", "ac.jpg"));
  EXPECT_FALSE(MatchesWildcard("*.gif", "a.gif.bak"));
  EXPECT_TRUE(MatchesWildcard("*a*b*", "xxaxxbxx"));
  EXPECT_FALSE(MatchesWildcard("*a*b*", "xxbxxaxx"));
  // Every letter from A to Z folds, and nothing beside them.
  EXPECT_TRUE(MatchesWildcard("*.ZIP", "a.zip"));
  EXPECT_TRUE(MatchesWildcard("A*", "alpha"));
  EXPECT_FALSE(MatchesWildcard("[*", "{a"));
  EXPECT_FALSE(MatchesWildcard("@*", "`a"));
  // Stars at the end match nothing, however many there are.
  EXPECT_TRUE(MatchesWildcard("a**", "a"));
  EXPECT_TRUE(MatchesWildcard("*.gif***", "b.gif"));
}

TEST(Wildcard, BlanksBelongToThePattern) {
  EXPECT_FALSE(MatchesWildcard(" *.jpg", "a.jpg"));
  EXPECT_TRUE(MatchesWildcard(" *.jpg", " a.jpg"));
  EXPECT_FALSE(MatchesWildcard("", "a.jpg"));
}

TEST(Wildcard, WindowsSpecialForms) {
  EXPECT_TRUE(MatchesWildcard("*.*", "README"));
  EXPECT_TRUE(MatchesWildcard("*.*", "."));
  EXPECT_TRUE(MatchesWildcard("*", ".."));
  EXPECT_TRUE(MatchesWildcard("*.", "README"));
  EXPECT_FALSE(MatchesWildcard("*.", "a.gif"));
  EXPECT_FALSE(MatchesWildcard("*.gif", ".."));
}

TEST(Wildcard, QuestionMarkIsOneCharacterNotOneByte) {
  EXPECT_TRUE(MatchesWildcard("?.gif", "\xC3\xA4.gif"));
  EXPECT_TRUE(MatchesWildcard("\xC3\x84*", "\xC3\xA4rger.jpg"))
      << "non-ASCII letters ignore case too";
}

TEST(Wildcard, ANamesStarOrQuestionMarkIsAnOrdinaryCharacter) {
  for (const char* pattern : {"*", "*.gif", "*.*", "*star.gif", "?star.gif", "*s*"}) {
    EXPECT_TRUE(MatchesWildcard(pattern, "*star.gif")) << pattern;
  }
  EXPECT_TRUE(MatchesWildcard("a*.gif", "a*b.gif"));
  EXPECT_TRUE(MatchesWildcard("a*b.gif", "a*b.gif"));
  EXPECT_TRUE(MatchesWildcard("a?b.gif", "a*b.gif"));
  EXPECT_TRUE(MatchesWildcard("*?.gif", "?.gif"));
  EXPECT_FALSE(MatchesWildcard("a*b.gif", "a*c.gif"));
  // A literal pattern only matches its own name, not one whose "*" could stand for it.
  EXPECT_FALSE(MatchesWildcard("abc.gif", "a*.gif"));
  EXPECT_FALSE(MatchesWildcard("a?c.gif", "a*.gif"));
}

TEST(Wildcard, MalformedBytesAreNeverDotsOrStars) {
  // Overlong forms of "." in the name.
  EXPECT_FALSE(MatchesWildcard("*.gif", "x\xC0\xAEgif"));
  EXPECT_FALSE(MatchesWildcard("*.gif", "x\xE0\x80\xAEgif"));
  EXPECT_FALSE(MatchesWildcard("*.gif", "x\xF0\x80\x80\xAEgif"));
  EXPECT_TRUE(MatchesWildcard("*.", "x\xC0\xAEgif")) << "no real dot: a name without extension";
  EXPECT_FALSE(MatchesWildcard("*.", "x\xC0\xAE.gif"));
  // Overlong "*" and "?" in the pattern are characters no name can hold.
  EXPECT_FALSE(MatchesWildcard("\xE0\x80\xAA.gif", "a.gif"));
  EXPECT_FALSE(MatchesWildcard("\xC0\xAA", "anything"));
  EXPECT_FALSE(MatchesWildcard("\xE0\x80\xBF.gif", "a.gif"));
  // A stray byte matches itself and "?", one byte each, and no letter.
  EXPECT_TRUE(MatchesWildcard("caf?.gif", "caf\xE9.gif"));
  EXPECT_TRUE(MatchesWildcard("caf\xE9.gif", "CAF\xE9.GIF"));
  EXPECT_TRUE(MatchesWildcard("caf??.gif", "caf\xC3\x28.gif"));  // truncated: two bytes
  EXPECT_FALSE(MatchesWildcard("caf\xC3\xA9.gif", "caf\xE9.gif"));
  EXPECT_FALSE(MatchesWildcard("caf\xC3\x89.gif", "caf\xE9.gif"));
  EXPECT_FALSE(MatchesWildcard("*\xC3\xA3*", "\xC3x"));
}

TEST(Wildcard, YWithDiaeresisIgnoresCase) {
  EXPECT_TRUE(MatchesWildcard("\xC5\xB8*",
                              "\xC3\xBF"
                              "e.gif"));
  EXPECT_TRUE(MatchesWildcard("\xC3\xBF*",
                              "\xC5\xB8"
                              "E.GIF"));
  EXPECT_FALSE(MatchesWildcard("\xC5\xB9*",
                               "\xC3\xBF"
                               "e.gif"));  // Z acute is another letter
}

}  // namespace
}  // namespace pixdeck
