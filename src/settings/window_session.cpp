#include "settings/window_session.h"

#include <exception>
#include <utility>

#include "util/temp_files.h"

namespace pixdeck {

WindowSession::WindowSession() = default;
WindowSession::~WindowSession() = default;

void WindowSession::Open(std::string name, Messages& messages) {
  try {
    name_ = name.empty() ? OpenSettingsFileName() : std::move(name);
    store_ = OpenSettingsStore(name_);
    // A settings file that cannot be used is told once; the defaults hold.
    for (const std::string& problem : store_->TakeProblems()) {
      ShowError(messages, problem);
    }
  } catch (const std::exception& error) {
    store_.reset();
    ShowError(messages, error.what());
  }
}

WindowSettings WindowSession::Load(const WindowSettings& designed,
                                   const ConfigureBrowserFn& configureBrowser, Messages& messages) {
  WindowSettings window;
  window.defaultDir = designed.defaultDir;
  if (!store_) {
    return window;
  }
  try {
    baseline_.reset();
    SettingsBaseline loaded;
    LoadProgramSettings(*store_, CurrentOptions(), window, configureBrowser, &loaded);
    // A list the settings lack is shown as designed, and that is what it was.
    for (auto [list, shown] : {std::pair{&loaded.window.specs, &designed.specs},
                               std::pair{&loaded.window.outputNames, &designed.outputNames},
                               std::pair{&loaded.window.patterns, &designed.patterns}}) {
      if (list->empty()) {
        *list = *shown;
      }
    }
    baseline_ = std::make_unique<SettingsBaseline>(std::move(loaded));
  } catch (const std::exception& error) {
    ShowError(messages, error.what());
  }
  return window;
}

void WindowSession::Save(const WindowSettings& current) {
  if (store_) {
    SaveProgramSettings(*store_, CurrentOptions(), current, baseline_.get());
  }
}

std::string WindowSession::Close(const WindowSettings& current) {
  if (closed_) {
    return {};
  }
  closed_ = true;
  std::string failure;
  try {
    Save(current);
  } catch (const std::exception& error) {
    failure = error.what();
  }
  // The temporary pages go even when the settings could not be written.
  DeleteTempFiles();
  if (store_) {
    std::unique_ptr<TRegOrIni> store = std::move(store_);
    try {
      store->Close();
    } catch (const std::exception& error) {
      if (failure.empty()) {
        failure = error.what();
      }
    }
  }
  return failure;
}

}  // namespace pixdeck
