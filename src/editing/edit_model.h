// The editing model that every input box layers over its text control: a
// single-level undo back to the undo text, the user's edits told apart from
// the program's writes, Escape as undo, an emulated overwrite mode switched by
// the Insert key (for the whole window through the master), the enabling
// queries of the context menu, and Clear All. Positions are the control's:
// UTF-16 code units (see edit_control.h).
#pragma once

#include "editing/edit_control.h"
#include "editing/undo_buffer.h"

namespace pixdeck::editing {

// What differs between the single-line box, the memo, the masked edit and the
// combo box's edit part.
struct EditPolicy {
  // In overwrite mode a line break after the caret is never selected.
  bool guardLineBreak = true;
  // Undo puts the caret at the start of the text.
  bool undoMovesCaretHome = true;
  // Undo clears the modified flag. Without it (the combo box) an undo that
  // finds the undo text already in place clears it instead.
  bool undoClearsModified = true;
  // Overwrite mode changes the selection only while the box has the focus;
  // a box without it waits for the next click or key.
  bool modeNeedsFocus = false;
  // A read-only box swallows the keys that would delete or step through a
  // list: Backspace, Delete, Clear, Select, Up and Down.
  bool readOnlySwallowsEditKeys = false;

  static EditPolicy SingleLine() { return {}; }
  // The mask formats what Undo writes and may hold any character.
  static EditPolicy MaskEdit() { return {.guardLineBreak = false, .undoMovesCaretHome = false}; }
  static EditPolicy Memo() { return {}; }
  static EditPolicy ComboEdit() {
    return {.guardLineBreak = false,
            .undoMovesCaretHome = false,
            .undoClearsModified = false,
            .modeNeedsFocus = true,
            .readOnlySwallowsEditKeys = true};
  }
};

class EditModel {
 public:
  EditModel(EditControl& control, EditPolicy policy) : control_(control), policy_(policy) {}
  EditModel(const EditModel&) = delete;
  EditModel& operator=(const EditModel&) = delete;

  // --- properties -------------------------------------------------------------
  bool OverwriteMode() const { return overwriteMode_; }
  // Stores the mode and, unless the box is read-only, selects the character
  // after the caret (on) or nothing (off).
  void SetOverwriteMode(bool value);
  bool DispatchInsMode() const { return dispatchInsMode_; }
  void SetDispatchInsMode(bool value) { dispatchInsMode_ = value; }
  bool UndoWhenEsc() const { return undoWhenEsc_; }
  void SetUndoWhenEsc(bool value) { undoWhenEsc_ = value; }
  // Undo is the control's own last-operation undo (the memo's WindowsUndo);
  // turning it on forgets the undo text.
  bool ControlUndo() const { return controlUndo_; }
  void SetControlUndo(bool value);

  // --- the undo text and the program's writes -----------------------------------
  TUndoBuffer& UndoBuffer() { return FUndoBuffer; }
  const TUndoBuffer& UndoBuffer() const { return FUndoBuffer; }
  // The text is the program's own while this is set: changes fire no
  // OnEdited. Set from construction until FinishLoading.
  bool InternalChange() const { return FInternalChange; }
  // Leaving it with a pending modification makes the present text the undo
  // text and clears the modified flag.
  void SetInternalChange(bool value);
  // The end of loading: the present text becomes the undo text (unless the
  // control's own undo is used) and edits count from here on.
  void FinishLoading();
  // Writes the text as the program's own: a different text becomes both the
  // text and the undo text, the box is not modified. The present text
  // changes nothing, so a pending change of the user's stays.
  void SetInitialText(const Text& text);
  // Sets a different text as a modification, caret at the start.
  void ReplaceText(const Text& text);

  // --- notifications from the control ----------------------------------------------
  // The control's text changed (by the user, or by a write of the model's).
  void TextChanged();
  // Before the control handles a pressed key; true: the key is consumed.
  bool KeyDown(KeyStroke key);
  // On a key's release (not an auto-repeat); true: the key was used.
  bool KeyUp(KeyStroke key);
  // Before KeyDown: true for a key that a read-only combo box swallows
  // whole; the pending keys are then forgotten.
  bool SwallowKey(KeyStroke key);
  // The left mouse button came up over the control.
  void MouseUp() { UpdateOverwriteSelection(); }
  // The box lost the focus: an Insert or Escape pressed here and released
  // elsewhere is forgotten.
  void FocusLost() { FInsertDown = escapeDown_ = false; }

  // --- commands ----------------------------------------------------------------------
  // Back to the undo text when the box is modified (or the control's own undo).
  void Undo();
  // The Insert key and the menu's entry: through the master when
  // DispatchInsMode is on and the box has one.
  void ToggleOverwriteMode();
  // Selects the character after the caret when in overwrite mode.
  void UpdateOverwriteSelection();
  void CutSelection();
  void CopySelection() { control_.Copy(); }
  // Inserts the clipboard text even in overwrite mode.
  void PasteSelection();
  void DeleteSelection();
  // Clear All: an edit unless the program is writing.
  void ClearAll();
  // Reports a change of the text: OnEdited unless the program is writing,
  // then OnChange.
  void Change();

  // --- enabling queries of the context menu --------------------------------------------
  bool CanUndo() const;
  bool CanClear() const { return !control_.IsReadOnly() && !control_.GetText().empty(); }
  bool CanCut() const { return !control_.IsReadOnly() && control_.SelLength() != 0; }
  bool CanPaste() const { return !control_.IsReadOnly() && control_.ClipboardHasText(); }
  bool HasSelection() const { return control_.SelLength() != 0; }
  bool CanSelectAll() const;

 private:
  // Keeps the selection's start and sets its length.
  void SetSelLength(int length);
  bool LineBreakSelected() const;
  // A write of the model's own, whose change report is ignored.
  template <typename Write>
  void Writing(Write write);

  EditControl& control_;
  EditPolicy policy_;
  TUndoBuffer FUndoBuffer;
  bool FInternalChange = true;
  // The last key press was Insert alone.
  bool FInsertDown = false;
  // The last key press was Escape alone, in a box that it would undo.
  bool escapeDown_ = false;
  bool writing_ = false;
  bool overwriteMode_ = false;
  bool dispatchInsMode_ = true;
  bool undoWhenEsc_ = false;
  bool controlUndo_ = false;
};

}  // namespace pixdeck::editing
