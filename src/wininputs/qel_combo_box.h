// The history combo box on a native COMBOBOX control (CBS_DROPDOWN) that a
// dialog template created, its edit part found with GetComboBoxInfo: the
// editing model of every box on the edit part (undo, Escape, overwrite mode
// through the master, the shared menu) and the history rules over the list
// (new entries at the start, limit to list, the initial text, the check on
// Enter and on leaving the box, type-ahead completion, the list searches).
// The rules are the editing layer's (editing/combo_history.h,
// editing/edit_model.h); this class carries their steps out on the control.
//
//   TQelComboBox cmbSpecs;
//   cmbSpecs.SetAddNewToStart(true);
//   cmbSpecs.SetAddNewToList(true);
//   cmbSpecs.SetAllowNull(false);
//   cmbSpecs.SetUndoWhenEsc(true);
//   cmbSpecs.Attach(GetDlgItem(dialog, IDC_SPECS));
//   cmbSpecs.SetItemsUtf8(settings.specs);
//   cmbSpecs.SetInitialTextUtf8(settings.specs.front());
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "editing/combo_history.h"
#include "editing/edit_model.h"
#include "wininputs/input_box.h"
#include "wininputs/window_hook.h"

namespace pixdeck::wininputs {

class TQelComboBox : public InputBox, private editing::EditControl, private editing::ComboList {
 public:
  using NotifyEvent = std::function<void()>;
  // Asked whether a text outside the list may be added (or, for an empty
  // text, what to put instead): the handler may change the text and decides.
  using NotInListEvent = std::function<void(std::u16string& newText, bool& accept)>;
  // Asked before a paste; false refuses it.
  using PromptEvent = std::function<void(bool& accept)>;

  TQelComboBox();
  ~TQelComboBox();

  // Takes over the COMBOBOX control and its edit part: subclasses both and
  // the parent, joins the window's master (create the master first) and ends
  // loading: with AllowNull off and items present the first item is
  // selected, and the text becomes the undo text. Set the options before.
  void Attach(HWND combo);
  void Detach();

  HWND Handle() const override { return comboHook_.Window(); }
  HWND EditHandle() const override { return editHook_.Window(); }

  // --- options (Part names) -----------------------------------------------
  bool AddNewToStart() const { return history_.Options().addNewToStart; }
  void SetAddNewToStart(bool value) { history_.Options().addNewToStart = value; }
  // AddNewToList and LimitToList exclude each other: turning one on turns
  // the other off.
  bool AddNewToList() const { return history_.Options().addNewToList; }
  void SetAddNewToList(bool value);
  bool LimitToList() const { return history_.Options().limitToList; }
  void SetLimitToList(bool value);
  bool AllowNull() const { return history_.Options().allowNull; }
  void SetAllowNull(bool value) { history_.Options().allowNull = value; }
  bool CaseSensitive() const { return history_.Options().caseSensitive; }
  void SetCaseSensitive(bool value) { history_.Options().caseSensitive = value; }
  bool AutoExpand() const { return autoExpand_; }
  void SetAutoExpand(bool value) { autoExpand_ = value; }
  bool AutoPickItem() const { return autoPickItem_; }
  void SetAutoPickItem(bool value) { autoPickItem_ = value; }
  bool UndoWhenEsc() const { return edit_.UndoWhenEsc(); }
  void SetUndoWhenEsc(bool value) { edit_.SetUndoWhenEsc(value); }
  bool DispatchInsMode() const { return edit_.DispatchInsMode(); }
  void SetDispatchInsMode(bool value) { edit_.SetDispatchInsMode(value); }
  bool OverwriteMode() const override { return edit_.OverwriteMode(); }
  void SetOverwriteMode(bool value) override { edit_.SetOverwriteMode(value); }
  // EM_SETREADONLY on the edit part: no typing, deleting or stepping
  // through the list from the keyboard.
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);

  // --- the list ---------------------------------------------------------------
  int Count() const override;
  std::u16string Item(int index) const { return ItemText(index); }
  std::vector<std::u16string> Items() const;
  // Replaces the whole list (a history loaded from the settings); the text
  // stays as it is.
  void SetItems(const std::vector<std::u16string>& items);
  std::vector<std::string> ItemsUtf8() const;
  void SetItemsUtf8(const std::vector<std::string>& items);
  // The selected item, or -1.
  int ItemIndex() const { return CurrentIndex(); }
  // The item equal to the text (letter case as CaseSensitive says), or -1.
  int IndexOfText(const std::u16string& text) const { return history_.IndexOfText(text); }

