#include "settings/ini_text.h"

#include <gtest/gtest.h>

#include <string>

namespace pixdeck {
namespace {

TEST(IniTextReading, NamesIgnoreCaseAndTheFirstMatchWins) {
  const IniText ini(
      "[Options]\nOutputName=first.htm\noutputname=second.htm\n"
      "[OPTIONS]\nBgColor=Red\nOutputName=third.htm\n");
  EXPECT_EQ(ini.Find("options", "OUTPUTNAME"), "first.htm");
  // Only the first section of a name counts, as with the profile functions.
  EXPECT_FALSE(ini.Find("Options", "BgColor"));
  EXPECT_EQ(ini.KeyNames("options"), std::vector<std::string>{"OutputName"});
  EXPECT_FALSE(ini.Find("Options", "Missing"));
  EXPECT_FALSE(ini.Find("Other", "OutputName"));
}

TEST(IniTextReading, TrimsBlanksAndRemovesMatchingQuotes) {
  const IniText ini(
      "  [ Options ]  \n"
      "  Key One  =   spaced value  \n"
      "Quoted=\"  kept blanks \"\n"
      "Half=\"open\n"
      "Inner=a \"b\" c\n"
      "Empty=\n"
      "Equals=a=b\n");
  EXPECT_EQ(ini.Find("Options", "Key One"), "spaced value");
  EXPECT_EQ(ini.Find("Options", "Quoted"), "  kept blanks ");
  EXPECT_EQ(ini.Find("Options", "Half"), "\"open");
  EXPECT_EQ(ini.Find("Options", "Inner"), "a \"b\" c");
  EXPECT_EQ(ini.Find("Options", "Empty"), "");
  EXPECT_EQ(ini.Find("Options", "Equals"), "a=b");
}

TEST(IniTextReading, CommentsAndKeysOutsideSectionsAreNoValues) {
  const IniText ini("Loose=1\n[S]\n;Key=commented\n  ; Key=also\nno equals sign\nKey=real\n");
  EXPECT_EQ(ini.Find("S", "Key"), "real");
  // A line without "=" names a key without a value: listed, read as absent.
  EXPECT_EQ(ini.KeyNames("S"), (std::vector<std::string>{"no equals sign", "Key"}));
  EXPECT_FALSE(ini.Find("S", "no equals sign"));
  EXPECT_FALSE(ini.Find("", "Loose"));
}

TEST(IniTextReading, LongValuesAreReadWhole) {
  const std::string value(100000, 'x');
  const IniText ini("[S]\nKey=" + value + "\n");
  EXPECT_EQ(ini.Find("S", "Key"), value);
}

TEST(IniTextReading, LineBreakMixesByteOrderMarkAndNoFinalLineBreak) {
  const IniText ini("\xEF\xBB\xBF[A]\r\nOne=1\r\nTwo=2\n[B]\rjunk\nThree=3");
  EXPECT_EQ(ini.Find("A", "One"), "1");
  EXPECT_EQ(ini.Find("A", "Two"), "2");
  EXPECT_EQ(ini.Find("B", "Three"), "3");
  EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"A", "B"}));
}

TEST(IniTextReading, SectionNamesHoldingBracketsReadWhole) {
  const IniText ini("[/home/u/[x]/a.ini\\Options]\nKey=1\n");
  EXPECT_EQ(ini.Find("/home/u/[x]/a.ini\\Options", "Key"), "1");
}

TEST(IniTextReading, BinaryJunkParsesWithoutLosingLines) {
  std::string junk;
  for (int i = 0; i < 4096; ++i) {
    junk += static_cast<char>((i * 131 + 7) % 256);
  }
  const std::string text = "[Keep]\nKey=1\n" + junk + "\n[After]\nKey=2\n";
  const IniText ini(text);
  EXPECT_EQ(ini.Find("After", "Key"), "2");
  EXPECT_EQ(IniText(ini.Render()).Render(), ini.Render());
}

