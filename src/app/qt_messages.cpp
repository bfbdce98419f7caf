#include "app/qt_messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>
#include <vector>

namespace pixdeck {
namespace {

QtMessages::BoxRunner& Runner() {
  static QtMessages::BoxRunner runner;
  return runner;
}

// Stay-on-top windows lose that state while a box is up, so none covers it.
class TopMostsLowered {
 public:
  TopMostsLowered() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->isVisible() && w->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        lowered_.push_back(w);
        w->setWindowFlag(Qt::WindowStaysOnTopHint, false);
        w->show();
      }
    }
  }
  ~TopMostsLowered() {
    for (QWidget* w : lowered_) {
      w->setWindowFlag(Qt::WindowStaysOnTopHint, true);
      w->show();
    }
  }
  TopMostsLowered(const TopMostsLowered&) = delete;
  TopMostsLowered& operator=(const TopMostsLowered&) = delete;

 private:
  std::vector<QWidget*> lowered_;
};

}  // namespace

void QtMessages::DefaultBeep() {
  QApplication::beep();
}

void QtMessages::WarningBeep() {
  QApplication::beep();
}

int QtMessages::ShowMessageBox(const std::string& text, MessageKind kind) {
  const std::string shown = TabsToSpaces(text);
  if (Runner()) {
    return Runner()(shown, kind);
  }
  TopMostsLowered lowered;
  const bool info = kind == MessageKind::Information;
  QMessageBox box(info ? QMessageBox::Information : QMessageBox::Critical,
                  info ? QStringLiteral("Information") : QStringLiteral("Error"),
                  QString::fromStdString(shown), QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
  return 1;  // OK is the only button
}

void QtMessages::SetBoxRunner(BoxRunner runner) {
  Runner() = std::move(runner);
}

QtMessages& AppMessages() {
  static QtMessages messages;
  return messages;
}

void SetButtonEnabled(QWidget* control, bool state) {
  const bool ownState = !control->testAttribute(Qt::WA_Disabled);  // not the parent's
  if (ownState != state) {
    control->setEnabled(state);
  }
}

}  // namespace pixdeck
