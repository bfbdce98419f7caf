// The window an object belongs to: a widget's window, or that of the nearest
// widget it hangs from; null for an object outside every widget.
#pragma once

class QObject;
class QWidget;

namespace pixdeck {

QWidget* WindowOf(const QObject* object);

}  // namespace pixdeck
