#include "text/utf8.h"

namespace pixdeck {

namespace {

bool IsContinuation(unsigned char b) {
  return (b & 0xC0) == 0x80;
}

}  // namespace

void AppendUtf8CodePoint(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) {
    return 1;
  }
  // The second byte's range rules out overlong forms (E0, F0), surrogates (ED)
  // and code points above U+10FFFF (F4); C0, C1 and F5..FF never begin one.
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) {
      low = 0xA0;
    } else if (lead == 0xED) {
      high = 0x9F;
    }
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) {
      low = 0x90;
    } else if (lead == 0xF4) {
      high = 0x8F;
    }
  } else {
    return 0;
  }
  if (text.size() - at < length) {
    return 0;
  }
  const auto second = static_cast<unsigned char>(text[at + 1]);
  if (second < low || second > high) {
    return 0;
  }
  for (std::size_t k = 2; k < length; ++k) {
    if (!IsContinuation(static_cast<unsigned char>(text[at + k]))) {
      return 0;
    }
  }
  return length;
}

Utf8Sequence Utf8SequenceAt(std::string_view text, std::size_t at) {
  const std::size_t length = Utf8SequenceLength(text, at);
  if (length == 0) {
    return {};
  }
  const auto lead = static_cast<unsigned char>(text[at]);
  char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    cp = (cp << 6) | (static_cast<unsigned char>(text[at + k]) & 0x3F);
  }
  return {cp, length};
}

std::u32string DecodeUtf8(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const Utf8Sequence sequence = Utf8SequenceAt(text, i);
    if (sequence.length == 0) {
      out.push_back(EscapedByte(static_cast<unsigned char>(text[i])));
      ++i;
      continue;
    }
    out.push_back(sequence.codePoint);
    i += sequence.length;
  }
  return out;
}

std::string EncodeUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) {
    if (IsEscapedByte(c)) {
      out.push_back(static_cast<char>(c - 0xDC00));
    } else if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
      AppendUtf8CodePoint(out, 0xFFFD);
    } else {
      AppendUtf8CodePoint(out, c);
    }
  }
  return out;
}

char32_t FoldCase(char32_t c) {
  if (c < 0x80) {
    return (c >= 'A' && c <= 'Z') ? c + 32 : c;
  }
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {
    return c + 32;  // Latin-1
  }
  if (c == 0x178) {
    return 0xFF;  // Y with diaeresis: its small letter lives in Latin-1
  }
  if (c >= 0x100 && c <= 0x17E && c != 0x130 && c != 0x138 && c != 0x149) {
    // Latin Extended-A: pairs of capital and small letter, capital first; the
    // pairs start on an even code point except from U+0139 to U+0148 and from
    // U+0179 on.
    const bool evenIsCapital = c < 0x138 || (c > 0x149 && c < 0x178);
    if (evenIsCapital) {
      return (c % 2 == 0) ? c + 1 : c;
    }
    return (c % 2 == 1) ? c + 1 : c;
  }
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) {
    return c + 32;  // Greek
  }
  if (c == 0x386) {
    return 0x3AC;  // Greek capitals with tonos
  }
  if (c >= 0x388 && c <= 0x38A) {
    return c + 37;
  }
  if (c == 0x38C) {
    return 0x3CC;
  }
  if (c == 0x38E || c == 0x38F) {
    return c + 63;
  }
  if (c >= 0x410 && c <= 0x42F) {
    return c + 32;  // Cyrillic
  }
  if (c >= 0x400 && c <= 0x40F) {
    return c + 80;
  }
  return c;
}

}  // namespace pixdeck
