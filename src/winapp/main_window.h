// The main window of pixdeck.exe, made from its dialog resource: the folder,
// the file specifications, the page name, the background, then Filter and
// View. It owns the colour table, the page viewer and the settings for the
// whole run, as the Qt window does, over the same core.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/color_table.h"
#include "settings/window_session.h"

namespace pixdeck {

class DirectoryList;
class DriveBox;
class PageViewer;
class WindowBoxes;
namespace wininputs {
class TEnhLabel;
}

class MainWindow {
 public:
  // settingsName: where the settings live; empty means the program's own
  // file (its path with extension "INI", or the per-user folder when the
  // program's folder cannot hold it).
  explicit MainWindow(std::string settingsName = {});
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window from its resource (hidden) and runs its load step.
  // Null when the window could not be made.
  HWND Create(HINSTANCE instance);
  HWND Handle() const { return window_; }

  // Handlers.
  void ResetCounter();
  void edtOutputNameChange();
  void btnFilterClick();
  void btnViewClick();
  void btnOutputNameClick();
  void btnBackgroundClick();
  void btnOptionsClick();
  void btnAboutClick();
  void lbxBackColorListPick();
  void ShowAppHint(const std::string& hint);

  // The colour names of the table, for the Options dialog's own colour box;
  // empty when no table was loaded.
  std::vector<std::string> ColorNames() const;
  bool ColorsAvailable() const;
  // The saved defaults handed back by the Options dialog.
  void SetOutputNameInitial(const std::string& text);
  void SetPatternInitial(const std::string& text);
  void SetBackColorInitial(const std::string& text);

  // Writes every option, the current folder and the three histories.
  void SaveSettings();
  const std::string& SettingsName() const { return session_.Name(); }
  const DirectoryList& Directory() const { return *dirList_; }
  DirectoryList& Directory() { return *dirList_; }
  DriveBox& Drives() { return *drives_; }
  WindowBoxes& Boxes() { return *boxes_; }

  // The dialog procedure's calls (dialog_proc.h).
  INT_PTR InitDialog(HWND window);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void OnCommand(int id, int code);
  void Loaded();
  void ApplyDesign();
  void LoadSettings();
  WindowSettings CurrentState() const;
  void FormCloseQuery();
  HWND Item(int id) const { return ::GetDlgItem(window_, id); }

  std::string settingsName_;
  HWND window_ = nullptr;
  HICON bigIcon_ = nullptr;
  HICON smallIcon_ = nullptr;
  std::unique_ptr<WindowBoxes> boxes_;
  // The folder list's caption, a free label whose access key reaches the list.
  std::unique_ptr<wininputs::TEnhLabel> directoryLabel_;
  std::unique_ptr<DirectoryList> dirList_;
  std::unique_ptr<DriveBox> drives_;
  std::unique_ptr<PageViewer> viewer_;
  WindowSession session_;
  ColorTable colors_;
  bool colorsLoaded_ = false;
};

// Handles msg for the program's windows (the main window's keyboard
// navigation and default button included); false when it is to be
// translated and dispatched as usual.
bool PreTranslateMessage(HWND main, MSG& msg);
// Runs the message loop until the program quits; the exit code.
int RunMessageLoop(HWND main);

}  // namespace pixdeck
