#include "inputs/edit_keys.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>

#include "inputs/input_box.h"

namespace pixdeck::EditKeys {

bool IsCaretKey(int key) {
  switch (key) {
    case Qt::Key_Backspace:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
      return true;
    default:
      return false;
  }
}

Qt::KeyboardModifiers ShiftState(const QKeyEvent& event) {
  return event.modifiers() &
         (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

bool ClipboardHasText() {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  return data != nullptr && data->hasText();
}

bool PendingKeys::Press(const QKeyEvent& event, bool escapeUndoes) {
  const bool alone = NoShift(event);
  FInsertDown = event.key() == Qt::Key_Insert && alone;
  FEscapeDown = event.key() == Qt::Key_Escape && alone && escapeUndoes;
  return FEscapeDown;
}

bool PendingKeys::Release(const QKeyEvent& event, bool escapeUndoes, InputBox& box) {
  if (!NoShift(event)) {
    return false;
  }
  if (event.key() == Qt::Key_Escape) {
    const bool undo = FEscapeDown && escapeUndoes;
    FEscapeDown = false;
    if (undo) {
      box.Undo();
    }
    return undo;
  }
  if (event.key() == Qt::Key_Insert && FInsertDown) {
    FInsertDown = false;
    box.ToggleOverwriteMode();
    return true;
  }
  return false;
}

}  // namespace pixdeck::EditKeys
