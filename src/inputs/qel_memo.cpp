#include "inputs/qel_memo.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>

#include "inputs/edit_keys.h"
#include "inputs/model_events.h"

namespace pixdeck {

TQelMemo::TQelMemo(QWidget* parent)
    : QPlainTextEdit(parent), model_(*this, editing::EditPolicy::Memo()) {
  connect(this, &QPlainTextEdit::textChanged, this, [this] { model_.TextChanged(); });
  if (parent != nullptr) {
    AttachToMaster();
  }
}

QString TQelMemo::UndoText() const {
  return edit_keys::FromText(model_.UndoBuffer().GetText());
}

bool TQelMemo::IsModified() const {
  return document()->isModified();
}

void TQelMemo::SetModified(bool value) {
  document()->setModified(value);
}

int TQelMemo::SelStart() const {
  return textCursor().selectionStart();
}

int TQelMemo::SelLength() const {
  const QTextCursor cursor = textCursor();
  return cursor.selectionEnd() - cursor.selectionStart();
}

QString TQelMemo::SelText() const {
  return textCursor().selectedText();
}

void TQelMemo::SetSelStart(int start) {
  QTextCursor cursor = textCursor();
  cursor.setPosition(std::clamp(start, 0, document()->characterCount() - 1));
  setTextCursor(cursor);
}

void TQelMemo::SetSelection(int start, int length) {
  QTextCursor cursor = textCursor();
  const int last = document()->characterCount() - 1;  // after the final character
  start = std::clamp(start, 0, last);
  cursor.setPosition(start);
  if (length > 0) {
    cursor.setPosition(std::min(start + length, last), QTextCursor::KeepAnchor);
  }
  setTextCursor(cursor);
}

editing::Text TQelMemo::GetText() const {
  return edit_keys::ToText(toPlainText());
}

void TQelMemo::SetText(const editing::Text& text) {
  setPlainText(edit_keys::FromText(text));
}

bool TQelMemo::ClipboardHasText() const {
  return edit_keys::ClipboardHasText();
}

void TQelMemo::ClearSelection() {
  textCursor().removeSelectedText();
}

bool TQelMemo::CanUndoOwn() const {
  return document()->isUndoAvailable();
}

void TQelMemo::MoveCaretTo(int position) {
  if (SelStart() != position) {
    SetSelStart(position);
    DoCursorMove();
  }
}

void TQelMemo::Loaded() {
  InitAfterLoad();
}

void TQelMemo::InitAfterLoad() {
  FSavedFontColor.Loaded(*this);
  if (!toPlainText().isEmpty()) {
    SetSelLength(0);
    MoveCaretTo(0);
    SetModified(false);
    DoCursorMove();
  }
  model_.FinishLoading();
}

void TQelMemo::DoEdited() {
  if (onEdited_) {
    onEdited_(this);
  }
}

void TQelMemo::DoCursorMove() {
  if (onCursorMove_) {
    onCursorMove_(this);
  }
}

void TQelMemo::Changed() {
  if (onChange_) {
    onChange_(this);
  }
}

void TQelMemo::Undo() {
  // The undo text puts the caret at the start: a caret that was elsewhere
  // moved.
  const bool movesCaret = !WindowsUndo() && IsModified() && SelStart() > 0;
  model_.Undo();
  if (movesCaret) {
    DoCursorMove();
  }
}

void TQelMemo::PasteSelection() {
  if (isReadOnly()) {
    return;
  }
  model_.PasteSelection();
  DoCursorMove();
}

void TQelMemo::ClearAll() {
  if (!CanClear()) {
    return;
  }
  MoveCaretTo(0);
  model_.ClearAll();
  model_.Change();
}

void TQelMemo::keyPressEvent(QKeyEvent* event) {
  if (!model_events::KeyPress(model_, *this, *event)) {
    QPlainTextEdit::keyPressEvent(event);
  }
}

void TQelMemo::keyReleaseEvent(QKeyEvent* event) {
  const bool repeated = event->isAutoRepeat();
  if (!model_events::KeyRelease(model_, *event)) {
    QPlainTextEdit::keyReleaseEvent(event);
  }
  if (!repeated) {
    DoCursorMove();
  }
}

void TQelMemo::mouseReleaseEvent(QMouseEvent* event) {
  QPlainTextEdit::mouseReleaseEvent(event);
  model_events::MouseRelease(model_, *event);
  DoCursorMove();
}

void TQelMemo::focusOutEvent(QFocusEvent* event) {
  model_.FocusLost();
  QPlainTextEdit::focusOutEvent(event);
}

void TQelMemo::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    FSavedFontColor.EnabledChanged(*this);
  }
  QPlainTextEdit::changeEvent(event);
}

bool TQelMemo::event(QEvent* event) {
  const bool handled = QPlainTextEdit::event(event);
  FollowParent(*event, *this);
  return handled;
}

}  // namespace pixdeck
