#include "inputs/qel_memo.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>

#include "inputs/edit_keys.h"

namespace pixdeck {

namespace {

bool IsLineBreak(const QString& text) {
  return text == QString(QChar::ParagraphSeparator) || text == QString(QChar::LineSeparator) ||
         text == QLatin1String("\r") || text == QLatin1String("\n");
}

}  // namespace

TQelMemo::TQelMemo(QWidget* parent) : QPlainTextEdit(parent) {
  connect(this, &QPlainTextEdit::textChanged, this, [this] { Change(); });
  if (parent != nullptr) {
    AttachToMaster();
  }
}

void TQelMemo::SetWindowsUndo(bool value) {
  if (value == FWindowsUndo) {
    return;
  }
  FWindowsUndo = value;
  if (value) {
    FUndoBuffer.Clear();
  }
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

void TQelMemo::SetSelLength(int length) {
  QTextCursor cursor = textCursor();
  const int start = cursor.selectionStart();
  const int last = document()->characterCount() - 1;  // after the final character
  cursor.setPosition(start);
  if (length > 0) {
    cursor.setPosition(std::min(start + length, last), QTextCursor::KeepAnchor);
  }
  setTextCursor(cursor);
}

void TQelMemo::MoveCaretTo(int position) {
  if (SelStart() != position) {
    SetSelStart(position);
    DoCursorMove();
  }
}

bool TQelMemo::LineBreakSelected() const {
  return IsLineBreak(SelText());
}

void TQelMemo::UpdateOverwriteSelection() {
  if (!FOverwriteMode || isReadOnly() || SelLength() != 0) {
    return;
  }
  SetSelLength(1);
  if (LineBreakSelected()) {
    SetSelLength(0);
  }
}

void TQelMemo::Loaded() {
  InitAfterLoad();
}

void TQelMemo::InitAfterLoad() {
  FSavedFontColor.Loaded(*this);
  const QString text = toPlainText();
  if (!text.isEmpty()) {
    if (!FWindowsUndo) {
      FUndoBuffer.AssignChars(text);
    }
    SetSelLength(0);
    MoveCaretTo(0);
    SetModified(false);
    DoCursorMove();
  }
  FInternalChange = false;
}

void TQelMemo::SetOverwriteMode(bool value) {
  if (value == FOverwriteMode) {
    return;
  }
  FOverwriteMode = value;
  if (isReadOnly()) {
    return;
  }
  SetSelLength(value ? 1 : 0);
  // A line break after the caret is never overwritten.
  if (value && LineBreakSelected()) {
    SetSelLength(0);
  }
}

void TQelMemo::ToggleOverwriteMode() {
  if (FDispatchInsMode && Master() != nullptr) {
    Master()->SetOverwriteMode(!FOverwriteMode);
  } else {
    SetOverwriteMode(!FOverwriteMode);
  }
}

bool TQelMemo::CanUndo() const {
  if (!FWindowsUndo) {
    return IsModified();
  }
  return !isReadOnly() && document()->isUndoAvailable();
}

bool TQelMemo::CanClear() const {
  return !isReadOnly() && !document()->isEmpty();
}

bool TQelMemo::CanCut() const {
  return !isReadOnly() && SelLength() != 0;
}

bool TQelMemo::CanPaste() const {
  return !isReadOnly() && EditKeys::ClipboardHasText();
}

bool TQelMemo::CanSelectAll() const {
  return SelLength() != toPlainText().size();
}

void TQelMemo::DoEdited() {
  if (FOnEdited) {
    FOnEdited(this);
  }
}

void TQelMemo::DoCursorMove() {
  if (FOnCursorMove) {
    FOnCursorMove(this);
  }
}

void TQelMemo::Change() {
  if (FInUndo) {
    return;
  }
  if (!FInternalChange) {
    DoEdited();
  }
  if (FOnChange) {
    FOnChange(this);
  }
}

void TQelMemo::Undo() {
  const bool inUndo = FInUndo;
  if (FWindowsUndo) {
    FInUndo = true;
    undo();
    FInUndo = inUndo;
    Change();
    UpdateOverwriteSelection();
    return;
  }
  if (!IsModified()) {
    return;
  }
  const int caretBefore = SelStart();
  FInUndo = true;
  if (FUndoBuffer.HasText()) {
    setPlainText(FUndoBuffer.GetText());
  } else {
    clear();
  }
  SetModified(false);
  FInUndo = inUndo;
  SetSelLength(0);
  if (SelStart() > 0) {
    MoveCaretTo(0);
  } else if (caretBefore > 0) {
    DoCursorMove();
  }
  Change();
  UpdateOverwriteSelection();
}

void TQelMemo::CutSelection() {
  if (CanCut()) {
    cut();
  }
}

void TQelMemo::PasteSelection() {
  if (isReadOnly()) {
    return;
  }
  // The pasted text is inserted, not put over the one selected character.
  if (FOverwriteMode && SelLength() == 1) {
    SetSelLength(0);
  }
  paste();
  UpdateOverwriteSelection();
  DoCursorMove();
}

void TQelMemo::DeleteSelection() {
  if (CanCut()) {
    textCursor().removeSelectedText();
  }
}

void TQelMemo::ClearAll() {
  if (!CanClear()) {
    return;
  }
  MoveCaretTo(0);
  clear();
  SetModified(!FInternalChange);
  Change();
}

void TQelMemo::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool noShift = EditKeys::NoShift(*event);
  if (FPendingKeys.Press(*event, FUndoWhenEsc && IsModified())) {
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
  QPlainTextEdit::keyPressEvent(event);
}

void TQelMemo::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat()) {
    QPlainTextEdit::keyReleaseEvent(event);
    return;
  }
  const int key = event->key();
  const Qt::KeyboardModifiers shift = EditKeys::ShiftState(*event);
  const bool consumed = FPendingKeys.Release(*event, FUndoWhenEsc && IsModified(), *this);
  if (!(shift == Qt::ShiftModifier && EditKeys::IsCaretKey(key))) {
    UpdateOverwriteSelection();
  }
  if (consumed) {
    event->accept();
  } else {
    QPlainTextEdit::keyReleaseEvent(event);
  }
  DoCursorMove();
}

void TQelMemo::mouseReleaseEvent(QMouseEvent* event) {
  QPlainTextEdit::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton) {
    UpdateOverwriteSelection();
  }
  DoCursorMove();
}

void TQelMemo::focusOutEvent(QFocusEvent* event) {
  FPendingKeys.Forget();
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
  if (event->type() == QEvent::ParentChange && parentWidget() != nullptr) {
    AttachToMaster();
  }
  return handled;
}

}  // namespace pixdeck
