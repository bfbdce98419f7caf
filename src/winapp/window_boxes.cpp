#include "winapp/window_boxes.h"

#include "platform/win32/win32_text.h"
#include "wininputs/input_box_master.h"
#include "wininputs/lbl_combo_box.h"
#include "wininputs/lbl_edit.h"

namespace pixdeck {

using wininputs::TInputBoxMaster;
using wininputs::TLblComboBox;
using wininputs::TLblEdit;

WindowBoxes::WindowBoxes(HWND window, std::function<void(const std::string&)> onHint)
    : window_(window), master_(std::make_unique<TInputBoxMaster>(window)) {
  master_->SetOnHint(std::move(onHint));
}

WindowBoxes::~WindowBoxes() {
  // The boxes leave the master before it goes.
  edits_.clear();
  combos_.clear();
}

void WindowBoxes::AddEdit(int id, int labelId, bool undoWhenEsc) {
  auto box = std::make_unique<TLblEdit>();
  box->SetUndoWhenEsc(undoWhenEsc);
  box->Attach(::GetDlgItem(window_, id), ::GetDlgItem(window_, labelId));
  edits_[id] = std::move(box);
}

void WindowBoxes::AddCombo(int id, int labelId, ComboOptions options) {
  auto box = std::make_unique<TLblComboBox>();
  box->SetAddNewToStart(options.history);
  box->SetAddNewToList(options.history);
  box->SetLimitToList(options.limitToList);
  box->SetAllowNull(true);
  box->SetCaseSensitive(false);
  box->SetUndoWhenEsc(options.undoWhenEsc);
  box->Attach(::GetDlgItem(window_, id), ::GetDlgItem(window_, labelId));
  combos_[id] = std::move(box);
}

TLblEdit* WindowBoxes::Edit(int id) const {
  auto it = edits_.find(id);
  return it != edits_.end() ? it->second.get() : nullptr;
}

TLblComboBox* WindowBoxes::Combo(int id) const {
  auto it = combos_.find(id);
  return it != combos_.end() ? it->second.get() : nullptr;
}

std::string WindowBoxes::Text(int id) const {
  if (TLblComboBox* combo = Combo(id)) {
    return combo->TextUtf8();
  }
  TLblEdit* edit = Edit(id);
  return edit != nullptr ? edit->TextUtf8() : std::string();
}

void WindowBoxes::SetInitialText(int id, const std::string& text) {
  if (TLblComboBox* combo = Combo(id)) {
    combo->SetInitialTextUtf8(text);
  } else if (TLblEdit* edit = Edit(id)) {
    edit->SetInitialTextUtf8(text);
  }
}

void WindowBoxes::TakeChosenText(int id, const std::string& text) {
  const std::wstring wide = platform::ToWide(text);
  if (TLblComboBox* combo = Combo(id)) {
    ::SetWindowTextW(combo->EditHandle(), wide.c_str());
    combo->SetModified(true);
    combo->CommitText();
  } else if (TLblEdit* edit = Edit(id)) {
    ::SetWindowTextW(edit->Handle(), wide.c_str());
    edit->SetModified(true);
  }
}

bool WindowBoxes::Modified(int id) const {
  if (TLblComboBox* combo = Combo(id)) {
    return combo->Modified();
  }
  TLblEdit* edit = Edit(id);
  return edit != nullptr && edit->Modified();
}

std::vector<std::string> WindowBoxes::Items(int id) const {
  TLblComboBox* combo = Combo(id);
  return combo != nullptr ? combo->ItemsUtf8() : std::vector<std::string>{};
}

void WindowBoxes::SetItems(int id, const std::vector<std::string>& items) {
  if (TLblComboBox* combo = Combo(id)) {
    combo->SetItemsUtf8(items);
  }
}

void WindowBoxes::SetLimitToList(int id, bool limit) {
  if (TLblComboBox* combo = Combo(id)) {
    combo->SetLimitToList(limit);
  }
}

int WindowBoxes::ItemIndex(int id) const {
  TLblComboBox* combo = Combo(id);
  return combo != nullptr ? combo->ItemIndex() : -1;
}

bool WindowBoxes::OverwriteMode(int id) const {
  if (TLblComboBox* combo = Combo(id)) {
    return combo->OverwriteMode();
  }
  TLblEdit* edit = Edit(id);
  return edit != nullptr && edit->OverwriteMode();
}

void WindowBoxes::SetOnChange(int id, std::function<void()> handler) {
  if (TLblComboBox* combo = Combo(id)) {
    combo->SetOnChange(std::move(handler));
  } else if (TLblEdit* edit = Edit(id)) {
    edit->SetOnChange(std::move(handler));
  }
}

void WindowBoxes::SetOnListPick(int id, std::function<void()> handler) {
  if (TLblComboBox* combo = Combo(id)) {
    combo->SetOnListPick(std::move(handler));
  }
}

}  // namespace pixdeck
