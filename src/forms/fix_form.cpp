#include "forms/fix_form.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>

namespace pixdeck {

namespace {

QPointer<TFixForm>& MainFormSlot() {
  static QPointer<TFixForm> slot;
  return slot;
}

}  // namespace

TFixForm::TFixForm(QWidget* parent, Qt::WindowFlags flags) : QDialog(parent, flags) {
  // The note arrives through the event loop, when virtual calls reach the
  // most derived form.
  QMetaObject::invokeMethod(
      this, [this] { CreationNoted(); }, Qt::QueuedConnection);
  if (parent == nullptr) {
    BecomeMainFormIfFirst();
  }
  FAllowMinimize = true;
}

TFixForm::TFixForm(QWidget* parent, NotMainForm, Qt::WindowFlags flags) : TFixForm(parent, flags) {
  if (FMainForm) {
    FMainForm = false;
    MainFormSlot() = nullptr;
    disconnect(qApp, &QGuiApplication::applicationStateChanged, this, nullptr);
  }
}

TFixForm::~TFixForm() = default;

TFixForm* TFixForm::MainForm() {
  return MainFormSlot().data();
}

void TFixForm::BecomeMainFormIfFirst() {
  if (!MainFormSlot().isNull() || qApp == nullptr) {
    return;
  }
  MainFormSlot() = this;
  FMainForm = true;
  connect(qApp, &QGuiApplication::applicationStateChanged, this,
          [this](Qt::ApplicationState state) {
            if (state == Qt::ApplicationActive) {
              AppActivated();
            }
          });
}

void TFixForm::changeEvent(QEvent* event) {
  if (event->type() == QEvent::WindowStateChange && !FAllowMinimize &&
      (windowState() & Qt::WindowMinimized)) {
    // The minimise command is swallowed: the window goes back to where it was.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    event->accept();
    return;
  }
  QDialog::changeEvent(event);
}

}  // namespace pixdeck
