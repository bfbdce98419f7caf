// The main window of pixdeck.exe, made from its resource and driven with
// posted keys: its design, Filter on Enter, the page it writes, the status
// panel and what closing it saves.
#include <windows.h>

#include <commctrl.h>

#include <iterator>

#include "catalog/credits_text.h"
#include "platform/win32/win32_text.h"
#include "winapp/app_hints.h"
#include "winapp/directory_list.h"
#include "winapp/drive_box.h"
#include "winapp/resource.h"
#include "winapp/win_text.h"
#include "window_driver.h"

namespace pixdeck::test {
namespace {

using MainWindowTest = WinAppTest;

TEST_F(MainWindowTest, TheWindowHasItsCaptionsTabOrderAndDefaultButton) {
  OpenMain(WriteSettings(""));
  HWND window = main->Handle();
  EXPECT_EQ(WindowText(window), MainWindowCaption());
  const LONG style = ::GetWindowLongW(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);  // fixed size

  EXPECT_EQ(ItemText(window, PIXDECK_IDC_LBL_SPECS), "Files to &Show:");
  EXPECT_EQ(ItemText(window, PIXDECK_IDC_LBL_DIRECTORY), "&Directory to Filter:");
  EXPECT_EQ(ItemText(window, PIXDECK_IDC_LBL_OUTPUT_NAME), "HTML &Output Name:");
  EXPECT_EQ(ItemText(window, PIXDECK_IDC_LBL_BACKGROUND), "&Background Pattern:");
  EXPECT_EQ(ItemText(window, PIXDECK_IDC_LBL_BACK_COLOR), "Background &Color:");
  EXPECT_EQ(ItemText(window, PIXDECK_IDC_LBL_COUNT), "Found...");
  EXPECT_EQ(ItemText(window, PIXDECK_IDC_FILTER), "&Filter");
  EXPECT_EQ(ItemText(window, PIXDECK_IDC_EXIT), "E&xit");
  EXPECT_EQ(ItemText(window, PIXDECK_IDC_COUNT), "0");

  const int tabOrder[] = {PIXDECK_IDC_SPECS,       PIXDECK_IDC_DIRECTORY,  PIXDECK_IDC_DRIVES,
                          PIXDECK_IDC_OUTPUT_NAME, PIXDECK_IDC_BACKGROUND, PIXDECK_IDC_BACK_COLOR,
                          PIXDECK_IDC_FILTER,      PIXDECK_IDC_VIEW,       PIXDECK_IDC_OPTIONS,
                          PIXDECK_IDC_ABOUT,       PIXDECK_IDC_EXIT,       PIXDECK_IDC_COUNT};
  HWND at = Item(PIXDECK_IDC_SPECS);
  for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
    at = ::GetNextDlgTabItem(window, at, FALSE);
    EXPECT_EQ(::GetDlgCtrlID(at), tabOrder[i]) << "after tab stop " << i - 1;
  }
  EXPECT_EQ(::GetDlgCtrlID(::GetNextDlgTabItem(window, at, FALSE)), PIXDECK_IDC_SPECS);
  EXPECT_EQ(LOWORD(::SendMessageW(window, DM_GETDEFID, 0, 0)), PIXDECK_IDC_FILTER);
  // The first focus is on the specifications.
  EXPECT_EQ(::GetFocus(), EditOf(Item(PIXDECK_IDC_SPECS)));
  // An access key reaches its box.
  ::PostMessageW(window, WM_SYSCHAR, L'o', 1 << 29);
  Pump();
  EXPECT_EQ(::GetFocus(), EditOf(Item(PIXDECK_IDC_OUTPUT_NAME)));
}

TEST_F(MainWindowTest, EnterRunsFilterOnTheSavedFolderAndThePageListsThePictures) {
  scratch.write("pics/b.gif", "GIF89a-b");
  scratch.write("pics/A.jpg", "jpeg-a");
  scratch.write("pics/notes.txt", "no picture");
  OpenMain(WriteSettings("DefaultDir=" + scratch.file("pics") + "\r\n"));
  EXPECT_EQ(main->Directory().Directory(), scratch.file("pics"));

  PressKey(VK_RETURN);
  EXPECT_EQ(TextOf(PIXDECK_IDC_COUNT), "2");
  const std::string page = ReadAll(scratch.file("pics\\images.htm"));
  EXPECT_NE(page.find("<IMG SRC=\"A.jpg\"><BR>A.jpg (6 bytes)<P>"), std::string::npos) << page;
  EXPECT_NE(page.find("<IMG SRC=\"b.gif\"><BR>b.gif (8 bytes)<P>"), std::string::npos);
  EXPECT_LT(page.find("A.jpg"), page.find("b.gif"));
  EXPECT_EQ(page.find("notes.txt"), std::string::npos);
  // The focus moves on to View.
  EXPECT_EQ(::GetFocus(), Item(PIXDECK_IDC_VIEW));
  EXPECT_TRUE(boxes.empty());
}

TEST_F(MainWindowTest, AFolderWithoutPicturesSaysSoAfterTheDefaultBeep) {
  scratch.write("empty/readme.txt", "x");
  OpenMain(WriteSettings("DefaultDir=" + scratch.file("empty") + "\r\n"));
  PressKey(VK_RETURN);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "No files found!");
  EXPECT_EQ(boxes[0].kind, MessageKind::Information);
  ASSERT_FALSE(beeps.empty());
  EXPECT_EQ(beeps.back(), static_cast<UINT>(MB_OK));
  EXPECT_EQ(TextOf(PIXDECK_IDC_COUNT), "0");
}

