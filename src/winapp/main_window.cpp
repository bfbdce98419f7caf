#include "winapp/main_window.h"

#include <commctrl.h>

#include <exception>

#include "browser/browser_detection.h"
#include "browser/page_viewer.h"
#include "catalog/catalog_run.h"
#include "catalog/credits_text.h"
#include "settings/program_settings.h"
#include "util/browse_start.h"
#include "util/file_filters.h"
#include "util/paths.h"
#include "winapp/about_box.h"
#include "winapp/app_hints.h"
#include "winapp/dialog_proc.h"
#include "winapp/directory_list.h"
#include "winapp/drive_box.h"
#include "winapp/file_dialogs.h"
#include "winapp/options_dialog.h"
#include "winapp/resource.h"
#include "winapp/win_messages.h"
#include "winapp/win_text.h"
#include "winapp/window_boxes.h"
#include "wininputs/enh_label.h"

namespace pixdeck {
namespace {

// The long hints of the window's controls (the text after each hint's "|").
constexpr ControlHint kMainWindowHints[] = {
    {PIXDECK_IDC_SPECS, "Type of file(s) to display in HTML document"},
    {PIXDECK_IDC_DIRECTORY, "Select directory with image files"},
    {PIXDECK_IDC_DRIVES, "Change drive"},
    {PIXDECK_IDC_OUTPUT_NAME, "Name of HTML document produced by filter action"},
    {PIXDECK_IDC_BACKGROUND, "Background pattern name"},
    {PIXDECK_IDC_BACK_COLOR, "Color used for HTML background"},
    {PIXDECK_IDC_FILTER, "Make HTML document based on current settings"},
    {PIXDECK_IDC_VIEW, "View HTML file in web browser"},
    {PIXDECK_IDC_OPTIONS, "Set program options such as browser name, default settings, etc."},
    {PIXDECK_IDC_ABOUT, "Information about this program"},
    {PIXDECK_IDC_EXIT, "Close application"},
    {PIXDECK_IDC_COUNT, "Number of items found during filter operation"},
    {PIXDECK_IDC_BROWSE_OUTPUT_NAME, "Select output name"},
    {PIXDECK_IDC_BROWSE_BACKGROUND, "Select background pattern"},
};

// The specifications box's designed list and text.
const std::vector<std::string> kDesignedSpecs = {"*.gif;*.jpg", "*.gif", "*.jpg"};
constexpr const char* kDesignedOutputName = "images.htm";

// Filter shows the hourglass and is disabled while it runs; both are undone
// on every way out.
class FilterRunGuard {
 public:
  explicit FilterRunGuard(HWND button)
      : button_(button), cursor_(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {
    SetButtonEnabled(button_, false);
  }
  ~FilterRunGuard() {
    SetButtonEnabled(button_, true);
    ::SetCursor(cursor_);
  }
  FilterRunGuard(const FilterRunGuard&) = delete;
  FilterRunGuard& operator=(const FilterRunGuard&) = delete;

 private:
  HWND button_;
  HCURSOR cursor_;
};

}  // namespace

MainWindow::MainWindow(std::string settingsName) : settingsName_(std::move(settingsName)) {}

MainWindow::~MainWindow() {
  if (window_ != nullptr && ::IsWindow(window_)) {
    ::DestroyWindow(window_);
  }
  SetCurrentDirSource({});
  if (bigIcon_ != nullptr) {
    ::DestroyIcon(bigIcon_);
  }
  if (smallIcon_ != nullptr) {
    ::DestroyIcon(smallIcon_);
  }
}

HWND MainWindow::Create(HINSTANCE instance) {
  window_ = ::CreateDialogParamW(instance, MAKEINTRESOURCEW(PIXDECK_IDD_MAIN), nullptr,
                                 &DialogProcOf<MainWindow>, reinterpret_cast<LPARAM>(this));
  if (window_ != nullptr) {
    bigIcon_ = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(PIXDECK_IDI_PROGRAM),
                                               IMAGE_ICON, ::GetSystemMetrics(SM_CXICON),
                                               ::GetSystemMetrics(SM_CYICON), 0));
    smallIcon_ = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(PIXDECK_IDI_PROGRAM),
                                                 IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                 ::GetSystemMetrics(SM_CYSMICON), 0));
    ::SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
    ::SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  }
  return window_;
}

