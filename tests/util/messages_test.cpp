#include <gtest/gtest.h>

#include "recording_messages.h"
#include "util/messages.h"

namespace pixdeck {
namespace {

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
