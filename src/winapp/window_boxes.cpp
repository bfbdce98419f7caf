#include "winapp/window_boxes.h"

#include "platform/win32/win32_text.h"
#include "winapp/win_text.h"

namespace pixdeck {

struct WindowBoxes::Box {
  bool combo = false;
  bool history = false;
  bool limitToList = false;
  bool modified = false;
  std::function<void()> onChange;
  std::function<void()> onListPick;
};

WindowBoxes::WindowBoxes(HWND window) : window_(window) {}
WindowBoxes::~WindowBoxes() = default;

void WindowBoxes::AddEdit(int id) {
  boxes_[id] = Box{};
}

void WindowBoxes::AddCombo(int id, bool historyBox, bool limitToList) {
  Box box;
  box.combo = true;
  box.history = historyBox;
  box.limitToList = limitToList;
  boxes_[id] = std::move(box);
}

std::string WindowBoxes::Text(int id) const {
  return ItemText(window_, id);
}

void WindowBoxes::SetInitialText(int id, const std::string& text) {
  Box& box = boxes_[id];
  SetItemText(window_, id, text);
  box.modified = false;
}

void WindowBoxes::TakeChosenText(int id, const std::string& text) {
  SetItemText(window_, id, text);
  boxes_[id].modified = true;
}

bool WindowBoxes::Modified(int id) const {
  auto it = boxes_.find(id);
  if (it == boxes_.end()) {
    return false;
  }
  if (!it->second.combo) {
    return ::SendDlgItemMessageW(window_, id, EM_GETMODIFY, 0, 0) != 0;
  }
  return it->second.modified;
}

std::vector<std::string> WindowBoxes::Items(int id) const {
  std::vector<std::string> items;
  const auto count = static_cast<int>(::SendDlgItemMessageW(window_, id, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const auto length = static_cast<int>(::SendDlgItemMessageW(window_, id, CB_GETLBTEXTLEN, i, 0));
    std::wstring item(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    ::SendDlgItemMessageW(window_, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
    item.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    items.push_back(platform::ToUtf8(item));
  }
  return items;
}

void WindowBoxes::SetItems(int id, const std::vector<std::string>& items) {
  const std::string text = Text(id);
  ::SendDlgItemMessageW(window_, id, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) {
    ::SendDlgItemMessageW(window_, id, CB_ADDSTRING, 0,
                          reinterpret_cast<LPARAM>(platform::ToWide(item).c_str()));
  }
  SetItemText(window_, id, text);
}

void WindowBoxes::SetLimitToList(int id, bool limit) {
  boxes_[id].limitToList = limit;
}

int WindowBoxes::ItemIndex(int id) const {
  return static_cast<int>(::SendDlgItemMessageW(window_, id, CB_GETCURSEL, 0, 0));
}

void WindowBoxes::SetOnChange(int id, std::function<void()> handler) {
  boxes_[id].onChange = std::move(handler);
}

void WindowBoxes::SetOnListPick(int id, std::function<void()> handler) {
  boxes_[id].onListPick = std::move(handler);
}

bool WindowBoxes::OnCommand(int id, int code) {
  auto it = boxes_.find(id);
  if (it == boxes_.end()) {
    return false;
  }
  Box& box = it->second;
  const bool changed =
      box.combo ? (code == CBN_EDITCHANGE || code == CBN_SELCHANGE) : code == EN_CHANGE;
  if (changed) {
    box.modified = true;
    if (box.onChange) {
      box.onChange();
    }
  }
  if (box.combo && code == CBN_SELCHANGE && box.onListPick) {
    box.onListPick();
  }
  return changed;
}

}  // namespace pixdeck
