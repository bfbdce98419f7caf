// The text of an INI file as a document, read as the Windows profile functions
// read it: sections in square brackets (the name runs to the last "]"; a line
// "[Name" without one is no header), one "key=value" line each, ";" comment
// lines. A line ends at CR LF, LF or a lone CR; a Ctrl-Z that ends the text is
// no part of it. Names of sections and keys compare without regard to ASCII
// letter case; only the first section of a name counts, and within it the
// first line of a key. Blanks around names and values are trimmed, and a value
// in matching double or single quotes loses them. A line without "=" names a
// key that has no value: reading it gives the caller's default, writing it
// replaces the line. Every line that is not changed is rendered back exactly
// as it was read, comments, unknown lines and junk included.
//
// Reads and writes cost a hash look-up each, so that a list of N items is read
// and written in one pass over the text, not N.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pixdeck {

class IniText {
 public:
  IniText() = default;
  // Parses any text: binary junk, very long lines, LF, CRLF, lone CR and
  // mixes, a missing final line break, a UTF-8 byte-order mark.
  explicit IniText(std::string_view text);

  // The value of key in the first section named section.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  bool HasSection(std::string_view section) const;
  // Each section name once, spelled as its first header spells it.
  std::vector<std::string> SectionNames() const;
  // The keys of the first section named section, in file order, each once.
  std::vector<std::string> KeyNames(std::string_view section) const;

  // Replaces the first line of key in the first section named section, else
  // adds the line at the end of that section, else adds the section at the
  // end of the text. Line breaks in names or value become blanks (a value
  // cannot span lines); a value that would lose blanks or quotes on reading is
  // written in double quotes.
  void Write(std::string_view section, std::string_view key, std::string_view value);
  // Removes every section named section with all of its lines, so that no
  // later copy of it comes to count in its place.
  void EraseSection(std::string_view section);
  // Removes every line of key from every section named section; the
  // sections' other lines, comments included, stay where they are.
  void EraseKey(std::string_view section, std::string_view key);

  // The document as file text; unchanged lines keep their own line breaks,
  // new lines take those of the first line read (else the platform's).
  std::string Render() const;
  // True once Write or EraseSection changed something since reading or the
  // last MarkSaved.
  bool Modified() const { return modified_; }
  void MarkSaved() { modified_ = false; }

 private:
  enum class Kind : std::uint8_t { Other, Section, Key };
  enum class Break : std::uint8_t { Lf, CrLf, Cr };
  struct Line {
    std::string text;  // as read or rendered, without its line break
    Break lineBreak = Break::Lf;
    Kind kind = Kind::Other;
    bool hasValue = false;  // key lines: whether an "=" gave a value
    std::string name;       // section name or key, trimmed
    std::string value;      // key lines: the value as read
  };
  // A section header and its lines; the first block holds the lines before
  // any header and has none.
  struct Block {
    std::vector<Line> lines;                            // lines[0] is the header, except in block 0
    std::unordered_map<std::string, std::size_t> keys;  // folded key -> first line
    bool erased = false;
  };

  static Line Parse(std::string text, Break lineBreak);
  static std::string Fold(std::string_view name);
  void AddLine(Line line);
  const Block* FirstBlock(std::string_view section) const;

  std::string bom_;
  std::string endMark_;  // a Ctrl-Z that ended the text, put back at the end
  std::vector<Block> blocks_{1};
  // Folded section name -> the blocks of that name that are not erased, in
  // file order.
  std::unordered_map<std::string, std::vector<std::size_t>> sections_;
  Break newLine_ = Break::Lf;
  bool modified_ = false;
};

}  // namespace pixdeck
