#include "app/widgets/directory_list_box.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStyle>

#include "app/byte_text.h"
#include "platform/file_system.h"
#include "text/utf8.h"
#include "util/folder_rows.h"

namespace pixdeck {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr qsizetype kIndentStep = 2;  // blanks per level

// Paths are byte-keeping texts (app/byte_text.h) and only ever taken apart
// as texts: the system sees them as their bytes, so that a folder whose name
// is not UTF-8 is the same folder from the list to the search and the
// settings. Qt's own file classes would decode such a name for good.
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

// A name as the list shows it: a byte that is not UTF-8 as U+FFFD.
QString ShownName(QString name) {
  for (QChar& c : name) {
    if (IsEscapedByte(c.unicode())) {
      c = QChar(0xFFFD);
    }
  }
  return name;
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
  if (dir.isEmpty() || !platform::DirectoryExists(BytesFromText(dir))) {
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

  QListWidgetItem* current = nullptr;
  for (const FolderRow& row : FolderRows(BytesFromText(directory_))) {
    const bool open = row.kind != FolderRow::Kind::Subfolder;
    const QString name = ShownName(TextFromBytes(row.name));
    auto* item = new QListWidgetItem(open ? openIcon : closedIcon,
                                     QString(row.level * kIndentStep, QLatin1Char(' ')) + name);
    item->setData(kPathRole, TextFromBytes(row.path));
    const QString kind = row.kind == FolderRow::Kind::Current ? tr("current folder")
                         : open                               ? tr("open folder")
                                                              : tr("subfolder");
    ShowLevelToAssistiveTech(item, name, row.level, kind);
    addItem(item);
    if (row.kind == FolderRow::Kind::Current) {
      current = item;
    }
  }
  setCurrentItem(current);
  scrollToTop();
  scrollToItem(current, QAbstractItemView::EnsureVisible);
}

}  // namespace pixdeck
