#pragma once

#include <QMainWindow>
#include <functional>
#include <string>

#include "app/clreadcontrol.h"
#include "app/clreadwindow.h"
#include "qt/clqtclipboard.h"
#include "qt/clqtshell.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QTimer;

// The main window on Qt: its menu, label and timer, wired to the read control it owns.
// What the control asks of a window is done here with Qt's controls, boxes, timers and
// event loop.
class TfrmMain : public QMainWindow, public clReadWindow {
 public:
  TfrmMain(clFilePlatform& files, clProcessPlatform& process, QWidget* parent = nullptr);
  ~TfrmMain() override;
  TfrmMain(const TfrmMain&) = delete;
  TfrmMain& operator=(const TfrmMain&) = delete;

  // Asks the application to terminate; queued, so that it also works before the
  // message loop runs. Tests replace it.
  static std::function<void()> terminateApplication;

  // Controls.
  QMenuBar* MainMenu1 = nullptr;
  QMenu* mnuMenu = nullptr;
  QAction* mnuReadFolder = nullptr;
  QAction* mnuSuspend = nullptr;
  QAction* menuExit = nullptr;
  QMenu* mnuOption = nullptr;
  QAction* mnuEasy = nullptr;
  QAction* mnuSetting = nullptr;
  QMenu* mnuHelp = nullptr;
  QAction* mnuAbout = nullptr;
  QLabel* lblStat = nullptr;
  QTimer* timTimeout = nullptr;

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
  void WatchHandle(intptr_t handle, std::function<void()> onReadable) override;
  void QuitApplication() override;

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateControls();
  void CreateMenu();
  // Texts of the program (UTF-8 in the source) for Qt.
  static QString FromBytes(const std::string& text);

  clQtClipboard clipboard;
  clQtShell shell;

 public:
  // The read control: the settings, the road of a read and its handlers.
  clReadControl control;
};

class TfrmVersionInfo;
class TfrmOption;
class TfrmEasyOpt;

// The four forms of the program, created by the entry point in this order.
extern TfrmMain* frmMain;
extern TfrmVersionInfo* frmVersionInfo;
extern TfrmOption* frmOption;
extern TfrmEasyOpt* frmEasyOpt;
