// The combo box's history rules over a fake list in an ASCII order.
#include "editing/combo_history.h"

#include <gtest/gtest.h>

#include "ascii_order.h"

namespace pixdeck::editing {
namespace {

using test_support::kOrder;

class FakeList : public ComboList {
 public:
  explicit FakeList(TextList items) : items(std::move(items)) {}
  int Count() const override { return static_cast<int>(items.size()); }
  Text ItemText(int index) const override { return items.at(index); }
  int CurrentIndex() const override { return current; }
  void SetCurrentIndex(int index) override { current = index; }
  void MoveItem(int fromIndex, int toIndex) override {
    const Text item = items.at(fromIndex);
    items.erase(items.begin() + fromIndex);
    items.insert(items.begin() + toIndex, item);
    ++moves;
  }

  TextList items;
  int current = -1;
  int moves = 0;
};

TEST(ComboHistory, FindsTextsAsTheListCompares) {
  FakeList list({u"beta", u"Alpha", u"gamma"});
  ComboHistory history(list, kOrder);
  EXPECT_EQ(history.IndexOfText(u"alpha"), 1);
  EXPECT_EQ(history.IndexOfText(u"delta"), -1);
  history.Options().caseSensitive = true;
  EXPECT_EQ(history.IndexOfText(u"alpha"), -1);
  EXPECT_EQ(history.IndexOfText(u"Alpha"), 1);

  FakeList sorted({u"Alpha", u"beta", u"gamma"});
  ComboHistory sortedHistory(sorted, kOrder);
  sortedHistory.Options().sorted = true;
  EXPECT_EQ(sortedHistory.IndexOfText(u"GAMMA"), 2);
  EXPECT_EQ(sortedHistory.IndexOfText(u"delta"), -1);
}

TEST(ComboHistory, NewEntriesGoToTheStartOfAHistoryListOnly) {
  FakeList list({u"b", u"d"});
  ComboHistory history(list, kOrder);
  EXPECT_EQ(history.NewItemPlace(u"c"), 2);  // a plain list: the end
  history.Options().addNewToStart = true;
  EXPECT_EQ(history.NewItemPlace(u"c"), 0);
  // A sorted list keeps its order, after the items equal to the text.
  history.Options().sorted = true;
  EXPECT_EQ(history.NewItemPlace(u"c"), 1);
  EXPECT_EQ(history.NewItemPlace(u"B"), 1);
  EXPECT_EQ(history.NewItemPlace(u"a"), 0);
  EXPECT_EQ(history.NewItemPlace(u"z"), 2);

  FakeList empty({});
  ComboHistory emptyHistory(empty, kOrder);
  emptyHistory.Options().addNewToStart = true;
  EXPECT_EQ(emptyHistory.NewItemPlace(u"x"), 0);
}

TEST(ComboHistory, APickMovesToTheStartOfAHistoryListAndStaysSelected) {
  FakeList list({u"a", u"b", u"c"});
  ComboHistory history(list, kOrder);
  list.current = 2;
  EXPECT_FALSE(history.MovePickToStart());  // not a history list
  EXPECT_EQ(list.moves, 0);

  history.Options().addNewToStart = true;
  EXPECT_TRUE(history.MovePickToStart());
  EXPECT_EQ(list.items, (TextList{u"c", u"a", u"b"}));
  EXPECT_EQ(list.current, 0);
  list.current = 1;
  EXPECT_TRUE(history.MovePickToStart());
  EXPECT_EQ(list.items, (TextList{u"a", u"c", u"b"}));
  EXPECT_EQ(list.current, 0);
  // The first item and no selection stay where they are.
  EXPECT_FALSE(history.MovePickToStart());
  list.current = -1;
  EXPECT_FALSE(history.MovePickToStart());
  EXPECT_EQ(list.moves, 2);
}

TEST(ComboHistory, TheCheckOnLeavingFollowsTheListsKind) {
  FakeList list({u"Red", u"Green"});
  ComboHistory history(list, kOrder);
  // A free list takes any text; an empty text needs a value only when the
  // box may not be empty.
  EXPECT_EQ(history.Check(u"blue"), ComboCheck::Accept);
  EXPECT_EQ(history.Check(u""), ComboCheck::Empty);
  history.Options().allowNull = false;
  EXPECT_EQ(history.Check(u""), ComboCheck::AskEmpty);

  history.Options().limitToList = true;
  EXPECT_EQ(history.Check(u"green"), ComboCheck::Accept);  // letter case ignored
  EXPECT_EQ(history.Check(u"blue"), ComboCheck::AskLimit);
  history.Options().caseSensitive = true;
  EXPECT_EQ(history.Check(u"green"), ComboCheck::AskLimit);

  history.Options().limitToList = false;
  history.Options().addNewToList = true;
  EXPECT_EQ(history.Check(u"Green"), ComboCheck::Accept);
  EXPECT_EQ(history.Check(u"blue"), ComboCheck::AskAdd);
  EXPECT_EQ(history.Check(u""), ComboCheck::AskEmpty);
}

TEST(ComboHistory, ApplyingATextSelectsItsItemOrSetsItAndAddsItWhenTheListGrows) {
  FakeList list({u"Red", u"Green"});
  ComboHistory history(list, kOrder);
  ComboApplyStep step = history.PlanApply(u"green", u"", false);
  EXPECT_EQ(step.action, ComboApply::SelectItem);
  EXPECT_EQ(step.index, 1);
  EXPECT_FALSE(step.force);
  // The selected item whose text was edited is shown again.
  list.current = 1;
  EXPECT_TRUE(history.PlanApply(u"Green", u"Gre", false).force);
  EXPECT_FALSE(history.PlanApply(u"Green", u"Green", false).force);

  EXPECT_EQ(history.PlanApply(u"blue", u"", false).action, ComboApply::SetText);
  history.Options().addNewToList = true;
  // The program's own value is added without asking; the user's is asked for.
  EXPECT_EQ(history.PlanApply(u"blue", u"", true).action, ComboApply::AddSilently);
  EXPECT_EQ(history.PlanApply(u"blue", u"", false).action, ComboApply::AskToAdd);

  EXPECT_EQ(history.PlanApply(u"", u"Green", false).action, ComboApply::Unselect);
  list.current = -1;
  EXPECT_EQ(history.PlanApply(u"", u"typed", false).action, ComboApply::ClearText);
  EXPECT_EQ(history.PlanApply(u"", u"", false).action, ComboApply::None);
}

}  // namespace
}  // namespace pixdeck::editing
