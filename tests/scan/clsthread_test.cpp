#include "scan/clsthread.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <new>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "../output/outputtestkit.h"
#include "bytesdiff.h"
#include "clfakeplatform.h"
#include "clonecore.h"
#include "cltemptree.h"
#include "output/cloutputrun.h"
#include "platform/clfileplatform.h"

namespace {

// Holds the walk at the start of one folder's read until the test releases it, so a
// stop can arrive at an exact point of the walk.
class clReadGate {
 public:
  void HoldAt(clFakePlatform& tree, const std::string& folder) {
    tree.SetBeforeRead([this, folder](const std::string& read) {
      if (read != folder) return;
      std::unique_lock<std::mutex> lock(mutex);
      paused = true;
      changed.notify_all();
      changed.wait(lock, [this] { return released; });
    });
  }
  void WaitUntilPaused() {
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [this] { return paused; });
  }
  void Release() {
    std::lock_guard<std::mutex> lock(mutex);
    released = true;
    changed.notify_all();
  }

 private:
  std::mutex mutex;
  std::condition_variable changed;
  bool paused = false;
  bool released = false;
};

std::string Progress(unsigned current, unsigned total) {
  return "フォルダ構成の出力中...\n(" + std::to_string(current) + "/" + std::to_string(total) + ")";
}

std::vector<std::string> ProgressRun(unsigned from, unsigned to, unsigned total) {
  std::vector<std::string> notes;
  for (unsigned current = from; current <= to; ++current) notes.push_back(Progress(current, total));
  return notes;
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::string& b) {
  a.push_back(b);
  return a;
}

// The main window as the worker sees it, and an event loop that serves the worker when
// it asks. Notifications are recorded as their texts, the completion as "complete N".
class clTestHost : public clReadHost, public clDispatcher {
 public:
  explicit clTestHost(clFilePlatform& platform) : walker(platform) {
    walker.Clear();
    option.SetSubFolder(true);
    option.SetWinFolder(true);
    option.SetOutputCsv(true);
  }

  const clSoftOption& GetOption() const override { return option; }
  clFindInFolders& GetFindInFolders() override { return walker; }
  std::string GetTargetFolder() const override { return target; }

  bool OutputFolderList(clsThread& worker) override {
    if (output) return output(worker);
    const clOutputContext context{walker.GetFolderList(),
                                  walker.GetLastFolder(),
                                  outputBasePath,
                                  clipboardText,
                                  resultMessage,
                                  option,
                                  worker,
                                  clipboard,
                                  shell,
                                  label};
    return clOutputRun::OutputFolderList(context);
  }

  void Perform(uint16_t message, uintptr_t wParam, intptr_t lParam) override {
    EXPECT_EQ(std::this_thread::get_id(), mainThread);
    if (message == kReadProgressMessage) {
      EXPECT_EQ(wParam, 0u);
      notes.emplace_back(reinterpret_cast<const char*>(lParam));
    } else {
      EXPECT_EQ(message, kReadCompleteMessage);
      EXPECT_EQ(lParam, 0);
      notes.push_back("complete " + std::to_string(wParam));
      completed = true;
    }
    if (onNote) onNote(notes.back());
  }

  void Wake(clsThread&) override {
    std::lock_guard<std::mutex> lock(wakeMutex);
    ++wakes;
    woken.notify_one();
  }

  // Starts the read and serves it until the completion has arrived, then waits for the
  // worker to end.
  void Run(clsThread& thread) {
    thread.Resume();
    while (!completed) {
      {
        std::unique_lock<std::mutex> lock(wakeMutex);
        woken.wait(lock, [this] { return wakes > 0; });
        wakes = 0;
      }
      thread.ServeSynchronized();
    }
    thread.WaitFor();
  }

  int Completions() const {
    int count = 0;
    for (const std::string& note : notes) count += note.rfind("complete ", 0) == 0 ? 1 : 0;
    return count;
  }

  clSoftOption option;
  clFindInFolders walker;
  std::string target = "/r";
  std::string outputBasePath;
  std::string clipboardText;
  std::string resultMessage;
  clRecordingClipboard clipboard;
  clRecordingShell shell;
  clRecordingLabel label;
  std::function<bool(clsThread&)> output;          // replaces the output run when set
  std::function<void(const std::string&)> onNote;  // runs inside each notification
  std::vector<std::string> notes;
  bool completed = false;
  const std::thread::id mainThread = std::this_thread::get_id();

