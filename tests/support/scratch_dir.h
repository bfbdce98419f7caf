// A fresh temporary folder for one test, removed with everything in it.
#pragma once

#include <filesystem>
#include <string>

namespace pixdeck::test {

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Native path text of a name inside the folder.
  std::string file(const std::string& name) const;
  // Writes a file (creating folders on the way) and returns its path text.
  std::string write(const std::string& name, const std::string& contents) const;
  static std::string read(const std::string& path);

 private:
  std::filesystem::path path_;
};

}  // namespace pixdeck::test
