// The About box and the Options dialog opened from the main window's
// buttons, and the browse buttons' file dialogs, answered by the test.
#include <windows.h>

#include <commdlg.h>

#include <algorithm>
#include <iterator>

#include "catalog/credits_text.h"
#include "platform/win32/win32_text.h"
#include "settings/program_options.h"
#include "util/browse_start.h"
#include "winapp/about_box.h"
#include "winapp/file_dialogs.h"
#include "winapp/resource.h"
#include "winapp/win_text.h"
#include "window_driver.h"

namespace pixdeck::test {
namespace {

using DialogsTest = WinAppTest;

TEST_F(DialogsTest, TheAboutBoxShowsTheProgramsTextAndEscapeClosesIt) {
  OpenMain(WriteSettings(""));
  bool seen = false;
  WhenShown(L"About Pixdeck", [&](HWND about) {
    seen = true;
    HWND memo = ::GetDlgItem(about, PIXDECK_IDC_ABOUT_TEXT);
    EXPECT_EQ(platform::ToWide(WindowText(memo)), AboutMemoText());
    EXPECT_NE(WindowText(memo).find("Hope you enjoy using it!"), std::string::npos);
    const LONG memoStyle = ::GetWindowLongW(memo, GWL_STYLE);
    EXPECT_TRUE(memoStyle & ES_READONLY);
    EXPECT_TRUE(memoStyle & ES_CENTER);
    EXPECT_TRUE(memoStyle & WS_VSCROLL);
    EXPECT_FALSE(memoStyle & WS_HSCROLL);
    EXPECT_EQ(ItemText(about, IDCANCEL), "&Close");
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(about, IDCANCEL));
    // The long text scrolls: more lines than the memo shows.
    EXPECT_GT(::SendMessageW(memo, EM_GETLINECOUNT, 0, 0), 12);
    ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
  });
  ::SendMessageW(Item(PIXDECK_IDC_ABOUT), BM_CLICK, 0, 0);
  EXPECT_TRUE(seen);
  EXPECT_EQ(::FindWindowW(nullptr, L"About Pixdeck"), nullptr);
}

TEST_F(DialogsTest, OptionsSaveStoresTheDefaultsAndHandsThemToTheMainWindow) {
  const std::string settings = WriteSettings("UrlBaseName=http://example.org/pics/\r\n");
  OpenMain(settings);
  bool seen = false;
  WhenShown(L"Options", [&](HWND options) {
    seen = true;
    EXPECT_EQ(ItemText(options, PIXDECK_IDC_BASE), "http://example.org/pics/");
    EXPECT_EQ(ItemText(options, PIXDECK_IDC_BROWSER), "C:\\windows\\notepad.exe");
    EXPECT_EQ(ItemText(options, PIXDECK_IDC_DEF_OUT_NAME), "images.htm");
    EXPECT_FALSE(::GetWindowLongW(options, GWL_STYLE) & WS_THICKFRAME);
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(options, PIXDECK_IDC_BROWSER));
    HWND pattern = ::GetDlgItem(options, PIXDECK_IDC_PATTERN);
    ::SetFocus(pattern);
    for (wchar_t c : std::wstring(L"tile.gif")) {
      ::SendMessageW(pattern, WM_CHAR, c, 1);
    }
    ::SendDlgItemMessageW(options, PIXDECK_IDC_GALLERY, BM_CLICK, 0, 0);
    ::PostMessageW(options, WM_COMMAND, IDOK, 0);
  });
  ::SendMessageW(Item(PIXDECK_IDC_OPTIONS), BM_CLICK, 0, 0);
  ASSERT_TRUE(seen);
  EXPECT_EQ(CurrentOptions().patternName, "tile.gif");
  EXPECT_TRUE(CurrentOptions().gallery);
  EXPECT_EQ(TextOf(PIXDECK_IDC_BACKGROUND), "tile.gif");
  const std::string saved = ReadAll(settings);
  EXPECT_NE(saved.find("PatternName=tile.gif"), std::string::npos) << saved;
  EXPECT_NE(saved.find("Gallery=1"), std::string::npos) << saved;
  EXPECT_NE(saved.find("UrlBaseName=http://example.org/pics/"), std::string::npos);
  CurrentOptions() = ProgramOptions{};
}

TEST_F(DialogsTest, OptionsCancelChangesNothing) {
  const std::string settings = WriteSettings("");
  OpenMain(settings);
  const std::string before = ReadAll(settings);
  const ProgramOptions options = CurrentOptions();
  WhenShown(L"Options", [&](HWND dialog) {
    HWND base = ::GetDlgItem(dialog, PIXDECK_IDC_BASE);
    ::SendMessageW(base, WM_CHAR, L'x', 1);
    ::SendDlgItemMessageW(dialog, PIXDECK_IDC_LIGHT_PAGES, BM_CLICK, 0, 0);
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  ::SendMessageW(Item(PIXDECK_IDC_OPTIONS), BM_CLICK, 0, 0);
  EXPECT_EQ(CurrentOptions(), options);
  EXPECT_EQ(ReadAll(settings), before);
}

TEST_F(DialogsTest, TheOutputBrowseStartsInThePagesFolderAndTakesTheChoice) {
  scratch.write("out/old.htm", "x");
  OpenMain(WriteSettings("OutputName=" + scratch.file("out\\old.htm") + "\r\n"));
  std::wstring seenDir;
  std::wstring seenName;
  std::wstring seenTitle;
  DWORD seenFlags = 0;
  const std::wstring chosen = platform::ToWide(scratch.file("out\\new page.htm"));
  SetDialogRunner([&](OPENFILENAMEW& request, DialogKind kind) {
    EXPECT_EQ(kind, DialogKind::Save);
    seenDir = request.lpstrInitialDir != nullptr ? request.lpstrInitialDir : L"";
    seenName = request.lpstrFile;
    seenTitle = request.lpstrTitle;
    seenFlags = request.Flags;
    EXPECT_STREQ(request.lpstrDefExt, L"HTM");
    std::copy(chosen.begin(), chosen.end(), request.lpstrFile);
    request.lpstrFile[chosen.size()] = L'\0';
    return true;
  });
  ::SendMessageW(Item(PIXDECK_IDC_BROWSE_OUTPUT_NAME), BM_CLICK, 0, 0);
  SetDialogRunner({});
  EXPECT_EQ(seenDir, platform::ToWide(scratch.file("out")));
  EXPECT_EQ(seenName, L"old.htm");
  EXPECT_EQ(seenTitle, L"HTML Output Name");
  EXPECT_TRUE(seenFlags & OFN_OVERWRITEPROMPT);
  EXPECT_EQ(TextOf(PIXDECK_IDC_OUTPUT_NAME), scratch.file("out\\new page.htm"));
  EXPECT_EQ(LastBrowseDir(), scratch.file("out"));
  SetLastBrowseDir({});
}

TEST(DialogFilterTest, PairsAreSeparatedByNulsAndEndedByTwo) {
  const std::wstring filter = DialogFilter("HTML (*.htm)|*.htm|All Files (*.*)|*.*");
  EXPECT_EQ(filter, std::wstring(L"HTML (*.htm)\0*.htm\0All Files (*.*)\0*.*\0\0", 40));
}

}  // namespace
}  // namespace pixdeck::test
