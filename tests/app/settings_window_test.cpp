// The window's settings: what closing writes and what the next start reads.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <map>
#include <memory>
#include <sstream>

#include "app/frm_main.h"
#include "app/frm_options.h"
#include "app/widgets/directory_list_box.h"
#include "gui_fixture.h"

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
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
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
    for (int i = 0; i < box->count(); ++i)
      items << box->itemText(i);
    return items;
  }
  std::string settings;
  std::string pics;
};

TEST_F(SettingsWindowTest, ClosingWritesTheSevenOptionsAndTheThreeHistories) {
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
                          "PatternName", "BgColor", "DefaultDir"})
    EXPECT_TRUE(options.count(key)) << key;
  EXPECT_EQ(options.at("OutputName"), "images.htm");
  EXPECT_EQ(options.at("UrlBaseName"), "file:///");
  EXPECT_EQ(options.at("DefaultDir"), pics);
  for (const char* section : {"Specs", "OutputNames", "Patterns"})
    ASSERT_TRUE(ini.count(section)) << section;
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

TEST_F(SettingsWindowTest, AnEmptySavedOutputNameStartsWithFilterDisabled) {
  scratch.write("pixdeck.INI", "[Options]\r\nOutputName=\r\nDefaultDir=" + pics + "\r\n");
  auto window = Start();
  EXPECT_EQ(Find<QComboBox>(window.get(), "edtOutputName")->currentText(), "");
  EXPECT_FALSE(Find<QPushButton>(window.get(), "btnFilter")->isEnabled());
  // The first change of the inputs enables it.
  QTest::keyClicks(Find<QComboBox>(window.get(), "cmbSpecs")->lineEdit(), ";");
  EXPECT_TRUE(Find<QPushButton>(window.get(), "btnFilter")->isEnabled());
}

}  // namespace
}  // namespace pixdeck::test
