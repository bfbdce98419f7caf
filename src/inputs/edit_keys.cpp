#include "inputs/edit_keys.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>

namespace pixdeck::edit_keys {

namespace {

editing::Key KeyOf(int key) {
  using editing::Key;
  switch (key) {
    case Qt::Key_Backspace:
      return Key::Backspace;
    case Qt::Key_PageUp:
      return Key::PageUp;
    case Qt::Key_PageDown:
      return Key::PageDown;
    case Qt::Key_End:
      return Key::End;
    case Qt::Key_Home:
      return Key::Home;
    case Qt::Key_Left:
      return Key::Left;
    case Qt::Key_Up:
      return Key::Up;
    case Qt::Key_Right:
      return Key::Right;
    case Qt::Key_Down:
      return Key::Down;
    case Qt::Key_Insert:
      return Key::Insert;
    case Qt::Key_Delete:
      return Key::Delete;
    case Qt::Key_Escape:
      return Key::Escape;
    case Qt::Key_Clear:
      return Key::Clear;
    case Qt::Key_Select:
      return Key::Select;
    default:
      return Key::Other;
  }
}

editing::ShiftState ShiftOf(Qt::KeyboardModifiers modifiers) {
  const Qt::KeyboardModifiers held =
      modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  if (held == Qt::NoModifier) {
    return editing::ShiftState::None;
  }
  return held == Qt::ShiftModifier ? editing::ShiftState::Shift : editing::ShiftState::Other;
}

}  // namespace

editing::KeyStroke StrokeOf(const QKeyEvent& event) {
  return {KeyOf(event.key()), ShiftOf(event.modifiers())};
}

bool ClipboardHasText() {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  return data != nullptr && data->hasText();
}

}  // namespace pixdeck::edit_keys
