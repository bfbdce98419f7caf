// Text colours that read on a background colour, by the contrast ratio of
// WCAG 2 (relative luminance of sRGB).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pixdeck {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const Rgb&) const = default;
};

// A colour code of the colour table ("RRGGBB", or "RGB" as CSS reads it);
// nothing for any other text.
std::optional<Rgb> ParseColorCode(std::string_view code);
// "#rrggbb".
std::string CssColor(Rgb color);

double RelativeLuminance(Rgb color);
// From 1 (the same) to 21 (black on white).
double ContrastRatio(Rgb a, Rgb b);
// Black or white, whichever contrasts more with background: at least 4.58:1
// against any colour.
Rgb ReadableTextColor(Rgb background);

}  // namespace pixdeck
