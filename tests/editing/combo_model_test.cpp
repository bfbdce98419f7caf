// The combo box's flow over a fake box: picks, typed text and completion,
// the program's initial text, and the check of the text when the box is
// left, as every toolkit's combo box runs them.
#include "editing/combo_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

#include "ascii_order.h"

namespace pixdeck::editing {
namespace {

using test_support::kOrder;

// A combo box with a list and an edit part, recording what it reports.
class FakeCombo {
 public:
  // A loaded box: the program's writes while loading are over.
  explicit FakeCombo(TextList list) : items(std::move(list)) { edit.FinishLoading(); }

  // The user types at the caret (replacing the selection), as the edit part
  // reports it.
  void Type(const Text& typed) {
    text.replace(start, length, typed);
    start += static_cast<int>(typed.size());
    length = 0;
    combo.TextEdited();
  }

  TextList items;
  Text text;
  int current = -1;
  int start = 0;
  int length = 0;
  bool readOnly = false;
  Text clipboard;
  // The window's OnNotInList: nullopt for none, else its answer.
  std::optional<std::function<bool(Text&, bool)>> notInList;
  int picks = 0;
  int edits = 0;
  int changes = 0;
  int focusRequests = 0;

 private:
  class EditPart : public EditControl {
   public:
    explicit EditPart(FakeCombo& box) : box_(box) {}
    Text GetText() const override { return box_.text; }
    void SetText(const Text& value) override { box_.Show(value); }
    void RestoreText(const Text& value) override { box_.combo.ApplyText(value); }
    int SelStart() const override { return box_.start; }
    int SelLength() const override { return box_.length; }
    void SetSelection(int start, int length) override { box_.Select(start, length); }
    bool IsReadOnly() const override { return box_.readOnly; }
    bool HasFocus() const override { return true; }
    bool IsModified() const override { return box_.combo.Modified(); }
    void SetModified(bool value) override { box_.combo.SetModified(value); }
    bool ClipboardHasText() const override { return !box_.clipboard.empty(); }
    void Cut() override {}
    void Copy() override {}
    void Paste() override {}
    void ClearSelection() override {}
    void EmptyText() override {}
    ModeMaster* WindowMaster() const override { return nullptr; }
    void Edited() override {}
    void Changed() override { box_.combo.Change(); }

   private:
    FakeCombo& box_;
  };

  class ComboPart : public ComboControl {
   public:
    explicit ComboPart(FakeCombo& box) : box_(box) {}
    int Count() const override { return static_cast<int>(box_.items.size()); }
    Text ItemText(int index) const override { return box_.items.at(index); }
    int CurrentIndex() const override { return box_.current; }
    void SetCurrentIndex(int index) override {
      box_.current = index;
      box_.Show(index >= 0 ? box_.items.at(index) : Text());
    }
    void MoveItem(int fromIndex, int toIndex) override {
      const Text item = box_.items.at(fromIndex);
      box_.items.erase(box_.items.begin() + fromIndex);
      box_.items.insert(box_.items.begin() + toIndex, item);
      if (box_.current == fromIndex) {
        box_.current = toIndex;
      }
    }
    Text GetText() const override { return box_.text; }
    void SetText(const Text& value) override { box_.Show(value); }
    int SelStart() const override { return box_.start; }
    int SelLength() const override { return box_.length; }
    void SetSelection(int start, int length) override { box_.Select(start, length); }
    void InsertItem(int index, const Text& value) override {
      box_.items.insert(box_.items.begin() + index, value);
      if (box_.current >= index) {
        ++box_.current;
      }
    }
    bool HasNotInList() const override { return box_.notInList.has_value(); }
    bool AskNotInList(Text& value, bool acceptByDefault) override {
      return (*box_.notInList)(value, acceptByDefault);
    }
    void FocusBox() override { ++box_.focusRequests; }
    void ListPicked() override { ++box_.picks; }
    void Edited() override { ++box_.edits; }
    void Changed() override { ++box_.changes; }

   private:
    FakeCombo& box_;
  };