INT_PTR MainWindow::InitDialog(HWND window) {
  window_ = window;
  Loaded();
  return FALSE;  // the load step has put the focus on the specifications
}

INT_PTR MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      // The count box has the colour of a button's face.
      if (reinterpret_cast<HWND>(lParam) == Item(PIXDECK_IDC_COUNT)) {
        auto dc = reinterpret_cast<HDC>(wParam);
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_BTNFACE));
      }
      return FALSE;
    case WM_CLOSE:
      FormCloseQuery();
      ::DestroyWindow(window_);
      return TRUE;
    case WM_DESTROY:
      // A window destroyed without being closed still saves and cleans up,
      // but shows nothing.
      if (!session_.IsClosed()) {
        (void)session_.Close(CurrentState());  // nobody to tell any more
      }
      AppHints::Instance().Forget(window_);
      AppHints::Instance().SetHandler({});
      directoryLabel_.reset();
      boxes_.reset();
      ::PostQuitMessage(0);
      return TRUE;
    default:
      return FALSE;
  }
}

void MainWindow::OnCommand(int id, int code) {
  switch (id) {
    case PIXDECK_IDC_DIRECTORY:
      if (code == LBN_DBLCLK) {
        dirList_->OpenSelected();
      }
      break;
    case PIXDECK_IDC_DRIVES:
      if (code == CBN_DROPDOWN) {
        drives_->Refresh();
      } else if (code == CBN_SELENDOK) {
        drives_->Picked();
      }
      break;
    case IDOK:  // Enter: the default button, when it may be pressed
    case PIXDECK_IDC_FILTER:
      if (::IsWindowEnabled(Item(PIXDECK_IDC_FILTER))) {
        btnFilterClick();
      }
      break;
    case PIXDECK_IDC_VIEW:
      btnViewClick();
      break;
    case PIXDECK_IDC_OPTIONS:
      btnOptionsClick();
      break;
    case PIXDECK_IDC_ABOUT:
      btnAboutClick();
      break;
    case PIXDECK_IDC_EXIT:
      ::SendMessageW(window_, WM_CLOSE, 0, 0);
      break;
    case PIXDECK_IDC_BROWSE_OUTPUT_NAME:
      btnOutputNameClick();
      break;
    case PIXDECK_IDC_BROWSE_BACKGROUND:
      btnBackgroundClick();
      break;
    default:
      break;  // Escape (IDCANCEL) does nothing on the main window
  }
}

// The load step, in its order: the window's own set-up, the hint handler,
// the settings store, the colours, the settings, then the saved defaults
// into their boxes.
void MainWindow::Loaded() {
  ApplyDesign();
  viewer_ = std::make_unique<PageViewer>(AppMessages());
  AppHints::Instance().SetHandler([this](const std::string& hint) { ShowAppHint(hint); });
  session_.Open(settingsName_, AppMessages());
  colorsLoaded_ = LoadBackColors(colors_, AppMessages());
  if (colorsLoaded_) {
    std::vector<std::string> names;
    for (const ColorEntry& entry : colors_.Entries()) {
      names.push_back(entry.name);
    }
    boxes_->SetItems(PIXDECK_IDC_BACK_COLOR, names);
  } else {
    ::EnableWindow(Item(PIXDECK_IDC_BACK_COLOR), FALSE);
  }
  LoadSettings();

  const ProgramOptions& options = CurrentOptions();
  boxes_->SetInitialText(PIXDECK_IDC_OUTPUT_NAME, options.outputName);
  if (options.outputName.empty()) {
    edtOutputNameChange();
  }
  boxes_->SetInitialText(PIXDECK_IDC_BACKGROUND, options.patternName);
  boxes_->SetInitialText(PIXDECK_IDC_BACK_COLOR, options.bgColor);
}

