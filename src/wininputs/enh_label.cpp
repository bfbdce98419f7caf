#include "wininputs/enh_label.h"

#include "wininputs/win_text.h"

namespace pixdeck::wininputs {

void TEnhLabel::Attach(HWND label, HWND focusControl) {
  Detach();
  if (label == nullptr) {
    return;
  }
  label_ = label;
  focusControl_ = focusControl;
  // Clicks are reported only by a STATIC with SS_NOTIFY.
  SetWindowLongW(label, GWL_STYLE, GetWindowLongW(label, GWL_STYLE) | SS_NOTIFY);
  parentHook_.Attach(GetParent(label),
                     [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
                       return HandleParentMessage(message, wParam, lParam, result);
                     });
}

void TEnhLabel::Detach() {
  parentHook_.Detach();
  label_ = nullptr;
}

void TEnhLabel::SetDisabledColor(COLORREF color) {
  if (color == disabledColor_) {
    return;
  }
  disabledColor_ = color;
  if (showDisabled_ && Handle() != nullptr) {
    InvalidateRect(label_, nullptr, TRUE);
  }
}

void TEnhLabel::SetLabelDisabled(bool disabled) {
  if (disabled == showDisabled_) {
    return;
  }
  showDisabled_ = disabled;
  if (Handle() != nullptr) {
    InvalidateRect(label_, nullptr, TRUE);
  }
}

std::u16string TEnhLabel::Caption() const {
  return WindowText(Handle());
}

void TEnhLabel::SetCaption(const std::u16string& caption) {
  if (Handle() != nullptr) {
    SetWindowTextW(label_, Wide(caption));
  }
}

bool TEnhLabel::HandleParentMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (reinterpret_cast<HWND>(lParam) != label_ || label_ == nullptr) {
    if (message == WM_NCDESTROY) {
      label_ = nullptr;
    }
    return false;
  }
  if (message == WM_CTLCOLORSTATIC && showDisabled_) {
    // The window's own colours first (its brush), then the disabled text.
    result = parentHook_.CallNext(message, wParam, lParam);
    SetTextColor(reinterpret_cast<HDC>(wParam), disabledColor_);
    return true;
  }
  if (message == WM_COMMAND && HIWORD(wParam) == STN_CLICKED && !showDisabled_ &&
      focusControl_ != nullptr) {
    SetFocus(focusControl_);
  }
  return false;
}

}  // namespace pixdeck::wininputs
