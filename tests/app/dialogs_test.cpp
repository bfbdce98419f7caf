// The About box and the Options dialog.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

#include "app/frm_about.h"
#include "app/frm_main.h"
#include "app/frm_options.h"
#include "gui_fixture.h"
#include "inputs/input_box_menu.h"
#include "inputs/popup_menu.h"
#include "settings/program_options.h"

namespace pixdeck::test {
namespace {

using AboutTest = GuiTest;

TEST_F(AboutTest, TheTextIsReadOnlyCentredAndScrollsOnlyDownwards) {
  TfrmAbout about(nullptr);
  about.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
  auto* memo = about.findChild<QPlainTextEdit*>("edtAbout");
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(about.windowTitle(), "About Pixdeck");
  EXPECT_TRUE(memo->isReadOnly());
  const QString text = memo->toPlainText();
  EXPECT_TRUE(text.startsWith("Pixdeck v1.2a\n"));
  EXPECT_TRUE(text.contains(QString(39, '=')));
  EXPECT_TRUE(text.contains("Hope you enjoy using it!"));
  EXPECT_EQ(memo->document()->defaultTextOption().alignment() & Qt::AlignHorizontal_Mask,
            Qt::AlignHCenter);
  QTest::keyClicks(memo, "typed");
  EXPECT_EQ(memo->toPlainText(), text);
  // Longer than the memo: it scrolls vertically, never sideways.
  EXPECT_GT(memo->verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_TRUE(about.findChild<QPushButton*>("btnClose")->hasFocus());
}

TEST_F(AboutTest, TheMenuOffersCopyAndSelectAllWhichCopyTheWholeText) {
  TfrmAbout about(nullptr);
  auto* menu = about.findChild<QMenu*>("InputBoxMenu1");
  ASSERT_NE(menu, nullptr);
  QStringList captions;
  for (QAction* a : menu->actions()) {
    captions << a->text();
  }
  EXPECT_EQ(captions, (QStringList{"&Copy", "Select &All"}));
  auto* memo = about.findChild<QPlainTextEdit*>("edtAbout");
  EXPECT_EQ(PopupMenuOf(memo), menu);
  // Chosen from the menu opened on the memo.
  auto* copy = about.findChild<QAction*>("InputBoxMenu1_Copy");
  auto* selectAll = about.findChild<QAction*>("InputBoxMenu1_SelectAll");
  ASSERT_NE(copy, nullptr);
  ASSERT_NE(selectAll, nullptr);
  EXPECT_EQ(copy->data().toInt(), 4);
  EXPECT_EQ(selectAll->data().toInt(), 9);
  EXPECT_EQ(copy->statusTip(), "Copy selected text to clipboard");
  static_cast<TInputBoxMenu*>(menu)->SetPopupComponent(memo);
  selectAll->trigger();
  copy->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(),
            about.findChild<QPlainTextEdit*>("edtAbout")->toPlainText());
}

TEST_F(AboutTest, EscapeAndCloseEndTheBox) {
  TfrmAbout about(nullptr);
  QTimer::singleShot(0, [&about] { QTest::keyClick(&about, Qt::Key_Escape); });
  EXPECT_EQ(about.exec(), QDialog::Rejected);
  QTimer::singleShot(0, [&about] { about.findChild<QPushButton*>("btnClose")->click(); });
  EXPECT_EQ(about.exec(), QDialog::Rejected);
}

class OptionsTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    CurrentOptions() = ProgramOptions{};
    main = std::make_unique<TfrmMain>(nullptr, scratch.file("pixdeck.INI"));
  }
  void TearDown() override {
    main.reset();
    CurrentOptions() = ProgramOptions{};
    GuiTest::TearDown();
  }
  template <typename T>
  T* Find(QWidget* in, const char* name) {
    T* found = in->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  void Retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
    EXPECT_EQ(edit->text(), text) << "the keys arrived";
  }
  std::unique_ptr<TfrmMain> main;
};

TEST_F(OptionsTest, TheDialogShowsTheCurrentOptions) {
  CurrentOptions().urlBaseName = "http://example.net/pics/";
  CurrentOptions().bgColor = "Navy";
  TfrmOptions dialog(*main);
  EXPECT_EQ(dialog.windowTitle(), "Options");
  EXPECT_EQ(Find<QLineEdit>(&dialog, "edtBrowser")->text(), "");
  EXPECT_EQ(Find<QLineEdit>(&dialog, "edtDefOutName")->text(), "images.htm");
  EXPECT_EQ(Find<QLineEdit>(&dialog, "edtBase")->text(), "http://example.net/pics/");
  EXPECT_EQ(Find<QComboBox>(&dialog, "lbxBackColor")->currentText(), "Navy");
  EXPECT_GT(Find<QComboBox>(&dialog, "lbxBackColor")->count(), 0);
  EXPECT_EQ(Find<QComboBox>(&dialog, "lbxBackColor")->count(),
            Find<QComboBox>(main.get(), "lbxBackColor")->count());
  // Once shown, its border cannot change its size.
  const QSize designed = dialog.size();
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  EXPECT_TRUE(dialog.FixedSize());
  EXPECT_EQ(dialog.minimumSize(), designed);
  EXPECT_EQ(dialog.maximumSize(), designed);
  EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
}

