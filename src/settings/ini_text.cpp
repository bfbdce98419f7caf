#include "settings/ini_text.h"

#include <algorithm>

namespace pixdeck {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t\r\v\f";

#ifdef _WIN32
constexpr bool kNativeCrlf = true;
#else
constexpr bool kNativeCrlf = false;
#endif

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos)
    return {};
  const std::size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return LowerAscii(x) == LowerAscii(y);
         });
}

bool InQuotes(std::string_view text) {
  return text.size() >= 2 && text.front() == '"' && text.back() == '"';
}

// A name or value on one line: line breaks would split it, so they become blanks.
std::string OneLine(std::string_view text) {
  std::string line(text);
  std::replace_if(
      line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
  return line;
}

// A value that reading would change (blanks trimmed, quotes removed) is quoted,
// so that it reads back as written.
std::string ValueText(std::string_view value) {
  std::string text = OneLine(value);
  if (text.empty())
    return text;
  const bool loosesBlanks = kBlanks.find(text.front()) != std::string_view::npos ||
                            kBlanks.find(text.back()) != std::string_view::npos;
  if (loosesBlanks || InQuotes(text))
    return '"' + text + '"';
  return text;
}

}  // namespace

IniText::IniText(std::string_view text) {
  if (text.substr(0, kBom.size()) == kBom) {
    bom_ = kBom;
    text.remove_prefix(kBom.size());
  }
  bool styleKnown = false;
  crlf_ = kNativeCrlf;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    const bool crlf = !line.empty() && line.back() == '\r';
    if (crlf)
      line.remove_suffix(1);
    if (!styleKnown && end != std::string_view::npos) {
      crlf_ = crlf;
      styleKnown = true;
    }
    lines_.push_back(Parse(std::string(line), crlf));
    // A last line without a line break gets the file's own when written.
    if (end == std::string_view::npos && !crlf)
      lines_.back().crlf = crlf_;
  }
}

IniText::Line IniText::Parse(std::string text, bool crlf) {
  Line line;
  line.crlf = crlf;
  const std::string_view body = Trim(text);
  if (!body.empty() && body.front() == '[') {
    // The name runs to the last "]", so that a name holding "]" (a path used
    // as a registry section) reads back whole.
    const std::size_t close = body.rfind(']');
    const std::size_t length = close == std::string_view::npos ? close : close - 1;
    line.kind = Kind::Section;
    line.name = Trim(body.substr(1, length));
  } else if (!body.empty() && body.front() != ';') {
    const std::size_t equals = body.find('=');
    if (equals != std::string_view::npos) {
      const std::string_view key = Trim(body.substr(0, equals));
      if (!key.empty()) {
        std::string_view value = Trim(body.substr(equals + 1));
        if (InQuotes(value))
          value = value.substr(1, value.size() - 2);
        line.kind = Kind::Key;
        line.name = key;
        line.value = value;
      }
    }
  }
  line.text = std::move(text);
  return line;
}

std::optional<std::string> IniText::Find(std::string_view section, std::string_view key) const {
  bool inSection = false;
  for (const Line& line : lines_) {
    if (line.kind == Kind::Section)
      inSection = SameName(line.name, section);
    else if (inSection && line.kind == Kind::Key && SameName(line.name, key))
      return line.value;
  }
  return std::nullopt;
}

bool IniText::HasSection(std::string_view section) const {
  return std::any_of(lines_.begin(), lines_.end(), [&](const Line& line) {
    return line.kind == Kind::Section && SameName(line.name, section);
  });
}

std::vector<std::string> IniText::SectionNames() const {
  std::vector<std::string> names;
  for (const Line& line : lines_) {
    if (line.kind != Kind::Section)
      continue;
    const bool known = std::any_of(names.begin(), names.end(), [&](const std::string& name) {
      return SameName(name, line.name);
    });
    if (!known)
      names.push_back(line.name);
  }
  return names;
}

std::vector<std::string> IniText::KeyNames(std::string_view section) const {
  std::vector<std::string> keys;
  bool inSection = false;
  for (const Line& line : lines_) {
    if (line.kind == Kind::Section)
      inSection = SameName(line.name, section);
    else if (inSection && line.kind == Kind::Key)
      keys.push_back(line.name);
  }
  return keys;
}

std::size_t IniText::SectionEnd(std::size_t header) const {
  std::size_t end = header + 1;
  while (end < lines_.size() && lines_[end].kind != Kind::Section)
    ++end;
  return end;
}

void IniText::Write(std::string_view section, std::string_view key, std::string_view value) {
  const std::string sectionName(Trim(OneLine(section)));
  const std::string keyName(Trim(OneLine(key)));
  const std::string keyLine = keyName + '=' + ValueText(value);
  modified_ = true;

  std::optional<std::size_t> firstHeader;
  bool inSection = false;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    Line& line = lines_[i];
    if (line.kind == Kind::Section) {
      inSection = SameName(line.name, sectionName);
      if (inSection && !firstHeader)
        firstHeader = i;
    } else if (inSection && line.kind == Kind::Key && SameName(line.name, keyName)) {
      line = Parse(keyLine, line.crlf);
      return;
    }
  }

  if (firstHeader) {
    // After the section's last line that is not blank, so that the blank lines
    // before the next section stay where they are.
    std::size_t at = SectionEnd(*firstHeader);
    while (at > *firstHeader + 1 && Trim(lines_[at - 1].text).empty())
      --at;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Parse(keyLine, crlf_));
    return;
  }

  if (!lines_.empty() && !Trim(lines_.back().text).empty())
    lines_.push_back(Parse(std::string(), crlf_));
  lines_.push_back(Parse('[' + sectionName + ']', crlf_));
  lines_.push_back(Parse(keyLine, crlf_));
}

void IniText::EraseSection(std::string_view section) {
  std::vector<Line> kept;
  kept.reserve(lines_.size());
  bool erasing = false;
  for (Line& line : lines_) {
    if (line.kind == Kind::Section)
      erasing = SameName(line.name, section);
    if (erasing)
      modified_ = true;
    else
      kept.push_back(std::move(line));
  }
  lines_ = std::move(kept);
}

std::string IniText::Render() const {
  std::size_t size = bom_.size();
  for (const Line& line : lines_)
    size += line.text.size() + 2;
  std::string text;
  text.reserve(size);
  text += bom_;
  for (const Line& line : lines_) {
    text += line.text;
    text += line.crlf ? "\r\n" : "\n";
  }
  return text;
}

}  // namespace pixdeck
