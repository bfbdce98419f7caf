// The program's multi-line memo on QPlainTextEdit: the common editing model
// (a line break is never overwritten), caret-movement reports, and the
// choice of the control's own undo (WindowsUndo) instead of the undo text.
#pragma once

#include <QPlainTextEdit>
#include <functional>

#include "inputs/box_colors.h"
#include "inputs/edit_keys.h"
#include "inputs/input_box.h"
#include "inputs/undo_buffer.h"

namespace pixdeck {

class TQelMemo : public QPlainTextEdit, public InputBox {
  Q_OBJECT
  Q_PROPERTY(bool DispatchInsMode READ DispatchInsMode WRITE SetDispatchInsMode)
  Q_PROPERTY(bool OverwriteMode READ OverwriteMode WRITE SetOverwriteMode)
  Q_PROPERTY(bool UndoWhenEsc READ UndoWhenEsc WRITE SetUndoWhenEsc)
  Q_PROPERTY(bool WindowsUndo READ WindowsUndo WRITE SetWindowsUndo)

 public:
  using NotifyEvent = std::function<void(QObject* sender)>;

  explicit TQelMemo(QWidget* parent = nullptr);

  bool UndoWhenEsc() const { return FUndoWhenEsc; }
  void SetUndoWhenEsc(bool value) { FUndoWhenEsc = value; }
  void SetDispatchInsMode(bool value) { FDispatchInsMode = value; }
  // Undo is the control's own last-operation undo; turning it on forgets
  // the undo text.
  bool WindowsUndo() const { return FWindowsUndo; }
  void SetWindowsUndo(bool value);

  NotifyEvent OnEdited() const { return FOnEdited; }
  void SetOnEdited(NotifyEvent handler) { FOnEdited = std::move(handler); }
  NotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(NotifyEvent handler) { FOnChange = std::move(handler); }
  // The caret may have moved.
  NotifyEvent OnCursorMove() const { return FOnCursorMove; }
  void SetOnCursorMove(NotifyEvent handler) { FOnCursorMove = std::move(handler); }

  QString UndoText() const { return FUndoBuffer.GetText(); }
  bool HasUndoText() const { return FUndoBuffer.HasText(); }
  bool IsModified() const;
  void SetModified(bool value);

  int SelStart() const;
  int SelLength() const;
  QString SelText() const;
  void SetSelStart(int start);
  void SetSelLength(int length);

  // Moves the caret, reporting it when it moved.
  void MoveCaretTo(int position);
  void UpdateOverwriteSelection();

  // InputBox
  QWidget* BoxWidget() override { return this; }
  void Loaded() override;
  bool OverwriteMode() const override { return FOverwriteMode; }
  void SetOverwriteMode(bool value) override;
  void ToggleOverwriteMode() override;
  bool DispatchInsMode() const override { return FDispatchInsMode; }
  bool IsReadOnly() const override { return isReadOnly(); }
  bool HasEditFocus() const override { return hasFocus(); }
  bool CanUndo() const override;
  bool CanClear() const override;
  bool CanCut() const override;
  bool CanPaste() const override;
  bool HasSelection() const override { return SelLength() != 0; }
  bool CanSelectAll() const override;
  void Undo() override;
  void CutSelection() override;
  void CopySelection() override { copy(); }
  void PasteSelection() override;
  void DeleteSelection() override;
  void ClearAll() override;
  void SelectAllText() override { selectAll(); }

 protected:
  virtual void InitAfterLoad();
  virtual void DoEdited();
  virtual void DoCursorMove();
  void Change();

  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  bool LineBreakSelected() const;

  TUndoBuffer FUndoBuffer;
  bool FInternalChange = true;
  bool FInUndo = false;
  bool FOverwriteMode = false;
  bool FDispatchInsMode = true;
  bool FUndoWhenEsc = false;
  bool FWindowsUndo = false;
  EditKeys::PendingKeys FPendingKeys;
  DisabledAtLoadColor FSavedFontColor;
  NotifyEvent FOnEdited;
  NotifyEvent FOnChange;
  NotifyEvent FOnCursorMove;
};

}  // namespace pixdeck
