#include "unprivileged.h"

#ifndef _WIN32

#include <gtest/gtest.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "scratch_dir.h"

extern char** environ;

namespace pixdeck::test {

namespace fs = std::filesystem;

bool RunningAsRoot() {
  return ::geteuid() == 0;
}

int RunCurrentCaseUnprivileged() {
  const passwd* nobody = ::getpwnam("nobody");
  if (nobody == nullptr) {
    ADD_FAILURE() << "no user \"nobody\" to run the case as";
    return -1;
  }
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string filter =
      std::string("--gtest_filter=") + info->test_suite_name() + "." + info->name();

  // The build folder may be closed to other users: the child runs from a
  // copy in a folder that everyone may enter, and keeps its scratch files
  // there too.
  ScratchDir home;
  fs::permissions(home.path(), fs::perms::all | fs::perms::sticky_bit);
  const fs::path program = home.path() / "test-program";
  fs::copy_file(fs::read_symlink("/proc/self/exe"), program);
  fs::permissions(program, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                               fs::perms::others_read | fs::perms::others_exec);

  std::vector<std::string> env;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    if (text.rfind("TMPDIR=", 0) != 0 && text.rfind("HOME=", 0) != 0)
      env.push_back(text);
  }
  env.push_back("TMPDIR=" + home.path().string());
  env.push_back("HOME=" + home.path().string());

  const std::string uid = "--reuid=" + std::to_string(nobody->pw_uid);
  const std::string gid = "--regid=" + std::to_string(nobody->pw_gid);
  std::vector<std::string> args = {"/usr/bin/setpriv", uid,   gid, "--clear-groups", "--",
                                   program.string(),   filter};
  std::vector<char*> argv, envp;
  for (std::string& arg : args)
    argv.push_back(arg.data());
  argv.push_back(nullptr);
  for (std::string& entry : env)
    envp.push_back(entry.data());
  envp.push_back(nullptr);

  pid_t pid = -1;
  if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) {
    ADD_FAILURE() << "cannot start setpriv";
    return -1;
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace pixdeck::test

#endif
