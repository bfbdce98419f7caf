// The byte forms of an INI file. A file that starts with a UTF-16 byte-order
// mark (what Windows editors save as "Unicode", and what the Windows profile
// functions read) is UTF-16 and is written back as such; any other file is
// 8-bit text whose bytes are kept as they are (UTF-8, with or without its
// mark, or an older code page).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pixdeck {

enum class IniEncoding { Bytes, Utf16Le, Utf16Be };

struct DecodedIni {
  std::string text;  // 8-bit files as read; UTF-16 files as UTF-8, without the mark
  IniEncoding encoding = IniEncoding::Bytes;
};

// Nothing when the bytes cannot be decoded: UTF-16 of an odd length or with a
// surrogate that has no partner.
std::optional<DecodedIni> DecodeIniBytes(std::string_view bytes);

// The file's bytes for text. UTF-16 gets its byte-order mark; a byte of text
// that is not UTF-8 is taken as Windows-1252, the code page such bytes come
// from.
std::string EncodeIniText(std::string_view text, IniEncoding encoding);

}  // namespace pixdeck
