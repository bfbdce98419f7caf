// The window-wide coordinator of a window's native input boxes, at most one
// per top-level window: it holds the window's overwrite mode and pushes every
// change of it to all boxes (the Insert key of a box switches the whole
// window through it), owns the shared context menu that the boxes show in
// place of the system's own, and reports mode changes and the highlighted
// menu entry's hint.
//
// Create it in WM_INITDIALOG before attaching the boxes; boxes find it
// through their top-level window. It must outlive neither the window's boxes'
// use of it nor the window: destroy it before or when the window goes
// (WM_NCDESTROY detaches it by itself).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "editing/edit_control.h"
#include "wininputs/input_box_menu.h"
#include "wininputs/window_hook.h"

namespace pixdeck::wininputs {

class InputBox;

class TInputBoxMaster final : public editing::ModeMaster {
 public:
  using NotifyEvent = std::function<void()>;
  // The hint of the highlighted menu entry (UTF-8), empty when the menu
  // closes or a separator is highlighted.
  using HintEvent = std::function<void(const std::string& hint)>;

  // window: the top-level window (dialog) whose boxes this master serves.
  // A window that has a master already refuses a second one:
  // std::logic_error with the message of EShowError code 3.
  explicit TInputBoxMaster(HWND window);
  ~TInputBoxMaster();
  TInputBoxMaster(const TInputBoxMaster&) = delete;
  TInputBoxMaster& operator=(const TInputBoxMaster&) = delete;

  HWND Window() const { return window_; }
  // The master of the window that holds this window or control, or none.
  static TInputBoxMaster* OfWindow(HWND windowOrControl);

  // ModeMaster: setting a new value sets every box of the window, then
  // fires OnModeChange once; the present value changes nothing.
  bool OverwriteMode() const override { return overwriteMode_; }
  void SetOverwriteMode(bool value) override;

  // Whether the boxes show the shared menu on a right click (or Shift+F10);
  // off, they show the system's own. On by default.
  bool UseContextMenu() const { return useContextMenu_; }
  void SetUseContextMenu(bool value) { useContextMenu_ = value; }
  TInputBoxMenu& InputBoxMenu() { return menu_; }

  void SetOnModeChange(NotifyEvent handler) { onModeChange_ = std::move(handler); }
  void SetOnHint(HintEvent handler) { onHint_ = std::move(handler); }

  // The boxes of the window, in the order they were attached.
  const std::vector<InputBox*>& Boxes() const { return boxes_; }

  // Shows the shared menu for the box at a screen point (the box's caret
  // for a point of (-1, -1), as WM_CONTEXTMENU gives from the keyboard) and
  // carries out the chosen entry. Boxes call it on WM_CONTEXTMENU.
  void ShowMenuFor(InputBox& box, POINT screenPoint);

 private:
  friend class InputBox;
  void AddBox(InputBox* box);
  void RemoveBox(InputBox* box);
  bool HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void Forget();

  HWND window_ = nullptr;
  WindowHook windowHook_;
  std::vector<InputBox*> boxes_;
  TInputBoxMenu menu_;
  bool overwriteMode_ = false;
  bool useContextMenu_ = true;
  NotifyEvent onModeChange_;
  HintEvent onHint_;
};

}  // namespace pixdeck::wininputs
