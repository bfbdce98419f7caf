// The combo box's flow over its list and its edit part, written once for
// every toolkit: selecting an item (and what a pick reports), the text that
// the user edits, deletes, pastes or clears, type-ahead completion, the
// program's initial text, and checking the text against the list when the
// box is left or Enter is pressed. The toolkit's box keeps only what makes
// its own list behave like this list. Positions are UTF-16 code units (see
// edit_control.h).
#pragma once

#include "editing/combo_history.h"
#include "editing/edit_model.h"

namespace pixdeck::editing {

// What the flow needs from a toolkit's combo box beyond its list.
class ComboControl : public ComboList {
 public:
  // The edit part's text. SetText is the program's write: it reports no
  // change. SetCurrentIndex (of ComboList) shows the item's text (none: an
  // empty text) and reports nothing either.
  virtual Text GetText() const = 0;
  virtual void SetText(const Text& text) = 0;
  virtual int SelStart() const = 0;
  virtual int SelLength() const = 0;
  // Length 0 puts the caret at start.
  virtual void SetSelection(int start, int length) = 0;

  // Puts a new item into the list at index, with whatever the window gave
  // for it when it accepted the text (AskNotInList).
  virtual void InsertItem(int index, const Text& text) = 0;
  // The window's answer about a text outside the list (OnNotInList). Without
  // a handler HasNotInList is false and AskNotInList is not called. The
  // handler may change the text.
  virtual bool HasNotInList() const = 0;
  virtual bool AskNotInList(Text& text, bool acceptByDefault) = 0;
  // Gives the edit part the keyboard focus (before a question).
  virtual void FocusBox() = 0;

  // Notifications: the user picked an item (OnListPick), the user edited
  // the text (OnEdited), the text changed in any way (OnChange).
  virtual void ListPicked() = 0;
  virtual void Edited() = 0;
  virtual void Changed() = 0;

 protected:
  ~ComboControl() = default;
};

class ComboModel {
 public:
  // The edit model is the one over the box's edit part; its undo is the
  // box's undo.
  ComboModel(ComboControl& control, EditModel& edit, const TextOrder& order)
      : control_(control), edit_(edit), history_(control, order) {}
  ComboModel(const ComboModel&) = delete;
  ComboModel& operator=(const ComboModel&) = delete;

  ComboHistory& History() { return history_; }
  const ComboHistory& History() const { return history_; }
  ComboOptions& Options() { return history_.Options(); }
  const ComboOptions& Options() const { return history_.Options(); }
  // AddNewToList and LimitToList exclude each other: turning one on turns
  // the other off.
  void SetAddNewToList(bool value);
  void SetLimitToList(bool value);
  bool AutoExpand() const { return autoExpand_; }
  void SetAutoExpand(bool value) { autoExpand_ = value; }
  bool AutoPickItem() const { return autoPickItem_; }
  void SetAutoPickItem(bool value) { autoPickItem_ = value; }

  // The user changed the text since the undo text was last taken.
  bool Modified() const { return modified_; }
  void SetModified(bool value) { modified_ = value; }
  // The last check refused the text and put the undo text back.
  bool Refused() const { return refused_; }

  // The list is loaded: a box that needs a value shows the first item.
  void Loaded();
  int IndexOfText(const Text& text) const { return history_.IndexOfText(text); }
  // Adds the text at its place (see ComboHistory::NewItemPlace) and selects it.
  void AddItem(const Text& text);
  // Adds the text when the window's OnNotInList accepts it.
  void AddNewItem(const Text& text);
  // Selects the item (-1: none) as a pick: it shows its text, reports the
  // pick and the change, and is the modified text. Selecting the selected
  // item again does nothing unless the next select is forced.
  void SelectItem(int index);
  void ForceNextSelect() { forceSelect_ = true; }
  // Selects the item and keeps the typed text and its selection.
  void SetIndexKeepText(int index);
  // A box that needs a value and shows no item selects the first one.
  void SelectFirstItem();
  // The user chose an item in the list; the toolkit already shows it when
  // its text equals the last text the box saw.
  void UserSelected(int index);
  // The text changed: by the user, a selection, or the box's own edits.
  void Change();
  // The user typed into the edit part.
  void TextEdited();
  // A key is about to act: the next change after a deleting key completes
  // nothing.
  void KeyPressed(bool deletingKey) { noAutoExpand_ = deletingKey; }

  // Makes the text the box's value (selects its item or sets the text).
  void ApplyText(const Text& text);
  // Writes the text as the program's own value: it becomes the undo text
  // and the box is not modified; with AddNewToList a text that is not listed
  // is added without asking.
  void SetInitialText(const Text& text);
  // Checks the text against the list; true when it needed handling.
  bool ValidateText(bool refocus);
  // Checks the text when the user changed it; true when it needed handling.
  bool CommitText();
  // Before a window acts (a button): a changed text is checked first.
  void ValidateBeforeAction();
  // Leaving the box for another control of the window.
  void FocusLeft();

  // The box's own edits, as the menu and keys make them.
  void DeleteSelection();
  void ClearText();
  void PasteText(const Text& pasted);

  // The text the box last saw (the toolkit's own pick shows before it is
  // reported).
  void RememberText() { knownText_ = control_.GetText(); }

 private:
  void SetListIndex(int index) { control_.SetCurrentIndex(index); }
  void ListPick();
  void NotInList(Text& newText, bool& accept);
  void ExpandText();
  void FireChanged();
  void Rewrite(const Text& text, int caret, bool noAutoExpand);

  ComboControl& control_;
  EditModel& edit_;
  ComboHistory history_;
  bool autoExpand_ = true;
  bool autoPickItem_ = true;
  bool modified_ = false;
  // A pick is being reported: its move of the item to the start reports no
  // pick of its own.
  bool pickGuard_ = false;
  bool noAutoExpand_ = false;
  bool forceSelect_ = false;
  bool selecting_ = false;
  bool refused_ = false;
  Text knownText_;
};

}  // namespace pixdeck::editing
