#include <gtest/gtest.h>

#include <clocale>

#include "platform/collate.h"
#include "recording_messages.h"
#include "util/messages.h"
#include "util/utf8.h"

namespace pixdeck {
namespace {

TEST(Utf8, RoundTripsAndKeepsStrayBytes) {
  const std::string text = "a\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80";
  EXPECT_EQ(DecodeUtf8(text), (std::u32string{U'a', 0xE4, 0x20AC, 0x1F600}));
  EXPECT_EQ(EncodeUtf8(DecodeUtf8(text)), text);
  EXPECT_EQ(DecodeUtf8("\xFF\xC3"), (std::u32string{0xFF, 0xC3}));
}

TEST(LocaleCompare, IgnoresCase) {
  EXPECT_EQ(platform::CompareTextLocale("Gray", "GRAY"), 0);
  EXPECT_LT(platform::CompareTextLocale("A.jpg", "b.GIF"), 0);
  EXPECT_GT(platform::CompareTextLocale("c.gif", "B.GIF"), 0);
  EXPECT_EQ(platform::CompareTextLocale("\xC3\x84rger", "\xC3\xA4RGER"), 0);
}

TEST(Messages, InfoAndErrorBeepAndCleanTabs) {
  test::RecordingMessages sink;
  ShowInfo(sink, "No files found!", true);
  ShowInfo(sink, "quiet", false);
  ShowError(sink, "a\tb");
  ASSERT_EQ(sink.shown.size(), 3u);
  EXPECT_EQ(sink.defaultBeeps, 1);
  EXPECT_EQ(sink.warningBeeps, 1);
  EXPECT_EQ(sink.shown[0].kind, MessageKind::Information);
  EXPECT_EQ(sink.shown[2].text, "a b");
  EXPECT_EQ(sink.shown[2].kind, MessageKind::Error);
}

}  // namespace
}  // namespace pixdeck