  void Show(const Text& value) {
    text = value;
    start = static_cast<int>(text.size());
    length = 0;
  }
  void Select(int newStart, int newLength) {
    const int size = static_cast<int>(text.size());
    start = std::clamp(newStart, 0, size);
    length = std::clamp(newLength, 0, size - start);
  }

  EditPart editPart_{*this};
  ComboPart comboPart_{*this};

 public:
  EditModel edit{editPart_, EditPolicy::ComboEdit()};
  ComboModel combo{comboPart_, edit, kOrder};
};

TEST(ComboModel, APickShowsTheItemReportsItOnceAndMovesItToTheStartOfAHistory) {
  FakeCombo box({u"one", u"two", u"three"});
  box.combo.Options().addNewToStart = true;
  box.combo.SelectItem(2);
  EXPECT_EQ(box.text, u"three");
  EXPECT_EQ(box.items, (TextList{u"three", u"one", u"two"}));
  EXPECT_EQ(box.current, 0);
  EXPECT_EQ(box.picks, 1);
  EXPECT_EQ(box.changes, 1);
  EXPECT_EQ(box.edits, 0);  // a selection is no edit
  EXPECT_TRUE(box.combo.Modified());

  // The selected item again: nothing, unless the next select is forced.
  box.combo.SelectItem(0);
  EXPECT_EQ(box.picks, 1);
  box.combo.ForceNextSelect();
  box.combo.SelectItem(0);
  EXPECT_EQ(box.picks, 2);
}

TEST(ComboModel, TypingCompletesFromTheListButNotAfterADeletingKey) {
  FakeCombo box({u"Alpha", u"beta"});
  box.Type(u"al");
  EXPECT_EQ(box.text, u"alpha");  // the typed letters keep their case
  EXPECT_EQ(box.start, 2);
  EXPECT_EQ(box.length, 3);
  EXPECT_EQ(box.current, 0);  // AutoPickItem picks the completed item
  EXPECT_GE(box.edits, 1);

  FakeCombo other({u"Alpha", u"beta"});
  other.Type(u"be");
  other.combo.KeyPressed(true);  // Backspace over the completed part
  other.text = u"be";
  other.start = 2;
  other.length = 0;
  other.combo.TextEdited();
  EXPECT_EQ(other.text, u"be");
  // Without a match the picked item is dropped and the typed text stays.
  other.Type(u"x");
  EXPECT_EQ(other.text, u"bex");
  EXPECT_EQ(other.current, -1);
}

TEST(ComboModel, AnEmptyTextNeverStandsInABoxThatNeedsAValue) {
  FakeCombo box({u"first", u"second"});
  box.combo.Options().allowNull = false;
  box.combo.Loaded();
  EXPECT_EQ(box.text, u"first");
  box.combo.SelectItem(1);
  box.text.clear();
  box.start = 0;
  box.combo.TextEdited();
  EXPECT_EQ(box.text, u"first");
  EXPECT_EQ(box.current, 0);

  // Where it may be empty, clearing the text unselects the item.
  FakeCombo free({u"first"});
  free.combo.SelectItem(0);
  free.combo.ClearText();
  EXPECT_EQ(free.text, u"");
  EXPECT_EQ(free.current, -1);
}

TEST(ComboModel, TheProgramsInitialTextIsTheUndoTextAndJoinsAGrowingListSilently) {
  FakeCombo box({u"old"});
  box.combo.Options().addNewToStart = true;
  box.combo.SetAddNewToList(true);
  int asked = 0;
  box.notInList = [&](Text&, bool accept) {
    ++asked;
    return accept;
  };
  box.combo.SetInitialText(u"new");
  EXPECT_EQ(box.items, (TextList{u"new", u"old"}));
  EXPECT_EQ(box.current, 0);
  EXPECT_EQ(asked, 0);
  EXPECT_FALSE(box.edit.CanUndo());
  EXPECT_EQ(box.edits, 0);

  box.Type(u"!");
  EXPECT_TRUE(box.edit.CanUndo());
  box.edit.Undo();
  EXPECT_EQ(box.text, u"new");
}

TEST(ComboModel, LeavingTheBoxChecksAChangedTextAgainstTheList) {
  // A limited list without a handler refuses an unlisted text: it is undone.
  FakeCombo limited({u"Red", u"Green"});
  limited.combo.SetLimitToList(true);
  limited.combo.SetInitialText(u"Red");
  limited.combo.SetAutoExpand(false);
  limited.combo.ClearText();
  limited.Type(u"Blue");
  EXPECT_TRUE(limited.combo.CommitText());
  EXPECT_TRUE(limited.combo.Refused());
  EXPECT_EQ(limited.text, u"Red");
  EXPECT_EQ(limited.current, 0);

  // A listed text in another case selects its item and needs nothing more.
  limited.text = u"green";
  limited.combo.TextEdited();
  EXPECT_FALSE(limited.combo.CommitText());
  EXPECT_EQ(limited.current, 1);

  // A growing history asks, may change the text, and puts it first.
  FakeCombo history({u"a.htm"});
  history.combo.Options().addNewToStart = true;
  history.combo.SetAddNewToList(true);
  EXPECT_FALSE(history.combo.Options().limitToList);
  history.notInList = [](Text& text, bool accept) {
    text += u"l";
    return accept;
  };
  history.combo.SetAutoExpand(false);
  history.Type(u"b.htm");
  history.combo.FocusLeft();
  EXPECT_EQ(history.focusRequests, 1);
  EXPECT_EQ(history.items, (TextList{u"b.html", u"a.htm"}));
  EXPECT_EQ(history.current, 0);
  EXPECT_EQ(history.text, u"b.html");
  EXPECT_FALSE(history.combo.Refused());

  // An unchanged text is not checked again.
  FakeCombo untouched({u"x"});
  untouched.combo.SetLimitToList(true);
  untouched.text = u"y";
  EXPECT_FALSE(untouched.combo.CommitText());
}

TEST(ComboModel, PickKeepingTheTextAndAUserPickThatShowsTheSameText) {
  FakeCombo box({u"alpha", u"beta"});
  box.combo.SetAutoExpand(false);
  box.Type(u"bet");
  box.start = 1;
  box.length = 2;
  box.combo.SetIndexKeepText(1);
  EXPECT_EQ(box.current, 1);
  EXPECT_EQ(box.text, u"bet");
  EXPECT_EQ(box.start, 1);
  EXPECT_EQ(box.length, 2);

  // The toolkit shows a picked item before it reports the pick: a pick of
  // the text already shown is a change but no pick.
  FakeCombo shown({u"alpha", u"beta"});
  shown.combo.SelectItem(1);
  const int picks = shown.picks;
  shown.combo.UserSelected(1);
  EXPECT_EQ(shown.picks, picks);
  shown.combo.UserSelected(0);
  EXPECT_EQ(shown.picks, picks + 1);
  EXPECT_EQ(shown.text, u"alpha");
}

TEST(ComboModel, TheBoxsOwnDeletePasteAndClearAreUserEditsButNotInReadOnlyBoxes) {
  FakeCombo box({u"abcdef"});
  box.combo.SetAutoExpand(false);
  box.Type(u"abcd");
  box.start = 1;
  box.length = 2;
  box.combo.DeleteSelection();
  EXPECT_EQ(box.text, u"ad");
  EXPECT_EQ(box.start, 1);
  box.clipboard = u"XY";
  box.start = 1;
  box.length = 1;
  box.combo.PasteText(box.clipboard);
  EXPECT_EQ(box.text, u"aXY");
  EXPECT_EQ(box.start, 3);
  const int edits = box.edits;
  box.readOnly = true;
  box.combo.ClearText();
  box.combo.PasteText(u"Z");
  EXPECT_EQ(box.text, u"aXY");
  EXPECT_EQ(box.edits, edits);
  box.readOnly = false;
  box.combo.ClearText();
  EXPECT_EQ(box.text, u"");
  EXPECT_GT(box.edits, edits);
}

}  // namespace
}  // namespace pixdeck::editing
