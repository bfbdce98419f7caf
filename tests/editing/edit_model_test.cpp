// The editing rules of every input box, over a fake control that behaves as
// a toolkit's edit control does: user commands mark it modified and report
// their change, program writes report theirs too (the model ignores them).
#include "editing/edit_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace pixdeck::editing {
namespace {

class FakeMaster : public ModeMaster {
 public:
  bool OverwriteMode() const override { return mode; }
  void SetOverwriteMode(bool value) override {
    mode = value;
    ++calls;
  }
  bool mode = false;
  int calls = 0;
};

class FakeControl : public EditControl {
 public:
  Text GetText() const override { return text; }
  void SetText(const Text& value) override {
    text = value;
    start = static_cast<int>(text.size());  // the caret goes to the end
    length = 0;
    Report();
  }
  void RestoreText(const Text& value) override {
    ++restores;
    SetText(value);
  }
  int SelStart() const override { return start; }
  int SelLength() const override { return length; }
  void SetSelection(int newStart, int newLength) override {
    const int size = static_cast<int>(text.size());
    start = std::clamp(newStart, 0, size);
    length = std::clamp(newLength, 0, size - start);
  }
  bool IsReadOnly() const override { return readOnly; }
  bool HasFocus() const override { return focus; }
  bool IsModified() const override { return modified; }
  void SetModified(bool value) override { modified = value; }
  bool ClipboardHasText() const override { return !clipboard.empty(); }
  void Cut() override {
    Copy();
    ClearSelection();
  }
  void Copy() override { clipboard = Selected(); }
  void Paste() override { Type(clipboard); }
  void ClearSelection() override { Type(u""); }
  void EmptyText() override {
    text.clear();
    start = length = 0;
    modified = true;
    Report();
  }
  bool PasteAllowed() override { return pasteAllowed; }
  bool CanUndoOwn() const override { return ownUndoText.has_value(); }
  void UndoOwn() override {
    if (ownUndoText) {
      text = *ownUndoText;
      ownUndoText.reset();
      Report();
    }
  }
  ModeMaster* WindowMaster() const override { return master; }
  void Edited() override { ++edited; }
  void Changed() override { ++changed; }

  // What the user does: typing replaces the selection, as every edit
  // control does.
  void Type(const Text& typed) {
    ownUndoText = text;
    text.replace(start, length, typed);
    start += static_cast<int>(typed.size());
    length = 0;
    modified = true;
    Report();
  }
  Text Selected() const { return text.substr(start, length); }
  void Report() {
    if (model != nullptr) {
      model->TextChanged();
    }
  }

  EditModel* model = nullptr;
  Text text;
  int start = 0;
  int length = 0;
  bool readOnly = false;
  bool focus = true;
  bool modified = false;
  bool pasteAllowed = true;
  Text clipboard;
  std::optional<Text> ownUndoText;
  ModeMaster* master = nullptr;
  int edited = 0;
  int changed = 0;
  int restores = 0;
};

constexpr KeyStroke Alone(Key key) {
  return {key, ShiftState::None};
}

// Presses and releases a key, as a toolkit delivers it; true when the press
// or the release was consumed.
bool Click(EditModel& model, KeyStroke key) {
  const bool pressed = model.KeyDown(key);
  const bool released = model.KeyUp(key);
  return pressed || released;
}

class EditModelTest : public ::testing::Test {
 protected:
  // A control loaded with the text, caret at its end.
  EditModel& Loaded(const Text& text, EditPolicy policy = EditPolicy::SingleLine()) {
    model_.emplace(control, policy);
    control.model = &*model_;
    control.text = text;
    control.start = static_cast<int>(text.size());
    model_->FinishLoading();
    return *model_;
  }

