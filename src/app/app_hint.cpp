#include "app/app_hint.h"

#include <QCoreApplication>
#include <QStatusTipEvent>

namespace pixdeck {

AppHintFilter::AppHintFilter(Handler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)) {
  QCoreApplication::instance()->installEventFilter(this);
}

AppHintFilter::~AppHintFilter() {
  if (QCoreApplication::instance())
    QCoreApplication::instance()->removeEventFilter(this);
}

bool AppHintFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    handler_(static_cast<QStatusTipEvent*>(event)->tip());
    return true;  // shown once, not again for every parent
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace pixdeck
