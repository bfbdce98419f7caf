#include "app/frm_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QStyle>
#include <exception>

#include "app/app_hint.h"
#include "app/box_text.h"
#include "app/credits_text.h"
#include "app/file_dialogs.h"
#include "app/frm_about.h"
#include "app/frm_options.h"
#include "app/options_interim.h"
#include "app/qt_messages.h"
#include "app/window_placement.h"
#include "browser/browser_detection.h"
#include "browser/page_viewer.h"
#include "catalog/catalog_run.h"
#include "catalog/credits.h"
#include "ui_frm_main.h"
#include "util/files.h"
#include "util/paths.h"
#include "util/temp_files.h"

namespace pixdeck {
namespace {

constexpr const char* kHtmlFilter = "HTML (*.htm,*.html)|*.htm;*.html|All Files (*.*)|*.*";
constexpr const char* kPatternFilter = "Pattern (*.gif,*.jpg)|*.gif;*.jpg|All Files (*.*)|*.*";

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
      settingsName_(std::move(settingsName)) {
  ui_->setupUi(this);
  Loaded();
}

TfrmMain::~TfrmMain() {
  // A window destroyed without being closed still saves and cleans up.
  FormCloseQuery();
}

void TfrmMain::Loaded() {
  ApplyDesign();
  ConnectHandlers();
  viewer_ = std::make_unique<PageViewer>(AppMessages());
  hintFilter_ = new AppHintFilter([this](const QString& hint) { ShowAppHint(hint); }, this);
  OpenSettings();
  colorsLoaded_ = LoadBackColors(colors_, AppMessages());
  if (colorsLoaded_) {
    for (const ColorEntry& entry : colors_.Entries())
      ui_->lbxBackColor->addItem(QString::fromStdString(entry.name));
  } else {
    ui_->lbxBackColor->setEnabled(false);
  }
  LoadSettings();
}

void TfrmMain::OpenSettings() {}
void TfrmMain::LoadSettings() {
  const std::string outputName = OutputNameOption();
  SetBoxInitialText(OutputBox(), outputName);
  if (outputName.empty())
    edtOutputNameChange();
  SetBoxInitialText(ui_->edtBackground, PatternNameOption());
  SetBoxInitialText(ui_->lbxBackColor, BgColorOption());
}
void TfrmMain::SaveSettings() {}
void TfrmMain::CloseSettings() {}

// What the form description cannot say: window kind, size, glyphs, the
// history boxes' behaviour.
void TfrmMain::ApplyDesign() {
  setWindowTitle(QString::fromStdString(MainWindowCaption()));
  setStatusTip(QString::fromStdString(std::string(kProgramCaption) + " - " + WindowCredit()));
  setFixedSize(size());
  setWindowIcon(QIcon(QStringLiteral(":/pixdeck/pixdeck.png")));

  for (QComboBox* box : {ui_->cmbSpecs, ui_->edtOutputName, ui_->edtBackground})
    box->setProperty("addNewToList", true);
  ui_->cmbSpecs->setMaxVisibleItems(4);
  ui_->cmbSpecs->setEditText(QStringLiteral("*.gif;*.jpg"));
  ui_->edtOutputName->setEditText(QStringLiteral("images.htm"));
  ui_->edtBackground->setEditText(QString());
  ui_->lbxBackColor->setEditText(QString());

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

  ui_->cmbDrives->SetDirList(ui_->lbxDirectory);
  ui_->cmbSpecs->setFocus();
  CenterOnScreen(this);
}

void TfrmMain::ConnectHandlers() {
  connect(ui_->cmbSpecs, &QComboBox::editTextChanged, this, &TfrmMain::ResetCounter);
  connect(ui_->lbxDirectory, &DirectoryListBox::Changed, this, &TfrmMain::ResetCounter);
  connect(ui_->cmbDrives, &DriveComboBox::Changed, this, &TfrmMain::ResetCounter);
  connect(ui_->edtOutputName, &QComboBox::editTextChanged, this, &TfrmMain::ResetCounter);
  connect(ui_->lbxBackColor, &QComboBox::activated, this, &TfrmMain::lbxBackColorListPick);
  connect(ui_->btnFilter, &QPushButton::clicked, this, &TfrmMain::btnFilterClick);
  connect(ui_->btnView, &QPushButton::clicked, this, &TfrmMain::btnViewClick);
  connect(ui_->btnOptions, &QPushButton::clicked, this, &TfrmMain::btnOptionsClick);
  connect(ui_->btnAbout, &QPushButton::clicked, this, &TfrmMain::btnAboutClick);
  connect(ui_->btnClose, &QPushButton::clicked, this, &QWidget::close);
  connect(ui_->btnOutputName, &QToolButton::clicked, this, &TfrmMain::btnOutputNameClick);
  connect(ui_->btnBackground, &QToolButton::clicked, this, &TfrmMain::btnBackgroundClick);
}

QComboBox* TfrmMain::OutputBox() const {
  return ui_->edtOutputName;
}

void TfrmMain::ShowAppHint(const QString& hint) {
  ui_->pnlHint->setText(hint);
}

void TfrmMain::ResetCounter() {
  ui_->edtCount->setText(QStringLiteral("0"));
  SetButtonEnabled(ui_->btnFilter, !ui_->cmbSpecs->currentText().isEmpty());
}

void TfrmMain::edtOutputNameChange() {
  const bool named = !OutputBox()->currentText().isEmpty();
  SetButtonEnabled(ui_->btnFilter, named);
  if (!BrowserNameOption().empty())
    SetButtonEnabled(ui_->btnView, named);
}

void TfrmMain::btnFilterClick() {
  ui_->edtCount->setText(QStringLiteral("0"));
  if (ui_->cmbSpecs->currentText().isEmpty())
    return;
  FilterRunGuard guard(ui_->btnFilter);
  ui_->cmbSpecs->setFocus();

  CatalogInputs inputs;
  inputs.directory = ui_->lbxDirectory->Directory().toStdString();
  inputs.specs = BoxText(ui_->cmbSpecs);
  inputs.outputName = BoxText(OutputBox());
  inputs.pattern = BoxText(ui_->edtBackground);
  inputs.colorName = BoxText(ui_->lbxBackColor);
  inputs.urlBase = UrlBaseNameOption();
  inputs.colors = colorsLoaded_ ? &colors_ : nullptr;
  const CatalogResult result = RunCatalog(inputs, AppMessages());

  // A temporary page's name enters the box (and its history) before the
  // count is shown: the box's change resets the count.
  if (result.temporaryName)
    SetBoxInitialText(OutputBox(), result.outputName);
  if (result.status == CatalogStatus::Written) {
    ui_->edtCount->setText(QString::number(result.count));
    ui_->btnView->setFocus();
  }
}

void TfrmMain::btnViewClick() {
  const std::string text = BoxText(OutputBox());
  const std::string page =
      DirOf(text).empty() ? JoinPath(ui_->lbxDirectory->Directory().toStdString(), text) : text;
  viewer_->ViewFile(page);
}

void TfrmMain::btnOutputNameClick() {
  std::string name = BoxText(OutputBox());
  if (!BrowseSaveFile(this, name, true, "HTM", kHtmlFilter, "HTML Output Name"))
    return;
  OutputBox()->setEditText(QString::fromStdString(name));
  CommitBoxText(OutputBox());
}

void TfrmMain::btnBackgroundClick() {
  std::string name = BoxText(ui_->edtBackground);
  bool readOnly = false;  // the read-only check box stays hidden
  if (!BrowseOpenFile(this, name, readOnly, true, "GIF", kPatternFilter, "HTML Background Pattern"))
    return;
  ui_->edtBackground->setEditText(QString::fromStdString(name));
  CommitBoxText(ui_->edtBackground);
}

void TfrmMain::btnOptionsClick() {
  TfrmOptions dialog(*this);
  if (dialog.exec() == QDialog::Accepted)
    ApplyBrowserOptions(BrowserNameOption(), UseRegSettingsOption());
}

void TfrmMain::btnAboutClick() {
  TfrmAbout about(this);
  about.exec();
}

void TfrmMain::lbxBackColorListPick() {
  QComboBox* box = ui_->lbxBackColor;
  const QString hint =
      box->currentIndex() < 0
          ? QStringLiteral("Color code = [none]")
          : QStringLiteral("Color code = #") +
                QString::fromStdString(ColorCodeOf(box->currentText().toStdString()));
  box->setStatusTip(hint);
}

std::string TfrmMain::ColorCodeOf(std::string_view name) const {
  return colorsLoaded_ ? colors_.ColorCodeOf(name) : std::string();
}

bool TfrmMain::ColorsAvailable() const {
  return ui_->lbxBackColor->isEnabled();
}

QStringList TfrmMain::ColorNames() const {
  return BoxItems(ui_->lbxBackColor);
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
    if (ui_->btnFilter->isEnabled())
      ui_->btnFilter->click();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  event->setAccepted(FormCloseQuery());
}

bool TfrmMain::FormCloseQuery() {
  if (closed_)
    return true;
  closed_ = true;
  try {
    SaveSettings();
    DeleteTempFiles();
    colors_.Clear();
    colorsLoaded_ = false;
    CloseSettings();
  } catch (const std::exception& error) {
    ShowInfo(AppMessages(), std::string("Error: ") + error.what(), true);
  }
  return true;
}

}  // namespace pixdeck
