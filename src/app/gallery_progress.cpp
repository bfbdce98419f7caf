#include "app/gallery_progress.h"

#include <QApplication>
#include <QCoreApplication>

#include "catalog/thumbnail_store.h"

namespace pixdeck {

GalleryProgress::GalleryProgress(QWidget* window)
    : dialog_(QStringLiteral("Making thumbnails..."), QStringLiteral("Cancel"), 0, 0, window) {
  dialog_.setObjectName(QStringLiteral("dlgGalleryProgress"));
  dialog_.setWindowTitle(QStringLiteral("Pixdeck"));
  dialog_.setWindowModality(Qt::WindowModal);
  dialog_.setAutoClose(false);
  dialog_.setAutoReset(false);
  // Short work shows nothing.
  dialog_.setMinimumDuration(400);
  // The window answers during the work: the pointer says busy, not blocked.
  QApplication::setOverrideCursor(Qt::BusyCursor);
}

GalleryProgress::~GalleryProgress() {
  QApplication::restoreOverrideCursor();
}

bool GalleryProgress::Report(std::size_t done, std::size_t total) {
  dialog_.setMaximum(static_cast<int>(total));
  dialog_.setValue(static_cast<int>(done));
  dialog_.setLabelText(QString::fromStdString(ThumbnailProgressText(done, total)));
  QCoreApplication::processEvents();
  return !dialog_.wasCanceled();
}

}  // namespace pixdeck
