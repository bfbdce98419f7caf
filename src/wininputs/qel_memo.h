// The multi-line input box on a native EDIT control (ES_MULTILINE), as the
// About box shows its texts (read-only there): the edit box's model with the
// memo's policy (a line break is never overwritten), the control's own undo
// when WindowsUndo is on, and OnCursorMove after every key or button
// release, paste and caret move.
#pragma once

#include "wininputs/edit_box.h"

namespace pixdeck::wininputs {

class TQelMemo : public EditBox {
 public:
  TQelMemo() : EditBox(editing::EditPolicy::Memo()) {}

  // Undo is the control's own last-operation undo (EM_UNDO); turning it on
  // forgets the undo text.
  bool WindowsUndo() const { return Model().ControlUndo(); }
  void SetWindowsUndo(bool value) { Model().SetControlUndo(value); }

  // Puts the caret at a position (UTF-16 units) and reports a move.
  void MoveCaretTo(int position);

  // Listeners take it to mean only that the caret may have moved.
  void SetOnCursorMove(NotifyEvent handler) { onCursorMove_ = std::move(handler); }

 protected:
  void CaretMayHaveMoved() override;
  // A memo loaded with text reports its caret at the start.
  void Loading() override;

 private:
  NotifyEvent onCursorMove_;
};

}  // namespace pixdeck::wininputs
