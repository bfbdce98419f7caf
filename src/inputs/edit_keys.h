// Key and clipboard facts that every input box's editing model asks about.
#pragma once

#include <Qt>

class QKeyEvent;

namespace pixdeck::EditKeys {

// Keys that move the caret (or delete before it): in overwrite mode the
// one-character selection is dropped before they act.
bool IsCaretKey(int key);

// Shift, Ctrl, Alt and Meta held with the key (the keypad flag is no part
// of it).
Qt::KeyboardModifiers ShiftState(const QKeyEvent& event);

// Nothing but the key itself.
inline bool NoShift(const QKeyEvent& event) {
  return ShiftState(event) == Qt::NoModifier;
}

// The clipboard holds plain text.
bool ClipboardHasText();

}  // namespace pixdeck::EditKeys
