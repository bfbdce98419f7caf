// How the settings store reads an integer from its text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pixdeck {

// The stored text as an integer: decimal with an optional sign, or "0x"/"0X"
// and up to 32 bits of hexadecimal; blanks around it are ignored. Nothing for
// any other text or a value beyond 32 bits.
std::optional<std::int32_t> ParseStoredInteger(const std::string& stored);

}  // namespace pixdeck
