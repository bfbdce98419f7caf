#include "app/widgets/directory_list_box.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStyle>
#include <algorithm>
#include <string>
#include <vector>

#include "app/byte_text.h"
#include "platform/file_system.h"
#include "text/utf8.h"
#include "util/paths.h"

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

// The folder above path; path itself for a root.
QString ParentOf(const QString& path) {
  const qsizetype slash = path.lastIndexOf(QDir::separator());
  if (slash < 0 || path.size() == 1) {
    return path;
  }
  return slash == 0 ? path.left(1) : path.left(slash);
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

  // The chain from the root down to the current folder.
  QStringList chain{directory_};
  for (QString up = ParentOf(directory_); up != chain.front(); up = ParentOf(up)) {
    chain.prepend(up);
  }
  int level = 0;
  for (const QString& path : chain) {
    const QString name = level == 0 ? path : path.mid(path.lastIndexOf(QDir::separator()) + 1);
    auto* item = new QListWidgetItem(
        openIcon, QString(level * kIndentStep, QLatin1Char(' ')) + ShownName(name));
    item->setData(kPathRole, path);
    ShowLevelToAssistiveTech(item, ShownName(name), level,
                             path == chain.constLast() ? tr("current folder") : tr("open folder"));
    addItem(item);
    ++level;
  }
  QListWidgetItem* current = item(count() - 1);

  // The subfolders, one level deeper, sorted without regard to case; hidden
  // ones (a leading ".") are left out.
  std::vector<QString> subdirs;
  (void)platform::FindMatches(
      JoinPath(BytesFromText(directory_), "*"), [&](const platform::DirEntry& entry) {
        if (entry.isDirectory && !entry.name.empty() && entry.name.front() != '.') {
          subdirs.push_back(TextFromBytes(entry.name));
        }
      });
  std::sort(subdirs.begin(), subdirs.end(), [](const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) < 0;
  });
  const QString base =
      directory_.endsWith(QDir::separator()) ? directory_ : directory_ + QDir::separator();
  for (const QString& name : subdirs) {
    auto* sub = new QListWidgetItem(
        closedIcon, QString(level * kIndentStep, QLatin1Char(' ')) + ShownName(name));
    sub->setData(kPathRole, base + name);
    ShowLevelToAssistiveTech(sub, ShownName(name), level, tr("subfolder"));
    addItem(sub);
  }
  setCurrentItem(current);
  scrollToTop();
  scrollToItem(current, QAbstractItemView::EnsureVisible);
}

}  // namespace pixdeck
