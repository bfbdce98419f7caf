// The application's hint event: whatever the pointer rests on (or the
// highlighted menu entry) hands its long hint to one handler, whichever
// window it belongs to.
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
  Handler handler_;
};

}  // namespace pixdeck
