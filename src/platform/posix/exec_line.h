// Command lines in the desktop-entry form (the Exec key of a .desktop file):
// the words by its quoting rules, and the arguments that open one URL.
#pragma once

#include <string>
#include <vector>

namespace pixdeck::platform {

// One word of a command line. Field codes ("%u") count only outside quotes;
// the word keeps them as written, and fieldCodes marks each of its '%'
// characters that starts one.
struct ExecWord {
  std::string text;
  std::vector<bool> fieldCodeAt;  // one flag per character of text
  std::size_t end = 0;            // where the word ends in the line
};

// Splits a command line (already free of the string-value escapes) into its
// words: blanks and tabs separate; double quotes group, and inside them a
// backslash takes the next '"', '`', '$' or '\' literally.
std::vector<ExecWord> SplitExecLine(const std::string& line);

// The program's arguments for opening url: the words of line with url in place
// of the first %u, %U, %f or %F (or after the last word when none stands
// there), "%%" as "%", and every other field code dropped (a word that was
// only a field code goes with it). The first element is the program.
std::vector<std::string> ExecArguments(const std::string& line, const std::string& url);

// The words of line with their quoting undone and field codes left as written.
std::vector<std::string> ExecWords(const std::string& line);

// word as one argument of a command line, quoted when it needs to be.
std::string QuoteExecWord(const std::string& word);

}  // namespace pixdeck::platform
