// The input boxes of one window, by control id: their texts, history lists
// and modified flags as the core's UTF-8, whatever box drives the control.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace pixdeck {

class WindowBoxes {
 public:
  explicit WindowBoxes(HWND window);
  ~WindowBoxes();
  WindowBoxes(const WindowBoxes&) = delete;
  WindowBoxes& operator=(const WindowBoxes&) = delete;

  // Kinds of box, made on the dialog's controls.
  void AddEdit(int id);
  void AddCombo(int id, bool historyBox, bool limitToList);

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
  // The index of the picked item, -1 when the text is no item.
  int ItemIndex(int id) const;

  // Called when the user changed the box's text, or picked from its list.
  void SetOnChange(int id, std::function<void()> handler);
  void SetOnListPick(int id, std::function<void()> handler);
  // The window passes its WM_COMMAND notifications on; true when taken.
  bool OnCommand(int id, int code);

 private:
  struct Box;
  HWND window_;
  std::map<int, Box> boxes_;
};

}  // namespace pixdeck
