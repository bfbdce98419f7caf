// The list searches and the completion over plain texts, in an ASCII order
// (the locale's own order is the input layer's, tested there).
#include "editing/list_search.h"

#include <gtest/gtest.h>

#include "ascii_order.h"

namespace pixdeck::editing {
namespace {

using test_support::kOrder;

TEST(ListSearch, FindSortedWithAndWithoutCaseAndTheFirstOfEqualItems) {
  int index = -1;
  EXPECT_TRUE(FindSorted({u"apple", u"Banana", u"cherry"}, kOrder, false, false, u"banana", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(FindSorted({u"Banana", u"apple", u"cherry"}, kOrder, false, true, u"banana", index));
  EXPECT_EQ(index, 2);  // lower case after upper case: between apple and cherry
  EXPECT_FALSE(FindSorted({u"a", u"c"}, kOrder, false, false, u"b", index));
  EXPECT_EQ(index, 1);
  const TextList equal = {u"a", u"b", u"b", u"b", u"b", u"c"};
  EXPECT_TRUE(FindSorted(equal, kOrder, true, false, u"b", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(FindSorted({}, kOrder, true, false, u"b", index));
  EXPECT_EQ(index, 0);
}

TEST(ListSearch, FindSortedNoCaseGivesTheEqualItemOrTheInsertionPlace) {
  const TextList list = {u"alpha", u"beta", u"delta", u"gamma"};
  int index = -1;
  EXPECT_TRUE(FindSortedNoCase(list, kOrder, u"DELTA", index));
  EXPECT_EQ(index, 2);
  EXPECT_FALSE(FindSortedNoCase(list, kOrder, u"c", index));
  EXPECT_EQ(index, 2);
  EXPECT_FALSE(FindSortedNoCase(list, kOrder, u"zeta", index));
  EXPECT_EQ(index, 4);
  EXPECT_FALSE(FindSortedNoCase({}, kOrder, u"x", index));
  EXPECT_EQ(index, 0);
}

TEST(ListSearch, FindPrefixInSortedAndUnsortedLists) {
  EXPECT_EQ(FindPrefix({u"alpha", u"beta", u"betamax"}, kOrder, true, u"BET"), 1);
  EXPECT_EQ(FindPrefix({u"alpha", u"beta", u"betamax"}, kOrder, true, u"gamma"), -1);
  EXPECT_EQ(FindPrefix({u"x", u"ab"}, kOrder, false, u"a"), 1);
  EXPECT_EQ(FindPrefix({}, kOrder, false, u"a"), -1);
}

TEST(ListSearch, CompletionAddsTheRestKeepingTheTypedCase) {
  int index = 0;
  int selStart = 7;
  int selLength = 0;
  Text completed;
  CompleteFromList({u"alpha", u"beta"}, kOrder, false, u"Be", index, selStart, selLength,
                   completed);
  EXPECT_EQ(index, 1);
  EXPECT_EQ(completed, u"Beta");
  EXPECT_EQ(selStart, 2);
  EXPECT_EQ(selLength, 2);
  CompleteFromList({u"alpha", u"beta"}, kOrder, false, u"beta", index, selStart, selLength,
                   completed);
  EXPECT_EQ(selLength, 0);
  EXPECT_EQ(selStart, 4);
  selStart = 7;
  CompleteFromList({u"alpha", u"beta"}, kOrder, false, u"x", index, selStart, selLength, completed);
  EXPECT_EQ(index, -1);
  EXPECT_EQ(selLength, -1);
  EXPECT_EQ(selStart, 7);
  EXPECT_EQ(completed, u"x");
  CompleteFromList({u"alpha"}, kOrder, false, u"", index, selStart, selLength, completed);
  EXPECT_EQ(index, -1);
}

}  // namespace
}  // namespace pixdeck::editing
