// The window's settings: what closing writes and what the next start reads.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <filesystem>
#include <map>
#include <memory>
#include <sstream>

#include "app/frm_main.h"
#include "app/frm_options.h"
#include "app/widgets/directory_list_box.h"
#include "browser/browser_detection.h"
#include "gui_fixture.h"
#include "settings/program_options.h"
#include "settings/program_settings.h"

namespace pixdeck::test {
namespace {

using Ini = std::map<std::string, std::map<std::string, std::string>>;

// Sections and keys as a reader of the file sees them (names compared as
// written: the program writes them in one spelling).
Ini ReadIni(const std::string& text) {
  Ini ini;
  std::istringstream in(text);
  std::string line, section;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (line.size() > 1 && line.front() == '[' && line.back() == ']') {
      section = line.substr(1, line.size() - 2);
      ini[section];
    } else if (const auto eq = line.find('='); eq != std::string::npos) {
      ini[section][line.substr(0, eq)] = line.substr(eq + 1);
    }
  }
  return ini;
}

class SettingsWindowTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    settings = scratch.file("pixdeck.INI");
    pics = scratch.file("pics");
    scratch.write("pics/a.gif", "GIF89a");
  }
  std::unique_ptr<TfrmMain> Start() {
    auto window = std::make_unique<TfrmMain>(nullptr, settings);
    window->show();
    return window;
  }
  template <typename T>
  static T* Find(QWidget* window, const char* name) {
    return window->findChild<T*>(QString::fromLatin1(name));
  }
  static QStringList Items(QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) {
      items << box->itemText(i);
    }
    return items;
  }
  std::string settings;
  std::string pics;
};

TEST_F(SettingsWindowTest, ClosingWritesTheOptionsAndTheThreeHistories) {
  {
    auto window = Start();
    Find<DirectoryListBox>(window.get(), "lbxDirectory")
        ->SetDirectory(QString::fromStdString(pics));
    window->close();
  }
  ASSERT_TRUE(boxes.empty()) << boxes.front().text;
  const Ini ini = ReadIni(ScratchDir::read(settings));
  ASSERT_TRUE(ini.count("Options"));
  const auto& options = ini.at("Options");
  for (const char* key : {"BrowserName", "UseRegSettings", "OutputName", "UrlBaseName",
                          "PatternName", "BgColor", "DefaultDir", "LightPages"}) {
    EXPECT_TRUE(options.count(key)) << key;
  }
  EXPECT_EQ(options.at("LightPages"), "0");
  EXPECT_EQ(options.at("OutputName"), "images.htm");
  EXPECT_EQ(options.at("UrlBaseName"), "file:///");
  EXPECT_EQ(options.at("DefaultDir"), pics);
  for (const char* section : {"Specs", "OutputNames", "Patterns"}) {
    ASSERT_TRUE(ini.count(section)) << section;
  }
  // The designed history of the specifications box.
  EXPECT_EQ(ini.at("Specs").at("ItemCount"), "3");
  EXPECT_EQ(ini.at("Specs").at("Item_1"), "*.gif;*.jpg");
  EXPECT_EQ(ini.at("Specs").at("Item_3"), "*.jpg");
}

TEST_F(SettingsWindowTest, TheNextStartBringsBackFolderHistoriesAndOptions) {
  const std::string album = scratch.file("web/album.htm");
  {
    auto window = Start();
    Find<DirectoryListBox>(window.get(), "lbxDirectory")
        ->SetDirectory(QString::fromStdString(pics));
    // A page name chosen by browsing enters its history at once.
    AnswerNextDialog(album);
    Find<QToolButton>(window.get(), "btnOutputName")->click();
    // A pattern default saved through the Options dialog.
    TfrmOptions options(*window);
    auto* pattern = Find<QLineEdit>(&options, "edtPattern");
    pattern->selectAll();
    QTest::keyClicks(pattern, "tile.gif");
    auto* base = Find<QLineEdit>(&options, "edtBase");
    base->selectAll();
    QTest::keyClicks(base, "http://example.net/");
    Find<QPushButton>(&options, "btnSave")->click();
    window->close();
  }
  auto window = Start();
  EXPECT_EQ(Find<DirectoryListBox>(window.get(), "lbxDirectory")->Directory().toStdString(), pics);
  auto* output = Find<QComboBox>(window.get(), "edtOutputName");
  EXPECT_TRUE(Items(output).contains(QString::fromStdString(album)));
  EXPECT_EQ(Find<QComboBox>(window.get(), "edtBackground")->currentText(), "tile.gif");
  TfrmOptions options(*window);
  EXPECT_EQ(Find<QLineEdit>(&options, "edtBase")->text(), "http://example.net/");
  EXPECT_EQ(Find<QLineEdit>(&options, "edtPattern")->text(), "tile.gif");
}

