// The program's combo box: an editable QComboBox that keeps a history list
// (new and picked entries at the start when asked), checks the typed text
// against the list when the box is left or Enter is pressed, completes typed
// text from the list, and follows the input boxes' editing model (undo text,
// Escape, Insert and overwrite mode, read-only state).
#pragma once

#include <QComboBox>
#include <QVariant>
#include <functional>

#include "editing/combo_model.h"
#include "editing/edit_model.h"
#include "inputs/box_colors.h"
#include "inputs/input_box.h"
#include "inputs/list_utils.h"

namespace pixdeck {

class TQelComboBox : public QComboBox, public ModelInputBox {
  Q_OBJECT
  Q_PROPERTY(bool AddNewToStart READ AddNewToStart WRITE SetAddNewToStart)
  Q_PROPERTY(bool AddNewToList READ AddNewToList WRITE SetAddNewToList)
  Q_PROPERTY(bool AllowNull READ AllowNull WRITE SetAllowNull)
  Q_PROPERTY(bool AutoExpand READ AutoExpand WRITE SetAutoExpand)
  Q_PROPERTY(bool AutoPickItem READ AutoPickItem WRITE SetAutoPickItem)
  Q_PROPERTY(bool CaseSensitive READ CaseSensitive WRITE SetCaseSensitive)
  Q_PROPERTY(bool DestroyObjects READ DestroyObjects WRITE SetDestroyObjects)
  Q_PROPERTY(bool DispatchInsMode READ DispatchInsMode WRITE SetDispatchInsMode)
  Q_PROPERTY(bool LimitToList READ LimitToList WRITE SetLimitToList)
  Q_PROPERTY(bool OverwriteMode READ OverwriteMode WRITE SetOverwriteMode)
  Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
  Q_PROPERTY(bool UndoWhenEsc READ UndoWhenEsc WRITE SetUndoWhenEsc)
  Q_PROPERTY(bool Sorted READ Sorted WRITE SetSorted)
  Q_PROPERTY(QStringList Items READ Items WRITE SetItems)
  Q_PROPERTY(QString Text READ Text WRITE SetText)

 public:
  using NotifyEvent = std::function<void(QObject* sender)>;
  // May change the text to add, attach an object to the new item, and
  // accept or refuse.
  using AddToListEvent =
      std::function<void(QObject* sender, QString& newText, QVariant& newObject, bool& accept)>;
  using PromptEvent = std::function<void(QObject* sender, bool& accept)>;
  using CompareEvent =
      std::function<void(QObject* sender, const QVariant& o1, const QVariant& o2, int& value)>;

  explicit TQelComboBox(QWidget* parent = nullptr);
  ~TQelComboBox() override;

  // --- properties ---------------------------------------------------------
  bool AddNewToStart() const { return Opt().addNewToStart; }
  void SetAddNewToStart(bool value) { Opt().addNewToStart = value; }
  // AddNewToList and LimitToList exclude each other: turning one on turns
  // the other off.
  bool AddNewToList() const { return Opt().addNewToList; }
  void SetAddNewToList(bool value);
  bool LimitToList() const { return Opt().limitToList; }
  void SetLimitToList(bool value);
  bool AllowNull() const { return Opt().allowNull; }
  void SetAllowNull(bool value) { Opt().allowNull = value; }
  bool AutoExpand() const { return combo_.AutoExpand(); }
  void SetAutoExpand(bool value) { combo_.SetAutoExpand(value); }
  bool AutoPickItem() const { return combo_.AutoPickItem(); }
  void SetAutoPickItem(bool value) { combo_.SetAutoPickItem(value); }
  bool CaseSensitive() const { return Opt().caseSensitive; }
  void SetCaseSensitive(bool value) { Opt().caseSensitive = value; }
  // The box owns the QObjects held in its items' object slots and deletes
  // them with their items (such objects must have no parent).
  bool DestroyObjects() const { return FDestroyObjects; }
  void SetDestroyObjects(bool value) { FDestroyObjects = value; }
  void SetDispatchInsMode(bool value) { edit_.SetDispatchInsMode(value); }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  bool UndoWhenEsc() const { return edit_.UndoWhenEsc(); }
  void SetUndoWhenEsc(bool value) { edit_.SetUndoWhenEsc(value); }
  // The list keeps itself in the locale's case-insensitive order.
  bool Sorted() const { return Opt().sorted; }
  void SetSorted(bool value);

