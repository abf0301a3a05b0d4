#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <exception>
#include <functional>
#include <thread>

#include "scan/cldispatcher.h"
#include "scan/clhandover.h"
#include "scan/clreadhost.h"
#include "scan/clworkerlink.h"

// The worker of one read: walks the target into the structure list, runs the output
// run, and reports progress and completion to the main window on the main thread.
// Its owner (the main window) frees it after the completion has arrived and WaitFor
// has returned.
//
// Hand-over to the main thread. Synchronize parks a pointer to the caller's
// std::function (it lives on the worker's stack while the worker waits), so a hand-over
// allocates nothing. Two counters carry it: `posted` (calls handed over) and `done`
// (calls the main thread has run). The worker asks the dispatcher for a Wake only when no
// server is watching. ServeSynchronized serves a burst: after running a call it watches
// briefly for the next one (the worker is usually back within a microsecond or two) and
// goes on until no call has come for about 1 ms or about 15 ms have passed in all; then
// it returns so the event loop can repaint, waking itself again if a call is still
// waiting. Each side waits for the other through a clHandOver, which watches for the
// answer only while that pays on this machine at this moment and otherwise sleeps at
// once, handing the processor to the other side; a side that sleeps is woken by the
// other.
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
  // WaitFor that gives up at `deadline`, when no call is waiting to be served: a worker
  // held up in a file system that does not answer cannot hold the main thread. Returns
  // whether the worker has ended (and its thread is joined).
  bool WaitFor(std::chrono::steady_clock::time_point deadline);

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
  // The walk or the output run ran out of memory: the read ended early, and its
  // completion carries failure. Valid from the completion on.
  bool RanOutOfMemory() const { return outOfMemory; }

 protected:
  void Execute();
  void ReportProgress();
  void ReportCompletion();

 private:
  void Run();
  void Complete();  // delivers the completion; a failure there ends nothing else
  // Main thread: whether a call has been handed over and not yet run; runs it.
  bool CallWaiting() const;
  void ServeOne();

  // The hand-over touches as few cache lines as it can: what the worker writes for a
  // call (its count, the call) shares one line, what the main thread writes back (the
  // result) another, and the flags both sides only look at a third.
  alignas(64) uint16_t progressMessage;
  uint16_t completeMessage;
  bool outputResult = false;
  uint32_t outputCount = 0;
  uint16_t passCount = 0;
  bool outOfMemory = false;
  const std::function<void()>* pendingCall = nullptr;  // set before `posted` moves
  std::atomic<uint64_t> posted{0};                     // calls handed over

  alignas(64) std::atomic<uint64_t> done{0};  // calls the main thread has run
  std::exception_ptr callError;               // set before `done` moves

  alignas(64) std::atomic<bool> serverPresent{false};  // a burst or WaitFor watches `posted`
  std::atomic<bool> terminated{false};
  std::atomic<bool> finished{false};

  alignas(64) clReadHost& host;
  clDispatcher& dispatcher;
  // Built once, so CountOutput hands over without allocating.
  std::function<void()> progressCall;
  std::function<void()> completionCall;
  std::thread thread;
  bool started = false;
  int servers = 0;  // main thread only: serving in progress
  clHandOver handOver;
  alignas(64) clHandOver::clSide workerSide;  // the worker's waits for its calls to be run
  alignas(64) clHandOver::clSide mainSide;    // the main thread's waits for the next call
};
