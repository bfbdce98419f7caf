// The main window's and the Options dialog's input boxes as wired into the
// windows: Escape, Insert, the history lists through a run and the next,
// the colour box limited to its list. The rules themselves are tested in
// tests/editing and tests/wininputs.
#include <windows.h>

#include <algorithm>
#include <iterator>

#include "platform/win32/win32_text.h"
#include "settings/program_options.h"
#include "winapp/resource.h"
#include "winapp/win_text.h"
#include "winapp/window_boxes.h"
#include "window_driver.h"
#include "wininputs/input_box_master.h"
#include "wininputs/input_box_menu.h"

namespace pixdeck::test {
namespace {

using WindowBoxesTest = WinAppTest;

// Inside a modal dialog's own loop: what was posted to its boxes runs now.
void RunWaitingMessages(HWND dialog) {
  MSG msg{};
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (!::IsDialogMessageW(dialog, &msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
}

constexpr int kMainBoxes[] = {PIXDECK_IDC_SPECS, PIXDECK_IDC_OUTPUT_NAME, PIXDECK_IDC_BACKGROUND,
                              PIXDECK_IDC_BACK_COLOR, PIXDECK_IDC_COUNT};

TEST_F(WindowBoxesTest, EscapeUndoesTheTypingInEveryBoxOfTheMainWindow) {
  OpenMain(WriteSettings("PatternName=tile.gif\r\n"));
  for (int id : kMainBoxes) {
    if (id == PIXDECK_IDC_COUNT || id == PIXDECK_IDC_BACK_COLOR) {
      continue;  // the count has no undo on Escape; the colour box keeps to its list
    }
    HWND edit = EditOf(Item(id));
    ::SetFocus(edit);
    const std::string before = TextOf(id);
    PressKey(VK_END, edit);
    Type(L"xyz", edit);
    ASSERT_EQ(TextOf(id), before + "xyz") << id;
    PressKey(VK_ESCAPE, edit);
    EXPECT_EQ(TextOf(id), before) << id;
    EXPECT_TRUE(::IsWindow(main->Handle()));  // Escape never closes the window
  }
}

TEST_F(WindowBoxesTest, InsertSwitchesOverwriteModeForEveryBoxOfTheWindow) {
  OpenMain(WriteSettings(""));
  WindowBoxes& boxes = main->Boxes();
  for (int id : kMainBoxes) {
    EXPECT_FALSE(boxes.OverwriteMode(id)) << id;
  }
  HWND specs = EditOf(Item(PIXDECK_IDC_SPECS));
  ::SetFocus(specs);
  PressKey(VK_INSERT, specs);
  for (int id : kMainBoxes) {
    EXPECT_TRUE(boxes.OverwriteMode(id)) << id;
  }
  // Typing now replaces the character after the caret.
  PressKey(VK_HOME, specs);
  Type(L"?", specs);
  EXPECT_EQ(TextOf(PIXDECK_IDC_SPECS), "?.gif;*.jpg");
  HWND output = EditOf(Item(PIXDECK_IDC_OUTPUT_NAME));
  ::SetFocus(output);
  PressKey(VK_INSERT, output);
  for (int id : kMainBoxes) {
    EXPECT_FALSE(boxes.OverwriteMode(id)) << id;
  }
}

TEST_F(WindowBoxesTest, HistoriesAreSavedOnExitAndBackOnTheNextStart) {
  scratch.write("pics/a.gif", "GIF89a");
  const std::string settings = WriteSettings("DefaultDir=" + scratch.file("pics") + "\r\n");
  OpenMain(settings);
  HWND specs = EditOf(Item(PIXDECK_IDC_SPECS));
  ::SetFocus(specs);
  ::SendMessageW(specs, EM_SETSEL, 0, -1);
  Type(L"*.gif;*.png", specs);
  HWND output = EditOf(Item(PIXDECK_IDC_OUTPUT_NAME));
  ::SetFocus(output);  // leaving the box takes the text into its history
  ::SendMessageW(output, EM_SETSEL, 0, -1);
  Type(L"neu.htm", output);
  PressKey(VK_RETURN, output);  // Filter
  EXPECT_EQ(TextOf(PIXDECK_IDC_COUNT), "1");
  CloseMain();
  const std::string saved = ReadAll(settings);
  EXPECT_NE(saved.find("*.gif;*.png"), std::string::npos) << saved;
  EXPECT_NE(saved.find("neu.htm"), std::string::npos) << saved;

  OpenMain(settings);
  const std::vector<std::string> specsList = main->Boxes().Items(PIXDECK_IDC_SPECS);
  ASSERT_FALSE(specsList.empty());
  EXPECT_EQ(specsList.front(), "*.gif;*.png");
  // The page name box shows the default name again, with the typed one in
  // its history.
  const std::vector<std::string> outputs = main->Boxes().Items(PIXDECK_IDC_OUTPUT_NAME);
  EXPECT_NE(std::find(outputs.begin(), outputs.end(), "neu.htm"), outputs.end());
}

TEST_F(WindowBoxesTest, TheOptionsColourBoxTakesOnlyNamesOfItsList) {
  OpenMain(WriteSettings(""));
  ASSERT_TRUE(main->ColorsAvailable());
  bool seen = false;
  WhenShown(L"Options", [&](HWND options) {
    seen = true;
    HWND colors = ::GetDlgItem(options, PIXDECK_IDC_OPT_BACK_COLOR);
    HWND edit = EditOf(colors);
    ::SetFocus(edit);
    for (wchar_t c : std::wstring(L"NoSuchColour")) {
      ::SendMessageW(edit, WM_CHAR, c, 1);
    }
    // Leaving the box with a name outside the list is refused: the text
    // goes back; a listed name stands.
    ::SetFocus(::GetDlgItem(options, PIXDECK_IDC_BASE));
    RunWaitingMessages(options);
    EXPECT_EQ(ItemText(options, PIXDECK_IDC_OPT_BACK_COLOR), "");
    ::SetFocus(edit);
    for (wchar_t c : std::wstring(L"Navy")) {
      ::SendMessageW(edit, WM_CHAR, c, 1);
    }
    ::SetFocus(::GetDlgItem(options, PIXDECK_IDC_BASE));
    RunWaitingMessages(options);
    EXPECT_EQ(ItemText(options, PIXDECK_IDC_OPT_BACK_COLOR), "Navy");
    ::PostMessageW(options, WM_COMMAND, IDCANCEL, 0);
  });
  ::SendMessageW(Item(PIXDECK_IDC_OPTIONS), BM_CLICK, 0, 0);
  EXPECT_TRUE(seen);
  EXPECT_EQ(CurrentOptions().bgColor, "");
}

// The menu entries (separators left out) and their states.
struct MenuSeen {
  int items = 0;  // separators included
  int entries = 0;
  int enabled = 0;
};

MenuSeen SeenIn(HMENU menu) {
  MenuSeen seen;
  seen.items = ::GetMenuItemCount(menu);
  for (int i = 0; i < seen.items; ++i) {
    const UINT state = ::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
    if ((state & MF_SEPARATOR) == 0) {
      ++seen.entries;
      seen.enabled += (state & (MF_GRAYED | MF_DISABLED)) == 0 ? 1 : 0;
    }
  }
  return seen;
}

TEST_F(WindowBoxesTest, EveryBoxShowsTheSharedMenuWithTheHighlightedEntrysHintInThePanel) {
  OpenMain(WriteSettings(""));
  wininputs::TInputBoxMaster* master = wininputs::TInputBoxMaster::OfWindow(main->Handle());
  ASSERT_NE(master, nullptr);
  std::vector<MenuSeen> menus;
  std::vector<std::string> hints;
  master->InputBoxMenu().SetTracker([&](HMENU menu, POINT, HWND owner) -> UINT {
    menus.push_back(SeenIn(menu));
    ::SendMessageW(owner, WM_MENUSELECT, MAKEWPARAM(::GetMenuItemID(menu, 0), MF_STRING),
                   reinterpret_cast<LPARAM>(menu));
    hints.push_back(TextOf(PIXDECK_IDC_HINT));
    return 0;
  });
  for (int id : kMainBoxes) {
    HWND edit = EditOf(Item(id));
    ::PostMessageW(edit, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit), MAKELPARAM(-1, -1));
    Pump();
  }
  ASSERT_EQ(menus.size(), std::size(kMainBoxes));
  for (std::size_t i = 0; i < menus.size(); ++i) {
    // The ten entries of the shared menu: eight commands and two separators.
    EXPECT_EQ(menus[i].items, 10) << i;
    EXPECT_EQ(menus[i].entries, 8) << i;
    EXPECT_GT(menus[i].enabled, 0) << i;
    EXPECT_EQ(hints[i], "Undo changes to input text") << i;
  }
  // The folder list and the drive box have no such menu.
  for (int id : {PIXDECK_IDC_DIRECTORY, PIXDECK_IDC_DRIVES}) {
    ::PostMessageW(Item(id), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Item(id)),
                   MAKELPARAM(-1, -1));
    Pump();
  }
  EXPECT_EQ(menus.size(), std::size(kMainBoxes));
  master->InputBoxMenu().SetTracker({});
}

TEST_F(WindowBoxesTest, TheAboutMemoOffersOnlyCopyAndSelectAll) {
  OpenMain(WriteSettings(""));
  MenuSeen seen;
  int chosen = 0;
  WhenShown(L"About Pixdeck", [&](HWND about) {
    HWND memo = ::GetDlgItem(about, PIXDECK_IDC_ABOUT_TEXT);
    wininputs::TInputBoxMaster* master = wininputs::TInputBoxMaster::OfWindow(about);
    ASSERT_NE(master, nullptr);
    master->InputBoxMenu().SetTracker([&](HMENU menu, POINT, HWND) -> UINT {
      seen = SeenIn(menu);
      // Select All: the whole text is selected.
      chosen = static_cast<int>(::GetMenuItemID(menu, ::GetMenuItemCount(menu) - 1));
      return static_cast<UINT>(chosen);
    });
    ::SendMessageW(memo, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(memo), MAKELPARAM(-1, -1));
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(memo, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, static_cast<DWORD>(::GetWindowTextLengthW(memo)));
    ::PostMessageW(about, WM_COMMAND, IDCANCEL, 0);
  });
  ::SendMessageW(Item(PIXDECK_IDC_ABOUT), BM_CLICK, 0, 0);
  EXPECT_EQ(seen.entries, 2);
  EXPECT_EQ(seen.enabled, 1);  // nothing is selected yet: Copy is off
  EXPECT_NE(chosen, 0);
}

}  // namespace
}  // namespace pixdeck::test
