// The folder list, the drive box and the enabled-state helper.
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "app/qt_messages.h"
#include "app/widgets/directory_list_box.h"
#include "app/widgets/drive_combo_box.h"
#include "gui_fixture.h"

namespace pixdeck::test {
namespace {

using WidgetsTest = GuiTest;

QStringList ShownNames(const QListWidget& list) {
  QStringList names;
  for (int i = 0; i < list.count(); ++i) {
    names << list.item(i)->text().trimmed();
  }
  return names;
}

TEST_F(WidgetsTest, DirectoryListShowsThePathDownFromTheRootThenTheSubfolders) {
  scratch.write("Zeta/x", "");
  scratch.write("alpha/x", "");
  scratch.write("beta/x", "");
  scratch.write(".hidden/x", "");
  scratch.write("file.gif", "");
  DirectoryListBox list;
  QSignalSpy changed(&list, &DirectoryListBox::Changed);
  const QString root = QString::fromStdString(scratch.path().string());
  list.SetDirectory(root);
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(list.Directory(), root);

  const QStringList names = ShownNames(list);
  const int depth = root.count(QLatin1Char('/'));  // folders above and including it
  ASSERT_EQ(names.size(), depth + 1 + 3);
  EXPECT_EQ(names.first(), "/");
  EXPECT_EQ(names[depth], QDir(root).dirName());
  // Subfolders in name order without regard to case; no files, no hidden ones.
  EXPECT_EQ(names.mid(depth + 1), (QStringList{"alpha", "beta", "Zeta"}));
  EXPECT_EQ(list.currentRow(), depth);
}

TEST_F(WidgetsTest, DirectoryListIgnoresMissingFoldersAndReportsOnlyRealChanges) {
  DirectoryListBox list;
  const QString root = QString::fromStdString(scratch.path().string());
  list.SetDirectory(root);
  QSignalSpy changed(&list, &DirectoryListBox::Changed);
  list.SetDirectory(root + "/missing");
  list.SetDirectory(root);
  list.SetDirectory(root + "/");  // the same folder written differently
  list.SetDirectory(QString::fromStdString(scratch.write("a.gif", "")));
  EXPECT_EQ(changed.count(), 0);
  EXPECT_EQ(list.Directory(), root);
  list.SetDirectory("/");
  EXPECT_EQ(list.Directory(), "/");  // the root keeps its separator
  EXPECT_EQ(changed.count(), 1);
}

TEST_F(WidgetsTest, EnterOnASubfolderOpensItAndOnTheCurrentFolderPassesOn) {
  scratch.write("sub/x", "");
  DirectoryListBox list;
  const QString root = QString::fromStdString(scratch.path().string());
  list.SetDirectory(root);
  list.setCurrentRow(list.count() - 1);
  QTest::keyClick(&list, Qt::Key_Return);
  EXPECT_EQ(list.Directory(), root + "/sub");

  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QCoreApplication::sendEvent(&list, &enter);
  EXPECT_FALSE(enter.isAccepted());  // the window's default button gets it
  EXPECT_EQ(list.Directory(), root + "/sub");

  // Opening a folder higher up the path.
  list.setCurrentRow(0);
  QTest::keyClick(&list, Qt::Key_Return);
  EXPECT_EQ(list.Directory(), "/");
}

TEST_F(WidgetsTest, DriveBoxOffersTheRootAndFollowsTheList) {
  DirectoryListBox list;
  DriveComboBox drives;
  ASSERT_GT(drives.count(), 0);
  EXPECT_NE(drives.findData(QStringLiteral("/")), -1);
  drives.SetDirList(&list);
  list.SetDirectory(QString::fromStdString(scratch.path().string()));
  // The selected volume holds the folder.
  const QString drive = drives.Drive();
  ASSERT_FALSE(drive.isEmpty());
  EXPECT_TRUE(drive == "/" || list.Directory().startsWith(drive + "/") ||
              list.Directory() == drive);

  // Picking the root volume moves the list there (unless it already holds it).
  const int rootIndex = drives.findData(QStringLiteral("/"));
  if (drives.currentIndex() != rootIndex) {
    emit drives.activated(rootIndex);
    EXPECT_EQ(list.Directory(), "/");
  }
  EXPECT_EQ(drives.contextMenuPolicy(), Qt::NoContextMenu);
  EXPECT_EQ(list.contextMenuPolicy(), Qt::NoContextMenu);
}

class EnableCounter : public QObject {
 public:
  int changes = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::EnabledChange) {
      ++changes;
    }
    return false;
  }
};

TEST_F(WidgetsTest, SetButtonEnabledChangesOnlyADifferentState) {
  QPushButton button;
  EnableCounter counter;
  button.installEventFilter(&counter);
  SetButtonEnabled(&button, true);
  EXPECT_EQ(counter.changes, 0);
  SetButtonEnabled(&button, false);
  EXPECT_FALSE(button.isEnabled());
  EXPECT_EQ(counter.changes, 1);
  SetButtonEnabled(&button, false);
  EXPECT_EQ(counter.changes, 1);
  SetButtonEnabled(&button, true);
  EXPECT_TRUE(button.isEnabled());
  EXPECT_EQ(counter.changes, 2);
}

TEST_F(WidgetsTest, TheMessageSinkShowsAModalBoxCaptionedWithItsKind) {
  QtMessages::SetBoxRunner({});  // the real box this time
  struct Seen {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
  } seen;
  auto closeBox = [&seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen = {box->windowTitle(), box->text(), box->icon()};
    box->accept();
  };
  QTimer::singleShot(0, closeBox);
  EXPECT_EQ(AppMessages().ShowMessageBox("No\tfiles found!", MessageKind::Information), 1);
  EXPECT_EQ(seen.title, "Information");
  EXPECT_EQ(seen.text, "No files found!");
  EXPECT_EQ(seen.icon, QMessageBox::Information);
  QTimer::singleShot(0, closeBox);
  ShowError(AppMessages(), "File \"x\" not found!");
  EXPECT_EQ(seen.title, "Error");
  EXPECT_EQ(seen.text, "File \"x\" not found!");
  EXPECT_EQ(seen.icon, QMessageBox::Critical);
}

}  // namespace
}  // namespace pixdeck::test
