// Decoding UTF-8 into code points. A file name is only bytes on POSIX, so any
// byte string must decode: every byte that does not begin a well-formed
// sequence (a stray continuation byte, an overlong form, an encoded surrogate,
// a code point above U+10FFFF, a truncated sequence) decodes on its own to a
// lone surrogate U+DC80..U+DCFF. Such a value never equals a real character,
// so malformed bytes are never taken for "." or "*", and encoding gives the
// original bytes back.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pixdeck {

// The code point that stands for the malformed byte b (0x80..0xFF).
constexpr char32_t EscapedByte(unsigned char b) {
  return 0xDC00 + b;
}
// True for a code point that stands for a malformed byte.
constexpr bool IsEscapedByte(char32_t c) {
  return c >= 0xDC80 && c <= 0xDCFF;
}

// The length (1 to 4) of the well-formed UTF-8 sequence that begins at
// text[at], or 0 when the byte there begins none.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at);

// The well-formed UTF-8 sequence that begins at text[at]: its code point and
// its length (1 to 4); a length of 0 when the byte there begins none.
struct Utf8Sequence {
  char32_t codePoint = 0;
  std::size_t length = 0;
};
Utf8Sequence Utf8SequenceAt(std::string_view text, std::size_t at);

// Appends c as UTF-8 as it is, a surrogate too (no check, no escaping).
void AppendUtf8CodePoint(std::string& out, char32_t c);

std::u32string DecodeUtf8(std::string_view text);
// The inverse of DecodeUtf8: escaped bytes become their byte again. Other
// surrogates and values above U+10FFFF become U+FFFD.
std::string EncodeUtf8(std::u32string_view text);
// Simple case folding: ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic
// capitals to their small letters - the letters file names usually carry.
char32_t FoldCase(char32_t c);

}  // namespace pixdeck
