#include "winapp/file_dialogs.h"

#include <algorithm>

#include <vector>

#include "platform/win32/win32_text.h"
#include "util/browse_start.h"

namespace pixdeck {
namespace {

// Room for a long path: the manifest allows them.
constexpr std::size_t kNameBuffer = 32768;

DialogRunner& Runner() {
  static DialogRunner runner;
  return runner;
}

// The dialog as the browse rules place it; the answer's full path, or empty
// on cancel.
std::string RunDialog(HWND owner, DialogKind kind, const std::string& fileName, bool useFileDir,
                      const std::string& defaultExt, const std::string& filter,
                      const std::string& title, bool& readOnly) {
  const BrowseStart start = PlaceBrowse(fileName, useFileDir);
  std::vector<wchar_t> name(kNameBuffer, L'\0');
  const std::wstring proposed = platform::ToWide(start.proposedName);
  if (proposed.size() < kNameBuffer) {
    std::copy(proposed.begin(), proposed.end(), name.begin());
  }
  const std::wstring startDir = platform::ToWide(start.startDir);
  const std::wstring filters = DialogFilter(filter);
  const std::wstring ext = platform::ToWide(defaultExt);
  const std::wstring caption = platform::ToWide(title);

  OPENFILENAMEW request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = owner;
  request.lpstrFilter = filters.c_str();
  request.nFilterIndex = 1;
  request.lpstrFile = name.data();
  request.nMaxFile = static_cast<DWORD>(name.size());
  request.lpstrInitialDir = startDir.empty() ? nullptr : startDir.c_str();
  request.lpstrTitle = caption.c_str();
  request.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
  request.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_ENABLESIZING;
  if (kind == DialogKind::Open) {
    request.Flags |= OFN_FILEMUSTEXIST;
    if (readOnly) {
      request.Flags |= OFN_READONLY;
    } else {
      request.Flags |= OFN_HIDEREADONLY;
    }
  } else {
    request.Flags |= OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
  }
  bool confirmed = false;
  if (Runner()) {
    confirmed = Runner()(request, kind);
  } else if (kind == DialogKind::Open) {
    confirmed = ::GetOpenFileNameW(&request) != FALSE;
  } else {
    confirmed = ::GetSaveFileNameW(&request) != FALSE;
  }
  if (!confirmed) {
    return {};
  }
  if (readOnly) {
    readOnly = (request.Flags & OFN_READONLY) != 0;
  }
  name.back() = L'\0';
  return platform::ToUtf8(name.data());
}

}  // namespace

std::wstring DialogFilter(const std::string& filter) {
  std::wstring wide = platform::ToWide(filter);
  for (wchar_t& c : wide) {
    if (c == L'|') {
      c = L'\0';
    }
  }
  wide.push_back(L'\0');
  wide.push_back(L'\0');
  return wide;
}

void SetDialogRunner(DialogRunner runner) {
  Runner() = std::move(runner);
}

bool BrowseOpenFile(HWND owner, std::string& fileName, bool& readOnly, bool useFileDir,
                    const std::string& defaultExt, const std::string& filter,
                    const std::string& title) {
  bool state = readOnly;
  const std::string chosen =
      RunDialog(owner, DialogKind::Open, fileName, useFileDir, defaultExt, filter, title, state);
  if (chosen.empty()) {
    return false;
  }
  RememberBrowse(chosen, BrowseKind::Open, useFileDir);
  fileName = chosen;
  readOnly = state;
  return true;
}

bool BrowseSaveFile(HWND owner, std::string& fileName, bool useFileDir,
                    const std::string& defaultExt, const std::string& filter,
                    const std::string& title) {
  bool readOnly = false;
  const std::string chosen =
      RunDialog(owner, DialogKind::Save, fileName, useFileDir, defaultExt, filter, title, readOnly);
  if (chosen.empty()) {
    return false;
  }
  RememberBrowse(chosen, BrowseKind::Save, useFileDir);
  fileName = chosen;
  return true;
}

}  // namespace pixdeck
