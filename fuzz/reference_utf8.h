// The fuzz targets' own reading of UTF-8, written apart from the program's
// decoder so that the two can be held against each other.
#pragma once

#include <cstddef>
#include <string_view>

namespace pixdeck::fuzz {

// Length of the character at text[i]: a well-formed UTF-8 sequence, else one
// byte on its own.
inline std::size_t CharacterLength(std::string_view text, std::size_t i) {
  const auto at = [&](std::size_t k) {
    return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0;
  };
  const auto in = [](unsigned char b, unsigned char low, unsigned char high) {
    return b >= low && b <= high;
  };
  const unsigned char b = at(0);
  if (b < 0x80)
    return 1;
  if (in(b, 0xC2, 0xDF) && in(at(1), 0x80, 0xBF))
    return 2;
  const unsigned char low = b == 0xE0 ? 0xA0 : 0x80, high = b == 0xED ? 0x9F : 0xBF;
  if (in(b, 0xE0, 0xEF) && in(at(1), low, high) && in(at(2), 0x80, 0xBF))
    return 3;
  const unsigned char low4 = b == 0xF0 ? 0x90 : 0x80, high4 = b == 0xF4 ? 0x8F : 0xBF;
  if (in(b, 0xF0, 0xF4) && in(at(1), low4, high4) && in(at(2), 0x80, 0xBF) && in(at(3), 0x80, 0xBF))
    return 4;
  return 1;
}

}  // namespace pixdeck::fuzz
