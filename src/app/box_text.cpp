#include "app/box_text.h"

#include <QStringList>

#include "app/byte_text.h"

namespace pixdeck {

std::string BoxText(const TQelComboBox* box) {
  return BytesFromText(box->Text());
}

void SetBoxInitialText(TQelComboBox* box, const std::string& text) {
  box->SetInitialText(TextFromBytes(text));
}

void TakeChosenText(TQelComboBox* box, const std::string& text) {
  box->SetText(TextFromBytes(text));
  box->SetModified(true);
  box->CommitText();
}

std::vector<std::string> BoxItems(const TQelComboBox* box) {
  std::vector<std::string> items;
  for (const QString& item : box->Items()) {
    items.push_back(BytesFromText(item));
  }
  return items;
}

void SetBoxItems(TQelComboBox* box, const std::vector<std::string>& items) {
  QStringList list;
  for (const std::string& item : items) {
    list << TextFromBytes(item);
  }
  // The list is replaced as a whole; a box that must have a value then
  // shows its new first item.
  box->SetItems(list);
}

}  // namespace pixdeck