// What the resource cannot say: the caption, the hints, the boxes and
// lists, the default button.
void MainWindow::ApplyDesign() {
  SetWindowTextUtf8(window_, MainWindowCaption());
  AppHints::Instance().SetHints(window_, StatusCaption(), kMainWindowHints);

  // Every box shares the window's context menu and insert mode; the
  // highlighted menu entry's hint goes to the status panel.
  boxes_ = std::make_unique<WindowBoxes>(
      window_, [](const std::string& hint) { AppHints::Instance().Show(hint); });
  boxes_->AddCombo(PIXDECK_IDC_SPECS, PIXDECK_IDC_LBL_SPECS, {});
  boxes_->AddCombo(PIXDECK_IDC_OUTPUT_NAME, PIXDECK_IDC_LBL_OUTPUT_NAME, {});
  boxes_->AddCombo(PIXDECK_IDC_BACKGROUND, PIXDECK_IDC_LBL_BACKGROUND, {});
  boxes_->AddCombo(PIXDECK_IDC_BACK_COLOR, PIXDECK_IDC_LBL_BACK_COLOR,
                   {.history = false, .limitToList = true, .undoWhenEsc = true});
  boxes_->AddEdit(PIXDECK_IDC_COUNT, PIXDECK_IDC_LBL_COUNT, false);
  directoryLabel_ = std::make_unique<wininputs::TEnhLabel>();
  directoryLabel_->Attach(Item(PIXDECK_IDC_LBL_DIRECTORY), Item(PIXDECK_IDC_DIRECTORY));
  boxes_->SetInitialText(PIXDECK_IDC_COUNT, "0");
  boxes_->SetItems(PIXDECK_IDC_SPECS, kDesignedSpecs);
  boxes_->SetInitialText(PIXDECK_IDC_SPECS, kDesignedSpecs.front());
  boxes_->SetInitialText(PIXDECK_IDC_OUTPUT_NAME, kDesignedOutputName);
  boxes_->SetOnChange(PIXDECK_IDC_SPECS, [this] { ResetCounter(); });
  boxes_->SetOnChange(PIXDECK_IDC_OUTPUT_NAME, [this] { ResetCounter(); });
  boxes_->SetOnListPick(PIXDECK_IDC_BACK_COLOR, [this] { lbxBackColorListPick(); });
  ::SendDlgItemMessageW(window_, PIXDECK_IDC_SPECS, CB_SETMINVISIBLE, 4, 0);

  dirList_ = std::make_unique<DirectoryList>(Item(PIXDECK_IDC_DIRECTORY), [this] {
    if (drives_) {
      drives_->FollowList();
    }
    ResetCounter();
  });
  drives_ = std::make_unique<DriveBox>(Item(PIXDECK_IDC_DRIVES), *dirList_, AppMessages(),
                                       [this] { ResetCounter(); });
  // The directory list's folder is the program's current directory, where
  // the first browse starts.
  SetCurrentDirSource([this] { return dirList_->Directory(); });

  ::SendMessageW(window_, DM_SETDEFID, PIXDECK_IDC_FILTER, 0);
  ::SetFocus(Item(PIXDECK_IDC_SPECS));
}

void MainWindow::LoadSettings() {
  WindowSettings designed;
  designed.defaultDir = dirList_->Directory();
  designed.specs = boxes_->Items(PIXDECK_IDC_SPECS);
  designed.outputNames = boxes_->Items(PIXDECK_IDC_OUTPUT_NAME);
  designed.patterns = boxes_->Items(PIXDECK_IDC_BACKGROUND);
  const WindowSettings shown = session_.Load(
      designed,
      [](const std::string& name, bool useRegSettings) {
        ConfigureBrowser(name, useRegSettings, AppMessages());
      },
      AppMessages());
  dirList_->SetDirectory(shown.defaultDir);
  // Lists that were stored replace the designed ones; absent ones leave them.
  using ListOfBox = std::pair<const std::vector<std::string>*, int>;
  for (const auto& [list, id] : {ListOfBox{&shown.specs, PIXDECK_IDC_SPECS},
                                 ListOfBox{&shown.outputNames, PIXDECK_IDC_OUTPUT_NAME},
                                 ListOfBox{&shown.patterns, PIXDECK_IDC_BACKGROUND}}) {
    if (!list->empty()) {
      boxes_->SetItems(id, *list);
    }
  }
}

