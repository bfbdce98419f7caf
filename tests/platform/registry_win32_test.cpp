// The settings' registry medium on the real registry under HKEY_CURRENT_USER.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "scratch_dir.h"
#include "settings/reg_or_ini.h"
#include "win32_test_support.h"

namespace pixdeck {
namespace {

using test::ReadRawValue;
using test::ScratchRegistryKey;
using test::Wide;

void WriteRaw(const std::string& keyPath, const std::string& name, DWORD type, const void* data,
              DWORD size) {
  HKEY key = nullptr;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, Wide(keyPath).c_str(), 0, nullptr, 0, KEY_WRITE,
                              nullptr, &key, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(
      ::RegSetValueExW(key, Wide(name).c_str(), 0, type, static_cast<const BYTE*>(data), size),
      ERROR_SUCCESS);
  ::RegCloseKey(key);
}

TEST(RealRegistry, WritesStringValuesThatTheSystemReadsBack) {
  ScratchRegistryKey scratch;
  const std::string keyPath = scratch.path() + "\\C:\\DIR\\NAME.INI";
  {
    platform::RegistryMedium medium(keyPath);
    EXPECT_TRUE(test::KeyExists(keyPath)) << "the key is created when the medium opens";
    medium.WriteString("Options", "BrowserName", "C:\\Program Files\\Web\\browser.exe");
    medium.WriteString("Options", "PatternName", "Bäder – café.gif");
    medium.Flush();
  }
  DWORD type = 0;
  std::wstring data;
  ASSERT_TRUE(ReadRawValue(keyPath + "\\Options", "BrowserName", type, data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(data, std::wstring(L"C:\\Program Files\\Web\\browser.exe") + L'\0')
      << "stored with its terminating zero";
  ASSERT_TRUE(ReadRawValue(keyPath + "\\Options", "PatternName", type, data));
  EXPECT_EQ(data, std::wstring(L"B\u00e4der \u2013 caf\u00e9.gif") + L'\0');

  // The nested key C: > DIR > NAME.INI, as an INI path names it.
  EXPECT_TRUE(test::KeyExists(scratch.path() + "\\C:\\DIR"));

  const platform::RegistryMedium reader(keyPath);
  EXPECT_EQ(reader.ReadString("OPTIONS", "browsername"), "C:\\Program Files\\Web\\browser.exe");
  EXPECT_EQ(reader.ReadString("Options", "PatternName"), "Bäder – café.gif");
  EXPECT_FALSE(reader.ReadString("Options", "Missing"));
  EXPECT_FALSE(reader.ReadString("Missing", "BrowserName"));
}

TEST(RealRegistry, ReadsValuesWrittenByHand) {
  ScratchRegistryKey scratch;
  const std::string section = scratch.path() + "\\Options";
  const std::wstring text = L"no zero at the end";
  WriteRaw(section, "Unterminated", REG_SZ, text.data(),
           static_cast<DWORD>(text.size() * sizeof(wchar_t)));
  const DWORD number = 121;
  WriteRaw(section, "Version", REG_DWORD, &number, sizeof number);
  const BYTE binary[] = {1, 2, 3};
  WriteRaw(section, "Blob", REG_BINARY, binary, sizeof binary);

  const platform::RegistryMedium medium(scratch.path());
  EXPECT_EQ(medium.ReadString("Options", "Unterminated"), "no zero at the end");
  EXPECT_EQ(medium.ReadString("Options", "Version"), "121");
  EXPECT_FALSE(medium.ReadString("Options", "Blob")) << "no text in it";
  std::vector<std::string> names = medium.ValueNames("Options");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Blob", "Unterminated", "Version"}));
  EXPECT_TRUE(medium.ValueNames("Missing").empty());
}

TEST(RealRegistry, EraseSectionDeletesTheSubkeyWithEverythingBelowIt) {
  ScratchRegistryKey scratch;
  platform::RegistryMedium medium(scratch.path());
  medium.WriteString("Specs", "ItemCount", "2");
  medium.WriteString("Specs", "Item_1", "*.gif");
  medium.WriteString("Specs\\Deeper", "Item_1", "x");
  medium.WriteString("SpecsBeside", "Keep", "1");
  medium.WriteString("Patterns", "Keep", "2");

  medium.EraseSection("SPECS");
  EXPECT_NO_THROW(medium.EraseSection("NeverWritten"));

  EXPECT_FALSE(test::KeyExists(scratch.path() + "\\Specs"));
  EXPECT_FALSE(medium.ReadString("Specs", "Item_1"));
  EXPECT_FALSE(medium.ReadString("Specs\\Deeper", "Item_1"));
  EXPECT_EQ(medium.ReadString("SpecsBeside", "Keep"), "1");
  EXPECT_EQ(medium.ReadString("Patterns", "Keep"), "2");

  // A list written after the erase holds only its new items.
  medium.WriteString("Specs", "ItemCount", "1");
  EXPECT_EQ(medium.ValueNames("Specs"), std::vector<std::string>{"ItemCount"});
}

TEST(RealRegistry, AKeyPathStartingWithSeparatorsNamesTheKeyBelowThem) {
  ScratchRegistryKey scratch;
  platform::RegistryMedium medium("\\\\" + scratch.path() + "\\share\\PIXDECK.INI");
  medium.WriteString("Options", "OutputName", "images.htm");
  DWORD type = 0;
  std::wstring data;
  EXPECT_TRUE(
      ReadRawValue(scratch.path() + "\\share\\PIXDECK.INI\\Options", "OutputName", type, data));
}

// The settings store in registry mode: an INI file that says "UseRegistry"
// sends every value to the key named after that file.
TEST(RealRegistry, SettingsStoreInRegistryModeWritesBelowTheIniFilesPath) {
  test::ScratchDir dir;
  const std::string ini = dir.write("PIXDECK.INI", "[Application]\r\nUseRegistry=1\r\n");
  ResetSettingsState();
  {
    TRegOrIni store(ini, ini);
    EXPECT_FALSE(store.UseIni());
    EXPECT_EQ(SettingsName(), ini);
    store.WriteString("Options", "OutputName", "page.htm");
    store.WriteStrings("Specs", "Item", {"*.gif", "*.jpg", "*.png"}, 2, true);
    store.Close();
  }
  DWORD type = 0;
  std::wstring data;
  ASSERT_TRUE(ReadRawValue(ini + "\\Options", "OutputName", type, data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(test::Narrow(data.substr(0, data.find(L'\0'))), "page.htm");
  ASSERT_TRUE(ReadRawValue(ini + "\\Specs", "ItemCount", type, data));
  EXPECT_EQ(test::Narrow(data.substr(0, data.find(L'\0'))), "2");
  {
    TRegOrIni store(ini, ini);
    std::vector<std::string> specs;
    store.ReadStrings("Specs", "Item", specs);
    EXPECT_EQ(specs, (std::vector<std::string>{"*.gif", "*.jpg"}));
    EXPECT_EQ(store.ReadString("Options", "OutputName", ""), "page.htm");
  }
  EXPECT_EQ(test::ScratchDir::read(ini), "[Application]\r\nUseRegistry=1\r\n")
      << "the file is untouched";
  ::RegDeleteTreeW(HKEY_CURRENT_USER, Wide(ini).c_str());
  ::RegDeleteKeyW(HKEY_CURRENT_USER, Wide(ini).c_str());
  ResetSettingsState();
}

}  // namespace
}  // namespace pixdeck
