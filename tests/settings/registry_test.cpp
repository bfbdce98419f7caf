#include "settings/registry_medium.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "settings_fixture.h"
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

  // Two open keys writing in turn: each write reads the file afresh, so
  // neither loses the other's values.
  RegistryMedium one(Key());
  RegistryMedium two(Key());
  one.WriteString("Options", "A", "1");
  two.WriteString("Options", "B", "2");
  one.WriteString("Options", "C", "3");
  const std::string text = test::ScratchDir::read(RegistryStoreFile());
  EXPECT_NE(text.find("[" + Key() + "\\Options]\nA=1\nB=2\nC=3\n"), std::string::npos) << text;
}

TEST_F(Registry, AStoreThatCannotBeWrittenRaises) {
  fs::create_directories(PathFromUtf8(RegistryStoreFile()));  // a folder in its place
  RegistryMedium key(Key());
  try {
    key.WriteString("Options", "OutputName", "a.htm");
    FAIL() << "the write succeeded";
  } catch (const RegistryError& error) {
    EXPECT_STREQ(error.what(), "Failed to set data for 'OutputName'");
  }
}
#endif

}  // namespace
}  // namespace pixdeck