  FakeControl control;
  std::optional<EditModel> model_;
};

// --- undo and the program's writes -------------------------------------------

TEST_F(EditModelTest, UndoAfterSeveralEditsReturnsToTheLoadedTextOnce) {
  EditModel& model = Loaded(u"abc");
  control.Type(u"d");
  control.SetSelection(1, 2);
  control.Type(u"xy");
  EXPECT_EQ(control.text, u"axyd");
  EXPECT_EQ(control.edited, 2);
  model.Undo();
  EXPECT_EQ(control.text, u"abc");
  EXPECT_FALSE(control.modified);
  EXPECT_EQ(control.start, 0);   // the caret goes to the start
  EXPECT_EQ(control.edited, 3);  // once for the undo itself
  EXPECT_EQ(control.changed, 3);
  // Nothing is modified now: a second undo does nothing.
  control.SetSelection(2, 0);
  model.Undo();
  EXPECT_EQ(control.edited, 3);
  EXPECT_EQ(control.start, 2);
}

TEST_F(EditModelTest, EmptyLoadedTextUndoesBackToEmpty) {
  EditModel& model = Loaded(u"");
  control.Type(u"typed");
  model.Undo();
  EXPECT_EQ(control.text, u"");
  EXPECT_FALSE(model.UndoBuffer().HasText());
}

TEST_F(EditModelTest, ProgramWritesAreNoEditsAndBecomeTheUndoText) {
  EditModel& model = Loaded(u"old");
  model.SetInitialText(u"new");
  EXPECT_EQ(control.text, u"new");
  EXPECT_EQ(model.UndoBuffer().GetText(), u"new");
  EXPECT_FALSE(control.modified);
  EXPECT_EQ(control.edited, 0);
  EXPECT_EQ(control.changed, 1);
  EXPECT_EQ(control.start, 0);
  control.Type(u"!");
  model.Undo();
  EXPECT_EQ(control.text, u"new");
  // The present text changes nothing: the user's pending change stays.
  control.SetSelection(3, 0);
  control.Type(u"?");
  model.SetInitialText(u"new?");
  EXPECT_TRUE(control.modified);
  EXPECT_EQ(model.UndoBuffer().GetText(), u"new");
}

TEST_F(EditModelTest, ABoxNeverLoadedReportsNoEdits) {
  model_.emplace(control, EditPolicy::SingleLine());
  control.model = &*model_;
  control.Type(u"a");
  EXPECT_TRUE(model_->InternalChange());
  EXPECT_EQ(control.edited, 0);
  EXPECT_EQ(control.changed, 1);
}

TEST_F(EditModelTest, LeavingInternalChangeWithAPendingEditTakesItAsTheUndoText) {
  EditModel& model = Loaded(u"a");
  model.SetInternalChange(true);
  control.Type(u"b");
  EXPECT_EQ(control.edited, 0);
  model.SetInternalChange(false);
  EXPECT_EQ(model.UndoBuffer().GetText(), u"ab");
  EXPECT_FALSE(control.modified);
}

// --- Escape and Insert ---------------------------------------------------------

TEST_F(EditModelTest, EscapeUndoesOnlyAModifiedBoxThatAsksForIt) {
  EditModel& model = Loaded(u"abc");
  model.SetUndoWhenEsc(true);
  // Nothing changed: the key passes on.
  EXPECT_FALSE(Click(model, Alone(Key::Escape)));
  control.Type(u"d");
  // With Shift or Ctrl held it is no undo.
  EXPECT_FALSE(Click(model, {Key::Escape, ShiftState::Shift}));
  EXPECT_FALSE(Click(model, {Key::Escape, ShiftState::Other}));
  EXPECT_EQ(control.text, u"abcd");
  // Alone, the press is consumed and the release undoes.
  EXPECT_TRUE(model.KeyDown(Alone(Key::Escape)));
  EXPECT_EQ(control.text, u"abcd");
  EXPECT_TRUE(model.KeyUp(Alone(Key::Escape)));
  EXPECT_EQ(control.text, u"abc");
  // Without UndoWhenEsc Escape is the window's.
  control.Type(u"e");
  model.SetUndoWhenEsc(false);
  EXPECT_FALSE(Click(model, Alone(Key::Escape)));
  EXPECT_EQ(control.text, u"eabc");
}

TEST_F(EditModelTest, EscapePressedElsewhereOrBeforeLeavingDoesNotUndo) {
  EditModel& model = Loaded(u"abc");
  model.SetUndoWhenEsc(true);
  control.Type(u"d");
  EXPECT_FALSE(model.KeyUp(Alone(Key::Escape)));  // never pressed here
  ASSERT_TRUE(model.KeyDown(Alone(Key::Escape)));
  model.FocusLost();
  EXPECT_FALSE(model.KeyUp(Alone(Key::Escape)));
  EXPECT_EQ(control.text, u"abcd");
}

TEST_F(EditModelTest, InsertTogglesOnlyWhenPressedAloneInThisBox) {
  EditModel& model = Loaded(u"abc");
  EXPECT_FALSE(Click(model, {Key::Insert, ShiftState::Other}));
  EXPECT_FALSE(Click(model, {Key::Insert, ShiftState::Shift}));
  EXPECT_FALSE(model.OverwriteMode());
  // Pressed while another control had the focus, released here.
  EXPECT_FALSE(model.KeyUp(Alone(Key::Insert)));
  EXPECT_FALSE(model.OverwriteMode());
  // Pressed here, but the focus left before the release.
  model.KeyDown(Alone(Key::Insert));
  model.FocusLost();
  model.KeyUp(Alone(Key::Insert));
  EXPECT_FALSE(model.OverwriteMode());
  // Another key after Insert went down: no toggle either.
  model.KeyDown(Alone(Key::Insert));
  model.KeyDown(Alone(Key::Other));
  model.KeyUp(Alone(Key::Insert));
  EXPECT_FALSE(model.OverwriteMode());
  EXPECT_TRUE(Click(model, Alone(Key::Insert)));
  EXPECT_TRUE(model.OverwriteMode());
  EXPECT_TRUE(Click(model, Alone(Key::Insert)));
  EXPECT_FALSE(model.OverwriteMode());
}

TEST_F(EditModelTest, InsertSwitchesTheWindowThroughTheMasterWhenDispatching) {
  FakeMaster master;
  control.master = &master;
  EditModel& model = Loaded(u"abc");
  Click(model, Alone(Key::Insert));
  EXPECT_TRUE(master.mode);
  EXPECT_EQ(master.calls, 1);
  // The master sets the box's mode; the box does not set it itself.
  EXPECT_FALSE(model.OverwriteMode());
  master.mode = false;
  model.SetDispatchInsMode(false);
  Click(model, Alone(Key::Insert));
  EXPECT_TRUE(model.OverwriteMode());
  EXPECT_EQ(master.calls, 1);
  EXPECT_FALSE(master.mode);
}

// --- overwrite mode ------------------------------------------------------------------

TEST_F(EditModelTest, OverwriteKeepsTheNextCharacterSelectedButNeverALineBreak) {
  EditModel& model = Loaded(u"ab\ncd", EditPolicy::Memo());
  control.SetSelection(0, 0);
  model.SetOverwriteMode(true);
  EXPECT_EQ(control.Selected(), u"a");
  control.Type(u"x");  // replaces the one selected character
  model.KeyUp(Alone(Key::Other));
  EXPECT_EQ(control.text, u"xb\ncd");
  EXPECT_EQ(control.Selected(), u"b");
  // Before the line break nothing is selected, so typing inserts.
  control.SetSelection(2, 0);
  model.UpdateOverwriteSelection();
  EXPECT_EQ(control.length, 0);
  model.SetOverwriteMode(false);
  control.SetSelection(2, 0);
  model.SetOverwriteMode(true);
  EXPECT_EQ(control.length, 0);
  // Every kind of line break counts.
  for (const Text br : {u"\r", u"\u2029", u"\u2028"}) {
    control.text = u"ab" + br + u"c";
    control.SetSelection(2, 0);
    model.UpdateOverwriteSelection();
    EXPECT_EQ(control.length, 0);
  }
  // At the end there is nothing to select.
  control.SetSelection(5, 0);
  model.UpdateOverwriteSelection();
  EXPECT_EQ(control.length, 0);
  // Turning the mode off drops the selection.
  control.SetSelection(0, 0);
  model.UpdateOverwriteSelection();
  ASSERT_EQ(control.length, 1);
  model.SetOverwriteMode(false);
  EXPECT_EQ(control.length, 0);
}

TEST_F(EditModelTest, TheMaskedEditSelectsEvenALineBreak) {
  EditModel& model = Loaded(u"a\nb", EditPolicy::MaskEdit());
  control.SetSelection(1, 0);
  model.SetOverwriteMode(true);
  EXPECT_EQ(control.Selected(), u"\n");
}

TEST_F(EditModelTest, CaretKeysMoveFromTheCaretButShiftedOnesKeepTheUsersSelection) {
  EditModel& model = Loaded(u"abcd");
  control.SetSelection(1, 0);
  model.SetOverwriteMode(true);
  ASSERT_EQ(control.Selected(), u"b");
  // Every caret key drops the selection before the control moves the caret.
  for (const Key key : {Key::Backspace, Key::PageUp, Key::PageDown, Key::End, Key::Home, Key::Left,
                        Key::Up, Key::Right, Key::Down}) {
    control.SetSelection(1, 1);
    EXPECT_FALSE(model.KeyDown(Alone(key)));
    EXPECT_EQ(control.length, 0);
    EXPECT_EQ(control.start, 1);
  }
  // Delete removes the selected character: it keeps the selection.
  control.SetSelection(1, 1);
  model.KeyDown(Alone(Key::Delete));
  EXPECT_EQ(control.length, 1);
  // With Shift held the control extends the selection from it.
  model.KeyDown({Key::Right, ShiftState::Shift});
  EXPECT_EQ(control.length, 1);
  control.SetSelection(1, 2);  // as the control extended it
  model.KeyUp({Key::Right, ShiftState::Shift});
  EXPECT_EQ(control.Selected(), u"bc");
  // A plain Right moves one character (the control's part), then the next
  // one is selected when the key comes up.
  model.KeyDown(Alone(Key::Right));
  control.SetSelection(2, 0);
  model.KeyUp(Alone(Key::Right));
  EXPECT_EQ(control.Selected(), u"c");
  // A click places the caret; the release selects the next character.
  control.SetSelection(3, 0);
  model.MouseUp();
  EXPECT_EQ(control.Selected(), u"d");
  // Shift with a key that moves no caret selects the next character as
  // usual.
  control.SetSelection(0, 0);
  model.KeyUp({Key::Other, ShiftState::Shift});
  EXPECT_EQ(control.Selected(), u"a");
}

TEST_F(EditModelTest, PasteInOverwriteModeInsertsBeforeTheSelectedCharacter) {
  EditModel& model = Loaded(u"abc");
  control.clipboard = u"XY";
  control.SetSelection(1, 0);
  model.SetOverwriteMode(true);
  model.PasteSelection();
  EXPECT_EQ(control.text, u"aXYbc");
  EXPECT_EQ(control.Selected(), u"b");
  // A refused paste changes nothing but keeps the overwrite selection.
  control.pasteAllowed = false;
  model.PasteSelection();
  EXPECT_EQ(control.text, u"aXYbc");
  EXPECT_EQ(control.Selected(), u"b");
  // A read-only box takes no paste.
  control.pasteAllowed = true;
  control.readOnly = true;
  model.PasteSelection();
  EXPECT_EQ(control.text, u"aXYbc");
}

TEST_F(EditModelTest, AReadOnlyBoxStoresTheModeButSelectsNothing) {
  control.readOnly = true;
  EditModel& model = Loaded(u"abc");
  control.SetSelection(1, 0);
  model.SetOverwriteMode(true);
  EXPECT_TRUE(model.OverwriteMode());
  EXPECT_EQ(control.length, 0);
  model.KeyUp(Alone(Key::Other));
  model.MouseUp();
  EXPECT_EQ(control.length, 0);
}

// --- menu commands and queries -----------------------------------------------------

TEST_F(EditModelTest, EnablingQueriesFollowTheSelectionTextAndReadOnlyState) {
  EditModel& model = Loaded(u"abc");
  control.SetSelection(1, 0);
  EXPECT_TRUE(model.CanClear());
  EXPECT_FALSE(model.CanCut());
  EXPECT_FALSE(model.HasSelection());
  EXPECT_FALSE(model.CanPaste());  // nothing on the clipboard
  EXPECT_TRUE(model.CanSelectAll());
  EXPECT_FALSE(model.CanUndo());
  control.SetSelection(1, 1);
  control.clipboard = u"x";
  EXPECT_TRUE(model.CanCut());
  EXPECT_TRUE(model.HasSelection());
  EXPECT_TRUE(model.CanPaste());
  control.SetSelection(0, 3);
  EXPECT_FALSE(model.CanSelectAll());
  control.readOnly = true;
  EXPECT_FALSE(model.CanClear());
  EXPECT_FALSE(model.CanCut());
  EXPECT_FALSE(model.CanPaste());
  EXPECT_TRUE(model.HasSelection());
  control.readOnly = false;
  control.text.clear();
  control.SetSelection(0, 0);
  EXPECT_FALSE(model.CanClear());
  EXPECT_FALSE(model.CanSelectAll());
  control.Type(u"a");
  EXPECT_TRUE(model.CanUndo());
}

TEST_F(EditModelTest, CutDeleteAndClearAllAreUndoableEdits) {
  EditModel& model = Loaded(u"abcd");
  control.SetSelection(1, 2);
  model.CutSelection();
  EXPECT_EQ(control.text, u"ad");
  EXPECT_EQ(control.clipboard, u"bc");
  control.SetSelection(0, 1);
  model.DeleteSelection();
  EXPECT_EQ(control.text, u"d");
  model.CopySelection();
  EXPECT_EQ(control.clipboard, u"");
  model.ClearAll();
  EXPECT_EQ(control.text, u"");
  EXPECT_TRUE(control.modified);
  EXPECT_EQ(control.edited, 3);
  model.Undo();
  EXPECT_EQ(control.text, u"abcd");
  // Nothing to cut, delete or clear: nothing happens.
  control.SetSelection(1, 0);
  model.CutSelection();
  model.DeleteSelection();
  EXPECT_EQ(control.text, u"abcd");
  control.readOnly = true;
  model.ClearAll();
  EXPECT_EQ(control.text, u"abcd");
}

TEST_F(EditModelTest, ClearAllWhileTheProgramWritesLeavesTheBoxUnmodified) {
  EditModel& model = Loaded(u"abc");
  model.SetInternalChange(true);
  model.ClearAll();
  EXPECT_EQ(control.text, u"");
  EXPECT_FALSE(control.modified);
  EXPECT_EQ(control.edited, 0);
}

// --- the policies of the memo and the combo box --------------------------------------

TEST_F(EditModelTest, ControlUndoUsesTheControlsOwnUndoAndForgetsTheUndoText) {
  EditModel& model = Loaded(u"abc", EditPolicy::Memo());
  model.SetControlUndo(true);
  EXPECT_FALSE(model.UndoBuffer().HasText());
  EXPECT_FALSE(model.CanUndo());
  control.Type(u"d");
  control.Type(u"e");
  EXPECT_TRUE(model.CanUndo());
  model.Undo();
  EXPECT_EQ(control.text, u"abcd");  // the last operation only
  EXPECT_EQ(control.edited, 3);
  control.readOnly = true;
  control.ownUndoText = u"x";
  EXPECT_FALSE(model.CanUndo());
}

TEST_F(EditModelTest, TheComboBoxUndoesInTwoStepsAndRestoresThroughTheControl) {
  EditModel& model = Loaded(u"abc", EditPolicy::ComboEdit());
  control.Type(u"d");
  control.SetSelection(2, 0);
  model.Undo();
  EXPECT_EQ(control.restores, 1);
  EXPECT_EQ(control.text, u"abc");
  // The caret stays where the restore put it, and the box stays modified
  // until an undo finds the undo text in place.
  EXPECT_EQ(control.start, 3);
  EXPECT_TRUE(control.modified);
  model.Undo();
  EXPECT_FALSE(control.modified);
  EXPECT_EQ(control.restores, 1);
  EXPECT_EQ(control.edited, 2);
}

TEST_F(EditModelTest, TheComboBoxChangesItsSelectionOnlyWithTheFocus) {
  EditModel& model = Loaded(u"abc", EditPolicy::ComboEdit());
  control.focus = false;
  control.SetSelection(1, 0);
  model.SetOverwriteMode(true);
  EXPECT_EQ(control.length, 0);
  model.MouseUp();  // the click that brings the focus
  EXPECT_EQ(control.Selected(), u"b");
  control.focus = true;
  model.SetOverwriteMode(false);
  EXPECT_EQ(control.length, 0);
}

TEST_F(EditModelTest, AReadOnlyComboBoxSwallowsTheKeysThatDeleteOrStepThroughTheList) {
  EditModel& model = Loaded(u"abc", EditPolicy::ComboEdit());
  for (const Key key : {Key::Backspace, Key::Delete, Key::Up, Key::Down, Key::Clear, Key::Select}) {
    EXPECT_FALSE(model.SwallowKey(Alone(key)));
  }
  control.readOnly = true;
  for (const Key key : {Key::Backspace, Key::Delete, Key::Up, Key::Down, Key::Clear, Key::Select}) {
    EXPECT_TRUE(model.SwallowKey(Alone(key)));
  }
  EXPECT_FALSE(model.SwallowKey(Alone(Key::Left)));
  EXPECT_FALSE(model.SwallowKey(Alone(Key::Other)));
  // A swallowed key forgets an Insert pressed before it.
  model.KeyDown(Alone(Key::Insert));
  model.SwallowKey(Alone(Key::Delete));
  model.KeyUp(Alone(Key::Insert));
  EXPECT_FALSE(model.OverwriteMode());
  // An edit lets the control refuse them itself.
  EditModel& edit = Loaded(u"abc", EditPolicy::SingleLine());
  EXPECT_FALSE(edit.SwallowKey(Alone(Key::Backspace)));
}

}  // namespace
}  // namespace pixdeck::editing
