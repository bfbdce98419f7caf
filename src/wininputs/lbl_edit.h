// The single-line box with its caption label (the main window's and the
// Options dialog's edits).
#pragma once

#include "wininputs/caption_label.h"
#include "wininputs/qel_edit.h"

namespace pixdeck::wininputs {

class TLblEdit : public TQelEdit {
 public:
  // Attaches the box (TQelEdit::Attach), then its label.
  void Attach(HWND edit, HWND label) {
    TQelEdit::Attach(edit);
    caption_.Attach(edit, label);
  }
  CaptionLabel& Caption() { return caption_; }

 private:
  CaptionLabel caption_;
};

}  // namespace pixdeck::wininputs
