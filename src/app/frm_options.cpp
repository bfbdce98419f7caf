#include "app/frm_options.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include "app/box_text.h"
#include "app/file_dialogs.h"
#include "app/frm_main.h"
#include "app/options_interim.h"
#include "app/window_placement.h"
#include "ui_frm_options.h"

namespace pixdeck {
namespace {

constexpr const char* kProgramFilter = "Program (*.exe)|*.exe|All Files (*.*)|*.*";
constexpr const char* kHtmlFilter = "HTML (*.htm,*.html)|*.htm;*.html|All Files (*.*)|*.*";
constexpr const char* kPatternFilter = "Pattern (*.gif,*.jpg)|*.gif;*.jpg|All Files (*.*)|*.*";

std::string TextOf(const QLineEdit* edit) {
  return edit->text().toStdString();
}

// A browse result replaces the text and counts as the user's change.
void TakeBrowsed(QLineEdit* edit, const std::string& name) {
  edit->setText(QString::fromStdString(name));
  edit->setModified(true);
}

}  // namespace

TfrmOptions::TfrmOptions(TfrmMain& main)
    : TEnhForm(&main, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TfrmOptions>()),
      main_(main) {
  ui_->setupUi(this);
  Loaded();
  setWindowIcon(main.windowIcon());
  QStyle* s = style();
  for (QToolButton* b : {ui_->btnBrowserName, ui_->btnOutputName, ui_->btnBackground})
    b->setIcon(s->standardIcon(QStyle::SP_DirOpenIcon));
  ui_->btnSave->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
  ui_->btnCancel->setIcon(s->standardIcon(QStyle::SP_DialogCancelButton));

  connect(ui_->btnBrowserName, &QToolButton::clicked, this, &TfrmOptions::btnBrowserNameClick);
  connect(ui_->btnOutputName, &QToolButton::clicked, this, &TfrmOptions::btnOutputNameClick);
  connect(ui_->btnBackground, &QToolButton::clicked, this, &TfrmOptions::btnBackgroundClick);
  connect(ui_->btnSave, &QPushButton::clicked, this, &TfrmOptions::btnSaveClick);
  connect(ui_->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  FormCreate();
  ui_->edtBrowser->setFocus();
  CenterOnScreen(this);
}

TfrmOptions::~TfrmOptions() = default;

void TfrmOptions::FormCreate() {
  QComboBox* colors = ui_->lbxBackColor;
  if (main_.ColorsAvailable()) {
    colors->addItems(main_.ColorNames());
  } else {
    colors->setEnabled(false);
  }
  if (!UseRegSettingsOption())
    ui_->edtBrowser->setText(QString::fromStdString(BrowserNameOption()));
  ui_->edtDefOutName->setText(QString::fromStdString(OutputNameOption()));
  ui_->edtPattern->setText(QString::fromStdString(PatternNameOption()));
  ui_->edtBase->setText(QString::fromStdString(UrlBaseNameOption()));
  SetBoxInitialText(colors, BgColorOption());
  connect(colors, &QComboBox::editTextChanged, this, [this] { colorModified_ = true; });
  // The dialog keeps the size it was designed with.
  SetFixedSize(true);
}

void TfrmOptions::btnBrowserNameClick() {
  std::string name = TextOf(ui_->edtBrowser);
  bool readOnly = false;
  if (BrowseOpenFile(this, name, readOnly, true, "EXE", kProgramFilter, "Search for Web Browser"))
    TakeBrowsed(ui_->edtBrowser, name);
}

void TfrmOptions::btnOutputNameClick() {
  std::string name = TextOf(ui_->edtDefOutName);
  if (BrowseSaveFile(this, name, true, "HTM", kHtmlFilter, "Default Output Name"))
    TakeBrowsed(ui_->edtDefOutName, name);
}

void TfrmOptions::btnBackgroundClick() {
  std::string name = TextOf(ui_->edtPattern);
  bool readOnly = false;
  if (BrowseOpenFile(this, name, readOnly, true, "GIF", kPatternFilter,
                     "Default Background Pattern"))
    TakeBrowsed(ui_->edtPattern, name);
}

void TfrmOptions::btnSaveClick() {
  SetBrowserNameOption(TextOf(ui_->edtBrowser));
  SetUseRegSettingsOption(BrowserNameOption().empty());
  if (ui_->edtDefOutName->isModified()) {
    SetOutputNameOption(TextOf(ui_->edtDefOutName));
    main_.SetOutputNameInitial(OutputNameOption());
  }
  SetUrlBaseNameOption(TextOf(ui_->edtBase));
  if (ui_->edtPattern->isModified()) {
    SetPatternNameOption(TextOf(ui_->edtPattern));
    main_.SetPatternInitial(PatternNameOption());
  }
  if (colorModified_) {
    SetBgColorOption(BoxText(ui_->lbxBackColor));
    main_.SetBackColorInitial(BgColorOption());
  }
  main_.SaveSettings();
  accept();
}

}  // namespace pixdeck
