// The windows as their form descriptions make them: every designed property
// of the boxes, buttons and panels read back from the loaded window, and the
// behaviours those properties give the main window's boxes.
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <memory>
#include <string>

#include "app/frm_main.h"
#include "app/frm_options.h"
#include "app/widgets/directory_list_box.h"
#include "gui_fixture.h"
#include "inputs/input_box_master.h"
#include "inputs/input_box_menu.h"
#include "inputs/lbl_combo_box.h"
#include "inputs/lbl_edit.h"
#include "settings/ini_text.h"

namespace pixdeck::test {
namespace {

namespace fs = std::filesystem;

// The list behaviour of one combo box as its window designs it.
struct ComboDesign {
  const char* name;
  bool addNewToStart;
  bool addNewToList;
  bool allowNull;
  bool limitToList;
  bool undoWhenEsc;
};

// The boxes, buttons and frames of the main window: place, size (0: any),
// text and the long hint.
struct ControlDesign {
  const char* name;
  QRect geometry;
  const char* text;
  const char* hint;
};

class WindowFormTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    settings = scratch.file("pixdeck.INI");
    pics = scratch.file("pics");
    scratch.write("pics/a.gif", "GIF89a");
  }
  void TearDown() override {
    window.reset();
    GuiTest::TearDown();
  }
  void Open() {
    window = std::make_unique<TfrmMain>(nullptr, settings);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  template <typename T>
  static T* Find(QWidget* parent, const char* name) {
    T* found = parent->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  template <typename T>
  T* Find(const char* name) {
    return Find<T>(window.get(), name);
  }
  static QStringList Items(QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) {
      items << box->itemText(i);
    }
    return items;
  }
  static void CheckCombo(QWidget* parent, const ComboDesign& design) {
    SCOPED_TRACE(design.name);
    auto* box = Find<TLblComboBox>(parent, design.name);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->AddNewToStart(), design.addNewToStart);
    EXPECT_EQ(box->AddNewToList(), design.addNewToList);
    EXPECT_EQ(box->AllowNull(), design.allowNull);
    EXPECT_EQ(box->LimitToList(), design.limitToList);
    EXPECT_EQ(box->UndoWhenEsc(), design.undoWhenEsc);
    // The same in every box of the program.
    EXPECT_FALSE(box->CaseSensitive());
    EXPECT_FALSE(box->DestroyObjects());
    EXPECT_FALSE(box->OverwriteMode());
    EXPECT_FALSE(box->ReadOnly());
    EXPECT_FALSE(box->Sorted());
    EXPECT_TRUE(box->AutoExpand());
    EXPECT_TRUE(box->AutoPickItem());
    EXPECT_TRUE(box->DispatchInsMode());
    EXPECT_TRUE(box->isEditable());
    // Captions above their boxes.
    EXPECT_EQ(box->LabelPos(), lpTop);
    EXPECT_EQ(box->LabelRelTop(), -15);
    EXPECT_EQ(box->LabelMargin(), 2);
    ASSERT_NE(box->LabelComponent(), nullptr);
    EXPECT_EQ(box->LabelComponent()->buddy(), box);
    EXPECT_EQ(box->LabelComponent()->geometry().bottom() + 1 + 2, box->geometry().top())
        << "the caption sits its margin above the box";
  }

  std::string settings;
  std::string pics;
  std::unique_ptr<TfrmMain> window;
};

TEST_F(WindowFormTest, TheMainWindowsBoxesHaveTheirDesignedListBehaviour) {
  Open();
  for (const ComboDesign& design : {
           ComboDesign{"cmbSpecs", true, true, false, false, true},
           ComboDesign{"edtOutputName", true, true, true, false, true},
           ComboDesign{"edtBackground", true, true, true, false, true},
           ComboDesign{"lbxBackColor", false, false, true, true, true},
       }) {
    CheckCombo(window.get(), design);
  }

  auto* specs = Find<TLblComboBox>("cmbSpecs");
  EXPECT_EQ(Items(specs), (QStringList{"*.gif;*.jpg", "*.gif", "*.jpg"}));
  EXPECT_EQ(specs->currentText(), "*.gif;*.jpg");
  EXPECT_EQ(specs->maxVisibleItems(), 4);
  EXPECT_EQ(Find<QComboBox>("edtOutputName")->currentText(), "images.htm");
  EXPECT_EQ(Find<QComboBox>("edtBackground")->currentText(), "");
  EXPECT_EQ(Find<QComboBox>("lbxBackColor")->currentText(), "");
  EXPECT_GT(Find<QComboBox>("lbxBackColor")->count(), 0) << "filled from the colour table";

  // The count: a plain edit whose caption has no colon and which Escape
  // leaves alone, on the button colour.
  auto* count = Find<TLblEdit>("edtCount");
  ASSERT_NE(count, nullptr);
  EXPECT_EQ(count->text(), "0");
  EXPECT_FALSE(count->LabelColon());
  EXPECT_FALSE(count->UndoWhenEsc());
  EXPECT_FALSE(count->OverwriteMode());
  EXPECT_EQ(count->LabelPos(), lpTop);
  ASSERT_NE(count->LabelComponent(), nullptr);
  EXPECT_EQ(count->LabelComponent()->text(), "Found...");
  EXPECT_EQ(count->palette().color(QPalette::Base), count->palette().color(QPalette::Button));
}

