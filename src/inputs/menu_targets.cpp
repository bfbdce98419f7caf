#include "inputs/menu_targets.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "inputs/edit_keys.h"
#include "inputs/input_box.h"

namespace pixdeck::menu_targets {

namespace {

// What the menu needs to know about a control.
struct EntryStates {
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
};

void SetEnabled(const EntryItems& items, TShowMenu entry, bool enabled) {
  QAction* item = items[entry].data();
  if (item != nullptr && item->isEnabled() != enabled) {
    item->setEnabled(enabled);
  }
}

void Apply(const EntryItems& items, const EntryStates& s) {
  SetEnabled(items, smUndo, s.undo);
  SetEnabled(items, smOverwrite, s.overwriteEnabled);
  if (QAction* item = items[smOverwrite].data(); item != nullptr && s.setOverwriteCheck) {
    if (!item->isCheckable()) {
      item->setCheckable(true);
    }
    if (item->isChecked() != s.overwriteChecked) {
      item->setChecked(s.overwriteChecked);
    }
  }
  SetEnabled(items, smCut, s.cut);
  SetEnabled(items, smCopy, s.copy);
  SetEnabled(items, smPaste, s.paste);
  SetEnabled(items, smDelete, s.del);
  SetEnabled(items, smClear, s.clear);
  SetEnabled(items, smSelectAll, s.selectAll);
}

void FocusIfNeeded(QWidget& control) {
  if (!control.hasFocus()) {
    control.setFocus(Qt::PopupFocusReason);
  }
}

// --- the family's own boxes -----------------------------------------------

EntryStates BoxStates(const InputBox& box) {
  EntryStates s;
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

void RunBox(InputBox& box, TShowMenu entry) {
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

// --- the platform's own edits -------------------------------------------

EntryStates PlainStates(bool writable, bool canUndo, bool hasSelection, bool hasText) {
  EntryStates s;
  s.undo = writable && canUndo;
  s.overwriteEnabled = false;
  s.cut = hasSelection && writable;
  s.copy = hasSelection;
  s.paste = writable && edit_keys::ClipboardHasText();
  s.del = hasSelection && writable;
  s.clear = writable && hasText;
  s.selectAll = hasText;
  return s;
}

template <typename TextEdit>
EntryStates TextEditStates(const TextEdit& e) {
  return PlainStates(!e.isReadOnly(), e.document()->isUndoAvailable(),
                     e.textCursor().hasSelection(), !e.document()->isEmpty());
}

template <typename TextEdit>
void RunTextEdit(TextEdit& e, TShowMenu entry) {
  switch (entry) {
    case smUndo:
      e.undo();
      break;
    case smCut:
      e.cut();
      break;
    case smCopy:
      e.copy();
      break;
    case smPaste:
      e.paste();
      break;
    case smDelete:
      if (!e.isReadOnly()) {
        QTextCursor cursor = e.textCursor();
        cursor.removeSelectedText();
        e.setTextCursor(cursor);
      }
      break;
    case smClear:
      e.clear();
      break;
    case smSelectAll:
      e.selectAll();
      break;
    default:
      break;
  }
}

void RunLineEdit(QLineEdit& e, TShowMenu entry) {
  switch (entry) {
    case smUndo:
      e.undo();
      break;
    case smCut:
      e.cut();
      break;
    case smCopy:
      e.copy();
      break;
    case smPaste:
      e.paste();
      break;
    case smDelete:
      // Deletes the selection only, never the character after the caret.
      if (e.hasSelectedText() && !e.isReadOnly()) {
        e.del();
      }
      break;
    case smClear:
      e.clear();
      break;
    case smSelectAll:
      e.selectAll();
      break;
    default:
      break;
  }
}

}  // namespace

void UpdateEntries(QWidget& control, const EntryItems& items) {
  if (InputBox* box = AsInputBox(&control)) {
    if (!box->HasEditFocus()) {
      box->BoxWidget()->setFocus(Qt::PopupFocusReason);
    }
    Apply(items, BoxStates(*box));
  } else if (auto* e = qobject_cast<QLineEdit*>(&control)) {
    FocusIfNeeded(control);
    Apply(items, PlainStates(!e->isReadOnly(), e->isUndoAvailable(), e->hasSelectedText(),
                             !e->text().isEmpty()));
  } else if (auto* e = qobject_cast<QPlainTextEdit*>(&control)) {
    FocusIfNeeded(control);
    Apply(items, TextEditStates(*e));
  } else if (auto* e = qobject_cast<QTextEdit*>(&control)) {
    FocusIfNeeded(control);
    Apply(items, TextEditStates(*e));
  }
}

void RunEntry(QWidget& control, TShowMenu entry) {
  if (InputBox* box = AsInputBox(&control)) {
    RunBox(*box, entry);
  } else if (auto* e = qobject_cast<QLineEdit*>(&control)) {
    RunLineEdit(*e, entry);
  } else if (auto* e = qobject_cast<QPlainTextEdit*>(&control)) {
    RunTextEdit(*e, entry);
  } else if (auto* e = qobject_cast<QTextEdit*>(&control)) {
    RunTextEdit(*e, entry);
  }
}

}  // namespace pixdeck::menu_targets
