// The shared context menu's rules, for every toolkit's menu: each entry's
// name suffix, caption and hint, where an entry stands among those shown,
// which entries a box enables (and whether Overwrite Mode is checked), and
// what a chosen entry does to a box. The toolkit builds the menu, shows it
// and carries the platform's own edits' commands out.
#pragma once

#include <string_view>

#include "editing/show_menu.h"

namespace pixdeck::editing {

// The fixed texts of an entry. A caption of "-" makes a separator, which
// has no hint.
struct MenuEntryTexts {
  std::string_view suffix;
  std::string_view caption;
  std::string_view hint;
};
const MenuEntryTexts& EntryTexts(TShowMenu entry);
bool IsSeparatorEntry(TShowMenu entry);

// The place of an entry in a menu that shows the entries of the set: the
// number of shown entries before it.
int EntryPosition(TShowMenuSet shown, TShowMenu entry);

// The entry that a menu item's tag stands for (its low byte); false for a
// tag of no entry or of a separator.
bool EntryOfTag(int tag, TShowMenu& entry);

// What the menu asks of an input box of the family and tells it to do.
class MenuTarget {
 public:
  virtual bool IsReadOnly() const = 0;
  virtual bool OverwriteMode() const = 0;
  // The Undo entry: the modified flag (the memo's and combo box's own rule).
  virtual bool CanUndo() const = 0;
  virtual bool CanClear() const = 0;
  virtual bool CanCut() const = 0;  // also the Delete entry
  virtual bool CanPaste() const = 0;
  virtual bool HasSelection() const = 0;  // the Copy entry
  virtual bool CanSelectAll() const = 0;

  virtual void Undo() = 0;
  // Through the window's master when the box dispatches the Insert key.
  virtual void ToggleOverwriteMode() = 0;
  virtual void CutSelection() = 0;
  virtual void CopySelection() = 0;
  // Inserts the clipboard's text even in overwrite mode.
  virtual void PasteSelection() = 0;
  virtual void DeleteSelection() = 0;
  // Clear All (the edit's and memo's clear, the combo box's ClearText).
  virtual void ClearAll() = 0;
  virtual void SelectAllText() = 0;

 protected:
  ~MenuTarget() = default;
};

// The entries' enabled states for one control, and the check mark of
// Overwrite Mode when the control has one.
struct MenuEntryStates {
  bool undo = false;
  bool overwriteEnabled = false;
  bool setOverwriteCheck = false;  // false: the check mark stays as it was
  bool overwriteChecked = false;
  bool cut = false;
  bool copy = false;
  bool paste = false;
  bool del = false;
  bool clear = false;
  bool selectAll = false;

  // The state of an entry; separators are never enabled.
  bool Enabled(TShowMenu entry) const;
};

// For a box of the family.
MenuEntryStates BoxEntryStates(const MenuTarget& box);

// For one of the platform's own edit controls: no overwrite mode (its check
// mark stays), Undo from the control's own undo.
MenuEntryStates PlainEditEntryStates(bool writable, bool canUndo, bool hasSelection, bool hasText,
                                     bool clipboardHasText);

// Carries the entry's command out on a box of the family; separators do
// nothing.
void RunBoxEntry(MenuTarget& box, TShowMenu entry);

}  // namespace pixdeck::editing
