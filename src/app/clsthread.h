#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "app/clreadrequest.h"
#include "app/clreadresult.h"
#include "platform/clfileplatform.h"
#include "scan/clfindinfolders.h"
#include "scan/clworkerlink.h"

// The worker of one read, run as a job: it takes what the read needs by value when it is
// made, walks the target into a structure list of its own, runs the writers, and hands
// back by value what the window needs at the end. It never waits for the main thread:
// the count of entries written is published for the window to show at its own pace, and
// the completion is the one notification it sends. What the two threads share is the
// stop request, the published counts and the hand-back at the end.
class clsThread : public clWorkerLink {
 public:
  // Called on the worker thread once the read has completed; must not block. The main
  // thread then takes the result.
  using Notify = std::function<void()>;

  clsThread(bool createSuspended, clReadRequest request, clFilePlatform& platform, Notify notify);
  ~clsThread() override;  // waits for the thread if it still runs
  clsThread(const clsThread&) = delete;
  clsThread& operator=(const clsThread&) = delete;

  void Resume();  // starts a worker created suspended
  // Any thread: the walk stops at its next item, the writers before their next entry.
  void Terminate();
  bool Terminated() const override;
  bool Finished() const;

  // Waits until Execute has returned, at most until `deadline`. Returns whether it has
  // (the thread is then joined). Returns at once for a worker never started.
  bool WaitFor(std::chrono::steady_clock::time_point deadline =
                   std::chrono::steady_clock::time_point::max());

  // The completion is no longer sent: the job runs on alone, touching nothing but its
  // own data, until its owner waits for it or ends the process.
  void Abandon();

  // The progress text of the latest published count, "フォルダ構成の出力中...\n(n/total)",
  // zero-terminated in `text`; false while the walk runs. Any thread.
  bool ReportProgress(char (&text)[128]) const;

  // What the read produced; once, after it has finished.
  clReadResult TakeResult();

  void CountOutput() override;

 protected:
  void Execute();
  void ReportCompletion();

 private:
  void Run();

  const clReadRequest request;
  clFindInFolders walker;
  clReadResult result;  // the worker's until Finished

  // Published for the main thread.
  std::atomic<uint32_t> outputCount{0};
  std::atomic<uint32_t> total{0};    // entries times passes, once the walk is done
  std::atomic<bool> writing{false};  // the walk is done and the writers run
  std::atomic<bool> terminated{false};

  std::mutex mutex;  // guards notify, finished's change and its wait
  std::condition_variable finishedChanged;
  std::atomic<bool> finished{false};
  Notify notify;

  std::thread thread;
  bool started = false;
};
