#include "catalog/sort_key.h"

#include <clocale>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <type_traits>

#include "text/name_pattern.h"
#include "text/utf8.h"

namespace pixdeck {

#ifdef _WIN32

// CompareStringW has no key of the same order in the standard library.
bool HaveSortKeys() {
  return false;
}

SortKeyMaker::SortKeyMaker() = default;

void SortKeyMaker::Append(std::string&, std::string_view) {}

#else

namespace {

// The locales whose collation is plain code point order, so that wcscoll is
// wcscmp and a key needs no wcsxfrm.
bool CollatesByCodePoint() {
  const char* name = std::setlocale(LC_COLLATE, nullptr);
  if (name == nullptr) {
    return false;
  }
  return std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0 ||
         std::strncmp(name, "C.", 2) == 0;
}

// Lowers the capitals of eight ASCII bytes at once (no byte has its high bit
// set, so no sum carries into the next byte).
std::uint64_t LowerAsciiWord(std::uint64_t word) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
  const std::uint64_t atLeastA = word + kOnes * (0x80 - 'A');
  const std::uint64_t aboveZ = word + kOnes * (0x7F - 'Z');
  const std::uint64_t capitals = atLeastA & ~aboveZ & (kOnes * 0x80);
  return word | (capitals >> 2);  // 0x80 >> 2 is the 0x20 between capital and small
}

// Copies plain ASCII text with its capitals lowered.
void LowerAscii(char* out, std::string_view text) {
  const char* in = text.data();
  const std::size_t size = text.size();
  if (size < 8) {
    for (std::size_t i = 0; i < size; ++i) {
      out[i] = (in[i] >= 'A' && in[i] <= 'Z') ? static_cast<char>(in[i] + ('a' - 'A')) : in[i];
    }
    return;
  }
  std::uint64_t word;
  for (std::size_t i = 0; i + 8 <= size; i += 8) {
    std::memcpy(&word, in + i, 8);
    word = LowerAsciiWord(word);
    std::memcpy(out + i, &word, 8);
  }
  // The last eight bytes again, overlapping: lowering twice changes nothing.
  std::memcpy(&word, in + size - 8, 8);
  word = LowerAsciiWord(word);
  std::memcpy(out + size - 8, &word, 8);
}

}  // namespace

bool HaveSortKeys() {
  return true;
}

SortKeyMaker::SortKeyMaker() : codePointOrder_(CollatesByCodePoint()) {}

void SortKeyMaker::Append(std::string& out, std::string_view name) {
  const bool ascii = IsAscii(name);
  if (codePointOrder_ && ascii) {
    // Folding plain ASCII only lowers its capitals.
    const std::size_t start = out.size();
    out.resize(start + name.size());
    LowerAscii(out.data() + start, name);
    return;
  }
  folded_.clear();
  if (ascii) {
    for (const char c : name) {
      folded_.push_back(static_cast<wchar_t>(FoldCase(static_cast<unsigned char>(c))));
    }
  } else {
    for (const char32_t c : DecodeUtf8(name)) {
      folded_.push_back(static_cast<wchar_t>(FoldCase(c)));
    }
  }
  if (codePointOrder_) {
    // UTF-8's byte order is code point order, so a folded name written back
    // as UTF-8 compares with memcmp as its code points compare with wcscmp.
    for (const wchar_t c : folded_) {
      AppendUtf8CodePoint(out, static_cast<char32_t>(c));
    }
    return;
  }
  // wcsxfrm's results compare with wcscmp as the originals compare with
  // wcscoll; each wide unit goes out as four bytes, most significant first.
  transformed_.resize(folded_.size() * 4 + 1);
  std::size_t length = std::wcsxfrm(transformed_.data(), folded_.c_str(), transformed_.size());
  if (length >= transformed_.size()) {
    transformed_.resize(length + 1);
    length = std::wcsxfrm(transformed_.data(), folded_.c_str(), transformed_.size());
  }
  for (std::size_t i = 0; i < length; ++i) {
    const auto unit =
        static_cast<std::uint32_t>(static_cast<std::make_unsigned_t<wchar_t> >(transformed_[i]));
    out.push_back(static_cast<char>(unit >> 24));
    out.push_back(static_cast<char>((unit >> 16) & 0xFF));
    out.push_back(static_cast<char>((unit >> 8) & 0xFF));
    out.push_back(static_cast<char>(unit & 0xFF));
  }
}

#endif

std::string SortKeyOf(std::string_view name) {
  std::string key;
  SortKeyMaker().Append(key, name);
  return key;
}

}  // namespace pixdeck
