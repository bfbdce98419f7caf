// The progress of a gallery's thumbnails in the window: a dialog with a bar
// and Cancel, modal to the window, that keeps the window responsive while the
// work goes on.
#pragma once

#include <QProgressDialog>
#include <cstddef>

class QWidget;

namespace pixdeck {

class GalleryProgress {
 public:
  explicit GalleryProgress(QWidget* window);
  ~GalleryProgress();
  GalleryProgress(const GalleryProgress&) = delete;
  GalleryProgress& operator=(const GalleryProgress&) = delete;

  // Shows how far the work is and lets the window handle its events; false
  // once the user asked to stop.
  bool Report(std::size_t done, std::size_t total);

 private:
  QProgressDialog dialog_;
};

}  // namespace pixdeck
