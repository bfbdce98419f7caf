#include "winapp/options_dialog.h"

#include <exception>

#include "settings/program_options.h"
#include "util/file_filters.h"
#include "winapp/app_hints.h"
#include "winapp/dialog_proc.h"
#include "winapp/file_dialogs.h"
#include "winapp/main_window.h"
#include "winapp/resource.h"
#include "winapp/win_messages.h"
#include "winapp/window_boxes.h"

namespace pixdeck {
namespace {

constexpr const char* kProgramFilter = "Program (*.exe)|*.exe|All Files (*.*)|*.*";

// The long hints of the window's controls (the text after each hint's "|").
constexpr ControlHint kOptionsHints[] = {
    {PIXDECK_IDC_BROWSER, "HTML browser path and filename (leave blank to use registry settings)"},
    {PIXDECK_IDC_DEF_OUT_NAME, "Default name of HTML document produced by filter action"},
    {PIXDECK_IDC_PATTERN, "Default background pattern name"},
    {PIXDECK_IDC_OPT_BACK_COLOR, "Default color used for HTML background"},
    {PIXDECK_IDC_BASE, "URL base location (e.g. https://www.example.org/pictures/)"},
    {PIXDECK_IDC_LIGHT_PAGES,
     "Pages whose pictures load as they scroll into view, each with its size, so that thousands "
     "stay light"},
    {PIXDECK_IDC_GALLERY,
     "Pages of small pictures in a grid, each a link to its picture, in pages of a sensible size"},
    {IDOK, "Save current settings and close dialog box"},
    {IDCANCEL, "Cancel changes to settings and close dialog box"},
    {PIXDECK_IDC_BROWSE_BROWSER, "Select browser name"},
    {PIXDECK_IDC_BROWSE_DEF_OUT_NAME, "Select output name"},
    {PIXDECK_IDC_BROWSE_PATTERN, "Select background pattern"},
};

bool Checked(HWND window, int id) {
  return ::IsDlgButtonChecked(window, id) == BST_CHECKED;
}

}  // namespace

OptionsDialog::OptionsDialog(MainWindow& main) : main_(main) {}
OptionsDialog::~OptionsDialog() = default;

INT_PTR OptionsDialog::Run(HWND owner) {
  return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(PIXDECK_IDD_OPTIONS),
                           owner, &DialogProcOf<OptionsDialog>, reinterpret_cast<LPARAM>(this));
}

INT_PTR OptionsDialog::InitDialog(HWND window) {
  window_ = window;
  FormCreate();
  ::SetFocus(Item(PIXDECK_IDC_BROWSER));
  return FALSE;
}

INT_PTR OptionsDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      switch (id) {
        case IDOK:
          btnSaveClick();
          return TRUE;
        case IDCANCEL:
          ::EndDialog(window_, IDCANCEL);
          return TRUE;
        case PIXDECK_IDC_BROWSE_BROWSER:
          btnBrowserNameClick();
          return TRUE;
        case PIXDECK_IDC_BROWSE_DEF_OUT_NAME:
          btnOutputNameClick();
          return TRUE;
        case PIXDECK_IDC_BROWSE_PATTERN:
          btnBackgroundClick();
          return TRUE;
        default:
          return FALSE;
      }
    }
    case WM_DESTROY:
      AppHints::Instance().Forget(window_);
      boxes_.reset();
      return FALSE;
    default:
      return FALSE;
  }
}

