// Splits a page text into its lines; every line must end with CR LF. A page
// has kHeadLines before its first entry and kFootLines after its last.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pixdeck::test {

inline constexpr std::size_t kHeadLines = 11;
inline constexpr std::size_t kFootLines = 12;

inline std::vector<std::string> PageLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "last line has no CR LF: " << text.substr(start);
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

}  // namespace pixdeck::test
