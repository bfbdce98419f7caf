// What a directory list shows: the folders from the root down to the current
// one, then the current folder's subfolders. Both windows' lists show these
// rows; each draws them in its own way.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/path_names.h"

namespace pixdeck {

struct FolderRow {
  enum class Kind { Open, Current, Subfolder };
  std::string path;  // full path, without trailing separator except a root
  std::string name;  // what the row shows: the root's path, else the bare name
  int level = 0;     // the root is 0
  Kind kind = Kind::Open;
};

// The rows of dir (a full path): its chain from the root, dir itself last of
// them as Current, then its subfolders one level deeper, hidden ones (a
// leading ".") left out, sorted without regard to case in the user's locale.
// A folder that cannot be read shows no subfolders.
std::vector<FolderRow> FolderRows(const std::string& dir, PathStyle style = kNativeStyle);

// The index of the Current row of rows.
std::size_t CurrentRowOf(const std::vector<FolderRow>& rows);

}  // namespace pixdeck
