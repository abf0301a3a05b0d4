#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

#include "scan/cldispatcher.h"
#include "scan/clreadhost.h"
#include "scan/clworkerlink.h"

// The worker of one read: walks the target into the structure list, runs the output
// run, and reports progress and completion to the main window on the main thread.
// Its owner (the main window) frees it after the completion has arrived and WaitFor
// has returned.
//
// Hand-over to the main thread. Synchronize parks a pointer to the caller's
// std::function (it lives on the worker's stack while the worker waits), so a hand-over
// allocates nothing; one mutex and one condition variable carry both directions. The
// worker asks the dispatcher for a Wake only when nobody on the main thread is serving
// already. ServeSynchronized serves a burst: after running a call it waits briefly for
// the next one (the worker is usually back within microseconds) and goes on until no
// call has come for about 1 ms or about 15 ms have passed in all; then it returns so the
// event loop can repaint. If a call is still waiting when it returns, the worker is told
// to ask for a fresh Wake, so no wake-up is lost. Within a burst each side looks for the
// other's answer for a few tens of microseconds before it sleeps on the condition
// variable, so a typical hand-over costs neither a sleep nor a wake-up.
class clsThread : public clWorkerLink {
 public:
  clsThread(bool createSuspended, uint16_t progressMessage, uint16_t completeMessage,
            clReadHost& host, clDispatcher& dispatcher);
  ~clsThread() override;  // waits for the thread if it still runs
  clsThread(const clsThread&) = delete;
  clsThread& operator=(const clsThread&) = delete;

  void Resume();  // starts a worker created suspended
  void Terminate();
  bool Terminated() const override;

  // Main thread: waits until Execute has returned, serving the worker's synchronised
  // calls meanwhile (and nothing else). Returns at once for a worker never started.
  // Must not be called from inside a synchronised call (the worker is waiting for it).
  void WaitFor();

  // Main thread: runs the synchronised calls that are waiting, in a short burst (see
  // above). Returns true when at least one ran.
  bool ServeSynchronized();

  bool Finished() const;

  void CountOutput() override;
  void Synchronize(const std::function<void()>& call) override;

  // The read's counters, for the owner and tests once the worker has finished.
  bool GetOutputResult() const { return outputResult; }
  uint32_t GetOutputCount() const { return outputCount; }
  uint16_t GetPassCount() const { return passCount; }

 protected:
  void Execute();
  void ReportProgress();
  void ReportCompletion();

 private:
  void Run();
  void Complete();  // delivers the completion; a failure there ends nothing else
  // Runs the waiting call with the lock released; the lock is held on entry and exit.
  void ServeOne(std::unique_lock<std::mutex>& lock);

  uint16_t progressMessage;
  uint16_t completeMessage;
  bool outputResult = false;
  uint32_t outputCount = 0;
  uint16_t passCount = 0;
  clReadHost& host;
  clDispatcher& dispatcher;
  std::atomic<bool> terminated{false};

  // Built once, so CountOutput hands over without allocating.
  std::function<void()> progressCall;
  std::function<void()> completionCall;

  std::thread thread;
  bool started = false;
  std::atomic<bool> finished{false};

  // Guarded by `mutex`.
  std::mutex mutex;
  std::condition_variable changed;
  const std::function<void()>* pendingCall = nullptr;  // waiting for the main thread
  bool callDone = false;
  std::exception_ptr callError;
  int servers = 0;          // main-thread ServeSynchronized/WaitFor in progress
  bool wakeNeeded = false;  // the worker is to ask the dispatcher for a Wake
  bool ended = false;       // Execute has returned
  // Mirrors of `pendingCall != nullptr` and `callDone`, looked at without the lock while
  // a side waits briefly for the other before it sleeps.
  std::atomic<bool> callWaiting{false};
  std::atomic<bool> callFinished{false};
};
