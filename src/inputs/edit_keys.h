// Key and clipboard facts that every input box's editing model asks about.
#pragma once

#include <Qt>

class QKeyEvent;

namespace pixdeck {
class InputBox;
}

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

// Insert and Escape act when they come up, and only when they went down
// alone in the same box: a press made elsewhere, or with Shift or Ctrl held,
// toggles and undoes nothing.
class PendingKeys {
 public:
  // On a key press. escapeUndoes: an Escape now would undo (the box is
  // modified and undoes on Escape). True when the press is Escape and must be
  // consumed, so that the window does not take it as Cancel.
  bool Press(const QKeyEvent& event, bool escapeUndoes);
  // On a key release: toggles the box's mode or undoes as the press
  // promised. True when the release was used.
  bool Release(const QKeyEvent& event, bool escapeUndoes, InputBox& box);
  // The box lost the focus (or refused the key): nothing is pending.
  void Forget() { FInsertDown = FEscapeDown = false; }

 private:
  bool FInsertDown = false;
  bool FEscapeDown = false;
};

}  // namespace pixdeck::EditKeys
