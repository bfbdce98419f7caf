#include "catalog/readable_color.h"

#include <algorithm>
#include <cmath>

namespace pixdeck {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

double Linear(std::uint8_t channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

std::optional<Rgb> ParseColorCode(std::string_view code) {
  if (code.size() != 6 && code.size() != 3) {
    return std::nullopt;
  }
  int digits[6] = {};
  for (std::size_t i = 0; i < code.size(); ++i) {
    digits[i] = HexDigit(code[i]);
    if (digits[i] < 0) {
      return std::nullopt;
    }
  }
  const auto channel = [&](std::size_t i) {
    return code.size() == 6 ? static_cast<std::uint8_t>(digits[2 * i] * 16 + digits[2 * i + 1])
                            : static_cast<std::uint8_t>(digits[i] * 17);
  };
  return Rgb{channel(0), channel(1), channel(2)};
}

std::string CssColor(Rgb color) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text = "#";
  for (const std::uint8_t c : {color.red, color.green, color.blue}) {
    text.push_back(kHex[c >> 4]);
    text.push_back(kHex[c & 0xF]);
  }
  return text;
}

double RelativeLuminance(Rgb color) {
  return 0.2126 * Linear(color.red) + 0.7152 * Linear(color.green) + 0.0722 * Linear(color.blue);
}

double ContrastRatio(Rgb a, Rgb b) {
  const double la = RelativeLuminance(a);
  const double lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb ReadableTextColor(Rgb background) {
  constexpr Rgb kBlack{0, 0, 0};
  constexpr Rgb kWhite{255, 255, 255};
  return ContrastRatio(background, kBlack) >= ContrastRatio(background, kWhite) ? kBlack : kWhite;
}

}  // namespace pixdeck
