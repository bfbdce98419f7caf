// The real main window, driven through its controls.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <memory>

#include "app/byte_text.h"
#include "app/frm_main.h"
#include "app/widgets/directory_list_box.h"
#include "browser/browser_detection.h"
#include "gui_fixture.h"
#include "inputs/lbl_combo_box.h"
#include "inputs/popup_menu.h"
#include "settings/program_options.h"

namespace pixdeck::test {
namespace {

namespace fs = std::filesystem;

class MainWindowTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    pics = scratch.file("pics");
    scratch.write("pics/b.GIF", "bbbb");
    scratch.write("pics/A.jpg", "aa");
    scratch.write("pics/c.gif", "c");
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
  }
  template <typename T>
  T* Find(const char* name) {
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QComboBox* Specs() { return Find<QComboBox>("cmbSpecs"); }
  QComboBox* OutputName() { return Find<QComboBox>("edtOutputName"); }
  QComboBox* Background() { return Find<QComboBox>("edtBackground"); }
  QLineEdit* Count() { return Find<QLineEdit>("edtCount"); }
  QPushButton* Filter() { return Find<QPushButton>("btnFilter"); }
  DirectoryListBox* Folders() { return Find<DirectoryListBox>("lbxDirectory"); }
  QString HintPanel() { return Find<QLabel>("pnlHint")->text(); }
  void ChooseFolder(const std::string& dir) {
    Folders()->SetDirectory(QString::fromStdString(dir));
  }
  // Replaces the box's text as the user would: select all, type.
  void TypeInto(QComboBox* box, const QString& text) {
    box->setFocus();
    box->lineEdit()->selectAll();
    if (text.isEmpty()) {
      QTest::keyClick(box->lineEdit(), Qt::Key_Delete);
    } else {
      QTest::keyClicks(box->lineEdit(), text);
    }
    // The keys arrived (completion may have added a tail).
    EXPECT_TRUE(box->currentText().startsWith(text)) << box->currentText().toStdString();
  }

  std::string pics;
  std::unique_ptr<TfrmMain> window;
};

TEST_F(MainWindowTest, EnterInTheSpecificationsWritesThePageAndShowsTheCount) {
  Open();
  ChooseFolder(pics);
  TypeInto(Specs(), "*.gif;*.jpg");
  Specs()->setFocus();
  QTest::keyClick(Specs()->lineEdit(), Qt::Key_Return);

  EXPECT_TRUE(boxes.empty()) << boxes.front().text;
  EXPECT_EQ(Count()->text(), "3");
  const std::string page = ScratchDir::read(scratch.file("pics/images.htm"));
  // Sorted without regard to case, segments mixed; the text file is not listed.
  const auto a = page.find("A.jpg"), b = page.find("b.GIF"), c = page.find("c.gif");
  ASSERT_NE(a, std::string::npos);
  ASSERT_NE(b, std::string::npos);
  ASSERT_NE(c, std::string::npos);
  EXPECT_LT(a, b);
  EXPECT_LT(b, c);
  EXPECT_EQ(page.find("notes.txt"), std::string::npos);
  EXPECT_TRUE(Find<QPushButton>("btnView")->hasFocus());
  EXPECT_TRUE(Filter()->isEnabled());

  // Any change of the inputs shows "0" again.
  TypeInto(Specs(), "*.gif");
  EXPECT_EQ(Count()->text(), "0");
}

TEST_F(MainWindowTest, WithoutABrowserNameTheBrowserIsFoundOnceTheWindowShows) {
  // The built-in options name no browser: the window looks for one, but only
  // after its first paint, so that it shows without waiting for that.
  window = std::make_unique<TfrmMain>(nullptr, scratch.file("pixdeck.INI"));
  QApplication::processEvents();
  EXPECT_EQ(BrowserPath(), "") << "found before the window was shown";
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  QTRY_VERIFY_WITH_TIMEOUT(!BrowserPath().empty(), 10000);
  EXPECT_TRUE(UseDde());
  EXPECT_TRUE(boxes.empty());
}

TEST_F(MainWindowTest, ABrowserNamedInTheSettingsIsTakenAtOnce) {
  scratch.write("pixdeck.INI", "[Options]\nBrowserName=/opt/browser/run\nUseRegSettings=0\n");
  window = std::make_unique<TfrmMain>(nullptr, scratch.file("pixdeck.INI"));
  EXPECT_EQ(BrowserPath(), "/opt/browser/run");
  EXPECT_FALSE(UseDde());
}

TEST_F(MainWindowTest, EmptySpecificationsDisableFilterUntilSomethingIsTyped) {
  Open();
  ChooseFolder(pics);
  Specs()->setFocus();
  QTest::keyClick(Specs()->lineEdit(), Qt::Key_Return);
  ASSERT_EQ(Count()->text(), "3");

  // The box may not stay empty while it has a history: deleting the text
  // brings back its first entry.
  TypeInto(Specs(), "");
  EXPECT_EQ(Specs()->currentText(), "*.gif;*.jpg");
  EXPECT_EQ(Count()->text(), "0");

  // Without a history the text can be emptied, and Filter goes with it.
  static_cast<TLblComboBox*>(Specs())->ClearItems();
  TypeInto(Specs(), "");
  ASSERT_EQ(Specs()->currentText(), "");
  EXPECT_FALSE(Filter()->isEnabled());
  EXPECT_EQ(Count()->text(), "0");
  fs::remove(scratch.file("pics/images.htm"));
  QTest::keyClick(Specs()->lineEdit(), Qt::Key_Return);  // Enter does nothing now
  EXPECT_FALSE(fs::exists(scratch.file("pics/images.htm")));

  QTest::keyClicks(Specs()->lineEdit(), "*");
  EXPECT_TRUE(Filter()->isEnabled());
}

TEST_F(MainWindowTest, EnterOnTheCurrentFolderOrTheCountRunsFilterToo) {
  Open();
  ChooseFolder(pics);
  Folders()->setFocus();
  QTest::keyClick(Folders(), Qt::Key_Return);
  EXPECT_EQ(Count()->text(), "3");
  fs::remove(scratch.file("pics/images.htm"));
  Count()->setFocus();
  QTest::keyClick(Count(), Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_TRUE(fs::exists(scratch.file("pics/images.htm")));
}

TEST_F(MainWindowTest, ChangingTheFolderResetsTheCount) {
  Open();
  ChooseFolder(pics);
  Filter()->click();
  ASSERT_EQ(Count()->text(), "3");
  ChooseFolder(scratch.path().string());
  EXPECT_EQ(Count()->text(), "0");
}

TEST_F(MainWindowTest, AFolderGoneSinceItWasChosenIsToldWithTheSystemsReason) {
  Open();
  ChooseFolder(pics);
  fs::remove_all(pics);
  Filter()->click();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Cannot read folder " + pics + ": No such file or directory");
  EXPECT_EQ(boxes[0].kind, MessageKind::Error);
  EXPECT_EQ(Count()->text(), "0");
}

// A folder whose name is not UTF-8 (Latin-1 from an old disk) is opened from
// the folder list as the user would, searched and kept in the settings by
// its own bytes.
TEST_F(MainWindowTest, AFolderWhoseNameIsNotUtf8WorksFromTheListToTheSettings) {
  const std::string latin = scratch.file("caf\xE9");
  scratch.write("caf\xE9/a.gif", "GIF89a");
  scratch.write("caf\xE9/b.jpg", "jpg");
  Open();
  ChooseFolder(scratch.path().string());
  QListWidgetItem* entry = nullptr;
  for (int row = 0; row < Folders()->count(); ++row) {
    if (Folders()->item(row)->text().trimmed() == QString::fromUtf8("caf\uFFFD")) {
      entry = Folders()->item(row);
    }
  }
  ASSERT_NE(entry, nullptr) << "the folder is listed, its odd byte shown as U+FFFD";
  Folders()->setFocus();
  Folders()->setCurrentItem(entry);
  QTest::keyClick(Folders(), Qt::Key_Return);
  Filter()->click();
  ASSERT_TRUE(boxes.empty()) << boxes.front().text;
  EXPECT_EQ(Count()->text(), "2");
  EXPECT_TRUE(fs::exists(latin + "/images.htm"));
  window->close();
  const std::string settings = ScratchDir::read(scratch.file("pixdeck.INI"));
  EXPECT_NE(settings.find("DefaultDir=" + latin + "\n"), std::string::npos) << settings;

  // The next start opens it again.
  window.reset();
  Open();
  EXPECT_EQ(BytesFromText(Folders()->Directory()), latin);
}

TEST_F(MainWindowTest, NoMatchShowsNoFilesFoundAndWritesNothing) {
  Open();
  ChooseFolder(pics);
  TypeInto(Specs(), "*.png");
  Filter()->click();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "No files found!");
  EXPECT_EQ(boxes[0].kind, MessageKind::Information);
  EXPECT_EQ(Count()->text(), "0");
  EXPECT_FALSE(fs::exists(scratch.file("pics/images.htm")));
  EXPECT_EQ(OutputName()->currentText(), "images.htm");
  EXPECT_TRUE(Filter()->isEnabled());
}

TEST_F(MainWindowTest, AnEmptyOutputNameMakesATemporaryPageThatCloseDeletes) {
  Open();
  ChooseFolder(pics);
  TypeInto(OutputName(), "");
  Filter()->click();
  const std::string temp = OutputName()->currentText().toStdString();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(fs::path(temp).extension(), ".htm");
  EXPECT_EQ(fs::path(temp).filename().string().rfind("pdk", 0), 0u);
  EXPECT_TRUE(fs::exists(temp));
  EXPECT_EQ(Count()->text(), "3");
  EXPECT_NE(OutputName()->findText(QString::fromStdString(temp)), -1);  // in the history
  EXPECT_FALSE(fs::exists(fs::path(temp).replace_extension(".tmp")));
  window->close();
  EXPECT_FALSE(fs::exists(temp));
}

TEST_F(MainWindowTest, OutputBrowseButtonPutsTheChosenPathIntoTheBoxAndItsHistory) {
  Open();
  ChooseFolder(pics);
  const std::string chosen = scratch.file("out/page.htm");
  AnswerNextDialog(chosen);
  Find<QToolButton>("btnOutputName")->click();
  ASSERT_EQ(dialogRequests.size(), 1u);
  EXPECT_EQ(dialogRequests[0].kind, FileDialogRequest::Kind::Save);
  EXPECT_EQ(dialogRequests[0].title, "HTML Output Name");
  EXPECT_EQ(dialogRequests[0].filter, "HTML (*.htm,*.html)|*.htm;*.html|All Files (*.*)|*.*");
  EXPECT_EQ(dialogRequests[0].defaultExt, "HTM");
  EXPECT_EQ(dialogRequests[0].proposedName, "images.htm");
  EXPECT_EQ(OutputName()->currentText().toStdString(), chosen);
  EXPECT_EQ(OutputName()->findText(QString::fromStdString(chosen)), 0);

  // A cancelled browse changes nothing.
  Find<QToolButton>("btnOutputName")->click();
  EXPECT_EQ(OutputName()->currentText().toStdString(), chosen);

  // The page goes where the browse said.
  fs::create_directories(scratch.file("out"));
  Filter()->click();
  EXPECT_TRUE(fs::exists(chosen));
}

TEST_F(MainWindowTest, PatternBrowseButtonAsksForAnExistingPicture) {
  Open();
  const std::string chosen = scratch.write("tiles/tile.gif", "GIF89a");
  AnswerNextDialog(chosen);
  Find<QToolButton>("btnBackground")->click();
  ASSERT_EQ(dialogRequests.size(), 1u);
  EXPECT_EQ(dialogRequests[0].kind, FileDialogRequest::Kind::Open);
  EXPECT_EQ(dialogRequests[0].title, "HTML Background Pattern");
  EXPECT_EQ(dialogRequests[0].filter, "Pattern (*.gif,*.jpg)|*.gif;*.jpg|All Files (*.*)|*.*");
  EXPECT_EQ(dialogRequests[0].defaultExt, "GIF");
  EXPECT_FALSE(dialogRequests[0].showReadOnly);
  EXPECT_EQ(Background()->currentText().toStdString(), chosen);
  EXPECT_EQ(Background()->findText(QString::fromStdString(chosen)), 0);
}

TEST_F(MainWindowTest, TheHintPanelShowsTheLongHintOfWhatThePointerIsOn) {
  Open();
  // Nothing pointed at yet.
  QCursor::setPos(window->mapToGlobal(QPoint(-50, -50)));
  EXPECT_TRUE(HintPanel() == "Ready" || HintPanel().startsWith("Pixdeck v1.2a"));
  QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
  QCoreApplication::sendEvent(Filter(), &enter);
  EXPECT_EQ(HintPanel(), "Make HTML document based on current settings");
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(Filter(), &leave);
  EXPECT_EQ(HintPanel(), "");
  QCoreApplication::sendEvent(Find<QComboBox>("cmbDrives"), &enter);
  EXPECT_EQ(HintPanel(), "Change drive");
  // No control shows a tooltip.
  for (QWidget* w : window->findChildren<QWidget*>()) {
    EXPECT_TRUE(w->toolTip().isEmpty()) << w->objectName().toStdString();
  }
}

TEST_F(MainWindowTest, PickingAColourPutsItsCodeIntoTheBoxHint) {
  Open();
  QComboBox* colors = Find<QComboBox>("lbxBackColor");
  ASSERT_TRUE(colors->isEnabled());
  const int white = colors->findText("White");
  ASSERT_NE(white, -1);
  colors->setCurrentIndex(white);
  emit colors->activated(white);
  EXPECT_EQ(colors->statusTip(), "Color code = #FFFFFF");
  EXPECT_EQ(window->ColorCodeOf("white"), "FFFFFF");
  EXPECT_EQ(window->ColorCodeOf(""), "");

  // The page gets that background.
  ChooseFolder(pics);
  Filter()->click();
  EXPECT_NE(ScratchDir::read(scratch.file("pics/images.htm")).find("BGCOLOR=#FFFFFF"),
            std::string::npos);
}

TEST_F(MainWindowTest, ViewStartsTheNamedBrowserWithThePagesAddress) {
  // A stand-in browser that writes down the address it was given.
  const std::string seen = scratch.file("seen.txt");
  const std::string browser =
      scratch.write("browser.sh", "#!/bin/sh\nprintf '%s' \"$1\" > '" + seen + "'\n");
  fs::permissions(browser, fs::perms::owner_all);
  Open();
  ChooseFolder(pics);
  CurrentOptions().browserName = browser;
  CurrentOptions().useRegSettings = false;
  ApplyBrowserOptions(browser, false);
  Filter()->click();
  Find<QPushButton>("btnView")->click();
  EXPECT_TRUE(boxes.empty()) << boxes.front().text;
  ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(seen) && fs::file_size(seen) > 0; }, 5000));
  EXPECT_EQ(ScratchDir::read(seen), "file://" + scratch.file("pics/images.htm"));
}

