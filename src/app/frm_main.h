// The main window: the folder, the file specifications, the page name, the
// background, then Filter and View. It owns the colour table, the page viewer
// and the settings for the whole run.
#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <string>
#include <string_view>

#include "catalog/color_table.h"

namespace Ui {
class TfrmMain;
}

namespace pixdeck {

class AppHintFilter;
class PageViewer;
class TLblComboBox;
class WindowSession;
struct WindowSettings;

class TfrmMain : public QWidget {
  Q_OBJECT

 public:
  // settingsName: where the settings live; empty means the program's own
  // file (its path with extension "INI", or the per-user folder when the
  // program's folder cannot hold it).
  explicit TfrmMain(QWidget* parent = nullptr, std::string settingsName = {});
  ~TfrmMain() override;

  // Handlers.
  void ResetCounter();
  void edtOutputNameChange();
  void btnFilterClick();
  void btnViewClick();
  void btnOutputNameClick();
  void btnBackgroundClick();
  void btnOptionsClick();
  void btnAboutClick();
  void lbxBackColorListPick();
  void ShowAppHint(const QString& hint);

  // The colour code of a colour name; empty when unknown or no table.
  std::string ColorCodeOf(std::string_view name) const;
  bool ColorsAvailable() const;

  // The colour box's item list, for the Options dialog's own colour box.
  TLblComboBox* BackColorBox() const;
  // The saved defaults handed back by the Options dialog.
  void SetOutputNameInitial(const std::string& text);
  void SetPatternInitial(const std::string& text);
  void SetBackColorInitial(const std::string& text);

  // Writes every option, the current folder and the three histories.
  void SaveSettings();
  const std::string& SettingsName() const { return settingsName_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void Loaded();
  void ApplyDesign();
  void ConnectHandlers();
  void LoadSettings();
  WindowSettings CurrentState() const;
  bool FormCloseQuery();
  std::string CloseStep();
  TLblComboBox* OutputBox() const;
  void SetDirectory(const std::string& dir);
  // The browser detection that the load step left for after the first paint.
  void FinishBrowserSetUp();

  std::unique_ptr<Ui::TfrmMain> ui_;
  std::string settingsName_;
  ColorTable colors_;
  bool colorsLoaded_ = false;
  // The settings for the run: a save writes what this window changed since
  // they were read and keeps what another one wrote.
  std::unique_ptr<WindowSession> session_;
  std::unique_ptr<PageViewer> viewer_;
  AppHintFilter* hintFilter_ = nullptr;
  // Finding the desktop's browser runs helper programs; when the settings
  // name none, that waits until the window has been painted once.
  bool detectBrowserWhenShown_ = false;
  bool browserDetectionQueued_ = false;
};

}  // namespace pixdeck
