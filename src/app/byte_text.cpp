#include "app/byte_text.h"

#include "text/utf8.h"

namespace pixdeck {
namespace {

constexpr char16_t kByteBase = 0xDC00;  // U+DC80 ... U+DCFF stand for 0x80 ... 0xFF

// The length of the valid UTF-8 sequence at bytes[at] and its code point;
// 0 when the byte there starts none.
std::size_t SequenceAt(std::string_view bytes, std::size_t at, char32_t& cp) {
  const auto lead = static_cast<unsigned char>(bytes[at]);
  if (lead < 0x80) {
    cp = lead;
    return 1;
  }
  std::size_t extra = 0;
  char32_t least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1, cp = lead & 0x1F, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2, cp = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3, cp = lead & 0x07, least = 0x10000;
  } else {
    return 0;
  }
  if (at + extra >= bytes.size()) {
    return 0;
  }
  for (std::size_t k = 1; k <= extra; ++k) {
    const auto next = static_cast<unsigned char>(bytes[at + k]);
    if ((next & 0xC0) != 0x80) {
      return 0;
    }
    cp = (cp << 6) | (next & 0x3F);
  }
  // Overlong forms, surrogates and code points beyond Unicode are no UTF-8.
  if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    return 0;
  }
  return extra + 1;
}

}  // namespace

QString TextFromBytes(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (std::size_t at = 0; at < bytes.size();) {
    char32_t cp = 0;
    const std::size_t length = SequenceAt(bytes, at, cp);
    if (length == 0) {
      text.append(QChar(static_cast<char16_t>(kByteBase + static_cast<unsigned char>(bytes[at]))));
      ++at;
      continue;
    }
    if (cp >= 0x10000) {
      text.append(QChar(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10))));
      text.append(QChar(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF))));
    } else {
      text.append(QChar(static_cast<char16_t>(cp)));
    }
    at += length;
  }
  return text;
}

std::string BytesFromText(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i].unicode();
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() &&
        text[i + 1].unicode() >= 0xDC00 && text[i + 1].unicode() <= 0xDFFF) {
      const char16_t low = text[++i].unicode();
      AppendUtf8CodePoint(bytes, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
    } else if (unit >= kByteBase + 0x80 && unit <= kByteBase + 0xFF) {
      bytes.push_back(static_cast<char>(unit - kByteBase));
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      AppendUtf8CodePoint(bytes, 0xFFFD);  // a surrogate that stands for nothing
    } else {
      AppendUtf8CodePoint(bytes, unit);
    }
  }
  return bytes;
}

}  // namespace pixdeck
