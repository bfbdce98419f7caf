// The directory list on a native LISTBOX: the current folder's path from the
// root down, then its subfolders, indented by level. A double click or Enter
// on another folder opens it; Enter on the current folder goes on to the
// window's default button.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "util/folder_rows.h"

namespace pixdeck {

class DirectoryList {
 public:
  // Attaches to the list box and shows the process's current folder.
  DirectoryList(HWND listBox, std::function<void()> onChange);
  ~DirectoryList();
  DirectoryList(const DirectoryList&) = delete;
  DirectoryList& operator=(const DirectoryList&) = delete;

  // A full path without trailing separator, except a root, which keeps it.
  const std::string& Directory() const { return directory_; }
  // Switches to dir when it is an existing folder; fires the change when the
  // folder differs from the current one. False when dir is no folder.
  bool SetDirectory(const std::string& dir);
  // Re-reads the subfolders of the current folder.
  void Refresh();
  // Opens the selected row's folder (a double click).
  void OpenSelected();
  HWND Handle() const { return list_; }

 private:
  static LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR data);
  void Fill();
  int SelectedRow() const;
  void SearchFrom(wchar_t letter);

  HWND list_;
  std::function<void()> onChange_;
  std::string directory_;
  std::vector<FolderRow> rows_;
};

}  // namespace pixdeck
