#include "clfakewindow.h"

#include <chrono>

void clFakeWindow::ShowMessage(const std::string& text, const std::string& caption) {
  boxes.push_back({text, caption, false});
  if (onBox) onBox(boxes.back());
}

void clFakeWindow::ShowErrorBox(const std::string& text) {
  boxes.push_back({text, std::string(), true});
  if (onBox) onBox(boxes.back());
}

std::string clFakeWindow::ChooseFolder(const std::string& title, const std::string& initialFolder,
                                       bool preSelect) {
  chooserTitles.push_back(title);
  chooserInitialFolders.push_back(initialFolder);
  chooserPreSelects.push_back(preSelect);
  if (chooserAnswers.empty()) return std::string();
  std::string answer = chooserAnswers.front();
  chooserAnswers.pop_front();
  return answer;
}

void clFakeWindow::StartTimeoutTimer(int milliseconds) {
  timerActive = true;
  timerInterval = milliseconds;
}

void clFakeWindow::RunLater(int, std::function<void()> call) { later.push_back(std::move(call)); }

void clFakeWindow::PostCompletion() {
  std::lock_guard<std::mutex> lock(mutex);
  ++waitingCompletions;
  ++completions;
  posted.notify_all();
}

int clFakeWindow::Completions() {
  std::lock_guard<std::mutex> lock(mutex);
  return completions;
}

bool clFakeWindow::RunUntil(const std::function<bool()>& done) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!done()) {
    if (std::chrono::steady_clock::now() > giveUp) return false;
    int taken = 0;
    {
      std::unique_lock<std::mutex> lock(mutex);
      // A turn of the loop lasts until a completion is posted, or a moment passes.
      posted.wait_for(lock, std::chrono::milliseconds(1),
                      [this] { return waitingCompletions > 0; });
      std::swap(taken, waitingCompletions);
    }
    for (; taken > 0; --taken) {
      if (onCompletion) onCompletion();
    }
    std::deque<std::function<void()>> calls;
    calls.swap(later);
    for (auto& call : calls) call();
  }
  return true;
}

void clFakeWindow::Clear() {
  boxes.clear();
  chooserTitles.clear();
  chooserInitialFolders.clear();
  chooserPreSelects.clear();
  chooserAnswers.clear();
  acceptsDrops = false;
  reading = false;
  status.clear();
  statuses.clear();
  timerActive = false;
  timerInterval = 0;
  quitRequests = 0;
  onBox = nullptr;
}
