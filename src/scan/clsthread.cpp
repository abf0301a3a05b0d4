#include "scan/clsthread.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstring>
#include <string_view>

#include "settings/cloutputpasses.h"

namespace {

constexpr std::string_view kProgressPrefix = "フォルダ構成の出力中...\n";

// The worker whose Execute runs on this thread, if any.
thread_local const clsThread* currentWorker = nullptr;

// A burst of hand-overs ends when no call has come for this long...
constexpr std::chrono::microseconds kBurstIdle{1000};
// ...or when it has lasted this long in all, so the event loop can repaint.
constexpr std::chrono::milliseconds kBurstLimit{15};
// Before either side sleeps, it looks this long for the other side's answer: a hand-over
// that completes within it costs no sleep and no wake-up of a sleeping thread.
constexpr std::chrono::microseconds kSpin{50};
// The answer usually comes within a microsecond or two: the first looks only pause the
// processor briefly, with no system call and no clock read; after them the waiting side
// yields between looks, so that it leaves the core to whoever needs it.
constexpr int kPauseLooks = 512;

inline void PauseProcessor() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#elif defined(__aarch64__)
  asm volatile("yield");
#endif
}

// Waits up to about kSpin for `ready()` to hold.
template <typename Ready>
bool SpinUntil(Ready ready) {
  for (int look = 0; look < kPauseLooks; ++look) {
    if (ready()) return true;
    PauseProcessor();
  }
  const auto end = std::chrono::steady_clock::now() + kSpin;
  do {
    if (ready()) return true;
    std::this_thread::yield();
  } while (std::chrono::steady_clock::now() < end);
  return ready();
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
  thread = std::thread([this] { Run(); });  // a failure to start leaves it not started
  started = true;
}

void clsThread::Terminate() { terminated.store(true); }

bool clsThread::Terminated() const { return terminated.load(); }

bool clsThread::Finished() const { return finished.load(); }

void clsThread::Run() {
  currentWorker = this;
  Execute();  // catches everything itself
  {
    // Stored under the lock, so that WaitFor cannot miss it between its test and its wait.
    std::lock_guard<std::mutex> lock(mutex);
    finished.store(true, std::memory_order_seq_cst);
  }
  changed.notify_all();
}

void clsThread::Execute() {
  outputCount = 0;
  passCount = 0;
  outputResult = false;

  // One pass per writer call the output run will make.
  const clSoftOption& option = host.GetOption();
  passCount = clOutputPasses::Count(option);

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
  // The text is "フォルダ構成の出力中...\n(current/total)", formatted by hand: it is built
  // once per entry and pass.
  char text[128];
  std::memset(text, 0, sizeof text);
  const auto entries = static_cast<unsigned>(host.GetFindInFolders().GetFolderList().size());
  const unsigned total = passCount == 2 ? 2u * entries : entries;
  std::memcpy(text, kProgressPrefix.data(), kProgressPrefix.size());
  char* at = text + kProgressPrefix.size();
  char* const end = text + sizeof text - 1;
  *at++ = '(';
  at = std::to_chars(at, end, static_cast<unsigned>(outputCount)).ptr;
  *at++ = '/';
  at = std::to_chars(at, end, total).ptr;
  *at = ')';
  host.Perform(progressMessage, 0, reinterpret_cast<intptr_t>(text));
}

void clsThread::ReportCompletion() { host.Perform(completeMessage, outputResult ? 1 : 0, 0); }

void clsThread::Synchronize(const std::function<void()>& call) {
  // Called on the main thread itself (or before the worker runs): nothing to hand over.
  if (currentWorker != this) {
    call();
    return;
  }
  pendingCall = &call;
  const uint64_t ticket = posted.load(std::memory_order_relaxed) + 1;
  posted.store(ticket, std::memory_order_seq_cst);
  if (!serverPresent.load(std::memory_order_seq_cst)) {
    dispatcher.Wake(*this);
  } else if (serverSleeping.load(std::memory_order_seq_cst)) {
    { std::lock_guard<std::mutex> lock(mutex); }
    changed.notify_all();
  }

  const auto served = [this, ticket] { return done.load(std::memory_order_acquire) >= ticket; };
  if (!SpinUntil(served)) {
    std::unique_lock<std::mutex> lock(mutex);
    workerSleeping.store(true, std::memory_order_seq_cst);
    changed.wait(lock, [this, ticket] { return done.load(std::memory_order_seq_cst) >= ticket; });
    workerSleeping.store(false, std::memory_order_relaxed);
  }
  std::exception_ptr error = std::move(callError);
  callError = nullptr;
  if (error) std::rethrow_exception(error);
}

bool clsThread::CallWaiting() const {
  return posted.load(std::memory_order_seq_cst) != done.load(std::memory_order_relaxed);
}

void clsThread::ServeOne() {
  const uint64_t ticket = posted.load(std::memory_order_acquire);
  std::exception_ptr error;
  try {
    (*pendingCall)();
  } catch (...) {
    error = std::current_exception();
  }
  callError = error;
  done.store(ticket, std::memory_order_seq_cst);
  if (workerSleeping.load(std::memory_order_seq_cst)) {
    { std::lock_guard<std::mutex> lock(mutex); }
    changed.notify_all();
  }
}

bool clsThread::ServeSynchronized() {
  using Clock = std::chrono::steady_clock;
  // A nested call (a handler's own event loop) finds nothing: the one worker is waiting
  // for the call that is running. A late wake finds nothing either.
  if (servers > 0 || !CallWaiting()) return false;
  ++servers;
  serverPresent.store(true, std::memory_order_seq_cst);
  const Clock::time_point burstEnd = Clock::now() + kBurstLimit;
  for (unsigned served = 0;; ++served) {
    if (CallWaiting()) {
      // The clock is read once every few calls: a call takes about a microsecond.
      if (served % 32 == 0 && Clock::now() >= burstEnd) break;
      ServeOne();
      continue;
    }
    // Watch for the worker's next call for a short while before going back to the loop.
    const Clock::time_point idleEnd = std::min(Clock::now() + kBurstIdle, burstEnd);
    bool next = false;
    while (!next && !finished.load(std::memory_order_acquire) && Clock::now() < idleEnd) {
      next = SpinUntil([this] { return CallWaiting(); });
    }
    if (!next) break;
  }
  serverPresent.store(false, std::memory_order_seq_cst);
  --servers;
  // A call handed over while the burst was ending, or left for the next burst, gets a
  // wake of its own: the worker saw a server present and asked for none.
  if (CallWaiting()) dispatcher.Wake(*this);
  return true;
}

void clsThread::WaitFor() {
  if (!started) return;
  ++servers;
  serverPresent.store(true, std::memory_order_seq_cst);
  for (;;) {
    if (CallWaiting()) {
      ServeOne();
      continue;
    }
    if (finished.load(std::memory_order_acquire)) break;
    if (SpinUntil([this] { return CallWaiting() || finished.load(std::memory_order_acquire); })) {
      continue;
    }
    std::unique_lock<std::mutex> lock(mutex);
    serverSleeping.store(true, std::memory_order_seq_cst);
    changed.wait(lock,
                 [this] { return CallWaiting() || finished.load(std::memory_order_seq_cst); });
    serverSleeping.store(false, std::memory_order_relaxed);
  }
  serverPresent.store(false, std::memory_order_seq_cst);
  --servers;
  if (thread.joinable()) thread.join();
}
