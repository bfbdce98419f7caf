// The text of an INI file as a document: sections in square brackets, one
// "key=value" line each, ";" comment lines. Names of sections and keys compare
// without regard to ASCII letter case and the first match wins; blanks around
// names and values are trimmed, and a value in matching double quotes loses
// them. Every line that is not changed is rendered back exactly as it was read,
// comments, unknown lines and junk included.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pixdeck {

class IniText {
 public:
  IniText() = default;
  // Parses any text: binary junk, very long lines, LF, CRLF and mixes, a
  // missing final line break, a UTF-8 byte-order mark.
  explicit IniText(std::string_view text);

  // The value of key in the first section named section that holds it.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  bool HasSection(std::string_view section) const;
  // Each section name once, spelled as its first header spells it.
  std::vector<std::string> SectionNames() const;
  // The keys of every section named section, in file order.
  std::vector<std::string> KeyNames(std::string_view section) const;

  // Replaces the first line of key in the sections named section, else adds
  // the line at the end of the first such section, else adds the section at
  // the end of the text. Line breaks in names or value become blanks (a value
  // cannot span lines); a value that would lose blanks or quotes on reading is
  // written in double quotes.
  void Write(std::string_view section, std::string_view key, std::string_view value);
  // Removes every section named section with all of its lines.
  void EraseSection(std::string_view section);

  // The document as file text; unchanged lines keep their own line breaks,
  // new lines take those of the first line read (else the platform's).
  std::string Render() const;
  // True once Write or EraseSection changed something.
  bool Modified() const { return modified_; }

 private:
  enum class Kind { Other, Section, Key };
  struct Line {
    std::string text;  // as read or rendered, without its line break
    bool crlf = false;
    Kind kind = Kind::Other;
    std::string name;   // section name or key, trimmed
    std::string value;  // key lines: the value as read
  };
  static Line Parse(std::string text, bool crlf);
  std::size_t SectionEnd(std::size_t header) const;

  std::string bom_;
  std::vector<Line> lines_;
  bool crlf_ = false;
  bool modified_ = false;
};

}  // namespace pixdeck
