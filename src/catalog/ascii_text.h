// Per-byte text transformations (HTML escaping, URL encoding) done by table
// for plain ASCII text. The table is taken from the transformation itself,
// once, so the quick way can never give another result than the full one.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace pixdeck {

class AsciiTextTable {
 public:
  static constexpr std::size_t kSlack = 8;

  // transform must treat ASCII text byte by byte: the result of a text is the
  // results of its bytes one after the other.
  explicit AsciiTextTable(const std::function<std::string(std::string_view)>& transform);

  // Appends the transformed text and returns true when text is plain ASCII;
  // otherwise leaves out as it was and returns false.
  bool Append(std::string& out, std::string_view text) const;
  // Writes the transformed text of plain ASCII text (the caller has made
  // sure of that) to out, which has room for MaxGrowth() bytes per byte and
  // kSlack bytes more, and returns the end of what it wrote.
  char* Put(char* out, std::string_view asciiText) const;
  // The longest result of one byte.
  std::size_t MaxGrowth() const { return maxGrowth_; }
  // True for an ASCII byte that the transformation leaves as it is.
  bool Keeps(unsigned char c) const { return c < 0x80 && unchanged_[c]; }

 private:
  std::array<std::string, 128> replacement_;
  std::array<bool, 128> unchanged_{};
  std::size_t maxGrowth_ = 1;
  // Each result padded to eight bytes and its length, so that Put writes a
  // byte's result with one store (when every result fits in eight bytes).
  std::array<std::array<char, 8>, 128> padded_{};
  std::array<unsigned char, 128> paddedLength_{};
  bool padded8_ = false;
};

}  // namespace pixdeck