  NotifyEvent OnEdited() const { return FOnEdited; }
  void SetOnEdited(NotifyEvent handler) { FOnEdited = std::move(handler); }
  NotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(NotifyEvent handler) { FOnChange = std::move(handler); }
  NotifyEvent OnListPick() const { return FOnListPick; }
  void SetOnListPick(NotifyEvent handler) { FOnListPick = std::move(handler); }
  AddToListEvent OnNotInList() const { return FOnNotInList; }
  void SetOnNotInList(AddToListEvent handler) { FOnNotInList = std::move(handler); }
  PromptEvent OnPaste() const { return FOnPaste; }
  void SetOnPaste(PromptEvent handler) { FOnPaste = std::move(handler); }
  // Kept so that windows can name it; the box never calls it.
  CompareEvent OnCompare() const { return FOnCompare; }
  void SetOnCompare(CompareEvent handler) { FOnCompare = std::move(handler); }

  // The user changed the text since the undo text was last taken.
  bool Modified() const { return combo_.Modified(); }
  void SetModified(bool value) { combo_.SetModified(value); }
  QString UndoText() const;

  // --- the text and the list ------------------------------------------------
  // The edit part's text; setting it reports no change.
  QString Text() const;
  void SetText(const QString& text);
  // The selected list index (-1: none). Setting it shows the item's text
  // (none: empty text) and reports nothing.
  int ItemIndex() const { return currentIndex(); }
  void SetItemIndex(int index);

  QStringList Items() const;
  // Replaces the list (objects are not freed, as with ClearItems).
  void SetItems(const QStringList& items);
  // Adds an item at its place (the end; its sorted place in a sorted list)
  // and answers its index.
  int AddObject(const QString& text, const QVariant& object = QVariant());
  void InsertObject(int index, const QString& text, const QVariant& object = QVariant());
  void DeleteItem(int index);
  // Empties the list; frees no objects.
  void ClearItems();
  QVariant ItemObject(int index) const;

  // Writes the text as the program's own value: it becomes the undo text
  // and the box is not modified; with AddNewToList a text that is not
  // listed is added without asking.
  void SetInitialText(const QString& text);
  // Validates the text when it was modified; true when it needed handling.
  bool CommitText();
  // Makes the text the box's value (selects its item or sets the text).
  void ApplyText(const QString& text);
  // Checks the text against the list; true when it needed handling.
  bool ValidateText(bool refocus);
  int IndexOfText(const QString& text) const;
  bool TextInList() const { return IndexOfText(Text()) != -1; }
  void AddItem(const QString& text, const QVariant& object = QVariant());
  void AddNewItem(const QString& text);
  void SelectItem(int index) { combo_.SelectItem(index); }
  void SetListIndex(int index) { SetItemIndex(index); }
  void SetIndexKeepText(int index) { combo_.SetIndexKeepText(index); }
  void MoveItem(int fromIndex, int toIndex);
  void SelectFirstItem() { combo_.SelectFirstItem(); }
  void SetInternalChange(bool value) { edit_.SetInternalChange(value); }

  // --- editing --------------------------------------------------------------
  int SelStart() const;
  int SelLength() const;
  QString SelText() const;
  void SetSelStart(int start);
  void SetSelLength(int length);
  void UpdateOverwriteSelection() { edit_.UpdateOverwriteSelection(); }
  // Splices the clipboard text over the selection.
  void PasteText();
  void ClearText();

  // InputBox
  QWidget* BoxWidget() override { return this; }
  void Loaded() override;
  bool IsReadOnly() const override { return FReadOnly; }
  bool HasEditFocus() const override { return hasFocus(); }
  // The box's own cut, copy and delete: the edit part's would not tell the
  // box's flow.
  void CutSelection() override;
  void CopySelection() override;
  void DeleteSelection() override;
  void ClearAll() override { ClearText(); }
  void SelectAllText() override;
  void ValidateBeforeAction() override;

