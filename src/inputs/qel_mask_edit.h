// The program's masked edit: QLineEdit with an input mask and the common
// editing model. Undo and Clear All write through the masked text, so the
// mask formats what they put in.
#pragma once

#include "inputs/line_edit_box.h"

namespace pixdeck {

class TQelMaskEdit : public LineEditBox {
  Q_OBJECT

 public:
  explicit TQelMaskEdit(QWidget* parent = nullptr);

  // Clear All: empty text, formatted as the mask requires.
  void ClearText();

  // InputBox
  void ClearAll() override { ClearText(); }

 protected:
  bool UndoResetsCaret() const override { return false; }
  bool GuardsLineBreak() const override { return false; }
};

}  // namespace pixdeck