TEST(IniTextWriting, UnchangedTextRendersAsRead) {
  const std::string text = "; comment\r\n[A]\r\nKey = value \r\n\r\nunknown line\n[B]\nX=\"q\"\n";
  const IniText ini(text);
  EXPECT_EQ(ini.Render(), text);
  EXPECT_FALSE(ini.Modified());
}

TEST(IniTextWriting, ReplacesTheFirstKeyInPlaceAndKeepsEverythingElse) {
  IniText ini("; my settings\n[Options]\nOutputName=old.htm\n; note\nBgColor=Red\n[Mine]\nA=1\n");
  ini.Write("OPTIONS", "outputname", "new.htm");
  EXPECT_TRUE(ini.Modified());
  EXPECT_EQ(ini.Render(),
            "; my settings\n[Options]\noutputname=new.htm\n; note\nBgColor=Red\n[Mine]\nA=1\n");
}

TEST(IniTextWriting, AddsKeysAtTheEndOfTheFirstSectionBeforeItsBlankLines) {
  IniText ini("[A]\nOne=1\n\n[B]\nX=1\n[A]\nTwo=2\n");
  ini.Write("a", "Three", "3");
  EXPECT_EQ(ini.Render(), "[A]\nOne=1\nThree=3\n\n[B]\nX=1\n[A]\nTwo=2\n");
  // Writes go into the first section, also for a key only a later copy holds.
  ini.Write("A", "Two", "22");
  EXPECT_EQ(ini.Find("A", "Two"), "22");
  EXPECT_EQ(ini.Render(), "[A]\nOne=1\nThree=3\nTwo=22\n\n[B]\nX=1\n[A]\nTwo=2\n");
}

TEST(IniTextWriting, NewSectionsGoAtTheEndInTheFilesLineBreaks) {
  IniText crlf("[A]\r\nOne=1");
  crlf.Write("B", "Key", "v");
  EXPECT_EQ(crlf.Render(), "[A]\r\nOne=1\r\n\r\n[B]\r\nKey=v\r\n");

  IniText empty;
  empty.Write("Options", "Key", "v");
  EXPECT_EQ(IniText(empty.Render()).Find("Options", "Key"), "v");
  EXPECT_EQ(empty.Render().find("\n\n"), std::string::npos);
}

TEST(IniTextWriting, ValuesReadBackAsWritten) {
  const std::string values[] = {
      "",     " leading", "trailing\t",      "\"quoted\"",      "\"",
      "a\"b", "a=b",      "; not a comment", "[not a section]", std::string(3, '\0')};
  IniText ini;
  int n = 0;
  for (const std::string& value : values) {
    ini.Write("S", "K" + std::to_string(n++), value);
  }
  const IniText reread(ini.Render());
  n = 0;
  for (const std::string& value : values) {
    EXPECT_EQ(reread.Find("S", "K" + std::to_string(n++)), value) << "value #" << n;
  }
}

TEST(IniTextWriting, LineBreaksInAValueCannotInjectLines) {
  IniText ini;
  ini.Write("S", "Key", "one\r\n[Evil]\nInjected=1");
  const IniText reread(ini.Render());
  EXPECT_EQ(reread.Find("S", "Key"), "one  [Evil] Injected=1");
  EXPECT_FALSE(reread.HasSection("Evil"));
}

TEST(IniTextWriting, EraseSectionRemovesEveryCopyAndNothingElse) {
  IniText ini("top=1\n[Specs]\nItem_11=x\n[Keep]\nA=1\n[specs]\nItemCount=11\n[Last]\nB=2\n");
  ini.EraseSection("SPECS");
  EXPECT_EQ(ini.Render(), "top=1\n[Keep]\nA=1\n[Last]\nB=2\n");
  EXPECT_FALSE(ini.HasSection("Specs"));
}

}  // namespace
}  // namespace pixdeck
