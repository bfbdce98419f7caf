// The single-line boxes (the edit and the masked edit) on QLineEdit: Qt's
// events turned into the editing model's calls, and the model's writes into
// QLineEdit's.
#pragma once

#include <QLineEdit>
#include <functional>

#include "editing/edit_model.h"
#include "inputs/box_colors.h"
#include "inputs/input_box.h"

namespace pixdeck {

class LineEditBox : public QLineEdit, public ModelInputBox, private editing::EditControl {
  Q_OBJECT
  Q_PROPERTY(bool DispatchInsMode READ DispatchInsMode WRITE SetDispatchInsMode)
  Q_PROPERTY(bool OverwriteMode READ OverwriteMode WRITE SetOverwriteMode)
  Q_PROPERTY(bool UndoWhenEsc READ UndoWhenEsc WRITE SetUndoWhenEsc)

 public:
  using NotifyEvent = std::function<void(QObject* sender)>;

  explicit LineEditBox(QWidget* parent = nullptr,
                       editing::EditPolicy policy = editing::EditPolicy::SingleLine());

  bool UndoWhenEsc() const { return model_.UndoWhenEsc(); }
  void SetUndoWhenEsc(bool value) { model_.SetUndoWhenEsc(value); }
  void SetDispatchInsMode(bool value) { model_.SetDispatchInsMode(value); }

  // Fired for each text change that is not the program's own.
  NotifyEvent OnEdited() const { return onEdited_; }
  void SetOnEdited(NotifyEvent handler) { onEdited_ = std::move(handler); }
  // Fired for every change of the text, the program's own included.
  NotifyEvent OnChange() const { return onChange_; }
  void SetOnChange(NotifyEvent handler) { onChange_ = std::move(handler); }

  // The undo text.
  QString UndoText() const;
  // Loaded has run.
  bool IsLoaded() const { return loaded_; }

  // Selection as the model sees it: the start is the caret when nothing is
  // selected; setting the length keeps the start.
  int SelStart() const override;
  int SelLength() const override { return selectionLength(); }
  void SetSelStart(int start) { setCursorPosition(start); }
  void SetSelLength(int length) { SetSelection(SelStart(), length); }

  // Keeps the one-character selection after the caret in overwrite mode.
  void UpdateOverwriteSelection() { model_.UpdateOverwriteSelection(); }

  // InputBox
  QWidget* BoxWidget() override { return this; }
  void Loaded() override;
  bool IsReadOnly() const override { return isReadOnly(); }
  bool HasEditFocus() const override { return hasFocus(); }
  void SelectAllText() override { selectAll(); }

 protected:
  // The end of loading: takes the undo text and starts counting edits.
  virtual void InitAfterLoad();
  // Fires OnEdited.
  virtual void DoEdited();

  editing::EditModel& Model() override { return model_; }

  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;

  DisabledAtLoadColor FSavedFontColor;

 private:
  // EditControl
  editing::Text GetText() const override;
  void SetText(const editing::Text& text) override;
  void SetSelection(int start, int length) override;
  bool HasFocus() const override { return hasFocus(); }
  bool IsModified() const override { return isModified(); }
  void SetModified(bool value) override { setModified(value); }
  bool ClipboardHasText() const override;
  void Cut() override { cut(); }
  void Copy() override { copy(); }
  void Paste() override { paste(); }
  void ClearSelection() override { del(); }
  void EmptyText() override { clear(); }
  editing::ModeMaster* WindowMaster() const override { return Master(); }
  void Edited() override { DoEdited(); }
  void Changed() override;

  editing::EditModel model_;
  bool loaded_ = false;
  NotifyEvent onEdited_;
  NotifyEvent onChange_;
};

}  // namespace pixdeck
