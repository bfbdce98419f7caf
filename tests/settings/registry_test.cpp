#include "settings/registry_medium.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "settings_fixture.h"
#ifndef _WIN32
#include "small_tmpfs.h"
#endif
#include "text/utf8_path.h"

namespace pixdeck {
namespace {

namespace fs = std::filesystem;

class Registry : public test::SettingsTest {
 protected:
  // A key of its own for each test, so that the real registry is safe too.
  std::string Key() const { return Utf8FromPath(dir_.path() / "PIXDECK.INI"); }
};

TEST_F(Registry, ValuesAreReadBackCaseInsensitively) {
  RegistryMedium writer(Key());
  EXPECT_EQ(writer.KeyPath(), Key());
  writer.WriteString("Options", "OutputName", "a.htm");
  writer.WriteString("Options", "BgColor", "Red");
  writer.WriteString("options", "outputname", "b.htm");
  writer.Flush();
  EXPECT_EQ(writer.ReadString("OPTIONS", "OutputName"), "b.htm");
#ifdef _WIN32
  // The registry keeps a value's first spelling and lists values in its own order.
  std::vector<std::string> names = writer.ValueNames("Options");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"BgColor", "OutputName"}));
#else
  EXPECT_EQ(writer.ValueNames("Options"), (std::vector<std::string>{"outputname", "BgColor"}));
#endif

  const RegistryMedium reader(Key());
  EXPECT_EQ(reader.ReadString("Options", "BgColor"), "Red");
  EXPECT_FALSE(reader.ReadString("Options", "Missing"));
  EXPECT_FALSE(reader.ReadString("Missing", "BgColor"));
  EXPECT_TRUE(reader.ValueNames("Missing").empty());
}

TEST_F(Registry, EraseSectionTakesEverythingBelowAndNothingBeside) {
  RegistryMedium key(Key());
  key.WriteString("Specs", "Item_1", "a");
  key.WriteString("Specs\\Sub", "Deep", "b");
  key.WriteString("SpecsOther", "Keep", "c");
  key.WriteString("Patterns", "Keep", "d");
  key.EraseSection("SPECS");
  key.EraseSection("NeverWritten");
  key.Flush();
  EXPECT_FALSE(key.ReadString("Specs", "Item_1"));
  EXPECT_FALSE(key.ReadString("Specs\\Sub", "Deep"));
  EXPECT_EQ(key.ReadString("SpecsOther", "Keep"), "c");
  EXPECT_EQ(key.ReadString("Patterns", "Keep"), "d");
  const RegistryMedium reread(Key());
  EXPECT_FALSE(reread.ReadString("Specs\\Sub", "Deep"));
  EXPECT_EQ(reread.ReadString("SpecsOther", "Keep"), "c");
}

TEST_F(Registry, KeysDoNotSeeEachOthersValues) {
  RegistryMedium first(Key());
  RegistryMedium second(Key() + "2");
  first.WriteString("Options", "Key", "1");
  second.WriteString("Options", "Key", "2");
  first.Flush();
  second.Flush();
  EXPECT_EQ(RegistryMedium(Key()).ReadString("Options", "Key"), "1");
  EXPECT_EQ(RegistryMedium(Key() + "2").ReadString("Options", "Key"), "2");
}

#ifndef _WIN32
TEST_F(Registry, ThePosixStoreIsOneFileInTheConfigFolderMadeByTheFirstWrite) {
  {
    const RegistryMedium reader(Key());
    EXPECT_FALSE(reader.ReadString("Options", "Key"));
  }
  EXPECT_FALSE(fs::exists(PathFromUtf8(RegistryStoreFile())));

  // Two open keys saving in turn: each save applies its writes to the file
  // as it is then, so neither loses the other's values.
  RegistryMedium one(Key());
  RegistryMedium two(Key());
  one.WriteString("Options", "A", "1");
  two.WriteString("Options", "B", "2");
  one.WriteString("Options", "C", "3");
  EXPECT_FALSE(fs::exists(PathFromUtf8(RegistryStoreFile()))) << "nothing before the save";
  one.Flush();
  two.Flush();
  const std::string text = test::ScratchDir::read(RegistryStoreFile());
  EXPECT_NE(text.find("[" + Key() + "\\Options]\nA=1\nC=3\nB=2\n"), std::string::npos) << text;
}

// A save as one replacement of the file: with the disk full, the file is the
// old one whole, and the failure names the file and the system's reason.
TEST_F(Registry, ASaveOnAFullDiskLeavesTheOldStoreWholeAndSaysWhy) {
  test::SmallTmpfs disk(256 * 1024);
  if (!disk.Unavailable().empty()) {
    GTEST_SKIP() << disk.Unavailable();
  }
  ::setenv("XDG_CONFIG_HOME", disk.Path().c_str(), 1);  // the fixture puts it back
  const std::string file = RegistryStoreName(Key());
  ASSERT_EQ(file, disk.File("pixdeck/registry.ini"));
  {
    RegistryMedium key(Key());
    key.WriteString("Specs", "ItemCount", "6");
    for (int i = 1; i <= 6; ++i) {
      key.WriteString("Specs", "Item_" + std::to_string(i), std::string(1000, 'a' + i));
    }
    key.Flush();
  }
  const std::string before = test::ScratchDir::read(file);
  // Room for two pages: the old store takes two, the new one three. A save
  // key by key would get part of the way.
  disk.FillUp(2 * 4096);
  RegistryMedium key(Key());
  key.EraseSection("Specs");
  key.WriteString("Specs", "ItemCount", "7");
  for (int i = 1; i <= 7; ++i) {
    key.WriteString("Specs", "Item_" + std::to_string(i), std::string(1500, 'A' + i));
  }
  try {
    key.Flush();
    FAIL() << "the save succeeded on a full disk";
  } catch (const RegistryError& error) {
    EXPECT_EQ(std::string(error.what()),
              "Unable to write to " + file + ": No space left on device");
  }
  EXPECT_EQ(test::ScratchDir::read(file), before);
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(PathFromUtf8(disk.File("pixdeck")))) {
    left.push_back(Utf8FromPath(entry.path().filename()));
  }
  EXPECT_EQ(left, std::vector<std::string>{"registry.ini"}) << "no temporary file";
  disk.MakeRoom();
}

TEST_F(Registry, AStoreThatCannotBeWrittenRaises) {
  fs::create_directories(PathFromUtf8(RegistryStoreFile()));  // a folder in its place
  RegistryMedium key(Key());
  try {
    key.WriteString("Options", "OutputName", "a.htm");
    key.Flush();
    FAIL() << "the save succeeded";
  } catch (const RegistryError& error) {
    EXPECT_EQ(std::string(error.what()),
              "Unable to write to " + RegistryStoreFile() + ": it is a folder");
  }
}
#endif

}  // namespace
}  // namespace pixdeck
