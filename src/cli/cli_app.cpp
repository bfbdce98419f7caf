#include "cli/cli_app.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <system_error>

#include "browser/browser_detection.h"
#include "browser/page_viewer.h"
#include "catalog/color_table.h"
#include "cli/error_line.h"
#include "cli/progress_line.h"
#include "cli/stream_messages.h"
#include "platform/file_system.h"
#include "settings/program_settings.h"
#include "text/utf8_path.h"
#include "util/program_dirs.h"
#include "util/version.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace pixdeck::cli {

namespace {

// Where the defaults come from, for --help and the manual page made from it.
constexpr const char* kDefaultsFooter =
    "Options not given take their values from pixdeck's settings: pixdeck.INI beside the "
    "program when that folder is writable, else ~/.config/pixdeck/pixdeck.INI, or the chain "
    "of files that --settings starts. The values after \"=\" are the built-in defaults, which "
    "--no-settings takes instead. The settings are only read, never written.\n";

// The folder as a full, normalised path without a trailing separator (a root
// keeps it), as the page's title and URLs need it.
std::string FullFolderPath(const std::string& folder) {
  std::filesystem::path path = std::filesystem::absolute(PathFromUtf8(folder)).lexically_normal();
  if (!path.has_filename() && path.has_relative_path()) {
    path = path.parent_path();
  }
  return Utf8FromPath(path);
}

std::string FullPath(const std::string& file) {
  return Utf8FromPath(std::filesystem::absolute(PathFromUtf8(file)).lexically_normal());
}

// The defaults that the command line leaves open come from the settings that
// the window keeps: the file of the program "pixdeck" beside this one, or the
// chain that settingsFile starts. Settings are only read here, never written.
// False (with a report) when the named file does not exist.
bool TakeSettingsDefaults(const CLI::App& app, const std::string& settingsFile, CliOptions& options,
                          std::ostream& err) {
  const std::string program = platform::ProgramFilePath();
  const SettingsLocation window = LocateWindowSettingsFile(program);
  SetOnCdRom(window.onReadOnlyMedium);
  std::error_code ec;
  if (!settingsFile.empty() &&
      !std::filesystem::exists(std::filesystem::symlink_status(PathFromUtf8(settingsFile), ec))) {
    PrintError(err, "no such settings file: " + settingsFile);
    return false;
  }
  // A name given here is a file relative to the current folder, not a bare
  // name for the per-user folder as a name inside the chain would be.
  const std::string first = settingsFile.empty() ? window.name : FullPath(settingsFile);
  // Where the chain gives no file, the CLI falls back to the window's file.
  const auto store = OpenSettingsStore(first, WindowFallbackIniName(program));
  for (const std::string& problem : store->TakeProblems()) {
    PrintError(err, problem);
  }
  ProgramOptions defaults;
  defaults.outputName = options.outputName;
  defaults.urlBaseName = options.urlBase;
  defaults.patternName = options.pattern;
  defaults.bgColor = options.colorName;
  defaults.lightPages = options.lightPages;
  defaults.gallery = options.gallery;
  defaults.thumbnailSize = options.thumbnailSize;
  defaults.galleryPageSize = options.galleryPageSize;
  const ProgramOptions saved = ReadCatalogDefaults(*store, defaults);
  options.browserName = saved.browserName;
  options.useRegSettings = saved.useRegSettings;
  if (app.count("--output") == 0) {
    options.outputName = saved.outputName;
  }
  if (app.count("--base") == 0) {
    options.urlBase = saved.urlBaseName;
  }
  if (app.count("--pattern") == 0) {
    options.pattern = saved.patternName;
  }
  if (app.count("--light") == 0) {
    options.lightPages = saved.lightPages;
  }
  if (app.count("--gallery") == 0) {
    options.gallery = saved.gallery;
  }
  if (app.count("--thumbnail-size") == 0) {
    options.thumbnailSize = saved.thumbnailSize;
  }
  if (app.count("--page-size") == 0) {
    options.galleryPageSize = saved.galleryPageSize;
  }
  if (app.count("--color") == 0 && !saved.bgColor.empty()) {
    // A saved colour that the colour table does not know gives a page without
    // one, as in the window.
    ColorTable colors;
    if (colors.LoadFromFile(FindColorFile()) && colors.HasName(saved.bgColor)) {
      options.colorName = saved.bgColor;
    }
  }
  return true;
}

// The names scripts give standard output itself.
bool NamesStandardOutput(const std::string& name) {
#ifndef _WIN32
  if (name == "/dev/stdout" || name == "/dev/fd/1" || name == "/proc/self/fd/1") {
    return true;
  }
#endif
  return name == kStandardOutputName;
}

// A FIFO or a device (/dev/null, a terminal) has no place for a new file to
// be renamed into: the page is written into it as it is.
bool IsStreamFile(const std::string& name) {
  std::error_code ec;
  const auto type = std::filesystem::status(PathFromUtf8(name), ec).type();
  return type == std::filesystem::file_type::fifo ||
         type == std::filesystem::file_type::character ||
         type == std::filesystem::file_type::socket;
}

Expected<void> WriteStream(std::ostream& stream, const std::string& page,
                           const std::string& where) {
  stream.write(page.data(), static_cast<std::streamsize>(page.size()));
  stream.flush();
  if (!stream) {
    return Unexpected("Cannot write the page to " + where);
  }
  return {};
}

}  // namespace

