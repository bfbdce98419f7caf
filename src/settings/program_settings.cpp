#include "settings/program_settings.h"

#include <algorithm>

#include "platform/collate.h"
#include "platform/file_system.h"
#include "platform/save_lock.h"
#include "util/data_files.h"
#include "util/file_status.h"
#include "util/paths.h"
#include "util/program_dirs.h"
#include "util/read_only_media.h"

namespace pixdeck {
namespace {

// Closes the store when a batch of reads ends early by an exception; a
// failure to close then must not replace the first one.
class CloseOnFailure {
 public:
  explicit CloseOnFailure(TRegOrIni& store) : store_(store) {}
  ~CloseOnFailure() {
    try {
      store_.Close();
    } catch (...) {
    }
  }
  CloseOnFailure(const CloseOnFailure&) = delete;
  CloseOnFailure& operator=(const CloseOnFailure&) = delete;

 private:
  TRegOrIni& store_;
};

// An installed program finds its colour file in <prefix>/share/pixdeck rather
// than beside itself, and its folder belongs to the system.
bool IsInstalledProgram(const std::string& programDir) {
  const std::string shared = JoinPath(InstalledDataDir(programDir), kColorFileName);
  return !platform::FileExists(JoinPath(programDir, kColorFileName)) &&
         platform::FileExists(shared);
}

// A size outside its range (a hand-edited file) leaves the value in force.
int ReadIntegerIn(TRegOrIni& store, const char* key, int value, int low, int high) {
  const std::int32_t read = store.ReadInteger(kOptionsSection, key, value);
  return read >= low && read <= high ? read : value;
}

void ReadGalleryOptions(TRegOrIni& store, ProgramOptions& options) {
  options.gallery = store.ReadBool(kOptionsSection, kGalleryKey, options.gallery);
  options.thumbnailSize = ReadIntegerIn(store, kThumbnailSizeKey, options.thumbnailSize,
                                        kMinThumbnailSize, kMaxThumbnailSize);
  options.galleryPageSize =
      ReadIntegerIn(store, kGalleryPageSizeKey, options.galleryPageSize, 1, kMaxGalleryPageSize);
}

void ReadList(TRegOrIni& store, const char* section, std::vector<std::string>& items) {
  std::vector<std::string> scratch;
  store.ReadStrings(section, kHistoryListName, scratch);
  if (!scratch.empty()) {
    items = std::move(scratch);
  }
}

}  // namespace

ProgramOptions& CurrentOptions() {
  static ProgramOptions options;
  return options;
}

SettingsLocation LocateSettingsFile(const std::string& programFile) {
  SettingsLocation location;
  location.name = ForceExt(programFile, "INI");
  if (kNativeStyle == PathStyle::Windows) {
    // A CD-ROM, or a folder this user may not write: a program installed for
    // every user under Program Files.
    location.onReadOnlyMedium =
        IsCdRomDrive(DriveLetterOf(location.name)) || IsFolderReadOnly(DirOf(location.name));
  } else {
    const std::string dir = DirOf(programFile);
    location.onReadOnlyMedium = platform::IsOnReadOnlyMedium(dir) || IsInstalledProgram(dir);
  }
  if (location.onReadOnlyMedium) {
    location.name = JoinPath(WindowsDir(), NameOf(location.name));
  }
  return location;
}

SettingsLocation LocateWindowSettingsFile(const std::string& programFile) {
  return LocateSettingsFile(JoinPath(DirOf(programFile), "pixdeck"));
}

std::string OpenSettingsFileName() {
  const SettingsLocation location = LocateSettingsFile(platform::ProgramFilePath());
  SetOnCdRom(location.onReadOnlyMedium);
  return location.name;
}

std::string WindowFallbackIniName(const std::string& programFile) {
  return IniNameOf(JoinPath(DirOf(programFile), "pixdeck"));
}

std::unique_ptr<TRegOrIni> OpenSettingsStore(const std::string& name,
                                             const std::string& fallbackName) {
  SetSettingsVersion(kProgramSettingsVersion);
  return std::make_unique<TRegOrIni>(name, fallbackName);
}

void LoadProgramSettings(TRegOrIni& store, ProgramOptions& options, WindowSettings& window,
                         const ConfigureBrowserFn& configureBrowser, SettingsBaseline* baseline) {
  CloseOnFailure guard(store);
  options.browserName = store.ReadString(kOptionsSection, kBrowserNameKey, options.browserName);
  // A hand-edited file may switch it on beside a browser name, but without a
  // name the registered browser is the only one there is.
  options.useRegSettings =
      store.ReadBool(kOptionsSection, kUseRegSettingsKey, options.browserName.empty()) ||
      options.browserName.empty();
  if (configureBrowser) {
    configureBrowser(options.browserName, options.useRegSettings);
  }

  options.outputName = store.ReadString(kOptionsSection, kOutputNameKey, options.outputName);
  options.urlBaseName = store.ReadString(kOptionsSection, kUrlBaseNameKey, options.urlBaseName);
  options.patternName = store.ReadString(kOptionsSection, kPatternNameKey, options.patternName);
  options.bgColor = store.ReadString(kOptionsSection, kBgColorKey, options.bgColor);
  options.lightPages = store.ReadBool(kOptionsSection, kLightPagesKey, options.lightPages);
  ReadGalleryOptions(store, options);

  const std::string dir = store.ReadString(kOptionsSection, kDefaultDirKey, window.defaultDir);
  if (DirExists(dir)) {
    window.defaultDir = dir;
  }

  ReadList(store, kSpecsSection, window.specs);
  ReadList(store, kOutputNamesSection, window.outputNames);
  ReadList(store, kPatternsSection, window.patterns);
  store.Close();
  if (baseline) {
    *baseline = SettingsBaseline{options, window};
  }
}

std::vector<std::string> MergeHistory(const std::vector<std::string>& current,
                                      const std::vector<std::string>& base,
                                      const std::vector<std::string>& stored) {
  if (stored.empty()) {
    return current;
  }
  const auto holds = [](const std::vector<std::string>& list, const std::string& text) {
    return std::any_of(list.begin(), list.end(), [&](const std::string& entry) {
      return platform::CompareTextLocale(entry, text) == 0;
    });
  };
  std::vector<std::string> merged;
  for (const std::string& entry : current) {
    if (!holds(base, entry) && !holds(merged, entry)) {
      merged.push_back(entry);
    }
  }
  for (const std::string& entry : stored) {
    if (!holds(merged, entry)) {
      merged.push_back(entry);
    }
  }
  if (merged.size() > static_cast<std::size_t>(kHistoryMaxCount)) {
    merged.resize(kHistoryMaxCount);
  }
  return merged;
}

bool SaveProgramSettings(TRegOrIni& store, const ProgramOptions& options,
                         const WindowSettings& window, SettingsBaseline* baseline) {
  store.UpdateWritable();
  if (!SettingsWritable()) {
    return false;
  }
  // From reading the store as it is now to replacing it, no other save runs.
  const platform::SaveLock lock(store.MediumFile());
  store.Close();  // the next read takes the store as it is now

  // A value this run did not change keeps what the store holds; one the
  // store lacks is written, so that the layout is always whole.
  const auto changed = [&](const char* key, bool differs) {
    return !baseline || differs || !store.Has(kOptionsSection, key);
  };
  const ProgramOptions* was = baseline ? &baseline->options : nullptr;
  if (changed(kBrowserNameKey, was && was->browserName != options.browserName)) {
    store.WriteString(kOptionsSection, kBrowserNameKey, options.browserName);
  }
  if (changed(kUseRegSettingsKey, was && was->useRegSettings != options.useRegSettings)) {
    store.WriteBool(kOptionsSection, kUseRegSettingsKey, options.useRegSettings);
  }
  if (changed(kOutputNameKey, was && was->outputName != options.outputName)) {
    store.WriteString(kOptionsSection, kOutputNameKey, options.outputName);
  }
  if (changed(kUrlBaseNameKey, was && was->urlBaseName != options.urlBaseName)) {
    store.WriteString(kOptionsSection, kUrlBaseNameKey, options.urlBaseName);
  }
  if (changed(kPatternNameKey, was && was->patternName != options.patternName)) {
    store.WriteString(kOptionsSection, kPatternNameKey, options.patternName);
  }
  if (changed(kBgColorKey, was && was->bgColor != options.bgColor)) {
    store.WriteString(kOptionsSection, kBgColorKey, options.bgColor);
  }
  if (changed(kDefaultDirKey, baseline && baseline->window.defaultDir != window.defaultDir)) {
    store.WriteString(kOptionsSection, kDefaultDirKey, window.defaultDir);
  }
  if (changed(kLightPagesKey, was && was->lightPages != options.lightPages)) {
    store.WriteBool(kOptionsSection, kLightPagesKey, options.lightPages);
  }
  if (changed(kGalleryKey, was && was->gallery != options.gallery)) {
    store.WriteBool(kOptionsSection, kGalleryKey, options.gallery);
  }
  if (changed(kThumbnailSizeKey, was && was->thumbnailSize != options.thumbnailSize)) {
    store.WriteInteger(kOptionsSection, kThumbnailSizeKey, options.thumbnailSize);
  }
  if (changed(kGalleryPageSizeKey, was && was->galleryPageSize != options.galleryPageSize)) {
    store.WriteInteger(kOptionsSection, kGalleryPageSizeKey, options.galleryPageSize);
  }

  const auto writeList = [&](const char* section, const std::vector<std::string>& current,
                             const std::vector<std::string>* base) {
    std::vector<std::string> list = current;
    if (base) {
      std::vector<std::string> stored;
      store.ReadStrings(section, kHistoryListName, stored);
      list = MergeHistory(current, *base, stored);
    }
    store.WriteStrings(section, kHistoryListName, list, kHistoryMaxCount, true);
  };
  writeList(kSpecsSection, window.specs, baseline ? &baseline->window.specs : nullptr);
  writeList(kOutputNamesSection, window.outputNames,
            baseline ? &baseline->window.outputNames : nullptr);
  writeList(kPatternsSection, window.patterns, baseline ? &baseline->window.patterns : nullptr);
  store.Close();
  if (baseline) {
    *baseline = SettingsBaseline{options, window};
  }
  return true;
}

ProgramOptions ReadCatalogDefaults(TRegOrIni& store, ProgramOptions defaults) {
  CloseOnFailure guard(store);
  defaults.browserName = store.ReadString(kOptionsSection, kBrowserNameKey, defaults.browserName);
  defaults.useRegSettings =
      store.ReadBool(kOptionsSection, kUseRegSettingsKey, defaults.browserName.empty()) ||
      defaults.browserName.empty();
  defaults.outputName = store.ReadString(kOptionsSection, kOutputNameKey, defaults.outputName);
  defaults.urlBaseName = store.ReadString(kOptionsSection, kUrlBaseNameKey, defaults.urlBaseName);
  defaults.patternName = store.ReadString(kOptionsSection, kPatternNameKey, defaults.patternName);
  defaults.bgColor = store.ReadString(kOptionsSection, kBgColorKey, defaults.bgColor);
  defaults.lightPages = store.ReadBool(kOptionsSection, kLightPagesKey, defaults.lightPages);
  ReadGalleryOptions(store, defaults);
  return defaults;
}

}  // namespace pixdeck
