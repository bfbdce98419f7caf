#include "settings/ini_text.h"

#include <algorithm>

#include "text/ascii.h"

namespace pixdeck {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr char kEndOfText = '\x1A';

bool InQuotes(std::string_view text) {
  return text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
         text.back() == text.front();
}

// A name or value on one line: line breaks would split it, so they become blanks.
std::string OneLine(std::string_view text) {
  std::string line(text);
  std::replace_if(
      line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
  return line;
}

// A value that reading would change (blanks trimmed, quotes removed, a final
// Ctrl-Z dropped) is quoted, so that it reads back as written.
std::string ValueText(std::string_view value) {
  std::string text = OneLine(value);
  if (text.empty()) {
    return text;
  }
  const bool losesBlanks = kAsciiBlanks.find(text.front()) != std::string_view::npos ||
                           kAsciiBlanks.find(text.back()) != std::string_view::npos;
  if (losesBlanks || InQuotes(text) || text.back() == kEndOfText) {
    return '"' + text + '"';
  }
  return text;
}

}  // namespace

std::string IniText::Fold(std::string_view name) {
  const std::string_view trimmed = TrimAscii(name);
  std::string folded(trimmed.size(), '\0');
  std::transform(trimmed.begin(), trimmed.end(), folded.begin(),
                 [](char c) { return LowerAscii(c); });
  return folded;
}

IniText::IniText(std::string_view text) {
  if (text.substr(0, kBom.size()) == kBom) {
    bom_ = kBom;
    text.remove_prefix(kBom.size());
  }
  if (!text.empty() && text.back() == kEndOfText) {
    endMark_ = std::string(1, kEndOfText);
    text.remove_suffix(1);
  }
#ifdef _WIN32
  newLine_ = Break::CrLf;
#endif
  bool styleKnown = false;
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    Break lineBreak = newLine_;
    std::size_t next = text.size();
    if (end != std::string_view::npos) {
      if (text[end] == '\n') {
        lineBreak = Break::Lf;
        next = end + 1;
      } else if (end + 1 < text.size() && text[end + 1] == '\n') {
        lineBreak = Break::CrLf;
        next = end + 2;
      } else {
        lineBreak = Break::Cr;
        next = end + 1;
      }
      if (!styleKnown) {
        newLine_ = lineBreak;
        styleKnown = true;
      }
    }
    // A last line without a line break gets the file's own when written.
    AddLine(Parse(std::string(text.substr(0, end)), lineBreak));
    text.remove_prefix(next);
  }
}

IniText::Line IniText::Parse(std::string text, Break lineBreak) {
  Line line;
  line.lineBreak = lineBreak;
  const std::string_view body = TrimAscii(text);
  const std::size_t close = body.rfind(']');
  if (!body.empty() && body.front() == '[' && close != std::string_view::npos) {
    // The name runs to the last "]", so that a name holding "]" (a path used
    // as a registry section) reads back whole.
    line.kind = Kind::Section;
    line.name = TrimAscii(body.substr(1, close - 1));
  } else if (!body.empty() && body.front() != ';') {
    const std::size_t equals = body.find('=');
    const std::string_view key = TrimAscii(body.substr(0, equals));
    if (!key.empty()) {
      line.kind = Kind::Key;
      line.name = key;
      if (equals != std::string_view::npos) {
        std::string_view value = TrimAscii(body.substr(equals + 1));
        if (InQuotes(value)) {
          value = value.substr(1, value.size() - 2);
        }
        line.hasValue = true;
        line.value = value;
      }
    }
  }
  line.text = std::move(text);
  return line;
}

void IniText::AddLine(Line line) {
  if (line.kind == Kind::Section) {
    sections_[Fold(line.name)].push_back(blocks_.size());
    blocks_.emplace_back();
  } else if (line.kind == Kind::Key) {
    Block& block = blocks_.back();
    block.keys.try_emplace(Fold(line.name), block.lines.size());
  }
  blocks_.back().lines.push_back(std::move(line));
}

const IniText::Block* IniText::FirstBlock(std::string_view section) const {
  const auto found = sections_.find(Fold(section));
  if (found == sections_.end() || found->second.empty()) {
    return nullptr;
  }
  return &blocks_[found->second.front()];
}

std::optional<std::string> IniText::Find(std::string_view section, std::string_view key) const {
  const Block* block = FirstBlock(section);
  if (!block) {
    return std::nullopt;
  }
  const auto found = block->keys.find(Fold(key));
  if (found == block->keys.end()) {
    return std::nullopt;
  }
  const Line& line = block->lines[found->second];
  if (!line.hasValue) {
    return std::nullopt;
  }
  return line.value;
}

