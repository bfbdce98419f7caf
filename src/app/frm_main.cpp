#include "app/frm_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QStyle>
#include <QTimer>
#include <exception>
#include <optional>

#include "app/accessible_names.h"
#include "app/app_hint.h"
#include "app/box_text.h"
#include "app/byte_text.h"
#include "app/file_dialogs.h"
#include "app/frm_about.h"
#include "app/frm_options.h"
#include "app/gallery_progress.h"
#include "app/qt_messages.h"
#include "app/window_inputs.h"
#include "app/window_placement.h"
#include "browser/browser_detection.h"
#include "browser/page_viewer.h"
#include "catalog/catalog_run.h"
#include "catalog/credits_text.h"
#include "settings/program_settings.h"
#include "settings/window_session.h"
#include "ui_frm_main.h"
#include "util/file_filters.h"
#include "util/paths.h"
#include "util/temp_files.h"

namespace pixdeck {
namespace {

// Filter shows the hourglass and is disabled while it runs; both are undone
// on every way out.
class FilterRunGuard {
 public:
  explicit FilterRunGuard(QWidget* button) : button_(button) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    SetButtonEnabled(button_, false);
  }
  ~FilterRunGuard() {
    SetButtonEnabled(button_, true);
    QApplication::restoreOverrideCursor();
  }
  FilterRunGuard(const FilterRunGuard&) = delete;
  FilterRunGuard& operator=(const FilterRunGuard&) = delete;

 private:
  QWidget* button_;
};

}  // namespace

TfrmMain::TfrmMain(QWidget* parent, std::string settingsName)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TfrmMain>()),
      settingsName_(std::move(settingsName)),
      session_(std::make_unique<WindowSession>()) {
  ui_->setupUi(this);
  Loaded();
  // An application that ends with the window still open closes it first, so
  // that the close step runs, and reports its failure, while the program runs.
  connect(qApp, &QCoreApplication::aboutToQuit, this, &QWidget::close);
}

TfrmMain::~TfrmMain() {
  // A window destroyed without being closed still saves and cleans up, but
  // shows nothing: a message box needs a running program around it.
  CloseStep();
  SetCurrentDirSource({});
}

// The load step, in its order: the window's own set-up, the hint handler,
// the settings store, the colours, the settings, then the saved defaults
// into their boxes.
void TfrmMain::Loaded() {
  ApplyDesign();
  ConnectHandlers();
  viewer_ = std::make_unique<PageViewer>(AppMessages());
  // The directory list's folder is the program's current directory, where
  // the first browse starts.
  SetCurrentDirSource([this] { return BytesFromText(ui_->lbxDirectory->Directory()); });
  hintFilter_ = new AppHintFilter([this](const QString& hint) { ShowAppHint(hint); }, this);
  session_->Open(settingsName_, AppMessages());
  settingsName_ = session_->Name();
  colorsLoaded_ = LoadBackColors(colors_, AppMessages());
  if (colorsLoaded_) {
    // Filling the list neither selects nor picks: the box keeps its form
    // hint until the first pick.
    for (const ColorEntry& entry : colors_.Entries()) {
      ui_->lbxBackColor->AddObject(QString::fromStdString(entry.name));
    }
  } else {
    ui_->lbxBackColor->setEnabled(false);
  }
  LoadSettings();

  const ProgramOptions& options = CurrentOptions();
  SetBoxInitialText(OutputBox(), options.outputName);
  if (options.outputName.empty()) {
    edtOutputNameChange();
  }
  SetBoxInitialText(ui_->edtBackground, options.patternName);
  SetBoxInitialText(ui_->lbxBackColor, options.bgColor);
}

