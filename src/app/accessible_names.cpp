#include "app/accessible_names.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

namespace pixdeck {

QString CaptionName(const QString& caption) {
  QString name;
  name.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&')) {
      if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) {
        name += QLatin1Char('&');
        ++i;
      }
      continue;
    }
    name += caption[i];
  }
  name = name.trimmed();
  while (name.endsWith(QLatin1Char(':')) || name.endsWith(QLatin1Char('.'))) {
    name.chop(1);
  }
  return name.trimmed();
}

namespace {

// A combo box as Qt presents it, except that a name given to it is its name:
// on Linux Qt reads out a combo box's current text as its name, so that a
// screen reader announced the boxes by their values.
class NamedComboBox : public QAccessibleWidget {
 public:
  explicit NamedComboBox(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {
    addControllingSignal(QStringLiteral("activated(int)"));
  }

  // The drop-down list, then the box's line edit when it has one.
  int childCount() const override { return Box()->lineEdit() != nullptr ? 2 : 1; }
  QAccessibleInterface* child(int index) const override {
    if (index == 0) {
      return QAccessible::queryAccessibleInterface(Box()->view());
    }
    if (index == 1 && Box()->lineEdit() != nullptr) {
      return QAccessible::queryAccessibleInterface(Box()->lineEdit());
    }
    return nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (child == nullptr) {
      return -1;
    }
    if (child->object() == Box()->view()) {
      return 0;
    }
    return Box()->lineEdit() != nullptr && child->object() == Box()->lineEdit() ? 1 : -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    QLineEdit* edit = Box()->lineEdit();
    if (edit != nullptr && edit->rect().contains(edit->mapFromGlobal(QPoint(x, y)))) {
      return child(1);
    }
    return nullptr;
  }

  QString text(QAccessible::Text what) const override {
    switch (what) {
      case QAccessible::Name:
        // Without a name of its own, the box is read out as Qt reads it.
        if (!Box()->accessibleName().isEmpty()) {
          return Box()->accessibleName();
        }
        return text(QAccessible::Value);
      case QAccessible::Value:
        return Box()->lineEdit() != nullptr ? Box()->lineEdit()->text() : Box()->currentText();
      default:
        return QAccessibleWidget::text(what);
    }
  }

  QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
  void doAction(const QString& action) override {
    if (action != showMenuAction() && action != pressAction()) {
      return;
    }
    if (Box()->view()->isVisible()) {
      Box()->hidePopup();
    } else {
      Box()->showPopup();
    }
  }

 private:
  QComboBox* Box() const { return static_cast<QComboBox*>(widget()); }
};

// Asked for each class of an object from the most derived up: the first ask
// for a combo box answers. Qt keeps the interface it made first, often while
// the box is being built and before it has a name, so every combo box gets
// one that reads its name when asked.
QAccessibleInterface* NamedComboBoxFactory(const QString& /*className*/, QObject* object) {
  auto* box = qobject_cast<QComboBox*>(object);
  return box == nullptr ? nullptr : new NamedComboBox(box);
}

void SetName(QWidget* widget, const QString& name) {
  if (widget == nullptr || name.isEmpty()) {
    return;
  }
  if (widget->accessibleName().isEmpty()) {
    widget->setAccessibleName(name);
  }
  // Its line edit and its drop-down list are read as parts of the box.
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    SetName(combo->lineEdit(), name);
    SetName(combo->view(), name);
  }
}

void SetDescription(QWidget* widget) {
  const QString hint = widget->statusTip();
  if (hint.isEmpty() || !widget->accessibleDescription().isEmpty()) {
    return;
  }
  widget->setAccessibleDescription(hint);
  if (auto* combo = qobject_cast<QComboBox*>(widget);
      combo && combo->lineEdit() && combo->lineEdit()->accessibleDescription().isEmpty()) {
    combo->lineEdit()->setAccessibleDescription(hint);
  }
}

}  // namespace

void InstallAccessibleInterfaces() {
  static const bool installed = [] {
    QAccessible::installFactory(&NamedComboBoxFactory);
    return true;
  }();
  (void)installed;
}

void NameControlsForAssistiveTech(QWidget& window,
                                  const std::vector<std::pair<QWidget*, QString>>& named) {
  InstallAccessibleInterfaces();
  for (const auto& [widget, name] : named) {
    SetName(widget, name);
  }
  for (QLabel* label : window.findChildren<QLabel*>()) {
    SetName(label->buddy(), CaptionName(label->text()));
  }
  SetDescription(&window);
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    SetDescription(widget);
  }
}

}  // namespace pixdeck
