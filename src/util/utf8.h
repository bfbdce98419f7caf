// Decoding UTF-8 into code points. Malformed bytes decode as themselves, so
// any byte string (a file name is only bytes on POSIX) can be compared.
#pragma once

#include <string>
#include <string_view>

namespace pixdeck {

std::u32string DecodeUtf8(std::string_view text);
std::string EncodeUtf8(std::u32string_view text);
// Simple case folding: ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic
// capitals to their small letters - the letters file names usually carry.
char32_t FoldCase(char32_t c);

}  // namespace pixdeck
