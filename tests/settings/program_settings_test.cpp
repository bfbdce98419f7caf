#include "settings/program_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "settings/ini_file.h"
#include "settings/ini_text.h"
#include "settings_fixture.h"
#include "text/utf8_path.h"
#include "util/paths.h"
#include "util/program_dirs.h"

namespace pixdeck {
namespace {

namespace fs = std::filesystem;
using test::ScratchDir;

class ProgramSettings : public test::SettingsTest {
 protected:
  std::string File() const { return dir_.file("pixdeck.INI"); }
  std::unique_ptr<TRegOrIni> Store() { return OpenSettingsStore(File()); }

  // The window as designed: three specifications, no page names or patterns.
  WindowSettings DesignedWindow() const {
    WindowSettings window;
    window.defaultDir = Utf8FromPath(dir_.path());
    window.specs = {"*.gif;*.jpg", "*.gif", "*.jpg"};
    return window;
  }

  // Loads with a browser hook that records its calls.
  void Load(TRegOrIni& store, ProgramOptions& options, WindowSettings& window) {
    LoadProgramSettings(store, options, window, [&](const std::string& name, bool useReg) {
      browserCalls_.emplace_back(name, useReg);
    });
  }

  IniText Saved() const { return IniText(ScratchDir::read(File())); }

