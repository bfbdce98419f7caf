// The browse wrappers: where the dialog starts, what it proposes, what the
// caller gets back and which folder is remembered.
#include <QStringList>

#include "app/file_dialogs.h"
#include "gui_fixture.h"
#include "util/program_dirs.h"

namespace pixdeck::test {
namespace {

using BrowseTest = GuiTest;

constexpr const char* kHtml = "HTML (*.htm,*.html)|*.htm;*.html|All Files (*.*)|*.*";

TEST(QtNameFiltersTest, PairsBecomeQtFiltersAndStarDotStarMatchesEveryFile) {
  EXPECT_EQ(QtNameFilters(kHtml), (QStringList{"HTML (*.htm *.html)", "All Files (*)"}));
  EXPECT_EQ(QtNameFilters("Program (*.exe)|*.exe"), QStringList{"Program (*.exe)"});
  EXPECT_EQ(QtNameFilters("Pictures|*.gif; *.jpg"), QStringList{"Pictures (*.gif *.jpg)"});
  EXPECT_TRUE(QtNameFilters("").isEmpty());
}

TEST_F(BrowseTest, OpenStartsInTheProposedFilesFolderAndReturnsTheChoice) {
  const std::string proposed = scratch.write("pics/old.gif", "x");
  const std::string chosen = scratch.write("other/new.gif", "y");
  AnswerNextDialog(chosen);
  std::string name = proposed;
  bool readOnly = false;
  ASSERT_TRUE(BrowseOpenFile(nullptr, name, readOnly, true, "GIF", kHtml, "Pick"));
  ASSERT_EQ(dialogRequests.size(), 1u);
  const FileDialogRequest& request = dialogRequests[0];
  EXPECT_EQ(request.kind, FileDialogRequest::Kind::Open);
  EXPECT_EQ(request.title, "Pick");
  EXPECT_EQ(request.defaultExt, "GIF");
  EXPECT_EQ(request.filter, kHtml);
  EXPECT_EQ(request.startDir, scratch.file("pics"));
  EXPECT_EQ(request.proposedName, "old.gif");
  EXPECT_FALSE(request.showReadOnly);
  EXPECT_EQ(name, chosen);
  EXPECT_FALSE(readOnly);
  EXPECT_EQ(LastBrowseDir(), scratch.file("other"));
}

TEST_F(BrowseTest, CancelLeavesTheCallersValuesAndTheRememberedFolder) {
  SetLastBrowseDir(scratch.path().string());
  // NOLINTNEXTLINE(performance-unnecessary-copy-initialization): kept to compare after the dialog
  const std::string before = LastBrowseDir();
  AnswerNextDialog("", false);
  std::string name = "/somewhere/page.htm";
  EXPECT_FALSE(BrowseSaveFile(nullptr, name, true, "HTM", kHtml, "Save"));
  EXPECT_EQ(name, "/somewhere/page.htm");
  EXPECT_EQ(LastBrowseDir(), before);
  // A confirmed but empty choice counts as a cancel.
  AnswerNextDialog("");
  EXPECT_FALSE(BrowseSaveFile(nullptr, name, true, "HTM", kHtml, "Save"));
  EXPECT_EQ(name, "/somewhere/page.htm");
}

TEST_F(BrowseTest, AWildcardIsNotProposedAndABareNameStartsInTheRememberedFolder) {
  SetLastBrowseDir(scratch.path().string());
  std::string name = "*.htm";
  EXPECT_FALSE(BrowseSaveFile(nullptr, name, true, "HTM", kHtml, "Save"));
  ASSERT_EQ(dialogRequests.size(), 1u);
  EXPECT_EQ(dialogRequests[0].proposedName, "");
  EXPECT_EQ(dialogRequests[0].startDir, scratch.path().string());

  name = "images.htm";
  BrowseSaveFile(nullptr, name, true, "HTM", kHtml, "Save");
  EXPECT_EQ(dialogRequests[1].proposedName, "images.htm");
  EXPECT_EQ(dialogRequests[1].startDir, scratch.path().string());
}

TEST_F(BrowseTest, WithoutTheFileFolderFlagTheDialogStartsInTheRememberedFolder) {
  SetLastBrowseDir(scratch.file("start"));
  std::string name = "/elsewhere/page.htm";
  AnswerNextDialog(scratch.file("chosen/x.htm"));
  ASSERT_TRUE(BrowseSaveFile(nullptr, name, false, "HTM", kHtml, "Save"));
  EXPECT_EQ(dialogRequests[0].startDir, scratch.file("start"));
  EXPECT_EQ(dialogRequests[0].proposedName, "/elsewhere/page.htm");
  // A save without the flag does not move the remembered folder.
  EXPECT_EQ(LastBrowseDir(), scratch.file("start"));
  EXPECT_EQ(name, scratch.file("chosen/x.htm"));
}

TEST_F(BrowseTest, AFileInTheRememberedFolderIsProposedByItsBareName) {
  SetLastBrowseDir(scratch.file("pics"));
  std::string name = scratch.file("pics/a.gif");
  bool readOnly = false;
  BrowseOpenFile(nullptr, name, readOnly, false, "GIF", kHtml, "Open");
  EXPECT_EQ(dialogRequests[0].proposedName, "a.gif");
  EXPECT_EQ(dialogRequests[0].startDir, scratch.file("pics"));
}

TEST_F(BrowseTest, TheFirstBrowseStartsInTheCurrentFolder) {
  std::string name;
  bool readOnly = true;  // the check box is offered and its state returned
  FileDialogAnswer answer;
  answer.accepted = true;
  answer.chosenPath = scratch.write("a.gif", "x");
  answer.readOnly = false;
  dialogAnswers.push_back(answer);
  ASSERT_TRUE(BrowseOpenFile(nullptr, name, readOnly, true, "GIF", kHtml, "Open"));
  EXPECT_EQ(dialogRequests[0].startDir, CurrentDir());
  EXPECT_TRUE(dialogRequests[0].showReadOnly);
  EXPECT_FALSE(readOnly);
}

}  // namespace
}  // namespace pixdeck::test
