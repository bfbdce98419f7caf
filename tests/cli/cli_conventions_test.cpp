// pixdeck-cli as scripts use it: the page on standard output, one prefixed
// line per message, --quiet, progress on a terminal only, --no-settings.
// Each case runs the built program with its streams kept apart.
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "command_run.h"
#include "scratch_dir.h"

namespace {

namespace fs = std::filesystem;
using pixdeck::test::ScratchDir;
using Outcome = pixdeck::test::CommandOutcome;
using pixdeck::test::ShellQuoted;

// Runs program with arguments (already quoted) in folder, through a shell,
// its standard output and error caught apart in files of streams.
Outcome RunIn(const ScratchDir& streams, const std::string& folder, const std::string& program,
              const std::string& arguments) {
  const std::string out = streams.file("stdout");
  const std::string err = streams.file("stderr");
  const std::string command = "cd " + ShellQuoted(folder) +
                              " && XDG_CONFIG_HOME=" + ShellQuoted(streams.file("config")) + " " +
                              ShellQuoted(program) + " " + arguments + " >" + ShellQuoted(out) +
                              " 2>" + ShellQuoted(err) + " </dev/null";
  const int raw = std::system(command.c_str());
  Outcome outcome;
  outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  outcome.out = ScratchDir::read(out);
  outcome.err = ScratchDir::read(err);
  return outcome;
}

// Every message is one line that names the program.
void ExpectOneMessage(const Outcome& run, const std::string& what) {
  SCOPED_TRACE(what);
  ASSERT_FALSE(run.err.empty());
  EXPECT_EQ(run.err.rfind("pixdeck-cli: ", 0), 0u) << run.err;
  EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
  EXPECT_EQ(run.err.find('\r'), std::string::npos) << run.err;
  EXPECT_EQ(run.out, "");
}

class CliConventions : public ::testing::Test {
 protected:
  void SetUp() override {
    pics_ = dir_.file("pics");
    dir_.write("pics/a.gif", "GIF89a");
    dir_.write("pics/b c.jpg", "1234");
    fs::create_directories(dir_.file("work"));
  }
  Outcome Run(const std::string& arguments) {
    return RunIn(streams_, dir_.file("work"), PIXDECK_CLI_PATH, arguments);
  }

  ScratchDir dir_;
  ScratchDir streams_;
  std::string pics_;
};

TEST_F(CliConventions, DashWritesThePageToStandardOutputAndNoFile) {
  const Outcome run = Run("--no-settings -o - " + ShellQuoted(pics_));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.rfind("<HTML>", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("</HTML>"), std::string::npos);
  // Nobody knows where the page will be kept: its links carry the folder.
  EXPECT_NE(run.out.find("SRC=\"file://" + pics_ + "/a.gif\""), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("b c.jpg\"><BR>b c.jpg (4 bytes)"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("page:"), std::string::npos) << "nothing else on standard output";
  EXPECT_EQ(run.err, "pixdeck-cli: count: 2\n");
  EXPECT_FALSE(fs::exists(dir_.file("work/-")));
  EXPECT_FALSE(fs::exists(dir_.file("pics/-")));
  EXPECT_FALSE(fs::exists(dir_.file("pics/images.htm")));

  const Outcome quiet = Run("--no-settings --quiet -o - " + ShellQuoted(pics_));
  EXPECT_EQ(quiet.status, 0);
  EXPECT_EQ(quiet.out, run.out);
  EXPECT_EQ(quiet.err, "");

  // A page on standard output cannot be opened in a browser.
  const Outcome view = Run("--no-settings --view -o - " + ShellQuoted(pics_));
  EXPECT_EQ(view.status, 2);
  ExpectOneMessage(view, "--view with -o -");

  const Outcome none = Run("--no-settings -s '*.png' -o - " + ShellQuoted(pics_));
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.err, "pixdeck-cli: No files found!\n");
  EXPECT_EQ(none.out, "");
}

// Names that have no place for a new file: standard output by its device
// names, a FIFO and a device take the page as it is written.
TEST_F(CliConventions, DevicesAndFifosTakeThePageAsAStream) {
  const Outcome dash = Run("--no-settings -q -o - " + ShellQuoted(pics_));
  for (const char* alias : {"/dev/stdout", "/dev/fd/1", "/proc/self/fd/1"}) {
    const Outcome run = Run(std::string("--no-settings -o ") + alias + " " + ShellQuoted(pics_));
    EXPECT_EQ(run.status, 0) << alias << ": " << run.err;
    EXPECT_EQ(run.out, dash.out) << alias;
    EXPECT_EQ(run.err, "pixdeck-cli: count: 2\n") << alias;
  }

  const Outcome null = Run("--no-settings -o /dev/null " + ShellQuoted(pics_));
  EXPECT_EQ(null.status, 0) << null.err;
  EXPECT_EQ(null.out, "page: /dev/null\ncount: 2\n");
  struct stat info {};
  ASSERT_EQ(stat("/dev/null", &info), 0);
  EXPECT_TRUE(S_ISCHR(info.st_mode)) << "still the device";
  EXPECT_EQ(Run("--no-settings --view -o /dev/null " + ShellQuoted(pics_)).status, 2);

  const std::string fifo = dir_.file("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string got = dir_.file("got.htm");
  const std::string command = "cat " + ShellQuoted(fifo) + " >" + ShellQuoted(got) + " & " +
                              ShellQuoted(PIXDECK_CLI_PATH) + " --no-settings -o " +
                              ShellQuoted(fifo) + " " + ShellQuoted(pics_) + " >" +
                              ShellQuoted(dir_.file("out")) + "; s=$?; wait; exit $s";
  const int raw = std::system(command.c_str());
  EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 0);
  EXPECT_EQ(ScratchDir::read(got), dash.out);
  EXPECT_EQ(ScratchDir::read(dir_.file("out")), "page: " + fifo + "\ncount: 2\n");
}

// A standard output that cannot take the page is a failure, not a success.
TEST_F(CliConventions, AFullStandardOutputFails) {
  if (!fs::exists("/dev/full")) {
    GTEST_SKIP() << "no /dev/full";
  }
  const std::string command = ShellQuoted(PIXDECK_CLI_PATH) + " --no-settings -o - " +
                              ShellQuoted(pics_) + " >/dev/full 2>" +
                              ShellQuoted(streams_.file("err"));
  const int raw = std::system(command.c_str());
  EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 1);
  EXPECT_EQ(ScratchDir::read(streams_.file("err")),
            "pixdeck-cli: Cannot write the page to standard output\n");
}

