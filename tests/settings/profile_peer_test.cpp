// The Windows profile functions as the peer of the settings store: they read
// what the store wrote, the store reads what they wrote, and both read
// hand-made files alike. Runs on Windows (and under Wine) only.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "scratch_dir.h"
#include "settings/ini_encoding.h"
#include "settings/ini_file.h"
#include "settings/program_settings.h"
#include "settings/reg_or_ini.h"
#include "settings_fixture.h"

namespace pixdeck {
namespace {

using test::ScratchDir;

constexpr const char* kAbsent = "<absent>";

// What GetPrivateProfileStringA answers, read with a buffer large enough for
// any value here.
std::string ProfileString(const std::string& file, const std::string& section,
                          const std::string& key, const char* fallback = kAbsent) {
  std::vector<char> buffer(1 << 16);
  const DWORD length =
      ::GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback, buffer.data(),
                                 static_cast<DWORD>(buffer.size()), file.c_str());
  return std::string(buffer.data(), length);
}

int ProfileInt(const std::string& file, const std::string& section, const std::string& key) {
  return static_cast<int>(::GetPrivateProfileIntA(section.c_str(), key.c_str(), -7, file.c_str()));
}

std::wstring Wide(const std::string& utf8) {
  const int length =
      ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        length);
  return wide;
}

// What the store reads, through a fresh store on the file.
std::string StoreString(const std::string& file, const std::string& section,
                        const std::string& key) {
  ResetSettingsState();
  TRegOrIni store(file, file);
  return store.ReadString(section, key, kAbsent);
}

// Values that test the rules: blanks, both kinds of quotes, non-ASCII text
// (UTF-8 bytes, which the ANSI functions pass through), empty, long.
const std::vector<std::string>& Values() {
  static const std::vector<std::string> values = {
      "plain.htm",
      "C:\\My Pictures\\page one.htm",
      "  leading and trailing blanks  ",
      "\"double quoted\"",
      "'single quoted'",
      "it's a \"mix\"",
      "caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC.htm",
      "",
      "a=b;c",
      std::string(3000, 'L') + "ong",
  };
  return values;
}

class ProfilePeer : public test::SettingsTest {
 protected:
  std::string File(const std::string& name) const { return dir_.file(name); }
};

TEST_F(ProfilePeer, TheProfileFunctionsReadWhatTheStoreWrote) {
  const std::string file = File("pixdeck.INI");
  const auto store = OpenSettingsStore(file, file);
  ProgramOptions options;
  options.browserName = "C:\\Program Files\\Browser\\browser.exe";
  options.useRegSettings = false;
  options.outputName = Values()[2];
  options.urlBaseName = "http://example.org/pics/";
  options.patternName = Values()[4];
  options.bgColor = Values()[6];
  WindowSettings window;
  window.defaultDir = dir_.file("");
  window.specs = {"*.gif;*.jpg", "*.gif", "*.jpg"};
  window.outputNames = Values();  // ten of them
  window.patterns = {"", "tile.gif"};
  ASSERT_TRUE(SaveProgramSettings(*store, options, window));

  EXPECT_EQ(ProfileString(file, "Options", "BrowserName"), options.browserName);
  EXPECT_EQ(ProfileInt(file, "Options", "UseRegSettings"), 0);
  EXPECT_EQ(ProfileString(file, "Options", "OutputName"), options.outputName);
  EXPECT_EQ(ProfileString(file, "Options", "UrlBaseName"), options.urlBaseName);
  EXPECT_EQ(ProfileString(file, "Options", "PatternName"), options.patternName);
  EXPECT_EQ(ProfileString(file, "Options", "BgColor"), options.bgColor);
  EXPECT_EQ(ProfileString(file, "Options", "DefaultDir"), window.defaultDir);
  const std::pair<const char*, const std::vector<std::string>*> lists[] = {
      {"Specs", &window.specs},
      {"OutputNames", &window.outputNames},
      {"Patterns", &window.patterns}};
  for (const auto& [section, items] : lists) {
    ASSERT_EQ(ProfileInt(file, section, "ItemCount"), static_cast<int>(items->size())) << section;
    for (std::size_t i = 0; i < items->size(); ++i)
      EXPECT_EQ(ProfileString(file, section, "Item_" + std::to_string(i + 1)), (*items)[i])
          << section << " item " << i + 1;
  }
}

