#include "catalog/credits_text.h"

#include <initializer_list>
#include <string_view>

#include "catalog/credits.h"

namespace pixdeck {
namespace {

// Joins the pieces into one string sized once. (GCC 12's optimiser warns
// falsely about the short-string buffer when literals are appended to a
// temporary string with operator+.)
std::string Joined(std::initializer_list<std::string_view> pieces) {
  std::size_t size = 0;
  for (std::string_view piece : pieces) {
    size += piece.size();
  }
  std::string text;
  text.reserve(size);
  for (std::string_view piece : pieces) {
    text.append(piece);
  }
  return text;
}

}  // namespace

std::string WindowCredit() {
  return Joined({"by the ", kMakerCredit, " project"});
}

std::string MainWindowCaption() {
  return Joined({"Pixdeck - ", WindowCredit()});
}

std::string StatusCaption() {
  return Joined({kProgramCaption, " - ", WindowCredit()});
}

std::string AboutText() {
  const std::string credit = WindowCredit();
  const std::string rule(39, '=');
  return Joined({
      kProgramCaption,
      "\n",
      credit,
      "\n",
      rule,
      "\n\n",
      "Pixdeck produces web pages that show all the GIF and/or JPG pictures of a "
      "chosen directory, each with its file name, in alphabetical order, and its "
      "size. Background colors or patterns can be chosen to see how each picture "
      "looks on them. It makes it easy to catalogue large collections of web-design "
      "pictures or to produce online photo albums.\n\n",
      // NOLINTNEXTLINE(bugprone-suspicious-missing-comma): one sentence over two lines
      "Pixdeck is free to use and to give away, as long as it is passed on whole "
      "and unchanged.\n\n",
      "Other programs by the same makers are listed at\n",
      kMakerWebAddress,
      "\n\n",
      "Write to us by E-mail at\n",
      kMakerMailAddress,
      "\nor by post to\nThe Pixdeck project, Postfach 12 34, 10115 Berlin, Germany\n\n",
      "Hope you enjoy using it!\n\n",
      "Suggestions and bug reports are always welcome.",
  });
}

}  // namespace pixdeck
