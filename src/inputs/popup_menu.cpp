#include "inputs/popup_menu.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>

#include "inputs/input_box_menu.h"

namespace pixdeck {

namespace {

// Sits on a control (and on the parts that receive its right clicks) and
// shows the control's menu instead of the control's built-in one.
class PopupMenuLink : public QObject {
 public:
  PopupMenuLink(QWidget* control, QMenu* menu) : QObject(control), FControl(control), FMenu(menu) {
    setObjectName(QStringLiteral("qx_PopupMenuLink"));
    Watch(control);
  }

  QMenu* Menu() const { return FMenu.data(); }
  void SetMenu(QMenu* menu) { FMenu = menu; }

  // A combo box's edit part or a scroll area's viewport may appear later.
  void WatchParts() {
    if (auto* area = qobject_cast<QAbstractScrollArea*>(FControl)) {
      Watch(area->viewport());
    }
    if (auto* combo = qobject_cast<QComboBox*>(FControl)) {
      Watch(combo->lineEdit());
    }
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ContextMenu || FMenu.isNull()) {
      return QObject::eventFilter(watched, event);
    }
    auto* contextEvent = static_cast<QContextMenuEvent*>(event);
    if (auto* boxMenu = qobject_cast<TInputBoxMenu*>(FMenu.data())) {
      boxMenu->PopupFor(FControl, contextEvent->globalPos());
    } else {
      FMenu->popup(contextEvent->globalPos());
    }
    event->accept();
    return true;
  }

 private:
  void Watch(QWidget* part) {
    if (part != nullptr && !FWatched.contains(part)) {
      part->installEventFilter(this);
      FWatched.append(part);
    }
  }

  QWidget* FControl;
  QPointer<QMenu> FMenu;
  QList<QPointer<QWidget>> FWatched;
};

PopupMenuLink* LinkOf(const QWidget* control) {
  return control->findChild<PopupMenuLink*>(QStringLiteral("qx_PopupMenuLink"),
                                            Qt::FindDirectChildrenOnly);
}

}  // namespace

QMenu* PopupMenuOf(const QWidget* control) {
  if (control == nullptr) {
    return nullptr;
  }
  const PopupMenuLink* link = LinkOf(control);
  return link != nullptr ? link->Menu() : nullptr;
}

void SetPopupMenu(QWidget* control, QMenu* menu) {
  if (control == nullptr) {
    return;
  }
  PopupMenuLink* link = LinkOf(control);
  if (link == nullptr) {
    if (menu == nullptr) {
      return;
    }
    link = new PopupMenuLink(control, menu);
  }
  link->SetMenu(menu);
  link->WatchParts();
}

}  // namespace pixdeck