TEST_F(OptionsTest, SaveStoresTheChangedValuesAndHandsThemToTheMainWindow) {
  TfrmOptions dialog(*main);
  Retype(Find<QLineEdit>(&dialog, "edtBrowser"), "/usr/bin/firefox");
  Retype(Find<QLineEdit>(&dialog, "edtDefOutName"), "album.htm");
  Retype(Find<QLineEdit>(&dialog, "edtBase"), "http://example.net/");
  const std::string tile = scratch.write("tile.gif", "GIF89a");
  AnswerNextDialog(tile);
  Find<QToolButton>(&dialog, "btnBackground")->click();
  ASSERT_EQ(dialogRequests.size(), 1u);
  EXPECT_EQ(dialogRequests[0].title, "Default Background Pattern");

  QTimer::singleShot(0, [&] { Find<QPushButton>(&dialog, "btnSave")->click(); });
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  EXPECT_EQ(CurrentOptions().browserName, "/usr/bin/firefox");
  EXPECT_FALSE(CurrentOptions().useRegSettings);
  EXPECT_EQ(CurrentOptions().outputName, "album.htm");
  EXPECT_EQ(CurrentOptions().urlBaseName, "http://example.net/");
  EXPECT_EQ(CurrentOptions().patternName, tile);
  EXPECT_EQ(Find<QComboBox>(main.get(), "edtOutputName")->currentText(), "album.htm");
  EXPECT_EQ(Find<QComboBox>(main.get(), "edtBackground")->currentText().toStdString(), tile);
}

TEST_F(OptionsTest, SaveWithoutTouchingTheDefaultsKeepsThemAndTheMainWindow) {
  CurrentOptions().urlBaseName = "http://example.net/pics/";
  auto* mainOutput = Find<QComboBox>(main.get(), "edtOutputName");
  mainOutput->setEditText("current.htm");
  TfrmOptions dialog(*main);
  Find<QPushButton>(&dialog, "btnSave")->click();
  EXPECT_EQ(CurrentOptions().outputName, "images.htm");
  EXPECT_EQ(CurrentOptions().urlBaseName, "http://example.net/pics/");
  EXPECT_TRUE(CurrentOptions().useRegSettings);
  EXPECT_EQ(mainOutput->currentText(), "current.htm");
}

TEST_F(OptionsTest, CancelAfterTypingInEveryBoxChangesNothing) {
  TfrmOptions dialog(*main);
  for (const char* name : {"edtBrowser", "edtDefOutName", "edtPattern", "edtBase"}) {
    Retype(Find<QLineEdit>(&dialog, name), "changed");
  }
  QTimer::singleShot(0, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
  EXPECT_EQ(dialog.exec(), QDialog::Rejected);
  EXPECT_EQ(CurrentOptions().browserName, "");
  EXPECT_EQ(CurrentOptions().outputName, "images.htm");
  EXPECT_EQ(CurrentOptions().patternName, "");
  EXPECT_EQ(CurrentOptions().urlBaseName, "file:///");
  EXPECT_EQ(Find<QComboBox>(main.get(), "edtOutputName")->currentText(), "images.htm");
}

TEST_F(OptionsTest, BrowseButtonsAskWithTheirTitlesAndFilters) {
  TfrmOptions dialog(*main);
  AnswerNextDialog("/usr/bin/browser");
  Find<QToolButton>(&dialog, "btnBrowserName")->click();
  AnswerNextDialog(scratch.file("web/index.htm"));
  Find<QToolButton>(&dialog, "btnOutputName")->click();
  ASSERT_EQ(dialogRequests.size(), 2u);
  EXPECT_EQ(dialogRequests[0].title, "Search for Web Browser");
  // Programs here have no extension: the first filter lists executables and
  // nothing is added to a typed name.
  EXPECT_EQ(dialogRequests[0].filter, "Program|*|All Files (*.*)|*.*");
  EXPECT_EQ(dialogRequests[0].defaultExt, "");
  EXPECT_EQ(dialogRequests[0].executablesFilter, 0);
  EXPECT_EQ(dialogRequests[1].executablesFilter, -1);
  EXPECT_EQ(dialogRequests[1].title, "Default Output Name");
  EXPECT_EQ(dialogRequests[1].kind, FileDialogRequest::Kind::Save);
  EXPECT_EQ(Find<QLineEdit>(&dialog, "edtBrowser")->text(), "/usr/bin/browser");
  EXPECT_EQ(Find<QLineEdit>(&dialog, "edtDefOutName")->text().toStdString(),
            scratch.file("web/index.htm"));
  Find<QPushButton>(&dialog, "btnSave")->click();
  EXPECT_EQ(CurrentOptions().outputName, scratch.file("web/index.htm"));
}

}  // namespace
}  // namespace pixdeck::test
