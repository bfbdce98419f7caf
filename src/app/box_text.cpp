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
  for (const QString& item : box->Items())
    items.push_back(BytesFromText(item));
  return items;
}

void SetBoxItems(TQelComboBox* box, const std::vector<std::string>& items) {
  QStringList list;
  for (const std::string& item : items)
    list << TextFromBytes(item);
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
