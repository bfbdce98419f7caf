// A dialog that can be pinned to the size it was designed with: once it has
// been activated, neither dragging its border nor maximising changes it.
#pragma once

#include <QPoint>
#include <QSize>

#include "forms/fix_form.h"

namespace pixdeck {

class TEnhForm : public TFixForm {
  Q_OBJECT
  Q_PROPERTY(bool FixedSize READ FixedSize WRITE SetFixedSize)

 public:
  explicit TEnhForm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
  TEnhForm(QWidget* parent, NotMainForm, Qt::WindowFlags flags = {});

  bool FixedSize() const { return FFixedSize; }
  void SetFixedSize(bool value);

  // Set at the form's first activation and never cleared.
  bool Activated() const { return FActivated; }
  int DesignWidth() const { return FDesignWidth; }
  int DesignHeight() const { return FDesignHeight; }

  // The one-time set-up after the form description was applied (right after
  // setupUi): the size it has now is its design size.
  void Loaded();

 protected:
  // Runs once, shortly after the form was created; for derived forms.
  virtual void AfterCreate() {}
  void CreationNoted() override { AfterCreate(); }

  bool event(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  bool Pinned() const { return FActivated && FFixedSize; }
  void ApplySizeLimits();

  bool FFixedSize = false;
  bool FActivated = false;
  bool loaded_ = false;
  int FDesignWidth = 0;
  int FDesignHeight = 0;
  // The limits the form had before it was pinned, put back when unpinned.
  bool FLimitsApplied = false;
  QSize FFreeMinimum;
  QSize FFreeMaximum;
  // Where the window stood last while not maximised.
  QPoint FNormalPos;
};

}  // namespace pixdeck
