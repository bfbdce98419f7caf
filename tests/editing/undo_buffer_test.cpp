#include "editing/undo_buffer.h"

#include <gtest/gtest.h>

namespace pixdeck::editing {
namespace {

TEST(UndoBuffer, KeepsEmptyTextAsNoneOrEmptyCopyBothReadingEmpty) {
  TUndoBuffer buffer;
  EXPECT_FALSE(buffer.HasText());
  EXPECT_EQ(buffer.GetText(), u"");
  buffer.SetText(u"abc");
  EXPECT_TRUE(buffer.HasText());
  EXPECT_EQ(buffer.GetText(), u"abc");
  buffer.SetText(u"");
  EXPECT_FALSE(buffer.HasText());
  EXPECT_EQ(buffer.GetText(), u"");
  buffer.AssignChars(std::u16string());
  EXPECT_TRUE(buffer.HasText());
  EXPECT_EQ(buffer.GetText(), u"");
  buffer.AssignChars(std::nullopt);
  EXPECT_FALSE(buffer.HasText());
  buffer.AssignChars(u"line");
  EXPECT_EQ(buffer.GetText(), u"line");
  buffer.Clear();
  EXPECT_FALSE(buffer.HasText());
  EXPECT_EQ(buffer.GetText(), u"");
}

}  // namespace
}  // namespace pixdeck::editing
