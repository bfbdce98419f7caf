#include "test_child.h"

#ifndef _WIN32

#include <gtest/gtest.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "scratch_dir.h"

// NOLINTNEXTLINE(readability-redundant-declaration): POSIX has programs declare it themselves
extern char** environ;

namespace pixdeck::test {

namespace fs = std::filesystem;

namespace {

constexpr const char* kChildVariable = "PIXDECK_TEST_CHILD";

// Everyone may enter, read and run, as the unprivileged child must.
constexpr fs::perms kOpenFolder = fs::perms::all | fs::perms::sticky_bit;
constexpr fs::perms kOpenProgram = fs::perms::owner_all | fs::perms::group_read |
                                   fs::perms::group_exec | fs::perms::others_read |
                                   fs::perms::others_exec;

}  // namespace

bool RunningAsRoot() {
  return ::geteuid() == 0;
}

bool InChildTestProgram() {
  return std::getenv(kChildVariable) != nullptr;
}

int RunCurrentCaseInChild(bool unprivileged) {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string filter =
      std::string("--gtest_filter=") + info->test_suite_name() + "." + info->name();

  ScratchDir scratch;
  fs::permissions(scratch.path(), kOpenFolder);
  fs::create_directories(scratch.path() / "program");
  fs::create_directories(scratch.path() / "tmp");
  fs::permissions(scratch.path() / "program", kOpenFolder);
  fs::permissions(scratch.path() / "tmp", kOpenFolder);
  const fs::path program = scratch.path() / "program" / "test-program";
  fs::copy_file(fs::read_symlink("/proc/self/exe"), program);
  fs::permissions(program, kOpenProgram);

  std::vector<std::string> env;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    if (text.rfind("TMPDIR=", 0) != 0) {
      env.push_back(text);
    }
  }
  env.push_back("TMPDIR=" + (scratch.path() / "tmp").string());
  env.push_back(std::string(kChildVariable) + "=1");

  std::vector<std::string> args;
  if (unprivileged) {
    const passwd* nobody = ::getpwnam("nobody");
    if (nobody == nullptr) {
      ADD_FAILURE() << "no user \"nobody\" to run the case as";
      return -1;
    }
    args = {"/usr/bin/setpriv", "--reuid=" + std::to_string(nobody->pw_uid),
            "--regid=" + std::to_string(nobody->pw_gid), "--clear-groups", "--"};
    env.push_back("HOME=" + (scratch.path() / "tmp").string());
  }
  args.push_back(program.string());
  args.push_back(filter);

  std::vector<char*> argv, envp;
  for (std::string& arg : args) {
    argv.push_back(arg.data());
  }
  argv.push_back(nullptr);
  for (std::string& entry : env) {
    envp.push_back(entry.data());
  }
  envp.push_back(nullptr);

  pid_t pid = -1;
  if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) {
    ADD_FAILURE() << "cannot start " << argv[0];
    return -1;
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace pixdeck::test

#endif
