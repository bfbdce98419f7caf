#include <gtest/gtest.h>

#include "util/wildcard.h"

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

}  // namespace
}  // namespace pixdeck
