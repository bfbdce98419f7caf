// The combo box's editing: keys, clipboard, undo, overwrite mode, read-only
// state, loading and the master.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include "inputs/edit_keys.h"
#include "inputs/model_events.h"
#include "inputs/qel_combo_box.h"

namespace pixdeck {

namespace {

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

QString TQelComboBox::UndoText() const {
  return edit_keys::FromText(edit_.UndoBuffer().GetText());
}

// --- the edit part as the model's control ------------------------------------------

editing::Text TQelComboBox::EditPart::GetText() const {
  return edit_keys::ToText(box_.Text());
}

void TQelComboBox::EditPart::SetText(const editing::Text& text) {
  box_.SetText(edit_keys::FromText(text));
}

void TQelComboBox::EditPart::RestoreText(const editing::Text& text) {
  box_.ApplyText(edit_keys::FromText(text));
}

bool TQelComboBox::EditPart::ClipboardHasText() const {
  return edit_keys::ClipboardHasText();
}

void TQelComboBox::EditPart::Cut() {
  box_.lineEdit()->cut();
}

void TQelComboBox::EditPart::Copy() {
  box_.lineEdit()->copy();
}

void TQelComboBox::EditPart::Paste() {
  box_.lineEdit()->paste();
}

void TQelComboBox::EditPart::ClearSelection() {
  box_.lineEdit()->del();
}

void TQelComboBox::EditPart::EmptyText() {
  box_.lineEdit()->clear();
}

bool TQelComboBox::EditPart::PasteAllowed() {
  bool accept = true;
  if (box_.FOnPaste) {
    box_.FOnPaste(&box_, accept);
  }
  return accept;
}

// --- mode, state and queries ----------------------------------------------------

void TQelComboBox::SetReadOnly(bool value) {
  if (value == FReadOnly) {
    return;
  }
  FReadOnly = value;
  lineEdit()->setReadOnly(value);
}

// --- clipboard and deletion ----------------------------------------------------------

void TQelComboBox::CopySelection() {
  if (HasSelection()) {
    QApplication::clipboard()->setText(SelText());
  }
}

void TQelComboBox::DeleteSelection() {
  combo_.DeleteSelection();
}

void TQelComboBox::CutSelection() {
  CopySelection();
  DeleteSelection();
}

void TQelComboBox::ClearText() {
  combo_.ClearText();
}

void TQelComboBox::PasteText() {
  combo_.PasteText(edit_keys::ToText(QApplication::clipboard()->text()));
}

// --- loading ------------------------------------------------------------------------

void TQelComboBox::Loaded() {
  InitAfterLoad();
}

void TQelComboBox::InitAfterLoad() {
  combo_.Loaded();
  if (SelLength() > 0 && !hasFocus()) {
    SetSelLength(0);
  }
  FSavedFontColor.Loaded(*this);
  edit_.FinishLoading();
  combo_.RememberText();
}

// --- keys, focus and events -----------------------------------------------------------

void TQelComboBox::keyPressEvent(QKeyEvent* event) {
  const editing::KeyStroke stroke = edit_keys::StrokeOf(*event);
  if (edit_.SwallowKey(stroke)) {
    event->accept();
    return;
  }
  combo_.KeyPressed(IsDeletingKey(*event));
  if (model_events::KeyPress(edit_, *this, *event)) {
    return;
  }
  const int key = event->key();
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
      stroke.shift == editing::ShiftState::None) {
    // Enter checks the text against the list without leaving the box, then
    // goes on to the window (its default button) with the text it took. A
    // refused text is restored and the key ends here.
    if (CommitText() && combo_.Refused()) {
      event->accept();
      return;
    }
  }
  QComboBox::keyPressEvent(event);
}

void TQelComboBox::keyReleaseEvent(QKeyEvent* event) {
  if (!model_events::KeyRelease(edit_, *event)) {
    QComboBox::keyReleaseEvent(event);
  }
}

void TQelComboBox::focusOutEvent(QFocusEvent* event) {
  edit_.FocusLost();
  const Qt::FocusReason reason = event->reason();
  // Leaving the box for another control validates the text; a popup (the
  // list, a menu) or another window does not.
  if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
    combo_.FocusLeft();
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
  FollowParent(*event, *this);
  return handled;
}

bool TQelComboBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lineEdit() && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    // The click places the caret first; then the next character is selected.
    const bool handled = lineEdit()->event(event);
    edit_.MouseUp();
    return handled;
  }
  return QComboBox::eventFilter(watched, event);
}

}  // namespace pixdeck