TEST_F(MainWindowTest, ANameOutsideAsciiTypedIntoTheOutputBoxReachesThePageWhole) {
  scratch.write("pics/café 日本.gif", "GIF89a");
  OpenMain(WriteSettings("DefaultDir=" + scratch.file("pics") + "\r\n"));
  HWND output = EditOf(Item(PIXDECK_IDC_OUTPUT_NAME));
  ::SetFocus(output);
  ::SendMessageW(output, EM_SETSEL, 0, -1);
  Type(L"Seite \u00fcber \u65e5\u672c.htm");
  PressKey(VK_RETURN);
  EXPECT_EQ(TextOf(PIXDECK_IDC_COUNT), "1");
  const std::string page = ReadAll(scratch.file("pics\\Seite über 日本.htm"));
  EXPECT_NE(page.find("<IMG SRC=\"café 日本.gif\"><BR>café 日本.gif (6 bytes)<P>"),
            std::string::npos)
      << page;
}

TEST_F(MainWindowTest, ClearingTheSpecificationsDisablesFilterAndResetsTheCount) {
  scratch.write("pics/a.gif", "GIF89a");
  OpenMain(WriteSettings("DefaultDir=" + scratch.file("pics") + "\r\n"));
  PressKey(VK_RETURN);
  ASSERT_EQ(TextOf(PIXDECK_IDC_COUNT), "1");
  HWND specs = EditOf(Item(PIXDECK_IDC_SPECS));
  ::SetFocus(specs);
  ::SendMessageW(specs, EM_SETSEL, 0, -1);
  PressKey(VK_DELETE);
  Type(L"\b");
  EXPECT_EQ(TextOf(PIXDECK_IDC_SPECS), "");
  EXPECT_EQ(TextOf(PIXDECK_IDC_COUNT), "0");
  EXPECT_FALSE(::IsWindowEnabled(Item(PIXDECK_IDC_FILTER)));
  Type(L"*");
  EXPECT_TRUE(::IsWindowEnabled(Item(PIXDECK_IDC_FILTER)));
}

