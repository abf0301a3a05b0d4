#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

#include "scan/cldispatcher.h"
#include "scan/clreadhost.h"
#include "scan/clworkerlink.h"

// The worker of one read: walks the target into the structure list, runs the output
// run, and reports progress and completion to the main window on the main thread.
// Its owner (the main window) frees it after the completion has arrived and WaitFor
// has returned.
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
  // calls meanwhile (and nothing else).
  void WaitFor();

  // Main thread: runs the synchronised calls that are waiting. Returns true when at
  // least one ran.
  bool ServeSynchronized();

  bool Finished() const;

  void CountOutput() override;
  void Synchronize(const std::function<void()>& call) override;

 protected:
  void Execute();
  void ReportProgress();
  void ReportCompletion();

 private:
  // (the implementation adds what it needs here)
  uint16_t progressMessage;
  uint16_t completeMessage;
  bool outputResult = false;
  uint32_t outputCount = 0;
  uint16_t passCount = 0;
  clReadHost& host;
  clDispatcher& dispatcher;
  std::atomic<bool> terminated{false};
};
