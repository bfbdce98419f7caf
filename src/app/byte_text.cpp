#include "app/byte_text.h"

#include "text/utf8.h"

namespace pixdeck {

QString TextFromBytes(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (std::size_t at = 0; at < bytes.size();) {
    const Utf8Sequence sequence = Utf8SequenceAt(bytes, at);
    const char32_t cp = sequence.codePoint;
    if (sequence.length == 0) {
      text.append(QChar(static_cast<char16_t>(EscapedByte(static_cast<unsigned char>(bytes[at])))));
      ++at;
      continue;
    }
    if (cp >= 0x10000) {
      text.append(QChar(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10))));
      text.append(QChar(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF))));
    } else {
      text.append(QChar(static_cast<char16_t>(cp)));
    }
    at += sequence.length;
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
    } else if (IsEscapedByte(unit)) {
      bytes.push_back(static_cast<char>(unit - EscapedByte(0)));
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      AppendUtf8CodePoint(bytes, 0xFFFD);  // a surrogate that stands for nothing
    } else {
      AppendUtf8CodePoint(bytes, unit);
    }
  }
  return bytes;
}

}  // namespace pixdeck
