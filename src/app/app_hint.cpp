#include "app/app_hint.h"

#include <QCoreApplication>
#include <QFrame>
#include <QPointer>
#include <QStatusTipEvent>
#include <QTimer>
#include <QWidget>

namespace pixdeck {

AppHintFilter::AppHintFilter(Handler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)) {
  QCoreApplication::instance()->installEventFilter(this);
}

AppHintFilter::~AppHintFilter() {
  if (QCoreApplication::instance()) {
    QCoreApplication::instance()->removeEventFilter(this);
  }
}

namespace {

// The window itself, or a plain frame without a hint of its own drawn on it.
bool IsBackground(const QWidget* widget) {
  return widget->isWindow() ||
         (widget->metaObject() == &QFrame::staticMetaObject && widget->statusTip().isEmpty());
}

}  // namespace

bool AppHintFilter::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::StatusTip:
      handler_(static_cast<QStatusTipEvent*>(event)->tip());
      return true;  // shown once, not again for every parent
    case QEvent::Enter:
      ++entries_;
      if (auto* widget = qobject_cast<QWidget*>(watched);
          widget != nullptr && !widget->isWindow() && IsBackground(widget)) {
        handler_(widget->window()->statusTip());
      }
      break;
    case QEvent::Leave:
      if (auto* widget = qobject_cast<QWidget*>(watched);
          widget != nullptr && !widget->isWindow()) {
        PointerLeft(widget);
      }
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

void AppHintFilter::PointerLeft(QWidget* widget) {
  // The pointer's next entry, if any, comes in the same round of events.
  const unsigned entries = entries_;
  QTimer::singleShot(0, this, [this, entries, parent = QPointer<QWidget>(widget->parentWidget())] {
    if (entries == entries_ && parent && parent->underMouse() && IsBackground(parent)) {
      handler_(parent->window()->statusTip());
    }
  });
}

}  // namespace pixdeck
