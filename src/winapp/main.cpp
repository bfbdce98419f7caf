// pixdeck.exe: turns a folder of pictures into a web page; the native
// Windows window over the same core as the Qt one.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "winapp/app_hints.h"
#include "winapp/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int show) {
  // A drive without its medium is reported by the program, not by a system
  // box that the user must answer first.
  ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  // The file dialogs and the imaging component want a single-threaded
  // apartment on the window's thread.
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  pixdeck::AppHints::Instance().Install();
  int status = 1;
  {
    pixdeck::MainWindow main;
    if (HWND window = main.Create(instance)) {
      ::ShowWindow(window, show);
      status = pixdeck::RunMessageLoop(window);
    }
  }
  pixdeck::AppHints::Instance().Uninstall();
  if (SUCCEEDED(com)) {
    ::CoUninitialize();
  }
  return status;
}