TEST_F(CliConventions, EveryMessageIsOnePrefixedLineWithControlsEscaped) {
  const std::string odd = dir_.file("new\nline\tand\x1b[31mred");
  const Outcome missing = Run(ShellQuoted(odd));
  EXPECT_EQ(missing.status, 2);
  ExpectOneMessage(missing, "missing folder");
  EXPECT_NE(missing.err.find("new\\nline\\tand\\x1B[31mred"), std::string::npos) << missing.err;

  const Outcome unwritable =
      Run("--no-settings -o " + ShellQuoted(odd + "/x.htm") + " " + ShellQuoted(pics_));
  EXPECT_EQ(unwritable.status, 1);
  ExpectOneMessage(unwritable, "page not written");
  EXPECT_NE(unwritable.err.find("new\\nline"), std::string::npos) << unwritable.err;

  const Outcome none = Run("--no-settings -s '*.png' " + ShellQuoted(pics_));
  EXPECT_EQ(none.status, 1);
  ExpectOneMessage(none, "no files");

  const Outcome bogus = Run("--bogus " + ShellQuoted(pics_));
  EXPECT_EQ(bogus.status, 2);
  ExpectOneMessage(bogus, "bad option");

  const Outcome colour = Run("--no-settings -c 'No\nSuch' " + ShellQuoted(pics_));
  EXPECT_EQ(colour.status, 2);
  ExpectOneMessage(colour, "unknown colour");
  EXPECT_NE(colour.err.find("No\\nSuch"), std::string::npos) << colour.err;
}

TEST_F(CliConventions, QuietPrintsNothingButErrors) {
  const Outcome run = Run("--no-settings --quiet " + ShellQuoted(pics_));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
  EXPECT_NE(ScratchDir::read(dir_.file("pics/images.htm")).find("a.gif (6 bytes)"),
            std::string::npos);

  const Outcome failed = Run("--no-settings -q -s '*.png' " + ShellQuoted(pics_));
  EXPECT_EQ(failed.status, 1);
  EXPECT_EQ(failed.err, "pixdeck-cli: No files found!\n");
}

// A settings file beside a copy of the program gives the defaults, unless
// --no-settings, which does not even look at it.
TEST_F(CliConventions, NoSettingsTakesTheBuiltInDefaultsAndReadsNoFile) {
  ScratchDir bin;
  const std::string program = bin.file("pixdeck-cli");
  fs::copy_file(PIXDECK_CLI_PATH, program);
  bin.write("pixdeck.INI", "[Options]\nOutputName=saved.htm\nUrlBaseName=http://example.org/p/\n");

  const Outcome saved = RunIn(streams_, dir_.file("work"), program, ShellQuoted(pics_));
  EXPECT_EQ(saved.status, 0) << saved.err;
  EXPECT_EQ(saved.out, "page: " + dir_.file("pics/saved.htm") + "\ncount: 2\n");

  const Outcome builtIn =
      RunIn(streams_, dir_.file("work"), program, "--no-settings " + ShellQuoted(pics_));
  EXPECT_EQ(builtIn.status, 0) << builtIn.err;
  EXPECT_EQ(builtIn.out, "page: " + dir_.file("pics/images.htm") + "\ncount: 2\n");
  EXPECT_EQ(builtIn.err, "");
  EXPECT_EQ(ScratchDir::read(dir_.file("pics/images.htm")).find("example.org/p/"),
            std::string::npos);

  // A settings file that cannot be read is reported when it is read at all.
  fs::remove(bin.file("pixdeck.INI"));
  fs::create_directory(bin.file("pixdeck.INI"));
  const Outcome broken = RunIn(streams_, dir_.file("work"), program, ShellQuoted(pics_));
  EXPECT_EQ(broken.status, 0);
  ExpectOneMessage(Outcome{0, "", broken.err}, "unreadable settings");
  const Outcome untouched =
      RunIn(streams_, dir_.file("work"), program, "--no-settings " + ShellQuoted(pics_));
  EXPECT_EQ(untouched.status, 0);
  EXPECT_EQ(untouched.err, "");
  EXPECT_FALSE(fs::exists(streams_.file("config/pixdeck"))) << "no per-user folder made";

  const Outcome both = Run("--no-settings --settings x.ini " + ShellQuoted(pics_));
  EXPECT_EQ(both.status, 2);
  ExpectOneMessage(both, "--settings with --no-settings");
}

