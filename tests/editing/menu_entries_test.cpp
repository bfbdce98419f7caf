// The shared menu's rules as every toolkit's menu uses them: texts, places,
// tags, the enabling of the entries and the commands they run.
#include "editing/menu_entries.h"

#include <gtest/gtest.h>

#include <string>

namespace pixdeck::editing {
namespace {

// A box that answers the queries from plain fields and records the commands.
class FakeBox : public MenuTarget {
 public:
  bool IsReadOnly() const override { return readOnly; }
  bool OverwriteMode() const override { return overwrite; }
  bool CanUndo() const override { return modified; }
  bool CanClear() const override { return !readOnly && textLength > 0; }
  bool CanCut() const override { return !readOnly && selLength > 0; }
  bool CanPaste() const override { return !readOnly && clipboard; }
  bool HasSelection() const override { return selLength > 0; }
  bool CanSelectAll() const override { return selLength != textLength; }
  void Undo() override { log += "undo "; }
  void ToggleOverwriteMode() override { log += "toggle "; }
  void CutSelection() override { log += "cut "; }
  void CopySelection() override { log += "copy "; }
  void PasteSelection() override { log += "paste "; }
  void DeleteSelection() override { log += "delete "; }
  void ClearAll() override { log += "clear "; }
  void SelectAllText() override { log += "selectall "; }

  bool readOnly = false;
  bool overwrite = false;
  bool modified = false;
  bool clipboard = true;
  int textLength = 5;
  int selLength = 0;
  std::string log;
};

TEST(MenuEntriesTest, EntriesCarryTheirSuffixesCaptionsAndHints) {
  EXPECT_EQ(EntryTexts(smUndo).suffix, "_Undo");
  EXPECT_EQ(EntryTexts(smUndo).caption, "&Undo");
  EXPECT_EQ(EntryTexts(smOverwrite).hint, "Toggle Insert/Overwrite mode");
  EXPECT_EQ(EntryTexts(smCut).caption, "Cu&t");
  EXPECT_EQ(EntryTexts(smPaste).hint, "Paste text from clipboard to input box");
  EXPECT_EQ(EntryTexts(smClear).caption, "C&lear All");
  EXPECT_EQ(EntryTexts(smSelectAll).suffix, "_SelectAll");
  EXPECT_EQ(EntryTexts(smSelectAll).caption, "Select &All");
  EXPECT_TRUE(IsSeparatorEntry(smBreak1));
  EXPECT_TRUE(IsSeparatorEntry(smBreak2));
  EXPECT_TRUE(EntryTexts(smBreak2).hint.empty());
  EXPECT_FALSE(IsSeparatorEntry(smDelete));
}

TEST(MenuEntriesTest, AnEntryStandsAfterTheShownEntriesBeforeIt) {
  EXPECT_EQ(EntryPosition(TShowMenuSet::All(), smUndo), 0);
  EXPECT_EQ(EntryPosition(TShowMenuSet::All(), smSelectAll), 9);
  const TShowMenuSet copyAndSelectAll{smCopy, smSelectAll};
  EXPECT_EQ(EntryPosition(copyAndSelectAll, smCopy), 0);
  EXPECT_EQ(EntryPosition(copyAndSelectAll, smSelectAll), 1);
  // An entry that is not shown yet goes where it belongs among them.
  EXPECT_EQ(EntryPosition(copyAndSelectAll, smPaste), 1);
}

TEST(MenuEntriesTest, OnlyTheLowByteOfATagNamesAnEntryAndSeparatorsNameNone) {
  TShowMenu entry = smUndo;
  ASSERT_TRUE(EntryOfTag(9, entry));
  EXPECT_EQ(entry, smSelectAll);
  ASSERT_TRUE(EntryOfTag(0x100 + 3, entry));
  EXPECT_EQ(entry, smCut);
  EXPECT_FALSE(EntryOfTag(2, entry));
  EXPECT_FALSE(EntryOfTag(8, entry));
  EXPECT_FALSE(EntryOfTag(10, entry));
  EXPECT_FALSE(EntryOfTag(-1, entry));
}

TEST(MenuEntriesTest, AReadOnlyBoxWithASelectionOffersCopyAndSelectAllOnly) {
  FakeBox box;
  box.readOnly = true;
  box.overwrite = true;
  box.selLength = 2;
  const MenuEntryStates s = BoxEntryStates(box);
  EXPECT_TRUE(s.Enabled(smCopy));
  EXPECT_TRUE(s.Enabled(smSelectAll));
  EXPECT_FALSE(s.Enabled(smCut));
  EXPECT_FALSE(s.Enabled(smDelete));
  EXPECT_FALSE(s.Enabled(smPaste));
  EXPECT_FALSE(s.Enabled(smClear));
  EXPECT_FALSE(s.Enabled(smUndo));
  // Overwrite Mode is disabled but shows the box's mode.
  EXPECT_FALSE(s.Enabled(smOverwrite));
  EXPECT_TRUE(s.setOverwriteCheck);
  EXPECT_TRUE(s.overwriteChecked);
  EXPECT_FALSE(s.Enabled(smBreak1));
}

TEST(MenuEntriesTest, AWritableBoxEnablesByItsOwnQueries) {
  FakeBox box;
  box.modified = true;
  box.selLength = 5;  // all of the text
  box.clipboard = false;
  const MenuEntryStates s = BoxEntryStates(box);
  EXPECT_TRUE(s.Enabled(smUndo));
  EXPECT_TRUE(s.Enabled(smOverwrite));
  EXPECT_FALSE(s.overwriteChecked);
  EXPECT_TRUE(s.Enabled(smCut));
  EXPECT_TRUE(s.Enabled(smDelete));
  EXPECT_FALSE(s.Enabled(smPaste));
  EXPECT_TRUE(s.Enabled(smClear));
  EXPECT_FALSE(s.Enabled(smSelectAll));
}

TEST(MenuEntriesTest, APlatformEditHasNoOverwriteModeAndKeepsItsCheckMark) {
  const MenuEntryStates readOnly = PlainEditEntryStates(false, true, true, true, true);
  EXPECT_FALSE(readOnly.Enabled(smUndo));
  EXPECT_FALSE(readOnly.Enabled(smOverwrite));
  EXPECT_FALSE(readOnly.setOverwriteCheck);
  EXPECT_FALSE(readOnly.Enabled(smCut));
  EXPECT_TRUE(readOnly.Enabled(smCopy));
  EXPECT_FALSE(readOnly.Enabled(smPaste));
  EXPECT_FALSE(readOnly.Enabled(smClear));
  EXPECT_TRUE(readOnly.Enabled(smSelectAll));

  const MenuEntryStates writable = PlainEditEntryStates(true, true, false, false, true);
  EXPECT_TRUE(writable.Enabled(smUndo));
  EXPECT_FALSE(writable.Enabled(smCut));
  EXPECT_FALSE(writable.Enabled(smCopy));
  EXPECT_TRUE(writable.Enabled(smPaste));
  EXPECT_FALSE(writable.Enabled(smClear));
  EXPECT_FALSE(writable.Enabled(smSelectAll));
  EXPECT_FALSE(PlainEditEntryStates(true, true, false, false, false).Enabled(smPaste));
}

TEST(MenuEntriesTest, EachEntryRunsItsOwnCommand) {
  FakeBox box;
  for (int e = 0; e < kShowMenuCount; ++e) {
    RunBoxEntry(box, static_cast<TShowMenu>(e));
  }
  EXPECT_EQ(box.log, "undo toggle cut copy paste delete clear selectall ");
}

}  // namespace
}  // namespace pixdeck::editing
