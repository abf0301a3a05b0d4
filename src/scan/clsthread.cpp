#include "scan/clsthread.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

const char* const kProgressFormat = "フォルダ構成の出力中...\n(%u/%u)";

// The worker whose Execute runs on this thread, if any.
thread_local const clsThread* currentWorker = nullptr;

// A burst of hand-overs ends when no call has come for this long...
constexpr std::chrono::microseconds kBurstIdle{1000};
// ...or when it has lasted this long in all, so the event loop can repaint.
constexpr std::chrono::milliseconds kBurstLimit{15};
// Before either side sleeps, it looks this long for the other side's answer: a hand-over
// that completes within it costs no sleep and no wake-up of a sleeping thread.
constexpr std::chrono::microseconds kSpin{50};

// Waits up to kSpin for `flag`, yielding the processor between looks.
bool SpinFor(const std::atomic<bool>& flag) {
  const auto end = std::chrono::steady_clock::now() + kSpin;
  do {
    if (flag.load(std::memory_order_acquire)) return true;
    std::this_thread::yield();
  } while (std::chrono::steady_clock::now() < end);
  return flag.load(std::memory_order_acquire);
}

}  // namespace

clsThread::clsThread(bool createSuspended, uint16_t progressMessage, uint16_t completeMessage,
                     clReadHost& host, clDispatcher& dispatcher)
    : progressMessage(progressMessage),
      completeMessage(completeMessage),
      host(host),
      dispatcher(dispatcher),
      progressCall([this] { ReportProgress(); }),
      completionCall([this] { ReportCompletion(); }) {
  if (!createSuspended) Resume();
}

clsThread::~clsThread() {
  if (thread.joinable()) WaitFor();
}

void clsThread::Resume() {
  if (started) return;
  started = true;
  thread = std::thread([this] { Run(); });
}

void clsThread::Terminate() { terminated.store(true); }

bool clsThread::Terminated() const { return terminated.load(); }

bool clsThread::Finished() const { return finished.load(); }

void clsThread::Run() {
  currentWorker = this;
  Execute();  // catches everything itself
  {
    std::lock_guard<std::mutex> lock(mutex);
    ended = true;
    finished.store(true);
  }
  changed.notify_all();
}

void clsThread::Execute() {
  outputCount = 0;
  passCount = 0;
  outputResult = false;

  // One pass per writer call the output run will make.
  const clSoftOption& option = host.GetOption();
  const bool toClipboard = option.GetOutputClipboard();
  const int32_t mode = option.GetClipboardMode();
  if (option.GetOutputCsv() || (toClipboard && mode == 1)) ++passCount;
  if (option.GetOutputTxt() || (toClipboard && mode == 0)) ++passCount;

  // Without an output pass there is nothing to read for; the completion still comes,
  // so the main window returns to idle.
  if (passCount == 0) {
    Complete();
    return;
  }

  try {
    clFindInFolders& walker = host.GetFindInFolders();
    walker.SetLevel(1);
    walker.SetSubFolder(option.GetSubFolder());
    walker.SetHideFile(option.GetHideFile());
    walker.SetWinFolder(option.GetWinFolder());
    walker.SetReadOnlyFile(option.GetReadOnlyFile());

    if (walker.Search(host.GetTargetFolder())) {
      Synchronize(progressCall);
      outputResult = host.OutputFolderList(*this);
    }
  } catch (...) {
    // Whatever broke the walk or the output run, the read ends with one completion
    // carrying the result reached so far.
  }
  Complete();
}

void clsThread::Complete() {
  try {
    Synchronize(completionCall);
  } catch (...) {
    // The completion was delivered; its handler failed. The worker still ends.
  }
}

void clsThread::CountOutput() {
  ++outputCount;
  Synchronize(progressCall);
}

void clsThread::ReportProgress() {
  char text[128];
  std::memset(text, 0, sizeof text);
  const auto entries = static_cast<unsigned>(host.GetFindInFolders().GetFolderList().size());
  const unsigned total = passCount == 2 ? 2u * entries : entries;
  std::snprintf(text, sizeof text, kProgressFormat, static_cast<unsigned>(outputCount), total);
  host.Perform(progressMessage, 0, reinterpret_cast<intptr_t>(text));
}

void clsThread::ReportCompletion() { host.Perform(completeMessage, outputResult ? 1 : 0, 0); }

void clsThread::Synchronize(const std::function<void()>& call) {
  // Called on the main thread itself (or before the worker runs): nothing to hand over.
  if (currentWorker != this) {
    call();
    return;
  }
  std::unique_lock<std::mutex> lock(mutex);
  pendingCall = &call;
  callDone = false;
  callError = nullptr;
  wakeNeeded = servers == 0;
  callWaiting.store(true, std::memory_order_release);
  callFinished.store(false, std::memory_order_relaxed);
  changed.notify_all();
  if (!wakeNeeded) {
    lock.unlock();
    SpinFor(callFinished);
    lock.lock();
  }
  while (!callDone) {
    if (wakeNeeded) {
      wakeNeeded = false;
      lock.unlock();
      dispatcher.Wake(*this);
      lock.lock();
      continue;
    }
    changed.wait(lock);
  }
  std::exception_ptr error = callError;
  callError = nullptr;
  lock.unlock();
  if (error) std::rethrow_exception(error);
}

void clsThread::ServeOne(std::unique_lock<std::mutex>& lock) {
  const std::function<void()>* call = pendingCall;
  pendingCall = nullptr;
  callWaiting.store(false, std::memory_order_relaxed);
  lock.unlock();
  std::exception_ptr error;
  try {
    (*call)();
  } catch (...) {
    error = std::current_exception();
  }
  lock.lock();
  callError = error;
  callDone = true;
  callFinished.store(true, std::memory_order_release);
  changed.notify_all();
}

bool clsThread::ServeSynchronized() {
  using Clock = std::chrono::steady_clock;
  std::unique_lock<std::mutex> lock(mutex);
  // A nested call (a handler's own event loop) finds nothing: the one worker is waiting
  // for the call that is running.
  if (servers > 0) return false;
  ++servers;
  bool served = false;
  const Clock::time_point burstEnd = Clock::now() + kBurstLimit;
  while (pendingCall != nullptr) {
    ServeOne(lock);
    served = true;
    lock.unlock();
    SpinFor(callWaiting);
    lock.lock();
    const Clock::time_point idleEnd = std::min(Clock::now() + kBurstIdle, burstEnd);
    changed.wait_until(lock, idleEnd, [this] { return pendingCall != nullptr || ended; });
    if (Clock::now() >= burstEnd) break;
  }
  --servers;
  // Leaving with a call waiting: the worker asks for the next Wake itself.
  if (pendingCall != nullptr) {
    wakeNeeded = true;
    changed.notify_all();
  }
  return served;
}

void clsThread::WaitFor() {
  if (!started) return;
  {
    std::unique_lock<std::mutex> lock(mutex);
    ++servers;
    for (;;) {
      changed.wait(lock, [this] { return pendingCall != nullptr || ended; });
      if (pendingCall != nullptr) {
        ServeOne(lock);
        continue;
      }
      break;
    }
    --servers;
  }
  if (thread.joinable()) thread.join();
}
