// The context menu that one window's input boxes share. It builds its own
// entries from ten editing commands (ShowInMenu), enables and checks them for
// the control that opens it, and sends a chosen command to that control.
#pragma once

#include <QMenu>
#include <QMetaObject>
#include <QPointer>
#include <array>
#include <functional>

#include "inputs/show_menu.h"

class QAction;

namespace pixdeck {

class TInputBoxMenu : public QMenu {
  Q_OBJECT
  // The entries as a word: bit n stands for the entry of ordinal n.
  Q_PROPERTY(uint ShowInMenu READ ShowInMenuBits WRITE SetShowInMenuBits)

 public:
  using NotifyEvent = std::function<void(QObject* sender)>;

  // The parent's window owns the entry items (the menu itself when it has no
  // parent). No entries are built here: they are built when the menu gets its
  // first name, when ShowInMenu is set, or by Loaded.
  explicit TInputBoxMenu(QWidget* parent = nullptr);
  ~TInputBoxMenu() override;

  TShowMenuSet ShowInMenu() const { return FShowInMenu; }
  void SetShowInMenu(TShowMenuSet entries);
  uint ShowInMenuBits() const { return FShowInMenu.Bits(); }
  void SetShowInMenuBits(uint bits) { SetShowInMenu(TShowMenuSet::FromBits(bits)); }

  // The item that stands for the entry, or none.
  QAction* EntryItem(TShowMenu entry) const { return FEntryItems[entry].data(); }

  // The one-time set-up after the window's description was applied.
  void Loaded();

  // The window whose components the entry items are.
  QObject* Owner() const;

  // Shows the menu for the control, which becomes the popup component.
  void PopupFor(QWidget* control, const QPoint& globalPos);
  QWidget* PopupComponent() const { return FPopupComponent.data(); }
  void SetPopupComponent(QWidget* control) { FPopupComponent = control; }

  // Runs each time the menu is about to be shown. Once the menu is built it
  // holds the menu's own handler; the one assigned before still runs after it.
  NotifyEvent OnPopup() const { return FOnPopup; }
  void SetOnPopup(NotifyEvent handler) { FOnPopup = std::move(handler); }

  // The fixed texts of an entry.
  QString ItemName(TShowMenu entry) const;
  static QString ItemCaption(TShowMenu entry);
  static QString ItemHint(TShowMenu entry);

 protected:
  // The click handler of every entry that is not a separator.
  virtual void ItemClick(QObject* sender);
  // Builds the entries and hooks the menu's popup handler in.
  virtual void BuildMenu();
  // Enables and checks the entries for the popup component.
  void MenuPopup(QObject* sender);

 private:
  int ItemPosition(TShowMenu entry) const;
  void ShowItem(TShowMenu entry, bool show);
  void RebuildItems();
  void TakeItem(TShowMenu entry, QAction* item);
  void Renamed(const QString& newName);
  void AboutToShow();

  TShowMenuSet FShowInMenu = TShowMenuSet::All();
  bool FTrackRemovals = true;
  std::array<QPointer<QAction>, kShowMenuCount> FEntryItems;
  // The receiver of the entry items' signals. Not the menu itself: a menu
  // cuts every link from an action to it when the action leaves the menu.
  QObject itemLinks_;
  std::array<QMetaObject::Connection, kShowMenuCount> clickLinks_;
  std::array<QMetaObject::Connection, kShowMenuCount> removalLinks_;
  QPointer<QWidget> FPopupComponent;
  NotifyEvent FOnPopup;
  NotifyEvent FSavedOnPopup;
  bool popupHooked_ = false;
  QString lastName_;
};

}  // namespace pixdeck
