#include "inputs/qel_mask_edit.h"

namespace pixdeck {

TQelMaskEdit::TQelMaskEdit(QWidget* parent)
    : LineEditBox(parent, editing::EditPolicy::MaskEdit()) {}

}  // namespace pixdeck
