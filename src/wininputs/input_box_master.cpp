#include "wininputs/input_box_master.h"

#include <algorithm>
#include <stdexcept>

#include "wininputs/input_box.h"

namespace pixdeck::wininputs {

namespace {

// The window property under which a top-level window keeps its master.
constexpr wchar_t kMasterProperty[] = L"pixdeck.InputBoxMaster";

HWND TopLevelOf(HWND window) {
  HWND root = window != nullptr ? GetAncestor(window, GA_ROOT) : nullptr;
  return root != nullptr ? root : window;
}

}  // namespace

TInputBoxMaster::TInputBoxMaster(HWND window) : window_(TopLevelOf(window)) {
  if (window_ == nullptr) {
    throw std::invalid_argument("An input-box master needs a window.");
  }
  if (OfWindow(window_) != nullptr) {
    throw std::logic_error(
        "There can only be one instance of this component. The current one is called "
        "qx_InputBoxMaster.");
  }
  SetPropW(window_, kMasterProperty, this);
  windowHook_.Attach(window_, [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return HandleWindowMessage(message, wParam, lParam, result);
  });
}

TInputBoxMaster::~TInputBoxMaster() {
  for (InputBox* box : boxes_) {
    box->master_ = nullptr;
  }
  boxes_.clear();
  Forget();
}

void TInputBoxMaster::Forget() {
  if (window_ != nullptr) {
    if (GetPropW(window_, kMasterProperty) == this) {
      RemovePropW(window_, kMasterProperty);
    }
    windowHook_.Detach();
    window_ = nullptr;
  }
}

TInputBoxMaster* TInputBoxMaster::OfWindow(HWND windowOrControl) {
  const HWND window = TopLevelOf(windowOrControl);
  if (window == nullptr) {
    return nullptr;
  }
  return static_cast<TInputBoxMaster*>(GetPropW(window, kMasterProperty));
}

void TInputBoxMaster::SetOverwriteMode(bool value) {
  if (value == overwriteMode_) {
    return;
  }
  overwriteMode_ = value;
  for (InputBox* box : boxes_) {
    box->SetOverwriteMode(value);
  }
  if (onModeChange_) {
    onModeChange_();
  }
}

void TInputBoxMaster::AddBox(InputBox* box) {
  if (std::find(boxes_.begin(), boxes_.end(), box) == boxes_.end()) {
    boxes_.push_back(box);
  }
  box->master_ = this;
}

void TInputBoxMaster::RemoveBox(InputBox* box) {
  boxes_.erase(std::remove(boxes_.begin(), boxes_.end(), box), boxes_.end());
  box->master_ = nullptr;
}

void TInputBoxMaster::ShowMenuFor(InputBox& box, POINT screenPoint) {
  if (screenPoint.x == -1 && screenPoint.y == -1) {
    // From the keyboard: at the caret, or the box's top left corner.
    POINT caret{};
    const HWND edit = box.EditHandle();
    if (edit != nullptr && GetFocus() == edit && GetCaretPos(&caret)) {
      caret.y += GetSystemMetrics(SM_CYMENUSIZE) / 2;
      ClientToScreen(edit, &caret);
    } else if (edit != nullptr) {
      ClientToScreen(edit, &caret);
    }
    screenPoint = caret;
  }
  menu_.PopupFor(box, screenPoint, window_);
  if (onHint_) {
    onHint_(std::string());
  }
}

bool TInputBoxMaster::HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                          LRESULT& result) {
  if (message == WM_NCDESTROY) {
    Forget();
    return false;
  }
  if (message == WM_MENUSELECT && menu_.Handle() != nullptr &&
      reinterpret_cast<HMENU>(lParam) == menu_.Handle()) {
    if (onHint_) {
      const UINT flags = HIWORD(wParam);
      onHint_((flags & (MF_POPUP | MF_SEPARATOR)) != 0 ? std::string()
                                                       : menu_.HintOf(LOWORD(wParam)));
    }
    result = 0;
    return true;
  }
  return false;
}

}  // namespace pixdeck::wininputs
