// UTF-8 text <-> std::filesystem::path, the same on every platform (on Windows
// a plain std::string would be taken as the ANSI code page).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace pixdeck {

inline std::filesystem::path PathFromUtf8(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace pixdeck
