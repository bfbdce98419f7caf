#include "inputs/window_of.h"

#include <QWidget>

namespace pixdeck {

QWidget* WindowOf(const QObject* object) {
  for (const QObject* o = object; o != nullptr; o = o->parent()) {
    if (o->isWidgetType()) {
      return static_cast<const QWidget*>(o)->window();
    }
  }
  return nullptr;
}

}  // namespace pixdeck