 protected:
  virtual void InitAfterLoad();
  virtual void DoEdited();
  virtual void DoListPick();

  editing::EditModel& Model() override { return edit_; }
  // The text changed (by the user, a selection or the box's own operations).
  void Change() { combo_.Change(); }

  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The edit part as the editing model's control.
  class EditPart : public editing::EditControl {
   public:
    explicit EditPart(TQelComboBox& box) : box_(box) {}
    editing::Text GetText() const override;
    void SetText(const editing::Text& text) override;
    // The undo text goes back as the box's value: its item is selected.
    void RestoreText(const editing::Text& text) override;
    int SelStart() const override { return box_.SelStart(); }
    int SelLength() const override { return box_.SelLength(); }
    void SetSelection(int start, int length) override { box_.SetEditSelection(start, length); }
    bool IsReadOnly() const override { return box_.FReadOnly; }
    bool HasFocus() const override { return box_.hasFocus(); }
    bool IsModified() const override { return box_.Modified(); }
    void SetModified(bool value) override { box_.SetModified(value); }
    bool ClipboardHasText() const override;
    void Cut() override;
    void Copy() override;
    void Paste() override;
    void ClearSelection() override;
    void EmptyText() override;
    // Asks OnPaste.
    bool PasteAllowed() override;
    editing::ModeMaster* WindowMaster() const override { return box_.Master(); }
    // The box's change handling fires OnEdited itself (a selection made by
    // the box is no edit).
    void Edited() override {}
    void Changed() override { box_.Change(); }

   private:
    TQelComboBox& box_;
  };

  // The list and the edit part as the combo box's flow sees them.
  class ComboPart : public editing::ComboControl {
   public:
    explicit ComboPart(TQelComboBox& box) : box_(box) {}
    int Count() const override { return box_.count(); }
    editing::Text ItemText(int index) const override;
    int CurrentIndex() const override { return box_.ItemIndex(); }
    void SetCurrentIndex(int index) override { box_.SetItemIndex(index); }
    void MoveItem(int fromIndex, int toIndex) override { box_.MoveItem(fromIndex, toIndex); }
    editing::Text GetText() const override;
    void SetText(const editing::Text& text) override;
    int SelStart() const override { return box_.SelStart(); }
    int SelLength() const override { return box_.SelLength(); }
    void SetSelection(int start, int length) override { box_.SetEditSelection(start, length); }
    // The new item takes the object that the window's OnNotInList gave.
    void InsertItem(int index, const editing::Text& text) override;
    bool HasNotInList() const override { return static_cast<bool>(box_.FOnNotInList); }
    bool AskNotInList(editing::Text& text, bool acceptByDefault) override;
    void FocusBox() override { box_.setFocus(); }
    void ListPicked() override { box_.DoListPick(); }
    void Edited() override { box_.DoEdited(); }
    void Changed() override;

   private:
    TQelComboBox& box_;
  };

  editing::ComboOptions& Opt() { return combo_.Options(); }
  const editing::ComboOptions& Opt() const { return combo_.Options(); }
  void InsertItemAt(int index, const QString& text, const QVariant& object);
  int SortedPlace(const QString& text) const;
  void FreeObject(int index);
  void SetEditSelection(int start, int length);

  EditPart editPart_{*this};
  editing::EditModel edit_{editPart_, editing::EditPolicy::ComboEdit()};
  ComboPart comboPart_{*this};
  editing::ComboModel combo_{comboPart_, edit_, LocaleTextOrder()};
  DisabledAtLoadColor FSavedFontColor;
  bool FDestroyObjects = false;
  bool FReadOnly = false;
  bool FMovingItem = false;
  // What OnNotInList gave with the text it accepted, for the item that the
  // flow adds next.
  QVariant pendingObject_;

  NotifyEvent FOnEdited;
  NotifyEvent FOnChange;
  NotifyEvent FOnListPick;
  AddToListEvent FOnNotInList;
  PromptEvent FOnPaste;
  CompareEvent FOnCompare;
};

}  // namespace pixdeck
