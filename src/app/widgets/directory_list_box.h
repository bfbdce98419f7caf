// A list of the current folder's path from the root down, followed by its
// subfolders. Activating an entry (double click or Enter) makes it the
// current folder.
#pragma once

#include <QListWidget>
#include <QString>

namespace pixdeck {

class DirectoryListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit DirectoryListBox(QWidget* parent = nullptr);

  // A full path without trailing separator, except a root, which keeps it.
  QString Directory() const { return directory_; }
  // Switches to dir when it is an existing folder; fires Changed when the
  // folder differs from the current one.
  void SetDirectory(const QString& dir);
  // Re-reads the subfolders of the current folder.
  void Refresh();

  // Typing a letter moves to the next folder whose name starts with it
  // (after the indentation that shows its level), round to the top.
  void keyboardSearch(const QString& search) override;

 signals:
  void Changed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void OpenItem(QListWidgetItem* item);
  void Fill();

  QString directory_;
};

}  // namespace pixdeck
