// Starts the real main window the way the program does and reports, on
// standard output:
//   shown: S      seconds from the launch time given on the command line to
//                 the window's first paint
//   open: S       seconds the folder list takes to show FOLDER
//   filter: S     median seconds of RUNS presses of Filter on FOLDER, after
//                 one press to warm the caches
//   count: N      the count box after the last press
// and quits. Without FOLDER it stops after "shown".
//
//   window_bench LAUNCH_NS SETTINGS_FILE [FOLDER [RUNS]]
//
// LAUNCH_NS is the CLOCK_REALTIME time in nanoseconds at which the caller
// started the program (date +%s%N).
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/app_setup.h"
#include "app/frm_main.h"
#include "app/widgets/directory_list_box.h"

namespace {

long long RealtimeNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

// Notes the time of the first paint of the watched window.
class FirstPaint : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && paintedNs == 0) {
      paintedNs = RealtimeNs();
      QTimer::singleShot(0, qApp, [] { QApplication::exit(0); });
    }
    return QObject::eventFilter(watched, event);
  }
  long long paintedNs = 0;
};

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s LAUNCH_NS SETTINGS_FILE [FOLDER [RUNS]]\n", argv[0]);
    return 2;
  }
  const long long launchNs = std::atoll(argv[1]);
  const std::string settings = argv[2];
  const QString folder = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
  const int runs = argc > 4 ? std::atoi(argv[4]) : 5;

  // As the program's own entry does.
  QApplication app(argc, argv);
  std::setlocale(LC_ALL, "");
  std::setlocale(LC_NUMERIC, "C");
  pixdeck::SetUpApplication();
  pixdeck::TfrmMain window(nullptr, settings);
  FirstPaint firstPaint;
  window.installEventFilter(&firstPaint);
  window.show();
  app.exec();
  window.removeEventFilter(&firstPaint);
  std::printf("shown: %.3f\n", static_cast<double>(firstPaint.paintedNs - launchNs) / 1e9);
  // What the window leaves for after its first paint (finding the browser)
  // is done before anything is timed.
  app.processEvents();
  if (folder.isEmpty())
    return 0;

  auto* folders = window.findChild<pixdeck::DirectoryListBox*>(QStringLiteral("lbxDirectory"));
  auto* output = window.findChild<QComboBox*>(QStringLiteral("edtOutputName"));
  auto* filter = window.findChild<QPushButton*>(QStringLiteral("btnFilter"));
  auto* count = window.findChild<QLineEdit*>(QStringLiteral("edtCount"));
  if (!folders || !output || !filter || !count) {
    std::fprintf(stderr, "the window lacks its controls\n");
    return 1;
  }
  QElapsedTimer timer;
  timer.start();
  folders->SetDirectory(folder);
  app.processEvents();
  std::printf("open: %.3f\n", static_cast<double>(timer.nsecsElapsed()) / 1e9);
  // A bare page name: the page goes into the folder, as with the CLI's run.
  output->setEditText(QStringLiteral("window.htm"));

  std::vector<double> seconds;
  for (int run = 0; run <= runs; ++run) {
    timer.restart();
    filter->click();
    app.processEvents();
    if (run > 0)
      seconds.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e9);
  }
  std::sort(seconds.begin(), seconds.end());
  std::printf("filter: %.3f\n", seconds.empty() ? 0.0 : seconds[seconds.size() / 2]);
  std::printf("count: %s\n", count->text().toLocal8Bit().constData());
  return 0;
}
