#include "app/credits_text.h"

#include "catalog/credits.h"

namespace pixdeck {

std::string WindowCredit() {
  return std::string("by the ") + kMakerCredit + " project";
}

std::string MainWindowCaption() {
  return "Pixdeck - " + WindowCredit();
}

std::string AboutText() {
  std::string text;
  text += std::string(kProgramCaption) + "\n";
  text += WindowCredit() + "\n";
  text += std::string(39, '=') + "\n\n";
  text +=
      "Pixdeck produces web pages that show all the GIF and/or JPG pictures of a "
      "chosen directory, each with its file name, in alphabetical order, and its "
      "size. Background colors or patterns can be chosen to see how each picture "
      "looks on them. It makes it easy to catalogue large collections of web-design "
      "pictures or to produce online photo albums.\n\n";
  text +=
      "Pixdeck is free to use and to give away, as long as it is passed on whole "
      "and unchanged.\n\n";
  text +=
      std::string("Other programs by the same makers are listed at\n") + kMakerWebAddress + "\n\n";
  text += std::string("Write to us by E-mail at\n") + kMakerMailAddress +
          "\nor by post to\nThe Pixdeck project, Postfach 12 34, 10115 Berlin, Germany\n\n";
  text += "Hope you enjoy using it!\n\n";
  text += "Suggestions and bug reports are always welcome.";
  return text;
}

}  // namespace pixdeck
