// A shown, active window for the input-box tests, with a parent that
// records the keys its boxes pass on.
#pragma once

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QList>
#include <QWidget>
#include <QtTest/QTest>

namespace pixdeck::test {

// The window: it sees every key press that a box lets pass.
class KeyRecordingWindow : public QWidget {
 public:
  QList<int> passedKeys;

 protected:
  void keyPressEvent(QKeyEvent* event) override { passedKeys.append(event->key()); }
};

// Shows the window and makes it the active one so that focus works
// offscreen.
inline void ShowActive(QWidget& window) {
  window.resize(400, 300);
  window.show();
  QApplication::setActiveWindow(&window);
  [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(&window);
}

// Focuses the widget and lets the focus events arrive.
inline void Focus(QWidget& widget) {
  widget.setFocus(Qt::OtherFocusReason);
  QApplication::processEvents();
}

}  // namespace pixdeck::test
