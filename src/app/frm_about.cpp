#include "app/frm_about.h"

#include <QStyle>
#include <QTextDocument>

#include "app/accessible_names.h"
#include "app/window_placement.h"
#include "catalog/credits_text.h"
#include "inputs/input_box_menu.h"
#include "inputs/popup_menu.h"
#include "ui_frm_about.h"

namespace pixdeck {

TfrmAbout::TfrmAbout(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TfrmAbout>()) {
  ui_->setupUi(this);
  setAttribute(Qt::WA_DeleteOnClose, false);  // the caller frees it
  if (owner) {
    setWindowIcon(owner->windowIcon());
  }

  QPlainTextEdit* memo = ui_->edtAbout;
  memo->setPlainText(QString::fromStdString(AboutText()));
  QTextOption centred = memo->document()->defaultTextOption();
  centred.setAlignment(Qt::AlignHCenter);
  centred.setWrapMode(QTextOption::WordWrap);
  memo->document()->setDefaultTextOption(centred);
  memo->setUndoRedoEnabled(false);
  BuildMenu();
  NameControlsForAssistiveTech(*this, {{memo, windowTitle()}});

  ui_->btnClose->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
  ui_->btnClose->setFocus();
  CenterOnScreen(this);
}

TfrmAbout::~TfrmAbout() = default;

// Reading the text is all the memo allows: Copy and Select All.
void TfrmAbout::BuildMenu() {
  auto* menu = new TInputBoxMenu(this);
  menu->setObjectName(QStringLiteral("InputBoxMenu1"));
  menu->SetShowInMenu({smCopy, smSelectAll});
  menu->Loaded();
  SetPopupMenu(ui_->edtAbout, menu);
}

}  // namespace pixdeck
