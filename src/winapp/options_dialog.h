// The Options dialog: the browser, the default page name, pattern and
// colour, the URL base, light pages and galleries. Save stores them and
// writes all settings at once; Cancel changes nothing. Fixed size.
#pragma once

#include <windows.h>

#include <memory>

namespace pixdeck {

class MainWindow;
class WindowBoxes;

class OptionsDialog {
 public:
  explicit OptionsDialog(MainWindow& main);
  ~OptionsDialog();
  OptionsDialog(const OptionsDialog&) = delete;
  OptionsDialog& operator=(const OptionsDialog&) = delete;

  // Shows the dialog modally over owner: IDOK after Save, IDCANCEL else.
  INT_PTR Run(HWND owner);
  HWND Handle() const { return window_; }

  void btnBrowserNameClick();
  void btnOutputNameClick();
  void btnBackgroundClick();
  void btnSaveClick();

  // The dialog procedure's calls (dialog_proc.h).
  INT_PTR InitDialog(HWND window);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void FormCreate();
  HWND Item(int id) const { return ::GetDlgItem(window_, id); }

  MainWindow& main_;
  HWND window_ = nullptr;
  std::unique_ptr<WindowBoxes> boxes_;
};

}  // namespace pixdeck
