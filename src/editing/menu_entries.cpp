#include "editing/menu_entries.h"

#include <array>

namespace pixdeck::editing {

namespace {

constexpr std::array<MenuEntryTexts, kShowMenuCount> kEntries = {{
    {"_Undo", "&Undo", "Undo changes to input text"},
    {"_Overwrite", "&Overwrite Mode", "Toggle Insert/Overwrite mode"},
    {"_Break1", "-", ""},
    {"_Cut", "Cu&t", "Cut selected text to clipboard"},
    {"_Copy", "&Copy", "Copy selected text to clipboard"},
    {"_Paste", "&Paste", "Paste text from clipboard to input box"},
    {"_Delete", "&Delete", "Delete selected text"},
    {"_Clear", "C&lear All", "Clear all text from input box"},
    {"_Break2", "-", ""},
    {"_SelectAll", "Select &All", "Select all text in input box"},
}};

}  // namespace

const MenuEntryTexts& EntryTexts(TShowMenu entry) {
  return kEntries[static_cast<size_t>(entry)];
}

bool IsSeparatorEntry(TShowMenu entry) {
  return EntryTexts(entry).caption == "-";
}

int EntryPosition(TShowMenuSet shown, TShowMenu entry) {
  int position = 0;
  for (int e = 0; e < entry; ++e) {
    if (shown.Contains(static_cast<TShowMenu>(e))) {
      ++position;
    }
  }
  return position;
}

bool EntryOfTag(int tag, TShowMenu& entry) {
  const int ordinal = tag & 0xFF;
  if (ordinal < 0 || ordinal >= kShowMenuCount ||
      IsSeparatorEntry(static_cast<TShowMenu>(ordinal))) {
    return false;
  }
  entry = static_cast<TShowMenu>(ordinal);
  return true;
}

bool MenuEntryStates::Enabled(TShowMenu entry) const {
  switch (entry) {
    case smUndo:
      return undo;
    case smOverwrite:
      return overwriteEnabled;
    case smCut:
      return cut;
    case smCopy:
      return copy;
    case smPaste:
      return paste;
    case smDelete:
      return del;
    case smClear:
      return clear;
    case smSelectAll:
      return selectAll;
    default:
      return false;
  }
}

MenuEntryStates BoxEntryStates(const MenuTarget& box) {
  MenuEntryStates s;
  s.undo = box.CanUndo();
  s.overwriteEnabled = !box.IsReadOnly();
  s.setOverwriteCheck = true;
  s.overwriteChecked = box.OverwriteMode();
  s.cut = box.CanCut();
  s.copy = box.HasSelection();
  s.paste = box.CanPaste();
  s.del = box.CanCut();
  s.clear = box.CanClear();
  s.selectAll = box.CanSelectAll();
  return s;
}

MenuEntryStates PlainEditEntryStates(bool writable, bool canUndo, bool hasSelection, bool hasText,
                                     bool clipboardHasText) {
  MenuEntryStates s;
  s.undo = writable && canUndo;
  s.overwriteEnabled = false;
  s.cut = hasSelection && writable;
  s.copy = hasSelection;
  s.paste = writable && clipboardHasText;
  s.del = hasSelection && writable;
  s.clear = writable && hasText;
  s.selectAll = hasText;
  return s;
}

void RunBoxEntry(MenuTarget& box, TShowMenu entry) {
  switch (entry) {
    case smUndo:
      box.Undo();
      break;
    case smOverwrite:
      box.ToggleOverwriteMode();
      break;
    case smCut:
      box.CutSelection();
      break;
    case smCopy:
      box.CopySelection();
      break;
    case smPaste:
      box.PasteSelection();
      break;
    case smDelete:
      box.DeleteSelection();
      break;
    case smClear:
      box.ClearAll();
      break;
    case smSelectAll:
      box.SelectAllText();
      break;
    default:
      break;
  }
}

}  // namespace pixdeck::editing
