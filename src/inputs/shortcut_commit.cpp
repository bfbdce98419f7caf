#include "inputs/shortcut_commit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QWidget>

#include "inputs/input_box.h"

namespace pixdeck {

namespace {

class ShortcutCommitFilter : public QObject {
 public:
  explicit ShortcutCommitFilter(QWidget* window) : QObject(window), window_(window) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Shortcut) {
      CommitFocusedBox(window_);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QWidget* window_;
};

}  // namespace

void CommitFocusedBox(const QWidget* window) {
  QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr || focus->window() != window) {
    return;
  }
  // The focus may be in a box's own edit part.
  for (QWidget* w = focus; w != nullptr && w != window; w = w->parentWidget()) {
    if (InputBox* box = AsInputBox(w)) {
      box->ValidateBeforeAction();
      return;
    }
  }
}

void CommitFocusedBoxOnShortcuts(QWidget* window) {
  auto* filter = new ShortcutCommitFilter(window);
  for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
    button->installEventFilter(filter);
  }
}

}  // namespace pixdeck
