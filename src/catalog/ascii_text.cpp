#include "catalog/ascii_text.h"

#include <algorithm>
#include <cstring>

namespace pixdeck {

AsciiTextTable::AsciiTextTable(const std::function<std::string(std::string_view)>& transform) {
  for (std::size_t c = 0; c < replacement_.size(); ++c) {
    const char byte = static_cast<char>(c);
    replacement_[c] = transform(std::string_view(&byte, 1));
    unchanged_[c] = replacement_[c].size() == 1 && replacement_[c][0] == byte;
    maxGrowth_ = std::max(maxGrowth_, replacement_[c].size());
  }
  padded8_ = maxGrowth_ <= 8;
  if (padded8_) {
    for (std::size_t c = 0; c < replacement_.size(); ++c) {
      std::memcpy(padded_[c].data(), replacement_[c].data(), replacement_[c].size());
      paddedLength_[c] = static_cast<unsigned char>(replacement_[c].size());
    }
  }
}

char* AsciiTextTable::Put(char* out, std::string_view asciiText) const {
  if (padded8_) {
    for (const char byte : asciiText) {
      const auto c = static_cast<unsigned char>(byte);
      std::memcpy(out, padded_[c].data(), 8);
      out += paddedLength_[c];
    }
    return out;
  }
  for (const char byte : asciiText) {
    const auto c = static_cast<unsigned char>(byte);
    if (unchanged_[c]) {
      *out++ = byte;
    } else {
      out = std::copy(replacement_[c].begin(), replacement_[c].end(), out);
    }
  }
  return out;
}

bool AsciiTextTable::Append(std::string& out, std::string_view text) const {
  const std::size_t before = out.size();
  std::size_t run = 0;  // start of the bytes that stay as they are
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      out.resize(before);
      return false;
    }
    if (!unchanged_[c]) {
      out.append(text.data() + run, i - run);
      out.append(replacement_[c]);
      run = i + 1;
    }
  }
  out.append(text.data() + run, text.size() - run);
  return true;
}

}  // namespace pixdeck