void AddCatalogOptions(CLI::App& app, CliOptions& options) {
  app.add_option("-s,--specs", options.specs, "File specifications, separated by \";\"")
      ->capture_default_str();
  app.add_option("-o,--output", options.outputName,
                 "Page name or path; a bare name goes into DIRECTORY, an empty one makes a "
                 "temporary page, \"-\" writes the page to standard output")
      ->capture_default_str();
  app.add_option("-p,--pattern", options.pattern, "Background picture file");
  app.add_option("-c,--color", options.colorName, "Background colour, a name from Bkcolors.txt");
  app.add_option("-b,--base", options.urlBase, "URL base: file:/// or a web server's folder")
      ->capture_default_str();
  app.add_flag("--view", options.view, "Open the page in the web browser");
  app.add_flag("-q,--quiet", options.quiet, "Print nothing but errors");
  // One flag with its negation: the last one given wins, and neither leaves
  // the settings' choice.
  app.add_flag("--light,!--no-light", options.lightPages,
               "Pictures load as they scroll into view, each with its size from its header "
               "(--no-light: all at once; default from the settings)");
  app.add_flag("--gallery,!--no-gallery", options.gallery,
               "A gallery instead: thumbnails in a grid, in pages of a bounded size "
               "(--no-gallery: the plain page; default from the settings)");
  app.add_option("--thumbnail-size", options.thumbnailSize,
                 "Largest width and height of a gallery's thumbnails, in pixels")
      ->capture_default_str()
      ->check(CLI::Range(kMinThumbnailSize, kMaxThumbnailSize));
  app.add_option("--page-size", options.galleryPageSize, "Pictures on one page of a gallery")
      ->capture_default_str()
      ->check(CLI::Range(1, kMaxGalleryPageSize));
  app.add_option("DIRECTORY", options.directory, "Folder of pictures")->required();
}

