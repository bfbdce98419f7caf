#include "wininputs/input_box_menu.h"

#include "wininputs/input_box.h"
#include "wininputs/win_text.h"

namespace pixdeck::wininputs {

using editing::TShowMenu;

namespace {

UINT TrackWithSystem(HMENU menu, POINT screenPoint, HWND owner) {
  // The owner must be in front, or the menu would not close when the user
  // clicks elsewhere.
  SetForegroundWindow(owner);
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                     screenPoint.x, screenPoint.y, 0, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  return chosen;
}

}  // namespace

TInputBoxMenu::TInputBoxMenu() : tracker_(&TrackWithSystem) {}

TInputBoxMenu::~TInputBoxMenu() {
  if (menu_ != nullptr) {
    DestroyMenu(menu_);
  }
}

bool TInputBoxMenu::EntryOfId(UINT id, TShowMenu& entry) {
  if (id < kMenuIdBase || id >= kMenuIdBase + editing::kShowMenuCount) {
    return false;
  }
  return editing::EntryOfTag(static_cast<int>(id - kMenuIdBase), entry);
}

std::string TInputBoxMenu::HintOf(UINT id) const {
  TShowMenu entry = editing::smUndo;
  if (!EntryOfId(id, entry)) {
    return {};
  }
  return std::string(editing::EntryTexts(entry).hint);
}

HMENU TInputBoxMenu::Build(const editing::MenuEntryStates& states) const {
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) {
    return nullptr;
  }
  for (int e = 0; e < editing::kShowMenuCount; ++e) {
    const auto entry = static_cast<TShowMenu>(e);
    if (!showInMenu_.Contains(entry)) {
      continue;
    }
    const UINT id = kMenuIdBase + static_cast<UINT>(e);
    if (editing::IsSeparatorEntry(entry)) {
      AppendMenuW(menu, MF_SEPARATOR, id, nullptr);
      continue;
    }
    UINT flags = MF_STRING | (states.Enabled(entry) ? MF_ENABLED : MF_GRAYED);
    if (entry == editing::smOverwrite && states.setOverwriteCheck && states.overwriteChecked) {
      flags |= MF_CHECKED;
    }
    const std::string caption(editing::EntryTexts(entry).caption);
    AppendMenuW(menu, flags, id, Wide(FromUtf8(caption)));
  }
  return menu;
}

bool TInputBoxMenu::PopupFor(InputBox& box, POINT screenPoint, HWND owner, TShowMenu* chosen) {
  const HWND edit = box.EditHandle();
  if (edit != nullptr && GetFocus() != edit) {
    SetFocus(edit);
  }
  if (menu_ != nullptr) {
    return false;  // one menu at a time
  }
  menu_ = Build(editing::BoxEntryStates(box));
  if (menu_ == nullptr) {
    return false;
  }
  const UINT id = tracker_(menu_, screenPoint, owner);
  DestroyMenu(menu_);
  menu_ = nullptr;
  TShowMenu entry = editing::smUndo;
  if (!EntryOfId(id, entry)) {
    return false;
  }
  editing::RunBoxEntry(box, entry);
  if (chosen != nullptr) {
    *chosen = entry;
  }
  return true;
}

}  // namespace pixdeck::wininputs
