#include "settings/stored_integer.h"

#include <string_view>

#include "text/ascii.h"

namespace pixdeck {
namespace {

int DigitValue(char c, int base) {
  int value = 99;
  if (c >= '0' && c <= '9') {
    value = c - '0';
  } else if (c >= 'a' && c <= 'f') {
    value = c - 'a' + 10;
  } else if (c >= 'A' && c <= 'F') {
    value = c - 'A' + 10;
  }
  return value < base ? value : -1;
}

}  // namespace

std::optional<std::int32_t> ParseStoredInteger(const std::string& stored) {
  std::string_view text = TrimAscii(stored);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) {
    return std::nullopt;
  }
  // Hexadecimal covers all 32 bits (0xFFFFFFFF is -1); decimal stays in range.
  const std::uint64_t limit = base == 16 ? 0xFFFFFFFFull : negative ? 0x80000000ull : 0x7FFFFFFFull;
  std::uint64_t value = 0;
  for (const char c : text) {
    const int digit = DigitValue(c, base);
    if (digit < 0) {
      return std::nullopt;
    }
    value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    if (value > limit) {
      return std::nullopt;
    }
  }
  const auto bits = static_cast<std::uint32_t>(value);
  const std::uint32_t result = negative ? 0u - bits : bits;
  return static_cast<std::int32_t>(result);
}

}  // namespace pixdeck
