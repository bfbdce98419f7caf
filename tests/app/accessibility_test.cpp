// What assistive technology reads from the three windows: each control's
// name and description through its accessibility interface, as a screen
// reader takes them, and the folder list's items with their level.
#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>
#include <string>

#include "app/accessible_names.h"
#include "app/frm_about.h"
#include "app/frm_main.h"
#include "app/frm_options.h"
#include "app/widgets/directory_list_box.h"
#include "gui_fixture.h"

namespace pixdeck::test {
namespace {

struct Expected {
  const char* control;
  const char* name;
  const char* description;
};

QString Read(QWidget* widget, QAccessible::Text what) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
  return iface == nullptr ? QStringLiteral("<no interface>") : iface->text(what);
}

void ExpectRead(QWidget& window, const Expected& expected) {
  SCOPED_TRACE(expected.control);
  auto* control = window.findChild<QWidget*>(QString::fromLatin1(expected.control));
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(Read(control, QAccessible::Name).toStdString(), expected.name);
  EXPECT_EQ(Read(control, QAccessible::Description).toStdString(), expected.description);
}

// Every control with a hint, whatever its kind, is named and described by it.
void ExpectEveryHintedControlNamed(QWidget& window) {
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    if (widget->statusTip().isEmpty() || qobject_cast<QLabel*>(widget) != nullptr ||
        !widget->focusPolicy()) {
      continue;
    }
    SCOPED_TRACE(widget->objectName().toStdString());
    EXPECT_FALSE(Read(widget, QAccessible::Name).isEmpty());
    EXPECT_EQ(Read(widget, QAccessible::Description), widget->statusTip());
  }
}

class AccessibilityTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    scratch.write("pics/deeper/a.gif", "GIF89a");
    scratch.write("pics/deeper/sub one/b.gif", "GIF89a");
    scratch.write("pics/deeper/sub two/c.gif", "GIF89a");
    main = std::make_unique<TfrmMain>(nullptr, scratch.file("pixdeck.INI"));
  }
  void TearDown() override {
    main.reset();
    GuiTest::TearDown();
  }
  std::unique_ptr<TfrmMain> main;
};

TEST_F(AccessibilityTest, TheMainWindowsControlsHaveTheirCaptionsAsNamesAndHintsAsDescriptions) {
  const Expected controls[] = {
      {"cmbSpecs", "Files to Show", "Type of file(s) to display in HTML document"},
      {"lbxDirectory", "Directory to Filter", "Select directory with image files"},
      {"cmbDrives", "Drive of the directory to filter", "Change drive"},
      {"edtOutputName", "HTML Output Name", "Name of HTML document produced by filter action"},
      {"edtBackground", "Background Pattern", "Background pattern name"},
      {"lbxBackColor", "Background Color", "Color used for HTML background"},
      {"btnFilter", "Filter", "Make HTML document based on current settings"},
      {"btnView", "View", "View HTML file in web browser"},
      {"btnOptions", "Options", "Set program options such as browser name, default settings, etc."},
      {"btnAbout", "About", "Information about this program"},
      {"btnClose", "Exit", "Close application"},
      {"edtCount", "Found", "Number of items found during filter operation"},
      {"btnOutputName", "Browse for the HTML output name", "Select output name"},
      {"btnBackground", "Browse for the background pattern", "Select background pattern"},
  };
  for (const Expected& expected : controls) {
    ExpectRead(*main, expected);
  }
  ExpectEveryHintedControlNamed(*main);
  // The name stays when the box's text changes: it is not read as its value.
  auto* specs = main->findChild<QComboBox*>("cmbSpecs");
  specs->setEditText("*.png");
  EXPECT_EQ(Read(specs, QAccessible::Name), "Files to Show");
  EXPECT_EQ(Read(specs, QAccessible::Value), "*.png");
}

