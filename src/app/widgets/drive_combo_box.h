// The mounted volumes; picking one moves the attached directory list to its
// root, and the box follows the list to the volume that holds its folder.
#pragma once

#include <QComboBox>
#include <QPointer>

namespace pixdeck {

class DirectoryListBox;

class DriveComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit DriveComboBox(QWidget* parent = nullptr);

  void SetDirList(DirectoryListBox* list);
  // The root of the selected volume.
  QString Drive() const;
  // Re-reads the mounted volumes.
  void Refresh();
  // Opening the list reads the volumes again, so that one mounted since the
  // start is offered.
  void showPopup() override;

 signals:
  void Changed();

 private:
  int HolderOf(const QString& dir) const;
  void FollowList();
  void Picked(int index);

  QPointer<DirectoryListBox> dirList_;
  bool following_ = false;
};

}  // namespace pixdeck