WindowSettings MainWindow::CurrentState() const {
  WindowSettings window;
  window.defaultDir = dirList_->Directory();
  window.specs = boxes_->Items(PIXDECK_IDC_SPECS);
  window.outputNames = boxes_->Items(PIXDECK_IDC_OUTPUT_NAME);
  window.patterns = boxes_->Items(PIXDECK_IDC_BACKGROUND);
  return window;
}

void MainWindow::SaveSettings() {
  session_.Save(CurrentState());
}

void MainWindow::ShowAppHint(const std::string& hint) {
  SetItemText(window_, PIXDECK_IDC_HINT, hint);
}

void MainWindow::ResetCounter() {
  SetItemText(window_, PIXDECK_IDC_COUNT, "0");
  SetButtonEnabled(Item(PIXDECK_IDC_FILTER), !boxes_->Text(PIXDECK_IDC_SPECS).empty());
  // View waits only for the first change after a start without a page name;
  // nothing else ever disables it.
  SetButtonEnabled(Item(PIXDECK_IDC_VIEW), true);
}

void MainWindow::edtOutputNameChange() {
  const bool named = !boxes_->Text(PIXDECK_IDC_OUTPUT_NAME).empty();
  SetButtonEnabled(Item(PIXDECK_IDC_FILTER), named);
  if (!CurrentOptions().browserName.empty()) {
    SetButtonEnabled(Item(PIXDECK_IDC_VIEW), named);
  }
}

void MainWindow::btnFilterClick() {
  SetItemText(window_, PIXDECK_IDC_COUNT, "0");
  if (boxes_->Text(PIXDECK_IDC_SPECS).empty()) {
    return;
  }
  FilterRunGuard guard(Item(PIXDECK_IDC_FILTER));
  ::SetFocus(Item(PIXDECK_IDC_SPECS));

  CatalogInputs inputs;
  inputs.directory = dirList_->Directory();
  inputs.specs = boxes_->Text(PIXDECK_IDC_SPECS);
  inputs.outputName = boxes_->Text(PIXDECK_IDC_OUTPUT_NAME);
  inputs.pattern = boxes_->Text(PIXDECK_IDC_BACKGROUND);
  inputs.colorName = boxes_->Text(PIXDECK_IDC_BACK_COLOR);
  const ProgramOptions& options = CurrentOptions();
  inputs.urlBase = options.urlBaseName;
  inputs.colors = colorsLoaded_ ? &colors_ : nullptr;
  inputs.lightPages = options.lightPages;
  inputs.gallery = options.gallery;
  inputs.thumbnailSize = options.thumbnailSize;
  inputs.galleryPageSize = options.galleryPageSize;
  if (inputs.gallery) {
    // The thumbnails' progress shows in the status panel; Escape stops.
    inputs.thumbnailProgress = [this](std::size_t done, std::size_t total) {
      ShowAppHint(ThumbnailProgressText(done, total) + " (Esc stops)");
      ::UpdateWindow(Item(PIXDECK_IDC_HINT));
      return ::GetForegroundWindow() != window_ || (::GetAsyncKeyState(VK_ESCAPE) & 0x8000) == 0;
    };
  }
  const CatalogResult result = RunCatalog(inputs, AppMessages());

  // A temporary page's name enters the box (and its history) before the
  // count is shown: the box's change resets the count.
  if (result.temporaryName) {
    boxes_->SetInitialText(PIXDECK_IDC_OUTPUT_NAME, result.outputName);
  }
  if (result.status == CatalogStatus::Written) {
    SetItemText(window_, PIXDECK_IDC_COUNT, std::to_string(result.count));
    ::SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(PIXDECK_IDC_VIEW)), TRUE);
  }
}

