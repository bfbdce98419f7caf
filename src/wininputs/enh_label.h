// The caption label of the native input boxes, on a STATIC control of the
// dialog template: it shows its box as disabled in a colour of its own
// (DisabledColor, the button shadow by default) while the label itself stays
// enabled, so its text is drawn crisply; a click on it focuses its box
// unless it shows the box as disabled.
#pragma once

#include <windows.h>

#include <string>

#include "wininputs/window_hook.h"

namespace pixdeck::wininputs {

class TEnhLabel {
 public:
  TEnhLabel() = default;
  ~TEnhLabel() { Detach(); }
  TEnhLabel(const TEnhLabel&) = delete;
  TEnhLabel& operator=(const TEnhLabel&) = delete;

  // Takes over the STATIC control (it gets SS_NOTIFY, for the clicks) and
  // hooks its parent for the colour; focusControl is what a click focuses.
  void Attach(HWND label, HWND focusControl);
  void Detach();
  HWND Handle() const { return parentHook_.Window() != nullptr ? label_ : nullptr; }

  HWND FocusControl() const { return focusControl_; }
  void SetFocusControl(HWND control) { focusControl_ = control; }

  COLORREF DisabledColor() const { return disabledColor_; }
  // Shown at once while the label shows its box as disabled.
  void SetDisabledColor(COLORREF color);
  // Shows the box as disabled (or enabled again): the text colour changes,
  // the label stays enabled.
  void SetLabelDisabled(bool disabled);
  bool ShowDisabled() const { return showDisabled_; }

  std::u16string Caption() const;
  void SetCaption(const std::u16string& caption);

 private:
  bool HandleParentMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  HWND label_ = nullptr;
  HWND focusControl_ = nullptr;
  WindowHook parentHook_;
  COLORREF disabledColor_ = GetSysColor(COLOR_BTNSHADOW);
  bool showDisabled_ = false;
};

}  // namespace pixdeck::wininputs
