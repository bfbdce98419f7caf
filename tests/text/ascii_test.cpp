#include "text/ascii.h"

#include <gtest/gtest.h>

namespace pixdeck {
namespace {

TEST(AsciiText, CaseIsIgnoredForAsciiLettersOnly) {
  EXPECT_TRUE(EqualsNoCaseAscii("Options", "OPTIONS"));
  EXPECT_FALSE(EqualsNoCaseAscii("Options", "Option"));
  // The bytes next to the letters are no letters: "@" is not "`", "[" not "{".
  EXPECT_FALSE(EqualsNoCaseAscii("@[", "`{"));
  // UTF-8 letters keep their case: "Ä" (C3 84) is not "ä" (C3 A4).
  EXPECT_FALSE(EqualsNoCaseAscii("\xC3\x84", "\xC3\xA4"));
  EXPECT_EQ(UpperAscii("mixed \xC3\xA4 Text"), "MIXED \xC3\xA4 TEXT");
  EXPECT_EQ(LowerAscii('Q'), 'q');
  EXPECT_EQ(LowerAscii('\xC4'), '\xC4');
}

TEST(AsciiText, PrefixesCompareWithoutCase) {
  EXPECT_TRUE(StartsWithNoCaseAscii("Software\\Pixdeck\\Options", "SOFTWARE\\pixdeck"));
  EXPECT_TRUE(StartsWithNoCaseAscii("abc", ""));
  EXPECT_FALSE(StartsWithNoCaseAscii("ab", "abc"));
  EXPECT_FALSE(StartsWithNoCaseAscii("xabc", "abc"));
}

TEST(AsciiText, TrimmingTakesTheAsciiBlanksAtBothEndsOnly) {
  EXPECT_EQ(TrimAscii(" \t\r\n\v\fkey = value\f\v\n\r\t "), "key = value");
  EXPECT_EQ(TrimAscii(" \t "), "");
  EXPECT_EQ(TrimAscii(""), "");
  // A no-break space (C2 A0) is no ASCII blank and stays.
  EXPECT_EQ(TrimAscii("\xC2\xA0x\xC2\xA0"), "\xC2\xA0x\xC2\xA0");
}

}  // namespace
}  // namespace pixdeck
