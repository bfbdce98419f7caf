#include "inputs/input_box_menu.h"

#include <QAction>

#include "editing/menu_entries.h"
#include "inputs/menu_targets.h"
#include "inputs/window_of.h"

namespace pixdeck {

namespace {

const QString kSeparatorCaption = QStringLiteral("-");

// An item of that name on the owner itself, not on a dialog the owner owns.
QAction* FindOwnItem(const QObject* owner, const QString& name) {
  for (QAction* item : owner->findChildren<QAction*>(name)) {
    if (WindowOf(item->parent()) == owner) {
      return item;
    }
  }
  return nullptr;
}

bool IsSeparatorItem(const QAction* item) {
  return item->isSeparator() || item->text() == kSeparatorCaption;
}

}  // namespace

TInputBoxMenu::TInputBoxMenu(QWidget* parent) : QMenu(parent) {
  FShowInMenu = TShowMenuSet::All();
  FTrackRemovals = true;
  lastName_ = objectName();
  connect(this, &QObject::objectNameChanged, this, &TInputBoxMenu::Renamed);
  connect(this, &QMenu::aboutToShow, this, &TInputBoxMenu::AboutToShow);
}

TInputBoxMenu::~TInputBoxMenu() {
  // The entry items belong to the window and outlive the menu; they must no
  // longer call back into it.
  FTrackRemovals = false;
  for (int e = 0; e < kShowMenuCount; ++e) {
    disconnect(clickLinks_[e]);
    disconnect(removalLinks_[e]);
  }
}

QObject* TInputBoxMenu::Owner() const {
  QWidget* parent = parentWidget();
  return parent != nullptr ? parent->window() : nullptr;
}

QString TInputBoxMenu::ItemName(TShowMenu entry) const {
  return objectName() + QLatin1String(editing::EntryTexts(entry).suffix);
}

QString TInputBoxMenu::ItemCaption(TShowMenu entry) {
  return QLatin1String(editing::EntryTexts(entry).caption);
}

QString TInputBoxMenu::ItemHint(TShowMenu entry) {
  return QLatin1String(editing::EntryTexts(entry).hint);
}

void TInputBoxMenu::SetShowInMenu(TShowMenuSet entries) {
  FShowInMenu = entries;
  RebuildItems();
}

void TInputBoxMenu::Loaded() {
  BuildMenu();
}

void TInputBoxMenu::BuildMenu() {
  RebuildItems();
  popupHooked_ = true;
}

void TInputBoxMenu::RebuildItems() {
  FTrackRemovals = false;
  for (int e = 0; e < kShowMenuCount; ++e) {
    const auto entry = static_cast<TShowMenu>(e);
    ShowItem(entry, FShowInMenu.Contains(entry));
  }
  FTrackRemovals = true;
}

int TInputBoxMenu::ItemPosition(TShowMenu entry) const {
  return editing::EntryPosition(FShowInMenu, entry);
}

void TInputBoxMenu::ShowItem(TShowMenu entry, bool show) {
  if (FEntryItems[entry].isNull() != show) {
    return;
  }
  if (!show) {
    const bool tracking = FTrackRemovals;
    FTrackRemovals = false;
    QAction* item = FEntryItems[entry].data();
    disconnect(clickLinks_[entry]);
    disconnect(removalLinks_[entry]);
    removeAction(item);
    FEntryItems[entry] = nullptr;
    delete item;
    FTrackRemovals = tracking;
    return;
  }

  const QString name = ItemName(entry);
  QAction* found = nullptr;
  if (QObject* owner = Owner()) {
    found = FindOwnItem(owner, name);
  }
  QAction* item = found;
  if (item == nullptr) {
    QObject* owner = Owner();
    item = new QAction(owner != nullptr ? owner : this);
    item->setObjectName(name);
    item->setData(static_cast<int>(entry));
    if (editing::IsSeparatorEntry(entry)) {
      // A separator carries no caption: styles would draw it beside the line.
      item->setSeparator(true);
    } else {
      item->setText(ItemCaption(entry));
      item->setCheckable(entry == smOverwrite);
      // A hint without a bar is both the tool tip and the status line text.
      item->setToolTip(ItemHint(entry));
      item->setStatusTip(ItemHint(entry));
    }
  }
  if (!item->data().isValid()) {
    item->setData(static_cast<int>(entry));
  }
  TakeItem(entry, item);
  // A stored item stays where it is; a new one (or a stored one that is not
  // in this menu yet) goes to its place in the order of the entries.
  if (!actions().contains(item)) {
    const QList<QAction*> present = actions();
    const int position = ItemPosition(entry);
    insertAction(position < present.size() ? present.at(position) : nullptr, item);
  }
}

void TInputBoxMenu::TakeItem(TShowMenu entry, QAction* item) {
  FEntryItems[entry] = item;
  disconnect(clickLinks_[entry]);
  disconnect(removalLinks_[entry]);
  if (!IsSeparatorItem(item)) {
    clickLinks_[entry] =
        connect(item, &QAction::triggered, &itemLinks_, [this, item] { ItemClick(item); });
  }
  // An entry item that something else deletes is forgotten and its entry
  // dropped from ShowInMenu.
  removalLinks_[entry] = connect(item, &QObject::destroyed, &itemLinks_, [this, entry] {
    if (FTrackRemovals) {
      FEntryItems[entry] = nullptr;
      FShowInMenu.Exclude(entry);
    }
  });
}

void TInputBoxMenu::Renamed(const QString& newName) {
  const bool wasNameless = lastName_.isEmpty();
  lastName_ = newName;
  for (int e = 0; e < kShowMenuCount; ++e) {
    if (QAction* item = FEntryItems[e].data()) {
      item->setObjectName(ItemName(static_cast<TShowMenu>(e)));
    }
  }
  // A menu named for the first time builds itself: created by code it would
  // otherwise stay empty.
  if (wasNameless && !newName.isEmpty()) {
    BuildMenu();
  }
}

void TInputBoxMenu::PopupFor(QWidget* control, const QPoint& globalPos) {
  FPopupComponent = control;
  popup(globalPos);
}

void TInputBoxMenu::AboutToShow() {
  if (popupHooked_) {
    MenuPopup(this);
  } else if (FOnPopup) {
    FOnPopup(this);
  }
}

void TInputBoxMenu::MenuPopup(QObject* sender) {
  if (QWidget* control = PopupComponent()) {
    menu_targets::UpdateEntries(*control, FEntryItems);
  }
  if (FOnPopup) {
    FOnPopup(sender);
  }
}

void TInputBoxMenu::ItemClick(QObject* sender) {
  auto* item = qobject_cast<QAction*>(sender);
  QWidget* control = PopupComponent();
  if (item == nullptr || control == nullptr) {
    return;
  }
  TShowMenu entry = smUndo;
  if (editing::EntryOfTag(item->data().toInt(), entry)) {
    menu_targets::RunEntry(*control, entry);
  }
}

}  // namespace pixdeck
