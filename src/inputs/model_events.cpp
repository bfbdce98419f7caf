#include "inputs/model_events.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "inputs/edit_keys.h"

namespace pixdeck::model_events {

bool KeyPress(editing::EditModel& model, InputBox& box, QKeyEvent& event) {
  if (model.KeyDown(edit_keys::StrokeOf(event))) {
    event.accept();
    return true;
  }
  if (event.matches(QKeySequence::Paste)) {
    box.PasteSelection();
    event.accept();
    return true;
  }
  return false;
}

bool KeyRelease(editing::EditModel& model, QKeyEvent& event) {
  if (!event.isAutoRepeat() && model.KeyUp(edit_keys::StrokeOf(event))) {
    event.accept();
    return true;
  }
  return false;
}

void MouseRelease(editing::EditModel& model, const QMouseEvent& event) {
  if (event.button() == Qt::LeftButton) {
    model.MouseUp();
  }
}

}  // namespace pixdeck::model_events
