// The history combo box with its caption label (the main window's and the
// Options dialog's combo boxes).
#pragma once

#include "wininputs/caption_label.h"
#include "wininputs/qel_combo_box.h"

namespace pixdeck::wininputs {

class TLblComboBox : public TQelComboBox {
 public:
  // Attaches the box (TQelComboBox::Attach), then its label.
  void Attach(HWND combo, HWND label) {
    TQelComboBox::Attach(combo);
    caption_.Attach(combo, label);
  }
  CaptionLabel& Caption() { return caption_; }

 private:
  CaptionLabel caption_;
};

}  // namespace pixdeck::wininputs
