#include "app/widgets/directory_list_box.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStyle>

namespace pixdeck {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr qsizetype kIndentStep = 2;  // blanks per level

QString CleanDir(const QString& dir) {
  QString clean = QDir::cleanPath(QDir(dir).absolutePath());
  return QDir::toNativeSeparators(clean);
}

// A screen reader reads the name without the blanks that indent it, and the
// level (the root is level 1) with what the folder is in the list.
void ShowLevelToAssistiveTech(QListWidgetItem* item, const QString& name, int level,
                              const QString& kind) {
  item->setData(Qt::AccessibleTextRole, name);
  item->setData(Qt::AccessibleDescriptionRole,
                DirectoryListBox::tr("level %1, %2").arg(level + 1).arg(kind));
}

}  // namespace

DirectoryListBox::DirectoryListBox(QWidget* parent) : QListWidget(parent) {
  setContextMenuPolicy(Qt::NoContextMenu);
  setUniformItemSizes(true);
  connect(this, &QListWidget::itemActivated, this, &DirectoryListBox::OpenItem);
  directory_ = CleanDir(QDir::currentPath());
  Fill();
}

void DirectoryListBox::SetDirectory(const QString& dir) {
  if (dir.isEmpty() || !QFileInfo(dir).isDir()) {
    return;
  }
  const QString clean = CleanDir(dir);
  if (clean == directory_) {
    Fill();
    return;
  }
  directory_ = clean;
  Fill();
  emit Changed();
}

void DirectoryListBox::Refresh() {
  Fill();
}

void DirectoryListBox::OpenItem(QListWidgetItem* item) {
  if (item) {
    SetDirectory(item->data(kPathRole).toString());
  }
}

void DirectoryListBox::keyPressEvent(QKeyEvent* event) {
  // Enter on another folder opens it; on the current folder it goes on to
  // the window (its default button).
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    QListWidgetItem* item = currentItem();
    if (item && item->data(kPathRole).toString() != directory_) {
      OpenItem(item);
      return;
    }
    event->ignore();
    return;
  }
  QListWidget::keyPressEvent(event);
}

void DirectoryListBox::keyboardSearch(const QString& search) {
  if (search.isEmpty() || count() == 0) {
    return;
  }
  const int start = currentRow();
  for (int step = 1; step <= count(); ++step) {
    const int row = (start + step) % count();
    const QString name = item(row)->text().trimmed();
    if (name.startsWith(search, Qt::CaseInsensitive)) {
      setCurrentRow(row);
      scrollToItem(item(row));
      return;
    }
  }
}

void DirectoryListBox::Fill() {
  const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
  clear();

  // The chain from the root down to the current folder.
  QStringList chain;
  QDir walker(directory_);
  chain.prepend(CleanDir(walker.absolutePath()));
  while (walker.cdUp()) {
    chain.prepend(CleanDir(walker.absolutePath()));
  }
  int level = 0;
  for (const QString& path : chain) {
    const QString name = level == 0 ? path : QFileInfo(path).fileName();
    auto* item =
        new QListWidgetItem(openIcon, QString(level * kIndentStep, QLatin1Char(' ')) + name);
    item->setData(kPathRole, path);
    ShowLevelToAssistiveTech(item, name, level,
                             path == chain.constLast() ? tr("current folder") : tr("open folder"));
    addItem(item);
    ++level;
  }
  QListWidgetItem* current = item(count() - 1);

  // The subfolders, one level deeper, sorted without regard to case.
  const QFileInfoList subdirs =
      QDir(directory_)
          .entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
  for (const QFileInfo& info : subdirs) {
    auto* sub = new QListWidgetItem(
        closedIcon, QString(level * kIndentStep, QLatin1Char(' ')) + info.fileName());
    sub->setData(kPathRole, CleanDir(info.absoluteFilePath()));
    ShowLevelToAssistiveTech(sub, info.fileName(), level, tr("subfolder"));
    addItem(sub);
  }
  setCurrentItem(current);
  scrollToTop();
  scrollToItem(current, QAbstractItemView::EnsureVisible);
}

}  // namespace pixdeck
