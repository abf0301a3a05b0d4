#pragma once

// The main window as the read control's tests see it: every box, chooser and timer
// recorded and answered in advance, and an event loop of the test's own that takes the
// worker's completion and runs what was left for later.

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <ostream>
#include <set>
#include <string>
#include <vector>

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

class clFakeWindow : public clReadWindow {
 public:
  void ShowMessage(const std::string& text, const std::string& caption) override;
  void ShowErrorBox(const std::string& text) override;
  std::string ChooseFolder(const std::string& title, const std::string& initialFolder,
                           bool preSelect) override;
  void AcceptDrops() override { acceptsDrops = true; }
  void SetReadingState(bool value) override { reading = value; }
  void SetStatusText(const std::string& text) override {
    status = text;
    statuses.push_back(text);
  }
  void PostCompletion() override;
  void StartTimeoutTimer(int milliseconds) override;
  void StopTimeoutTimer() override { timerActive = false; }
  void RunLater(int milliseconds, std::function<void()> call) override;
  void WatchHandle(intptr_t handle, std::function<void()> onReadable) override {
    watched[handle] = std::move(onReadable);
  }
  void QuitApplication() override { ++quitRequests; }

  // Forgets what was recorded and answered, for the next case.
  void Clear();

  // The event loop: takes posted completions (`onCompletion`) and runs what was left for
  // later, in turn, until `done` holds; false when it still does not after a generous
  // while. Time passes only as the loop runs: a call left for later runs on the next turn.
  bool RunUntil(const std::function<bool()>& done);

  // Recorded.
  std::vector<clShownBox> boxes;
  std::vector<std::string> chooserTitles;
  std::vector<std::string> chooserInitialFolders;
  std::vector<bool> chooserPreSelects;
  bool acceptsDrops = false;
  bool reading = false;
  std::map<intptr_t, std::function<void()>> watched;  // what the loop would call
  std::string status;
  std::vector<std::string> statuses;  // every text the label was given, in order
  bool timerActive = false;
  int timerInterval = 0;
  int quitRequests = 0;
  // Run inside each box, as a person would act while it is open.
  std::function<void(const clShownBox&)> onBox;
  // What a posted completion runs on the loop: the control's ReadCompleted.
  std::function<void()> onCompletion;
  // Completions posted, from any thread.
  int Completions();

  // Answers of the chooser, in turn; a cancel once they run out.
  std::deque<std::string> chooserAnswers;

 private:
  std::deque<std::function<void()>> later;
  std::mutex mutex;
  std::condition_variable posted;
  int waitingCompletions = 0;  // guarded by mutex
  int completions = 0;         // guarded by mutex
};