int RunCatalogCommand(const CliOptions& options, std::ostream& out, std::ostream& err) {
  if (!platform::DirectoryExists(options.directory)) {
    PrintError(err, "no such directory: " + options.directory);
    return kExitUsage;
  }
  if (options.specs.empty()) {
    PrintError(err, "the file specifications are empty");
    return kExitUsage;
  }

  ColorTable colors;
  if (!options.colorName.empty()) {
    const std::string colorFile = FindColorFile();
    if (const Expected<void> loaded = colors.LoadFromFile(colorFile); !loaded) {
      PrintError(err, ColorFileMissingMessage(colorFile) + " (" + loaded.error() + ")");
      return kExitUsage;
    }
    if (!colors.HasName(options.colorName)) {
      PrintError(err, "unknown colour name \"" + options.colorName + "\" (see " + colorFile + ")");
      return kExitUsage;
    }
  }

  CatalogInputs inputs;
  inputs.directory = FullFolderPath(options.directory);
  inputs.specs = options.specs;
  inputs.outputName = options.outputName;
  inputs.pattern = options.pattern;
  inputs.colorName = options.colorName;
  inputs.urlBase = options.urlBase;
  inputs.colors = &colors;
  inputs.lightPages = options.lightPages;
  inputs.gallery = options.gallery;
  inputs.thumbnailSize = options.thumbnailSize;
  inputs.galleryPageSize = options.galleryPageSize;

  const bool toStandardOutput = NamesStandardOutput(options.outputName);
  const bool toStream = !toStandardOutput && IsStreamFile(options.outputName);
  if ((toStandardOutput || toStream) && options.view) {
    PrintError(err, "--view needs a page file, not " +
                        (toStandardOutput ? std::string("standard output") : options.outputName));
    return kExitUsage;
  }
  if ((toStandardOutput || toStream) && options.gallery) {
    // A gallery is pages and thumbnails beside each other, never one stream.
    PrintError(err, "a gallery needs a page file, not " +
                        (toStandardOutput ? std::string("standard output") : options.outputName));
    return kExitUsage;
  }
  ProgressLine progress(err, options.showProgress && !options.quiet);
  inputs.progress = [&progress](CatalogStage stage, std::size_t done, std::size_t total) {
    progress.Show(stage, done, total);
  };
  inputs.thumbnailProgress = [&progress](std::size_t done, std::size_t total) {
    progress.Show(CatalogStage::Thumbnails, done, total);
    return true;
  };
  if (toStandardOutput) {
#ifdef _WIN32
    // The page's lines already end in CR LF: text mode would double the CR.
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    inputs.pageSink = [&out](const std::string& page) {
      return WriteStream(out, page, "standard output");
    };
  } else if (toStream) {
    inputs.pageSink = [&options](const std::string& page) -> Expected<void> {
      std::ofstream stream(PathFromUtf8(options.outputName), std::ios::binary);
      return WriteStream(stream, page, options.outputName);
    };
  }
  StreamMessages messages(err, &progress);
  const CatalogResult result = RunCatalog(inputs, messages);
  progress.Clear();
  if (result.status != CatalogStatus::Written) {
    return kExitFailed;
  }
  if (toStandardOutput) {
    if (!options.quiet) {
      PrintError(err, "count: " + std::to_string(result.count));
    }
    return kExitOk;
  }
  if (!options.quiet) {
    out << "page: " << (toStream ? options.outputName : result.pagePath) << '\n'
        << "count: " << result.count << '\n';
    if (options.gallery) {
      out << "thumbnails made: " << result.thumbnailsMade << '\n';
    }
  }
  if (options.view) {
    // The browser as the window configures it at start; with no name the
    // view itself finds the registered one.
    if (options.browserName.empty()) {
      SetUseDde(true);
    } else {
      ConfigureBrowser(options.browserName, options.useRegSettings, messages);
    }
    PageViewer viewer(messages);
    if (!viewer.ViewFile(result.pagePath)) {
      return kExitFailed;
    }
  }
  return kExitOk;
}

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
           bool errIsTerminal) {
  CLI::App app("Makes a web page that shows the pictures of a folder.", kProgramName);
  app.footer(kDefaultsFooter);
  app.set_version_flag("--version", std::string(kProgramName) + " " + kVersionText);
  // Wide enough that every option with its default stands apart from its
  // text by two blanks (the manual page is made from this help).
  app.get_formatter()->column_width(32);
  CliOptions options;
  AddCatalogOptions(app, options);
  std::string settingsFile;
  app.add_option("--settings", settingsFile,
                 "Settings file to take the defaults from (default: pixdeck's own); only read");
  bool noSettings = false;
  app.add_flag("--no-settings", noSettings,
               "Take the built-in defaults shown here and read no settings file");
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e, out, err);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e, out, err);
  } catch (const CLI::ParseError& e) {
    PrintError(err, std::string(e.what()) + " (see --help)");
    return kExitUsage;
  }
  if (noSettings && app.count("--settings") > 0) {
    PrintError(err, "--settings and --no-settings exclude each other (see --help)");
    return kExitUsage;
  }
  options.showProgress = errIsTerminal;
  try {
    if (!noSettings && !TakeSettingsDefaults(app, settingsFile, options, err)) {
      return kExitUsage;
    }
  } catch (const std::exception& e) {
    PrintError(err, std::string("settings: ") + e.what());
    return kExitFailed;
  }
  return RunCatalogCommand(options, out, err);
}

}  // namespace pixdeck::cli
