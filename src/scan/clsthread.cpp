#include "scan/clsthread.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstring>
#include <new>
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
  finished.store(true, std::memory_order_seq_cst);
  handOver.Notify();
}

void clsThread::Execute() {
  outputCount = 0;
  passCount = 0;
  outputResult = false;
  outOfMemory = false;

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
  } catch (const std::bad_alloc&) {
    // The structure list or an output outgrew the memory: the owner says so.
    outOfMemory = true;
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
  } else {
    handOver.Notify();
  }
  handOver.Await(workerSide,
                 [this, ticket] { return done.load(std::memory_order_seq_cst) >= ticket; });
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
  // Handed over whole: once `done` moves, the worker may free the exception, so this
  // thread keeps no reference to it.
  callError = std::move(error);
  done.store(ticket, std::memory_order_seq_cst);
  handOver.Notify();
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
      // While calls come fast (a microsecond apart) the clock is read once every few of
      // them; while this side sleeps between calls, they are slow, and it is read for each.
      const bool slow = mainSide.sleepsLeft > 0;
      if ((slow || served % 32 == 0) && Clock::now() >= burstEnd) break;
      ServeOne();
      continue;
    }
    // Wait for the worker's next call for a short while before going back to the loop.
    // The clock is read here for every call that was not already waiting: where calls
    // come slowly (the worker shares a busy core), a few of them could otherwise carry
    // the burst far past its end.
    const Clock::time_point now = Clock::now();
    if (now >= burstEnd) break;
    const Clock::time_point idleEnd = std::min(now + kBurstIdle, burstEnd);
    const bool next = handOver.Await(
        mainSide, [this] { return CallWaiting() || finished.load(std::memory_order_seq_cst); },
        idleEnd);
    if (!next || !CallWaiting()) break;
  }
  serverPresent.store(false, std::memory_order_seq_cst);
  --servers;
  // A call handed over while the burst was ending, or left for the next burst, gets a
  // wake of its own: the worker saw a server present and asked for none.
  if (CallWaiting()) dispatcher.Wake(*this);
  return true;
}

void clsThread::WaitFor() { WaitFor(std::chrono::steady_clock::time_point::max()); }

bool clsThread::WaitFor(std::chrono::steady_clock::time_point deadline) {
  if (!started) return true;
  ++servers;
  serverPresent.store(true, std::memory_order_seq_cst);
  bool ended = false;
  for (;;) {
    if (CallWaiting()) {
      ServeOne();
      continue;
    }
    if (finished.load(std::memory_order_acquire)) {
      ended = true;
      break;
    }
    const bool next = handOver.Await(
        mainSide, [this] { return CallWaiting() || finished.load(std::memory_order_seq_cst); },
        deadline);
    if (!next) break;
  }
  serverPresent.store(false, std::memory_order_seq_cst);
  --servers;
  if (ended) {
    if (thread.joinable()) thread.join();
    return true;
  }
  // Given up: a call the worker hands over from now on needs a wake of its own.
  if (CallWaiting()) dispatcher.Wake(*this);
  return false;
}
