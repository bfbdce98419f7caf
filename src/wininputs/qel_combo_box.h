// The history combo box on a native COMBOBOX control (CBS_DROPDOWN) that a
// dialog template created, its edit part found with GetComboBoxInfo: the
// editing model of every box on the edit part (undo, Escape, overwrite mode
// through the master, the shared menu) and the history rules over the list
// (new entries at the start, limit to list, the initial text, the check on
// Enter and on leaving the box, type-ahead completion, the list searches).
// The rules and their flow are the editing layer's (editing/combo_model.h,
// editing/edit_model.h); this class turns the control's messages into the
// flow's calls and the flow's writes into the control's messages.
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

#include "editing/combo_model.h"
#include "editing/edit_model.h"
#include "wininputs/input_box.h"
#include "wininputs/window_hook.h"

namespace pixdeck::wininputs {

class TQelComboBox : public InputBox {
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
  bool AddNewToStart() const { return combo_.Options().addNewToStart; }
  void SetAddNewToStart(bool value) { combo_.Options().addNewToStart = value; }
  // AddNewToList and LimitToList exclude each other: turning one on turns
  // the other off.
  bool AddNewToList() const { return combo_.Options().addNewToList; }
  void SetAddNewToList(bool value) { combo_.SetAddNewToList(value); }
  bool LimitToList() const { return combo_.Options().limitToList; }
  void SetLimitToList(bool value) { combo_.SetLimitToList(value); }
  bool AllowNull() const { return combo_.Options().allowNull; }
  void SetAllowNull(bool value) { combo_.Options().allowNull = value; }
  bool CaseSensitive() const { return combo_.Options().caseSensitive; }
  void SetCaseSensitive(bool value) { combo_.Options().caseSensitive = value; }
  bool AutoExpand() const { return combo_.AutoExpand(); }
  void SetAutoExpand(bool value) { combo_.SetAutoExpand(value); }
  bool AutoPickItem() const { return combo_.AutoPickItem(); }
  void SetAutoPickItem(bool value) { combo_.SetAutoPickItem(value); }
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
  int Count() const;
  std::u16string Item(int index) const;
  std::vector<std::u16string> Items() const;
  // Replaces the whole list (a history loaded from the settings); the text
  // stays as it is.
  void SetItems(const std::vector<std::u16string>& items);
  std::vector<std::string> ItemsUtf8() const;
  void SetItemsUtf8(const std::vector<std::string>& items);
  // The selected item, or -1.
  int ItemIndex() const;
  // The item equal to the text (letter case as CaseSensitive says), or -1.
  int IndexOfText(const std::u16string& text) const { return combo_.IndexOfText(text); }

  // --- the text ---------------------------------------------------------------
  std::u16string Text() const;
  std::string TextUtf8() const;
  // The program's value: selects its item, or sets it (added to a growing
  // list without asking); it becomes the undo text and Modified ends clear.
  void SetInitialText(const std::u16string& text) { combo_.SetInitialText(text); }
  void SetInitialTextUtf8(std::string_view text);
  // Checks a text the user changed against the list, as Enter does; true
  // when the text needed handling. An unmodified box answers false.
  bool CommitText() { return combo_.CommitText(); }
  // A button is about to act while the box may hold a changed text that
  // Enter or leaving the box would check: checks it now.
  void ValidateBeforeAction() { combo_.ValidateBeforeAction(); }
  // The user changed the text since the undo text was taken; the window may
  // set it (a name chosen in a file dialog is the user's).
  bool Modified() const { return combo_.Modified(); }
  void SetModified(bool value) { combo_.SetModified(value); }
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
  bool CanUndo() const override { return edit_.CanUndo(); }
  bool CanClear() const override { return edit_.CanClear(); }
  bool CanCut() const override { return edit_.CanCut(); }
  bool CanPaste() const override { return edit_.CanPaste(); }
  bool HasSelection() const override { return edit_.HasSelection(); }
  bool CanSelectAll() const override { return edit_.CanSelectAll(); }
  void Undo() override { edit_.Undo(); }
  void ToggleOverwriteMode() override { edit_.ToggleOverwriteMode(); }
  void CutSelection() override;
  void CopySelection() override { edit_.CopySelection(); }
  void PasteSelection() override { edit_.PasteSelection(); }
  void DeleteSelection() override { combo_.DeleteSelection(); }
  void ClearAll() override { combo_.ClearText(); }
  void SelectAllText() override;

