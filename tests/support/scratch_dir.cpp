#include "scratch_dir.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>

#include "text/utf8_path.h"

namespace pixdeck::test {

namespace fs = std::filesystem;

ScratchDir::ScratchDir() {
  static std::atomic<int> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  path_ = fs::temp_directory_path() /
          ("pixdeck-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  fs::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

std::string ScratchDir::file(const std::string& name) const {
  return Utf8FromPath(path_ / PathFromUtf8(name));
}

std::string ScratchDir::write(const std::string& name, const std::string& contents) const {
  const fs::path target = path_ / PathFromUtf8(name);
  fs::create_directories(target.parent_path());
  std::ofstream out(target, std::ios::binary);
  out << contents;
  return Utf8FromPath(target);
}

std::string ScratchDir::read(const std::string& path) {
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace pixdeck::test
