// The combo box's list: search, adding, picking, moving, deleting,
// completion and validation of the typed text.
#include "inputs/qel_combo_box.h"

#include <QLineEdit>
#include <QScopeGuard>

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
  connect(lineEdit(), &QLineEdit::textEdited, this, [this] { TextEdited(); });
  connect(this, &QComboBox::activated, this, [this](int index) { UserSelected(index); });
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
  if (value == FAddNewToList) {
    return;
  }
  FAddNewToList = value;
  if (value) {
    SetLimitToList(false);
  }
}

void TQelComboBox::SetLimitToList(bool value) {
  if (value == FLimitToList) {
    return;
  }
  FLimitToList = value;
  if (value) {
    SetAddNewToList(false);
  }
}

void TQelComboBox::SetSorted(bool value) {
  if (value == FSorted) {
    return;
  }
  FSorted = value;
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
  RememberText();
}

void TQelComboBox::RememberText() {
  FKnownText = lineEdit()->text();
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
  // After the items that are equal to it.
  int place = 0;
  while (place < count() && CompareText(itemText(place), text) <= 0) {
    ++place;
  }
  return place;
}

int TQelComboBox::AddObject(const QString& text, const QVariant& object) {
  const int index = FSorted ? SortedPlace(text) : count();
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
  if (!FAllowNull && itemCount > 1) {
    newIndex = index == itemCount - 1 ? index - 1 : index;
  }
  if (itemCount == 1) {
    SetText(QString());
    FModified = true;
  }
  if (FDestroyObjects) {
    FreeObject(index);
  }
  // The list shows no item while the selected one goes, so that it does not
  // pick another by itself; the selection below shows the right one.
  setCurrentIndex(-1);
  removeItem(index);
  FForceSelect = true;
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

int TQelComboBox::IndexOfText(const QString& text) const {
  if (!FSorted) {
    for (int i = 0; i < count(); ++i) {
      const int order =
          FCaseSensitive ? CompareStr(itemText(i), text) : CompareText(itemText(i), text);
      if (order == 0) {
        return i;
      }
    }
    return -1;
  }
  int index = -1;
  return FindSorted(Items(), false, FCaseSensitive, text, index) ? index : -1;
}

void TQelComboBox::AddItem(const QString& text, const QVariant& object) {
  if (FAddNewToStart && !FSorted && count() > 0) {
    InsertItemAt(0, text, object);
    SetListIndex(0);
  } else {
    SetListIndex(AddObject(text, object));
  }
}

void TQelComboBox::AddNewItem(const QString& text) {
  QString newText = text;
  QVariant newObject;
  bool accept = true;
  if (FOnNotInList) {
    FOnNotInList(this, newText, newObject, accept);
  } else {
    accept = false;
  }
  if (accept) {
    AddItem(newText, newObject);
  }
}

void TQelComboBox::DoNotInList(QString& newText, bool& accept) {
  QVariant newObject;
  if (FOnNotInList) {
    FOnNotInList(this, newText, newObject, accept);
  }
  if (accept) {
    AddItem(newText, newObject);
    DoListPick();
  }
}

void TQelComboBox::DoListPick() {
  if (FAddNewToStart && !FPickGuard && ItemIndex() > 0) {
    const bool guard = FPickGuard;
    FPickGuard = true;
    auto restore = qScopeGuard([&] { FPickGuard = guard; });
    MoveItem(ItemIndex(), 0);
    SetItemIndex(0);
  }
  if (!FPickGuard && FOnListPick) {
    FOnListPick(this);
  }
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

void TQelComboBox::SetListIndex(int index) {
  SetItemIndex(index);
}

void TQelComboBox::SelectItem(int index) {
  if (!FForceSelect && index == ItemIndex()) {
    return;
  }
  SetListIndex(index);
  DoListPick();
  FSelecting = true;
  FModified = true;
  Change();
  FSelecting = false;
  FForceSelect = false;
}

void TQelComboBox::SetIndexKeepText(int index) {
  if (index == ItemIndex()) {
    return;
  }
  const QString text = Text();
  const int start = SelStart();
  const int length = SelLength();
  const bool modified = FModified;
  SetListIndex(index);
  DoListPick();
  FSelecting = true;
  SetText(text);
  FModified = modified;
  SetEditSelection(start, std::max(length, 0));
  FSelecting = false;
}

void TQelComboBox::SelectFirstItem() {
  if (!FAllowNull && !edit_.InternalChange() && ItemIndex() == -1 && count() > 0) {
    SelectItem(0);
  }
}

void TQelComboBox::Change() {
  if (!FAllowNull && count() > 0 && Text().isEmpty()) {
    // An empty text never stands in a box that must have a value.
    if (ItemIndex() == 0) {
      FForceSelect = true;
    }
    SelectItem(0);
    return;
  }
  if (!edit_.InternalChange()) {
    FModified = true;
    if (!FSelecting) {
      if (Text().isEmpty()) {
        SetListIndex(-1);
        DoListPick();
      } else if (FAutoExpand) {
        if (FNoAutoExpand) {
          FNoAutoExpand = false;
        } else {
          ExpandText();
        }
      }
      DoEdited();
    }
  }
  FireOnChange();
}

void TQelComboBox::FireOnChange() {
  RememberText();
  if (FOnChange) {
    FOnChange(this);
  }
}

void TQelComboBox::DoEdited() {
  if (FOnEdited) {
    FOnEdited(this);
  }
}

void TQelComboBox::ExpandText() {
  int index = -1;
  int selStart = SelStart();
  int selLength = -1;
  QString completed;
  CompleteFromList(Items(), FSorted, Text(), index, selStart, selLength, completed);
  if (selLength >= 0) {
    if (selLength == 0) {
      selStart = SelStart();
    }
    if (FAutoPickItem) {
      SelectItem(index);
    } else {
      SetListIndex(index);
    }
    if (selLength > 0) {
      SetText(completed);
      FModified = true;
    }
    SetEditSelection(selStart, selLength);
  } else if (FAutoPickItem) {
    SetIndexKeepText(-1);
  }
}

void TQelComboBox::ApplyText(const QString& text) {
  const int index = IndexOfText(text);
  if (!text.isEmpty() && index >= 0) {
    // The item is shown again even when it is still the selected one but
    // its text was edited.
    if (index == ItemIndex() && Text() != itemText(index)) {
      FForceSelect = true;
    }
    SelectItem(index);
  } else if (!text.isEmpty()) {
    SetText(text);
    if (FAddNewToList && index == -1) {
      if (edit_.InternalChange()) {
        AddItem(text);
      } else {
        AddNewItem(text);
      }
    }
    FModified = true;
    Change();
  } else if (!Text().isEmpty()) {
    if (ItemIndex() == -1) {
      SetText(QString());
      FModified = true;
      Change();
    } else {
      SelectItem(-1);
    }
  }
}

void TQelComboBox::SetInternalChange(bool value) {
  edit_.SetInternalChange(value);
}

void TQelComboBox::SetInitialText(const QString& text) {
  const bool internal = edit_.InternalChange();
  SetInternalChange(true);
  ApplyText(text);
  SetInternalChange(internal);
}

bool TQelComboBox::ValidateText(bool refocus) {
  int oldIndex = ItemIndex();
  bool result = false;
  FRefused = false;
  if (Text().isEmpty()) {
    if (!FAllowNull) {
      if (refocus) {
        setFocus();
      }
      QString newText;
      bool accept = false;
      DoNotInList(newText, accept);
      if (accept && !newText.isEmpty()) {
        SetText(newText);
        FModified = true;
      }
      if (!accept) {
        Undo();
        FRefused = true;
      }
      result = true;
    }
  } else if (FLimitToList) {
    if (TextInList()) {
      FForceSelect = FModified;
    } else {
      if (refocus) {
        setFocus();
      }
      QString newText = Text();
      bool accept = false;
      DoNotInList(newText, accept);
      if (accept) {
        oldIndex = -2;
      } else {
        Undo();
        FRefused = true;
      }
      result = true;
    }
  } else if (FAddNewToList) {
    if (TextInList()) {
      FForceSelect = FModified;
    } else {
      oldIndex = -2;
      if (refocus) {
        setFocus();
      }
      QString newText = Text();
      bool accept = true;
      DoNotInList(newText, accept);
      if (accept) {
        FForceSelect = true;
      } else {
        Undo();
        FRefused = true;
      }
      result = true;
    }
  } else {
    FForceSelect = FModified;
  }
  const int found = IndexOfText(Text());
  if (found != oldIndex) {
    SelectItem(found);
  }
  return result;
}

bool TQelComboBox::CommitText() {
  return FModified ? ValidateText(false) : false;
}

void TQelComboBox::ValidateBeforeAction() {
  if (FModified) {
    ValidateText(static_cast<bool>(FOnNotInList));
  }
}

void TQelComboBox::UserSelected(int index) {
  if (index < 0 || index >= count()) {
    return;
  }
  if (FPickGuard) {
    FPickGuard = false;
    Change();
    return;
  }
  // Qt already shows the item; the text before the pick tells whether the
  // pick changed it.
  const QString item = itemText(index);
  if (FKnownText != item) {
    SetText(item);
    FModified = true;
    DoListPick();
    FSelecting = true;
    Change();
    FSelecting = false;
  } else {
    Change();
  }
  RememberText();
}

}  // namespace pixdeck
