#include "catalog/html_text.h"

#include <gtest/gtest.h>

#include <string>

namespace pixdeck {
namespace {

TEST(HtmlText, MarkupCharactersBecomeReferences) {
  EXPECT_EQ(HtmlEscaped("a \"b\" & <c>.gif"), "a &quot;b&quot; &amp; &lt;c&gt;.gif");
  EXPECT_EQ(HtmlEscaped("plain 'text' = 1"), "plain 'text' = 1");
  EXPECT_EQ(HtmlEscaped(""), "");
}

TEST(HtmlText, ControlCharactersShowAsTheirPictures) {
  EXPECT_EQ(HtmlEscaped("a\nb"), "a\u240Ab");
  EXPECT_EQ(HtmlEscaped("\r\t\x1B"), "\u240D\u2409\u241B");
  EXPECT_EQ(HtmlEscaped(std::string("\0\x1F\x7F", 3)), "\u2400\u241F\u2421");
}

TEST(HtmlText, BytesThatAreNotUtf8BecomeReplacementCharacters) {
  EXPECT_EQ(HtmlEscaped("caf\xE9.gif"), "caf\uFFFD.gif");
  EXPECT_EQ(HtmlEscaped("x\xC0\xAEgif"), "x\uFFFD\uFFFDgif");
  EXPECT_EQ(HtmlEscaped("\xED\xA0\x80"), "\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(HtmlEscaped("\xE2\x82<"), "\uFFFD\uFFFD&lt;");
  EXPECT_EQ(HtmlEscaped("\xF4\x90\x80\x80"), "\uFFFD\uFFFD\uFFFD\uFFFD");
  // Well-formed text of every length passes unchanged, also beside a bad byte.
  EXPECT_EQ(HtmlEscaped("\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80"),
            "\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80");
  EXPECT_EQ(HtmlEscaped("\xFF\xC3\xA9\xFF"), "\uFFFD\xC3\xA9\uFFFD");
}

TEST(HtmlText, AppendsToWhatIsThere) {
  std::string out = "<P>";
  AppendHtmlEscaped(out, "&\n");
  EXPECT_EQ(out, "<P>&amp;\u240A");
}

}  // namespace
}  // namespace pixdeck
