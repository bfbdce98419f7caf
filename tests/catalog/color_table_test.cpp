#include "catalog/color_table.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <string>

#include "recording_messages.h"
#include "scratch_dir.h"
#include "util/paths.h"
#include "util/program_dirs.h"

namespace pixdeck {
namespace {

using test::RecordingMessages;
using test::ScratchDir;

ColorTable TableOf(std::string_view text) {
  ColorTable table;
  table.AddFromText(text);
  return table;
}

TEST(ColorTable, SplitsLinesAtTheFirstEqualsSignWithoutTrimming) {
  const ColorTable table =
      TableOf("White=FFFFFF\nRed = FF0000\nNavy=000080;dark blue\nBlack=\n=FFFFFF\nno sign\n\n");
  ASSERT_EQ(table.Entries().size(), 4u);
  EXPECT_EQ(table.Entries()[0].name, "White");
  EXPECT_EQ(table.Entries()[0].code, "FFFFFF");
  EXPECT_EQ(table.Entries()[1].name, "Red ");
  EXPECT_EQ(table.Entries()[1].code, " FF000");
  EXPECT_EQ(table.Entries()[2].code, "000080");
  EXPECT_EQ(table.Entries()[3].name, "Black");
  EXPECT_EQ(table.Entries()[3].code, "");
  EXPECT_EQ(table.ColorCodeOf("Black"), "");
}

TEST(ColorTable, AcceptsEveryLineEndAndStopsAtNul) {
  static constexpr char kText[] = "A=1\r\nB=2\rC=3\nD=4\r\n\r\nE=5\0F=6\n";
  const ColorTable table = TableOf(std::string_view(kText, sizeof kText - 1));
  ASSERT_EQ(table.Entries().size(), 5u);
  EXPECT_EQ(table.Entries()[1].name, "B");
  EXPECT_EQ(table.Entries()[2].code, "3");
  EXPECT_EQ(table.Entries()[4].code, "5");
}

TEST(ColorTable, LooksNamesUpIgnoringCaseAndTheFirstDuplicateWins) {
  const ColorTable table = TableOf("Gray=808080\nGRAY=C0C0C0\nSilver=C0C0C0\n");
  EXPECT_EQ(table.Entries().size(), 3u);
  EXPECT_EQ(table.ColorCodeOf("Gray"), "808080");
  EXPECT_EQ(table.ColorCodeOf("GRAY"), "808080");
  EXPECT_EQ(table.ColorCodeOf("silver"), "C0C0C0");
  EXPECT_EQ(table.ColorCodeOf("Silver "), "");
  EXPECT_EQ(table.ColorCodeOf(""), "");
  EXPECT_TRUE(table.HasName("gray"));
  EXPECT_FALSE(table.HasName("Purple"));
  EXPECT_EQ(ColorTable().ColorCodeOf("Gray"), "");
}

TEST(ColorTable, LoadsAFileAndRefusesMissingFilesAndFolders) {
  ScratchDir dir;
  ColorTable table;
  EXPECT_TRUE(table.LoadFromFile(dir.write("Bkcolors.txt", "Teal=008080\r\n")));
  EXPECT_EQ(table.ColorCodeOf("teal"), "008080");
  EXPECT_FALSE(table.LoadFromFile(dir.file("missing.txt")));
  std::filesystem::create_directory(dir.path() / "folder.txt");
  EXPECT_FALSE(table.LoadFromFile(dir.file("folder.txt")));
  EXPECT_EQ(table.Entries().size(), 1u);
}

TEST(ColorTable, CodesAreCutAtSixCharactersNeverInsideOne) {
  const ColorTable table = TableOf(
      "Umlauts=\xC3\x84\xC3\x96\xC3\x9C\xC3\xA4\xC3\xB6\xC3\xBCrest\n"
      "Euro=1234\xE2\x82\xAC"
      "5rest\n"
      "Cut=12345\xE2\x82\xAC\n"
      "Latin1=12345\xE9zz\n"
      "Broken=\xE2\x82xyzw9\n"
      "Emoji=\xF0\x9F\x8E\xA8\xF0\x9F\x8E\xA8\n");
  ASSERT_EQ(table.Entries().size(), 6u);
  EXPECT_EQ(table.Entries()[0].code, "\xC3\x84\xC3\x96\xC3\x9C\xC3\xA4\xC3\xB6\xC3\xBC");
  EXPECT_EQ(table.Entries()[1].code,
            "1234\xE2\x82\xAC"
            "5");
  EXPECT_EQ(table.Entries()[2].code, "12345\xE2\x82\xAC");
  EXPECT_EQ(table.Entries()[3].code, "12345\xE9") << "a stray byte is one character";
  EXPECT_EQ(table.Entries()[4].code, "\xE2\x82xyzw");
  EXPECT_EQ(table.Entries()[5].code, "\xF0\x9F\x8E\xA8\xF0\x9F\x8E\xA8");
}

TEST(ColorTable, AByteOrderMarkAtTheStartBelongsToNoName) {
  const ColorTable table = TableOf("\xEF\xBB\xBFWhite=FFFFFF\r\n\xEF\xBB\xBFRed=FF0000\r\n");
  ASSERT_EQ(table.Entries().size(), 2u);
  EXPECT_EQ(table.Entries()[0].name, "White");
  EXPECT_EQ(table.ColorCodeOf("White"), "FFFFFF");
  EXPECT_EQ(table.Entries()[1].name, "\xEF\xBB\xBFRed") << "only the file's first bytes";
  EXPECT_TRUE(TableOf("\xEF\xBB\xBF=FFFFFF\n").Empty()) << "a line that starts with = after it";
  EXPECT_TRUE(TableOf("\xEF\xBB\xBF").Empty());
}

TEST(ColorTable, ReadsFilesUpToTheSizeCapAndRefusesLargerOnes) {
  ScratchDir dir;
  std::string text = "Teal=008080\n";
  text.resize(kMaxColorFileBytes, '#');
  ColorTable table;
  EXPECT_TRUE(table.LoadFromFile(dir.write("Bkcolors.txt", text)));
  EXPECT_EQ(table.ColorCodeOf("Teal"), "008080");
  text.push_back('#');
  ColorTable large;
  EXPECT_FALSE(large.LoadFromFile(dir.write("large.txt", text)));
  EXPECT_TRUE(large.Empty());
  RecordingMessages messages;
  EXPECT_FALSE(LoadBackColorsFrom(dir.file("large.txt"), large, messages));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            "File \"" + dir.file("large.txt") + "\" not found! Background Colors not available.");
}

#ifndef _WIN32
// Ends the test program if a read blocks, so that a hang shows as a failure.
class Watchdog {
 public:
  Watchdog() { alarm(20); }
  ~Watchdog() { alarm(0); }
};

TEST(ColorTable, OnlyRegularFilesAreRead) {
  ScratchDir dir;
  const std::string fifo = dir.file("Bkcolors.txt");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string zero = dir.file("zero.txt");
  std::filesystem::create_symlink("/dev/zero", zero);
  const std::string linked = dir.file("linked.txt");
  std::filesystem::create_symlink(dir.write("real.txt", "Teal=008080\n"), linked);
  Watchdog watchdog;
  ColorTable table;
  EXPECT_FALSE(table.LoadFromFile(fifo));
  EXPECT_FALSE(table.LoadFromFile(zero));
  EXPECT_FALSE(table.LoadFromFile("/dev/null"));
  EXPECT_TRUE(table.Empty());
  EXPECT_TRUE(table.LoadFromFile(linked)) << "a link to a regular file is read";
  EXPECT_EQ(table.ColorCodeOf("Teal"), "008080");
  RecordingMessages messages;
  ColorTable other;
  EXPECT_FALSE(LoadBackColorsFrom(fifo, other, messages));
  EXPECT_EQ(messages.shown.size(), 1u);
}
#endif

TEST(ColorTable, ShippedFileNamesTheSixteenBasicColours) {
  ColorTable table;
  ASSERT_TRUE(table.LoadFromFile(PIXDECK_SHIPPED_COLOR_FILE));
  const std::pair<const char*, const char*> basic[] = {
      {"Black", "000000"},  {"Silver", "C0C0C0"}, {"Gray", "808080"},   {"White", "FFFFFF"},
      {"Maroon", "800000"}, {"Red", "FF0000"},    {"Purple", "800080"}, {"Fuchsia", "FF00FF"},
      {"Green", "008000"},  {"Lime", "00FF00"},   {"Olive", "808000"},  {"Yellow", "FFFF00"},
      {"Navy", "000080"},   {"Blue", "0000FF"},   {"Teal", "008080"},   {"Aqua", "00FFFF"}};
  for (const auto& [name, code] : basic) {
    EXPECT_EQ(table.ColorCodeOf(name), code) << name;
  }
}

TEST(ColorFile, AMissingFileIsReportedOnceWithItsPath) {
  ScratchDir dir;
  const std::string path = dir.file("Bkcolors.txt");
  ColorTable table;
  RecordingMessages messages;
  EXPECT_FALSE(LoadBackColorsFrom(path, table, messages));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            "File \"" + path + "\" not found! Background Colors not available.");
  EXPECT_EQ(messages.shown[0].kind, MessageKind::Information);
  EXPECT_EQ(messages.defaultBeeps, 1);
  EXPECT_TRUE(table.Empty());
}

