// The controls' error messages, the undo buffer and the list searches.
#include <gtest/gtest.h>

#include "inputs/list_utils.h"
#include "inputs/show_error.h"

namespace pixdeck {
namespace {

TEST(ShowError, BuildsEachFixedMessageFromCodeAndName) {
  EXPECT_EQ(EShowError(1, "edtName").Message(),
            "Cannot set label position. Label parent is different from edtName parent.");
  EXPECT_EQ(EShowError(2, "edtName").Message(),
            "Cannot attach label to edtName. Label and control must be on the same form!");
  EXPECT_EQ(EShowError(3, "InputBoxMaster1").Message(),
            "There can only be one instance of this component. The current one is called "
            "InputBoxMaster1.");
  EXPECT_EQ(EShowError(4, "x").Message(), "Incorrect tab values assigned to x.");
  EXPECT_EQ(EShowError(5, "x").Message(), "Cannot sort list; too many items in x.");
  EXPECT_EQ(EShowError(6, "x").Message(), "Insufficient memory; procedure canceled.");
  EXPECT_EQ(EShowError(7, "abc").Message(), "\"abc\" is not in the list!");
  EXPECT_EQ(EShowError(7, "abc").Code(), 7);
}

TEST(ShowError, OtherCodesCarryTheTextOrSayUndefined) {
  EXPECT_EQ(EShowError(0, "").Message(), "Undefined exception (?)");
  EXPECT_EQ(EShowError(0, "plain words").Message(), "plain words");
  EXPECT_EQ(EShowError(8, "").Message(), "Undefined exception (?)");
  EXPECT_EQ(EShowError(500, "own text").Message(), "own text");
}

TEST(ShowError, IsThrownAndCaughtWithItsMessage) {
  try {
    throw EShowError(3, "InputBoxMaster1");
  } catch (const std::exception& error) {
    EXPECT_STREQ(error.what(),
                 "There can only be one instance of this component. The current one is called "
                 "InputBoxMaster1.");
  }
}

TEST(FindSorted, FindsIgnoringCaseOrWithCase) {
  const QStringList list{"apple", "Banana", "cherry"};
  int index = -1;
  EXPECT_TRUE(FindSorted(list, false, false, "banana", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(FindSorted(list, false, true, "banana", index));
  EXPECT_TRUE(FindSorted(list, false, true, "Banana", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(FindSorted(list, false, false, "blueberry", index));
  EXPECT_EQ(index, 2);  // where it would go
  EXPECT_FALSE(FindSorted(QStringList{}, false, false, "x", index));
  EXPECT_EQ(index, 0);
}

TEST(FindSorted, FirstMatchGivesTheFirstOfEqualItems) {
  const QStringList list{"a", "b", "b", "b", "b", "c"};
  int index = -1;
  EXPECT_TRUE(FindSorted(list, true, false, "b", index));
  EXPECT_EQ(index, 1);
  EXPECT_TRUE(FindSorted(list, false, false, "b", index));
  EXPECT_EQ(list[index], "b");
  EXPECT_EQ(index, 2);  // the first equal item that the halving meets
}

TEST(FindSortedNoCase, GivesEqualItemOrInsertionPlace) {
  const QStringList list{"alpha", "beta", "delta", "gamma"};
  int index = -1;
  EXPECT_TRUE(FindSortedNoCase(list, "BETA", index));
  EXPECT_EQ(index, 1);
  EXPECT_TRUE(FindSortedNoCase(list, "gamma", index));
  EXPECT_EQ(index, 3);
  EXPECT_TRUE(FindSortedNoCase(list, "Alpha", index));
  EXPECT_EQ(index, 0);
  EXPECT_FALSE(FindSortedNoCase(list, "charlie", index));
  EXPECT_EQ(index, 2);
  EXPECT_FALSE(FindSortedNoCase(list, "zeta", index));
  EXPECT_EQ(index, 4);
  EXPECT_FALSE(FindSortedNoCase(list, "a", index));
  EXPECT_EQ(index, 0);
  EXPECT_FALSE(FindSortedNoCase(QStringList{}, "a", index));
  EXPECT_EQ(index, 0);
}

TEST(FindPrefix, SortedAndUnsortedLists) {
  const QStringList sorted{"alpha", "beta", "betamax"};
  EXPECT_EQ(FindPrefix(sorted, true, "BET"), 1);
  EXPECT_EQ(FindPrefix(sorted, true, "betam"), 2);
  EXPECT_EQ(FindPrefix(sorted, true, "gamma"), -1);
  EXPECT_EQ(FindPrefix(sorted, true, "Alpha"), 0);
  EXPECT_EQ(FindPrefix(QStringList{"x", "ab"}, false, "a"), 1);
  EXPECT_EQ(FindPrefix(QStringList{"x", "ab"}, false, "b"), -1);
  EXPECT_EQ(FindPrefix(QStringList{}, false, "a"), -1);
  EXPECT_EQ(FindPrefix(QStringList{}, true, "a"), -1);
}

TEST(CompleteFromList, AddsTheRestKeepingTheTypedCase) {
  const QStringList list{"alpha", "beta"};
  int index = -1;
  int selStart = 99;
  int selLength = 0;
  QString completed;
  CompleteFromList(list, false, "be", index, selStart, selLength, completed);
  EXPECT_EQ(index, 1);
  EXPECT_EQ(completed, "beta");
  EXPECT_EQ(selStart, 2);
  EXPECT_EQ(selLength, 2);
  CompleteFromList(list, false, "Be", index, selStart, selLength, completed);
  EXPECT_EQ(completed, "Beta");
  CompleteFromList(QStringList{"*.gif", "*.JPG"}, false, "*.j", index, selStart, selLength,
                   completed);
  EXPECT_EQ(completed, "*.jPG");
  EXPECT_EQ(index, 1);
}

TEST(CompleteFromList, EqualTextSelectsNothingAndNoMatchLeavesSelStart) {
  const QStringList list{"alpha", "beta"};
  int index = -1;
  int selStart = 99;
  int selLength = 0;
  QString completed;
  CompleteFromList(list, false, "BETA", index, selStart, selLength, completed);
  EXPECT_EQ(index, 1);
  EXPECT_EQ(selLength, 0);
  EXPECT_EQ(selStart, 4);
  EXPECT_EQ(completed, "BETA");
  selStart = 7;
  CompleteFromList(list, false, "zz", index, selStart, selLength, completed);
  EXPECT_EQ(index, -1);
  EXPECT_EQ(selLength, -1);
  EXPECT_EQ(selStart, 7);
  EXPECT_EQ(completed, "zz");
  CompleteFromList(list, false, "", index, selStart, selLength, completed);
  EXPECT_EQ(index, -1);
  EXPECT_EQ(selLength, -1);
}

}  // namespace
}  // namespace pixdeck
