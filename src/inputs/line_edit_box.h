// The editing model shared by the single-line boxes (the edit and the masked
// edit) on top of QLineEdit: undo to the undo text, the user's edits told
// apart from the program's writes, Escape as undo, and the emulated
// overwrite mode with the Insert key.
#pragma once

#include <QLineEdit>
#include <functional>

#include "inputs/box_colors.h"
#include "inputs/edit_keys.h"
#include "inputs/input_box.h"
#include "inputs/undo_buffer.h"

namespace pixdeck {

class LineEditBox : public QLineEdit, public InputBox {
  Q_OBJECT
  Q_PROPERTY(bool DispatchInsMode READ DispatchInsMode WRITE SetDispatchInsMode)
  Q_PROPERTY(bool OverwriteMode READ OverwriteMode WRITE SetOverwriteMode)
  Q_PROPERTY(bool UndoWhenEsc READ UndoWhenEsc WRITE SetUndoWhenEsc)

 public:
  using NotifyEvent = std::function<void(QObject* sender)>;

  explicit LineEditBox(QWidget* parent = nullptr);

  bool UndoWhenEsc() const { return FUndoWhenEsc; }
  void SetUndoWhenEsc(bool value) { FUndoWhenEsc = value; }
  void SetDispatchInsMode(bool value) { FDispatchInsMode = value; }

  // Fired for each text change that is not the program's own.
  NotifyEvent OnEdited() const { return FOnEdited; }
  void SetOnEdited(NotifyEvent handler) { FOnEdited = std::move(handler); }
  // Fired for every change of the text, the program's own included.
  NotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(NotifyEvent handler) { FOnChange = std::move(handler); }

  // The undo text.
  QString UndoText() const { return FUndoBuffer.GetText(); }
  // Loaded has run.
  bool IsLoaded() const { return FLoaded; }

  // Selection as the model sees it: the start is the caret when nothing is
  // selected; setting the length keeps the start.
  int SelStart() const;
  int SelLength() const { return selectionLength(); }
  void SetSelStart(int start);
  void SetSelLength(int length);

  // Keeps the one-character selection after the caret in overwrite mode.
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
  bool CanUndo() const override { return isModified(); }
  bool CanClear() const override;
  bool CanCut() const override;
  bool CanPaste() const override;
  bool HasSelection() const override { return SelLength() != 0; }
  bool CanSelectAll() const override;
  void Undo() override;
  void CutSelection() override;
  void CopySelection() override;
  void PasteSelection() override;
  void DeleteSelection() override;
  void SelectAllText() override { selectAll(); }

 protected:
  // The end of loading: takes the undo text and starts counting edits.
  virtual void InitAfterLoad();
  // Fires OnEdited.
  virtual void DoEdited();
  // The text changed: an edit unless the program is writing, then OnChange.
  void Change();
  // Sets the text as the program's own write: no change is reported.
  void WriteText(const QString& text);
  // Undo puts the caret at the start (the masked edit leaves it where the
  // text puts it).
  virtual bool UndoResetsCaret() const { return true; }
  // In overwrite mode a line break after the caret is never selected.
  virtual bool GuardsLineBreak() const { return true; }

  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;

  TUndoBuffer FUndoBuffer;
  bool FInternalChange = true;
  bool FLoaded = false;
  DisabledAtLoadColor FSavedFontColor;

 private:
  bool FOverwriteMode = false;
  bool FDispatchInsMode = true;
  bool FUndoWhenEsc = false;
  EditKeys::PendingKeys FPendingKeys;
  bool FWritingText = false;
  NotifyEvent FOnEdited;
  NotifyEvent FOnChange;
};

}  // namespace pixdeck
