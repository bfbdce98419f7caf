// The About box: the program's description in a read-only memo and a Close
// button; Escape closes it too.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TfrmAbout;
}

namespace pixdeck {

class TfrmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmAbout(QWidget* owner);
  ~TfrmAbout() override;

 private:
  void BuildMenu();

  std::unique_ptr<Ui::TfrmAbout> ui_;
};

}  // namespace pixdeck
