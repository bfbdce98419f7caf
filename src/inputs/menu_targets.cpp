#include "inputs/menu_targets.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "editing/menu_entries.h"
#include "inputs/edit_keys.h"
#include "inputs/input_box.h"

namespace pixdeck::menu_targets {

namespace {

using editing::MenuEntryStates;

void SetEnabled(const EntryItems& items, TShowMenu entry, bool enabled) {
  QAction* item = items[entry].data();
  if (item != nullptr && item->isEnabled() != enabled) {
    item->setEnabled(enabled);
  }
}

void Apply(const EntryItems& items, const MenuEntryStates& s) {
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

// --- the platform's own edits -------------------------------------------

MenuEntryStates PlainStates(bool writable, bool canUndo, bool hasSelection, bool hasText) {
  return editing::PlainEditEntryStates(writable, canUndo, hasSelection, hasText,
                                       edit_keys::ClipboardHasText());
}

template <typename TextEdit>
MenuEntryStates TextEditStates(const TextEdit& e) {
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
    Apply(items, editing::BoxEntryStates(*box));
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
    editing::RunBoxEntry(*box, entry);
  } else if (auto* e = qobject_cast<QLineEdit*>(&control)) {
    RunLineEdit(*e, entry);
  } else if (auto* e = qobject_cast<QPlainTextEdit*>(&control)) {
    RunTextEdit(*e, entry);
  } else if (auto* e = qobject_cast<QTextEdit*>(&control)) {
    RunTextEdit(*e, entry);
  }
}

}  // namespace pixdeck::menu_targets