TEST_F(CliConventions, HelpSaysWhereTheDefaultsComeFrom) {
  const Outcome help = Run("--help");
  EXPECT_EQ(help.status, 0);
  for (const char* part : {"--no-settings", "--quiet", "pixdeck.INI", "~/.config/pixdeck",
                           "built-in defaults", "standard output"}) {
    EXPECT_NE(help.out.find(part), std::string::npos) << part << " missing from\n" << help.out;
  }
}

// Runs the program with standard error on a terminal (a pseudo-terminal the
// test reads) and standard output in a file.
Outcome RunOnTerminal(const ScratchDir& streams, const std::vector<std::string>& arguments) {
  Outcome outcome;
  const std::string out = streams.file("stdout");
  int master = -1;
  const pid_t child = forkpty(&master, nullptr, nullptr, nullptr);
  if (child < 0) {
    ADD_FAILURE() << "forkpty failed";
    return outcome;
  }
  if (child == 0) {
    std::FILE* file = std::fopen(out.c_str(), "w");
    if (file == nullptr || dup2(fileno(file), STDOUT_FILENO) < 0) {
      _exit(126);
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(PIXDECK_CLI_PATH));
    for (const std::string& argument : arguments) {
      argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    execv(PIXDECK_CLI_PATH, argv.data());
    _exit(127);
  }
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(master, buffer, sizeof buffer);
    if (n > 0) {
      outcome.err.append(buffer, static_cast<std::size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      break;  // EIO once the program has closed the terminal
    }
  }
  close(master);
  int raw = 0;
  waitpid(child, &raw, 0);
  outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  outcome.out = ScratchDir::read(out);
  return outcome;
}

TEST(CliProgress, ShownOnATerminalForALargeFolderOnly) {
  ScratchDir dir;
  ScratchDir streams;
  const std::string big = dir.file("big");
  fs::create_directories(big);
  constexpr int kFiles = 12000;  // beyond what the program calls a large folder
  for (int i = 0; i < kFiles; ++i) {
    std::ofstream(big + "/p" + std::to_string(i) + ".gif") << "GIF89a";
  }
  const std::string page = dir.file("big.htm");

  const Outcome terminal = RunOnTerminal(streams, {"--no-settings", "-o", page, big});
  EXPECT_EQ(terminal.status, 0) << terminal.err;
  EXPECT_EQ(terminal.out, "page: " + page + "\ncount: " + std::to_string(kFiles) + "\n");
  EXPECT_NE(terminal.err.find("\rpixdeck-cli: reading the folder: "), std::string::npos)
      << terminal.err;
  EXPECT_NE(terminal.err.find("\rpixdeck-cli: writing the page: "), std::string::npos)
      << terminal.err;
  // The line is taken away at the end: blanks over it, back to its start.
  ASSERT_FALSE(terminal.err.empty());
  EXPECT_EQ(terminal.err.back(), '\r');
  EXPECT_EQ(terminal.err.find('\n'), std::string::npos) << "one line, rewritten in place";

  const Outcome quiet = RunOnTerminal(streams, {"--no-settings", "--quiet", "-o", page, big});
  EXPECT_EQ(quiet.status, 0);
  EXPECT_EQ(quiet.err, "");

  // Not a terminal: nothing but the result.
  const Outcome piped = RunIn(streams, dir.path().string(), PIXDECK_CLI_PATH,
                              "--no-settings -o " + ShellQuoted(page) + " " + ShellQuoted(big));
  EXPECT_EQ(piped.status, 0);
  EXPECT_EQ(piped.err, "");

  // A small folder on a terminal shows none.
  dir.write("small/a.gif", "GIF89a");
  const Outcome small = RunOnTerminal(streams, {"--no-settings", dir.file("small")});
  EXPECT_EQ(small.status, 0);
  EXPECT_EQ(small.err, "");

  // A message during the run starts on a line of its own.
  const Outcome failed =
      RunOnTerminal(streams, {"--no-settings", "-o", dir.file("gone/x.htm"), big});
  EXPECT_EQ(failed.status, 1);
  const std::size_t message = failed.err.find("pixdeck-cli: Cannot create file");
  ASSERT_NE(message, std::string::npos) << failed.err;
  EXPECT_EQ(failed.err[message - 1], '\r') << failed.err;
}

}  // namespace
