#include "inputs/line_edit_box.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "inputs/edit_keys.h"
#include "inputs/model_events.h"

namespace pixdeck {

LineEditBox::LineEditBox(QWidget* parent, editing::EditPolicy policy)
    : QLineEdit(parent), model_(*this, policy) {
  connect(this, &QLineEdit::textChanged, this, [this] { model_.TextChanged(); });
  if (parent != nullptr) {
    AttachToMaster();
  }
}

QString LineEditBox::UndoText() const {
  return edit_keys::FromText(model_.UndoBuffer().GetText());
}

int LineEditBox::SelStart() const {
  return hasSelectedText() ? selectionStart() : cursorPosition();
}

void LineEditBox::Loaded() {
  InitAfterLoad();
  loaded_ = true;
}

void LineEditBox::InitAfterLoad() {
  FSavedFontColor.Loaded(*this);
  model_.FinishLoading();
}

void LineEditBox::DoEdited() {
  if (onEdited_) {
    onEdited_(this);
  }
}

void LineEditBox::Changed() {
  if (onChange_) {
    onChange_(this);
  }
}

editing::Text LineEditBox::GetText() const {
  return edit_keys::ToText(text());
}

void LineEditBox::SetText(const editing::Text& text) {
  setText(edit_keys::FromText(text));
}

void LineEditBox::SetSelection(int start, int length) {
  if (length <= 0) {
    setCursorPosition(start);
  } else {
    setSelection(start, length);
  }
}

bool LineEditBox::ClipboardHasText() const {
  return edit_keys::ClipboardHasText();
}

void LineEditBox::keyPressEvent(QKeyEvent* event) {
  if (!model_events::KeyPress(model_, *this, *event)) {
    QLineEdit::keyPressEvent(event);
  }
}

void LineEditBox::keyReleaseEvent(QKeyEvent* event) {
  if (!model_events::KeyRelease(model_, *event)) {
    QLineEdit::keyReleaseEvent(event);
  }
}

void LineEditBox::mouseReleaseEvent(QMouseEvent* event) {
  QLineEdit::mouseReleaseEvent(event);
  model_events::MouseRelease(model_, *event);
}

void LineEditBox::focusOutEvent(QFocusEvent* event) {
  model_.FocusLost();
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
  FollowParent(*event, *this);
  return handled;
}

}  // namespace pixdeck
