#pragma once

#include <QMainWindow>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/clappenvironment.h"
#include "app/clinstancelock.h"
#include "app/clqtclipboard.h"
#include "app/clqtdispatcher.h"
#include "app/clqtshell.h"
#include "app/clqtstatuslabel.h"
#include "output/cloutputcontext.h"
#include "scan/clfindinfolders.h"
#include "scan/clreadhost.h"
#include "settings/clsoftoption.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QTimer;
class clsThread;

// The main window: the hub of the program. It owns the settings, the walker and the
// texts of a read, starts reads (drop, menu, command line), shows their progress,
// stops them by hand or by the time-out, and returns to idle when the worker reports
// completion.
class TfrmMain : public QMainWindow, public clReadHost {
 public:
  explicit TfrmMain(clAppEnvironment environment, QWidget* parent = nullptr);
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

  // Fields.
  clInstanceLock hMutex;  // held while this instance is the only one
  std::string outputBasePath;
  clFindInFolders findInFolders;
  std::string clipboardText;
  std::string targetFolder;
  std::unique_ptr<clsThread> readThread;  // the worker of the current or last read
  std::string resultMessage;
  bool isReading = false;
  bool isTimedOut = false;
  bool exitWhenDone = false;
  clSoftOption option;

  // Handlers.
  void FormCreate();
  void FormDestroy();
  void menuExitClick();
  void mnuAboutClick();
  void mnuSettingClick();
  void mnuEasyClick();
  void mnuReadFolderClick();
  void mnuSuspendClick();
  void timTimeoutTimer();
  void WMDropFiles(const std::vector<std::string>& paths, bool allLocal);
  void OnReadProgress(const char* text);
  void OnReadComplete(uintptr_t wParam);

  void StartReading(const std::string& path);
  void StopReading();

  // Settings file beside the executable.
  void LoadSetting();
  void SaveSetting();

  // The output run and its writers, on the worker thread of the current read.
  bool OutputFolderList(clsThread& worker) override;
  bool WriteTextList(bool toFile, bool toClipboard);
  bool WriteShortTextList(bool toFile, bool toClipboard);
  bool WriteCsvList(bool toFile, bool toClipboard);

  // What the worker uses of the main window.
  const clSoftOption& GetOption() const override { return option; }
  clFindInFolders& GetFindInFolders() override { return findInFolders; }
  std::string GetTargetFolder() const override { return targetFolder; }
  void Perform(uint16_t message, uintptr_t wParam, intptr_t lParam) override;

  // Another instance was running: this one only said so and is ending.
  bool IsSecondInstance() const { return secondInstance; }

  // outputBasePath for an output folder at the current local time.
  static std::string MakeOutputBasePath(const std::string& folder);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateControls();
  void CreateMenu();
  void SetReadingState(bool reading);
  clOutputContext MakeOutputContext(clsThread& worker);
  void RetireWorker();
  void ReapRetiredWorkers(bool wait);
  void FreeWorker(std::unique_ptr<clsThread> worker);
  // Runs a handler; an exception that leaves it is shown in the standard error box.
  void Guarded(const std::function<void()>& handler);
  // The folder chooser; an empty result is a cancel.
  std::string ChooseFolder(const char* title, const std::string& initialFolder,
                           bool setInitialFolder);
  // The folder a file stands for: the part before its last "/".
  static std::string FolderOfFile(const std::string& path);
  static std::string CurrentFolder();
  // Texts of the program (UTF-8 in the source) for Qt.
  static QString FromBytes(const std::string& text);

  clAppEnvironment environment;
  clFilePlatform& platform;
  clQtDispatcher dispatcher;
  clQtClipboard clipboard;
  clQtShell shell;
  clQtStatusLabel statusLabel{lblStat};
  std::vector<std::unique_ptr<clsThread>> retiredThreads;  // completed, not yet ended
  bool secondInstance = false;
  bool settingsLoaded = false;  // a second instance never loads, so never saves
  bool formDestroyed = false;
};

class TfrmVersionInfo;
class TfrmOption;
class TfrmEasyOpt;

// The four forms of the program, created by the entry point in this order.
extern TfrmMain* frmMain;
extern TfrmVersionInfo* frmVersionInfo;
extern TfrmOption* frmOption;
extern TfrmEasyOpt* frmEasyOpt;
