#include "app/clsthread.h"

#include <charconv>
#include <cstring>
#include <new>
#include <string_view>
#include <utility>

#include "output/cloutputrun.h"
#include "settings/cloutputpasses.h"

namespace {

constexpr std::string_view kProgressPrefix = "フォルダ構成の出力中...\n";

}  // namespace

clsThread::clsThread(bool createSuspended, clReadRequest request, clFilePlatform& platform,
                     Notify notify)
    : request(std::move(request)), walker(platform), notify(std::move(notify)) {
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

void clsThread::Terminate() {
  terminated.store(true);
  walker.stopRequested.store(true);
}

bool clsThread::Terminated() const { return terminated.load(); }

bool clsThread::Finished() const { return finished.load(); }

void clsThread::Run() {
  Execute();  // catches everything itself
  ReportCompletion();
}

void clsThread::Execute() {
  const clSoftOption& option = request.option;
  // One pass per writer call the output run will make. Without one there is nothing to
  // read for; the completion still comes, so the window returns to idle.
  const uint16_t passCount = clOutputPasses::Count(option);
  result.passCount = passCount;
  if (passCount == 0) return;

  try {
    // The walker is the job's own, fresh: nothing to empty.
    walker.SetReadAhead(request.readAhead);
    walker.SetMessageBox([this](const std::string& text, const std::string& caption) {
      result.boxes.push_back({text, caption});
    });
    if (!option.GetWinFolder()) walker.SetWindowsDirectory(request.systemFolder);
    walker.SetLevel(1);
    walker.SetSubFolder(option.GetSubFolder());
    walker.SetHideFile(option.GetHideFile());
    walker.SetWinFolder(option.GetWinFolder());
    walker.SetReadOnlyFile(option.GetReadOnlyFile());

    const bool walked = walker.Search(request.targetFolder);
    const clStructureList& list = walker.GetFolderList();
    result.entries = list.size();
    // A stop the walk noticed at the root ends the read without output. One it noticed
    // below the root's last item lets the writers start: each stops at its first entry.
    if (!walked) return;

    total.store(static_cast<uint32_t>(list.size()) * passCount, std::memory_order_relaxed);
    writing.store(true, std::memory_order_release);
    clOutputRun::WriteOutputs(clOutputContext{list, walker.GetLastFolder(), request.outputBasePath,
                                              option, *this, result.output});
    result.outputRan = true;
  } catch (const std::bad_alloc&) {
    // The structure list or an output outgrew the memory: the window says so.
    result.outOfMemory = true;
  } catch (...) {
    // Whatever broke the walk or the writers, the read ends with one completion and no
    // output run to complete.
  }
  result.outputCount = outputCount.load(std::memory_order_relaxed);
  // What the read held is given back before the window shows its end.
  walker.Clear();
}

void clsThread::ReportCompletion() {
  std::lock_guard<std::mutex> lock(mutex);
  finished.store(true);
  finishedChanged.notify_all();
  try {
    if (notify) notify();
  } catch (...) {
    // The window also finds the read finished at its next progress frame.
  }
}

void clsThread::CountOutput() {
  // One writer thread: a plain store of the next count publishes it.
  outputCount.store(outputCount.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
}

bool clsThread::ReportProgress(char (&text)[128]) const {
  if (!writing.load(std::memory_order_acquire)) return false;
  std::memset(text, 0, sizeof text);
  std::memcpy(text, kProgressPrefix.data(), kProgressPrefix.size());
  char* at = text + kProgressPrefix.size();
  char* const end = text + sizeof text - 1;
  *at++ = '(';
  at = std::to_chars(at, end, outputCount.load(std::memory_order_relaxed)).ptr;
  *at++ = '/';
  at = std::to_chars(at, end, total.load(std::memory_order_relaxed)).ptr;
  *at = ')';
  return true;
}

bool clsThread::WaitFor(std::chrono::steady_clock::time_point deadline) {
  if (!started) return true;
  {
    std::unique_lock<std::mutex> lock(mutex);
    const auto ended = [this] { return finished.load(); };
    if (deadline == std::chrono::steady_clock::time_point::max()) {
      finishedChanged.wait(lock, ended);
    } else if (!finishedChanged.wait_until(lock, deadline, ended)) {
      return false;
    }
  }
  if (thread.joinable()) thread.join();
  return true;
}

void clsThread::Abandon() {
  std::lock_guard<std::mutex> lock(mutex);
  notify = nullptr;
}

clReadResult clsThread::TakeResult() { return std::move(result); }