TEST_F(SettingsWindowTest, AHistoryOfFourteenIsSavedAsItsFirstTen) {
  {
    auto window = Start();
    auto* specs = Find<QComboBox>(window.get(), "cmbSpecs");
    for (int i = 1; i <= 14; ++i) {
      AnswerNextDialog(scratch.file("p" + std::to_string(i) + ".gif"));
      Find<QToolButton>(window.get(), "btnBackground")->click();
    }
    EXPECT_EQ(specs->count(), 3);
    window->close();
  }
  const Ini ini = ReadIni(ScratchDir::read(settings));
  EXPECT_EQ(ini.at("Patterns").at("ItemCount"), "10");
  EXPECT_EQ(ini.at("Patterns").at("Item_1"), scratch.file("p14.gif"));
  EXPECT_FALSE(ini.at("Patterns").count("Item_11"));
}

// Another window on the same file saves while this one is open: closing this
// one keeps what the other wrote and adds what this one changed.
TEST_F(SettingsWindowTest, ClosingKeepsWhatAnotherWindowSavedMeanwhile) {
  scratch.write("pixdeck.INI", "[Options]\nBgColor=\n[Specs]\nItemCount=1\nItem_1=*.gif\n");
  {
    auto window = Start();
    {
      const auto other = OpenSettingsStore(settings);
      ProgramOptions options;
      WindowSettings shown;
      SettingsBaseline baseline;
      LoadProgramSettings(*other, options, shown, nullptr, &baseline);
      options.bgColor = "Navy";
      shown.specs.insert(shown.specs.begin(), "*.png");
      ASSERT_TRUE(SaveProgramSettings(*other, options, shown, &baseline));
    }
    AnswerNextDialog(scratch.file("tile.gif"));
    Find<QToolButton>(window.get(), "btnBackground")->click();
    window->close();
  }
  ASSERT_TRUE(boxes.empty()) << boxes.front().text;
  const Ini ini = ReadIni(ScratchDir::read(settings));
  EXPECT_EQ(ini.at("Options").at("BgColor"), "Navy");
  EXPECT_EQ(ini.at("Specs").at("ItemCount"), "2");
  EXPECT_EQ(ini.at("Specs").at("Item_1"), "*.png");
  EXPECT_EQ(ini.at("Specs").at("Item_2"), "*.gif");
  EXPECT_EQ(ini.at("Patterns").at("Item_1"), scratch.file("tile.gif"));
}

TEST_F(SettingsWindowTest, AnEmptySavedOutputNameStartsWithFilterDisabled) {
  scratch.write("pixdeck.INI",
                "[Options]\r\nBrowserName=/bin/true\r\nOutputName=\r\nDefaultDir=" + pics + "\r\n");
  auto window = Start();
  EXPECT_EQ(Find<QComboBox>(window.get(), "edtOutputName")->currentText(), "");
  EXPECT_FALSE(Find<QPushButton>(window.get(), "btnFilter")->isEnabled());
  // With a browser named in the options, View waits as well.
  EXPECT_FALSE(Find<QPushButton>(window.get(), "btnView")->isEnabled());
  EXPECT_EQ(CurrentOptions().browserName, "/bin/true");
  EXPECT_FALSE(CurrentOptions().useRegSettings);
  // The first change of the inputs enables it.
  QTest::keyClicks(Find<QComboBox>(window.get(), "cmbSpecs")->lineEdit(), ";");
  EXPECT_TRUE(Find<QPushButton>(window.get(), "btnFilter")->isEnabled());
  EXPECT_TRUE(Find<QPushButton>(window.get(), "btnView")->isEnabled());
}