TEST_F(WindowFormTest, TheMainWindowsControlsSitWhereDesignedWithTheirTextsAndHints) {
  Open();
  const ControlDesign controls[] = {
      {"cmbSpecs", {16, 30, 217, 0}, "*.gif;*.jpg", "Type of file(s) to display in HTML document"},
      {"lbxDirectory", {16, 80, 217, 129}, "", "Select directory with image files"},
      {"cmbDrives", {16, 222, 217, 0}, "", "Change drive"},
      {"edtOutputName",
       {256, 30, 185, 0},
       "images.htm",
       "Name of HTML document produced by filter action"},
      {"edtBackground", {256, 80, 185, 0}, "", "Background pattern name"},
      {"lbxBackColor", {256, 128, 185, 0}, "", "Color used for HTML background"},
      {"btnFilter", {376, 184, 97, 25}, "&Filter", "Make HTML document based on current settings"},
      {"btnView", {376, 216, 97, 25}, "&View", "View HTML file in web browser"},
      {"btnOptions",
       {16, 264, 97, 25},
       "&Options",
       "Set program options such as browser name, default settings, etc."},
      {"btnAbout", {120, 264, 97, 25}, "&About", "Information about this program"},
      {"btnClose", {376, 264, 97, 25}, "E&xit", "Close application"},
      {"edtCount", {256, 184, 89, 0}, "0", "Number of items found during filter operation"},
      {"btnOutputName", {448, 29, 25, 25}, "", "Select output name"},
      {"btnBackground", {448, 79, 25, 25}, "", "Select background pattern"},
      {"Bevel1", {8, 8, 473, 241}, "", ""},
      {"Bevel2", {8, 256, 473, 41}, "", ""},
  };
  for (const ControlDesign& design : controls) {
    SCOPED_TRACE(design.name);
    QWidget* w = Find<QWidget>(design.name);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->geometry().topLeft(), design.geometry.topLeft());
    EXPECT_EQ(w->width(), design.geometry.width());
    if (design.geometry.height() > 0) {
      EXPECT_EQ(w->height(), design.geometry.height());
    }
    EXPECT_EQ(w->statusTip(), QString::fromUtf8(design.hint));
    EXPECT_TRUE(w->toolTip().isEmpty());
    QString text;
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
      text = button->text();
    } else if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->isEditable()) {
      text = combo->currentText();
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
      text = edit->text();
    }
    EXPECT_EQ(text, QString::fromUtf8(design.text));
  }

  // The captions and what their letters reach.
  const std::pair<const char*, const char*> captions[] = {
      {"lblcmbSpecs", "Files to &Show:"},         {"lblDirectory", "&Directory to Filter:"},
      {"lbledtOutputName", "HTML &Output Name:"}, {"lbledtBackground", "&Background Pattern:"},
      {"lbllbxBackColor", "Background &Color:"},  {"lbledtCount", "Found..."},
  };
  for (const auto& [name, text] : captions) {
    EXPECT_EQ(Find<QLabel>(name)->text(), QString::fromUtf8(text)) << name;
  }
  EXPECT_EQ(Find<QLabel>("lblDirectory")->buddy(), Find<QWidget>("lbxDirectory"));

  // Only Filter is the default button.
  for (const char* name : {"btnFilter", "btnView", "btnOptions", "btnAbout", "btnClose"}) {
    EXPECT_EQ(Find<QPushButton>(name)->isDefault(), std::string(name) == "btnFilter") << name;
  }

  // The hint panel: along the bottom, 20 high, caption on the left, lowered.
  auto* panel = Find<QLabel>("pnlHint");
  EXPECT_EQ(panel->geometry(), QRect(0, window->height() - 20, window->width(), 20));
  EXPECT_TRUE(panel->alignment().testFlag(Qt::AlignLeft));
  EXPECT_EQ(panel->frameShadow(), QFrame::Sunken);
  EXPECT_EQ(panel->indent(), 4);

  // The window: fixed size, no maximize box, the designed font.
  EXPECT_EQ(window->size(), QSize(486, 324));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_EQ(window->font().family(), "MS Sans Serif");
  EXPECT_EQ(window->font().pointSize(), 8);
  EXPECT_TRUE(window->statusTip().startsWith("Pixdeck v1.2a - "));

  // The master: insert mode to start with, the shared menu on right clicks.
  auto* master = window->findChild<TInputBoxMaster*>("InputBoxMaster1");
  ASSERT_NE(master, nullptr);
  EXPECT_FALSE(master->OverwriteMode());
  EXPECT_TRUE(master->UseContextMenu());
  EXPECT_EQ(master->InputBoxMenu(), window->findChild<QMenu*>("qx_InputBoxMenu"));
}

