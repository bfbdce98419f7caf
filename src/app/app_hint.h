// The application's hint event: whatever the pointer rests on (or the
// highlighted menu entry) hands its long hint to one handler, whichever
// window it belongs to. The window's background (the window itself and the
// plain frames drawn on it) shows the window's own hint.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

namespace pixdeck {

class AppHintFilter : public QObject {
 public:
  using Handler = std::function<void(const QString& hint)>;
  // Installs itself on the application for its lifetime.
  AppHintFilter(Handler handler, QObject* parent);
  ~AppHintFilter() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PointerLeft(QWidget* widget);

  Handler handler_;
  // Counts the pointer's entries: a leave that no entry follows at once went
  // to the parent, which gets no entry of its own.
  unsigned entries_ = 0;
};

}  // namespace pixdeck