// What the form description cannot say: the window's kind and size, glyphs,
// the caption labels, the shared menu and master.
void TfrmMain::ApplyDesign() {
  setWindowTitle(QString::fromStdString(MainWindowCaption()));
  setStatusTip(QString::fromStdString(StatusCaption()));
  setFixedSize(size());
  setWindowIcon(QIcon(QStringLiteral(":/pixdeck/pixdeck.png")));

  // The caption labels come with the form: each names its box as its buddy,
  // and the box takes it up when it is loaded, keeping its designed place.
  ui_->lblDirectory->SetFocusControl(ui_->lbxDirectory);
  ui_->cmbSpecs->setMaxVisibleItems(4);

  QPalette countPalette = ui_->edtCount->palette();
  countPalette.setColor(QPalette::Base, countPalette.color(QPalette::Button));
  ui_->edtCount->setPalette(countPalette);

  QStyle* s = style();
  ui_->btnFilter->setIcon(s->standardIcon(QStyle::SP_FileDialogContentsView));
  ui_->btnView->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
  ui_->btnOptions->setIcon(s->standardIcon(QStyle::SP_FileDialogDetailedView));
  ui_->btnAbout->setIcon(s->standardIcon(QStyle::SP_MessageBoxInformation));
  ui_->btnClose->setIcon(s->standardIcon(QStyle::SP_DialogCloseButton));
  ui_->btnOutputName->setIcon(s->standardIcon(QStyle::SP_DirOpenIcon));
  ui_->btnBackground->setIcon(s->standardIcon(QStyle::SP_DirOpenIcon));

  // Every box shares one context menu and the window-wide insert mode.
  SetUpInputBoxes(*this);

  ui_->cmbDrives->SetDirList(ui_->lbxDirectory);
  // The buttons show only a picture, and the drive box has no caption.
  NameControlsForAssistiveTech(*this,
                               {{ui_->btnOutputName, tr("Browse for the HTML output name")},
                                {ui_->btnBackground, tr("Browse for the background pattern")},
                                {ui_->cmbDrives, tr("Drive of the directory to filter")}});
  ui_->cmbSpecs->setFocus();
  CenterOnScreen(this);
}

void TfrmMain::ConnectHandlers() {
  auto reset = [this](QObject*) { ResetCounter(); };
  ui_->cmbSpecs->SetOnChange(reset);
  ui_->edtOutputName->SetOnChange(reset);
  connect(ui_->lbxDirectory, &DirectoryListBox::Changed, this, &TfrmMain::ResetCounter);
  connect(ui_->cmbDrives, &DriveComboBox::Changed, this, &TfrmMain::ResetCounter);
  ui_->lbxBackColor->SetOnListPick([this](QObject*) { lbxBackColorListPick(); });
  connect(ui_->btnFilter, &QPushButton::clicked, this, &TfrmMain::btnFilterClick);
  connect(ui_->btnView, &QPushButton::clicked, this, &TfrmMain::btnViewClick);
  connect(ui_->btnOptions, &QPushButton::clicked, this, &TfrmMain::btnOptionsClick);
  connect(ui_->btnAbout, &QPushButton::clicked, this, &TfrmMain::btnAboutClick);
  connect(ui_->btnClose, &QPushButton::clicked, this, &QWidget::close);
  connect(ui_->btnOutputName, &QToolButton::clicked, this, &TfrmMain::btnOutputNameClick);
  connect(ui_->btnBackground, &QToolButton::clicked, this, &TfrmMain::btnBackgroundClick);
}

void TfrmMain::LoadSettings() {
  WindowSettings designed;
  designed.defaultDir = BytesFromText(ui_->lbxDirectory->Directory());
  designed.specs = BoxItems(ui_->cmbSpecs);
  designed.outputNames = BoxItems(OutputBox());
  designed.patterns = BoxItems(ui_->edtBackground);
  const WindowSettings shown = session_->Load(
      designed,
      [this](const std::string& name, bool useRegSettings) {
        // Without a browser name the browser is detected, which takes the
        // time of several helper programs: the window shows first.
        if (name.empty() && useRegSettings) {
          detectBrowserWhenShown_ = true;
        } else {
          ConfigureBrowser(name, useRegSettings, AppMessages());
        }
      },
      AppMessages());
  SetDirectory(shown.defaultDir);
  // Lists that were stored replace the designed ones; absent ones leave them.
  using ListOfBox = std::pair<const std::vector<std::string>*, TQelComboBox*>;
  for (const auto& [list, box] :
       {ListOfBox{&shown.specs, ui_->cmbSpecs}, ListOfBox{&shown.outputNames, OutputBox()},
        ListOfBox{&shown.patterns, ui_->edtBackground}}) {
    if (!list->empty()) {
      SetBoxItems(box, *list);
    }
  }
}

