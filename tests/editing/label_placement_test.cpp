#include "editing/label_placement.h"

#include <gtest/gtest.h>

namespace pixdeck::editing {
namespace {

TEST(LabelPlacement, EachPositionPutsTheLabelBesideTheBox) {
  const LabelOffsets present{7, 9};
  // A 13-pixel-high label above a box, margin 2: 15 pixels above it.
  EXPECT_EQ(OffsetsFor(lpTop, present, {217, 21}, {66, 13}, 2), (LabelOffsets{0, -15}));
  // A 66-pixel-wide label left of a box, margin 8: at (26, 53) for a box at
  // (100, 50).
  EXPECT_EQ(OffsetsFor(lpLeft, present, {217, 21}, {66, 13}, 8), (LabelOffsets{-74, 3}));
  // Below a box 21 high, margin 2; right of a box 217 wide, margin 8.
  EXPECT_EQ(OffsetsFor(lpBottom, present, {217, 21}, {66, 13}, 2), (LabelOffsets{0, 23}));
  EXPECT_EQ(OffsetsFor(lpRight, present, {217, 21}, {66, 13}, 8), (LabelOffsets{225, 3}));
  // A custom place stays as it was set.
  EXPECT_EQ(OffsetsFor(lpCustom, present, {217, 21}, {66, 13}, 8), present);
}

TEST(LabelPlacement, SideOffsetsFromAWidthOrHalfTheBox) {
  EXPECT_EQ(SideOffsets(40, 217, 8), (LabelOffsets{-48, SideLabelOffset}));
  // No width: half the box's width, truncated.
  EXPECT_EQ(SideOffsets(0, 217, 8), (LabelOffsets{-116, SideLabelOffset}));
}

TEST(LabelPlacement, TheColonIsAddedOnceAndTakenOffOnly) {
  EXPECT_EQ(CaptionWithColon(u"Name", true), u"Name:");
  EXPECT_EQ(CaptionWithColon(u"Name:", true), u"Name:");
  EXPECT_EQ(CaptionWithColon(u"", true), u"");
  EXPECT_EQ(CaptionWithColon(u"Found...", false), u"Found...");
  EXPECT_EQ(TextOfCaption(u"Name:", true), u"Name");
  EXPECT_EQ(TextOfCaption(u"Name", true), u"Name");
  EXPECT_EQ(TextOfCaption(u"Name:", false), u"Name:");
  EXPECT_EQ(TextOfCaption(u"", true), u"");
}

TEST(LabelPlacement, AnAttachedCaptionKeepsColonsOnlyWhenItEndsWithOne) {
  EXPECT_TRUE(CaptionHasColon(u"&Files to Show:"));
  EXPECT_FALSE(CaptionHasColon(u"Found..."));
  EXPECT_FALSE(CaptionHasColon(u"a: b"));
  EXPECT_FALSE(CaptionHasColon(u""));
}

}  // namespace
}  // namespace pixdeck::editing
