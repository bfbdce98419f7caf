#include "winapp/drive_box.h"

#include <cwchar>

#include "platform/win32/win32_text.h"
#include "text/ascii.h"
#include "winapp/directory_list.h"

namespace pixdeck {
namespace {

// The label of a drive that holds a volume; reading it from an empty
// removable drive would wait for the medium, so only fixed, network and RAM
// drives are asked.
std::string VolumeLabel(const std::wstring& root, UINT type) {
  if (type != DRIVE_FIXED && type != DRIVE_REMOTE && type != DRIVE_RAMDISK) {
    return {};
  }
  wchar_t label[MAX_PATH + 1] = {};
  if (!::GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr,
                               nullptr, 0)) {
    return {};
  }
  return platform::ToUtf8(label);
}

}  // namespace

std::string DriveKindText(UINT driveType) {
  switch (driveType) {
    case DRIVE_REMOVABLE:
      return "removable disk";
    case DRIVE_FIXED:
      return "fixed disk";
    case DRIVE_REMOTE:
      return "network drive";
    case DRIVE_CDROM:
      return "CD-ROM drive";
    case DRIVE_RAMDISK:
      return "RAM disk";
    default:
      return "drive";
  }
}

std::string DriveText(const std::string& root, const std::string& label, UINT driveType) {
  std::string text = root.substr(0, 2);
  if (!label.empty()) {
    text += " [" + label + "]";
  }
  return text + "  " + DriveKindText(driveType);
}

DriveBox::DriveBox(HWND comboBox, DirectoryList& list, Messages& messages,
                   std::function<void()> onChange)
    : box_(comboBox), list_(list), messages_(messages), onChange_(std::move(onChange)) {
  Refresh();
}

void DriveBox::Refresh() {
  const std::string keep = Drive();
  entries_.clear();
  wchar_t buffer[512] = {};
  const DWORD length = ::GetLogicalDriveStringsW(511, buffer);
  for (const wchar_t* root = buffer; length > 0 && length < 512 && *root != L'\0';
       root += ::wcslen(root) + 1) {
    const UINT type = ::GetDriveTypeW(root);
    DriveEntry entry;
    entry.root = UpperAscii(platform::ToUtf8(root));
    entry.shown = DriveText(entry.root, VolumeLabel(root, type), type);
    entries_.push_back(std::move(entry));
  }
  ::SendMessageW(box_, CB_RESETCONTENT, 0, 0);
  for (const DriveEntry& entry : entries_) {
    ::SendMessageW(box_, CB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(platform::ToWide(entry.shown).c_str()));
  }
  int index = HolderOf(list_.Directory());
  for (std::size_t i = 0; i < entries_.size() && !keep.empty(); ++i) {
    if (entries_[i].root == keep) {
      index = static_cast<int>(i);
    }
  }
  Select(index);
}

std::string DriveBox::Drive() const {
  const auto index = static_cast<int>(::SendMessageW(box_, CB_GETCURSEL, 0, 0));
  if (index < 0 || static_cast<std::size_t>(index) >= entries_.size()) {
    return {};
  }
  return entries_[static_cast<std::size_t>(index)].root;
}

int DriveBox::HolderOf(const std::string& dir) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const std::string& root = entries_[i].root;
    if (dir.size() >= 2 && UpperAscii(dir.substr(0, 2)) == root.substr(0, 2)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

void DriveBox::Select(int index) {
  ::SendMessageW(box_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DriveBox::FollowList() {
  const int holder = HolderOf(list_.Directory());
  if (holder >= 0) {
    Select(holder);
  }
}

void DriveBox::Picked() {
  const std::string root = Drive();
  if (root.empty() || HolderOf(list_.Directory()) == HolderOf(root)) {
    return;  // the drive that already holds the folder keeps the folder
  }
  // A drive without its medium (or gone) is reported; the box goes back.
  const std::wstring wide = platform::ToWide(root);
  if (!::GetVolumeInformationW(wide.c_str(), nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0)) {
    const DWORD code = ::GetLastError();
    FollowList();
    ShowError(messages_, platform::ErrorText("Drive " + root.substr(0, 2) + " is not ready", code));
    return;
  }
  if (!list_.SetDirectory(root)) {
    FollowList();
    return;
  }
  if (onChange_) {
    onChange_();
  }
}

}  // namespace pixdeck
