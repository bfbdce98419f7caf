// Times loading and saving a large settings file through the store: a file of
// 100,000 lines holding three history lists of 10,000 items each, the rest
// a hand-made section of other keys. Prints the median of several runs.
//
//   settings_bench [LINES] [ITEMS] [RUNS]
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "settings/program_settings.h"
#include "settings/reg_or_ini.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

std::string MakeFile(int lines, int items) {
  std::string text = "[Options]\nOutputName=images.htm\nBgColor=White\n";
  int written = 3;
  for (const char* section : {"Specs", "OutputNames", "Patterns"}) {
    text += std::string("[") + section + "]\nItemCount=" + std::to_string(items) + "\n";
    for (int i = 1; i <= items; ++i)
      text += "Item_" + std::to_string(i) + "=/home/user/pictures/album " + std::to_string(i) +
              "/name.htm\n";
    written += items + 2;
  }
  text += "[Mine]\n";
  for (++written; written < lines; ++written)
    text += "Key" + std::to_string(written) + "=some value of mine\n";
  return text;
}

// The process's own processor time: on a machine shared with other work the
// wall clock also counts the waits for a processor.
double CpuSeconds() {
  timespec now{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int lines = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int items = argc > 2 ? std::atoi(argv[2]) : 10000;
  const int runs = argc > 3 ? std::atoi(argv[3]) : 5;
  const fs::path dir =
      fs::temp_directory_path() / ("pixdeck-settings-bench-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string file = (dir / "pixdeck.INI").string();
  const std::string text = MakeFile(lines, items);

  std::vector<double> loads, saves, cpuLoads, cpuSaves;
  std::size_t listed = 0;
  for (int run = 0; run < runs; ++run) {
    std::ofstream(file, std::ios::binary) << text;
    pixdeck::ResetSettingsState();
    const auto start = Clock::now();
    const double cpuStart = CpuSeconds();
    const auto store = pixdeck::OpenSettingsStore(file, file);
    pixdeck::ProgramOptions options;
    pixdeck::WindowSettings window;
    pixdeck::LoadProgramSettings(*store, options, window, nullptr);
    const auto loaded = Clock::now();
    const double cpuLoaded = CpuSeconds();
    pixdeck::SaveProgramSettings(*store, options, window);
    const auto saved = Clock::now();
    const double cpuSaved = CpuSeconds();
    cpuLoads.push_back(cpuLoaded - cpuStart);
    cpuSaves.push_back(cpuSaved - cpuLoaded);
    listed = window.specs.size() + window.outputNames.size() + window.patterns.size();
    loads.push_back(std::chrono::duration<double>(loaded - start).count());
    saves.push_back(std::chrono::duration<double>(saved - loaded).count());
  }
  const auto size = fs::file_size(file);
  fs::remove_all(dir);
  std::printf("settings file: %d lines, %d items in each of 3 lists (%zu read), %.1f MB\n", lines,
              items, listed, static_cast<double>(text.size()) / 1e6);
  std::printf("wall clock: load %.3f s, save %.3f s, together %.3f s\n", Median(loads),
              Median(saves), Median(loads) + Median(saves));
  std::printf("processor: load %.3f s, save %.3f s, together %.3f s\n", Median(cpuLoads),
              Median(cpuSaves), Median(cpuLoads) + Median(cpuSaves));
  std::printf("(medians of %d runs; the saved file has %ju bytes)\n", runs,
              static_cast<std::uintmax_t>(size));
  return 0;
}
