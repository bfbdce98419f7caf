#include "wininputs/caption_label.h"

namespace pixdeck::wininputs {

namespace {

editing::Size SizeOf(const RECT& rect) {
  return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

void CaptionLabel::Attach(HWND box, HWND label) {
  Detach();
  if (box == nullptr || label == nullptr) {
    return;
  }
  box_ = box;
  label_.Attach(label, box);
  boxHook_.Attach(box, [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return HandleBoxMessage(message, wParam, lParam, result);
  });
  // Where the label stands now is its place, until a position is set.
  pos_ = editing::lpCustom;
  const RECT boxRect = BoxRect();
  const RECT labelRect = LabelRect();
  offsets_ = {labelRect.left - boxRect.left, labelRect.top - boxRect.top};
  const std::u16string caption = label_.Caption();
  colon_ = !caption.empty() && caption.back() == u':';
  label_.SetLabelDisabled(!IsWindowEnabled(box));
}

void CaptionLabel::Detach() {
  boxHook_.Detach();
  label_.Detach();
  box_ = nullptr;
}

RECT CaptionLabel::BoxRect() const {
  RECT rect{};
  if (box_ != nullptr) {
    GetWindowRect(box_, &rect);
    MapWindowPoints(nullptr, GetParent(box_), reinterpret_cast<POINT*>(&rect), 2);
  }
  return rect;
}

RECT CaptionLabel::LabelRect() const {
  RECT rect{};
  if (HWND label = label_.Handle()) {
    GetWindowRect(label, &rect);
    MapWindowPoints(nullptr, GetParent(label), reinterpret_cast<POINT*>(&rect), 2);
  }
  return rect;
}

void CaptionLabel::PlaceLabel() {
  HWND label = label_.Handle();
  if (label == nullptr || box_ == nullptr) {
    return;
  }
  const RECT box = BoxRect();
  offsets_ = editing::OffsetsFor(pos_, offsets_, SizeOf(box), SizeOf(LabelRect()), margin_);
  const bool visible = (GetWindowLongW(box_, GWL_STYLE) & WS_VISIBLE) != 0;
  SetWindowPos(
      label, nullptr, box.left + offsets_.relLeft, box.top + offsets_.relTop, 0, 0,
      SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void CaptionLabel::SetLabelPos(editing::TLabelPos pos) {
  if (pos == pos_) {
    return;
  }
  pos_ = pos;
  PlaceLabel();
}

void CaptionLabel::SetLabelMargin(int margin) {
  if (margin == margin_) {
    return;
  }
  margin_ = margin;
  PlaceLabel();
}

void CaptionLabel::SetLabelRelLeft(int value) {
  if (value == offsets_.relLeft) {
    return;
  }
  offsets_.relLeft = value;
  pos_ = editing::lpCustom;
  PlaceLabel();
}

void CaptionLabel::SetLabelRelTop(int value) {
  if (value == offsets_.relTop) {
    return;
  }
  offsets_.relTop = value;
  pos_ = editing::lpCustom;
  PlaceLabel();
}

void CaptionLabel::SetLabelColon(bool value) {
  if (value == colon_) {
    return;
  }
  const std::u16string text = LabelText();
  colon_ = value;
  if (!text.empty()) {
    SetLabelText(text);
  }
}

std::u16string CaptionLabel::LabelText() const {
  return editing::TextOfCaption(label_.Caption(), colon_);
}

void CaptionLabel::SetLabelText(const std::u16string& text) {
  label_.SetCaption(editing::CaptionWithColon(text, colon_));
  PlaceLabel();
}

bool CaptionLabel::HandleBoxMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_WINDOWPOSCHANGED:
      // Moved, sized, shown or hidden: the label follows.
      result = boxHook_.CallNext(message, wParam, lParam);
      PlaceLabel();
      return true;
    case WM_SHOWWINDOW:
      // Shown or hidden by ShowWindow (a box whose window is hidden only
      // changes its style): the label goes with it.
      result = boxHook_.CallNext(message, wParam, lParam);
      if (lParam == 0 && label_.Handle() != nullptr) {
        PlaceLabel();
        ShowWindow(label_.Handle(), wParam != FALSE ? SW_SHOWNA : SW_HIDE);
      }
      return true;
    case WM_ENABLE:
      label_.SetLabelDisabled(wParam == FALSE);
      return false;
    case WM_NCDESTROY:
      box_ = nullptr;
      return false;
    default:
      return false;
  }
}

}  // namespace pixdeck::wininputs
