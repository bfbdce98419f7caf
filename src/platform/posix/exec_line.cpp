#include "platform/posix/exec_line.h"

#include <string_view>

namespace pixdeck::platform {

namespace {

bool EscapableInQuotes(char c) {
  return c == '"' || c == '`' || c == '$' || c == '\\';
}

// Characters that a word must be quoted for.
bool IsReserved(char c) {
  return std::string_view(" \t\n\"'\\><~|&;$*?#()`").find(c) != std::string_view::npos;
}

bool TakesUrl(char code) {
  return code == 'u' || code == 'U' || code == 'f' || code == 'F';
}

}  // namespace

std::vector<ExecWord> SplitExecLine(const std::string& line) {
  std::vector<ExecWord> words;
  ExecWord word;
  bool inWord = false;
  bool quoted = false;
  auto add = [&word](char c, bool fieldCode) {
    word.text += c;
    word.fieldCodeAt.push_back(fieldCode);
  };
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"') {
        quoted = false;
      } else if (c == '\\' && i + 1 < line.size() && EscapableInQuotes(line[i + 1])) {
        add(line[++i], false);
      } else {
        add(c, false);
      }
      continue;
    }
    if (c == ' ' || c == '\t') {
      if (inWord) {
        word.end = i;
        words.push_back(std::move(word));
      }
      word = ExecWord{};
      inWord = false;
      continue;
    }
    inWord = true;
    if (c == '"') {
      quoted = true;
    } else {
      add(c, c == '%');
    }
  }
  if (inWord) {
    word.end = line.size();
    words.push_back(std::move(word));
  }
  return words;
}

std::vector<std::string> ExecWords(const std::string& line) {
  std::vector<std::string> words;
  for (const ExecWord& word : SplitExecLine(line)) {
    words.push_back(word.text);
  }
  return words;
}

std::vector<std::string> ExecArguments(const std::string& line, const std::string& url) {
  std::vector<std::string> arguments;
  bool urlPlaced = false;
  for (const ExecWord& word : SplitExecLine(line)) {
    std::string text;
    bool onlyCodes = !word.text.empty();
    for (std::size_t i = 0; i < word.text.size(); ++i) {
      if (!word.fieldCodeAt[i]) {
        text += word.text[i];
        onlyCodes = false;
        continue;
      }
      if (i + 1 == word.text.size()) {
        // A lone '%' at the end is no field code.
        text += '%';
        onlyCodes = false;
        continue;
      }
      const char code = word.text[++i];
      if (code == '%') {
        text += '%';
        onlyCodes = false;
      } else if (TakesUrl(code) && !urlPlaced) {
        text += url;
        urlPlaced = true;
        onlyCodes = false;
      }
      // Any other code (and a second URL code) is dropped.
    }
    if (!onlyCodes) {
      arguments.push_back(std::move(text));
    }
  }
  if (!urlPlaced && !arguments.empty()) {
    arguments.push_back(url);
  }
  return arguments;
}

std::string QuoteExecWord(const std::string& word) {
  // A '%' stays literal only inside quotes.
  bool needsQuotes = word.empty();
  for (char c : word) {
    needsQuotes = needsQuotes || IsReserved(c) || c == '%';
  }
  if (!needsQuotes) {
    return word;
  }
  std::string quoted = "\"";
  for (char c : word) {
    if (EscapableInQuotes(c)) {
      quoted += '\\';
    }
    quoted += c;
  }
  return quoted + "\"";
}

}  // namespace pixdeck::platform