bool IniText::HasSection(std::string_view section) const {
  return FirstBlock(section) != nullptr;
}

std::vector<std::string> IniText::SectionNames() const {
  std::vector<std::string> names;
  for (std::size_t i = 1; i < blocks_.size(); ++i) {
    const Block& block = blocks_[i];
    if (block.erased) {
      continue;
    }
    const std::vector<std::size_t>& copies = sections_.at(Fold(block.lines.front().name));
    if (copies.front() == i) {
      names.push_back(block.lines.front().name);
    }
  }
  return names;
}

std::vector<std::string> IniText::KeyNames(std::string_view section) const {
  std::vector<std::string> keys;
  const Block* block = FirstBlock(section);
  if (!block) {
    return keys;
  }
  for (std::size_t i = 0; i < block->lines.size(); ++i) {
    const Line& line = block->lines[i];
    if (line.kind == Kind::Key && block->keys.at(Fold(line.name)) == i) {
      keys.push_back(line.name);
    }
  }
  return keys;
}

void IniText::Write(std::string_view section, std::string_view key, std::string_view value) {
  const std::string sectionName(TrimAscii(OneLine(section)));
  const std::string keyName(TrimAscii(OneLine(key)));
  std::string keyLine = keyName + '=' + ValueText(value);
  modified_ = true;

  std::vector<std::size_t>& copies = sections_[Fold(sectionName)];
  if (copies.empty()) {
    // A new section at the end, after one blank line.
    Block& last = blocks_.back();
    if (!last.lines.empty() && !TrimAscii(last.lines.back().text).empty()) {
      AddLine(Parse(std::string(), newLine_));
    }
    AddLine(Parse('[' + sectionName + ']', newLine_));
    AddLine(Parse(std::move(keyLine), newLine_));
    return;
  }

  Block& block = blocks_[copies.front()];
  const std::string folded = Fold(keyName);
  if (const auto found = block.keys.find(folded); found != block.keys.end()) {
    Line& line = block.lines[found->second];
    line = Parse(std::move(keyLine), line.lineBreak);
    return;
  }
  // After the section's last line that is not blank, so that the blank lines
  // before the next section stay where they are. Only blank lines move, and
  // they hold no key.
  std::size_t at = block.lines.size();
  while (at > 1 && TrimAscii(block.lines[at - 1].text).empty()) {
    --at;
  }
  block.lines.insert(block.lines.begin() + static_cast<std::ptrdiff_t>(at),
                     Parse(std::move(keyLine), newLine_));
  block.keys.emplace(folded, at);
}

void IniText::EraseSection(std::string_view section) {
  const auto found = sections_.find(Fold(section));
  if (found == sections_.end() || found->second.empty()) {
    return;
  }
  for (const std::size_t index : found->second) {
    Block& block = blocks_[index];
    block.erased = true;
    block.lines.clear();
    block.keys.clear();
  }
  sections_.erase(found);
  modified_ = true;
}

void IniText::EraseKey(std::string_view section, std::string_view key) {
  const auto found = sections_.find(Fold(section));
  if (found == sections_.end()) {
    return;
  }
  const std::string folded = Fold(key);
  for (const std::size_t index : found->second) {
    Block& block = blocks_[index];
    const auto end = std::remove_if(block.lines.begin(), block.lines.end(), [&](const Line& line) {
      return line.kind == Kind::Key && Fold(line.name) == folded;
    });
    if (end == block.lines.end()) {
      continue;
    }
    block.lines.erase(end, block.lines.end());
    block.keys.clear();
    for (std::size_t i = 0; i < block.lines.size(); ++i) {
      if (block.lines[i].kind == Kind::Key) {
        block.keys.try_emplace(Fold(block.lines[i].name), i);
      }
    }
    modified_ = true;
  }
}

std::string IniText::Render() const {
  std::size_t size = bom_.size() + endMark_.size();
  for (const Block& block : blocks_) {
    for (const Line& line : block.lines) {
      size += line.text.size() + 2;
    }
  }
  std::string text;
  text.reserve(size);
  text += bom_;
  for (const Block& block : blocks_) {
    for (const Line& line : block.lines) {
      text += line.text;
      switch (line.lineBreak) {
        case Break::Lf:
          text += '\n';
          break;
        case Break::CrLf:
          text += "\r\n";
          break;
        case Break::Cr:
          text += '\r';
          break;
      }
    }
  }
  text += endMark_;
  return text;
}

}  // namespace pixdeck
