#include "catalog/html_text.h"

#include <array>

#include "text/utf8.h"

namespace pixdeck {

namespace {

// What an ASCII byte becomes on the page; empty when it stays as it is.
using Replacements = std::array<std::string_view, 128>;

constexpr Replacements MakeReplacements() {
  // U+2400 + c in UTF-8 for the controls 0x00..0x1F, U+2421 for DEL.
  constexpr std::string_view kPictures[32] = {
      "\u2400", "\u2401", "\u2402", "\u2403", "\u2404", "\u2405", "\u2406", "\u2407",
      "\u2408", "\u2409", "\u240A", "\u240B", "\u240C", "\u240D", "\u240E", "\u240F",
      "\u2410", "\u2411", "\u2412", "\u2413", "\u2414", "\u2415", "\u2416", "\u2417",
      "\u2418", "\u2419", "\u241A", "\u241B", "\u241C", "\u241D", "\u241E", "\u241F"};
  Replacements table{};
  for (int c = 0; c < 32; ++c) {
    table[c] = kPictures[c];
  }
  table[0x7F] = "\u2421";
  table['&'] = "&amp;";
  table['<'] = "&lt;";
  table['>'] = "&gt;";
  table['"'] = "&quot;";
  return table;
}

constexpr Replacements kReplacements = MakeReplacements();
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

}  // namespace

void AppendHtmlEscaped(std::string& out, std::string_view text) {
  std::size_t start = 0;  // first byte not yet copied
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    std::string_view replacement;
    std::size_t length = 1;
    if (c < 0x80) {
      replacement = kReplacements[c];
      if (replacement.empty()) {
        ++i;
        continue;
      }
    } else {
      length = Utf8SequenceLength(text, i);
      if (length != 0) {
        i += length;
        continue;
      }
      replacement = kReplacementCharacter;
      length = 1;
    }
    out.append(text, start, i - start);
    out.append(replacement);
    i += length;
    start = i;
  }
  out.append(text, start, std::string_view::npos);
}

std::string HtmlEscaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendHtmlEscaped(out, text);
  return out;
}

}  // namespace pixdeck
