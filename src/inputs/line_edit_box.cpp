#include "inputs/line_edit_box.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "inputs/edit_keys.h"

namespace pixdeck {

LineEditBox::LineEditBox(QWidget* parent) : QLineEdit(parent) {
  connect(this, &QLineEdit::textChanged, this, [this] {
    if (!FWritingText) {
      Change();
    }
  });
  if (parent != nullptr) {
    AttachToMaster();
  }
}

int LineEditBox::SelStart() const {
  return hasSelectedText() ? selectionStart() : cursorPosition();
}

void LineEditBox::SetSelStart(int start) {
  setCursorPosition(start);
}

void LineEditBox::SetSelLength(int length) {
  const int start = SelStart();
  if (length <= 0) {
    setCursorPosition(start);
  } else {
    setSelection(start, length);
  }
}

void LineEditBox::UpdateOverwriteSelection() {
  if (!FOverwriteMode || isReadOnly() || SelLength() != 0) {
    return;
  }
  SetSelLength(1);
  if (GuardsLineBreak()) {
    const QString selected = selectedText();
    if (selected == QLatin1String("\r") || selected == QLatin1String("\n")) {
      SetSelLength(0);
    }
  }
}

void LineEditBox::Loaded() {
  InitAfterLoad();
  FLoaded = true;
}

void LineEditBox::InitAfterLoad() {
  FSavedFontColor.Loaded(*this);
  FUndoBuffer.SetText(text());
  FInternalChange = false;
}

void LineEditBox::SetOverwriteMode(bool value) {
  if (value == FOverwriteMode) {
    return;
  }
  FOverwriteMode = value;
  if (isReadOnly()) {
    return;
  }
  if (value) {
    SetSelLength(1);
    // A line break after the caret is never overwritten.
    if (GuardsLineBreak() &&
        (selectedText() == QLatin1String("\r") || selectedText() == QLatin1String("\n"))) {
      SetSelLength(0);
    }
  } else {
    SetSelLength(0);
  }
}

void LineEditBox::ToggleOverwriteMode() {
  if (FDispatchInsMode && Master() != nullptr) {
    Master()->SetOverwriteMode(!FOverwriteMode);
  } else {
    SetOverwriteMode(!FOverwriteMode);
  }
}

bool LineEditBox::CanClear() const {
  return !isReadOnly() && !text().isEmpty();
}

bool LineEditBox::CanCut() const {
  return !isReadOnly() && SelLength() != 0;
}

bool LineEditBox::CanPaste() const {
  return !isReadOnly() && EditKeys::ClipboardHasText();
}

bool LineEditBox::CanSelectAll() const {
  return SelLength() != text().size();
}

void LineEditBox::DoEdited() {
  if (FOnEdited) {
    FOnEdited(this);
  }
}

void LineEditBox::Change() {
  if (!FInternalChange) {
    DoEdited();
  }
  if (FOnChange) {
    FOnChange(this);
  }
}

void LineEditBox::WriteText(const QString& text) {
  const bool writing = FWritingText;
  FWritingText = true;
  setText(text);
  FWritingText = writing;
}

void LineEditBox::Undo() {
  if (!isModified()) {
    return;
  }
  const bool internal = FInternalChange;
  FInternalChange = true;
  WriteText(FUndoBuffer.GetText());
  FInternalChange = internal;
  if (UndoResetsCaret()) {
    setCursorPosition(0);
  }
  setModified(false);
  Change();
  UpdateOverwriteSelection();
}

void LineEditBox::CutSelection() {
  if (CanCut()) {
    cut();
  }
}

void LineEditBox::CopySelection() {
  copy();
}

void LineEditBox::PasteSelection() {
  if (isReadOnly()) {
    return;
  }
  // The pasted text is inserted, not put over the one selected character.
  if (FOverwriteMode && SelLength() == 1) {
    SetSelLength(0);
  }
  paste();
  UpdateOverwriteSelection();
}

void LineEditBox::DeleteSelection() {
  if (CanCut()) {
    del();
  }
}

void LineEditBox::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool noShift = EditKeys::NoShift(*event);
  if (FPendingKeys.Press(*event, FUndoWhenEsc && isModified())) {
    event->accept();
    return;
  }
  if (FOverwriteMode && SelLength() == 1 && noShift && EditKeys::IsCaretKey(key)) {
    SetSelLength(0);
  }
  if (event->matches(QKeySequence::Paste)) {
    PasteSelection();
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void LineEditBox::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat()) {
    QLineEdit::keyReleaseEvent(event);
    return;
  }
  const int key = event->key();
  const Qt::KeyboardModifiers shift = EditKeys::ShiftState(*event);
  const bool consumed = FPendingKeys.Release(*event, FUndoWhenEsc && isModified(), *this);
  // A selection made with Shift and the caret keys stays as it was made.
  if (!(shift == Qt::ShiftModifier && EditKeys::IsCaretKey(key))) {
    UpdateOverwriteSelection();
  }
  if (consumed) {
    event->accept();
    return;
  }
  QLineEdit::keyReleaseEvent(event);
}

void LineEditBox::mouseReleaseEvent(QMouseEvent* event) {
  QLineEdit::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton) {
    UpdateOverwriteSelection();
  }
}

void LineEditBox::focusOutEvent(QFocusEvent* event) {
  // An Insert or Escape pressed here and released elsewhere is forgotten.
  FPendingKeys.Forget();
  QLineEdit::focusOutEvent(event);
}

void LineEditBox::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    FSavedFontColor.EnabledChanged(*this);
  }
  QLineEdit::changeEvent(event);
}

bool LineEditBox::event(QEvent* event) {
  const bool handled = QLineEdit::event(event);
  if (event->type() == QEvent::ParentChange && parentWidget() != nullptr) {
    AttachToMaster();
  }
  return handled;
}

}  // namespace pixdeck
