// The rows a directory list shows, and where a browse dialog starts.
#include <gtest/gtest.h>

#include "scratch_dir.h"
#include "util/browse_start.h"
#include "util/folder_rows.h"

namespace pixdeck::test {
namespace {

TEST(FolderRowsTest, TheChainFromTheRootThenTheSortedVisibleSubfolders) {
  ScratchDir scratch;
  scratch.write("top/beta/x.txt", "x");
  scratch.write("top/Alpha/x.txt", "x");
  scratch.write("top/.hidden/x.txt", "x");
  scratch.write("top/file.gif", "x");
  const std::string top = scratch.file("top");
  const std::vector<FolderRow> rows = FolderRows(top);

  const std::size_t current = CurrentRowOf(rows);
  ASSERT_EQ(current + 3, rows.size());
  EXPECT_EQ(rows[current].path, top);
  EXPECT_EQ(rows[current].name, "top");
  EXPECT_EQ(rows[current].kind, FolderRow::Kind::Current);
  // The root first, its path as its name, each folder one level deeper.
  EXPECT_EQ(rows[0].level, 0);
  EXPECT_EQ(rows[0].kind, FolderRow::Kind::Open);
  EXPECT_EQ(rows[0].name, rows[0].path);
  for (std::size_t i = 1; i <= current; ++i) {
    EXPECT_EQ(rows[i].level, static_cast<int>(i));
    EXPECT_EQ(rows[i].path, JoinPath(rows[i - 1].path, rows[i].name));
  }
  // Subfolders: case ignored in the order, hidden ones and files left out.
  EXPECT_EQ(rows[current + 1].name, "Alpha");
  EXPECT_EQ(rows[current + 2].name, "beta");
  EXPECT_EQ(rows[current + 2].path, JoinPath(top, "beta"));
  EXPECT_EQ(rows[current + 2].level, rows[current].level + 1);
  EXPECT_EQ(rows[current + 2].kind, FolderRow::Kind::Subfolder);
}

TEST(FolderRowsTest, AFolderThatCannotBeReadShowsOnlyItsChain) {
  ScratchDir scratch;
  const std::string gone = scratch.file("gone");
  const std::vector<FolderRow> rows = FolderRows(gone);
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows.back().path, gone);
  EXPECT_EQ(rows.back().kind, FolderRow::Kind::Current);
}

TEST(BrowseStartTest, TheFilesFolderOrTheRememberedOneAndNoWildcard) {
  ScratchDir scratch;
  SetCurrentDirSource([&] { return scratch.file("current"); });
  SetLastBrowseDir({});
  // The first browse remembers the program's current folder.
  BrowseStart start = PlaceBrowse("", true);
  EXPECT_EQ(start.startDir, scratch.file("current"));
  EXPECT_EQ(start.proposedName, "");
  EXPECT_EQ(LastBrowseDir(), scratch.file("current"));

  const std::string page = scratch.file("pages/a.htm");
  start = PlaceBrowse(page, true);
  EXPECT_EQ(start.startDir, scratch.file("pages"));
  EXPECT_EQ(start.proposedName, "a.htm");
  start = PlaceBrowse(page, false);
  EXPECT_EQ(start.startDir, scratch.file("current"));
  EXPECT_EQ(start.proposedName, page);
  EXPECT_EQ(PlaceBrowse("*.htm", true).proposedName, "");

  // A save remembers the chosen folder only when it started from the file's.
  RememberBrowse(scratch.file("saved/b.htm"), BrowseKind::Save, false);
  EXPECT_EQ(LastBrowseDir(), scratch.file("current"));
  RememberBrowse(scratch.file("saved/b.htm"), BrowseKind::Save, true);
  EXPECT_EQ(LastBrowseDir(), scratch.file("saved"));
  RememberBrowse(scratch.file("opened/c.gif"), BrowseKind::Open, false);
  EXPECT_EQ(LastBrowseDir(), scratch.file("opened"));
  SetCurrentDirSource({});
  SetLastBrowseDir({});
}

}  // namespace
}  // namespace pixdeck::test
