#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "output/cloutputseams.h"
#include "platform/clfileplatform.h"
#include "platform/clprocessplatform.h"
#include "scan/clfindinfolders.h"
#include "scan/clreadhost.h"
#include "settings/clsettingslocation.h"
#include "settings/clsoftoption.h"

class clReadDispatcher;
class clReadWindow;
class clsThread;

// The main window's state and handlers, apart from any toolkit: start-up and shutdown,
// the road of a read from a drop, the menu or the command line to its completion, the
// stop and the time-out. It owns the settings, the walker, the texts of a read and the
// worker, and reaches the screen through the window it is given. Everything runs on
// the main thread except what the worker calls through clReadHost.
class clReadControl : public clReadHost {
 public:
  struct Services {
    clReadWindow& window;
    clFilePlatform& files;
    clProcessPlatform& process;
    clReadDispatcher& dispatcher;
    clClipboard& clipboard;
    clShell& shell;
  };

  explicit clReadControl(const Services& services);
  ~clReadControl() override;  // FormDestroy must have run: the worker is gone by then
  clReadControl(const clReadControl&) = delete;
  clReadControl& operator=(const clReadControl&) = delete;

  // Fields.
  std::string outputBasePath;
  clFindInFolders findInFolders;
  std::string clipboardText;
  std::string targetFolder;
  std::unique_ptr<clsThread> readThread;  // the worker of the current or last read
  std::string resultMessage;
  bool isReading = false;
  bool isTimedOut = false;
  bool exitWhenDone = false;
  // A stop was asked for and the worker has not come back yet: it is held up in a file
  // system that does not answer. The window stays live; the read ends with the
  // worker's completion, whenever it comes.
  bool isStopping = false;
  clSoftOption option;

  // How long a stop waits for the worker before the window goes on without it, and how
  // long a shutdown waits in all before the process ends without it.
  static constexpr std::chrono::milliseconds kStopWait{1000};
  static constexpr std::chrono::milliseconds kShutdownWait{3000};

  // Handlers. Each may raise an error for the caller's standard error box.
  void FormCreate();
  void FormDestroy();  // once; later calls do nothing
  void mnuReadFolderClick();
  void mnuSuspendClick();
  void timTimeoutTimer();
  // The dropped items' paths; `allLocal` is false when an item is not a local path.
  void WMDropFiles(const std::vector<std::string>& paths, bool allLocal);
  void OnReadProgress(const char* text);
  void OnReadComplete(uintptr_t wParam);
  // A request from outside to end the program (a logout, a closed terminal, Ctrl+C): the
  // same as closing the main window.
  void EndRequested();

  void StartReading(const std::string& path);
  void StopReading();

  // The settings file: beside the executable, or in the user's folders for an installed
  // copy.
  void LoadSetting();
  void SaveSetting();
  clSettingsLocation SettingsLocation() const;

  // Runs a handler; an error that leaves it is shown in the standard error box.
  template <typename Handler>
  void Guarded(Handler&& handler) {
    try {
      handler();
    } catch (...) {
      ShowError();
    }
  }

  // What the worker uses of the main window.
  const clSoftOption& GetOption() const override { return option; }
  clFindInFolders& GetFindInFolders() override { return findInFolders; }
  std::string GetTargetFolder() const override { return targetFolder; }
  bool OutputFolderList(clsThread& worker) override;
  void Perform(uint16_t message, uintptr_t wParam, intptr_t lParam) override;

  // Another instance was running: this one only said so and is ending.
  bool IsSecondInstance() const { return secondInstance; }
  // The caption of plain message boxes: the executable's file name without extension.
  const std::string& ApplicationTitle() const { return applicationTitle; }
  // Workers that have completed but not yet been freed.
  std::size_t RetiredWorkers() const { return retiredThreads.size(); }

  // outputBasePath for an output folder and a time stamp.
  static std::string MakeOutputBasePath(const std::string& folder, const std::string& stamp);

 private:
  // The output run's label: the window's status text.
  class clWindowLabel : public clStatusLabel {
   public:
    explicit clWindowLabel(clReadWindow& window) : window(window) {}
    void SetText(const std::string& text) override;

   private:
    clReadWindow& window;
  };

  void ShowError();
  void SetReadingState(bool reading);
  void RetireWorker();
  // Waits up to `bound` for the current worker, serving it; true when it has ended (or
  // there is none). A worker that ended without its completion still brings the window
  // back to idle.
  bool WaitForWorker(std::chrono::milliseconds bound);
  void ReapRetiredWorkers(bool wait);
  // The folder chooser; an empty result is a cancel.
  std::string ChooseFolder(const char* title, const std::string& initialFolder,
                           bool setInitialFolder);
  // The folder a file stands for.
  std::string FolderOfFile(const std::string& path) const;

  clReadWindow& window;
  clFilePlatform& platform;
  clProcessPlatform& process;
  clReadDispatcher& dispatcher;
  clClipboard& clipboard;
  clShell& shell;
  clWindowLabel statusLabel;
  clProcessFacts facts;
  std::string applicationTitle;
  std::vector<std::unique_ptr<clsThread>> retiredThreads;  // completed, not yet ended
  bool secondInstance = false;
  bool settingsLoaded = false;  // a second instance never loads, so never saves
  bool formDestroyed = false;
};