TEST_F(MainWindowTest, ViewOfAMissingPageSaysSo) {
  Open();
  ChooseFolder(pics);
  Find<QPushButton>("btnView")->click();
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes.back().text, "File \"" + scratch.file("pics/images.htm") + "\" not found!");
  EXPECT_EQ(boxes.back().kind, MessageKind::Error);
}

TEST_F(MainWindowTest, TheFiveBoxesShareOneMenuAndTheFolderControlsHaveNone) {
  Open();
  auto* menu = window->findChild<QMenu*>("qx_InputBoxMenu");
  ASSERT_NE(menu, nullptr);
  for (const char* name :
       {"cmbSpecs", "edtOutputName", "edtBackground", "lbxBackColor", "edtCount"}) {
    EXPECT_EQ(PopupMenuOf(Find<QWidget>(name)), menu) << name;
  }
  for (const char* name : {"lbxDirectory", "cmbDrives"}) {
    EXPECT_EQ(PopupMenuOf(Find<QWidget>(name)), nullptr) << name;
    EXPECT_EQ(Find<QWidget>(name)->contextMenuPolicy(), Qt::NoContextMenu) << name;
  }
  // Its ten entries, tagged 0 to 9.
  ASSERT_EQ(menu->actions().size(), 10);
  for (int tag = 0; tag < 10; ++tag) {
    EXPECT_EQ(menu->actions()[tag]->data().toInt(), tag);
  }
}

