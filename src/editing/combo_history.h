// The combo box's history and validation rules over an abstract list, so
// that every toolkit's combo box keeps its list the same way: where a new
// entry goes (its sorted place, the end, or the start of a history list),
// how a text is found (as the list compares), a picked entry moving to the
// start, and what leaving the box with a text does (accept it, ask to add
// it, or refuse it).
#pragma once

#include "editing/list_search.h"

namespace pixdeck::editing {

// The items of a combo box's list as the rules need them.
class ComboList {
 public:
  virtual int Count() const = 0;
  virtual Text ItemText(int index) const = 0;
  virtual int CurrentIndex() const = 0;
  virtual void SetCurrentIndex(int index) = 0;
  // Moves an item with whatever the toolkit keeps with it (its object).
  virtual void MoveItem(int fromIndex, int toIndex) = 0;

 protected:
  ~ComboList() = default;
};

struct ComboOptions {
  bool addNewToStart = false;
  bool addNewToList = false;
  bool limitToList = false;
  bool allowNull = true;
  bool caseSensitive = false;
  bool sorted = false;
};

// What leaving the box (or Enter) does with the text.
enum class ComboCheck {
  Empty,     // an empty text in a box that may be empty: nothing to check
  Accept,    // the text stands as it is (a listed text, or any text in a free list)
  AskEmpty,  // an empty text in a box that needs a value: ask for one, refuse by default
  AskLimit,  // a text outside a limited list: ask to add it, refuse by default
  AskAdd,    // a new text in a growing list: ask to add it, accept by default
};

// How a text becomes the box's value (ApplyText).
enum class ComboApply {
  None,         // an empty text over an empty box
  SelectItem,   // the listed item is selected (again when force)
  SetText,      // an unlisted text stands without being added
  AddSilently,  // an unlisted text is added without asking (the program's own value)
  AskToAdd,     // an unlisted text is added when the window accepts it
  ClearText,    // an empty text over a typed text with no item selected
  Unselect,     // an empty text over a selected item
};

struct ComboApplyStep {
  ComboApply action = ComboApply::None;
  int index = -1;      // the item for SelectItem
  bool force = false;  // select it even when it is the selected one
};

class ComboHistory {
 public:
  ComboHistory(ComboList& list, const TextOrder& order) : list_(list), order_(order) {}

  ComboOptions& Options() { return options_; }
  const ComboOptions& Options() const { return options_; }
  const TextOrder& Order() const { return order_; }

  // The index of the item equal to the text (letter case as the box says),
  // or -1.
  int IndexOfText(const Text& text) const;
  // Where a sorted list takes the text: after the items equal to it.
  int SortedPlace(const Text& text) const;
  // Where AddItem puts a new entry: the start of a non-empty unsorted history
  // list, else its sorted place or the end.
  int NewItemPlace(const Text& text) const;
  // A picked entry of a history list moves to the start and stays selected;
  // true when it moved.
  bool MovePickToStart();
  // The check of the text when the box is left or Enter is pressed.
  ComboCheck Check(const Text& text) const;
  // How the text becomes the value of a box that shows `shown`; a program's
  // value (SetInitialText) is added to a growing list without asking.
  ComboApplyStep PlanApply(const Text& text, const Text& shown, bool programValue) const;
  // A commit checks the text only when the user changed it.
  static bool CommitNeedsCheck(bool modified) { return modified; }

 private:
  ComboList& list_;
  const TextOrder& order_;
  ComboOptions options_;
};

}  // namespace pixdeck::editing
