#include "settings/ini_encoding.h"

#include <cstdint>

#include "text/utf8.h"

namespace pixdeck {
namespace {

// Windows-1252 for the bytes 0x80 to 0x9F (the rest is Latin-1); the five
// bytes it leaves undefined stand for themselves.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t FromCp1252(unsigned char byte) {
  return (byte >= 0x80 && byte <= 0x9F) ? kCp1252High[byte - 0x80] : byte;
}

// The code point of the UTF-8 sequence at text[at], advancing at; a byte that
// starts no valid sequence is read as Windows-1252.
char32_t NextCodePoint(std::string_view text, std::size_t& at) {
  const Utf8Sequence sequence = Utf8SequenceAt(text, at);
  if (sequence.length == 0) {
    return FromCp1252(static_cast<unsigned char>(text[at++]));
  }
  at += sequence.length;
  return sequence.codePoint;
}

void AppendUnit(std::string& out, char16_t unit, bool bigEndian) {
  const char high = static_cast<char>(unit >> 8);
  const char low = static_cast<char>(unit & 0xFF);
  out.push_back(bigEndian ? high : low);
  out.push_back(bigEndian ? low : high);
}

}  // namespace

std::optional<DecodedIni> DecodeIniBytes(std::string_view bytes) {
  DecodedIni decoded;
  const bool little = bytes.substr(0, 2) == "\xFF\xFE";
  const bool big = bytes.substr(0, 2) == "\xFE\xFF";
  if (!little && !big) {
    decoded.text = bytes;
    return decoded;
  }
  decoded.encoding = little ? IniEncoding::Utf16Le : IniEncoding::Utf16Be;
  bytes.remove_prefix(2);
  if (bytes.size() % 2 != 0) {
    return std::nullopt;
  }
  decoded.text.reserve(bytes.size());
  const auto unitAt = [&](std::size_t i) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    return static_cast<char16_t>(little ? (second << 8 | first) : (first << 8 | second));
  };
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    const char16_t unit = unitAt(i);
    if (unit >= 0xDC00 && unit <= 0xDFFF) {
      return std::nullopt;
    }
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      if (i + 3 >= bytes.size()) {
        return std::nullopt;
      }
      const char16_t low = unitAt(i + 2);
      if (low < 0xDC00 || low > 0xDFFF) {
        return std::nullopt;
      }
      AppendUtf8CodePoint(decoded.text, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
      i += 2;
      continue;
    }
    AppendUtf8CodePoint(decoded.text, unit);
  }
  return decoded;
}

std::string EncodeIniText(std::string_view text, IniEncoding encoding) {
  if (encoding == IniEncoding::Bytes) {
    return std::string(text);
  }
  const bool bigEndian = encoding == IniEncoding::Utf16Be;
  std::string out;
  out.reserve(2 + text.size() * 2);
  AppendUnit(out, 0xFEFF, bigEndian);
  for (std::size_t at = 0; at < text.size();) {
    const char32_t cp = NextCodePoint(text, at);
    if (cp >= 0x10000) {
      AppendUnit(out, static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)), bigEndian);
      AppendUnit(out, static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)), bigEndian);
    } else {
      AppendUnit(out, static_cast<char16_t>(cp), bigEndian);
    }
  }
  return out;
}

}  // namespace pixdeck
