#include "app/command_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "util/version.h"

namespace pixdeck {
namespace {

struct Answer {
  std::optional<int> status;
  std::string out;
};

Answer AnswerFor(std::vector<const char*> args) {
  args.insert(args.begin(), "pixdeck");
  std::ostringstream out;
  const auto status = AnswerInfoOptions(static_cast<int>(args.size()), args.data(), out);
  return {status, out.str()};
}

TEST(WindowCommandLine, OpensTheWindowWithoutArgumentsOrWithQtsOwn) {
  for (const auto& args :
       {std::vector<const char*>{}, {"-platform", "offscreen"}, {"-style", "fusion"}}) {
    const Answer answer = AnswerFor(args);
    EXPECT_FALSE(answer.status.has_value());
    EXPECT_EQ(answer.out, "");
  }
}

TEST(WindowCommandLine, AnswersHelpAndVersionWithoutOpening) {
  for (const char* help : {"--help", "-h"}) {
    const Answer answer = AnswerFor({help});
    EXPECT_EQ(answer.status, 0) << help;
    EXPECT_NE(answer.out.find("Usage: pixdeck [OPTIONS]"), std::string::npos) << answer.out;
    EXPECT_NE(answer.out.find("--version"), std::string::npos) << answer.out;
  }
  const Answer version = AnswerFor({"-platform", "xcb", "--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("pixdeck ") + kVersionText + "\n");
}

}  // namespace
}  // namespace pixdeck
