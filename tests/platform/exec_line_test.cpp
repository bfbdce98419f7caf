// Desktop-entry command lines: their words by the quoting rules and the
// arguments that open one URL.
#include <gtest/gtest.h>

#include "platform/posix/exec_line.h"

namespace pixdeck::platform {
namespace {

using Words = std::vector<std::string>;
constexpr const char* kUrl = "file:///home/u/a b.htm";

TEST(ExecLine, QuotingGroupsBlanksAndEscapesOnlyItsFourCharacters) {
  EXPECT_EQ(ExecWords("  a\tb   c "), (Words{"a", "b", "c"}));
  EXPECT_EQ(ExecWords(R"("/opt/My Apps/x" "" --a="1 2")"),
            (Words{"/opt/My Apps/x", "", "--a=1 2"}));
  EXPECT_EQ(ExecWords(R"("q\"x\`y\$z\\w" "\n")"), (Words{"q\"x`y$z\\w", "\\n"}));
  EXPECT_EQ(ExecWords(""), Words{});
}

TEST(ExecLine, TheUrlTakesThePlaceOfItsFieldCode) {
  EXPECT_EQ(ExecArguments("browser %u", kUrl), (Words{"browser", kUrl}));
  EXPECT_EQ(ExecArguments("flatpak run --file-forwarding org.x @@u %U @@", kUrl),
            (Words{"flatpak", "run", "--file-forwarding", "org.x", "@@u", kUrl, "@@"}));
  EXPECT_EQ(ExecArguments("b --url=%f", kUrl), (Words{"b", std::string("--url=") + kUrl}));
  EXPECT_EQ(ExecArguments("b %F", kUrl), (Words{"b", kUrl}));
  // Only the first URL code takes it.
  EXPECT_EQ(ExecArguments("b %u %U", kUrl), (Words{"b", kUrl}));
}

TEST(ExecLine, WithoutAUrlCodeTheUrlComesLast) {
  EXPECT_EQ(ExecArguments("env A=1 browser --new-window", kUrl),
            (Words{"env", "A=1", "browser", "--new-window", kUrl}));
  EXPECT_EQ(ExecArguments("", kUrl), Words{});
}

TEST(ExecLine, OtherFieldCodesAreDroppedAndPercentSignsKept) {
  EXPECT_EQ(ExecArguments("b %i %c %k --name=%c %u", kUrl), (Words{"b", "--name=", kUrl}));
  EXPECT_EQ(ExecArguments("b 100%% %u", kUrl), (Words{"b", "100%", kUrl}));
  // Inside quotes a '%' is no field code.
  EXPECT_EQ(ExecArguments(R"(b "%u" %u)", kUrl), (Words{"b", "%u", kUrl}));
}

TEST(ExecLine, QuotedWordsSplitBackToThemselves) {
  for (const std::string word :
       {"plain", "/opt/My Apps/x", "", "q\"x`y$z\\w", "50%", "a;b", "it's"}) {
    const Words words = ExecWords(QuoteExecWord(word) + " next");
    ASSERT_EQ(words.size(), 2u) << word;
    EXPECT_EQ(words[0], word);
  }
  EXPECT_EQ(QuoteExecWord("/usr/bin/firefox"), "/usr/bin/firefox");
}

}  // namespace
}  // namespace pixdeck::platform
