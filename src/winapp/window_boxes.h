// The input boxes of one window on its dialog's controls: the native boxes of
// the input-box layer (its master, shared menu and caption labels), reached
// by control id, with their texts and history lists as the core's UTF-8.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace pixdeck {

namespace wininputs {
class TInputBoxMaster;
class TLblComboBox;
class TLblEdit;
}  // namespace wininputs

class WindowBoxes {
 public:
  // Makes the window's master: create it in WM_INITDIALOG before any box.
  // The highlighted menu entry's hint goes to onHint.
  WindowBoxes(HWND window, std::function<void(const std::string&)> onHint);
  ~WindowBoxes();
  WindowBoxes(const WindowBoxes&) = delete;
  WindowBoxes& operator=(const WindowBoxes&) = delete;

  // The kinds of box, each on the dialog's control id and caption label id.
  void AddEdit(int id, int labelId, bool undoWhenEsc);
  struct ComboOptions {
    bool history = true;  // new entries at the start of the list
    bool limitToList = false;
    bool undoWhenEsc = true;
  };
  void AddCombo(int id, int labelId, ComboOptions options);

  std::string Text(int id) const;
  // Makes text the box's value and undo text (a history box adds it to its
  // list); the box counts as not modified.
  void SetInitialText(int id, const std::string& text);
  // A chosen text (a browse result) as if typed, committed at once so that
  // it enters the history without leaving the box.
  void TakeChosenText(int id, const std::string& text);
  bool Modified(int id) const;
  std::vector<std::string> Items(int id) const;
  // Replaces the list as a whole.
  void SetItems(int id, const std::vector<std::string>& items);
  void SetLimitToList(int id, bool limit);
  // The index of the picked item, -1 when none is.
  int ItemIndex(int id) const;
  bool OverwriteMode(int id) const;

  // The user changed the box's text; an item became the picked one.
  void SetOnChange(int id, std::function<void()> handler);
  void SetOnListPick(int id, std::function<void()> handler);

 private:
  wininputs::TLblEdit* Edit(int id) const;
  wininputs::TLblComboBox* Combo(int id) const;

  HWND window_;
  std::unique_ptr<wininputs::TInputBoxMaster> master_;
  std::map<int, std::unique_ptr<wininputs::TLblEdit>> edits_;
  std::map<int, std::unique_ptr<wininputs::TLblComboBox>> combos_;
};

}  // namespace pixdeck
