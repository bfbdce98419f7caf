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

void TQelMemo::CaretMayHaveMoved() {
  if (onCursorMove_) {
    onCursorMove_();
  }
}

}  // namespace pixdeck::wininputs