// A window whose settings live in a folder that disappears during the run,
// so they cannot be written when it closes, after one Filter with an empty
// page name has made a temporary page.
class FailingCloseTest : public SettingsWindowTest {
 protected:
  std::unique_ptr<TfrmMain> StartAndBreakTheSettings() {
    settings = scratch.file("gone/pixdeck.INI");
    scratch.write("gone/placeholder", "");
    auto window = Start();
    Find<DirectoryListBox>(window.get(), "lbxDirectory")
        ->SetDirectory(QString::fromStdString(pics));
    auto* output = Find<QComboBox>(window.get(), "edtOutputName");
    output->setFocus();
    output->lineEdit()->selectAll();
    QTest::keyClick(output->lineEdit(), Qt::Key_Delete);
    EXPECT_EQ(output->currentText(), "");
    Find<QPushButton>(window.get(), "btnFilter")->click();
    temp = output->currentText().toStdString();
    EXPECT_TRUE(std::filesystem::exists(temp));
    std::filesystem::remove_all(scratch.file("gone"));
    return window;
  }
  void ExpectOneCloseFailureShown() {
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.rfind("Error: ", 0), 0u) << boxes[0].text;
    EXPECT_GT(boxes[0].text.size(), std::string("Error: ").size());
    EXPECT_EQ(boxes[0].kind, MessageKind::Information);
  }
  std::string temp;
};

TEST_F(FailingCloseTest, AFailureWhileClosingIsReportedAndTheTemporaryPagesStillGo) {
  auto window = StartAndBreakTheSettings();
  ASSERT_TRUE(std::filesystem::exists(temp));
  EXPECT_TRUE(window->close());
  ExpectOneCloseFailureShown();
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(std::filesystem::exists(temp));
  // Destroying the closed window neither repeats the close step nor shows it.
  window.reset();
  EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(FailingCloseTest, DestroyingTheOpenWindowCleansUpButShowsNothing) {
  auto window = StartAndBreakTheSettings();
  ASSERT_TRUE(std::filesystem::exists(temp));
  window.reset();
  EXPECT_TRUE(boxes.empty()) << boxes.front().text;
  EXPECT_FALSE(std::filesystem::exists(temp));
}

TEST_F(FailingCloseTest, AnApplicationEndingWithTheWindowOpenClosesItAndReports) {
  auto window = StartAndBreakTheSettings();
  ASSERT_TRUE(std::filesystem::exists(temp));
  bool openAtQuit = false;
  // exit() ends the event loop without closing the windows (quit() closes
  // them first).
  QTimer::singleShot(0, [&] {
    openAtQuit = window->isVisible();
    QCoreApplication::exit(0);
  });
  QCoreApplication::exec();
  EXPECT_TRUE(openAtQuit);
  ExpectOneCloseFailureShown();
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(std::filesystem::exists(temp));
  window.reset();
  EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(SettingsWindowTest, OptionsSavedWithTheBrowserClearedMakeTheNextViewDetectAgain) {
  CurrentOptions().browserName = "/opt/browser/run";
  CurrentOptions().useRegSettings = false;
  auto window = Start();
  SetBrowserPath("/opt/browser/run");
  SetUseDde(false);
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<TfrmOptions*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    auto* browser = Find<QLineEdit>(dialog, "edtBrowser");
    EXPECT_EQ(browser->text(), "/opt/browser/run");
    browser->selectAll();
    QTest::keyClick(browser, Qt::Key_Delete);
    Find<QPushButton>(dialog, "btnSave")->click();
  });
  Find<QPushButton>(window.get(), "btnOptions")->click();
  EXPECT_EQ(CurrentOptions().browserName, "");
  EXPECT_TRUE(CurrentOptions().useRegSettings);
  EXPECT_EQ(BrowserPath(), "");
  EXPECT_TRUE(UseDde());
  const Ini ini = ReadIni(ScratchDir::read(settings));
  EXPECT_EQ(ini.at("Options").at("BrowserName"), "");
  EXPECT_EQ(ini.at("Options").at("UseRegSettings"), "1");
}

TEST_F(SettingsWindowTest, CancelledOptionsLeaveTheBrowserAndTheFileAlone) {
  CurrentOptions().browserName = "/opt/browser/run";
  CurrentOptions().useRegSettings = false;
  auto window = Start();
  SetBrowserPath("/opt/browser/run");
  SetUseDde(false);
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<TfrmOptions*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    auto* browser = Find<QLineEdit>(dialog, "edtBrowser");
    browser->selectAll();
    QTest::keyClick(browser, Qt::Key_Delete);
    Find<QPushButton>(dialog, "btnCancel")->click();
  });
  Find<QPushButton>(window.get(), "btnOptions")->click();
  EXPECT_EQ(CurrentOptions().browserName, "/opt/browser/run");
  EXPECT_EQ(BrowserPath(), "/opt/browser/run");
  EXPECT_FALSE(UseDde());
  EXPECT_FALSE(std::filesystem::exists(settings));
}