TEST_F(MainWindowTest, TheCaptionsLettersReachTheirControls) {
  Open();
  ChooseFolder(pics);
  QTest::keyClick(window.get(), Qt::Key_D, Qt::AltModifier);
  EXPECT_TRUE(Folders()->hasFocus());
  QTest::keyClick(window.get(), Qt::Key_C, Qt::AltModifier);
  EXPECT_TRUE(Find<QComboBox>("lbxBackColor")->hasFocus());
  QTest::keyClick(window.get(), Qt::Key_S, Qt::AltModifier);
  EXPECT_TRUE(Specs()->hasFocus());
  // A button's letter presses it briefly, then clicks.
  QTest::keyClick(window.get(), Qt::Key_F, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return Count()->text() == "3"; }, 2000));
  QTest::keyClick(window.get(), Qt::Key_X, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, 2000));
}

TEST_F(MainWindowTest, ExitClosesTheWindow) {
  Open();
  Find<QPushButton>("btnClose")->click();
  EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, LayoutFollowsTheDesign) {
  Open();
  EXPECT_EQ(window->windowTitle(), "Pixdeck - by the Pixdeck project");
  EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());  // fixed size
  EXPECT_EQ(Specs()->geometry().topLeft(), QPoint(16, 30));
  EXPECT_EQ(Filter()->geometry(), QRect(376, 184, 97, 25));
  EXPECT_EQ(Find<QLabel>("lblcmbSpecs")->buddy(), Specs());
  EXPECT_EQ(Find<QLabel>("lbledtCount")->text(), "Found...");
  EXPECT_EQ(Find<QPushButton>("btnClose")->text(), "E&xit");
  EXPECT_TRUE(Specs()->hasFocus());
  // The designed history of the specifications box.
  EXPECT_EQ(Specs()->count(), 3);
  EXPECT_EQ(Specs()->itemText(0), "*.gif;*.jpg");

  // Tab order as designed.
  const char* order[] = {"cmbSpecs",      "lbxDirectory", "cmbDrives", "edtOutputName",
                         "edtBackground", "lbxBackColor", "btnFilter", "btnView",
                         "btnOptions",    "btnAbout",     "btnClose",  "edtCount"};
  QWidget* w = Specs();
  for (std::size_t i = 1; i < std::size(order); ++i) {
    w = w->nextInFocusChain();
    while (w->focusPolicy() == Qt::NoFocus || w->focusProxy() || !w->isVisible() ||
           w->objectName().isEmpty() || w->objectName().startsWith("qt_")) {
      w = w->nextInFocusChain();
    }
    EXPECT_EQ(w->objectName().toStdString(), order[i]);
  }
}

}  // namespace
}  // namespace pixdeck::test
