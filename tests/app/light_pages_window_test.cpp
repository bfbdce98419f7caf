// The light-pages option as the windows carry it: the Options dialog's check
// box, the settings file and the page that Filter then writes.
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
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

class LightPagesWindowTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    CurrentOptions() = ProgramOptions{};
    pics = scratch.file("pics");
    fs::create_directories(pics);
    fs::copy_file(fs::path(PIXDECK_PICTURE_SAMPLES) / "turned6-le.jpg", fs::path(pics) / "a.jpg");
    scratch.write("pics/b.gif", "not a picture");
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
  template <typename T>
  T* Find(QWidget* in, const char* name) {
    T* found = in->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  std::string Page() {
    Find<QPushButton>(main.get(), "btnFilter")->click();
    return ScratchDir::read(scratch.file("pics/images.htm"));
  }
  std::string pics;
  std::unique_ptr<TfrmMain> main;
};

TEST_F(LightPagesWindowTest, TheCheckBoxSitsUnderTheUrlBaseAndFollowsItInTheTabOrder) {
  TfrmOptions dialog(*main);
  auto* box = Find<QCheckBox>(&dialog, "chkLightPages");
  auto* base = Find<QLineEdit>(&dialog, "edtBase");
  EXPECT_EQ(box->text(), "Load pictures as they scroll into view");
  EXPECT_FALSE(box->statusTip().isEmpty());
  EXPECT_FALSE(box->isChecked());
  // Below the URL base, inside the upper frame; the buttons and the lower
  // frame moved down and the dialog grew so that nothing overlaps.
  const QRect frame = Find<QFrame>(&dialog, "Bevel1")->geometry();
  const QRect lower = Find<QFrame>(&dialog, "Bevel2")->geometry();
  EXPECT_GE(box->geometry().top(), base->geometry().bottom());
  EXPECT_EQ(box->geometry().left(), base->geometry().left());
  EXPECT_TRUE(frame.contains(box->geometry())) << box->geometry().y();
  EXPECT_GT(lower.top(), frame.bottom());
  for (const char* name : {"btnSave", "btnCancel"}) {
    EXPECT_TRUE(lower.contains(Find<QPushButton>(&dialog, name)->geometry())) << name;
  }
  EXPECT_TRUE(dialog.rect().contains(lower));
  EXPECT_GT(dialog.height(), 288);

  const QSize designed = dialog.size();
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  EXPECT_EQ(dialog.minimumSize(), designed);
  EXPECT_EQ(dialog.maximumSize(), designed);
  base->setFocus();
  QTest::keyClick(base, Qt::Key_Tab);
  EXPECT_TRUE(box->hasFocus());
  QTest::keyClick(box, Qt::Key_Space);
  EXPECT_TRUE(box->isChecked());
  QTest::keyClick(box, Qt::Key_Tab);
  EXPECT_TRUE(Find<QCheckBox>(&dialog, "chkGallery")->hasFocus());
}

TEST_F(LightPagesWindowTest, SaveSwitchesThePagesAndTheSettingsFileOnAndCancelDoesNot) {
  EXPECT_EQ(Page().find("LOADING"), std::string::npos);
  {
    TfrmOptions dialog(*main);
    Find<QCheckBox>(&dialog, "chkLightPages")->setChecked(true);
    QTimer::singleShot(0, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
  }
  EXPECT_FALSE(CurrentOptions().lightPages);
  {
    TfrmOptions dialog(*main);
    Find<QCheckBox>(&dialog, "chkLightPages")->setChecked(true);
    QTimer::singleShot(0, [&] { Find<QPushButton>(&dialog, "btnSave")->click(); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  }
  EXPECT_TRUE(CurrentOptions().lightPages);
  EXPECT_EQ(IniText(ScratchDir::read(scratch.file("pixdeck.INI"))).Find("Options", "LightPages"),
            "1");
  const std::string page = Page();
  EXPECT_NE(page.find(R"(<IMG SRC="a.jpg" WIDTH=3 HEIGHT=5 LOADING="lazy" DECODING="async">)"),
            std::string::npos)
      << page;
  EXPECT_NE(page.find(R"(<IMG SRC="b.gif" LOADING="lazy" DECODING="async">)"), std::string::npos)
      << page;

  // The next start reads it back and the dialog shows it.
  main.reset();
  CurrentOptions() = ProgramOptions{};
  OpenMain();
  EXPECT_TRUE(CurrentOptions().lightPages);
  TfrmOptions dialog(*main);
  EXPECT_TRUE(Find<QCheckBox>(&dialog, "chkLightPages")->isChecked());
  Find<QCheckBox>(&dialog, "chkLightPages")->setChecked(false);
  Find<QPushButton>(&dialog, "btnSave")->click();
  EXPECT_FALSE(CurrentOptions().lightPages);
  EXPECT_EQ(Page().find("LOADING"), std::string::npos);
}

}  // namespace
}  // namespace pixdeck::test