WindowSettings TfrmMain::CurrentState() const {
  WindowSettings window;
  window.defaultDir = BytesFromText(ui_->lbxDirectory->Directory());
  window.specs = BoxItems(ui_->cmbSpecs);
  window.outputNames = BoxItems(OutputBox());
  window.patterns = BoxItems(ui_->edtBackground);
  return window;
}

void TfrmMain::SaveSettings() {
  session_->Save(CurrentState());
}

void TfrmMain::SetDirectory(const std::string& dir) {
  ui_->lbxDirectory->SetDirectory(TextFromBytes(dir));
}

TLblComboBox* TfrmMain::OutputBox() const {
  return ui_->edtOutputName;
}

TLblComboBox* TfrmMain::BackColorBox() const {
  return ui_->lbxBackColor;
}

void TfrmMain::ShowAppHint(const QString& hint) {
  ui_->pnlHint->setText(hint);
}

void TfrmMain::ResetCounter() {
  ui_->edtCount->setText(QStringLiteral("0"));
  SetButtonEnabled(ui_->btnFilter, !ui_->cmbSpecs->Text().isEmpty());
  // View waits only for the first change after a start without a page name;
  // nothing else ever disables it.
  SetButtonEnabled(ui_->btnView, true);
}

void TfrmMain::edtOutputNameChange() {
  const bool named = !OutputBox()->Text().isEmpty();
  SetButtonEnabled(ui_->btnFilter, named);
  if (!CurrentOptions().browserName.empty()) {
    SetButtonEnabled(ui_->btnView, named);
  }
}

void TfrmMain::btnFilterClick() {
  ui_->edtCount->setText(QStringLiteral("0"));
  if (ui_->cmbSpecs->Text().isEmpty()) {
    return;
  }
  FilterRunGuard guard(ui_->btnFilter);
  ui_->cmbSpecs->setFocus();

  CatalogInputs inputs;
  inputs.directory = BytesFromText(ui_->lbxDirectory->Directory());
  inputs.specs = BoxText(ui_->cmbSpecs);
  inputs.outputName = BoxText(OutputBox());
  inputs.pattern = BoxText(ui_->edtBackground);
  inputs.colorName = BoxText(ui_->lbxBackColor);
  inputs.urlBase = CurrentOptions().urlBaseName;
  inputs.colors = colorsLoaded_ ? &colors_ : nullptr;
  inputs.lightPages = CurrentOptions().lightPages;
  inputs.gallery = CurrentOptions().gallery;
  inputs.thumbnailSize = CurrentOptions().thumbnailSize;
  inputs.galleryPageSize = CurrentOptions().galleryPageSize;
  std::optional<GalleryProgress> progress;
  if (inputs.gallery) {
    progress.emplace(this);
    inputs.thumbnailProgress = [&progress](std::size_t done, std::size_t total) {
      return progress->Report(done, total);
    };
  }
  const CatalogResult result = RunCatalog(inputs, AppMessages());
  progress.reset();

  // A temporary page's name enters the box (and its history) before the
  // count is shown: the box's change resets the count.
  if (result.temporaryName) {
    SetBoxInitialText(OutputBox(), result.outputName);
  }
  if (result.status == CatalogStatus::Written) {
    ui_->edtCount->setText(QString::number(result.count));
    ui_->btnView->setFocus();
  }
}

