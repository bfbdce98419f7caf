#include "app/box_text.h"

#include <QStringList>

namespace pixdeck {

std::string BoxText(const TQelComboBox* box) {
  return box->Text().toStdString();
}

void SetBoxInitialText(TQelComboBox* box, const std::string& text) {
  box->SetInitialText(QString::fromStdString(text));
}

void TakeChosenText(TQelComboBox* box, const std::string& text) {
  box->SetText(QString::fromStdString(text));
  box->SetModified(true);
  box->CommitText();
}

std::vector<std::string> BoxItems(const TQelComboBox* box) {
  std::vector<std::string> items;
  for (const QString& item : box->Items())
    items.push_back(item.toStdString());
  return items;
}

void SetBoxItems(TQelComboBox* box, const std::vector<std::string>& items) {
  QStringList list;
  for (const std::string& item : items)
    list << QString::fromStdString(item);
  // The text stays what it was: only the list is replaced.
  const QString text = box->Text();
  box->SetItems(list);
  if (box->Text() != text) {
    box->SetInternalChange(true);
    box->SetText(text);
    box->SetInternalChange(false);
  }
}

}  // namespace pixdeck