TEST_F(MainWindowTest, ExitSavesTheFolderAndDeletesTheTemporaryPages) {
  scratch.write("pics/a.gif", "GIF89a");
  scratch.write("pics/sub/b.gif", "GIF89a");
  const std::string settings =
      WriteSettings("OutputName=\r\nDefaultDir=" + scratch.file("pics") + "\r\n");
  OpenMain(settings);
  // Without a saved page name Filter waits for the first change.
  EXPECT_EQ(TextOf(PIXDECK_IDC_OUTPUT_NAME), "");
  EXPECT_FALSE(::IsWindowEnabled(Item(PIXDECK_IDC_FILTER)));
  // Open the subfolder: the list's Enter opens the highlighted folder.
  HWND list = Item(PIXDECK_IDC_DIRECTORY);
  ::SetFocus(list);
  const int rows = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
  ::SendMessageW(list, LB_SETCURSEL, rows - 1, 0);
  PressKey(VK_RETURN);
  EXPECT_EQ(main->Directory().Directory(), scratch.file("pics\\sub"));
  EXPECT_TRUE(::IsWindowEnabled(Item(PIXDECK_IDC_FILTER)));
  // Enter on the current folder runs Filter: a temporary page.
  PressKey(VK_RETURN);
  EXPECT_EQ(TextOf(PIXDECK_IDC_COUNT), "1");
  const std::string temporary = TextOf(PIXDECK_IDC_OUTPUT_NAME);
  ASSERT_FALSE(temporary.empty());
  EXPECT_NE(ReadAll(temporary).find("b.gif"), std::string::npos);

  CloseMain();
  EXPECT_FALSE(::IsWindow(main->Handle()));
  EXPECT_EQ(::GetFileAttributesW(platform::ToWide(temporary).c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(ReadAll(settings).find("DefaultDir=" + scratch.file("pics\\sub")), std::string::npos)
      << ReadAll(settings);
}

TEST_F(MainWindowTest, TheStatusPanelShowsTheLongHintOfWhatThePointerIsOn) {
  OpenMain(WriteSettings(""));
  ::PostMessageW(Item(PIXDECK_IDC_FILTER), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  Pump();
  EXPECT_EQ(TextOf(PIXDECK_IDC_HINT), "Make HTML document based on current settings");
  // The edit part of a combo box shows the box's hint.
  ::PostMessageW(EditOf(Item(PIXDECK_IDC_SPECS)), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  Pump();
  EXPECT_EQ(TextOf(PIXDECK_IDC_HINT), "Type of file(s) to display in HTML document");
  // The window's background shows the window's own hint.
  ::PostMessageW(main->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  Pump();
  EXPECT_EQ(TextOf(PIXDECK_IDC_HINT), StatusCaption());
}

TEST_F(MainWindowTest, TheDriveBoxListsTheDrivesWithTheirKindsAndMovesTheList) {
  OpenMain(WriteSettings("DefaultDir=C:\\windows\r\n"));
  const auto& drives = main->Drives().Entries();
  ASSERT_GE(drives.size(), 2u);  // Wine has C: and Z: at least
  EXPECT_EQ(drives[0].root, "C:\\");
  EXPECT_NE(drives[0].shown.find("fixed disk"), std::string::npos) << drives[0].shown;
  EXPECT_EQ(main->Drives().Drive(), "C:\\");
  // Picking Z: moves the list to its root.
  HWND box = Item(PIXDECK_IDC_DRIVES);
  int z = -1;
  for (std::size_t i = 0; i < drives.size(); ++i) {
    if (drives[i].root == "Z:\\") {
      z = static_cast<int>(i);
    }
  }
  ASSERT_GE(z, 0);
  ::SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(z), 0);
  ::SendMessageW(main->Handle(), WM_COMMAND, MAKEWPARAM(PIXDECK_IDC_DRIVES, CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(box));
  Pump();
  EXPECT_EQ(main->Directory().Directory(), "Z:\\");
  EXPECT_EQ(TextOf(PIXDECK_IDC_COUNT), "0");
}

TEST(DriveTextTest, ADriveShowsItsLetterLabelAndKind) {
  EXPECT_EQ(DriveText("C:\\", "SYSTEM", DRIVE_FIXED), "C: [SYSTEM]  fixed disk");
  EXPECT_EQ(DriveText("D:\\", "", DRIVE_CDROM), "D:  CD-ROM drive");
  EXPECT_EQ(DriveKindText(DRIVE_REMOTE), "network drive");
}

}  // namespace
}  // namespace pixdeck::test
