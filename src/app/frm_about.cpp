#include "app/frm_about.h"

#include <QAction>
#include <QMenu>
#include <QStyle>
#include <QTextDocument>

#include "app/credits_text.h"
#include "app/window_placement.h"
#include "ui_frm_about.h"

namespace pixdeck {

TfrmAbout::TfrmAbout(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TfrmAbout>()) {
  ui_->setupUi(this);
  setAttribute(Qt::WA_DeleteOnClose, false);  // the caller frees it
  if (owner)
    setWindowIcon(owner->windowIcon());

  QPlainTextEdit* memo = ui_->edtAbout;
  memo->setPlainText(QString::fromStdString(AboutText()));
  QTextOption centred = memo->document()->defaultTextOption();
  centred.setAlignment(Qt::AlignHCenter);
  centred.setWrapMode(QTextOption::WordWrap);
  memo->document()->setDefaultTextOption(centred);
  memo->setUndoRedoEnabled(false);
  BuildMenu();

  ui_->btnClose->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
  ui_->btnClose->setFocus();
  CenterOnScreen(this);
}

TfrmAbout::~TfrmAbout() = default;

// Reading the text is all the memo allows: Copy and Select All.
void TfrmAbout::BuildMenu() {
  QPlainTextEdit* memo = ui_->edtAbout;
  auto* menu = new QMenu(memo);
  menu->setObjectName(QStringLiteral("InputBoxMenu1"));
  QAction* copy = menu->addAction(QStringLiteral("&Copy"), memo, &QPlainTextEdit::copy);
  copy->setObjectName(QStringLiteral("InputBoxMenu1_Copy"));
  copy->setData(4);
  copy->setStatusTip(QStringLiteral("Copy selected text to clipboard"));
  QAction* all = menu->addAction(QStringLiteral("Select &All"), memo, &QPlainTextEdit::selectAll);
  all->setObjectName(QStringLiteral("InputBoxMenu1_SelectAll"));
  all->setData(9);
  all->setStatusTip(QStringLiteral("Select all text in input box"));
  memo->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(memo, &QWidget::customContextMenuRequested, this, [memo, menu, copy](const QPoint& at) {
    copy->setEnabled(memo->textCursor().hasSelection());
    menu->popup(memo->viewport()->mapToGlobal(at));
  });
}

}  // namespace pixdeck
