// libFuzzer target for the settings store on real files. The input is cut at
// "\n--\n" into up to three INI files, a.ini, b.ini and c.ini, in a scratch
// folder (whose chain entries may name one another or loop); the store follows
// the chain from a.ini, loads the program settings, saves them with values
// taken from the input, and a fresh store must then read back every value
// saved. Nothing but the files (and the per-user store) may be left.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "settings/ini_encoding.h"
#include "settings/ini_file.h"
#include "settings/program_settings.h"
#include "settings/reg_or_ini.h"

namespace {

namespace fs = std::filesystem;
using namespace pixdeck;

void Check(bool condition) {
  if (!condition)
    std::abort();
}

// The scratch folder of this process, removed when it ends (kept alive past
// the static destructors for that).
const fs::path& Scratch() {
  static const fs::path* const dir = [] {
    std::string pattern = (fs::temp_directory_path() / "pixdeck-fuzz-store.XXXXXX").string();
    Check(::mkdtemp(pattern.data()) != nullptr);
    ::setenv("XDG_CONFIG_HOME", (fs::path(pattern) / "config").c_str(), 1);
    const auto* path = new fs::path(pattern);
    std::atexit([] {
      std::error_code ec;
      fs::current_path(fs::temp_directory_path(), ec);
      fs::remove_all(Scratch(), ec);
    });
    return path;
  }();
  return *dir;
}

std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\r' || c == '\n')
      c = ' ';
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const fs::path& dir = Scratch();
  fs::remove_all(dir / "files");
  fs::remove_all(dir / "config");
  fs::create_directories(dir / "files");
  const char* names[] = {"a.ini", "b.ini", "c.ini"};
  std::string lastPart;
  for (const char* name : names) {
    const std::size_t cut = input.find("\n--\n");
    const std::string_view part = input.substr(0, cut);
    std::ofstream(dir / "files" / name, std::ios::binary) << part;
    lastPart = part;
    if (cut == std::string_view::npos)
      break;
    input.remove_prefix(cut + 4);
  }
  // A chain may name the files by their bare names or by full paths; move
  // into the folder so that relative names find them.
  Check(::chdir((dir / "files").c_str()) == 0);

  const std::string first = (dir / "files" / "a.ini").string();
  ResetSettingsState();
  ProgramOptions options;
  WindowSettings window;
  bool useIni = true;
  {
    const auto store = OpenSettingsStore(first, first);
    useIni = store->UseIni();
    LoadProgramSettings(*store, options, window, nullptr);
    options.outputName = OneLine(lastPart.substr(0, 60));
    options.bgColor = OneLine(lastPart.substr(lastPart.size() > 30 ? lastPart.size() - 30 : 0));
    window.specs = {options.outputName, "", options.bgColor};
    try {
      if (!SaveProgramSettings(*store, options, window))
        return 0;  // not writable: nothing to read back
    } catch (const std::exception&) {
      return 0;  // a chain into a folder that does not exist, say
    }
  }
  // In a UTF-16 file a byte that is not UTF-8 is stored as the Windows-1252
  // character it stands for: expect what that encoding keeps of each value.
  IniEncoding encoding = IniEncoding::Bytes;
  if (useIni)
    encoding = IniFile(ResolveIniFileName(SettingsName())).Encoding();
  const auto kept = [&](const std::string& value) {
    if (encoding == IniEncoding::Bytes)
      return value;
    return DecodeIniBytes(EncodeIniText(value, encoding))->text;
  };
  for (std::string* value :
       {&options.outputName, &options.bgColor, &window.specs[0], &window.specs[2]})
    *value = kept(*value);
  // A value with a zero byte inside reads as missing: the default then.
  const auto readable = [](std::string& value, const std::string& missing) {
    if (value.find('\0') != std::string::npos)
      value = missing;
  };
  readable(options.outputName, ProgramOptions{}.outputName);
  readable(options.bgColor, ProgramOptions{}.bgColor);
  readable(window.specs[0], std::string());
  readable(window.specs[2], std::string());

  ResetSettingsState();
  const auto again = OpenSettingsStore(first, first);
  ProgramOptions reread;
  WindowSettings rereadWindow;
  LoadProgramSettings(*again, reread, rereadWindow, nullptr);
  Check(reread.outputName == options.outputName);
  Check(reread.bgColor == options.bgColor);
  Check(rereadWindow.specs == window.specs);
  // No temporary file is left beside the settings.
  for (const auto& entry : fs::directory_iterator(dir / "files"))
    Check(entry.path().filename().string().find(".pdk") == std::string::npos);
  return 0;
}
