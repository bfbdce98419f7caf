// Caption labels on real STATIC controls beside real boxes: placed by the
// editing layer's arithmetic, following the box's moves and visibility,
// greyed in their own colour with the box, focusing the box on a click.
#include <gtest/gtest.h>

#include "test_window.h"
#include "wininputs/lbl_edit.h"

namespace pixdeck::wininputs {
namespace {

using testing::TestWindow;
using testing::TextOf;

// A control's rectangle in its parent's client coordinates.
RECT PlaceOf(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// The control's own visibility (its window is not shown in the tests).
bool Shown(HWND control) {
  return (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

class CaptionLabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    box = window.AddEdit(u"text");
    label = window.AddLabel(u"&Output Name:", 5, 5, 66, 13);
    SetWindowPos(box, nullptr, 100, 50, 217, 21, SWP_NOZORDER);
    edit.Attach(box, label);
  }

  TestWindow window;
  HWND box = nullptr;
  HWND label = nullptr;
  TLblEdit edit;
};

TEST_F(CaptionLabelTest, AnAttachedLabelStaysWhereItStoodUntilAPositionIsSet) {
  EXPECT_EQ(edit.Caption().LabelPos(), editing::lpCustom);
  EXPECT_EQ(edit.Caption().LabelRelLeft(), 5 - 100);
  EXPECT_EQ(edit.Caption().LabelRelTop(), 5 - 50);
  EXPECT_TRUE(edit.Caption().LabelColon());
  EXPECT_EQ(edit.Caption().LabelText(), u"&Output Name");
}

TEST_F(CaptionLabelTest, TheLabelIsPlacedByItsPositionAndFollowsTheBox) {
  edit.Caption().SetLabelMargin(2);
  edit.Caption().SetLabelPos(editing::lpTop);
  RECT place = PlaceOf(label);
  EXPECT_EQ(place.left, 100);
  EXPECT_EQ(place.top, 50 - 15);  // label height 13 plus the margin
  EXPECT_EQ(edit.Caption().LabelRelTop(), -15);

  SetWindowPos(box, nullptr, 16, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  place = PlaceOf(label);
  EXPECT_EQ(place.left, 16);
  EXPECT_EQ(place.top, 15);

  edit.Caption().SetLabelMargin(8);
  edit.Caption().SetLabelPos(editing::lpLeft);
  place = PlaceOf(label);
  EXPECT_EQ(place.left, 16 - 66 - 8);
  EXPECT_EQ(place.top, 30 + editing::SideLabelOffset);

  ShowWindow(box, SW_HIDE);
  EXPECT_FALSE(Shown(label));
  ShowWindow(box, SW_SHOW);
  EXPECT_TRUE(Shown(label));
}

TEST_F(CaptionLabelTest, ADisabledBoxGreysItsLabelInTheLabelsOwnColour) {
  edit.Caption().Label().SetDisabledColor(RGB(1, 2, 3));
  EnableWindow(box, FALSE);
  EXPECT_TRUE(edit.Caption().Label().ShowDisabled());
  EXPECT_TRUE(IsWindowEnabled(label));  // the label itself stays enabled

  HDC dc = GetDC(label);
  SendMessageW(window.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(label));
  EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));

  EnableWindow(box, TRUE);
  EXPECT_FALSE(edit.Caption().Label().ShowDisabled());
  SetTextColor(dc, RGB(9, 9, 9));
  SendMessageW(window.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(label));
  EXPECT_NE(GetTextColor(dc), RGB(1, 2, 3));
  ReleaseDC(label, dc);
}

TEST_F(CaptionLabelTest, AClickOnTheLabelFocusesItsBoxUnlessTheBoxIsDisabled) {
  HWND other = window.AddEdit(u"");
  SetFocus(other);
  TestWindow::Click(label, 2, 2);
  EXPECT_EQ(GetFocus(), box);

  SetFocus(other);
  EnableWindow(box, FALSE);
  TestWindow::Click(label, 2, 2);
  EXPECT_EQ(GetFocus(), other);
}

TEST_F(CaptionLabelTest, TheColonFollowsLabelColon) {
  edit.Caption().SetLabelText(u"Name");
  EXPECT_EQ(TextOf(label), u"Name:");
  EXPECT_EQ(edit.Caption().LabelText(), u"Name");
  edit.Caption().SetLabelColon(false);
  EXPECT_EQ(TextOf(label), u"Name");
  edit.Caption().SetLabelColon(true);
  EXPECT_EQ(TextOf(label), u"Name:");
}

}  // namespace
}  // namespace pixdeck::wininputs
