// The Options dialog: the browser, the default page name, pattern and
// colour, and the URL base. Save stores them and writes all settings at once;
// Cancel changes nothing.
#pragma once

#include <memory>

#include "forms/enh_form.h"

namespace Ui {
class TfrmOptions;
}

namespace pixdeck {

class TfrmMain;

class TfrmOptions : public TEnhForm {
  Q_OBJECT

 public:
  explicit TfrmOptions(TfrmMain& main);
  ~TfrmOptions() override;

  void btnBrowserNameClick();
  void btnOutputNameClick();
  void btnBackgroundClick();
  void btnSaveClick();

 private:
  void ApplyDesign();
  void FormCreate();

  std::unique_ptr<Ui::TfrmOptions> ui_;
  TfrmMain& main_;
};

}  // namespace pixdeck
