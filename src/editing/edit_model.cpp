#include "editing/edit_model.h"

namespace pixdeck::editing {

bool IsCaretKey(Key key) {
  switch (key) {
    case Key::Backspace:
    case Key::PageUp:
    case Key::PageDown:
    case Key::End:
    case Key::Home:
    case Key::Left:
    case Key::Up:
    case Key::Right:
    case Key::Down:
      return true;
    default:
      return false;
  }
}

namespace {

bool IsLineBreak(char16_t c) {
  return c == u'\r' || c == u'\n' || c == u'\u2028' || c == u'\u2029';
}

// Keys that would delete or step through the list of a read-only combo box.
bool IsReadOnlyBlockedKey(Key key) {
  switch (key) {
    case Key::Backspace:
    case Key::Clear:
    case Key::Up:
    case Key::Down:
    case Key::Select:
    case Key::Delete:
      return true;
    default:
      return false;
  }
}

}  // namespace

template <typename Write>
void EditModel::Writing(Write write) {
  const bool writing = writing_;
  writing_ = true;
  write();
  writing_ = writing;
}

void EditModel::SetControlUndo(bool value) {
  if (value == controlUndo_) {
    return;
  }
  controlUndo_ = value;
  if (value) {
    FUndoBuffer.Clear();
  }
}

void EditModel::SetSelLength(int length) {
  control_.SetSelection(control_.SelStart(), length < 0 ? 0 : length);
}

bool EditModel::LineBreakSelected() const {
  if (control_.SelLength() != 1) {
    return false;
  }
  const Text text = control_.GetText();
  const auto at = static_cast<size_t>(control_.SelStart());
  return at < text.size() && IsLineBreak(text[at]);
}

void EditModel::UpdateOverwriteSelection() {
  if (!overwriteMode_ || control_.IsReadOnly() || control_.SelLength() != 0) {
    return;
  }
  SetSelLength(1);
  if (policy_.guardLineBreak && LineBreakSelected()) {
    SetSelLength(0);
  }
}

void EditModel::SetOverwriteMode(bool value) {
  if (value == overwriteMode_) {
    return;
  }
  overwriteMode_ = value;
  if (control_.IsReadOnly() || (policy_.modeNeedsFocus && !control_.HasFocus())) {
    return;
  }
  SetSelLength(value ? 1 : 0);
  // A line break after the caret is never overwritten.
  if (value && policy_.guardLineBreak && LineBreakSelected()) {
    SetSelLength(0);
  }
}

void EditModel::ToggleOverwriteMode() {
  ModeMaster* master = control_.WindowMaster();
  if (dispatchInsMode_ && master != nullptr) {
    master->SetOverwriteMode(!overwriteMode_);
  } else {
    SetOverwriteMode(!overwriteMode_);
  }
}

void EditModel::SetInternalChange(bool value) {
  if (value == FInternalChange) {
    return;
  }
  if (FInternalChange && control_.IsModified()) {
    FUndoBuffer.SetText(control_.GetText());
    control_.SetModified(false);
  }
  FInternalChange = value;
}

void EditModel::FinishLoading() {
  if (!controlUndo_) {
    FUndoBuffer.SetText(control_.GetText());
  }
  FInternalChange = false;
}

void EditModel::SetInitialText(const Text& text) {
  if (control_.GetText() == text) {
    return;
  }
  const bool internal = FInternalChange;
  SetInternalChange(true);
  ReplaceText(text);
  SetInternalChange(internal);
}

void EditModel::ReplaceText(const Text& text) {
  if (control_.GetText() == text) {
    return;
  }
  Writing([&] { control_.SetText(text); });
  control_.SetModified(true);
  control_.SetSelection(0, 0);
  Change();
}

void EditModel::TextChanged() {
  if (!writing_) {
    Change();
  }
}

void EditModel::Change() {
  if (!FInternalChange) {
    control_.Edited();
  }
  control_.Changed();
}

bool EditModel::SwallowKey(KeyStroke key) {
  if (!policy_.readOnlySwallowsEditKeys || !control_.IsReadOnly() ||
      !IsReadOnlyBlockedKey(key.key)) {
    return false;
  }
  FocusLost();
  return true;
}

bool EditModel::KeyDown(KeyStroke key) {
  const bool alone = key.shift == ShiftState::None;
  FInsertDown = key.key == Key::Insert && alone;
  escapeDown_ = key.key == Key::Escape && alone && undoWhenEsc_ && control_.IsModified();
  if (escapeDown_) {
    // Consumed, so that the window does not take it as Cancel.
    return true;
  }
  if (overwriteMode_ && control_.SelLength() == 1 && alone && IsCaretKey(key.key)) {
    SetSelLength(0);
  }
  return false;
}

bool EditModel::KeyUp(KeyStroke key) {
  bool used = false;
  if (key.shift == ShiftState::None) {
    if (key.key == Key::Escape) {
      used = escapeDown_ && undoWhenEsc_ && control_.IsModified();
      escapeDown_ = false;
      if (used) {
        Undo();
      }
    } else if (key.key == Key::Insert && FInsertDown) {
      FInsertDown = false;
      ToggleOverwriteMode();
      used = true;
    }
  }
  // A selection made with Shift and the caret keys stays as it was made.
  if (!(key.shift == ShiftState::Shift && IsCaretKey(key.key))) {
    UpdateOverwriteSelection();
  }
  return used;
}

void EditModel::Undo() {
  if (controlUndo_) {
    Writing([&] { control_.UndoOwn(); });
    Change();
    UpdateOverwriteSelection();
    return;
  }
  if (!control_.IsModified()) {
    return;
  }
  const Text undoText = FUndoBuffer.GetText();
  if (!policy_.undoClearsModified && control_.GetText() == undoText) {
    control_.SetModified(false);
    return;
  }
  const bool internal = FInternalChange;
  FInternalChange = true;
  Writing([&] { control_.RestoreText(undoText); });
  FInternalChange = internal;
  if (policy_.undoMovesCaretHome) {
    control_.SetSelection(0, 0);
  }
  if (policy_.undoClearsModified) {
    control_.SetModified(false);
  }
  Change();
  UpdateOverwriteSelection();
}

void EditModel::CutSelection() {
  if (CanCut()) {
    control_.Cut();
  }
}

void EditModel::PasteSelection() {
  // A read-only box keeps no overwrite selection and takes no paste.
  if (control_.IsReadOnly()) {
    return;
  }
  // The pasted text is inserted, not put over the one selected character.
  if (overwriteMode_ && control_.SelLength() == 1) {
    SetSelLength(0);
  }
  if (control_.PasteAllowed()) {
    control_.Paste();
  }
  UpdateOverwriteSelection();
}

void EditModel::DeleteSelection() {
  if (CanCut()) {
    control_.ClearSelection();
  }
}

void EditModel::ClearAll() {
  if (!CanClear()) {
    return;
  }
  control_.EmptyText();
  control_.SetModified(!FInternalChange);
}

bool EditModel::CanUndo() const {
  if (controlUndo_) {
    return !control_.IsReadOnly() && control_.CanUndoOwn();
  }
  return control_.IsModified();
}

bool EditModel::CanSelectAll() const {
  return static_cast<size_t>(control_.SelLength()) != control_.GetText().size();
}

}  // namespace pixdeck::editing
