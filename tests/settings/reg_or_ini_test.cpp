#include "settings/reg_or_ini.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "file_modes.h"
#include "platform/file_system.h"
#include "settings/ini_file.h"
#include "settings/ini_text.h"
#include "settings_fixture.h"
#include "text/utf8_path.h"
#include "util/paths.h"

namespace pixdeck {
namespace {

namespace fs = std::filesystem;
using test::ScratchDir;

std::string Value(const std::string& file, const std::string& section, const std::string& key) {
  return IniText(ScratchDir::read(file)).Find(section, key).value_or("<missing>");
}

class StoreChain : public test::SettingsTest {
 protected:
  std::string Fallback() const { return dir_.file("program.ini"); }
};

TEST_F(StoreChain, NoFileBesideTheProgramMeansThatFileAndTheFirstSaveCreatesIt) {
  TRegOrIni store("", Fallback());
  EXPECT_EQ(SettingsName(), Fallback());
  EXPECT_TRUE(store.UseIni());
  EXPECT_TRUE(store.Opened());
  EXPECT_TRUE(SettingsWritable());
  EXPECT_FALSE(fs::exists(PathFromUtf8(Fallback())));

  store.WriteString("Options", "OutputName", "a.htm");
  store.Close();
  EXPECT_EQ(Value(Fallback(), "Options", "OutputName"), "a.htm");
}

TEST_F(StoreChain, FollowsTwoHandOversToTheThirdFile) {
  const std::string third = dir_.file("c.ini");
  const std::string second = dir_.write("b.ini", "[Application]\nIniFileName=" + third + "\n");
  const std::string first = dir_.write("a.ini", "[Application]\nIniFileName=" + second + "\n");
  TRegOrIni store(first, Fallback());
  EXPECT_EQ(SettingsName(), third);
  EXPECT_TRUE(store.UseIni());
  store.WriteString("Options", "BgColor", "Blue");
  store.Close();
  EXPECT_EQ(Value(third, "Options", "BgColor"), "Blue");
  EXPECT_EQ(Value(first, "Options", "BgColor"), "<missing>");
  EXPECT_EQ(Value(second, "Options", "BgColor"), "<missing>");
}

TEST_F(StoreChain, AFileNamingItselfEndsTheChain) {
  // Another spelling of the same file counts as the file itself.
  const std::string self = dir_.file("self.ini");
  dir_.write("self.ini", "[Application]\nIniFileName=" + dir_.file("sub/../self.ini") + "\n");
  fs::create_directories(dir_.path() / "sub");
  TRegOrIni store(self, Fallback());
  EXPECT_EQ(SettingsName(), dir_.file("sub/../self.ini"));
  store.WriteString("Options", "Key", "1");
  store.Close();
  EXPECT_EQ(Value(self, "Options", "Key"), "1");
}

TEST_F(StoreChain, ANameInOtherLetterCase) {
  const std::string upper = dir_.file("SETTINGS.INI");
  const std::string lower = dir_.file("settings.ini");
  dir_.write("SETTINGS.INI", "[Application]\nIniFileName=" + lower + "\n");
  TRegOrIni store(upper, Fallback());
  if (kNativeStyle == PathStyle::Windows || fs::exists(PathFromUtf8(lower))) {
    // File names ignore case: the file names itself.
    EXPECT_TRUE(SameDir(SettingsName(), upper) || SettingsName() == lower);
  } else {
    // POSIX names are case-sensitive: the other name is another file, which
    // does not exist and so names itself.
    EXPECT_EQ(SettingsName(), lower);
  }
}

TEST_F(StoreChain, RegistryThroughASecondFileUsesItsNameAsGivenAsKeyPath) {
  const std::string asGiven = dir_.file("./reg.ini");
  dir_.write("reg.ini", "[Application]\nUseRegistry=1\nIniFileName=ignored.ini\n");
  const std::string first = dir_.write("a.ini", "[Application]\nIniFileName=" + asGiven + "\n");
  {
    TRegOrIni store(first, Fallback());
    EXPECT_FALSE(store.UseIni());
    EXPECT_EQ(SettingsName(), asGiven);
    EXPECT_TRUE(SettingsWritable());
    store.WriteString("Options", "OutputName", "reg.htm");
    store.WriteStrings("Specs", "Item", {"*.gif", "*.png"}, 10, true);
    store.Close();
    EXPECT_EQ(store.ReadString("Options", "OutputName", ""), "reg.htm");
  }
#ifndef _WIN32
  EXPECT_EQ(Value(RegistryStoreFile(), asGiven + "\\Options", "OutputName"), "reg.htm");
  EXPECT_EQ(Value(RegistryStoreFile(), asGiven + "\\Specs", "Item_2"), "*.png");
#endif
  // Neither INI file is written in registry mode.
  EXPECT_EQ(Value(first, "Options", "OutputName"), "<missing>");
  EXPECT_EQ(Value(dir_.file("reg.ini"), "Options", "OutputName"), "<missing>");
}

TEST_F(StoreChain, AnEmptyIniFileNameFallsBackToTheProgramsFile) {
  const std::string second = dir_.write("b.ini", "[Application]\nIniFileName=\n");
  const std::string first = dir_.write("a.ini", "[Application]\nIniFileName=" + second + "\n");
  TRegOrIni store(first, Fallback());
  EXPECT_EQ(SettingsName(), Fallback());
}

TEST_F(StoreChain, ACircleEndsAtTheFileTheChainCameBackTo) {
  const std::string a = dir_.file("a.ini");
  const std::string b = dir_.file("b.ini");
  const std::string c = dir_.file("c.ini");
  const std::string start = dir_.write("start.ini", "[Application]\nIniFileName=" + a + "\n");
  dir_.write("a.ini", "[Application]\nIniFileName=" + b + "\n");
  dir_.write("b.ini", "[Application]\nIniFileName=" + c + "\n");
  dir_.write("c.ini", "[Application]\nIniFileName=" + a + "\n");
  {
    TRegOrIni store(start, Fallback());
    EXPECT_EQ(SettingsName(), a);
  }
  dir_.write("b.ini", "[Application]\nIniFileName=" + a + "\n");
  {
    TRegOrIni store(a, Fallback());
    EXPECT_EQ(SettingsName(), a);
  }
}

TEST_F(StoreChain, ReadsVersionAndAnExistingMainDirectory) {
  SetSettingsVersion(121);
  const std::string file = dir_.write(
      "v.ini", "[Application]\nVersion=0x7B\nMainDirectory=" + Utf8FromPath(dir_.path()) + "\n");
  { TRegOrIni store(file, Fallback()); }
  EXPECT_EQ(SettingsVersion(), 123);
  EXPECT_EQ(SettingsMainDir(), Utf8FromPath(dir_.path()));

  ResetSettingsState();
  SetSettingsVersion(121);
  dir_.write("v.ini", "[Application]\nMainDirectory=" + dir_.file("gone") + "\n");
  { TRegOrIni store(file, Fallback()); }
  EXPECT_EQ(SettingsVersion(), 121);
  EXPECT_EQ(SettingsMainDir(), "");
}

TEST_F(StoreChain, AMainDirectorySetBeforehandIsNotReadButChecked) {
  const std::string file = dir_.write("m.ini", "[Application]\nMainDirectory=/elsewhere\n");
  SetSettingsMainDir(dir_.file("missing"));
  { TRegOrIni store(file, Fallback()); }
  EXPECT_EQ(SettingsMainDir(), "");
}

TEST_F(StoreChain, NoNameAtAllRaisesOnEveryUse) {
  TRegOrIni store("", "");
  EXPECT_FALSE(store.Opened());
  try {
    store.Open();
    FAIL() << "Open succeeded";
  } catch (const ERegOrIni& error) {
    EXPECT_STREQ(error.what(), "Error: No INI file specified!");
  }
  EXPECT_THROW(store.ReadString("Options", "Key", ""), ERegOrIni);
  // Writes do not open the store while it is not writable.
  SetSettingsWritable(false);
  EXPECT_NO_THROW(store.WriteString("Options", "Key", "v"));
}

TEST_F(StoreChain, TheProgramsOwnFileIsNamedAfterTheProgram) {
  const std::string own = ProgramIniName();
  ASSERT_FALSE(own.empty());
  EXPECT_EQ(DirOf(own), DirOf(platform::ProgramFilePath()));
  // On POSIX it is the very file the window opens its settings in
  // ("pixdeck.INI").
  EXPECT_EQ(ExtOf(own), kNativeStyle == PathStyle::Windows ? "ini" : "INI");
}

class StoreValues : public test::SettingsTest {
 protected:
  std::string File() const { return dir_.file("values.ini"); }
};

TEST_F(StoreValues, IntegersAndBooleans) {
  dir_.write("values.ini",
             "[S]\nHex=0x1F\nHexUpper=0X1f\nText=abc\nNegative=-12\nBlank=\nOn=1\nOff=0\n"
             "Seven=7\nHuge=99999999999\n");
  TRegOrIni store(File(), "");
  EXPECT_EQ(store.ReadInteger("S", "Hex", 0), 31);
  EXPECT_EQ(store.ReadInteger("S", "HexUpper", 0), 31);
  EXPECT_EQ(store.ReadInteger("S", "Text", 5), 5);
  EXPECT_EQ(store.ReadInteger("S", "Negative", 0), -12);
  EXPECT_EQ(store.ReadInteger("S", "Blank", 9), 9);
  EXPECT_EQ(store.ReadInteger("S", "Huge", 4), 4);
  EXPECT_EQ(store.ReadInteger("S", "Missing", 8), 8);
  EXPECT_TRUE(store.ReadBool("S", "On", false));
  EXPECT_FALSE(store.ReadBool("S", "Off", true));
  EXPECT_TRUE(store.ReadBool("S", "Seven", false));
  EXPECT_TRUE(store.ReadBool("S", "Text", true));
  EXPECT_FALSE(store.ReadBool("S", "Text", false));

  store.WriteBool("W", "Flag", true);
  store.WriteInteger("W", "Number", -42);
  store.Close();
  EXPECT_EQ(Value(File(), "W", "Flag"), "1");
  EXPECT_EQ(Value(File(), "W", "Number"), "-42");
}

TEST(StoredInteger, Parsing) {
  EXPECT_EQ(ParseStoredInteger("0x1F"), 31);
  EXPECT_EQ(ParseStoredInteger(" 12 "), 12);
  EXPECT_EQ(ParseStoredInteger("+7"), 7);
  EXPECT_EQ(ParseStoredInteger("2147483647"), 2147483647);
  EXPECT_EQ(ParseStoredInteger("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ParseStoredInteger("0xFFFFFFFF"), -1);
  EXPECT_EQ(ParseStoredInteger("0"), 0);
  for (const char* junk :
       {"", "abc", "12abc", "0x", "0xG", "2147483648", "0x100000000", "1 2", "--1", "0x-1"}) {
    EXPECT_FALSE(ParseStoredInteger(junk)) << '"' << junk << '"';
  }
}

TEST_F(StoreValues, WriteStringsCutsToMaxCountAndErasesAnOlderLongerList) {
  std::string old = "[Specs]\nItemCount=12\n";
  for (int i = 1; i <= 12; ++i) {
    old += "Item_" + std::to_string(i) + "=old" + std::to_string(i) + "\n";
  }
  dir_.write("values.ini", old + "[Other]\nKeep=1\n");
  std::vector<std::string> strings;
  for (int i = 1; i <= 14; ++i) {
    strings.push_back("s" + std::to_string(i));
  }
  TRegOrIni store(File(), "");
  store.WriteStrings("Specs", "Item", strings, 10, true);
  store.Close();

  const IniText saved(ScratchDir::read(File()));
  std::vector<std::string> keys = {"ItemCount"};
  for (int i = 1; i <= 10; ++i) {
    keys.push_back("Item_" + std::to_string(i));
  }
  EXPECT_EQ(saved.KeyNames("Specs"), keys);
  EXPECT_EQ(saved.Find("Specs", "ItemCount"), "10");
  EXPECT_EQ(saved.Find("Specs", "Item_10"), "s10");
  EXPECT_EQ(saved.Find("Other", "Keep"), "1");
}

TEST_F(StoreValues, WriteStringsCountsWhatThereIs) {
  TRegOrIni store(File(), "");
  store.WriteStrings("A", "Item", {"x", "y", "z"}, 10, false);
  store.WriteStrings("B", "Item", {"x", "y", "z"}, 0, false);
  store.WriteStrings("C", "Item", {"x", "y", "z"}, -1, false);
  store.WriteStrings("D", "Item", {}, 10, true);
  std::vector<std::string> list;
  for (const char* section : {"A", "B", "C"}) {
    EXPECT_EQ(store.ReadInteger(section, "ItemCount", -1), 3) << section;
    store.ReadStrings(section, "Item", list);
    EXPECT_EQ(list, (std::vector<std::string>{"x", "y", "z"})) << section;
  }
  EXPECT_EQ(store.ReadInteger("D", "ItemCount", -1), 0);
}

TEST_F(StoreValues, ReadStringsKeepsMissingItemsAsEmptyOnes) {
  dir_.write("values.ini",
             "[Specs]\nItemCount=3\nItem_1=*.gif\n[Bad]\nItemCount=-4\n[Junk]\nItemCount=x\n"
             "[Huge]\nItemCount=2147483647\nItem_1=a\n");
  TRegOrIni store(File(), "");
  std::vector<std::string> list = {"stale"};
  store.ReadStrings("Specs", "Item", list);
  EXPECT_EQ(list, (std::vector<std::string>{"*.gif", "", ""}));
  store.ReadStrings("Bad", "Item", list);
  EXPECT_TRUE(list.empty());
  list = {"stale"};
  store.ReadStrings("Junk", "Item", list);
  EXPECT_TRUE(list.empty());
  store.ReadStrings("Huge", "Item", list);
  EXPECT_EQ(list.size(), static_cast<std::size_t>(TRegOrIni::kMaxListCount));
  EXPECT_EQ(list.front(), "a");
}

TEST_F(StoreValues, OpensLazilyAndReadsWhatOthersWroteMeanwhile) {
  TRegOrIni store(File(), "");
  store.Close();
  EXPECT_FALSE(store.Opened());
  dir_.write("values.ini", "[S]\nKey=fresh\n");
  EXPECT_EQ(store.ReadString("S", "Key", ""), "fresh");
  EXPECT_TRUE(store.Opened());
}

TEST_F(StoreValues, AReadOnlyFileIsReadButNeverWritten) {
  const std::string original = "[Options]\nOutputName=keep.htm\n[Specs]\nItemCount=1\nItem_1=a\n";
  dir_.write("values.ini", original);
  fs::permissions(PathFromUtf8(File()), fs::perms::owner_read | fs::perms::group_read);
  TRegOrIni store(File(), "");
  EXPECT_FALSE(SettingsWritable());
  EXPECT_EQ(store.ReadString("Options", "OutputName", ""), "keep.htm");
  store.WriteString("Options", "OutputName", "new.htm");
  store.WriteStrings("Specs", "Item", {"x", "y"}, 10, true);
  store.EraseSection("Options");
  EXPECT_NO_THROW(store.Close());
  EXPECT_EQ(ScratchDir::read(File()), original);

  // Made writable while the program runs: the next UpdateWritable honours it.
  fs::permissions(PathFromUtf8(File()), fs::perms::owner_write, fs::perm_options::add);
  store.UpdateWritable();
  EXPECT_TRUE(SettingsWritable());
  store.WriteString("Options", "OutputName", "new.htm");
  store.Close();
  EXPECT_EQ(Value(File(), "Options", "OutputName"), "new.htm");
}

TEST_F(StoreValues, AValueWithAZeroByteInsideReadsAsMissing) {
  const std::string zero(1, '\0');
  dir_.write("values.ini", "[S]\nName=nul" + zero + ".htm\nNumber=1" + zero + "2\nWhole=" + zero +
                               "\nItemCount=2\nItem_1=a" + zero + "b\nItem_2=fine\n");
  TRegOrIni store(File(), "");
  EXPECT_EQ(store.ReadString("S", "Name", "default.htm"), "default.htm");
  EXPECT_EQ(store.ReadInteger("S", "Number", 7), 7);
  EXPECT_FALSE(store.Has("S", "Whole"));
  std::vector<std::string> list;
  store.ReadStrings("S", "Item", list);
  EXPECT_EQ(list, (std::vector<std::string>{"", "fine"}));
}

TEST_F(StoreValues, AFailedWriteRaisesOnCloseAndLeavesTheStoreClosed) {
  const std::string file = dir_.file("no/such/folder/values.ini");
  TRegOrIni store(file, "");
  store.WriteString("Options", "Key", "v");
  try {
    store.Close();
    FAIL() << "Close succeeded";
  } catch (const IniFileError& error) {
    const std::string message = error.what();
#ifdef _WIN32
    // The system's words differ between Windows versions (and Wine).
    const std::string named = "Unable to write to " + file + ": ";
    EXPECT_EQ(message.substr(0, named.size()), named);
    EXPECT_GT(message.size(), named.size()) << "no reason given";
#else
    EXPECT_EQ(message, "Unable to write to " + file + ": No such file or directory");
#endif
  }
  EXPECT_FALSE(store.Opened());
  EXPECT_NO_THROW(store.Close());
}

TEST_F(StoreValues, AFolderInTheFilesPlaceIsReportedOnceAndNeverWrittenOver) {
  fs::create_directories(PathFromUtf8(File()));  // a folder in the file's place
  TRegOrIni store(File(), "");
  EXPECT_EQ(store.TakeProblems(), std::vector<std::string>{"Cannot read the settings file " +
                                                           File() + ": it is a folder"});
  EXPECT_FALSE(SettingsWritable());
  EXPECT_EQ(store.ReadString("Options", "Key", "default"), "default");
  store.WriteString("Options", "Key", "v");
  EXPECT_NO_THROW(store.Close());
  store.UpdateWritable();
  EXPECT_FALSE(SettingsWritable());
  EXPECT_TRUE(store.TakeProblems().empty());  // once, however often it is opened
  EXPECT_TRUE(fs::is_directory(PathFromUtf8(File())));
  EXPECT_TRUE(fs::is_empty(PathFromUtf8(File())));
}

TEST_F(StoreValues, AHandEditedFileKeepsItsCommentsAndUnknownSections) {
  const std::string edited =
      "; Pixdeck settings, edited by hand\r\n"
      "[Options]\r\n"
      "OutputName = index.htm  ; trailing text belongs to the value\r\n"
      "; the colour I like\r\n"
      "BgColor=Navy\r\n"
      "\r\n"
      "[MyTools]\r\n"
      "Editor=vi\r\n";
  dir_.write("values.ini", edited);
  TRegOrIni store(File(), "");
  EXPECT_EQ(store.ReadString("Options", "OutputName", ""),
            "index.htm  ; trailing text belongs to the value");
  store.WriteString("Options", "BgColor", "Teal");
  store.WriteString("Options", "PatternName", "bg.gif");
  store.Close();
  EXPECT_EQ(ScratchDir::read(File()),
            "; Pixdeck settings, edited by hand\r\n"
            "[Options]\r\n"
            "OutputName = index.htm  ; trailing text belongs to the value\r\n"
            "; the colour I like\r\n"
            "BgColor=Teal\r\n"
            "PatternName=bg.gif\r\n"
            "\r\n"
            "[MyTools]\r\n"
            "Editor=vi\r\n");
}

#ifndef _WIN32
TEST_F(StoreValues, ASymbolicLinkSurvivesASave) {
  const std::string target = dir_.write("real/values.ini", "[Options]\nKey=old\n");
  fs::create_symlink(PathFromUtf8(target), PathFromUtf8(File()));
  TRegOrIni store(File(), "");
  store.WriteString("Options", "Key", "new");
  store.Close();
  EXPECT_TRUE(fs::is_symlink(PathFromUtf8(File())));
  EXPECT_EQ(Value(target, "Options", "Key"), "new");
}

TEST_F(StoreValues, ASaveKeepsThePermissionsOfTheFile) {
  // New files would get 0644 here: a kept mode is the old file's own.
  test::ScopedUmask mask(022);
  for (const int mode : {0600, 0640, 0604}) {
    dir_.write("values.ini", "[Options]\nKey=old\n");
    ASSERT_EQ(::chmod(File().c_str(), static_cast<mode_t>(mode)), 0);
    TRegOrIni store(File(), "");
    store.WriteString("Options", "Key", "new");
    store.Close();
    EXPECT_EQ(Value(File(), "Options", "Key"), "new");
    EXPECT_EQ(test::ModeOf(File()), mode) << std::oct << mode;
  }
  // A file the save creates gets the usual mode.
  fs::remove(PathFromUtf8(File()));
  TRegOrIni store(File(), "");
  store.WriteString("Options", "Key", "first");
  store.Close();
  EXPECT_EQ(test::ModeOf(File()), 0644);
}
#endif

}  // namespace
}  // namespace pixdeck
