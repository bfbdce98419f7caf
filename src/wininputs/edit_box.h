// The common adaptor of the native EDIT boxes (the single-line edit and the
// memo): it subclasses an EDIT control that a dialog template created and
// its parent, turns the control's keys, clicks, focus, clipboard messages
// and EN_CHANGE into the editing model's calls, and the model's writes into
// edit-control messages. The rules are the model's (editing/edit_model.h).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "editing/edit_model.h"
#include "wininputs/input_box.h"
#include "wininputs/window_hook.h"

namespace pixdeck::wininputs {

class EditBox : public InputBox, private editing::EditControl {
 public:
  using NotifyEvent = std::function<void()>;

  ~EditBox();

  // Takes over the EDIT control: subclasses it and its parent, joins the
  // window's master (create the master first) and ends loading, so that the
  // control's present text becomes the undo text and edits count from here
  // on. Attaching again lets go of the control attached before.
  void Attach(HWND edit);
  void Detach();

  HWND Handle() const override { return editHook_.Window(); }
  HWND EditHandle() const override { return editHook_.Window(); }

  // --- properties --------------------------------------------------------
  bool UndoWhenEsc() const { return model_.UndoWhenEsc(); }
  void SetUndoWhenEsc(bool value) { model_.SetUndoWhenEsc(value); }
  bool DispatchInsMode() const { return model_.DispatchInsMode(); }
  void SetDispatchInsMode(bool value) { model_.SetDispatchInsMode(value); }
  bool OverwriteMode() const override { return model_.OverwriteMode(); }
  void SetOverwriteMode(bool value) override { model_.SetOverwriteMode(value); }
  // EM_SETREADONLY on the control.
  void SetReadOnly(bool value);

  // --- the text ----------------------------------------------------------
  std::u16string Text() const { return GetText(); }
  std::string TextUtf8() const;
  // The program's write: a different text becomes the text and the undo
  // text, the box is not modified, OnChange fires and OnEdited does not.
  void SetInitialText(const std::u16string& text) { model_.SetInitialText(text); }
  void SetInitialTextUtf8(std::string_view text);
  std::u16string UndoText() const { return model_.UndoBuffer().GetText(); }
  // The control's modified flag (EM_GETMODIFY): the user changed the text
  // since the undo text was taken. The window may set it (a name chosen in a
  // file dialog is the user's).
  bool Modified() const { return IsModified(); }
  void SetModified(bool value) override;

  // Fired for each change of the text that is not the program's own.
  void SetOnEdited(NotifyEvent handler) { onEdited_ = std::move(handler); }
  // Fired for every change of the text, the program's own included.
  void SetOnChange(NotifyEvent handler) { onChange_ = std::move(handler); }

  // --- the menu's queries and commands (MenuTarget) ----------------------
  bool IsReadOnly() const override;
  bool CanUndo() const override { return model_.CanUndo(); }
  bool CanClear() const override { return model_.CanClear(); }
  bool CanCut() const override { return model_.CanCut(); }
  bool CanPaste() const override { return model_.CanPaste(); }
  bool HasSelection() const override { return model_.HasSelection(); }
  bool CanSelectAll() const override { return model_.CanSelectAll(); }
  void Undo() override { model_.Undo(); }
  void ToggleOverwriteMode() override { model_.ToggleOverwriteMode(); }
  void CutSelection() override { model_.CutSelection(); }
  void CopySelection() override { model_.CopySelection(); }
  void PasteSelection() override { model_.PasteSelection(); }
  void DeleteSelection() override { model_.DeleteSelection(); }
  void ClearAll() override { model_.ClearAll(); }
  void SelectAllText() override;

  // The selection in UTF-16 units: its start is the caret when nothing is
  // selected.
  int SelStart() const override;
  int SelLength() const override;
  void SetSelection(int start, int length) override;

 protected:
  explicit EditBox(editing::EditPolicy policy);
  editing::EditModel& Model() { return model_; }
  const editing::EditModel& Model() const { return model_; }
  // The control's messages, after the model's handling of its own; true:
  // answered with result. Derived boxes add theirs.
  virtual bool HandleEditMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // The control's own handling of a message (past the box).
  LRESULT CallControl(UINT message, WPARAM wParam, LPARAM lParam) {
    return editHook_.CallNext(message, wParam, lParam);
  }
  // After the key, click and paste handling: the caret may have moved.
  virtual void CaretMayHaveMoved() {}
  // At the end of Attach, before the undo text is taken.
  virtual void Loading() {}

  // EditControl
  editing::Text GetText() const override;
  void SetText(const editing::Text& text) override;
  bool HasFocus() const override;
  bool IsModified() const override;
  bool ClipboardHasText() const override;
  void Cut() override;
  void Copy() override;
  void Paste() override;
  void ClearSelection() override;
  void EmptyText() override;
  bool CanUndoOwn() const override;
  void UndoOwn() override;
  editing::ModeMaster* WindowMaster() const override;
  void Edited() override;
  void Changed() override;

 private:
  bool HandleParentMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  editing::EditModel model_;
  WindowHook editHook_;
  WindowHook parentHook_;
  NotifyEvent onEdited_;
  NotifyEvent onChange_;
};

}  // namespace pixdeck::wininputs