TEST(ColorFile, IsLookedForBesideTheProgramThenInShare) {
  const auto candidates = ColorFileCandidates();
  ASSERT_EQ(candidates.size(), 2u);
  EXPECT_EQ(candidates[0], JoinPath(ProgramDir(), "Bkcolors.txt"));
  EXPECT_EQ(candidates[1],
            JoinPath(JoinPath(JoinPath(DirOf(ProgramDir()), "share"), "pixdeck"), "Bkcolors.txt"));
  // The build copies the file beside the programs, the tests included.
  EXPECT_EQ(FindColorFile(), candidates[0]);
  ColorTable table;
  RecordingMessages messages;
  EXPECT_TRUE(LoadBackColors(table, messages));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(table.ColorCodeOf("White"), "FFFFFF");
}

TEST(ColorTable, ThePickedColoursHintNamesItsCodeOrNone) {
  ColorTable table;
  table.AddFromText("White=FFFFFF\nNavy=000080\n");
  EXPECT_EQ(ColorCodeHint(&table, "navy", true), "Color code = #000080");
  EXPECT_EQ(ColorCodeHint(&table, "Navy", false), "Color code = [none]");
  EXPECT_EQ(ColorCodeHint(nullptr, "Navy", true), "Color code = #");
}

}  // namespace
}  // namespace pixdeck
