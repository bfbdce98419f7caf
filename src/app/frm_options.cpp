#include "app/frm_options.h"

#include <QPushButton>
#include <QStyle>
#include <exception>

#include "app/accessible_names.h"
#include "app/byte_text.h"
#include "app/file_dialogs.h"
#include "app/frm_main.h"
#include "app/qt_messages.h"
#include "app/window_inputs.h"
#include "app/window_placement.h"
#include "inputs/lbl_combo_box.h"
#include "inputs/lbl_edit.h"
#include "settings/program_options.h"
#include "ui_frm_options.h"
#include "util/file_filters.h"
#include "util/paths.h"

namespace pixdeck {
namespace {

#ifdef _WIN32
constexpr const char* kProgramFilter = "Program (*.exe)|*.exe|All Files (*.*)|*.*";
constexpr const char* kProgramExt = "EXE";
#else
// Programs here have no extension: the first filter lists the executable
// files, and a typed name gets nothing added.
constexpr const char* kProgramFilter = "Program|*|All Files (*.*)|*.*";
constexpr const char* kProgramExt = "";
#endif

std::string TextOf(const QLineEdit* edit) {
  return BytesFromText(edit->text());
}

// A browse result replaces the text and counts as the user's change.
void TakeBrowsed(QLineEdit* edit, const std::string& name) {
  edit->setText(TextFromBytes(name));
  edit->setModified(true);
}

}  // namespace

TfrmOptions::TfrmOptions(TfrmMain& main)
    : TEnhForm(&main, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TfrmOptions>()),
      main_(main) {
  ui_->setupUi(this);
  ApplyDesign();
  Loaded();
  FormCreate();
  ui_->edtBrowser->setFocus();
  CenterOnScreen(this);
}

TfrmOptions::~TfrmOptions() = default;

// What the form description cannot say: glyphs, caption labels, the shared
// menu and master, the handlers.
void TfrmOptions::ApplyDesign() {
  setWindowIcon(main_.windowIcon());
  QStyle* s = style();
  for (QToolButton* b : {ui_->btnBrowserName, ui_->btnOutputName, ui_->btnBackground}) {
    b->setIcon(s->standardIcon(QStyle::SP_DirOpenIcon));
  }
  ui_->btnSave->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
  ui_->btnCancel->setIcon(s->standardIcon(QStyle::SP_DialogCancelButton));

  // The caption labels come with the form (each names its box as its buddy).

  SetUpInputBoxes(*this);
  // The browse buttons show only a picture.
  NameControlsForAssistiveTech(
      *this, {{ui_->btnBrowserName, tr("Browse for the web browser")},
              {ui_->btnOutputName, tr("Browse for the default output name")},
              {ui_->btnBackground, tr("Browse for the default background pattern")}});

  connect(ui_->btnBrowserName, &QToolButton::clicked, this, &TfrmOptions::btnBrowserNameClick);
  connect(ui_->btnOutputName, &QToolButton::clicked, this, &TfrmOptions::btnOutputNameClick);
  connect(ui_->btnBackground, &QToolButton::clicked, this, &TfrmOptions::btnBackgroundClick);
  connect(ui_->btnSave, &QPushButton::clicked, this, &TfrmOptions::btnSaveClick);
  connect(ui_->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmOptions::FormCreate() {
  TLblComboBox* colors = ui_->lbxBackColor;
  if (main_.ColorsAvailable()) {
    colors->SetItems(main_.BackColorBox()->Items());
  } else {
    colors->setEnabled(false);
    colors->SetLimitToList(false);
  }
  const ProgramOptions& options = CurrentOptions();
  if (!options.useRegSettings) {
    ui_->edtBrowser->SetInitialText(TextFromBytes(options.browserName));
  }
  ui_->edtDefOutName->SetInitialText(TextFromBytes(options.outputName));
  ui_->edtPattern->SetInitialText(TextFromBytes(options.patternName));
  ui_->edtBase->SetInitialText(TextFromBytes(options.urlBaseName));
  colors->SetInitialText(TextFromBytes(options.bgColor));
  ui_->chkLightPages->setChecked(options.lightPages);
  ui_->chkGallery->setChecked(options.gallery);
  // The dialog keeps the size it was designed with.
  SetFixedSize(true);
}

void TfrmOptions::btnBrowserNameClick() {
  std::string name = TextOf(ui_->edtBrowser);
  bool readOnly = false;
  if (BrowseOpenFile(this, name, readOnly, true, kProgramExt, kProgramFilter,
                     "Search for Web Browser", kNativeStyle == PathStyle::Posix ? 0 : -1)) {
    TakeBrowsed(ui_->edtBrowser, name);
  }
}

void TfrmOptions::btnOutputNameClick() {
  std::string name = TextOf(ui_->edtDefOutName);
  if (BrowseSaveFile(this, name, true, "HTM", kHtmlFilter, "Default Output Name")) {
    TakeBrowsed(ui_->edtDefOutName, name);
  }
}

void TfrmOptions::btnBackgroundClick() {
  std::string name = TextOf(ui_->edtPattern);
  bool readOnly = false;
  if (BrowseOpenFile(this, name, readOnly, true, "GIF", kPatternFilter,
                     "Default Background Pattern")) {
    TakeBrowsed(ui_->edtPattern, name);
  }
}

void TfrmOptions::btnSaveClick() {
  ProgramOptions& options = CurrentOptions();
  options.browserName = TextOf(ui_->edtBrowser);
  options.useRegSettings = options.browserName.empty();
  if (ui_->edtDefOutName->isModified()) {
    options.outputName = TextOf(ui_->edtDefOutName);
    main_.SetOutputNameInitial(options.outputName);
  }
  options.urlBaseName = TextOf(ui_->edtBase);
  options.lightPages = ui_->chkLightPages->isChecked();
  options.gallery = ui_->chkGallery->isChecked();
  if (ui_->edtPattern->isModified()) {
    options.patternName = TextOf(ui_->edtPattern);
    main_.SetPatternInitial(options.patternName);
  }
  if (ui_->lbxBackColor->Modified()) {
    options.bgColor = BytesFromText(ui_->lbxBackColor->Text());
    main_.SetBackColorInitial(options.bgColor);
  }
  try {
    main_.SaveSettings();
  } catch (const std::exception& error) {
    // Reported, and the dialog closes with OK all the same: the values taken
    // stay in force and are saved again when the program ends.
    ShowError(AppMessages(), error.what());
  }
  accept();
}

}  // namespace pixdeck
