#include "catalog/ascii_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "catalog/html_text.h"
#include "util/url.h"

namespace pixdeck {
namespace {

std::string RandomAscii(std::mt19937& random, std::size_t maxLength) {
  std::uniform_int_distribution<std::size_t> length(0, maxLength);
  // Mostly letters, often a byte that some transformation changes.
  std::uniform_int_distribution<int> letter('a', 'z');
  std::uniform_int_distribution<int> any(0, 0x7F);
  std::bernoulli_distribution plain(0.7);
  std::string text(length(random), ' ');
  for (char& c : text) {
    c = static_cast<char>(plain(random) ? letter(random) : any(random));
  }
  return text;
}

TEST(AsciiTextTable, GivesWhatTheTransformationGives) {
  const AsciiTextTable html([](std::string_view text) { return HtmlEscaped(text); });
  const AsciiTextTable posixSource([](std::string_view text) {
    return HtmlEscaped(UrlEncoded(text, PathStyle::Posix, UrlEnds::None));
  });
  const AsciiTextTable windowsSource([](std::string_view text) {
    return HtmlEscaped(UrlEncoded(text, PathStyle::Windows, UrlEnds::None));
  });
  std::mt19937 random(16);
  for (int round = 0; round < 3000; ++round) {
    const std::string text = RandomAscii(random, 24);
    std::string out = "kept ";
    ASSERT_TRUE(html.Append(out, text));
    EXPECT_EQ(out, "kept " + HtmlEscaped(text));
    out.clear();
    ASSERT_TRUE(posixSource.Append(out, text));
    EXPECT_EQ(out, HtmlEscaped(UrlEncoded(text, PathStyle::Posix, UrlEnds::None))) << text;
    out.clear();
    ASSERT_TRUE(windowsSource.Append(out, text));
    EXPECT_EQ(out, HtmlEscaped(UrlEncoded(text, PathStyle::Windows, UrlEnds::None))) << text;
    // Straight into a buffer with room for the longest result.
    std::string buffer(text.size() * posixSource.MaxGrowth() + AsciiTextTable::kSlack, '\0');
    char* end = posixSource.Put(buffer.data(), text);
    EXPECT_EQ(std::string(buffer.data(), end),
              HtmlEscaped(UrlEncoded(text, PathStyle::Posix, UrlEnds::None)));
  }
  EXPECT_EQ(html.MaxGrowth(), std::string("&quot;").size());
}

TEST(AsciiTextTable, ResultsLongerThanEightBytesToo) {
  // Every vowel becomes a ten-byte mark; other bytes stay.
  const auto marked = [](std::string_view text) {
    std::string out;
    for (const char c : text) {
      out += std::string_view("aeiou").find(c) != std::string_view::npos
                 ? "<" + std::string(8, c) + ">"
                 : std::string(1, c);
    }
    return out;
  };
  const AsciiTextTable table(marked);
  EXPECT_EQ(table.MaxGrowth(), 10u);
  std::mt19937 random(16);
  for (int round = 0; round < 500; ++round) {
    const std::string text = RandomAscii(random, 20);
    std::string buffer(text.size() * table.MaxGrowth() + AsciiTextTable::kSlack, '\0');
    EXPECT_EQ(std::string(buffer.data(), table.Put(buffer.data(), text)), marked(text));
    std::string out;
    ASSERT_TRUE(table.Append(out, text));
    EXPECT_EQ(out, marked(text));
  }
}

TEST(AsciiTextTable, LeavesTextBeyondAsciiToTheCaller) {
  const AsciiTextTable html([](std::string_view text) { return HtmlEscaped(text); });
  std::string out = "before";
  EXPECT_FALSE(html.Append(out, "a&b caf\xC3\xA9"));
  EXPECT_EQ(out, "before");
  EXPECT_FALSE(html.Append(out, "\xFF"));
  EXPECT_EQ(out, "before");
  EXPECT_TRUE(html.Keeps('a'));
  EXPECT_TRUE(html.Keeps(' '));
  EXPECT_FALSE(html.Keeps('&'));
  EXPECT_FALSE(html.Keeps(0xC3));
}

}  // namespace
}  // namespace pixdeck
