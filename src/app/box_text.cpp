#include "app/box_text.h"

namespace pixdeck {
namespace {

// Boxes that keep a history carry the property "addNewToList".
bool KeepsHistory(const QComboBox* box) {
  return box->property("addNewToList").toBool();
}

void AddToHistory(QComboBox* box, const QString& text) {
  if (text.isEmpty() || !KeepsHistory(box))
    return;
  const int found = box->findText(text, Qt::MatchFixedString);
  if (found == 0)
    return;
  if (found > 0)
    box->removeItem(found);
  box->insertItem(0, text);
  box->setCurrentIndex(0);
}

}  // namespace

std::string BoxText(const QComboBox* box) {
  return box->currentText().toStdString();
}

void SetBoxInitialText(QComboBox* box, const std::string& text) {
  const QString value = QString::fromStdString(text);
  AddToHistory(box, value);
  box->setEditText(value);
}

void CommitBoxText(QComboBox* box) {
  AddToHistory(box, box->currentText());
}

QStringList BoxItems(const QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i)
    items << box->itemText(i);
  return items;
}

void SetBoxItems(QComboBox* box, const QStringList& items) {
  const QString text = box->currentText();
  box->clear();
  box->addItems(items);
  box->setEditText(text);
}

}  // namespace pixdeck
