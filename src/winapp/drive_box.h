// The drive box on a native drop-down COMBOBOX: every drive letter with its
// kind and, where the drive holds a volume, its label. Picking a drive moves
// the directory list to its root; a drive that is not ready is reported and
// the box goes back to the list's drive. The box follows the list to the
// drive that holds its folder.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "util/messages.h"

namespace pixdeck {

class DirectoryList;

// One drive as the box shows it.
struct DriveEntry {
  std::string root;   // "C:\"
  std::string shown;  // "C: [SYSTEM] fixed disk"
};

// The kind of a drive as GetDriveTypeW reports it, in words.
std::string DriveKindText(UINT driveType);
// What the box shows for a drive: its letter, its label in brackets when it
// has one, and its kind.
std::string DriveText(const std::string& root, const std::string& label, UINT driveType);

class DriveBox {
 public:
  DriveBox(HWND comboBox, DirectoryList& list, Messages& messages, std::function<void()> onChange);

  // Reads the drives again (the box's list is opened).
  void Refresh();
  // Selects the drive of the list's folder.
  void FollowList();
  // The user picked the selected entry.
  void Picked();
  // The root of the selected drive; empty when none.
  std::string Drive() const;
  const std::vector<DriveEntry>& Entries() const { return entries_; }
  HWND Handle() const { return box_; }

 private:
  int HolderOf(const std::string& dir) const;
  void Select(int index);

  HWND box_;
  DirectoryList& list_;
  Messages& messages_;
  std::function<void()> onChange_;
  std::vector<DriveEntry> entries_;
};

}  // namespace pixdeck
