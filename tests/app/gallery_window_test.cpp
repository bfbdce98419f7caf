// The gallery option as the windows carry it: the Options dialog's check box
// under the light-pages one, the settings file, and Filter with its progress
// dialog and Cancel.
#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "app/frm_main.h"
#include "app/frm_options.h"
#include "app/widgets/directory_list_box.h"
#include "gui_fixture.h"
#include "settings/ini_text.h"
#include "settings/program_options.h"

namespace pixdeck::test {
namespace {

namespace fs = std::filesystem;

class GalleryWindowTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    CurrentOptions() = ProgramOptions{};
    pics = scratch.file("pics");
    fs::create_directories(pics);
    OpenMain();
  }
  void TearDown() override {
    main.reset();
    CurrentOptions() = ProgramOptions{};
    GuiTest::TearDown();
  }
  void OpenMain() {
    main = std::make_unique<TfrmMain>(nullptr, scratch.file("pixdeck.INI"));
    main->findChild<DirectoryListBox*>("lbxDirectory")->SetDirectory(QString::fromStdString(pics));
  }
  void AddPhotos(int count) const {
    for (int i = 0; i < count; ++i) {
      fs::copy_file(fs::path(PIXDECK_PICTURE_SAMPLES) / "gallery" / "photo.jpg",
                    fs::path(pics) / ("photo" + std::to_string(1000 + i) + ".jpg"));
    }
  }
  template <typename T>
  T* Find(QWidget* in, const char* name) {
    T* found = in->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QString Count() { return Find<QLineEdit>(main.get(), "edtCount")->text(); }
  std::string pics;
  std::unique_ptr<TfrmMain> main;
};

TEST_F(GalleryWindowTest, TheCheckBoxSitsUnderTheLightPagesOneAndFollowsItInTheTabOrder) {
  TfrmOptions dialog(*main);
  auto* box = Find<QCheckBox>(&dialog, "chkGallery");
  auto* light = Find<QCheckBox>(&dialog, "chkLightPages");
  EXPECT_EQ(box->text(), "Make a &gallery of thumbnails");
  EXPECT_FALSE(box->statusTip().isEmpty());
  EXPECT_FALSE(box->isChecked());
  const QRect frame = Find<QFrame>(&dialog, "Bevel1")->geometry();
  const QRect lower = Find<QFrame>(&dialog, "Bevel2")->geometry();
  EXPECT_GE(box->geometry().top(), light->geometry().bottom());
  EXPECT_EQ(box->geometry().left(), light->geometry().left());
  EXPECT_TRUE(frame.contains(box->geometry())) << box->geometry().y();
  EXPECT_GT(lower.top(), frame.bottom());
  for (const char* name : {"btnSave", "btnCancel"}) {
    EXPECT_TRUE(lower.contains(Find<QPushButton>(&dialog, name)->geometry())) << name;
  }
  EXPECT_TRUE(dialog.rect().contains(lower));

  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  light->setFocus();
  QTest::keyClick(light, Qt::Key_Tab);
  EXPECT_TRUE(box->hasFocus());
  QTest::keyClick(box, Qt::Key_Space);
  EXPECT_TRUE(box->isChecked());
  QTest::keyClick(box, Qt::Key_Tab);
  EXPECT_TRUE(Find<QPushButton>(&dialog, "btnSave")->hasFocus());
}

TEST_F(GalleryWindowTest, SaveSwitchesFilterToGalleriesAndTheSettingsFileKeepsIt) {
  AddPhotos(3);
  {
    TfrmOptions dialog(*main);
    Find<QCheckBox>(&dialog, "chkGallery")->setChecked(true);
    QTimer::singleShot(0, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
  }
  EXPECT_FALSE(CurrentOptions().gallery);
  {
    TfrmOptions dialog(*main);
    Find<QCheckBox>(&dialog, "chkGallery")->setChecked(true);
    QTimer::singleShot(0, [&] { Find<QPushButton>(&dialog, "btnSave")->click(); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  }
  EXPECT_TRUE(CurrentOptions().gallery);
  EXPECT_EQ(IniText(ScratchDir::read(scratch.file("pixdeck.INI"))).Find("Options", "Gallery"), "1");
  Find<QPushButton>(main.get(), "btnFilter")->click();
  EXPECT_EQ(Count(), "3");
  const std::string page = ScratchDir::read(scratch.file("pics/images.htm"));
  EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u) << page;
  EXPECT_NE(page.find("<img src=\"./images_files/t"), std::string::npos);
  EXPECT_TRUE(boxes.empty());

  main.reset();
  CurrentOptions() = ProgramOptions{};
  OpenMain();
  EXPECT_TRUE(CurrentOptions().gallery);
  TfrmOptions dialog(*main);
  EXPECT_TRUE(Find<QCheckBox>(&dialog, "chkGallery")->isChecked());
}

TEST_F(GalleryWindowTest, CancelInTheProgressDialogKeepsTheEarlierGallery) {
  AddPhotos(2);
  CurrentOptions().gallery = true;
  auto* filter = Find<QPushButton>(main.get(), "btnFilter");
  filter->click();
  ASSERT_EQ(Count(), "2");
  const std::string before = ScratchDir::read(scratch.file("pics/images.htm"));

  // Many more pictures, at another size: a long run, stopped as soon as the
  // window shows its progress.
  for (int i = 0; i < 400; ++i) {
    fs::copy_file(fs::path(PIXDECK_PICTURE_SAMPLES) / "gallery" / "photo.jpg",
                  fs::path(pics) / ("more" + std::to_string(i) + ".jpg"));
  }
  CurrentOptions().thumbnailSize = 200;
  int seenMaximum = 0;
  bool filterDisabled = false;
  QTimer watcher;
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    if (auto* progress = main->findChild<QProgressDialog*>("dlgGalleryProgress")) {
      seenMaximum = progress->maximum();
      filterDisabled = !filter->isEnabled();
      if (progress->maximum() > 0) {
        progress->cancel();
      }
    }
  });
  watcher.start(5);
  filter->click();
  watcher.stop();
  EXPECT_EQ(seenMaximum, 402) << "the window handled events during the work";
  EXPECT_TRUE(filterDisabled);
  EXPECT_EQ(Count(), "0");
  EXPECT_TRUE(filter->isEnabled());
  EXPECT_EQ(ScratchDir::read(scratch.file("pics/images.htm")), before);
  EXPECT_EQ(main->findChild<QProgressDialog*>("dlgGalleryProgress"), nullptr);
  std::size_t made = 0;
  for (const auto& item : fs::directory_iterator(fs::path(pics) / "images_files")) {
    EXPECT_EQ(item.path().extension(), ".jpg") << item.path();
    ++made;
  }
  EXPECT_LT(made, 2u + 402u) << "stopped before the end";
  EXPECT_TRUE(boxes.empty());
}

}  // namespace
}  // namespace pixdeck::test
