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

class ComboHistory {
 public:
  ComboHistory(ComboList& list, const TextOrder& order) : list_(list), order_(order) {}

  ComboOptions& Options() { return options_; }
  const ComboOptions& Options() const { return options_; }

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

 private:
  ComboList& list_;
  const TextOrder& order_;
  ComboOptions options_;
};

}  // namespace pixdeck::editing
