// What the editing model needs from a toolkit's text control, and the keys it
// reacts to. A Qt widget or a native edit control implements EditControl; the
// model never sees the toolkit.
//
// Unit of positions: every position and length (selection start, selection
// length, text length) counts UTF-16 code units, the unit in which both
// Qt's QString and a Win32 EDIT control count. Text travels as
// std::u16string for the same reason, so an adaptor converts nothing but the
// string type. A character outside the Basic Multilingual Plane is two units,
// as it is for the control itself.
#pragma once

#include <string>

namespace pixdeck::editing {

using Text = std::u16string;

// The keys whose meaning the model defines; every other key is Other.
enum class Key {
  Other,
  Backspace,
  PageUp,
  PageDown,
  End,
  Home,
  Left,
  Up,
  Right,
  Down,
  Insert,
  Delete,
  Escape,
  Clear,   // the keypad's Clear key
  Select,  // the Select key
};

// The modifier keys held with a key: none, exactly Shift, or anything else
// (Ctrl, Alt, Meta, or Shift with one of them).
enum class ShiftState { None, Shift, Other };

struct KeyStroke {
  Key key = Key::Other;
  ShiftState shift = ShiftState::None;
};

// Keys that move the caret (or delete before it): in overwrite mode the
// one-character selection is dropped before they act. Delete is no caret key:
// it removes the selected character.
bool IsCaretKey(Key key);

// The window-wide keeper of the overwrite mode (the input-box master).
class ModeMaster {
 public:
  virtual bool OverwriteMode() const = 0;
  // Sets the mode of every box of the window and reports the change.
  virtual void SetOverwriteMode(bool value) = 0;

 protected:
  ~ModeMaster() = default;
};

// A text control as the model sees it. Writes made through SetText and
// RestoreText are the program's own: the adaptor still reports the change
// with EditModel::TextChanged, and the model knows to ignore it.
class EditControl {
 public:
  virtual Text GetText() const = 0;
  // Replaces the whole text; the caret goes where the control puts it.
  virtual void SetText(const Text& text) = 0;
  // Puts the undo text back. A combo box selects the text's list item; a
  // masked edit formats it.
  virtual void RestoreText(const Text& text) { SetText(text); }

  // The selection: its start is the caret when nothing is selected.
  virtual int SelStart() const = 0;
  virtual int SelLength() const = 0;
  // Selects length units from start (length 0: the caret at start). A
  // selection past the end stops at the end.
  virtual void SetSelection(int start, int length) = 0;

  virtual bool IsReadOnly() const = 0;
  // The keyboard focus is in the control's edit part.
  virtual bool HasFocus() const = 0;
  // The control's own modified flag (EM_GETMODIFY, QLineEdit::isModified):
  // the user changed the text since the undo text was taken.
  virtual bool IsModified() const = 0;
  virtual void SetModified(bool value) = 0;

  // The clipboard holds plain text.
  virtual bool ClipboardHasText() const = 0;
  // The control's own clipboard and deletion commands, each of them a user
  // edit that the control reports as a change.
  virtual void Cut() = 0;
  virtual void Copy() = 0;
  virtual void Paste() = 0;
  virtual void ClearSelection() = 0;
  // Empties the text as a user edit would.
  virtual void EmptyText() = 0;
  // Asked before a paste that the model makes: false refuses it.
  virtual bool PasteAllowed() { return true; }

  // The control's own last-operation undo, for boxes that use it.
  virtual bool CanUndoOwn() const { return false; }
  virtual void UndoOwn() {}

  // The master of the control's window, or none.
  virtual ModeMaster* WindowMaster() const = 0;

  // The model's notifications: Edited for a change that is the user's
  // (OnEdited), Changed for every change of the text (OnChange).
  virtual void Edited() = 0;
  virtual void Changed() = 0;

 protected:
  ~EditControl() = default;
};

}  // namespace pixdeck::editing
