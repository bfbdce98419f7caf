// The main window and the Options dialog as a user meets them: Escape and
// Enter in every box, buttons pressed by their mnemonic, the stored history
// at start, the hints in the status panel and where the browse dialogs start.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <memory>

#include "app/frm_main.h"
#include "app/frm_options.h"
#include "app/widgets/directory_list_box.h"
#include "gui_fixture.h"
#include "inputs/lbl_combo_box.h"
#include "settings/program_options.h"
#include "util/paths.h"

namespace pixdeck::test {
namespace {

namespace fs = std::filesystem;

class WindowKeysTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    pics = scratch.file("pics");
    scratch.write("pics/a.gif", "aa");
    scratch.write("pics/b.png", "bbb");
    scratch.write("pics/notes.txt", "text");
  }
  void TearDown() override {
    window.reset();
    GuiTest::TearDown();
  }
  void Open() {
    window = std::make_unique<TfrmMain>(nullptr, scratch.file("pixdeck.INI"));
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    Folders()->SetDirectory(QString::fromStdString(pics));
  }
  template <typename T>
  T* Find(QWidget* in, const char* name) {
    T* found = in->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  TLblComboBox* Box(const char* name) { return Find<TLblComboBox>(window.get(), name); }
  DirectoryListBox* Folders() { return Find<DirectoryListBox>(window.get(), "lbxDirectory"); }
  QString Count() { return Find<QLineEdit>(window.get(), "edtCount")->text(); }
  QString HintPanel() { return Find<QLabel>(window.get(), "pnlHint")->text(); }
  // Keys go where the user's keys go: to the widget with the focus.
  static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }
  static void Type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
  void TypeInto(QComboBox* box, const QString& text) {
    box->setFocus();
    QApplication::processEvents();
    box->lineEdit()->selectAll();
    Type(text);
  }
  std::string Page() const { return JoinPath(pics, "images.htm"); }

  std::string pics;
  std::unique_ptr<TfrmMain> window;
};

TEST_F(WindowKeysTest, EscapeUndoesInEveryBoxOfTheWindow) {
  Open();
  struct Case {
    const char* box;
    QString typed;
    QString undone;
  };
  for (const Case& c :
       {Case{"cmbSpecs", "*.tif", "*.gif;*.jpg"}, Case{"edtOutputName", "other.htm", "images.htm"},
        Case{"edtBackground", "tile.gif", ""}, Case{"lbxBackColor", "Zebra", ""}}) {
    SCOPED_TRACE(c.box);
    TLblComboBox* box = Box(c.box);
    TypeInto(box, c.typed);
    ASSERT_EQ(box->Text(), c.typed);
    Press(Qt::Key_Escape);
    EXPECT_EQ(box->Text(), c.undone);
  }
}

TEST_F(WindowKeysTest, TheStoredHistoryShowsItsFirstItemAndFilterUsesIt) {
  scratch.write("pixdeck.INI", "[Specs]\nItemCount=2\nItem_1=*.png\nItem_2=*.gif\n");
  Open();
  TLblComboBox* specs = Box("cmbSpecs");
  EXPECT_EQ(specs->Items(), (QStringList{"*.png", "*.gif"}));
  EXPECT_EQ(specs->ItemIndex(), 0);
  EXPECT_EQ(specs->Text(), "*.png");
  Find<QPushButton>(window.get(), "btnFilter")->click();
  EXPECT_EQ(Count(), "1");  // b.png alone
}

TEST_F(WindowKeysTest, EnterOnANewTextRecordsItAndRunsFilterAtOnce) {
  Open();
  TLblComboBox* specs = Box("cmbSpecs");
  TypeInto(specs, "*.txt");
  Press(Qt::Key_Return);
  EXPECT_EQ(specs->Items().first(), "*.txt");
  EXPECT_EQ(Count(), "1");
  EXPECT_TRUE(fs::exists(Page()));
}

TEST_F(WindowKeysTest, EnterOnARefusedColourRunsNoFilter) {
  Open();
  TLblComboBox* colors = Box("lbxBackColor");
  ASSERT_GT(colors->count(), 0) << "the colour file beside the tests";
  TypeInto(colors, "Zebra");
  Press(Qt::Key_Return);
  EXPECT_EQ(colors->Text(), "");
  EXPECT_FALSE(fs::exists(Page()));
  // A listed colour goes on to Filter.
  colors->lineEdit()->selectAll();
  Type("White");
  ASSERT_EQ(colors->Text(), "White");
  Press(Qt::Key_Return);
  ASSERT_TRUE(fs::exists(Page()));
  EXPECT_NE(ScratchDir::read(Page()).find("BGCOLOR=#FFFFFF"), std::string::npos);
}

