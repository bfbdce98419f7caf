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

bool TInputBoxMenu::Choose(const editing::MenuEntryStates& states, POINT screenPoint, HWND owner,
                           TShowMenu& chosen) {
  if (menu_ != nullptr) {
    return false;  // one menu at a time
  }
  menu_ = Build(states);
  if (menu_ == nullptr) {
    return false;
  }
  const UINT id = tracker_(menu_, screenPoint, owner);
  DestroyMenu(menu_);
  menu_ = nullptr;
  return EntryOfId(id, chosen);
}

bool TInputBoxMenu::PopupFor(InputBox& box, POINT screenPoint, HWND owner, TShowMenu* chosen) {
  FocusFirst(box.EditHandle());
  TShowMenu entry = editing::smUndo;
  if (!Choose(editing::BoxEntryStates(box), screenPoint, owner, entry)) {
    return false;
  }
  editing::RunBoxEntry(box, entry);
  if (chosen != nullptr) {
    *chosen = entry;
  }
  return true;
}

bool TInputBoxMenu::PopupForEdit(HWND edit, POINT screenPoint, HWND owner) {
  FocusFirst(edit);
  const bool writable = (GetWindowLongW(edit, GWL_STYLE) & ES_READONLY) == 0;
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const bool clipboard =
      IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
  const editing::MenuEntryStates states =
      editing::PlainEditEntryStates(writable, SendMessageW(edit, EM_CANUNDO, 0, 0) != 0,
                                    end > start, GetWindowTextLengthW(edit) > 0, clipboard);
  TShowMenu entry = editing::smUndo;
  if (!Choose(states, screenPoint, owner, entry)) {
    return false;
  }
  // The control's own commands; it has no overwrite mode.
  switch (entry) {
    case editing::smUndo:
      SendMessageW(edit, EM_UNDO, 0, 0);
      break;
    case editing::smCut:
      SendMessageW(edit, WM_CUT, 0, 0);
      break;
    case editing::smCopy:
      SendMessageW(edit, WM_COPY, 0, 0);
      break;
    case editing::smPaste:
      SendMessageW(edit, WM_PASTE, 0, 0);
      break;
    case editing::smDelete:
      SendMessageW(edit, WM_CLEAR, 0, 0);
      break;
    case editing::smClear:
      SetWindowTextW(edit, L"");
      break;
    case editing::smSelectAll:
      SendMessageW(edit, EM_SETSEL, 0, -1);
      break;
    default:
      break;
  }
  return true;
}

void TInputBoxMenu::FocusFirst(HWND edit) {
  if (edit != nullptr && GetFocus() != edit) {
    SetFocus(edit);
  }
}

}  // namespace pixdeck::wininputs
