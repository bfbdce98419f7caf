// What the window's master and the shared menu need from every native input
// box (the edit, the memo and the combo box), besides the menu's queries and
// commands, which are the editing layer's MenuTarget.
#pragma once

#include <windows.h>

#include "editing/menu_entries.h"

namespace pixdeck::wininputs {

class TInputBoxMaster;

class InputBox : public editing::MenuTarget {
 public:
  InputBox() = default;
  InputBox(const InputBox&) = delete;
  InputBox& operator=(const InputBox&) = delete;

  // The control the dialog template created (the combo box itself, not its
  // edit part), or none before Attach and after the control is destroyed.
  virtual HWND Handle() const = 0;
  // The control that holds the keyboard focus and the caret: the edit
  // itself, or the combo box's edit part.
  virtual HWND EditHandle() const = 0;

  // What the master calls on every box of its window: stores the mode and,
  // unless the box is read-only (or, for the combo box, lacks the focus),
  // selects the character after the caret or nothing.
  virtual void SetOverwriteMode(bool value) = 0;

  // The master of the box's window, found when the box was attached; none
  // when the window has none or it is gone.
  TInputBoxMaster* Master() const { return master_; }

 protected:
  ~InputBox();
  // Joins the master of the control's top-level window, if it has one, and
  // takes its overwrite mode.
  void JoinMaster(HWND control);
  void LeaveMaster();

 private:
  friend class TInputBoxMaster;
  TInputBoxMaster* master_ = nullptr;
};

}  // namespace pixdeck::wininputs