  std::vector<std::pair<std::string, bool>> browserCalls_;
};

TEST_F(ProgramSettings, FirstRunKeepsTheDefaultsAndTheFirstSaveWritesTheWholeLayout) {
  const auto store = Store();
  ProgramOptions options;
  WindowSettings window = DesignedWindow();
  Load(*store, options, window);
  EXPECT_EQ(options, ProgramOptions{});
  EXPECT_EQ(options.outputName, "images.htm");
  EXPECT_EQ(options.urlBaseName, "file:///");
  EXPECT_TRUE(options.useRegSettings);
  EXPECT_EQ(window, DesignedWindow());
  EXPECT_EQ(browserCalls_, (std::vector<std::pair<std::string, bool>>{{"", true}}));
  EXPECT_FALSE(store->Opened());
  EXPECT_FALSE(fs::exists(PathFromUtf8(File())));

  EXPECT_TRUE(SaveProgramSettings(*store, options, window));
  const IniText saved = Saved();
  EXPECT_EQ(saved.KeyNames("Options"),
            (std::vector<std::string>{"BrowserName", "UseRegSettings", "OutputName", "UrlBaseName",
                                      "PatternName", "BgColor", "DefaultDir", "LightPages",
                                      "Gallery", "ThumbnailSize", "GalleryPageSize"}));
  EXPECT_EQ(saved.Find("Options", "UseRegSettings"), "1");
  EXPECT_EQ(saved.Find("Options", "LightPages"), "0");
  EXPECT_EQ(saved.Find("Options", "Gallery"), "0");
  EXPECT_EQ(saved.Find("Options", "ThumbnailSize"), "320");
  EXPECT_EQ(saved.Find("Options", "GalleryPageSize"), "500");
  EXPECT_EQ(saved.Find("Options", "OutputName"), "images.htm");
  EXPECT_EQ(saved.Find("Options", "DefaultDir"), window.defaultDir);
  EXPECT_EQ(saved.KeyNames("Specs"),
            (std::vector<std::string>{"ItemCount", "Item_1", "Item_2", "Item_3"}));
  EXPECT_EQ(saved.Find("Specs", "Item_1"), "*.gif;*.jpg");
  EXPECT_EQ(saved.KeyNames("OutputNames"), std::vector<std::string>{"ItemCount"});
  EXPECT_EQ(saved.Find("OutputNames", "ItemCount"), "0");
  EXPECT_EQ(saved.Find("Patterns", "ItemCount"), "0");
  EXPECT_FALSE(store->Opened());
}

TEST_F(ProgramSettings, WhatIsSavedLoadsBackAndHistoriesKeepTheirFirstTen) {
  ProgramOptions options;
  options.browserName = "/opt/netscape/netscape";
  options.useRegSettings = false;
  options.outputName = "index.html";
  options.urlBaseName = "http://example.org/pics/";
  options.patternName = "bg.gif";
  options.bgColor = "Navy";
  options.lightPages = true;
  options.gallery = true;
  options.thumbnailSize = 200;
  options.galleryPageSize = 40;
  WindowSettings window = DesignedWindow();
  fs::create_directories(dir_.path() / "pictures");
  window.defaultDir = dir_.file("pictures");
  for (int i = 1; i <= 14; ++i) {
    window.outputNames.push_back("page" + std::to_string(i) + ".htm");
  }
  window.patterns = {"a.gif"};
  EXPECT_TRUE(SaveProgramSettings(*Store(), options, window));

  ProgramOptions loaded;
  WindowSettings shown = DesignedWindow();
  shown.patterns = {"designed.gif", "other.gif"};
  Load(*Store(), loaded, shown);
  EXPECT_EQ(loaded, options);
  EXPECT_EQ(shown.defaultDir, window.defaultDir);
  EXPECT_EQ(shown.specs, window.specs);
  EXPECT_EQ(shown.outputNames,
            std::vector<std::string>(window.outputNames.begin(), window.outputNames.begin() + 10));
  EXPECT_EQ(shown.patterns, window.patterns);
  EXPECT_EQ(browserCalls_,
            (std::vector<std::pair<std::string, bool>>{{"/opt/netscape/netscape", false}}));
}

TEST_F(ProgramSettings, UseRegSettingsFollowsTheBrowserName) {
  struct Case {
    std::string options;
    bool expected;
  };
  const Case cases[] = {
      {"BrowserName=/usr/bin/firefox\n", false},   // absent beside a name
      {"BrowserName=\nUseRegSettings=0\n", true},  // no name: always on
      {"UseRegSettings=0\n", true},
      {"BrowserName=/usr/bin/firefox\nUseRegSettings=1\n", true},  // edited by hand
      {"BrowserName=/usr/bin/firefox\nUseRegSettings=0\n", false},
  };
  for (const Case& c : cases) {
    dir_.write("pixdeck.INI", "[Options]\n" + c.options);
    ProgramOptions options;
    WindowSettings window;
    Load(*Store(), options, window);
    EXPECT_EQ(options.useRegSettings, c.expected) << c.options;
    EXPECT_EQ(browserCalls_.back(), std::make_pair(options.browserName, c.expected)) << c.options;
  }
}

TEST_F(ProgramSettings, LightPagesAreOffUnlessTheFileSwitchesThemOn) {
  struct Case {
    std::string options;
    bool expected;
  };
  const Case cases[] = {
      {"OutputName=old.htm\n", false},  // a file from before the option
      {"LightPages=1\n", true},
      {"LightPages=0\n", false},
      {"lightpages = 1\n", true},
  };
  for (const Case& c : cases) {
    dir_.write("pixdeck.INI", "[Options]\n" + c.options);
    ProgramOptions options;
    WindowSettings window;
    Load(*Store(), options, window);
    EXPECT_EQ(options.lightPages, c.expected) << c.options;
  }
}

TEST_F(ProgramSettings, GalleriesAreOffUnlessTheFileSwitchesThemOnAndBadSizesAreIgnored) {
  struct Case {
    std::string options;
    bool gallery;
    int thumbnailSize;
    int pageSize;
  };
  const Case cases[] = {
      {"OutputName=old.htm\n", false, 320, 500},  // a file from before the option
      {"Gallery=1\nThumbnailSize=160\nGalleryPageSize=100\n", true, 160, 100},
      {"Gallery=0\nThumbnailSize=0\nGalleryPageSize=-5\n", false, 320, 500},
      {"gallery = 1\nThumbnailSize=99999\nGalleryPageSize=x\n", true, 320, 500},
      {"ThumbnailSize=16\nGalleryPageSize=1\n", false, 16, 1},
  };
  for (const Case& c : cases) {
    dir_.write("pixdeck.INI", "[Options]\n" + c.options);
    ProgramOptions options;
    WindowSettings window;
    Load(*Store(), options, window);
    EXPECT_EQ(options.gallery, c.gallery) << c.options;
    EXPECT_EQ(options.thumbnailSize, c.thumbnailSize) << c.options;
    EXPECT_EQ(options.galleryPageSize, c.pageSize) << c.options;
  }
}

TEST_F(ProgramSettings, TheBrowserIsConfiguredBeforeTheOtherOptionsAreRead) {
  dir_.write("pixdeck.INI", "[Options]\nBrowserName=/b/x\nOutputName=stored.htm\n");
  ProgramOptions options;
  WindowSettings window;
  std::string outputNameAtConfiguration;
  LoadProgramSettings(*Store(), options, window, [&](const std::string&, bool) {
    outputNameAtConfiguration = options.outputName;
  });
  EXPECT_EQ(outputNameAtConfiguration, "images.htm");
  EXPECT_EQ(options.outputName, "stored.htm");
}

TEST_F(ProgramSettings, MissingKeysKeepTheValuesSetEarlierInTheRun) {
  dir_.write("pixdeck.INI", "[Options]\nBgColor=Red\n");
  ProgramOptions options;
  options.outputName = "earlier.htm";
  options.patternName = "earlier.gif";
  WindowSettings window;
  Load(*Store(), options, window);
  EXPECT_EQ(options.outputName, "earlier.htm");
  EXPECT_EQ(options.patternName, "earlier.gif");
  EXPECT_EQ(options.bgColor, "Red");
}

TEST_F(ProgramSettings, AGoneDefaultDirAndEmptyListsLeaveTheWindowAsItIs) {
  dir_.write("pixdeck.INI",
             "[Options]\nDefaultDir=" + dir_.file("gone") +
                 "\n[Specs]\nItemCount=0\n[OutputNames]\n[Patterns]\nItemCount=3\nItem_2=b.gif\n");
  WindowSettings window = DesignedWindow();
  ProgramOptions options;
  Load(*Store(), options, window);
  EXPECT_EQ(window.defaultDir, DesignedWindow().defaultDir);
  EXPECT_EQ(window.specs, DesignedWindow().specs);
  EXPECT_TRUE(window.outputNames.empty());
  EXPECT_EQ(window.patterns, (std::vector<std::string>{"", "b.gif", ""}));
}

TEST_F(ProgramSettings, LoadClosesTheStoreAlsoWhenConfiguringTheBrowserFails) {
  const auto store = Store();
  ProgramOptions options;
  WindowSettings window;
  EXPECT_THROW(LoadProgramSettings(*store, options, window,
                                   [](const std::string&, bool) { throw std::runtime_error("x"); }),
               std::runtime_error);
  EXPECT_FALSE(store->Opened());
}

TEST_F(ProgramSettings, AReadOnlyFileSilentlySavesNothing) {
  const std::string original = "[Options]\nOutputName=kept.htm\n";
  dir_.write("pixdeck.INI", original);
  const auto store = Store();
  fs::permissions(PathFromUtf8(File()), fs::perms::owner_read);
  ProgramOptions options;
  WindowSettings window = DesignedWindow();
  EXPECT_FALSE(SaveProgramSettings(*store, options, window));
  EXPECT_EQ(ScratchDir::read(File()), original);

  // Writable again before the next save: that save goes through.
  fs::permissions(PathFromUtf8(File()), fs::perms::owner_write, fs::perm_options::add);
  EXPECT_TRUE(SaveProgramSettings(*store, options, window));
  EXPECT_EQ(Saved().Find("Options", "OutputName"), "images.htm");
}

TEST_F(ProgramSettings, AWriteFailureRaisesOutOfSave) {
  const auto store = OpenSettingsStore(dir_.file("missing/pixdeck.INI"));
  EXPECT_THROW(SaveProgramSettings(*store, ProgramOptions{}, DesignedWindow()), IniFileError);
  EXPECT_FALSE(store->Opened());
}

TEST_F(ProgramSettings, OpeningSetsTheVersionThatTheFileMayOverride) {
  { OpenSettingsStore(File()); }
  EXPECT_EQ(SettingsVersion(), kProgramSettingsVersion);
  dir_.write("pixdeck.INI", "[Application]\nVersion=200\n");
  { OpenSettingsStore(File()); }
  EXPECT_EQ(SettingsVersion(), 200);
}

TEST_F(ProgramSettings, TheCatalogDefaultsAreThePageAndBrowserOptions) {
  dir_.write("pixdeck.INI",
             "[Options]\nOutputName=cli.htm\nBgColor=Teal\nBrowserName=/b\nPatternName=p.gif\n");
  ProgramOptions defaults;
  defaults.urlBaseName = "http://x/";
  const auto store = Store();
  const ProgramOptions read = ReadCatalogDefaults(*store, defaults);
  EXPECT_EQ(read.outputName, "cli.htm");
  EXPECT_EQ(read.urlBaseName, "http://x/");
  EXPECT_EQ(read.patternName, "p.gif");
  EXPECT_EQ(read.bgColor, "Teal");
  // The browser as the load reads it: a name without the switch means no DDE.
  EXPECT_EQ(read.browserName, "/b");
  EXPECT_FALSE(read.useRegSettings);
  EXPECT_FALSE(store->Opened());
}

TEST_F(ProgramSettings, TheCatalogDefaultsForceDdeOnWithoutABrowserName) {
  dir_.write("pixdeck.INI", "[Options]\nBrowserName=\nUseRegSettings=0\n");
  const auto store = Store();
  const ProgramOptions read = ReadCatalogDefaults(*store, ProgramOptions{});
  EXPECT_EQ(read.browserName, "");
  EXPECT_TRUE(read.useRegSettings);
}

TEST_F(ProgramSettings, AHostileFileSurvivesALoadAndASave) {
  std::string junk;
  for (int i = 0; i < 2000; ++i) {
    junk += static_cast<char>((i * 37 + 11) % 256);
  }
  const std::string longLine = "Long=" + std::string(100000, 'L');
  const std::string file = junk + "\n[Mine]\r\nKeep=1\r\n" + longLine +
                           "\n[Options]\nOutputName=first.htm\r\n[OPTIONS]\nBgColor=Red\n"
                           "[Specs]\nItemCount=99999999\n[Last]\r\nTail=end";
  dir_.write("pixdeck.INI", file);
  const auto store = Store();
  ProgramOptions options;
  WindowSettings window = DesignedWindow();
  Load(*store, options, window);
  EXPECT_EQ(options.outputName, "first.htm");
  EXPECT_EQ(options.bgColor, "");  // a second [Options] does not count
  options.bgColor = "Red";
  EXPECT_EQ(window.specs.size(), static_cast<std::size_t>(TRegOrIni::kMaxListCount));
  window.specs = {"*.png"};
  options.outputName = "second.htm";
  EXPECT_TRUE(SaveProgramSettings(*store, options, window));

  const std::string saved = ScratchDir::read(File());
  EXPECT_NE(saved.find(junk), std::string::npos);
  EXPECT_NE(saved.find(longLine), std::string::npos);
  const IniText reread(saved);
  EXPECT_EQ(reread.Find("Mine", "Keep"), "1");
  EXPECT_EQ(reread.Find("Last", "Tail"), "end");
  EXPECT_EQ(reread.Find("Options", "OutputName"), "second.htm");
  EXPECT_EQ(reread.Find("Options", "BgColor"), "Red");
  EXPECT_EQ(reread.Find("Specs", "ItemCount"), "1");
}

#ifdef _WIN32
// A program installed for every user under Program Files cannot write its
// folder: its settings go to the per-user folder. A folder on a drive that
// does not exist stands for it (Wine lets every program write everywhere).
TEST_F(ProgramSettings, TheSettingsFileLeavesAFolderTheUserCannotWrite) {
  const std::string program = dir_.write("pixdeck.exe", "");
  const SettingsLocation beside = LocateSettingsFile(program);
  EXPECT_EQ(beside.name, ForceExt(program, "INI"));
  EXPECT_FALSE(beside.onReadOnlyMedium);

  const SettingsLocation moved = LocateSettingsFile("Q:\\Program Files\\Pixdeck\\pixdeck.exe");
  EXPECT_TRUE(moved.onReadOnlyMedium);
  EXPECT_EQ(moved.name, JoinPath(WindowsDir(), "pixdeck.INI"));
}
#else
TEST_F(ProgramSettings, TheSettingsFileLivesBesideTheProgramUnlessItIsInstalled) {
  const std::string program = dir_.write("prefix/bin/pixdeck", "");
  const SettingsLocation beside = LocateSettingsFile(program);
  EXPECT_EQ(beside.name, dir_.file("prefix/bin/pixdeck.INI"));
  EXPECT_FALSE(beside.onReadOnlyMedium);

  dir_.write("prefix/share/pixdeck/Bkcolors.txt", "White=FFFFFF\n");
  const SettingsLocation installed = LocateSettingsFile(program);
  EXPECT_TRUE(installed.onReadOnlyMedium);
  EXPECT_EQ(installed.name, JoinPath(WindowsDir(), "pixdeck.INI"));

  // A colour file beside the program makes it a program run from its folder.
  dir_.write("prefix/bin/Bkcolors.txt", "White=FFFFFF\n");
  EXPECT_EQ(LocateSettingsFile(program).name, beside.name);
}
#endif

}  // namespace
}  // namespace pixdeck