TEST_F(AccessibilityTest, TheOptionsDialogsControlsAreNamedAndDescribed) {
  TfrmOptions dialog(*main);
  const Expected controls[] = {
      {"edtBrowser", "Web Browser Name",
       "HTML browser path and filename (leave blank to use registry settings)"},
      {"edtDefOutName", "Default Output Name",
       "Default name of HTML document produced by filter action"},
      {"edtPattern", "Default Background Pattern", "Default background pattern name"},
      {"lbxBackColor", "Default Background Color", "Default color used for HTML background"},
      {"edtBase", "URL Base", nullptr},
      {"btnSave", "Save", "Save current settings and close dialog box"},
      {"btnCancel", "Cancel", "Cancel changes to settings and close dialog box"},
      {"btnBrowserName", "Browse for the web browser", "Select browser name"},
      {"btnOutputName", "Browse for the default output name", "Select output name"},
      {"btnBackground", "Browse for the default background pattern", "Select background pattern"},
  };
  for (const Expected& expected : controls) {
    if (expected.description == nullptr) {
      // The example address is the implementer's: only its start is fixed.
      auto* base = dialog.findChild<QWidget*>("edtBase");
      EXPECT_EQ(Read(base, QAccessible::Name), "URL Base");
      EXPECT_TRUE(Read(base, QAccessible::Description).startsWith("URL base location (e.g. "));
      continue;
    }
    ExpectRead(dialog, expected);
  }
  ExpectEveryHintedControlNamed(dialog);
}

TEST_F(AccessibilityTest, TheAboutBoxsTextAndButtonAreNamedAndDescribed) {
  TfrmAbout about(main.get());
  ExpectRead(about, {"edtAbout", "About Pixdeck", "About"});
  ExpectRead(about, {"btnClose", "Close", "Closes about window"});
  ExpectEveryHintedControlNamed(about);
}

TEST_F(AccessibilityTest, TheFolderListsItemsTellTheirNameAndLevel) {
  auto* list = main->findChild<DirectoryListBox*>("lbxDirectory");
  ASSERT_NE(list, nullptr);
  list->SetDirectory(QString::fromStdString(scratch.file("pics/deeper")));
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(list);
  ASSERT_NE(iface, nullptr);
  // The root, every folder down to the current one, then its subfolders.
  const int depth = static_cast<int>(
      QDir::cleanPath(QString::fromStdString(scratch.file("pics/deeper"))).count('/'));
  QStringList names;
  QStringList descriptions;
  for (int i = 0; i < iface->childCount(); ++i) {
    QAccessibleInterface* item = iface->child(i);
    ASSERT_NE(item, nullptr);
    if (item->role() != QAccessible::ListItem) {
      continue;  // scroll bars and the like
    }
    names << item->text(QAccessible::Name);
    descriptions << item->text(QAccessible::Description);
  }
  ASSERT_EQ(names.size(), depth + 3) << names.join('|').toStdString();
  EXPECT_EQ(names.first(), "/");
  EXPECT_EQ(descriptions.first(), "level 1, open folder");
  EXPECT_EQ(names[depth - 1], "pics");
  EXPECT_EQ(names[depth], "deeper");
  EXPECT_EQ(descriptions[depth], QString("level %1, current folder").arg(depth + 1));
  EXPECT_EQ(names[depth + 1], "sub one") << "without the blanks that indent it";
  EXPECT_EQ(descriptions[depth + 1], QString("level %1, subfolder").arg(depth + 2));
  EXPECT_EQ(names[depth + 2], "sub two");
  // What the list shows is unchanged: indented names.
  EXPECT_TRUE(list->item(depth + 1)->text().endsWith("  sub one"));
}

TEST(CaptionNameTest, DropsTheAccessKeyTheColonAndTheEllipsis) {
  EXPECT_EQ(CaptionName("Files to &Show:"), "Files to Show");
  EXPECT_EQ(CaptionName("HTML &Output Name:"), "HTML Output Name");
  EXPECT_EQ(CaptionName("Found..."), "Found");
  EXPECT_EQ(CaptionName("Fish && &Chips :"), "Fish & Chips");
  EXPECT_EQ(CaptionName("&URL Base:"), "URL Base");
  EXPECT_EQ(CaptionName(""), "");
}

}  // namespace
}  // namespace pixdeck::test
