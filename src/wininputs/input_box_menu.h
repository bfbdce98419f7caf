// The context menu that a window's native input boxes share, in place of the
// system's own: a popup menu (CreatePopupMenu + TrackPopupMenu) of the
// entries in ShowInMenu, with the editing layer's captions, enabled and
// checked for the box that opens it; the chosen entry's command goes to that
// box. Item ids are the entries' tags plus kMenuIdBase.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "editing/menu_entries.h"

namespace pixdeck::wininputs {

class InputBox;

inline constexpr UINT kMenuIdBase = 0x7100;

class TInputBoxMenu {
 public:
  // How the menu is shown and an entry chosen: the menu, the screen point
  // and the owner window that gets WM_MENUSELECT; the id of the chosen item
  // or 0. TrackPopupMenu by default.
  using Tracker = std::function<UINT(HMENU menu, POINT screenPoint, HWND owner)>;

  TInputBoxMenu();
  ~TInputBoxMenu();
  TInputBoxMenu(const TInputBoxMenu&) = delete;
  TInputBoxMenu& operator=(const TInputBoxMenu&) = delete;

  editing::TShowMenuSet ShowInMenu() const { return showInMenu_; }
  void SetShowInMenu(editing::TShowMenuSet entries) { showInMenu_ = entries; }

  // Shows the menu for the box (focusing the box first when its edit part
  // lacks the focus) and carries out the chosen entry; the entry chosen, or
  // false when none was.
  bool PopupFor(InputBox& box, POINT screenPoint, HWND owner, editing::TShowMenu* chosen = nullptr);

  // The menu being shown, or none.
  HMENU Handle() const { return menu_; }
  // The entry of a highlighted item id; false for none or a separator.
  static bool EntryOfId(UINT id, editing::TShowMenu& entry);
  // The hint of a highlighted item (UTF-8); empty for anything else.
  std::string HintOf(UINT id) const;

  // Replaces the way the menu is shown (for a window that drives it itself).
  void SetTracker(Tracker tracker) { tracker_ = std::move(tracker); }

 private:
  HMENU Build(const editing::MenuEntryStates& states) const;

  editing::TShowMenuSet showInMenu_ = editing::TShowMenuSet::All();
  HMENU menu_ = nullptr;
  Tracker tracker_;
};

}  // namespace pixdeck::wininputs