  // --- the text ---------------------------------------------------------------
  std::u16string Text() const { return GetText(); }
  std::string TextUtf8() const;
  // The program's value: selects its item, or sets it (added to a growing
  // list without asking); it becomes the undo text and Modified ends clear.
  void SetInitialText(const std::u16string& text);
  void SetInitialTextUtf8(std::string_view text);
  // Checks a text the user changed against the list, as Enter does; true
  // when the text needed handling. An unmodified box answers false.
  bool CommitText();
  // The user changed the text since the undo text was taken; the window may
  // set it (a name chosen in a file dialog is the user's).
  bool Modified() const { return modified_; }
  void SetModified(bool value) override { modified_ = value; }
  std::u16string UndoText() const { return edit_.UndoBuffer().GetText(); }

  // --- events -----------------------------------------------------------------
  void SetOnEdited(NotifyEvent handler) { onEdited_ = std::move(handler); }
  void SetOnChange(NotifyEvent handler) { onChange_ = std::move(handler); }
  // An item became the selected one (after a picked item moved to the start).
  void SetOnListPick(NotifyEvent handler) { onListPick_ = std::move(handler); }
  void SetOnNotInList(NotInListEvent handler) { onNotInList_ = std::move(handler); }
  void SetOnPaste(PromptEvent handler) { onPaste_ = std::move(handler); }

  // --- the menu's queries and commands (MenuTarget) ---------------------------
  bool IsReadOnly() const override { return readOnly_; }
  bool CanUndo() const override { return modified_; }
  bool CanClear() const override { return edit_.CanClear(); }
  bool CanCut() const override { return edit_.CanCut(); }
  bool CanPaste() const override { return edit_.CanPaste(); }
  bool HasSelection() const override { return edit_.HasSelection(); }
  bool CanSelectAll() const override { return edit_.CanSelectAll(); }
  void Undo() override { edit_.Undo(); }
  void ToggleOverwriteMode() override { edit_.ToggleOverwriteMode(); }
  void CutSelection() override;
  void CopySelection() override { edit_.CopySelection(); }
  void PasteSelection() override;
  void DeleteSelection() override;
  void ClearAll() override;
  void SelectAllText() override;

  // The edit part's selection in UTF-16 units.
  int SelStart() const override;
  int SelLength() const override;
  void SetSelection(int start, int length) override;

 private:
  // EditControl
  editing::Text GetText() const override;
  void SetText(const editing::Text& text) override;
  void RestoreText(const editing::Text& text) override;
  bool HasFocus() const override;
  bool IsModified() const override { return modified_; }
  bool ClipboardHasText() const override;
  void Cut() override;
  void Copy() override;
  void Paste() override;
  void ClearSelection() override;
  void EmptyText() override;
  bool PasteAllowed() override;
  editing::ModeMaster* WindowMaster() const override;
  void Edited() override;
  void Changed() override;
  // ComboList
  editing::Text ItemText(int index) const override;
  int CurrentIndex() const override;
  void SetCurrentIndex(int index) override;
  void MoveItem(int fromIndex, int toIndex) override;

  bool HandleComboMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool HandleEditMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool HandleParentMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // The steps of the history rules on this control.
  void Change();
  void ExpandText();
  void ApplyText(const std::u16string& text);
  bool ValidateText(bool refocus);
  void DoListPick();
  void DoNotInList(std::u16string& newText, bool& accept);
  void AddItem(const std::u16string& text);
  void AddNewItem(const std::u16string& text);
  void SelectItem(int index);
  void SetIndexKeepText(int index);
  void SelectFirstItem();
  void UserSelected();
  void SetEditText(const std::u16string& text);

  WindowHook comboHook_;
  WindowHook editHook_;
  WindowHook parentHook_;
  editing::EditModel edit_;
  const editing::TextOrder& order_;
  editing::ComboHistory history_;
  HWND list_ = nullptr;  // the drop-down list's window
  bool modified_ = false;
  bool readOnly_ = false;
  bool refused_ = false;  // the last check restored the undo text
  bool autoExpand_ = true;
  bool autoPickItem_ = true;
  bool forceSelect_ = false;
  bool selecting_ = false;
  bool pickGuard_ = false;
  bool noAutoExpand_ = false;
  NotifyEvent onEdited_;
  NotifyEvent onChange_;
  NotifyEvent onListPick_;
  NotInListEvent onNotInList_;
  PromptEvent onPaste_;
};

}  // namespace pixdeck::wininputs
