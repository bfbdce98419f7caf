#include "wininputs/qel_memo.h"

namespace pixdeck::wininputs {

void TQelMemo::MoveCaretTo(int position) {
  if (SelStart() != position || SelLength() != 0) {
    SetSelection(position, 0);
    CaretMayHaveMoved();
  }
}

void TQelMemo::Loading() {
  if (!Text().empty()) {
    CaretMayHaveMoved();
  }
}

bool TQelMemo::HandleEditMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == EM_REPLACESEL) {
    result = CallControl(message, wParam, lParam);
    Model().UpdateOverwriteSelection();
    CaretMayHaveMoved();
    return true;
  }
  return EditBox::HandleEditMessage(message, wParam, lParam, result);
}

void TQelMemo::CaretMayHaveMoved() {
  if (onCursorMove_) {
    onCursorMove_();
  }
}

}  // namespace pixdeck::wininputs
