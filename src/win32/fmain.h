#pragma once

#include "platform/win32/clwindows.h"

#include <functional>
#include <map>
#include <string>

#include "app/clreadcontrol.h"
#include "app/clreadwindow.h"
#include "win32/clwin32clipboard.h"
#include "win32/clwin32shell.h"

class clWin32Platform;
class TfrmVersionInfo;
class TfrmOption;
class TfrmEasyOpt;

// The main window on Win32: its menu and shortcut from the program's resources, the
// status label, the one-shot time-out timer and the drops, wired to the read control it
// owns. What the control asks of a window is done here with the system's windows,
// boxes, timers and message loop.
class TfrmMain : public clReadWindow {
 public:
  // The ways in (drops, the folder dialog) hand `widePaths`, the platform under `files`,
  // the wide paths of what they give.
  TfrmMain(HINSTANCE instance, clFilePlatform& files, clProcessPlatform& process,
           clWin32Platform* widePaths = nullptr);
  ~TfrmMain() override;
  TfrmMain(const TfrmMain&) = delete;
  TfrmMain& operator=(const TfrmMain&) = delete;

  // Makes the window (hidden) and runs FormCreate; false when no window could be made.
  bool Create();
  // Shows the window, unless this instance only refused to run, and runs the message
  // loop until the application is asked to end; FormDestroy then runs.
  void Run();

  // Controls.
  HWND frmMain = nullptr;
  HMENU MainMenu1 = nullptr;
  HWND lblStat = nullptr;
  HACCEL accelerators = nullptr;

  // Handlers of the window's own.
  void menuExitClick();
  void mnuAboutClick();
  void mnuSettingClick();
  void mnuEasyClick();

  // The window the read control talks to.
  void ShowMessage(const std::string& text, const std::string& caption) override;
  void ShowErrorBox(const std::string& text) override;
  std::string ChooseFolder(const std::string& title, const std::string& initialFolder,
                           bool preSelect) override;
  void AcceptDrops() override;
  void SetReadingState(bool reading) override;
  void SetStatusText(const std::string& text) override;
  void PostCompletion() override;
  void StartTimeoutTimer(int milliseconds) override;
  void StopTimeoutTimer() override;
  void RunLater(int milliseconds, std::function<void()> call) override;
  // Windows asks a program to end through its windows (WM_ENDSESSION), not through a
  // handle: there is none to watch.
  void WatchHandle(intptr_t handle, std::function<void()> onReadable) override;
  void QuitApplication() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(WORD id);
  void OnTimer(UINT_PTR id);
  void OnDropFiles(HDROP drop);
  // Sizes the window, its label and its font for `dpi` from their 96-DPI values, the
  // window placed at `left`, `top`.
  void LayOut(UINT dpi, int left, int top);

  HINSTANCE instance;
  clWin32Platform* widePaths;
  HFONT font = nullptr;
  UINT fontDpi = 0;
  clWin32Clipboard clipboard;
  clWin32Shell shell;
  std::map<UINT_PTR, std::function<void()>> laterCalls;
  UINT_PTR nextLaterId = 1000;

 public:
  // The read control: the settings, the road of a read and its handlers.
  clReadControl control;
};

// The three dialogs, created by the entry point after the main window.
extern TfrmVersionInfo* frmVersionInfo;
extern TfrmOption* frmOption;
extern TfrmEasyOpt* frmEasyOpt;
