#include "platform/win32/clwindows.h"

#include <commctrl.h>
#include <objbase.h>

#include <exception>

#include "platform/win32/clwin32platform.h"
#include "platform/win32/clwin32process.h"
#include "win32/clwintext.h"
#include "win32/feasyopt.h"
#include "win32/fmain.h"
#include "win32/foption.h"
#include "win32/fversioninfo.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  try {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    clWin32Platform files;
    // The argument and the current folder reach the file system by their wide paths.
    clWin32Process process(&files);
    // The four forms, in this order. The main window's create handler runs when its window
    // is made (Create), once the dialogs exist, so a read named on the command line
    // starts there.
    TfrmMain mainWindow(instance, files, process, &files);
    TfrmVersionInfo versionInfo;
    TfrmOption option(mainWindow.control.Option());
    TfrmEasyOpt easyOpt(mainWindow.control.Option());
    frmVersionInfo = &versionInfo;
    frmOption = &option;
    frmEasyOpt = &easyOpt;
    if (mainWindow.Create()) mainWindow.Run();
    frmVersionInfo = nullptr;
    frmOption = nullptr;
    frmEasyOpt = nullptr;
  } catch (const std::exception& error) {
    ::MessageBoxA(nullptr, clWinText::ToAnsi(error.what()).c_str(), "KDX", MB_OK | MB_ICONSTOP);
  } catch (...) {
    ::MessageBoxA(nullptr, "KDX", "KDX", MB_OK | MB_ICONSTOP);
  }
  return 0;
}
