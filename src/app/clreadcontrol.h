#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/clreadrequest.h"
#include "output/cloutputseams.h"
#include "platform/clfileplatform.h"
#include "platform/clprocessplatform.h"
#include "scan/clreadahead.h"
#include "settings/clsettingslocation.h"
#include "settings/clsoftoption.h"

class clReadWindow;
class clsThread;

// The notification number of a read's completion, the one notification its worker sends
// (progress, 0x401, is published, not sent). The Win32 window receives it as a message.
inline constexpr uint16_t kReadCompleteMessage = 0x402;

// Where the road of a read is.
enum class clReadState {
  Idle,      // no read: a new one may start
  Reading,   // the worker walks or writes
  Stopping,  // a stop was asked for; the window waits a bounded time for the worker
  Ending,    // the worker has completed and the window shows the read's end
};

// The main window's state and handlers, apart from any toolkit: start-up and shutdown,
// the road of a read from a drop, the menu or the command line to its completion, the
// stop and the time-out. It owns the settings and the texts of a read; each read is a
// job (clsThread) that takes its inputs by value and hands its result back at its end.
// The window that owns this control implements clReadWindow; everything here runs on
// the main thread.
class clReadControl {
 public:
  struct Services {
    clReadWindow& window;
    clFilePlatform& files;
    clProcessPlatform& process;
    clClipboard& clipboard;
    clShell& shell;
  };

  explicit clReadControl(const Services& services);
  ~clReadControl();  // FormDestroy must have run
  clReadControl(const clReadControl&) = delete;
  clReadControl& operator=(const clReadControl&) = delete;

  // How long a stop waits for the worker before the read ends without it, and how long
  // a shutdown waits in all before the process ends without it.
  static constexpr std::chrono::milliseconds kStopWait{1000};
  static constexpr std::chrono::milliseconds kShutdownWait{3000};
  // How often the label shows the latest count while a read runs.
  static constexpr std::chrono::milliseconds kProgressFrame{25};

  // Handlers. Each may raise an error for the caller's standard error box.
  void FormCreate();
  void FormDestroy();  // once; later calls do nothing
  // The process is ending from under the window (the display connection was lost): the
  // settings are saved without a box and the guard released, unless FormDestroy ran.
  void SaveAtAbruptExit();
  void mnuReadFolderClick();
  void mnuSuspendClick();
  void timTimeoutTimer();
  // The dropped items' paths; `allLocal` is false when an item is not a local path.
  void WMDropFiles(const std::vector<std::string>& paths, bool allLocal);
  void OnReadProgress(const char* text);
  void OnReadComplete(uintptr_t wParam);
  // The worker's completion notification (PostCompletion), on the main thread: takes the
  // read's result, completes its output run and ends the read with OnReadComplete.
  void ReadCompleted();
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

  // The settings the dialogs edit; left alone while a read runs.
  clSoftOption& Option() { return option; }
  clReadState State() const { return state; }
  bool IsReading() const { return state != clReadState::Idle; }
  const std::string& TargetFolder() const { return targetFolder; }
  const std::string& OutputBasePath() const { return outputBasePath; }
  const std::string& ResultMessage() const { return resultMessage; }
  const std::string& ClipboardText() const { return clipboardText; }
  // Workers given up on (held in a file system that does not answer) still running.
  std::size_t AbandonedWorkers() const { return abandoned.size(); }
  // How the next reads list folders ahead of the walk (tests and the benchmark).
  void SetReadAhead(const clReadAhead::Limits& limits) { readAhead = limits; }
  // Makes the worker of each next read in place of a plain clsThread, created suspended
  // (tests hold a read at an entry of its output, where no file system call is made).
  using WorkerMaker = std::function<std::unique_ptr<clsThread>(
      clReadRequest request, clFilePlatform& platform, std::function<void()> notify)>;
  void SetWorkerMaker(WorkerMaker maker) { makeWorker = std::move(maker); }
  // How many entries the last completed read found.
  std::size_t LastEntries() const { return lastEntries; }

  // Another instance was running: this one only said so and is ending.
  bool IsSecondInstance() const { return secondInstance; }
  // The caption of plain message boxes: the executable's file name without extension,
  // written as the program's own texts are.
  const std::string& ApplicationTitle() const { return applicationTitle; }

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
  // Shows the worker's latest count, if it changed; while the read runs, again a frame
  // later.
  void ShowProgress();
  void ScheduleProgress();
  // Ends the current read with the worker's result; the worker has finished.
  void CompleteRead();
  // Ends the current read without its worker, which runs on alone.
  void AbandonRead();
  // Frees abandoned workers that have ended; while some still run, looks again later.
  void ReapAbandoned();
  // The folder chooser; an empty result is a cancel.
  std::string ChooseFolder(const char* title, const std::string& initialFolder,
                           bool setInitialFolder);
  // The folder a file stands for.
  std::string FolderOfFile(const std::string& path) const;

  clReadWindow& window;
  clFilePlatform& platform;
  clProcessPlatform& process;
  clClipboard& clipboard;
  clShell& shell;
  clWindowLabel statusLabel;
  clProcessFacts facts;
  std::string applicationTitle;

  // Fields.
  clSoftOption option;
  std::string outputBasePath;
  std::string clipboardText;
  std::string targetFolder;
  std::string resultMessage;
  std::unique_ptr<clsThread> readThread;  // the worker of the current read
  clReadState state = clReadState::Idle;
  bool isTimedOut = false;
  bool exitWhenDone = false;

  std::string systemFolder;  // of the current read, when the walk leaves it out
  clReadAhead::Limits readAhead;
  WorkerMaker makeWorker;
  unsigned readNumber = 0;  // counts reads, so that a late progress frame finds its own
  std::string shownProgress;
  std::size_t lastEntries = 0;
  std::vector<std::unique_ptr<clsThread>> abandoned;
  bool reapScheduled = false;
  bool secondInstance = false;
  bool settingsLoaded = false;  // a second instance never loads, so never saves
  bool formDestroyed = false;
};
