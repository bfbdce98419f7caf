// The combo box's Qt list made to behave as the box's list: construction,
// the list's properties, the edit part's text, and items that are added,
// inserted, deleted and owned without Qt choosing a selection by itself.
#include "inputs/qel_combo_box.h"

#include <QLineEdit>
#include <QScopeGuard>

#include "inputs/edit_keys.h"
#include "inputs/list_utils.h"

namespace pixdeck {

namespace {

// Objects that the box may own travel as QObject pointers in the slots.
QObject* OwnedObject(const QVariant& slot) {
  return slot.canConvert<QObject*>() ? slot.value<QObject*>() : nullptr;
}

}  // namespace

TQelComboBox::TQelComboBox(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setCompleter(nullptr);
  // The list does not pick its first item by itself when it is filled; an
  // editable box never shows this text.
  setPlaceholderText(QStringLiteral(" "));
  // The box itself decides what Enter and leaving the box do to the list.
  disconnect(lineEdit(), SIGNAL(editingFinished()), this, nullptr);
  disconnect(lineEdit(), SIGNAL(returnPressed()), this, nullptr);
  connect(lineEdit(), &QLineEdit::textEdited, this, [this] { combo_.TextEdited(); });
  connect(this, &QComboBox::activated, this, [this](int index) { combo_.UserSelected(index); });
  lineEdit()->installEventFilter(this);
  if (parent != nullptr) {
    AttachToMaster();
  }
}

TQelComboBox::~TQelComboBox() {
  if (FDestroyObjects) {
    for (int i = 0; i < count(); ++i) {
      FreeObject(i);
    }
  }
}

// --- properties --------------------------------------------------------------

void TQelComboBox::SetAddNewToList(bool value) {
  combo_.SetAddNewToList(value);
}

void TQelComboBox::SetLimitToList(bool value) {
  combo_.SetLimitToList(value);
}

void TQelComboBox::SetSorted(bool value) {
  if (value == Opt().sorted) {
    return;
  }
  Opt().sorted = value;
  if (!value || count() < 2) {
    return;
  }
  // Re-insert every item at its place, keeping the selection's item.
  const QString text = Text();
  const int selected = ItemIndex();
  QList<std::pair<QString, QVariant>> entries;
  for (int i = 0; i < count(); ++i) {
    entries.append({itemText(i), itemData(i)});
  }
  const QString selectedText = selected >= 0 ? itemText(selected) : QString();
  const bool moving = FMovingItem;
  FMovingItem = true;
  clear();
  for (const auto& [itemTextValue, object] : entries) {
    QComboBox::insertItem(SortedPlace(itemTextValue), itemTextValue, object);
  }
  FMovingItem = moving;
  setCurrentIndex(
      selected >= 0 ? findText(selectedText, Qt::MatchFixedString | Qt::MatchCaseSensitive) : -1);
  SetText(text);
}

// --- text and list -------------------------------------------------------------

QString TQelComboBox::Text() const {
  return lineEdit()->text();
}

void TQelComboBox::SetText(const QString& text) {
  if (lineEdit()->text() != text) {
    lineEdit()->setText(text);
  }
  combo_.RememberText();
}

void TQelComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= count()) {
    index = -1;
  }
  setCurrentIndex(index);
  // Choosing an index always shows its item, even when it was chosen
  // before and the text was edited since.
  SetText(index >= 0 ? itemText(index) : QString());
}

QStringList TQelComboBox::Items() const {
  QStringList items;
  items.reserve(count());
  for (int i = 0; i < count(); ++i) {
    items.append(itemText(i));
  }
  return items;
}

void TQelComboBox::SetItems(const QStringList& items) {
  ClearItems();
  for (const QString& item : items) {
    AddObject(item);
  }
}

int TQelComboBox::SortedPlace(const QString& text) const {
  return combo_.History().SortedPlace(edit_keys::ToText(text));
}

int TQelComboBox::AddObject(const QString& text, const QVariant& object) {
  const int index = Opt().sorted ? SortedPlace(text) : count();
  InsertItemAt(index, text, object);
  return index;
}

void TQelComboBox::InsertObject(int index, const QString& text, const QVariant& object) {
  InsertItemAt(std::clamp(index, 0, count()), text, object);
}

void TQelComboBox::InsertItemAt(int index, const QString& text, const QVariant& object) {
  const QString shown = Text();
  const bool noneSelected = currentIndex() == -1;
  QComboBox::insertItem(index, text, object);
  if (noneSelected && currentIndex() != -1) {
    // Qt selects the first item put into an empty list; here only the box's
    // own rules (SelectFirstItem) choose a selection.
    setCurrentIndex(-1);
  }
  if (Text() != shown) {
    SetText(shown);
  }
  if (!FMovingItem) {
    SelectFirstItem();
  }
}

void TQelComboBox::FreeObject(int index) {
  if (QObject* object = OwnedObject(itemData(index))) {
    setItemData(index, QVariant());
    delete object;
  }
}

void TQelComboBox::DeleteItem(int index) {
  if (index < 0 || index >= count()) {
    return;
  }
  if (FMovingItem) {
    removeItem(index);
    return;
  }
  const int itemCount = count();
  if (index != ItemIndex()) {
    // Another item than the selected one: the selection and text stay.
    if (FDestroyObjects) {
      FreeObject(index);
    }
    const QString shown = Text();
    removeItem(index);
    SetText(shown);
    return;
  }
  int newIndex = -1;
  if (!Opt().allowNull && itemCount > 1) {
    newIndex = index == itemCount - 1 ? index - 1 : index;
  }
  if (itemCount == 1) {
    SetText(QString());
    combo_.SetModified(true);
  }
  if (FDestroyObjects) {
    FreeObject(index);
  }
  // The list shows no item while the selected one goes, so that it does not
  // pick another by itself; the selection below shows the right one.
  setCurrentIndex(-1);
  removeItem(index);
  combo_.ForceNextSelect();
  SelectItem(newIndex);
}

void TQelComboBox::ClearItems() {
  const QString shown = Text();
  clear();
  SetText(shown);
}

QVariant TQelComboBox::ItemObject(int index) const {
  return itemData(index);
}

void TQelComboBox::MoveItem(int fromIndex, int toIndex) {
  if (fromIndex == toIndex || fromIndex < 0 || fromIndex >= count()) {
    return;
  }
  // The object travels with its text; nothing is freed or re-selected on
  // the way.
  const bool moving = FMovingItem;
  FMovingItem = true;
  auto restore = qScopeGuard([&] { FMovingItem = moving; });
  const QString shown = Text();
  const bool wasSelected = ItemIndex() == fromIndex;
  const QString text = itemText(fromIndex);
  const QVariant object = itemData(fromIndex);
  if (wasSelected) {
    setCurrentIndex(-1);
  }
  removeItem(fromIndex);
  toIndex = std::clamp(toIndex, 0, count());
  QComboBox::insertItem(toIndex, text, object);
  if (wasSelected) {
    setCurrentIndex(toIndex);
  }
  SetText(shown);
}

}  // namespace pixdeck
