// The combo box's editing: keys, clipboard, undo, overwrite mode, read-only
// state, loading and the master.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include "inputs/edit_keys.h"
#include "inputs/qel_combo_box.h"

namespace pixdeck {

namespace {

// Keys that a read-only box swallows: they would delete or step through
// the list.
bool IsReadOnlyBlockedKey(int key) {
  switch (key) {
    case Qt::Key_Backspace:
    case Qt::Key_Clear:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Select:
    case Qt::Key_Delete:
      return true;
    default:
      return false;
  }
}

bool IsDeletingKey(const QKeyEvent& event) {
  const int key = event.key();
  return key == Qt::Key_Backspace || key == Qt::Key_Clear || key == Qt::Key_Delete ||
         event.matches(QKeySequence::Cut);
}

}  // namespace

// --- selection of the edit part -----------------------------------------------

int TQelComboBox::SelStart() const {
  const QLineEdit* edit = lineEdit();
  return edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
}

int TQelComboBox::SelLength() const {
  return lineEdit()->selectionLength();
}

QString TQelComboBox::SelText() const {
  return lineEdit()->selectedText();
}

void TQelComboBox::SetSelStart(int start) {
  lineEdit()->setCursorPosition(start);
}

void TQelComboBox::SetSelLength(int length) {
  SetEditSelection(SelStart(), length);
}

void TQelComboBox::SetEditSelection(int start, int length) {
  if (length <= 0) {
    lineEdit()->setCursorPosition(start);
  } else {
    lineEdit()->setSelection(start, length);
  }
}

void TQelComboBox::SelectAllText() {
  lineEdit()->selectAll();
}

void TQelComboBox::UpdateOverwriteSelection() {
  if (FOverwriteMode && !FReadOnly && SelLength() == 0) {
    SetSelLength(1);
  }
}

// --- mode, state and queries ----------------------------------------------------

void TQelComboBox::SetOverwriteMode(bool value) {
  if (value == FOverwriteMode) {
    return;
  }
  FOverwriteMode = value;
  // A box without the focus keeps its selection; the next click or key
  // applies the mode.
  if (hasFocus() && !FReadOnly) {
    SetSelLength(value ? 1 : 0);
  }
}

void TQelComboBox::ToggleOverwriteMode() {
  if (FDispatchInsMode && Master() != nullptr) {
    Master()->SetOverwriteMode(!FOverwriteMode);
  } else {
    SetOverwriteMode(!FOverwriteMode);
  }
}

void TQelComboBox::SetReadOnly(bool value) {
  if (value == FReadOnly) {
    return;
  }
  FReadOnly = value;
  lineEdit()->setReadOnly(value);
}

bool TQelComboBox::CanClear() const {
  return !FReadOnly && !Text().isEmpty();
}

bool TQelComboBox::CanCut() const {
  return !FReadOnly && SelLength() != 0;
}

bool TQelComboBox::CanPaste() const {
  return !FReadOnly && EditKeys::ClipboardHasText();
}

bool TQelComboBox::CanSelectAll() const {
  return SelLength() != Text().size();
}

// --- undo, clipboard and deletion -------------------------------------------------

void TQelComboBox::Undo() {
  if (!FModified) {
    return;
  }
  const QString undoText = FUndoBuffer.GetText();
  if (Text() == undoText) {
    FModified = false;
    return;
  }
  const bool internal = FInternalChange;
  FInternalChange = true;
  ApplyText(undoText);
  FInternalChange = internal;
  Change();
  UpdateOverwriteSelection();
}

void TQelComboBox::CopySelection() {
  if (HasSelection()) {
    QApplication::clipboard()->setText(SelText());
  }
}

void TQelComboBox::DeleteSelection() {
  if (!CanClear()) {
    return;
  }
  const int start = SelStart();
  QString text = Text();
  text.remove(start, SelLength());
  FNoAutoExpand = true;
  SetText(text);
  SetSelStart(start);
  FModified = true;
  Change();
}

void TQelComboBox::CutSelection() {
  CopySelection();
  DeleteSelection();
}

void TQelComboBox::ClearText() {
  if (!CanClear()) {
    return;
  }
  FNoAutoExpand = true;
  SetText(QString());
  FModified = true;
  Change();
}

void TQelComboBox::PasteText() {
  if (!CanPaste()) {
    return;
  }
  const QString text = Text();
  const int start = SelStart();
  const QString pasted = QApplication::clipboard()->text();
  FNoAutoExpand = false;
  SetText(text.left(start) + pasted + text.mid(start + SelLength()));
  SetSelStart(start + static_cast<int>(pasted.size()));
  FModified = true;
  Change();
}

void TQelComboBox::PasteSelection() {
  // The pasted text is inserted, not put over the one selected character.
  if (FOverwriteMode && SelLength() == 1) {
    SetSelLength(0);
  }
  bool accept = true;
  if (FOnPaste) {
    FOnPaste(this, accept);
  }
  if (accept && !FReadOnly) {
    lineEdit()->paste();
  }
  UpdateOverwriteSelection();
}

// --- loading ------------------------------------------------------------------------

void TQelComboBox::Loaded() {
  InitAfterLoad();
}

void TQelComboBox::InitAfterLoad() {
  if (!FAllowNull && count() > 0 && ItemIndex() == -1) {
    SelectItem(0);
  }
  if (SelLength() > 0 && !hasFocus()) {
    SetSelLength(0);
  }
  FSavedFontColor.Loaded(*this);
  FUndoBuffer.SetText(Text());
  RememberText();
  FInternalChange = false;
}

// --- keys, focus and events -----------------------------------------------------------

void TQelComboBox::TextEdited() {
  Change();
  RememberText();
}

void TQelComboBox::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool noShift = EditKeys::NoShift(*event);
  if (FReadOnly && IsReadOnlyBlockedKey(key)) {
    FPendingKeys.Forget();
    event->accept();
    return;
  }
  FNoAutoExpand = IsDeletingKey(*event);
  if (FPendingKeys.Press(*event, FUndoWhenEsc && FModified)) {
    event->accept();
    return;
  }
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && noShift) {
    // Enter checks the text against the list without leaving the box, then
    // goes on to the window (its default button) with the text it took. A
    // refused text is restored and the key ends here.
    if (CommitText() && FRefused) {
      event->accept();
      return;
    }
  }
  if (FOverwriteMode && SelLength() == 1 && noShift && EditKeys::IsCaretKey(key)) {
    SetSelLength(0);
  }
  if (event->matches(QKeySequence::Paste)) {
    PasteSelection();
    event->accept();
    return;
  }
  QComboBox::keyPressEvent(event);
}

