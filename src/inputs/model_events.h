// The part of a box's Qt events that is the same for every box over an edit
// model: keys and clicks go to the model first, the paste shortcut is the
// menu's paste (it asks first and inserts even in overwrite mode), and the
// box follows its window's master and its enabled state.
#pragma once

#include <QEvent>

#include "editing/edit_model.h"
#include "inputs/input_box.h"

class QKeyEvent;
class QMouseEvent;
class QWidget;

namespace pixdeck::model_events {

// True when the model or the paste took the key; the box's own toolkit
// handling is skipped then.
bool KeyPress(editing::EditModel& model, InputBox& box, QKeyEvent& event);
bool KeyRelease(editing::EditModel& model, QKeyEvent& event);
// After the toolkit placed the caret: a left click updates the overwrite
// selection.
void MouseRelease(editing::EditModel& model, const QMouseEvent& event);

}  // namespace pixdeck::model_events
