#include "winapp/directory_list.h"

#include <commctrl.h>
#include <wctype.h>

#include "platform/file_system.h"
#include "platform/win32/win32_text.h"
#include "util/program_dirs.h"

namespace pixdeck {
namespace {

constexpr int kIndentStep = 2;  // blanks per level
constexpr UINT_PTR kSubclassId = 0x5044;

}  // namespace

DirectoryList::DirectoryList(HWND listBox, std::function<void()> onChange)
    : list_(listBox), onChange_(std::move(onChange)), directory_(CurrentDir()) {
  ::SetWindowSubclass(list_, &DirectoryList::ListProc, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
  Fill();
}

DirectoryList::~DirectoryList() {
  if (::IsWindow(list_)) {
    ::RemoveWindowSubclass(list_, &DirectoryList::ListProc, kSubclassId);
  }
}

bool DirectoryList::SetDirectory(const std::string& dir) {
  if (dir.empty() || !platform::DirectoryExists(dir)) {
    return false;
  }
  // A root keeps its separator; any other folder loses a trailing one.
  std::string clean = dir;
  while (clean.size() > 3 && (clean.back() == '\\' || clean.back() == '/')) {
    clean.pop_back();
  }
  if (clean.size() == 2 && clean[1] == ':') {
    clean += '\\';
  }
  if (clean == directory_) {
    Fill();
    return true;
  }
  directory_ = std::move(clean);
  Fill();
  if (onChange_) {
    onChange_();
  }
  return true;
}

void DirectoryList::Refresh() {
  Fill();
}

int DirectoryList::SelectedRow() const {
  return static_cast<int>(::SendMessageW(list_, LB_GETCURSEL, 0, 0));
}

void DirectoryList::OpenSelected() {
  const int row = SelectedRow();
  if (row >= 0 && static_cast<std::size_t>(row) < rows_.size()) {
    const std::string path = rows_[static_cast<std::size_t>(row)].path;
    SetDirectory(path);
  }
}

void DirectoryList::Fill() {
  rows_ = FolderRows(directory_);
  ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(list_, LB_RESETCONTENT, 0, 0);
  for (const FolderRow& row : rows_) {
    const std::wstring shown =
        std::wstring(static_cast<std::size_t>(row.level * kIndentStep), L' ') +
        platform::ToWide(row.name);
    ::SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
  }
  const auto current = static_cast<WPARAM>(CurrentRowOf(rows_));
  ::SendMessageW(list_, LB_SETCURSEL, current, 0);
  ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list_, nullptr, TRUE);
}

// Typing a letter moves to the next folder whose name starts with it, round
// to the top: the indentation is no part of the name.
void DirectoryList::SearchFrom(wchar_t letter) {
  const int count = static_cast<int>(rows_.size());
  if (count == 0) {
    return;
  }
  const int start = SelectedRow();
  for (int step = 1; step <= count; ++step) {
    const int row = (start + step + count) % count;
    const std::wstring name = platform::ToWide(rows_[static_cast<std::size_t>(row)].name);
    if (!name.empty() && ::towupper(name.front()) == ::towupper(letter)) {
      ::SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
      return;
    }
  }
}

LRESULT CALLBACK DirectoryList::ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR /*id*/, DWORD_PTR data) {
  auto* self = reinterpret_cast<DirectoryList*>(data);
  switch (message) {
    case WM_GETDLGCODE:
      // Enter on another folder is the list's; on the current one the
      // window's default button takes it.
      if (lParam != 0 && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN &&
          reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN) {
        const int row = self->SelectedRow();
        if (row >= 0 && static_cast<std::size_t>(row) < self->rows_.size() &&
            self->rows_[static_cast<std::size_t>(row)].path != self->directory_) {
          return DLGC_WANTMESSAGE;
        }
      }
      break;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        self->OpenSelected();
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam > L' ') {
        self->SearchFrom(static_cast<wchar_t>(wParam));
        return 0;
      }
      break;
    default:
      break;
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace pixdeck