void TQelComboBox::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat()) {
    QComboBox::keyReleaseEvent(event);
    return;
  }
  const int key = event->key();
  const Qt::KeyboardModifiers shift = EditKeys::ShiftState(*event);
  const bool consumed = FPendingKeys.Release(*event, FUndoWhenEsc && FModified, *this);
  if (consumed) {
    event->accept();
  } else {
    QComboBox::keyReleaseEvent(event);
  }
  // A selection made with Shift and the caret keys stays as it was made.
  if (!(shift == Qt::ShiftModifier && EditKeys::IsCaretKey(key))) {
    UpdateOverwriteSelection();
  }
}

void TQelComboBox::focusOutEvent(QFocusEvent* event) {
  FPendingKeys.Forget();
  const Qt::FocusReason reason = event->reason();
  // Leaving the box for another control validates the text; a popup (the
  // list, a menu) or another window does not.
  if (FModified && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
    ValidateText(static_cast<bool>(FOnNotInList));
  }
  QComboBox::focusOutEvent(event);
}

void TQelComboBox::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    FSavedFontColor.EnabledChanged(*this);
  }
  QComboBox::changeEvent(event);
}

bool TQelComboBox::event(QEvent* event) {
  const bool handled = QComboBox::event(event);
  if (event->type() == QEvent::ParentChange && parentWidget() != nullptr) {
    AttachToMaster();
  }
  return handled;
}

bool TQelComboBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lineEdit() && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    // The click places the caret first; then the next character is selected.
    const bool handled = lineEdit()->event(event);
    UpdateOverwriteSelection();
    return handled;
  }
  return QComboBox::eventFilter(watched, event);
}

}  // namespace pixdeck
