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
  void ClearText() { ClearAll(); }

 private:
  void EmptyText() override { setText(QString()); }
};

}  // namespace pixdeck