TEST_F(ProfilePeer, TheStoreReadsWhatTheProfileFunctionsWrote) {
  const std::string file = File("written.ini");
  for (std::size_t i = 0; i < Values().size(); ++i) {
    const std::string key = "Item_" + std::to_string(i + 1);
    ASSERT_TRUE(
        ::WritePrivateProfileStringA("Specs", key.c_str(), Values()[i].c_str(), file.c_str()));
  }
  ASSERT_TRUE(::WritePrivateProfileStringA("Specs", "ItemCount", "10", file.c_str()));
  ASSERT_TRUE(::WritePrivateProfileStringA("Options", "OutputName", "x.htm", file.c_str()));
  ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());  // flush

  ResetSettingsState();
  const auto store = OpenSettingsStore(file, file);
  ProgramOptions options;
  WindowSettings window;
  LoadProgramSettings(*store, options, window, nullptr);
  EXPECT_EQ(options.outputName, "x.htm");
  ASSERT_EQ(window.specs.size(), Values().size());
  for (std::size_t i = 0; i < Values().size(); ++i) {
    // The profile functions store values as given: the store reads them as
    // the functions themselves read them back.
    EXPECT_EQ(window.specs[i], ProfileString(file, "Specs", "Item_" + std::to_string(i + 1)))
        << "item " << i + 1;
  }
}

TEST_F(ProfilePeer, HandMadeFilesReadAlike) {
  const std::vector<std::string> files = {
      // A lone carriage return ends a line; a final Ctrl-Z is no text.
      "[S]\rA=1\rB=two\r\nC=end\x1A",
      // Single quotes, double quotes, blanks around names and values.
      "[S]\r\nA='x'\r\nB=\"y\"\r\nC='z\"\r\n  D  =  spaced  \r\nE=\r\n[ T ]\r\nA=t\r\n",
      // Only the first copy of a section counts.
      "[S]\r\nA=first\r\n[U]\r\nA=u\r\n[s]\r\nA=second\r\nB=only in the copy\r\n",
      // "[S" without "]" is no header; text after "]" is ignored.
      "[S]\r\nA=1\r\n[T\r\nB=2\r\n[U] trailing\r\nA=u\r\n",
      // A key without "=" has no value; the first of two keys counts.
      "[S]\r\nA\r\nB=1\r\nB=2\r\nC=a=b\r\n",
      // Brackets inside a section name, as registry paths give them.
      "[C:\\x]y\\Options]\r\nA=1\r\n",
  };
  const std::vector<std::pair<std::string, std::string>> asked = {
      {"S", "A"},      {"S", "B"}, {"S", "C"}, {"S", "D"}, {"S", "E"},
      {"T", "A"},      {"T", "B"}, {"U", "A"}, {"s", "b"}, {"C:\\x]y\\Options", "A"},
      {"S", "Missing"}};
  int n = 0;
  for (const std::string& text : files) {
    const std::string file = dir_.write("hand" + std::to_string(n++) + ".ini", text);
    for (const auto& [section, key] : asked)
      EXPECT_EQ(StoreString(file, section, key), ProfileString(file, section, key))
          << "file " << n - 1 << ", [" << section << "] " << key;
  }
}

TEST_F(ProfilePeer, IntegersReadAlikeExceptATextThatIsNoNumber) {
  const std::string file =
      dir_.write("ints.ini", "[S]\r\nA=12\r\nB= 7 \r\nC=0\r\nD=2147483647\r\nE=abc\r\nF=0x1F\r\n");
  ResetSettingsState();
  TRegOrIni store(file, file);
  for (const char* key : {"A", "B", "C", "D", "F", "Missing"})
    EXPECT_EQ(store.ReadInteger("S", key, -7), ProfileInt(file, "S", key)) << key;
  // A text that is no number gives the store's caller the default, where the
  // profile function answers 0.
  EXPECT_EQ(ProfileInt(file, "S", "E"), 0);
  EXPECT_EQ(store.ReadInteger("S", "E", -7), -7);
}

TEST_F(ProfilePeer, Utf16FilesAreSharedBothWays) {
  const std::string text = "caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC";
  // The store's UTF-16 file, read by the wide profile function.
  const std::string file =
      dir_.write("unicode.ini", EncodeIniText("[S]\r\nA=old\r\n", IniEncoding::Utf16Le));
  {
    ResetSettingsState();
    TRegOrIni store(file, file);
    store.WriteString("S", "A", text);
    store.WriteString("New", "B", "'quoted'");
    store.Close();
  }
  wchar_t buffer[256] = {};
  ::GetPrivateProfileStringW(L"S", L"A", L"", buffer, 256, Wide(file).c_str());
  EXPECT_EQ(std::wstring(buffer), Wide(text));
  ::GetPrivateProfileStringW(L"New", L"B", L"", buffer, 256, Wide(file).c_str());
  EXPECT_EQ(std::wstring(buffer), L"'quoted'");

  // The wide profile function's write into it, read by the store.
  ASSERT_TRUE(
      ::WritePrivateProfileStringW(L"S", L"C", Wide(text + "!").c_str(), Wide(file).c_str()));
  ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, Wide(file).c_str());
  EXPECT_EQ(StoreString(file, "S", "C"), text + "!");
  EXPECT_EQ(StoreString(file, "S", "A"), text);
  EXPECT_EQ(ScratchDir::read(file).substr(0, 2), "\xFF\xFE");
}

}  // namespace
}  // namespace pixdeck
