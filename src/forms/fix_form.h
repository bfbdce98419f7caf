// A dialog base class that knows whether it is the program's main form and
// may refuse to be minimised.
#pragma once

#include <QDialog>

namespace pixdeck {

class TFixForm : public QDialog {
  Q_OBJECT
  Q_PROPERTY(bool AllowMinimize READ AllowMinimize WRITE SetAllowMinimize)

 public:
  // Tag for the constructor of a form that must never become the main form.
  struct NotMainForm {};

  explicit TFixForm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
  TFixForm(QWidget* parent, NotMainForm, Qt::WindowFlags flags = {});
  ~TFixForm() override;

  // True for the first parentless form while no other form holds that role.
  bool IsMainForm() const { return FMainForm; }
  // The main form of the running program, if one of these forms is it.
  static TFixForm* MainForm();

  bool AllowMinimize() const { return FAllowMinimize; }
  void SetAllowMinimize(bool value) { FAllowMinimize = value; }

 protected:
  // Runs whenever the application becomes active, for the main form only.
  virtual void AppActivated() {}
  // Runs once, after the construction of the most derived class has ended
  // (the form posts itself a note when it is created).
  virtual void CreationNoted() {}

  void changeEvent(QEvent* event) override;

 private:
  void BecomeMainFormIfFirst();

  bool FMainForm = false;
  bool FAllowMinimize = true;
};

}  // namespace pixdeck