TEST_F(SettingsWindowTest, HintsOfTheOptionsDialogShowInTheMainWindow) {
  auto window = Start();
  TfrmOptions dialog(*window);
  QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
  QCoreApplication::sendEvent(Find<QLineEdit>(&dialog, "edtBase"), &enter);
  EXPECT_EQ(Find<QLabel>(window.get(), "pnlHint")->text().toStdString(),
            "URL base location (e.g. https://www.example.org/pictures/)");
}

TEST_F(SettingsWindowTest, OldCodePageBytesInTheHistoriesSurviveAStartAndAClose) {
  // Names saved by an older Windows program in Windows-1252: not UTF-8.
  const std::string specs = "[Specs]\r\nItemCount=2\r\nItem_1=Caf\xE9*.gif\r\nItem_2=*.jpg\r\n";
  const std::string names =
      "[OutputNames]\r\nItemCount=2\r\nItem_1=\x93quoted\x94.htm\r\nItem_2=caf\xC3\xA9.htm\r\n";
  scratch.write("pixdeck.INI", specs + names);
  {
    auto window = Start();
    auto* output = Find<QComboBox>(window.get(), "edtOutputName");
    EXPECT_TRUE(Items(output).contains(QString::fromUtf8("caf\xC3\xA9.htm")));
    window->close();
  }
  ASSERT_TRUE(boxes.empty()) << boxes.front().text;
  const Ini ini = ReadIni(ScratchDir::read(settings));
  EXPECT_EQ(ini.at("Specs").at("Item_1"), "Caf\xE9*.gif");
  EXPECT_EQ(ini.at("Specs").at("Item_2"), "*.jpg");
  // The page name box adds the default page name in front of its history.
  EXPECT_EQ(ini.at("OutputNames").at("ItemCount"), "3");
  EXPECT_EQ(ini.at("OutputNames").at("Item_1"), "images.htm");
  EXPECT_EQ(ini.at("OutputNames").at("Item_2"), "\x93quoted\x94.htm");
  EXPECT_EQ(ini.at("OutputNames").at("Item_3"), "caf\xC3\xA9.htm");
}

TEST_F(SettingsWindowTest, AFailedSaveInTheOptionsIsReportedAndTheDialogClosesWithOk) {
  settings = scratch.file("gone/pixdeck.INI");
  scratch.write("gone/placeholder", "");
  CurrentOptions().browserName = "/opt/browser/run";
  CurrentOptions().useRegSettings = false;
  auto window = Start();
  SetBrowserPath("/opt/browser/run");
  SetUseDde(false);
  std::filesystem::remove_all(scratch.file("gone"));
  bool dialogShown = false;
  bool stayedOpen = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<TfrmOptions*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialogShown = true;
    auto* browser = Find<QLineEdit>(dialog, "edtBrowser");
    browser->selectAll();
    QTest::keyClick(browser, Qt::Key_Delete);
    Find<QPushButton>(dialog, "btnSave")->click();
    // Closing with OK hides the dialog at once; one left open is cancelled
    // here so that the test ends.
    stayedOpen = dialog->isVisible();
    if (stayedOpen) {
      dialog->reject();
    }
  });
  Find<QPushButton>(window.get(), "btnOptions")->click();
  ASSERT_TRUE(dialogShown);
  EXPECT_FALSE(stayedOpen);
  // The report came, and the dialog was closed with OK: the browser choice
  // was handed on as after a good save.
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Unable to write to " + settings + ": No such file or directory");
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(CurrentOptions().browserName, "");
  EXPECT_EQ(BrowserPath(), "");
  EXPECT_TRUE(UseDde());
}

TEST_F(SettingsWindowTest, AFolderInTheSettingsFilesPlaceIsToldOnceAndLeftAlone) {
  std::filesystem::create_directories(settings);
  {
    auto window = Start();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Cannot read the settings file " + settings + ": it is a folder");
    EXPECT_EQ(boxes[0].kind, MessageKind::Error);
    EXPECT_EQ(Find<QComboBox>(window.get(), "edtOutputName")->currentText(), "images.htm");
    window->close();
  }
  EXPECT_EQ(boxes.size(), 1u);  // closing says nothing more
  EXPECT_TRUE(std::filesystem::is_directory(settings));
  EXPECT_TRUE(std::filesystem::is_empty(settings));
}

}  // namespace
}  // namespace pixdeck::test
