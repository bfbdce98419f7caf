// The rules the INI text shares with the Windows profile functions, the file
// encodings, and settings files that cannot be used.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "settings/ini_encoding.h"
#include "settings/ini_file.h"
#include "settings/ini_text.h"
#include "settings/program_settings.h"
#include "settings/reg_or_ini.h"
#include "settings_fixture.h"
#include "text/utf8_path.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace pixdeck {
namespace {

namespace fs = std::filesystem;
using test::ScratchDir;

TEST(IniProfileRules, LinesEndAtALoneCarriageReturnAndAFinalCtrlZIsNoText) {
  const std::string text = "[S]\rOne=1\rTwo=2\r\nLast=end\x1A";
  IniText ini(text);
  EXPECT_EQ(ini.Find("S", "One"), "1");
  EXPECT_EQ(ini.Find("S", "Two"), "2");
  EXPECT_EQ(ini.Find("S", "Last"), "end");
  // The last line gets the file's first line break; the mark stays last.
  EXPECT_EQ(ini.Render(), "[S]\rOne=1\rTwo=2\r\nLast=end\r\x1A");
  // The mark stays at the very end when a section is added.
  ini.Write("New", "Key", "v");
  const std::string written = ini.Render();
  EXPECT_EQ(written.back(), '\x1A');
  EXPECT_EQ(written.find('\x1A'), written.size() - 1);
  EXPECT_EQ(IniText(written).Find("New", "Key"), "v");
  EXPECT_EQ(IniText(written).Find("S", "Last"), "end");
}

TEST(IniProfileRules, AnOpenBracketWithoutItsCloseIsNoSectionHeader) {
  const IniText ini("[Options]\nA=1\n[Options\nB=2\n[Next] trailing\nC=3\n");
  EXPECT_EQ(ini.Find("Options", "B"), "2");
  EXPECT_FALSE(ini.HasSection("[Options"));
  EXPECT_EQ(ini.Find("Next", "C"), "3");
}

TEST(IniProfileRules, SingleQuotesAreRemovedLikeDoubleOnesAndWritingKeepsThem) {
  IniText ini("[S]\nA='x'\nB='y\"\nC=''\nD='\n");
  EXPECT_EQ(ini.Find("S", "A"), "x");
  EXPECT_EQ(ini.Find("S", "B"), "'y\"");
  EXPECT_EQ(ini.Find("S", "C"), "");
  EXPECT_EQ(ini.Find("S", "D"), "'");
  ini.Write("S", "A", "'kept'");
  ini.Write("S", "E", "end\x1A");
  const IniText reread(ini.Render());
  EXPECT_EQ(reread.Find("S", "A"), "'kept'");
  EXPECT_EQ(reread.Find("S", "E"), "end\x1A");
}

TEST(IniProfileRules, OnlyTheFirstCopyOfASectionCountsAndErasingRemovesEveryCopy) {
  IniText ini("[Specs]\nItemCount=1\nItem_1=a\n[Other]\nX=1\n[SPECS]\nItemCount=3\nItem_3=old\n");
  EXPECT_EQ(ini.Find("Specs", "ItemCount"), "1");
  EXPECT_FALSE(ini.Find("Specs", "Item_3"));
  ini.EraseSection("specs");
  ini.Write("Specs", "ItemCount", "0");
  // No earlier copy comes back to count once the first is gone.
  const IniText reread(ini.Render());
  EXPECT_EQ(reread.Find("Specs", "ItemCount"), "0");
  EXPECT_FALSE(reread.Find("Specs", "Item_3"));
  EXPECT_EQ(reread.Find("Other", "X"), "1");
}

TEST(IniProfileRules, AKeyLineWithoutEqualsIsReplacedByAWriteOfThatKey) {
  IniText ini("[S]\nBare\nNext=1\n");
  EXPECT_FALSE(ini.Find("S", "Bare"));
  ini.Write("S", "bare", "now");
  EXPECT_EQ(ini.Render(), "[S]\nbare=now\nNext=1\n");
}

TEST(IniProfileRules, AListOfTenThousandIsReadAndWrittenInOnePass) {
  // Not a timing: the look-ups must find every item of a long list among
  // many other lines, after in-place changes and additions.
  std::string text = "[Filler]\n";
  for (int i = 0; i < 30000; ++i) {
    text += "F" + std::to_string(i) + "=x\n";
  }
  text += "[Specs]\nItemCount=10000\n";
  for (int i = 1; i <= 10000; ++i) {
    text += "Item_" + std::to_string(i) + "=s" + std::to_string(i) + "\n";
  }
  IniText ini(text);
  for (int i = 1; i <= 10000; i += 999) {
    EXPECT_EQ(ini.Find("Specs", "Item_" + std::to_string(i)), "s" + std::to_string(i));
  }
  for (int i = 1; i <= 12000; ++i) {
    ini.Write("Specs", "Item_" + std::to_string(i), "t" + std::to_string(i));
  }
  const IniText reread(ini.Render());
  EXPECT_EQ(reread.Find("Specs", "Item_1"), "t1");
  EXPECT_EQ(reread.Find("Specs", "Item_12000"), "t12000");
  EXPECT_EQ(reread.Find("Filler", "F29999"), "x");
  EXPECT_EQ(reread.KeyNames("Specs").size(), 12001u);
}

std::string Utf16(const std::u16string& text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

TEST(IniEncodings, Utf16WithAByteOrderMarkDecodesAndEncodesBackTheSame) {
  const std::u16string text = u"[Options]\r\nOutputName=caf\u00E9 \u65E5\U0001F600.htm\r\n";
  for (const bool big : {false, true}) {
    const std::string bytes = Utf16(text, big);
    const auto decoded = DecodeIniBytes(bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->encoding, big ? IniEncoding::Utf16Be : IniEncoding::Utf16Le);
    EXPECT_EQ(decoded->text,
              "[Options]\r\nOutputName=caf\xC3\xA9 \xE6\x97\xA5\xF0\x9F\x98\x80.htm\r\n");
    EXPECT_EQ(EncodeIniText(decoded->text, decoded->encoding), bytes);
  }
  // Bytes that are not UTF-8 go into UTF-16 as Windows-1252.
  EXPECT_EQ(EncodeIniText("\x80\xE9", IniEncoding::Utf16Le), Utf16(u"\u20AC\u00E9", false));
  EXPECT_EQ(DecodeIniBytes("\xEF\xBB\xBF[A]\xE9")->text, "\xEF\xBB\xBF[A]\xE9");
}

TEST(IniEncodings, BrokenUtf16CannotBeDecoded) {
  EXPECT_FALSE(DecodeIniBytes(std::string("\xFF\xFE[\0A", 5)));         // odd length
  EXPECT_FALSE(DecodeIniBytes(std::string("\xFF\xFE\x00\xDC", 4)));     // lone low half
  EXPECT_FALSE(DecodeIniBytes(std::string("\xFF\xFE\x00\xD8[\0", 6)));  // high half alone
  EXPECT_FALSE(DecodeIniBytes(std::string("\xFF\xFE\x00\xD8", 4)));     // cut short
}

class SettingsFiles : public test::SettingsTest {};

TEST_F(SettingsFiles, AUtf16FileIsReadAndSavedAsUtf16) {
  const std::string file =
      dir_.write("pixdeck.INI",
                 Utf16(u"[Options]\r\nOutputName=\u00E9t\u00E9.htm\r\n[Mine]\r\nX=1\r\n", false));
  const auto store = OpenSettingsStore(file, file);
  ProgramOptions options;
  WindowSettings window;
  window.specs = {"*.png", "caf\xC3\xA9*.gif"};
  LoadProgramSettings(*store, options, window, nullptr);
  EXPECT_EQ(options.outputName, "\xC3\xA9t\xC3\xA9.htm");
  ASSERT_TRUE(SaveProgramSettings(*store, options, window));

  const std::string saved = ScratchDir::read(file);
  ASSERT_EQ(saved.substr(0, 2), "\xFF\xFE");
  const auto decoded = DecodeIniBytes(saved);
  ASSERT_TRUE(decoded);
  const IniText reread(decoded->text);
  EXPECT_EQ(reread.Find("Options", "OutputName"), "\xC3\xA9t\xC3\xA9.htm");
  EXPECT_EQ(reread.Find("Specs", "Item_2"), "caf\xC3\xA9*.gif");
  EXPECT_EQ(reread.Find("Mine", "X"), "1");
  // Every line is UTF-16: no 8-bit section was appended.
  EXPECT_EQ(saved.find("[Specs]"), std::string::npos);
}

TEST_F(SettingsFiles, BytesThatAreNotUtf8SurviveALoadAndASaveByteForByte) {
  const std::string file = dir_.write(
      "pixdeck.INI", "[Specs]\r\nItemCount=2\r\nItem_1=Caf\xE9*.gif\r\nItem_2=\x81\x8D\xFF\r\n");
  const auto store = OpenSettingsStore(file, file);
  ProgramOptions options;
  WindowSettings window;
  LoadProgramSettings(*store, options, window, nullptr);
  ASSERT_EQ(window.specs, (std::vector<std::string>{"Caf\xE9*.gif", "\x81\x8D\xFF"}));
  ASSERT_TRUE(SaveProgramSettings(*store, options, window));
  const IniText reread(ScratchDir::read(file));
  EXPECT_EQ(reread.Find("Specs", "Item_1"), "Caf\xE9*.gif");
  EXPECT_EQ(reread.Find("Specs", "Item_2"), "\x81\x8D\xFF");
}

TEST_F(SettingsFiles, AnUndecodableFileIsToldOnceReadAsEmptyAndNeverWritten) {
  const std::string broken("\xFF\xFE[\0O\0p\0t\0", 9);
  const std::string file = dir_.write("pixdeck.INI", broken);
  const auto store = OpenSettingsStore(file, file);
  EXPECT_EQ(store->TakeProblems(),
            std::vector<std::string>{"Cannot read the settings file " + file +
                                     ": its UTF-16 text cannot be decoded"});
  ProgramOptions options;
  WindowSettings window;
  LoadProgramSettings(*store, options, window, nullptr);
  EXPECT_EQ(options, ProgramOptions{});
  EXPECT_FALSE(SaveProgramSettings(*store, options, window));
  EXPECT_TRUE(store->TakeProblems().empty());
  EXPECT_EQ(ScratchDir::read(file), broken);
}

#ifndef _WIN32
TEST_F(SettingsFiles, AFifoOrADeviceIsToldAndNeitherReadNorWritten) {
  const std::string fifo = dir_.file("fifo.INI");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& file : {fifo, std::string("/dev/null")}) {
    ResetSettingsState();
    // Opening a FIFO to read would wait for a writer for ever.
    const auto store = OpenSettingsStore(file, file);
    EXPECT_EQ(store->TakeProblems(), std::vector<std::string>{"Cannot read the settings file " +
                                                              file + ": it is no regular file"});
    ProgramOptions options;
    WindowSettings window;
    LoadProgramSettings(*store, options, window, nullptr);
    EXPECT_FALSE(SaveProgramSettings(*store, options, window));
  }
  struct stat info {};
  ASSERT_EQ(::stat(fifo.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
}
#endif

}  // namespace
}  // namespace pixdeck
