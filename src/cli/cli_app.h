// pixdeck-cli: makes a catalog page of a folder from the command line.
#pragma once

#include <iosfwd>
#include <string>

#include "catalog/catalog_run.h"
#include "util/program_defaults.h"

namespace CLI {
class App;
}

namespace pixdeck::cli {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // nothing found, or the page not written
inline constexpr int kExitUsage = 2;   // bad option, unknown colour, no such folder

struct CliOptions {
  std::string directory;
  std::string specs = kDefaultSpecs;
  std::string outputName = kDefaultOutputName;
  std::string pattern;
  std::string colorName;
  std::string urlBase = kDefaultUrlBase;
  bool view = false;  // open the page in the web browser once it is written
  // Pictures load as they scroll into view, each with its size; --light and
  // --no-light, else the settings' choice.
  bool lightPages = false;
  // A gallery of thumbnails instead: --gallery and --no-gallery, else the
  // settings' choice; the thumbnails' size and the pictures of a page.
  bool gallery = false;
  int thumbnailSize = kDefaultThumbnailSize;
  int galleryPageSize = kDefaultGalleryPageSize;
  // The browser of the settings, as the window takes it: empty means the one
  // the desktop has registered; useRegSettings offers the page over DDE first.
  std::string browserName;
  bool useRegSettings = true;
  bool quiet = false;         // nothing but errors
  bool showProgress = false;  // standard error is a terminal that shows it
};

// The output name that sends the page to standard output.
inline constexpr const char* kStandardOutputName = "-";

// Declares the catalog options and the DIRECTORY argument on app, bound to
// options (whose current values are the defaults shown by --help).
void AddCatalogOptions(CLI::App& app, CliOptions& options);

// Makes the page for parsed options: prints "page: PATH" and "count: N" to out
// on success (unless quiet), one-line reports to err otherwise; returns the
// exit status. The output name "-" (or /dev/stdout) writes the page itself to
// out instead (and its count to err); a FIFO or a device gets the page
// written into it. With view set the page is then shown in the browser
// chosen by browserName and useRegSettings; a view that fails gives
// kExitFailed.
int RunCatalogCommand(const CliOptions& options, std::ostream& out, std::ostream& err);

// The whole program: parses argv and runs. --help and --version print to out.
// errIsTerminal: err is shown on a terminal, which then shows the progress of
// a run over a large folder.
int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
           bool errIsTerminal = false);

}  // namespace pixdeck::cli
