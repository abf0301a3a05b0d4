#pragma once

// The main window as the read control's tests see it: every box, chooser and timer
// recorded and answered in advance, and an event loop of the test's own that serves the
// worker and runs what was left for later.

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "app/clreaddispatcher.h"
#include "app/clreadwindow.h"

struct clShownBox {
  std::string text;
  std::string caption;  // empty for the standard error box
  bool errorBox = false;
  bool operator==(const clShownBox&) const = default;
};

inline void PrintTo(const clShownBox& box, std::ostream* out) {
  *out << (box.errorBox ? "error box \"" : "box \"") << box.text << "\" captioned \"" << box.caption
       << "\"";
}

class clFakeWindow : public clReadWindow, public clReadDispatcher {
 public:
  void ShowMessage(const std::string& text, const std::string& caption) override;
  void ShowErrorBox(const std::string& text) override;
  std::string ChooseFolder(const std::string& title, const std::string& initialFolder,
                           bool preSelect) override;
  void AcceptDrops() override { acceptsDrops = true; }
  void SetReadingState(bool value) override {
    reading = value;
    stopping = false;
  }
  void SetStoppingState() override { stopping = true; }
  void SetStatusText(const std::string& text) override {
    status = text;
    progress.clear();
  }
  void OfferProgress(const char* text) override {
    if (onProgress) onProgress();
    progress = text;
  }
  void FlushProgress() override;
  void StartTimeoutTimer(int milliseconds) override;
  void StopTimeoutTimer() override { timerActive = false; }
  void RunLater(int milliseconds, std::function<void()> call) override;
  void WatchHandle(intptr_t handle, std::function<void()> onReadable) override {
    watched[handle] = std::move(onReadable);
  }
  void QuitApplication() override { ++quitRequests; }

  void Register(clsThread& thread) override;
  void Forget(clsThread& thread) override;
  void Wake(clsThread& thread) override;

  // Forgets what was recorded and answered, for the next case.
  void Clear();

  // The event loop: serves woken workers and runs what was left for later until `done`
  // holds; false when it still does not after a generous while.
  bool RunUntil(const std::function<bool()>& done);

  // Recorded.
  std::vector<clShownBox> boxes;
  std::vector<std::string> chooserTitles;
  std::vector<std::string> chooserInitialFolders;
  std::vector<bool> chooserPreSelects;
  bool acceptsDrops = false;
  bool reading = false;
  bool stopping = false;  // the stop item off while a stopped worker has not come back
  std::map<intptr_t, std::function<void()>> watched;  // what the loop would call
  std::string status;
  std::string progress;  // offered, not yet shown
  bool timerActive = false;
  int timerInterval = 0;
  int quitRequests = 0;
  // Run inside each box, as a person would act while it is open.
  std::function<void(const clShownBox&)> onBox;
  // Run before each progress text is taken; it may throw, as a failing label would.
  std::function<void()> onProgress;

  // Answers of the chooser, in turn; a cancel once they run out.
  std::deque<std::string> chooserAnswers;

 private:
  std::set<clsThread*> living;  // main thread only
  std::deque<std::function<void()>> later;
  std::mutex wakeMutex;
  std::condition_variable woken;
  std::set<clsThread*> wakes;  // guarded by wakeMutex
};
