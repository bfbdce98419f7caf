// The shell's document registration and starting programs.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/file_system.h"
#include "platform/shell.h"
#include "scratch_dir.h"
#include "text/ascii.h"
#include "text/utf8_path.h"
#include "util/paths.h"
#include "win32_test_support.h"

namespace pixdeck {
namespace {

using test::ScratchDir;

TEST(FindExecutable, NamesTheProgramRegisteredForHtmlDocuments) {
  ScratchDir dir;
  const std::string page = dir.write("images.htm", "<HTML></HTML>");
  const std::string program = platform::FindExecutable(page);
  ASSERT_FALSE(program.empty());
  EXPECT_TRUE(platform::FileExists(program)) << program;
  EXPECT_EQ(UpperAscii(ExtOf(program)), "EXE") << program;
}

TEST(FindExecutable, IsEmptyForUnregisteredTypesAndMissingDocuments) {
  ScratchDir dir;
  EXPECT_EQ(platform::FindExecutable(dir.write("notes.pdkunregistered", "x")), "");
  EXPECT_EQ(platform::FindExecutable(dir.file("missing.htm")), "");
  EXPECT_EQ(platform::FindExecutable(""), "");
}

// Starts the recording child and returns what it wrote: its argument count,
// then each argument on a line.
std::string StartChild(const std::string& program, const std::string& argument,
                       const std::string& output) {
  ::SetEnvironmentVariableW(L"PIXDECK_CHILD_OUT", test::Wide(output).c_str());
  if (const Expected<void> started = platform::StartProgram(program, argument); !started)
    return "not started: " + started.error();
  for (int waited = 0; waited < 300 && !platform::FileExists(output); ++waited)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  return ScratchDir::read(output);
}

class StartProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string built =
        JoinPath(DirOf(platform::ProgramFilePath()), "platform_test_child.exe");
    ASSERT_TRUE(platform::FileExists(built));
    // A program folder with blanks, as under "Program Files".
    child_ = dir_.file("Web Browser\\child.exe");
    std::filesystem::create_directories(PathFromUtf8(DirOf(child_)));
    std::filesystem::copy_file(PathFromUtf8(built), PathFromUtf8(child_));
  }
  ScratchDir dir_;
  std::string child_;
};

TEST_F(StartProgram, TheUrlIsTheOneArgumentOfTheProgramInAQuotedPath) {
  EXPECT_EQ(StartChild(child_, "file:///C|\\PICS\\images.htm", dir_.file("a.txt")),
            "1\nfile:///C|\\PICS\\images.htm\n");
}

TEST_F(StartProgram, BlanksQuotesAndBackslashesStayInTheOneArgument) {
  EXPECT_EQ(StartChild(child_, "file:///C|\\My Pictures\\", dir_.file("b.txt")),
            "1\nfile:///C|\\My Pictures\\\n");
  EXPECT_EQ(StartChild(child_, "say \"hi\"\\\" \t tab", dir_.file("c.txt")),
            "1\nsay \"hi\"\\\" \t tab\n");
  EXPECT_EQ(StartChild(child_, "caf\xc3\xa9 \xe2\x82\xac", dir_.file("d.txt")),
            "1\ncaf\xc3\xa9 \xe2\x82\xac\n");
  EXPECT_EQ(StartChild(child_, "", dir_.file("e.txt")), "1\n\n");
}

TEST_F(StartProgram, AMissingProgramIsNotStarted) {
  EXPECT_FALSE(platform::StartProgram(dir_.file("missing.exe"), "x"));
  EXPECT_FALSE(platform::StartProgram("", "x"));
}

}  // namespace
}  // namespace pixdeck