void MainWindow::btnViewClick() {
  const std::string text = boxes_->Text(PIXDECK_IDC_OUTPUT_NAME);
  const std::string page = DirOf(text).empty() ? JoinPath(dirList_->Directory(), text) : text;
  viewer_->ViewFile(page);
}

void MainWindow::btnOutputNameClick() {
  std::string name = boxes_->Text(PIXDECK_IDC_OUTPUT_NAME);
  if (BrowseSaveFile(window_, name, true, "HTM", kHtmlFilter, "HTML Output Name")) {
    boxes_->TakeChosenText(PIXDECK_IDC_OUTPUT_NAME, name);
  }
}

void MainWindow::btnBackgroundClick() {
  std::string name = boxes_->Text(PIXDECK_IDC_BACKGROUND);
  bool readOnly = false;  // the read-only check box stays hidden
  if (BrowseOpenFile(window_, name, readOnly, true, "GIF", kPatternFilter,
                     "HTML Background Pattern")) {
    boxes_->TakeChosenText(PIXDECK_IDC_BACKGROUND, name);
  }
}

void MainWindow::btnOptionsClick() {
  OptionsDialog dialog(*this);
  if (dialog.Run(window_) == IDOK) {
    ApplyBrowserOptions(CurrentOptions().browserName, CurrentOptions().useRegSettings);
  }
}

void MainWindow::btnAboutClick() {
  AboutBox about;
  about.Run(window_);
}

void MainWindow::lbxBackColorListPick() {
  const int index = boxes_->ItemIndex(PIXDECK_IDC_BACK_COLOR);
  std::string name = boxes_->Text(PIXDECK_IDC_BACK_COLOR);
  const std::vector<std::string> items = boxes_->Items(PIXDECK_IDC_BACK_COLOR);
  if (index >= 0 && static_cast<std::size_t>(index) < items.size()) {
    name = items[static_cast<std::size_t>(index)];
  }
  AppHints::Instance().SetHint(Item(PIXDECK_IDC_BACK_COLOR),
                               ColorCodeHint(colorsLoaded_ ? &colors_ : nullptr, name, index >= 0));
}

std::vector<std::string> MainWindow::ColorNames() const {
  return colorsLoaded_ ? boxes_->Items(PIXDECK_IDC_BACK_COLOR) : std::vector<std::string>{};
}

bool MainWindow::ColorsAvailable() const {
  return ::IsWindowEnabled(Item(PIXDECK_IDC_BACK_COLOR)) != FALSE;
}

void MainWindow::SetOutputNameInitial(const std::string& text) {
  boxes_->SetInitialText(PIXDECK_IDC_OUTPUT_NAME, text);
}

void MainWindow::SetPatternInitial(const std::string& text) {
  boxes_->SetInitialText(PIXDECK_IDC_BACKGROUND, text);
}

void MainWindow::SetBackColorInitial(const std::string& text) {
  boxes_->SetInitialText(PIXDECK_IDC_BACK_COLOR, text);
}

// Whatever fails in the close step is reported; the window closes.
void MainWindow::FormCloseQuery() {
  const std::string failure = session_.Close(CurrentState());
  colors_.Clear();
  colorsLoaded_ = false;
  if (!failure.empty()) {
    ShowInfo(AppMessages(), "Error: " + failure, true);
  }
}

bool PreTranslateMessage(HWND main, MSG& msg) {
  if (main == nullptr || !::IsWindow(main)) {
    return false;
  }
  return ::IsDialogMessageW(main, &msg) != FALSE;
}

int RunMessageLoop(HWND main) {
  MSG msg{};
  BOOL got = FALSE;
  while ((got = ::GetMessageW(&msg, nullptr, 0, 0)) > 0) {
    if (!PreTranslateMessage(main, msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  return got < 0 ? 1 : static_cast<int>(msg.wParam);
}

}  // namespace pixdeck
