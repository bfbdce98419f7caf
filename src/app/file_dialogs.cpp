#include "app/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>
#include <QStringList>

#include "util/browse_start.h"

namespace pixdeck {
namespace {

// While on, lets through the folders (to move between them) and the files
// that may be executed. The dialog's own permission filter cannot do this:
// asked for executable files, it hides every readable one.
class ExecutablesOnly : public QSortFilterProxyModel {
 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;
  void SetOn(bool on) {
    if (on != on_) {
      on_ = on;
      invalidateFilter();
    }
  }

 protected:
  bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (!on_ || files == nullptr) {
      return true;
    }
    const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
    return info.isDir() || info.isExecutable();
  }

 private:
  bool on_ = false;
};

FileDialogRunner& Runner() {
  static FileDialogRunner runner;
  return runner;
}

// One pattern as the platform's dialog reads it: "*.*" means every file,
// also those without an extension.
QString QtPattern(const QString& pattern) {
  return pattern == QStringLiteral("*.*") ? QStringLiteral("*") : pattern;
}

FileDialogAnswer RunQtDialog(const FileDialogRequest& request) {
  QFileDialog dialog(request.owner, QString::fromStdString(request.title));
  const bool open = request.kind == FileDialogRequest::Kind::Open;
  dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  // Extensions are case-sensitive here: "HTM" is offered as ".htm".
  dialog.setDefaultSuffix(QString::fromStdString(request.defaultExt).toLower());
  const QStringList filters = QtNameFilters(request.filter);
  dialog.setNameFilters(filters);
  if (request.executablesFilter >= 0 && request.executablesFilter < filters.size()) {
    // The dialog's own file list knows which files may be executed.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* executables = new ExecutablesOnly(&dialog);
    dialog.setProxyModel(executables);
    const QString& programs = filters[request.executablesFilter];
    auto follow = [executables, programs](const QString& selected) {
      executables->SetOn(selected == programs);
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, follow);
    dialog.selectNameFilter(programs);
    follow(programs);
  }
  if (!request.startDir.empty()) {
    dialog.setDirectory(QString::fromStdString(request.startDir));
  }
  if (!request.proposedName.empty()) {
    dialog.selectFile(QString::fromStdString(request.proposedName));
  }
  FileDialogAnswer answer;
  answer.readOnly = request.readOnly;
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return answer;
  }
  answer.accepted = true;
  answer.chosenPath = dialog.selectedFiles().constFirst().toStdString();
  return answer;
}

FileDialogAnswer Run(const FileDialogRequest& request) {
  return Runner() ? Runner()(request) : RunQtDialog(request);
}

void PlaceRequest(FileDialogRequest& request, const std::string& fileName, bool useFileDir) {
  BrowseStart start = PlaceBrowse(fileName, useFileDir);
  request.startDir = std::move(start.startDir);
  request.proposedName = std::move(start.proposedName);
}

}  // namespace

void SetFileDialogRunner(FileDialogRunner runner) {
  Runner() = std::move(runner);
}

QStringList QtNameFilters(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
  QStringList result;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    // The description may already show its patterns in the Windows way;
    // they are shown again in the form the dialog reads.
    const qsizetype open = description.lastIndexOf(QLatin1Char('('));
    if (open > 0 && description.endsWith(QLatin1Char(')'))) {
      description = description.left(open).trimmed();
    }
    QStringList patterns;
    for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      patterns << QtPattern(p.trimmed());
    }
    result << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                  QLatin1Char(')');
  }
  return result;
}

bool BrowseOpenFile(QWidget* owner, std::string& fileName, bool& readOnly, bool useFileDir,
                    const std::string& defaultExt, const std::string& filter,
                    const std::string& title, int executablesFilter) {
  FileDialogRequest request;
  request.kind = FileDialogRequest::Kind::Open;
  request.executablesFilter = executablesFilter;
  request.owner = owner;
  request.title = title;
  request.defaultExt = defaultExt;
  request.filter = filter;
  request.showReadOnly = readOnly;
  request.readOnly = readOnly;
  PlaceRequest(request, fileName, useFileDir);
  const FileDialogAnswer answer = Run(request);
  if (!answer.accepted || answer.chosenPath.empty()) {
    return false;
  }
  RememberBrowse(answer.chosenPath, BrowseKind::Open, useFileDir);
  fileName = answer.chosenPath;
  if (readOnly) {
    readOnly = answer.readOnly;
  }
  return true;
}

bool BrowseSaveFile(QWidget* owner, std::string& fileName, bool useFileDir,
                    const std::string& defaultExt, const std::string& filter,
                    const std::string& title) {
  FileDialogRequest request;
  request.kind = FileDialogRequest::Kind::Save;
  request.owner = owner;
  request.title = title;
  request.defaultExt = defaultExt;
  request.filter = filter;
  PlaceRequest(request, fileName, useFileDir);
  const FileDialogAnswer answer = Run(request);
  if (!answer.accepted || answer.chosenPath.empty()) {
    return false;
  }
  RememberBrowse(answer.chosenPath, BrowseKind::Save, useFileDir);
  fileName = answer.chosenPath;
  return true;
}

}  // namespace pixdeck
