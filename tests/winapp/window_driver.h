// Drives the real windows of pixdeck.exe in the test program: made from the
// same resources, fed with posted key and mouse messages through the
// program's own message handling, with the message boxes and sounds recorded
// instead of shown.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scratch_dir.h"
#include "util/messages.h"
#include "winapp/main_window.h"

namespace pixdeck::test {

struct ShownBox {
  std::string text;
  MessageKind kind;
};

// A whole file's bytes; empty when it cannot be read.
std::string ReadAll(const std::string& path);

class WinAppTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A settings file in the scratch folder with these lines, the browser named
  // (so that none is looked for) unless the lines name one.
  std::string WriteSettings(const std::string& lines);
  // Makes and shows the main window on settingsName.
  MainWindow& OpenMain(const std::string& settingsName);
  // Closes the main window as its Exit button does.
  void CloseMain();

  // Runs the messages waiting for the program's windows.
  void Pump();
  // A key pressed and released on window (the focused control by default).
  void PressKey(UINT key, HWND window = nullptr);
  // Text typed as characters into window (the focused control by default).
  void Type(const std::wstring& text, HWND window = nullptr);
  // The edit control that takes typing in a box (a combo box's edit part).
  static HWND EditOf(HWND box);
  HWND Item(int id) const;
  std::string TextOf(int id) const;
  // Runs action once the modal window captioned caption is up, inside its
  // own message loop; fails the test when none shows within two seconds.
  void WhenShown(const std::wstring& caption, std::function<void(HWND)> action);

  ScratchDir scratch;
  std::vector<ShownBox> boxes;
  std::vector<UINT> beeps;
  std::unique_ptr<MainWindow> main;
};

}  // namespace pixdeck::test
