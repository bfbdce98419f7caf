#include "inputs/qel_mask_edit.h"

namespace pixdeck {

TQelMaskEdit::TQelMaskEdit(QWidget* parent) : LineEditBox(parent) {}

void TQelMaskEdit::ClearText() {
  if (!CanClear()) {
    return;
  }
  setText(QString());
  setModified(!FInternalChange);
}

}  // namespace pixdeck
