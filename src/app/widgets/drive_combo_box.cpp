#include "app/widgets/drive_combo_box.h"

#include <QDir>
#include <QStorageInfo>
#include <QStyle>

#include "app/widgets/directory_list_box.h"

namespace pixdeck {
namespace {

// Pseudo file systems and the system's own mounts hold no pictures; removable
// media (under /media, /mnt or /run/media) and ordinary disks are offered.
bool IsUserVolume(const QStorageInfo& volume) {
  static const QStringList skippedTypes = {
      "proc",    "sysfs",       "devpts",   "cgroup", "cgroup2",  "mqueue",   "debugfs",
      "tracefs", "securityfs",  "pstore",   "bpf",    "configfs", "fusectl",  "hugetlbfs",
      "autofs",  "binfmt_misc", "devtmpfs", "nsfs",   "efivarfs", "squashfs", "rpc_pipefs"};
  if (!volume.isValid() || !volume.isReady() ||
      skippedTypes.contains(QString::fromLatin1(volume.fileSystemType()))) {
    return false;
  }
  const QString root = volume.rootPath();
  if (root.startsWith(QLatin1String("/run/media/"))) {
    return true;
  }
  for (const char* system : {"/proc", "/sys", "/dev", "/run", "/snap", "/var/lib/docker"}) {
    const QString prefix = QString::fromLatin1(system);
    if (root == prefix || root.startsWith(prefix + QLatin1Char('/'))) {
      return false;
    }
  }
  return true;
}

bool Contains(const QString& root, const QString& path) {
  if (root == QDir::rootPath()) {
    return true;
  }
  return path == root || path.startsWith(root + QLatin1Char('/'));
}

}  // namespace

DriveComboBox::DriveComboBox(QWidget* parent) : QComboBox(parent) {
  setContextMenuPolicy(Qt::NoContextMenu);
  Refresh();
  connect(this, &QComboBox::activated, this, &DriveComboBox::Picked);
  connect(this, &QComboBox::currentIndexChanged, this, [this] {
    if (!following_) {
      emit Changed();
    }
  });
}

void DriveComboBox::Refresh() {
  const QString keep = Drive();
  following_ = true;
  clear();
  const QIcon icon = style()->standardIcon(QStyle::SP_DriveHDIcon);
  QStringList roots;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    const QString root = QDir::toNativeSeparators(volume.rootPath());
    if (!IsUserVolume(volume) || roots.contains(root)) {
      continue;
    }
    roots << root;
  }
  roots.sort();
  for (const QString& root : roots) {
    addItem(icon, root, root);
  }
  const int index = findData(keep);
  setCurrentIndex(index >= 0 ? index : 0);
  following_ = false;
}

void DriveComboBox::showPopup() {
  Refresh();
  QComboBox::showPopup();
}

QString DriveComboBox::Drive() const {
  return currentData().toString();
}

void DriveComboBox::SetDirList(DirectoryListBox* list) {
  if (dirList_) {
    disconnect(dirList_, nullptr, this, nullptr);
  }
  dirList_ = list;
  if (dirList_) {
    connect(dirList_, &DirectoryListBox::Changed, this, &DriveComboBox::FollowList);
    FollowList();
  }
}

int DriveComboBox::HolderOf(const QString& dir) const {
  // The volume whose root is the longest prefix of the folder holds it.
  const QString path = QDir::fromNativeSeparators(dir);
  int best = -1;
  qsizetype bestLength = -1;
  for (int i = 0; i < count(); ++i) {
    const QString root = QDir::fromNativeSeparators(itemData(i).toString());
    if (Contains(root, path) && root.size() > bestLength) {
      best = i;
      bestLength = root.size();
    }
  }
  return best;
}

void DriveComboBox::FollowList() {
  if (!dirList_) {
    return;
  }
  const int best = HolderOf(dirList_->Directory());
  if (best >= 0 && best != currentIndex()) {
    following_ = true;
    setCurrentIndex(best);
    following_ = false;
  }
}

void DriveComboBox::Picked(int index) {
  if (!dirList_ || index < 0) {
    return;
  }
  // Picking the volume that already holds the folder keeps the folder.
  if (HolderOf(dirList_->Directory()) == index) {
    return;
  }
  dirList_->SetDirectory(itemData(index).toString());
}

}  // namespace pixdeck
