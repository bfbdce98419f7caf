// The folder list's type-ahead, the drive box's volumes and the browser's
// browse dialog, on the real widgets.
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <filesystem>
#include <memory>

#include "app/frm_main.h"
#include "app/frm_options.h"
#include "app/widgets/directory_list_box.h"
#include "app/widgets/drive_combo_box.h"
#include "gui_fixture.h"

namespace pixdeck::test {
namespace {

namespace fs = std::filesystem;

TEST(FolderList, ALetterMovesToTheNextFolderStartingWithItDespiteTheIndentation) {
  ScratchDir dir;
  for (const char* name : {"alpha", "Beta", "bravo", "charlie"}) {
    fs::create_directories(dir.file(name));
  }
  DirectoryListBox list;
  list.SetDirectory(QString::fromStdString(dir.path().string()));
  list.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
  list.setFocus();
  auto current = [&] { return list.currentItem()->text().trimmed(); };
  ASSERT_EQ(current(), QString::fromStdString(dir.path().filename().string()));
  QTest::keyClick(&list, Qt::Key_B);
  EXPECT_EQ(current(), "Beta");
  QTest::qWait(QApplication::keyboardInputInterval() + 50);
  QTest::keyClick(&list, Qt::Key_B);
  EXPECT_EQ(current(), "bravo");
  QTest::qWait(QApplication::keyboardInputInterval() + 50);
  QTest::keyClick(&list, Qt::Key_B);  // round to the top and down again
  EXPECT_EQ(current(), "Beta");
  QTest::qWait(QApplication::keyboardInputInterval() + 50);
  QTest::keyClick(&list, Qt::Key_C);
  EXPECT_EQ(current(), "charlie");
  // Moving does not open the folder; Enter does.
  EXPECT_EQ(list.Directory().toStdString(), dir.path().string());
  QTest::keyClick(&list, Qt::Key_Return);
  EXPECT_EQ(list.Directory().toStdString(), dir.file("charlie"));
}

QStringList Volumes(const DriveComboBox& box) {
  QStringList roots;
  for (int i = 0; i < box.count(); ++i) {
    roots << box.itemData(i).toString();
  }
  return roots;
}

// A volume mounted while the box exists appears when its list opens. The
// mount is made in a private mount namespace of this test process, so that
// nothing outside it sees the volume.
TEST(DriveBox, AVolumeMountedAfterTheStartIsOfferedWhenTheListOpens) {
  if (::geteuid() != 0 || ::unshare(CLONE_NEWNS) != 0 ||
      ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
    GTEST_SKIP() << "needs root to mount in a private namespace";
  }
  ScratchDir dir;
  const std::string point = dir.file("camera");
  fs::create_directories(point);
  DriveComboBox box;
  box.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
  const QString root = QString::fromStdString(point);
  ASSERT_FALSE(Volumes(box).contains(root));
  ASSERT_EQ(::mount("pixdeck-test", point.c_str(), "tmpfs", 0, "size=1m"), 0);
  EXPECT_FALSE(Volumes(box).contains(root)) << "read when the box was made";
  box.showPopup();
  EXPECT_TRUE(Volumes(box).contains(root));
  box.hidePopup();
  ::umount2(point.c_str(), MNT_DETACH);
  box.showPopup();
  EXPECT_FALSE(Volumes(box).contains(root));
  box.hidePopup();
}

// The Options dialog's browse for the browser, through the real file dialog:
// programs without an extension are listed and taken as typed.
class BrowserBrowseTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    SetFileDialogRunner({});  // the real dialog
  }
};

// The names the dialog's file list shows in its current folder.
QStringList Listed(QFileDialog* dialog) {
  QStringList names;
  auto* view = dialog->findChild<QListView*>("listView");
  if (view == nullptr || view->model() == nullptr) {
    return names;
  }
  const QModelIndex root = view->rootIndex();
  for (int row = 0; row < view->model()->rowCount(root); ++row) {
    names << view->model()->index(row, 0, root).data().toString();
  }
  names.sort();
  return names;
}

TEST_F(BrowserBrowseTest, ProgramsAreTheExecutableFilesAndNoExtensionIsAdded) {
  const std::string browser = scratch.write("bin/chromium", "#!/bin/sh\n");
  fs::permissions(browser, fs::perms::owner_all);
  const std::string other = scratch.write("bin/firefox-esr", "#!/bin/sh\n");
  fs::permissions(other, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
  fs::create_symlink(browser, scratch.file("bin/x-www-browser"));
  scratch.write("bin/readme", "not a program");
  scratch.write("bin/setup.exe", "not executable here");
  fs::create_directories(scratch.file("bin/more"));
  auto main = std::make_unique<TfrmMain>(nullptr, scratch.file("pixdeck.INI"));
  TfrmOptions options(*main);
  auto* edit = options.findChild<QLineEdit*>("edtBrowser");
  edit->setText(QString::fromStdString(scratch.file("bin/old-browser")));
  QStringList nameFilters;
  QStringList programs;
  QStringList all;
  bool seen = false;
  QTimer::singleShot(200, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) {
      return;
    }
    seen = true;
    nameFilters = dialog->nameFilters();
    // The folder is read in the background: wait until it is there.
    (void)QTest::qWaitFor([&] { return Listed(dialog).contains("more"); }, 5000);
    QTest::qWait(100);
    programs = Listed(dialog);
    dialog->selectNameFilter(nameFilters.value(1));
    emit dialog->filterSelected(nameFilters.value(1));
    (void)QTest::qWaitFor([&] { return Listed(dialog).contains("readme"); }, 5000);
    all = Listed(dialog);
    dialog->selectNameFilter(nameFilters.value(0));
    emit dialog->filterSelected(nameFilters.value(0));
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    name->setText(QString::fromStdString(browser));
    static_cast<QDialog*>(dialog)->accept();  // as the Open button does
  });
  // Whatever stays open (a dialog that refused the name, its message) is
  // closed, so that a failure cannot hang the run.
  QTimer closer;
  closer.setInterval(15000);
  QObject::connect(&closer, &QTimer::timeout, [] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      modal->close();
    }
  });
  closer.start();
  options.findChild<QToolButton*>("btnBrowserName")->click();
  closer.stop();
  ASSERT_TRUE(seen);
  EXPECT_EQ(nameFilters, (QStringList{"Program (*)", "All Files (*)"}));
  // The folders stay, to move through them.
  EXPECT_EQ(programs, (QStringList{"chromium", "firefox-esr", "more", "x-www-browser"}));
  EXPECT_EQ(all, (QStringList{"chromium", "firefox-esr", "more", "readme", "setup.exe",
                              "x-www-browser"}));
  EXPECT_EQ(edit->text().toStdString(), browser);
}

}  // namespace
}  // namespace pixdeck::test