void TfrmMain::btnViewClick() {
  FinishBrowserSetUp();
  const std::string text = BoxText(OutputBox());
  const std::string page =
      DirOf(text).empty() ? JoinPath(BytesFromText(ui_->lbxDirectory->Directory()), text) : text;
  viewer_->ViewFile(page);
}

void TfrmMain::btnOutputNameClick() {
  std::string name = BoxText(OutputBox());
  if (BrowseSaveFile(this, name, true, "HTM", kHtmlFilter, "HTML Output Name")) {
    TakeChosenText(OutputBox(), name);
  }
}

void TfrmMain::btnBackgroundClick() {
  std::string name = BoxText(ui_->edtBackground);
  bool readOnly = false;  // the read-only check box stays hidden
  if (BrowseOpenFile(this, name, readOnly, true, "GIF", kPatternFilter,
                     "HTML Background Pattern")) {
    TakeChosenText(ui_->edtBackground, name);
  }
}

void TfrmMain::btnOptionsClick() {
  FinishBrowserSetUp();
  TfrmOptions dialog(*this);
  if (dialog.exec() == QDialog::Accepted) {
    ApplyBrowserOptions(CurrentOptions().browserName, CurrentOptions().useRegSettings);
  }
}

void TfrmMain::btnAboutClick() {
  TfrmAbout about(this);
  about.exec();
}

void TfrmMain::lbxBackColorListPick() {
  TLblComboBox* box = ui_->lbxBackColor;
  box->setStatusTip(QString::fromStdString(
      ColorCodeHint(colorsLoaded_ ? &colors_ : nullptr, BoxText(box), box->ItemIndex() >= 0)));
}

std::string TfrmMain::ColorCodeOf(std::string_view name) const {
  return colorsLoaded_ ? colors_.ColorCodeOf(name) : std::string();
}

bool TfrmMain::ColorsAvailable() const {
  return ui_->lbxBackColor->isEnabled();
}

void TfrmMain::SetOutputNameInitial(const std::string& text) {
  SetBoxInitialText(OutputBox(), text);
}

void TfrmMain::SetPatternInitial(const std::string& text) {
  SetBoxInitialText(ui_->edtBackground, text);
}

void TfrmMain::SetBackColorInitial(const std::string& text) {
  SetBoxInitialText(ui_->lbxBackColor, text);
}

void TfrmMain::keyPressEvent(QKeyEvent* event) {
  // Enter that no control took runs the default button.
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    if (ui_->btnFilter->isEnabled()) {
      ui_->btnFilter->click();
    }
    return;
  }
  QWidget::keyPressEvent(event);
}

void TfrmMain::FinishBrowserSetUp() {
  if (detectBrowserWhenShown_) {
    detectBrowserWhenShown_ = false;
    ConfigureBrowser({}, true, AppMessages());
  }
}

bool TfrmMain::event(QEvent* event) {
  if (event->type() == QEvent::Paint && detectBrowserWhenShown_ && !browserDetectionQueued_) {
    browserDetectionQueued_ = true;
    QTimer::singleShot(0, this, [this] {
      if (!session_->IsClosed()) {
        FinishBrowserSetUp();
      }
    });
  }
  return QWidget::event(event);
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  event->setAccepted(FormCloseQuery());
}

// Whatever fails in the close step is reported; the window closes.
bool TfrmMain::FormCloseQuery() {
  const std::string failure = CloseStep();
  if (!failure.empty()) {
    ShowInfo(AppMessages(), "Error: " + failure, true);
  }
  return true;
}

// Save, delete this run's temporary pages, let go of the colours and the
// store, once. The result is the first failure's message, empty when none.
std::string TfrmMain::CloseStep() {
  if (session_->IsClosed()) {
    return {};
  }
  std::string failure = session_->Close(CurrentState());
  colors_.Clear();
  colorsLoaded_ = false;
  return failure;
}

}  // namespace pixdeck