TEST_F(WindowFormTest, TheOptionsDialogsColourBoxHasItsDesignedListBehaviour) {
  Open();
  TfrmOptions options(*window);
  CheckCombo(&options, {"lbxBackColor", false, false, true, true, true});
  EXPECT_EQ(Items(Find<QComboBox>(&options, "lbxBackColor")),
            Items(Find<QComboBox>("lbxBackColor")));
}

TEST_F(WindowFormTest, ANewSpecificationGoesToTheTopOfTheHistory) {
  Open();
  Find<DirectoryListBox>("lbxDirectory")->SetDirectory(QString::fromStdString(pics));
  auto* specs = Find<QComboBox>("cmbSpecs");
  specs->setFocus();
  specs->lineEdit()->selectAll();
  QTest::keyClicks(specs, "a.*");
  ASSERT_EQ(specs->currentText().toStdString(), "a.*") << "the keys reached the box";
  // The first Enter takes the text into the history, the next one filters.
  QTest::keyClick(specs, Qt::Key_Return);
  EXPECT_EQ(Items(specs), (QStringList{"a.*", "*.gif;*.jpg", "*.gif", "*.jpg"}));
  QTest::keyClick(specs, Qt::Key_Return);
  EXPECT_EQ(Find<QLineEdit>("edtCount")->text().toStdString(), "1");

  // Running an older one again moves it up.
  specs->lineEdit()->selectAll();
  QTest::keyClicks(specs, "*.jpg");
  ASSERT_EQ(specs->currentText().toStdString(), "*.jpg");
  QTest::keyClick(specs, Qt::Key_Return);
  EXPECT_EQ(Items(specs).first().toStdString(), "*.jpg");
  EXPECT_EQ(specs->count(), 4);

  window->close();
  const IniText ini(ScratchDir::read(settings));
  EXPECT_EQ(ini.Find("Specs", "Item_1").value_or(""), "*.jpg");
  EXPECT_EQ(ini.Find("Specs", "ItemCount").value_or(""), "4");
}

TEST_F(WindowFormTest, EditingTheSpecificationsOrTheOutputNameResetsTheCountThePatternDoesNot) {
  Open();
  Find<DirectoryListBox>("lbxDirectory")->SetDirectory(QString::fromStdString(pics));
  auto* count = Find<QLineEdit>("edtCount");
  const auto typeInto = [](QComboBox* box, const char* text) {
    box->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClicks(box, text);
    EXPECT_TRUE(box->currentText().startsWith(text)) << "the keys arrived";
  };
  for (const char* name : {"cmbSpecs", "edtOutputName"}) {
    Find<QPushButton>("btnFilter")->click();
    ASSERT_EQ(count->text().toStdString(), "1");
    typeInto(Find<QComboBox>(name), name[0] == 'c' ? "*.gif" : "other.htm");
    EXPECT_EQ(count->text().toStdString(), "0") << name;
  }
  Find<QPushButton>("btnFilter")->click();
  ASSERT_EQ(count->text().toStdString(), "1");
  typeInto(Find<QComboBox>("edtBackground"), "tile.gif");
  EXPECT_EQ(count->text().toStdString(), "1");
}

TEST_F(WindowFormTest, AnUnknownColourNameReachesNeitherThePageNorTheSettings) {
  Open();
  Find<DirectoryListBox>("lbxDirectory")->SetDirectory(QString::fromStdString(pics));
  auto* colors = Find<QComboBox>("lbxBackColor");
  const int before = colors->count();
  colors->setFocus();
  colors->lineEdit()->selectAll();
  QTest::keyClicks(colors, "Mauvish");
  ASSERT_EQ(colors->currentText().toStdString(), "Mauvish") << "the keys reached the box";
  // Leaving the box refuses the name: the box goes back to its last value.
  Find<QPushButton>("btnFilter")->setFocus();
  EXPECT_EQ(colors->currentText(), "");
  EXPECT_EQ(colors->count(), before);
  EXPECT_EQ(colors->findText("Mauvish"), -1);

  // So does Enter in the box.
  colors->setFocus();
  QTest::keyClicks(colors, "Mauvish");
  ASSERT_EQ(colors->currentText().toStdString(), "Mauvish");
  QTest::keyClick(colors, Qt::Key_Return);
  EXPECT_EQ(colors->currentText(), "");

  Find<QPushButton>("btnFilter")->click();
  const std::string page = ScratchDir::read(scratch.file("pics/images.htm"));
  ASSERT_NE(page.find("a.gif"), std::string::npos);
  EXPECT_EQ(page.find("Mauvish"), std::string::npos);
  EXPECT_EQ(page.find("BGCOLOR"), std::string::npos);
  window->close();
  const IniText ini(ScratchDir::read(settings));
  EXPECT_EQ(ini.Find("Options", "BgColor").value_or(""), "");
}

}  // namespace
}  // namespace pixdeck::test
