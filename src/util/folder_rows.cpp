#include "util/folder_rows.h"

#include <algorithm>

#include "platform/collate.h"
#include "platform/file_system.h"

namespace pixdeck {

std::vector<FolderRow> FolderRows(const std::string& dir, PathStyle style) {
  std::vector<std::string> chain{dir};
  for (std::string up = DirOf(dir, style); !up.empty() && up != chain.back();
       up = DirOf(up, style)) {
    chain.push_back(up);
  }
  std::reverse(chain.begin(), chain.end());

  std::vector<FolderRow> rows;
  int level = 0;
  for (std::string& path : chain) {
    FolderRow row;
    row.name = level == 0 ? path : NameOf(path, style);
    row.path = std::move(path);
    row.level = level++;
    rows.push_back(std::move(row));
  }
  rows.back().kind = FolderRow::Kind::Current;

  std::vector<std::string> subdirs;
  // A folder that cannot be read simply has no subfolders to offer.
  (void)platform::FindMatches(JoinPath(dir, "*", style), [&](const platform::DirEntry& entry) {
    if (entry.isDirectory && !entry.name.empty() && entry.name.front() != '.') {
      subdirs.push_back(entry.name);
    }
  });
  std::sort(subdirs.begin(), subdirs.end(), [](const std::string& a, const std::string& b) {
    return platform::CompareTextLocale(a, b) < 0;
  });
  for (std::string& name : subdirs) {
    FolderRow row;
    row.path = JoinPath(dir, name, style);
    row.name = std::move(name);
    row.level = level;
    row.kind = FolderRow::Kind::Subfolder;
    rows.push_back(std::move(row));
  }
  return rows;
}

std::size_t CurrentRowOf(const std::vector<FolderRow>& rows) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].kind == FolderRow::Kind::Current) {
      return i;
    }
  }
  return 0;
}

}  // namespace pixdeck
