// The window-wide coordinator of the input boxes, at most one per window: it
// holds the window's overwrite mode and pushes every change of it to all
// boxes, hands the shared context menu to the window's edit-like controls
// that have no menu of their own (and takes it back), and reports mode changes.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

#include "inputs/input_box.h"

class QMenu;

namespace pixdeck {

class TInputBoxMenu;

class TInputBoxMaster : public QObject, public InputBoxMaster {
  Q_OBJECT
  Q_PROPERTY(bool OverwriteMode READ OverwriteMode WRITE SetOverwriteMode)
  Q_PROPERTY(bool UseContextMenu READ UseContextMenu WRITE SetUseContextMenu)

 public:
  using NotifyEvent = std::function<void(QObject* sender)>;

  // The parent is the window (or anything on it). A window that already has
  // a master refuses a second one: EShowError code 3 naming the first.
  explicit TInputBoxMaster(QObject* parent = nullptr);
  ~TInputBoxMaster() override;

  // The window whose boxes this master coordinates, or none.
  QWidget* OwnerWindow() const;

  QObject* MasterObject() override { return this; }

  bool OverwriteMode() const override { return FOverwriteMode; }
  void SetOverwriteMode(bool value) override;

  bool UseContextMenu() const override { return FUseContextMenu; }
  void SetUseContextMenu(bool value);

  QMenu* InputBoxMenu() const override;
  TInputBoxMenu* SharedMenu() const { return FInputBoxMenu.data(); }
  void SetInputBoxMenu(TInputBoxMenu* menu);

  // Fired after OverwriteMode took a new value.
  NotifyEvent OnModeChange() const { return FOnModeChange; }
  void SetOnModeChange(NotifyEvent handler) { FOnModeChange = std::move(handler); }

  // The one-time set-up after the window's description was applied: every
  // box of the window learns its master.
  void Loaded();
  virtual void AttachInputBoxes();

  // The master of the window, or none: only masters on that window itself,
  // not on the dialogs it owns.
  static TInputBoxMaster* OfWindow(const QWidget* window);

 protected:
  virtual void DoModeChange();

 private:
  static QObject* RefuseSecondMaster(QObject* parent);
  std::vector<InputBox*> WindowBoxes() const;
  // The window's edits and memos (ours and the platform's) that may share
  // the menu; combo boxes of the platform and edit parts of other controls
  // are left out.
  std::vector<QWidget*> EditLikeControls() const;
  void ObtainMenu();
  void SpreadMenu();
  void MenuDestroyed();

  bool FOverwriteMode = false;
  bool FUseContextMenu = false;
  QPointer<TInputBoxMenu> FInputBoxMenu;
  QMetaObject::Connection menuLink_;
  NotifyEvent FOnModeChange;
};

}  // namespace pixdeck