 private:
  std::mutex wakeMutex;
  std::condition_variable woken;
  int wakes = 0;
};

// /r holds a.txt and B; B holds b.txt: three entries.
void UseExample(clFakePlatform& tree) {
  tree.Add("/r/a.txt");
  tree.Add("/r/B/b.txt");
}

}  // namespace

// A read that runs to its end: one progress after the walk, one per entry and pass, the
// total doubled for two passes, then one completion with the run's result.
TEST(clsThread, ReportsProgressPerEntryAndPassThenCompletes) {
  struct Case {
    const char* name;
    bool csv, txt, clipboard;
    int32_t mode;
    unsigned total;
  };
  const Case cases[] = {
      {"csv", true, false, false, 0, 3},
      {"csv and text", true, true, false, 0, 6},
      {"csv with the table clipboard", true, false, true, 1, 3},
      {"text clipboard alone", false, false, true, 0, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clTempTree out;
    clFakePlatform tree;
    UseExample(tree);
    clTestHost host(tree);
    host.option.SetOutputCsv(c.csv);
    host.option.SetOutputTxt(c.txt);
    host.option.SetOutputClipboard(c.clipboard);
    host.option.SetClipboardMode(c.mode);
    host.outputBasePath = out.Path("KDX_1");
    clsThread thread(true, kReadProgressMessage, kReadCompleteMessage, host, host);
    host.Run(thread);
    EXPECT_EQ(host.notes, ProgressRun(0, c.total, c.total) + "complete 1");
    EXPECT_TRUE(thread.Finished());
    EXPECT_EQ(host.label.texts, std::vector<std::string>{"フォルダ構成の出力完了"});
  }
}

// The same on a real folder and a longer run of hand-overs; the files hold the walk.
TEST(clsThread, ReadsARealFolderIntoTheFiles) {
  clTempTree source;
  for (int i = 0; i < 300; ++i) source.Add("f" + std::to_string(i));
  clTempTree out;
  clTestHost host(DefaultFilePlatform());
  host.target = source.Root();
  host.option.SetOutputTxt(true);
  host.outputBasePath = out.Path("KDX_1");
  clsThread thread(true, kReadProgressMessage, kReadCompleteMessage, host, host);
  host.Run(thread);
  EXPECT_EQ(host.notes, ProgressRun(0, 600, 600) + "complete 1");
  const std::string csv = clTempTree::ReadFile(out.Path("KDX_1.csv"));
  EXPECT_EQ(csv.rfind(source.Root() + "\r\n", 0), 0u);
  EXPECT_NE(csv.find("\r\n,f299\r\n"), std::string::npos);
  EXPECT_EQ(host.resultMessage,
            "フォルダ構成出力完了\nCSVファイル出力成功\nTEXTファイル出力成功\n");
}

TEST(clsThread, EmptyFolderGivesOneProgressThenCompletion) {
  clTempTree out;
  clFakePlatform tree;
  tree.Add("/r/");
  clTestHost host(tree);
  host.outputBasePath = out.Path("KDX_1");
  clsThread thread(true, kReadProgressMessage, kReadCompleteMessage, host, host);
  host.Run(thread);
  EXPECT_EQ(host.notes, std::vector<std::string>{Progress(0, 0)} + "complete 1");
  EXPECT_BYTES("/r\r\n", clTempTree::ReadFile(out.Path("KDX_1.csv")));
}

// The clipboard alone with a mode that selects no form: no pass, no walk, and still the
// completion that returns the window to idle.
TEST(clsThread, ReadWithoutAnOutputPassStillCompletes) {
  clFakePlatform tree;
  UseExample(tree);
  clTestHost host(tree);
  host.option.SetOutputCsv(false);
  host.option.SetOutputClipboard(true);
  host.option.SetClipboardMode(2);
  clsThread thread(true, kReadProgressMessage, kReadCompleteMessage, host, host);
  host.Run(thread);
  EXPECT_EQ(host.notes, std::vector<std::string>{"complete 0"});
  EXPECT_TRUE(tree.ReadLog().empty());
}

// The main window's stop sequence while the walk is inside a subfolder of the root.
// When the root still has an item to handle, it notices the stop: no output, no
// progress. When the subfolder is the root's last item, the walk ends "normally" and the
// output run starts with the stop already set: each writer stops at its first entry.
TEST(clsThread, StopDuringTheWalk) {
  for (bool lastItem : {false, true}) {
    SCOPED_TRACE(lastItem ? "inside the root's last subtree" : "noticed by the root");
    clTempTree out;
    clFakePlatform tree;
    if (lastItem) {
      tree.Add("/r/a.txt");
      tree.Add("/r/B/");
    } else {
      tree.Add("/r/B/");
      tree.Add("/r/a.txt");
    }
    tree.Add("/r/B/b.txt");
    tree.Add("/r/B/c.txt");
    clReadGate gate;
    gate.HoldAt(tree, "/r/B");
    clTestHost host(tree);
    host.option.SetOutputTxt(true);
    host.outputBasePath = out.Path("KDX_1");
    clsThread thread(true, kReadProgressMessage, kReadCompleteMessage, host, host);

    thread.Resume();
    gate.WaitUntilPaused();
    host.walker.stopRequested = true;
    thread.Terminate();
    gate.Release();
    thread.WaitFor();

    if (lastItem) {
      // a.txt and B were found before the stop: two entries, two passes.
      EXPECT_EQ(host.notes, std::vector<std::string>{Progress(0, 4)} + "complete 1");
      EXPECT_EQ(host.resultMessage,
                "フォルダ構成出力完了\nCSVファイル出力失敗\nTEXTファイル出力失敗\n");
      EXPECT_BYTES("/r\r\n", clTempTree::ReadFile(out.Path("KDX_1.csv")));
      EXPECT_BYTES("\r\n    /r\r\n", clTempTree::ReadFile(out.Path("KDX_1.txt")));
    } else {
      EXPECT_EQ(host.notes, std::vector<std::string>{"complete 0"});
      EXPECT_TRUE(host.resultMessage.empty());
      EXPECT_FALSE(clTempTree::Exists(out.Path("KDX_1.csv")));
    }
    EXPECT_EQ(host.Completions(), 1);
  }
}

// A stop while the output runs (raised while the second entry's progress shows): the
// progress stops growing, both writers report failure, the run's result arrives once.
TEST(clsThread, StopDuringTheOutput) {
  clTempTree out;
  clFakePlatform tree;
  UseExample(tree);
  clTestHost host(tree);
  host.option.SetOutputTxt(true);
  host.outputBasePath = out.Path("KDX_1");
  clsThread thread(true, kReadProgressMessage, kReadCompleteMessage, host, host);
  host.onNote = [&](const std::string& note) {
    if (note == Progress(2, 6)) thread.Terminate();
  };
  host.Run(thread);
  EXPECT_EQ(host.notes, ProgressRun(0, 2, 6) + "complete 1");
  EXPECT_EQ(host.resultMessage,
            "フォルダ構成出力完了\nCSVファイル出力失敗\nTEXTファイル出力失敗\n");
  EXPECT_BYTES("/r\r\n,a.txt\r\n", clTempTree::ReadFile(out.Path("KDX_1.csv")));
}

// An exception raised by a synchronised call on the main thread comes back in the
// worker, where the caller can handle it.
TEST(clsThread, ExceptionOnTheMainThreadIsRaisedAgainInTheWorker) {
  clFakePlatform tree;
  UseExample(tree);
  clTestHost host(tree);
  bool ranOnMain = false;
  std::string caughtOnWorker;
  host.output = [&](clsThread& worker) {
    try {
      worker.Synchronize([&] {
        ranOnMain = std::this_thread::get_id() == host.mainThread;
        throw std::runtime_error("main thread failed");
      });
    } catch (const std::runtime_error& error) {
      if (std::this_thread::get_id() != host.mainThread) caughtOnWorker = error.what();
    }
    return true;
  };
  clsThread thread(true, kReadProgressMessage, kReadCompleteMessage, host, host);
  host.Run(thread);
  EXPECT_TRUE(ranOnMain);
  EXPECT_EQ(caughtOnWorker, "main thread failed");
  EXPECT_EQ(host.notes, std::vector<std::string>{Progress(0, 3)} + "complete 1");
}

// Whatever breaks the read, of whatever type, it ends with exactly one completion
// carrying the result reached; a failing completion handler still lets the worker end.
TEST(clsThread, AnyFailureEndsTheReadWithOneCompletion) {
  struct Case {
    const char* name;
    std::function<void(clTestHost&, clFakePlatform&)> arrange;
    std::vector<std::string> notes;
  };
  const Case cases[] = {
      {"the walk throws a non-class value",
       [](clTestHost&, clFakePlatform& tree) {
         tree.SetBeforeRead([](const std::string& folder) {
           if (folder == "/r/B") throw 42;  // not an exception class at all
         });
       },
       {"complete 0"}},
      {"the output run throws std::bad_alloc",
       [](clTestHost& host, clFakePlatform&) {
         host.output = [](clsThread&) -> bool { throw std::bad_alloc(); };
       },
       {Progress(0, 3), "complete 0"}},
      {"the progress handler throws",
       [](clTestHost& host, clFakePlatform&) {
         host.onNote = [](const std::string& note) {
           if (note == Progress(1, 3)) throw std::logic_error("label gone");
         };
       },
       {Progress(0, 3), Progress(1, 3), "complete 0"}},
      {"the completion handler throws",
       [](clTestHost& host, clFakePlatform&) {
         host.output = [](clsThread&) { return true; };
         host.onNote = [](const std::string& note) {
           if (note == "complete 1") throw 7;
         };
       },
       {Progress(0, 3), "complete 1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clTempTree out;
    clFakePlatform tree;
    UseExample(tree);
    clTestHost host(tree);
    host.outputBasePath = out.Path("KDX_1");
    c.arrange(host, tree);
    clsThread thread(true, kReadProgressMessage, kReadCompleteMessage, host, host);
    host.Run(thread);
    EXPECT_EQ(host.notes, c.notes);
    EXPECT_TRUE(thread.Finished());
  }
}

// On one processor the worker and the main thread never run at the same time, and a
// side that waits by watching holds the processor from the other. The read still shows
// every count in order on the main thread while the worker waits (its count does not
// move during a notification), ends on the last count and completes once, whether the
// main thread serves it in bursts between its other work or in the stop sequence's wait.
TEST(clsThread, ReadOnOneProcessorShowsEveryCountAndCompletesOnce) {
  for (bool servedByWaitFor : {false, true}) {
    SCOPED_TRACE(servedByWaitFor ? "served by WaitFor" : "served in bursts");
    clOneCore oneCore;
    clTempTree source;
    for (int i = 0; i < 400; ++i) source.Add("f" + std::to_string(i));
    clTempTree out;
    clTestHost host(DefaultFilePlatform());
    host.target = source.Root();
    host.option.SetOutputTxt(true);
    host.outputBasePath = out.Path("KDX_1");
    clsThread thread(true, kReadProgressMessage, kReadCompleteMessage, host, host);
    int countMoved = 0;
    host.onNote = [&](const std::string& note) {
      if (note.rfind("complete ", 0) == 0) return;
      const std::size_t open = note.find('(');
      const unsigned shown = static_cast<unsigned>(std::stoul(note.substr(open + 1)));
      std::this_thread::yield();  // a worker that did not wait would move on now
      if (thread.GetOutputCount() != shown) ++countMoved;
    };
    if (servedByWaitFor) {
      thread.Resume();
      thread.WaitFor();
    } else {
      host.Run(thread);
    }
    EXPECT_EQ(host.notes, ProgressRun(0, 800, 800) + "complete 1");
    EXPECT_EQ(countMoved, 0);
    EXPECT_EQ(host.resultMessage,
              "フォルダ構成出力完了\nCSVファイル出力成功\nTEXTファイル出力成功\n");
  }
}

// A worker created running and freed before anyone waited for it: the destructor serves
// it to its end instead of abandoning a running thread.
TEST(clsThread, FreeingARunningWorkerWaitsForItsEnd) {
  clTempTree out;
  clFakePlatform tree;
  UseExample(tree);
  clTestHost host(tree);
  host.outputBasePath = out.Path("KDX_1");
  { clsThread thread(false, kReadProgressMessage, kReadCompleteMessage, host, host); }
  EXPECT_EQ(host.notes, ProgressRun(0, 3, 3) + "complete 1");
}
