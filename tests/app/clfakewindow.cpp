#include "clfakewindow.h"

#include <chrono>

#include "scan/clsthread.h"

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

void clFakeWindow::FlushProgress() {
  if (progress.empty()) return;
  status = progress;
  progress.clear();
}

void clFakeWindow::StartTimeoutTimer(int milliseconds) {
  timerActive = true;
  timerInterval = milliseconds;
}

void clFakeWindow::RunLater(int, std::function<void()> call) { later.push_back(std::move(call)); }

void clFakeWindow::Register(clsThread& thread) { living.insert(&thread); }

void clFakeWindow::Forget(clsThread& thread) {
  living.erase(&thread);
  std::lock_guard<std::mutex> lock(wakeMutex);
  wakes.erase(&thread);
}

void clFakeWindow::Wake(clsThread& thread) {
  std::lock_guard<std::mutex> lock(wakeMutex);
  wakes.insert(&thread);
  woken.notify_all();
}

bool clFakeWindow::RunUntil(const std::function<bool()>& done) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!done()) {
    if (std::chrono::steady_clock::now() > giveUp) return false;
    std::set<clsThread*> toServe;
    {
      std::unique_lock<std::mutex> lock(wakeMutex);
      if (wakes.empty() && later.empty()) {
        woken.wait_for(lock, std::chrono::milliseconds(2));
      }
      toServe.swap(wakes);
    }
    for (clsThread* thread : toServe) {
      if (living.count(thread) != 0) thread->ServeSynchronized();
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
  stopping = false;
  status.clear();
  progress.clear();
  timerActive = false;
  timerInterval = 0;
  quitRequests = 0;
  onBox = nullptr;
  onProgress = nullptr;
}