void OptionsDialog::FormCreate() {
  AppHints::Instance().SetHints(window_, "Options", kOptionsHints);
  boxes_ = std::make_unique<WindowBoxes>(
      window_, [](const std::string& hint) { AppHints::Instance().Show(hint); });
  boxes_->AddEdit(PIXDECK_IDC_BROWSER, PIXDECK_IDC_LBL_BROWSER, true);
  boxes_->AddEdit(PIXDECK_IDC_DEF_OUT_NAME, PIXDECK_IDC_LBL_DEF_OUT_NAME, true);
  boxes_->AddEdit(PIXDECK_IDC_PATTERN, PIXDECK_IDC_LBL_PATTERN, true);
  boxes_->AddCombo(PIXDECK_IDC_OPT_BACK_COLOR, PIXDECK_IDC_LBL_OPT_BACK_COLOR,
                   {.history = false, .limitToList = true, .undoWhenEsc = true});
  boxes_->AddEdit(PIXDECK_IDC_BASE, PIXDECK_IDC_LBL_BASE, false);

  if (main_.ColorsAvailable()) {
    boxes_->SetItems(PIXDECK_IDC_OPT_BACK_COLOR, main_.ColorNames());
  } else {
    ::EnableWindow(Item(PIXDECK_IDC_OPT_BACK_COLOR), FALSE);
    boxes_->SetLimitToList(PIXDECK_IDC_OPT_BACK_COLOR, false);
  }
  const ProgramOptions& options = CurrentOptions();
  if (!options.useRegSettings) {
    boxes_->SetInitialText(PIXDECK_IDC_BROWSER, options.browserName);
  }
  boxes_->SetInitialText(PIXDECK_IDC_DEF_OUT_NAME, options.outputName);
  boxes_->SetInitialText(PIXDECK_IDC_PATTERN, options.patternName);
  boxes_->SetInitialText(PIXDECK_IDC_BASE, options.urlBaseName);
  boxes_->SetInitialText(PIXDECK_IDC_OPT_BACK_COLOR, options.bgColor);
  ::CheckDlgButton(window_, PIXDECK_IDC_LIGHT_PAGES, options.lightPages ? BST_CHECKED : 0);
  ::CheckDlgButton(window_, PIXDECK_IDC_GALLERY, options.gallery ? BST_CHECKED : 0);
}

void OptionsDialog::btnBrowserNameClick() {
  std::string name = boxes_->Text(PIXDECK_IDC_BROWSER);
  bool readOnly = false;
  if (BrowseOpenFile(window_, name, readOnly, true, "EXE", kProgramFilter,
                     "Search for Web Browser")) {
    boxes_->TakeChosenText(PIXDECK_IDC_BROWSER, name);
  }
}

void OptionsDialog::btnOutputNameClick() {
  std::string name = boxes_->Text(PIXDECK_IDC_DEF_OUT_NAME);
  if (BrowseSaveFile(window_, name, true, "HTM", kHtmlFilter, "Default Output Name")) {
    boxes_->TakeChosenText(PIXDECK_IDC_DEF_OUT_NAME, name);
  }
}

void OptionsDialog::btnBackgroundClick() {
  std::string name = boxes_->Text(PIXDECK_IDC_PATTERN);
  bool readOnly = false;
  if (BrowseOpenFile(window_, name, readOnly, true, "GIF", kPatternFilter,
                     "Default Background Pattern")) {
    boxes_->TakeChosenText(PIXDECK_IDC_PATTERN, name);
  }
}

void OptionsDialog::btnSaveClick() {
  ProgramOptions& options = CurrentOptions();
  options.browserName = boxes_->Text(PIXDECK_IDC_BROWSER);
  options.useRegSettings = options.browserName.empty();
  if (boxes_->Modified(PIXDECK_IDC_DEF_OUT_NAME)) {
    options.outputName = boxes_->Text(PIXDECK_IDC_DEF_OUT_NAME);
    main_.SetOutputNameInitial(options.outputName);
  }
  options.urlBaseName = boxes_->Text(PIXDECK_IDC_BASE);
  options.lightPages = Checked(window_, PIXDECK_IDC_LIGHT_PAGES);
  options.gallery = Checked(window_, PIXDECK_IDC_GALLERY);
  if (boxes_->Modified(PIXDECK_IDC_PATTERN)) {
    options.patternName = boxes_->Text(PIXDECK_IDC_PATTERN);
    main_.SetPatternInitial(options.patternName);
  }
  if (boxes_->Modified(PIXDECK_IDC_OPT_BACK_COLOR)) {
    options.bgColor = boxes_->Text(PIXDECK_IDC_OPT_BACK_COLOR);
    main_.SetBackColorInitial(options.bgColor);
  }
  try {
    main_.SaveSettings();
  } catch (const std::exception& error) {
    // Reported, and the dialog closes with OK all the same: the values taken
    // stay in force and are saved again when the program ends.
    ShowError(AppMessages(), error.what());
  }
  ::EndDialog(window_, IDOK);
}

}  // namespace pixdeck
