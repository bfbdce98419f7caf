#include "gui_fixture.h"

#include "app/qt_messages.h"
#include "browser/browser_detection.h"
#include "settings/program_options.h"

namespace pixdeck::test {

void GuiTest::SetUp() {
  // Every window starts from the built-in options and finds a browser.
  CurrentOptions() = ProgramOptions{};
  ResetBrowserState();
  qputenv("BROWSER", "/bin/true");
  QtMessages::SetBoxRunner([this](const std::string& text, MessageKind kind) {
    boxes.push_back({text, kind});
    return 1;
  });
  SetFileDialogRunner([this](const FileDialogRequest& request) {
    dialogRequests.push_back(request);
    if (dialogAnswers.empty()) {
      return FileDialogAnswer{};  // cancelled
    }
    FileDialogAnswer answer = dialogAnswers.front();
    dialogAnswers.pop_front();
    return answer;
  });
  SetLastBrowseDir({});
}

void GuiTest::TearDown() {
  CurrentOptions() = ProgramOptions{};
  ResetBrowserState();
  QtMessages::SetBoxRunner({});
  SetFileDialogRunner({});
  SetLastBrowseDir({});
}

void GuiTest::AnswerNextDialog(const std::string& path, bool accepted) {
  FileDialogAnswer answer;
  answer.accepted = accepted;
  answer.chosenPath = path;
  dialogAnswers.push_back(answer);
}

}  // namespace pixdeck::test
