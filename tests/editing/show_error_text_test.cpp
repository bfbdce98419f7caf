// The fixed messages of the controls' errors, as every toolkit's exception
// words them.
#include "editing/show_error_text.h"

#include <gtest/gtest.h>

namespace pixdeck::editing {
namespace {

TEST(ShowErrorTextTest, EachCodeHasItsSentenceAroundTheName) {
  EXPECT_EQ(ShowErrorMessage(1, u"edtName"),
            u"Cannot set label position. Label parent is different from edtName parent.");
  EXPECT_EQ(ShowErrorMessage(2, u"edtName"),
            u"Cannot attach label to edtName. Label and control must be on the same form!");
  EXPECT_EQ(ShowErrorMessage(3, u"InputBoxMaster1"),
            u"There can only be one instance of this component. The current one is called "
            u"InputBoxMaster1.");
  EXPECT_EQ(ShowErrorMessage(4, u"x"), u"Incorrect tab values assigned to x.");
  EXPECT_EQ(ShowErrorMessage(5, u"x"), u"Cannot sort list; too many items in x.");
  EXPECT_EQ(ShowErrorMessage(6, u"x"), u"Insufficient memory; procedure canceled.");
  EXPECT_EQ(ShowErrorMessage(7, u"abc"), u"\"abc\" is not in the list!");
}

TEST(ShowErrorTextTest, OtherCodesGiveTheTextOrSayUndefined) {
  EXPECT_EQ(ShowErrorMessage(0, u""), u"Undefined exception (?)");
  EXPECT_EQ(ShowErrorMessage(0, u"own words"), u"own words");
  EXPECT_EQ(ShowErrorMessage(8, u""), u"Undefined exception (?)");
  EXPECT_EQ(ShowErrorMessage(65535, u"x"), u"x");
}

}  // namespace
}  // namespace pixdeck::editing
