// The program's multi-line memo on QPlainTextEdit: the common editing model
// (a line break is never overwritten), caret-movement reports, and the
// choice of the control's own undo (WindowsUndo) instead of the undo text.
#pragma once

#include <QPlainTextEdit>
#include <functional>

#include "editing/edit_model.h"
#include "inputs/box_colors.h"
#include "inputs/input_box.h"

namespace pixdeck {

class TQelMemo : public QPlainTextEdit, public ModelInputBox, private editing::EditControl {
  Q_OBJECT
  Q_PROPERTY(bool DispatchInsMode READ DispatchInsMode WRITE SetDispatchInsMode)
  Q_PROPERTY(bool OverwriteMode READ OverwriteMode WRITE SetOverwriteMode)
  Q_PROPERTY(bool UndoWhenEsc READ UndoWhenEsc WRITE SetUndoWhenEsc)
  Q_PROPERTY(bool WindowsUndo READ WindowsUndo WRITE SetWindowsUndo)

 public:
  using NotifyEvent = std::function<void(QObject* sender)>;

  explicit TQelMemo(QWidget* parent = nullptr);

  bool UndoWhenEsc() const { return model_.UndoWhenEsc(); }
  void SetUndoWhenEsc(bool value) { model_.SetUndoWhenEsc(value); }
  void SetDispatchInsMode(bool value) { model_.SetDispatchInsMode(value); }
  // Undo is the control's own last-operation undo; turning it on forgets
  // the undo text.
  bool WindowsUndo() const { return model_.ControlUndo(); }
  void SetWindowsUndo(bool value) { model_.SetControlUndo(value); }

  NotifyEvent OnEdited() const { return onEdited_; }
  void SetOnEdited(NotifyEvent handler) { onEdited_ = std::move(handler); }
  NotifyEvent OnChange() const { return onChange_; }
  void SetOnChange(NotifyEvent handler) { onChange_ = std::move(handler); }
  // The caret may have moved.
  NotifyEvent OnCursorMove() const { return onCursorMove_; }
  void SetOnCursorMove(NotifyEvent handler) { onCursorMove_ = std::move(handler); }

  QString UndoText() const;
  bool HasUndoText() const { return model_.UndoBuffer().HasText(); }
  bool IsModified() const override;
  void SetModified(bool value) override;

  int SelStart() const override;
  int SelLength() const override;
  QString SelText() const;
  void SetSelStart(int start);
  void SetSelLength(int length) { SetSelection(SelStart(), length); }

  // Moves the caret, reporting it when it moved.
  void MoveCaretTo(int position);
  void UpdateOverwriteSelection() { model_.UpdateOverwriteSelection(); }

  // InputBox
  QWidget* BoxWidget() override { return this; }
  void Loaded() override;
  bool IsReadOnly() const override { return isReadOnly(); }
  bool HasEditFocus() const override { return hasFocus(); }
  void Undo() override;
  void PasteSelection() override;
  void ClearAll() override;
  void SelectAllText() override { selectAll(); }

 protected:
  virtual void InitAfterLoad();
  virtual void DoEdited();
  virtual void DoCursorMove();

  editing::EditModel& Model() override { return model_; }

  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  // EditControl
  editing::Text GetText() const override;
  void SetText(const editing::Text& text) override;
  void SetSelection(int start, int length) override;
  bool HasFocus() const override { return hasFocus(); }
  bool ClipboardHasText() const override;
  void Cut() override { cut(); }
  void Copy() override { copy(); }
  void Paste() override { paste(); }
  void ClearSelection() override;
  void EmptyText() override { clear(); }
  bool CanUndoOwn() const override;
  void UndoOwn() override { undo(); }
  editing::ModeMaster* WindowMaster() const override { return Master(); }
  void Edited() override { DoEdited(); }
  void Changed() override;

  editing::EditModel model_;
  DisabledAtLoadColor FSavedFontColor;
  NotifyEvent onEdited_;
  NotifyEvent onChange_;
  NotifyEvent onCursorMove_;
};

}  // namespace pixdeck
