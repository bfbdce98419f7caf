#include "wininputs/input_box.h"

#include "wininputs/input_box_master.h"

namespace pixdeck::wininputs {

InputBox::~InputBox() {
  LeaveMaster();
}

void InputBox::JoinMaster(HWND control) {
  LeaveMaster();
  if (TInputBoxMaster* master = TInputBoxMaster::OfWindow(control)) {
    master->AddBox(this);
    SetOverwriteMode(master->OverwriteMode());
  }
}

void InputBox::LeaveMaster() {
  if (master_ != nullptr) {
    master_->RemoveBox(this);
  }
}

}  // namespace pixdeck::wininputs