  // The edit part's selection in UTF-16 units.
  int SelStart() const;
  int SelLength() const;
  void SetSelection(int start, int length);

 private:
  // The edit part as the edit model sees it.
  class EditPart : public editing::EditControl {
   public:
    explicit EditPart(TQelComboBox& box) : box_(box) {}
    editing::Text GetText() const override { return box_.Text(); }
    void SetText(const editing::Text& text) override { box_.SetEditText(text); }
    // The undo text goes back as the box's value: its item is selected.
    void RestoreText(const editing::Text& text) override { box_.combo_.ApplyText(text); }
    int SelStart() const override { return box_.SelStart(); }
    int SelLength() const override { return box_.SelLength(); }
    void SetSelection(int start, int length) override { box_.SetSelection(start, length); }
    bool IsReadOnly() const override { return box_.readOnly_; }
    bool HasFocus() const override;
    bool IsModified() const override { return box_.Modified(); }
    void SetModified(bool value) override { box_.SetModified(value); }
    bool ClipboardHasText() const override;
    void Cut() override;
    void Copy() override;
    void Paste() override;
    void ClearSelection() override;
    void EmptyText() override;
    // Asks OnPaste.
    bool PasteAllowed() override;
    editing::ModeMaster* WindowMaster() const override;
    // The box's change handling fires OnEdited itself (a selection made by
    // the box is no edit).
    void Edited() override {}
    void Changed() override { box_.combo_.Change(); }

   private:
    TQelComboBox& box_;
  };

  // The list and the edit part as the combo box's flow sees them.
  class ComboPart : public editing::ComboControl {
   public:
    explicit ComboPart(TQelComboBox& box) : box_(box) {}
    int Count() const override { return box_.Count(); }
    editing::Text ItemText(int index) const override { return box_.Item(index); }
    int CurrentIndex() const override { return box_.ItemIndex(); }
    void SetCurrentIndex(int index) override { box_.SetListIndex(index); }
    void MoveItem(int fromIndex, int toIndex) override { box_.MoveItem(fromIndex, toIndex); }
    editing::Text GetText() const override { return box_.Text(); }
    void SetText(const editing::Text& text) override { box_.SetEditText(text); }
    int SelStart() const override { return box_.SelStart(); }
    int SelLength() const override { return box_.SelLength(); }
    void SetSelection(int start, int length) override { box_.SetSelection(start, length); }
    void InsertItem(int index, const editing::Text& text) override;
    bool HasNotInList() const override { return static_cast<bool>(box_.onNotInList_); }
    bool AskNotInList(editing::Text& text, bool acceptByDefault) override;
    void FocusBox() override;
    void ListPicked() override { Fire(box_.onListPick_); }
    void Edited() override { Fire(box_.onEdited_); }
    void Changed() override { Fire(box_.onChange_); }

   private:
    static void Fire(const NotifyEvent& event) {
      if (event) {
        event();
      }
    }
    TQelComboBox& box_;
  };

  bool HandleComboMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool HandleEditMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool HandleParentMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Enter after the check: on to the window's default button.
  void PressDefaultButton();

  // The program's writes to the control: they report nothing.
  void SetEditText(const std::u16string& text);
  void SetListIndex(int index);
  void MoveItem(int fromIndex, int toIndex);

  WindowHook comboHook_;
  WindowHook editHook_;
  WindowHook parentHook_;
  HWND list_ = nullptr;  // the drop-down list's window
  bool readOnly_ = false;
  EditPart editPart_{*this};
  editing::EditModel edit_{editPart_, editing::EditPolicy::ComboEdit()};
  ComboPart comboPart_{*this};
  editing::ComboModel combo_;
  NotifyEvent onEdited_;
  NotifyEvent onChange_;
  NotifyEvent onListPick_;
  NotInListEvent onNotInList_;
  PromptEvent onPaste_;
};

}  // namespace pixdeck::wininputs