TEST_F(WindowKeysTest, AltFChecksTheFocusedBoxBeforeFiltering) {
  Open();
  TLblComboBox* colors = Box("lbxBackColor");
  TypeInto(colors, "Zebra");
  Press(Qt::Key_F, Qt::AltModifier);
  // The button acts once its press has shown: wait for the page, however
  // busy the machine.
  ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(Page()); }, 10000));
  EXPECT_EQ(colors->Text(), "");
  EXPECT_EQ(ScratchDir::read(Page()).find("Zebra"), std::string::npos);
  // A new specification typed before Alt+F enters the history.
  TLblComboBox* specs = Box("cmbSpecs");
  TypeInto(specs, "*.txt");
  Press(Qt::Key_F, Qt::AltModifier);
  // Typing reset the count to 0; the run shows its own.
  EXPECT_TRUE(QTest::qWaitFor([&] { return Count() == "1"; }, 10000)) << Count().toStdString();
  EXPECT_EQ(specs->Items().first(), "*.txt");
}

TEST_F(WindowKeysTest, AltSInOptionsNeverSavesAnUnlistedColour) {
  Open();
  TfrmOptions dialog(*window);
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  auto* colors = Find<TLblComboBox>(&dialog, "lbxBackColor");
  colors->setFocus();
  QApplication::processEvents();
  colors->lineEdit()->selectAll();
  Type("Zebra");
  ASSERT_EQ(colors->Text(), "Zebra");
  Press(Qt::Key_S, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.result() == QDialog::Accepted; }, 10000));
  EXPECT_NE(CurrentOptions().bgColor, "Zebra");
  EXPECT_EQ(ScratchDir::read(scratch.file("pixdeck.INI")).find("Zebra"), std::string::npos);
}

TEST_F(WindowKeysTest, TheColourBoxKeepsItsFormHintUntilTheFirstPick) {
  Open();
  TLblComboBox* colors = Box("lbxBackColor");
  EXPECT_EQ(colors->statusTip(), "Color used for HTML background");
  EXPECT_EQ(colors->ItemIndex(), -1);
  EXPECT_EQ(colors->Text(), "");
  colors->SetInitialText("White");
  EXPECT_EQ(colors->statusTip(), "Color code = #FFFFFF");
}

TEST_F(WindowKeysTest, TheWindowsHintComesBackOnItsBackground) {
  Open();
  const QString windowHint = window->statusTip();
  ASSERT_TRUE(windowHint.startsWith("Pixdeck v1.2a - "));
  TLblComboBox* specs = Box("cmbSpecs");
  // From a box to the window itself (the strip left of the frames) ...
  QTest::mouseMove(window.get(), specs->geometry().center());
  QApplication::processEvents();
  EXPECT_EQ(HintPanel(), "Type of file(s) to display in HTML document");
  QTest::mouseMove(window.get(), QPoint(3, 250));
  QApplication::processEvents();
  EXPECT_EQ(HintPanel(), windowHint);
  // ... and to the frame drawn around the boxes.
  QTest::mouseMove(window.get(), specs->geometry().center());
  QApplication::processEvents();
  ASSERT_EQ(HintPanel(), "Type of file(s) to display in HTML document");
  QTest::mouseMove(window.get(), QPoint(245, 235));
  QApplication::processEvents();
  EXPECT_EQ(HintPanel(), windowHint);
  // A control without hint still shows none.
  QTest::mouseMove(window.get(), specs->geometry().center());
  QApplication::processEvents();
  QTest::mouseMove(window.get(), Find<QLabel>(window.get(), "pnlHint")->geometry().center());
  QApplication::processEvents();
  EXPECT_EQ(HintPanel(), "");
}

TEST_F(WindowKeysTest, TheFirstBrowseStartsInTheDirectoryListsFolder) {
  Open();
  const std::string other = scratch.file("other");
  fs::create_directories(other);
  Folders()->SetDirectory(QString::fromStdString(other));
  Find<QToolButton>(window.get(), "btnOutputName")->click();
  ASSERT_EQ(dialogRequests.size(), 1u);
  EXPECT_EQ(dialogRequests[0].startDir, other);
  EXPECT_EQ(dialogRequests[0].proposedName, "images.htm");
}

}  // namespace
}  // namespace pixdeck::test
