// The worker of a read as a job: its inputs taken by value, the walk and the writers on
// its own thread, the count it publishes, its one completion, its stop and its end.
#include "app/clsthread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <new>
#include <stdexcept>
#include <string>

#include "bytesdiff.h"
#include "clfakeplatform.h"
#include "cltemptree.h"
#include "platform/clpath.h"

namespace {

// A path the walk composed, with "/" for the system's separator: the fake tree's paths
// read alike on both systems.
std::string Slashed(std::string path) {
  for (char& c : path) c = c == clPath::kSeparator ? '/' : c;
  return path;
}

std::string Progress(unsigned current, unsigned total) {
  return "フォルダ構成の出力中...\n(" + std::to_string(current) + "/" + std::to_string(total) + ")";
}

// Holds the walk at the start of one folder's read until the test releases it.
class clReadGate {
 public:
  void HoldAt(clFakePlatform& tree, const std::string& folder) {
    tree.SetHoldRead([this, folder](const std::string& read, const std::atomic<bool>&) {
      if (Slashed(read) != folder) return;
      std::unique_lock<std::mutex> lock(mutex);
      paused = true;
      changed.notify_all();
      changed.wait(lock, [this] { return released; });
    });
  }
  // False when the walk has not come to the folder after a generous while.
  bool WaitUntilPaused() {
    std::unique_lock<std::mutex> lock(mutex);
    return changed.wait_for(lock, std::chrono::seconds(30), [this] { return paused; });
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

// A worker that asks itself to stop while it counts its `stopAt`-th entry, as a stop by
// the user lands between two entries of the output.
class clStoppingWorker : public clsThread {
 public:
  using clsThread::clsThread;
  void CountOutput() override {
    clsThread::CountOutput();
    if (++counted == stopAt) Terminate();
  }
  unsigned stopAt = 0;

 private:
  unsigned counted = 0;
};

// One read of the fake tree /r (a.txt, then B holding b.txt: three entries) into a real
// temporary folder, each folder read when the walk reaches it.
class clsThreadTest : public ::testing::Test {
 public:
  clsThreadTest() {
    tree.Add("/r/a.txt");
    tree.Add("/r/B/b.txt");
    request.targetFolder = "/r";
    request.outputBasePath = out.Path("KDX_1");
    request.readAhead.threads = 0;
    request.option.SetSubFolder(true);
    request.option.SetWinFolder(true);
  }
  ~clsThreadTest() override { tree.SetHoldRead(nullptr); }

  template <typename Worker = clsThread>
  std::unique_ptr<Worker> Make(clFilePlatform& platform) {
    return std::make_unique<Worker>(true, request, platform, [this] { ++completions; });
  }

  // A worker started on `place` and held at the start of `folder`'s read by `gate`.
  std::unique_ptr<clsThread> StartHeld(clReadGate& gate, clFakePlatform& place,
                                       const std::string& folder) {
    gate.HoldAt(place, folder);
    auto worker = Make(place);
    worker->Resume();
    EXPECT_TRUE(gate.WaitUntilPaused());
    return worker;
  }

  clReadResult Run(clsThread& worker) {
    worker.Resume();
    EXPECT_TRUE(worker.WaitFor());
    return worker.TakeResult();
  }

  clTempTree out;
  clFakePlatform tree;
  clReadRequest request;
  std::atomic<int> completions{0};
};

}  // namespace

// Each selection of outputs: the files and the clipboard text the writers produced, the
// count over all passes, the last progress text, and exactly one completion.
TEST_F(clsThreadTest, AReadWritesTheSelectedOutputsAndCompletesOnce) {
  const std::string csv = "/r\r\n,a.txt\r\n,B\r\n,,b.txt\r\n";
  struct Case {
    const char* name;
    bool csvFile, txtFile, clipboard;
    int mode;
    unsigned passes;
  };
  const Case cases[] = {
      {"CSV only", true, false, false, 0, 1},
      {"CSV and text", true, true, false, 0, 2},
      {"clipboard table form with CSV", true, false, true, 1, 1},
      {"clipboard text form alone", false, false, true, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clTempTree folder;
    request.outputBasePath = folder.Path("KDX_1");
    request.option.SetOutputCsv(c.csvFile);
    request.option.SetOutputTxt(c.txtFile);
    request.option.SetOutputClipboard(c.clipboard);
    request.option.SetClipboardMode(c.mode);
    completions = 0;
    auto worker = Make(tree);
    const clReadResult result = Run(*worker);
    EXPECT_EQ(completions, 1);
    EXPECT_TRUE(result.outputRan);
    EXPECT_EQ(result.entries, 3u);
    EXPECT_EQ(result.passCount, c.passes);
    EXPECT_EQ(result.outputCount, 3 * c.passes);
    char text[128];
    ASSERT_TRUE(worker->ReportProgress(text));
    EXPECT_EQ(std::string(text), Progress(3 * c.passes, 3 * c.passes));
    EXPECT_EQ(result.output.csvWritten, c.csvFile);
    EXPECT_EQ(result.output.txtWritten, c.txtFile);
    EXPECT_EQ(result.output.clipboardReady, c.clipboard);
    if (c.csvFile) {
      EXPECT_BYTES(csv, clTempTree::ReadFile(folder.Path("KDX_1.csv")));
    }
    if (c.clipboard && c.mode == 1) {
      EXPECT_BYTES("/r\r\n\ta.txt\r\n\tB\r\n\t\tb.txt\r\n", result.output.clipboardText);
    }
    if (c.clipboard && c.mode == 0) {
      EXPECT_EQ(result.output.clipboardText.rfind("\r\n    /r\r\n", 0), 0u);
    }
  }
}

TEST_F(clsThreadTest, ReadsARealFolderIntoTheFiles) {
  clTempTree source;
  for (int i = 0; i < 300; ++i) source.Add("f" + std::to_string(i));
  request.targetFolder = source.Root();
  request.option.SetOutputCsv(true);
  request.option.SetOutputTxt(true);
  auto worker = Make(DefaultFilePlatform());
  const clReadResult result = Run(*worker);
  EXPECT_EQ(result.outputCount, 600u);
  EXPECT_TRUE(result.output.csvWritten && result.output.txtWritten);
  const std::string csv = clTempTree::ReadFile(out.Path("KDX_1.csv"));
  EXPECT_EQ(csv.rfind(source.Root() + "\r\n", 0), 0u);
  EXPECT_NE(csv.find("\r\n,f299\r\n"), std::string::npos);
}

// The progress text reads nothing while the walk runs; an empty folder reads (0/0).
TEST_F(clsThreadTest, ProgressStartsWithTheOutput) {
  tree.Add("/empty/");
  request.option.SetOutputCsv(true);
  clReadGate gate;
  auto worker = StartHeld(gate, tree, "/r/B");
  char text[128];
  EXPECT_FALSE(worker->ReportProgress(text));
  gate.Release();
  ASSERT_TRUE(worker->WaitFor());

  request.targetFolder = "/empty";
  auto empty = Make(tree);
  const clReadResult result = Run(*empty);
  EXPECT_TRUE(result.outputRan);
  ASSERT_TRUE(empty->ReportProgress(text));
  EXPECT_EQ(std::string(text), Progress(0, 0));
}

// A stop during the walk that the root notices (/first: a.txt is still to come after B)
// ends the read without output; one the walk notices below the root's last item (/last)
// lets the writers start, and each stops at its first entry.
TEST_F(clsThreadTest, AStopDuringTheWalkEndsItAsTheWalkWasWhenItCame) {
  for (const char* root : {"/first", "/last"}) {
    SCOPED_TRACE(root);
    const bool last = std::string(root) == "/last";
    clFakePlatform place;
    place.Add(std::string(root) + (last ? "/a.txt" : "/B/b.txt"));
    place.Add(std::string(root) + (last ? "/B/b.txt" : "/a.txt"));
    clTempTree folder;
    request.outputBasePath = folder.Path("KDX_1");
    request.targetFolder = root;
    request.option.SetOutputCsv(true);
    clReadGate gate;
    completions = 0;
    auto worker = StartHeld(gate, place, std::string(root) + "/B");
    worker->Terminate();
    gate.Release();
    ASSERT_TRUE(worker->WaitFor());
    const clReadResult result = worker->TakeResult();
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(result.outputRan, last);
    EXPECT_EQ(result.output.csvFailed, last);
    EXPECT_EQ(result.outputCount, 0u);
    if (last) {
      EXPECT_BYTES("/last\r\n", clTempTree::ReadFile(folder.Path("KDX_1.csv")));
    } else {
      EXPECT_FALSE(clTempTree::Exists(folder.Path("KDX_1.csv")));
    }
    place.SetHoldRead(nullptr);
  }
}

// A stop while the second entry is counted: each writer stops before its next entry,
// both passes fail, the count stops growing, and one completion comes.
TEST_F(clsThreadTest, AStopDuringTheOutputStopsEachWriterBeforeItsNextEntry) {
  request.option.SetOutputCsv(true);
  request.option.SetOutputTxt(true);
  auto worker = Make<clStoppingWorker>(tree);
  worker->stopAt = 2;
  const clReadResult result = Run(*worker);
  EXPECT_EQ(completions, 1);
  EXPECT_TRUE(result.outputRan);
  EXPECT_TRUE(result.output.csvFailed);
  EXPECT_TRUE(result.output.txtFailed);
  EXPECT_EQ(result.outputCount, 2u);
  char text[128];
  ASSERT_TRUE(worker->ReportProgress(text));
  EXPECT_EQ(std::string(text), Progress(2, 6));
  EXPECT_BYTES("/r\r\n,a.txt\r\n", clTempTree::ReadFile(out.Path("KDX_1.csv")));
  EXPECT_BYTES("\r\n    /r\r\n", clTempTree::ReadFile(out.Path("KDX_1.txt")));
}

// Whatever ends a read early, it ends with one completion: no output pass, an error in
// the walk, memory running out.
TEST_F(clsThreadTest, AnyEndOfAReadSendsOneCompletion) {
  struct Case {
    const char* name;
    bool csv;
    std::function<void(const std::string&)> beforeRead;
    bool outOfMemory;
  };
  const Case cases[] = {
      {"no output pass", false, nullptr, false},
      {"an error in the walk", true,
       [](const std::string& folder) {
         if (Slashed(folder) == "/r/B") throw std::runtime_error("broken");
       },
       false},
      {"memory runs out in the walk", true,
       [](const std::string& folder) {
         if (Slashed(folder) == "/r/B") throw std::bad_alloc();
       },
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    request.option.SetOutputCsv(c.csv);
    tree.SetBeforeRead(c.beforeRead);
    completions = 0;
    auto worker = Make(tree);
    const clReadResult result = Run(*worker);
    EXPECT_EQ(completions, 1);
    EXPECT_FALSE(result.outputRan);
    EXPECT_EQ(result.outOfMemory, c.outOfMemory);
    EXPECT_FALSE(clTempTree::Exists(out.Path("KDX_1.csv")));
    tree.SetBeforeRead(nullptr);
  }
}

// A worker given up on runs to its end on its own and sends no completion.
TEST_F(clsThreadTest, AnAbandonedWorkerSendsNoCompletion) {
  request.option.SetOutputCsv(true);
  clReadGate gate;
  auto worker = StartHeld(gate, tree, "/r/B");
  worker->Abandon();
  gate.Release();
  ASSERT_TRUE(worker->WaitFor());
  EXPECT_EQ(completions, 0);
  EXPECT_TRUE(worker->TakeResult().outputRan);
}

// Freeing a worker still running waits for its end.
TEST_F(clsThreadTest, FreeingARunningWorkerWaitsForItsEnd) {
  request.option.SetOutputCsv(true);
  clReadGate gate;
  auto worker = StartHeld(gate, tree, "/r/B");
  gate.Release();
  worker.reset();
  EXPECT_EQ(completions, 1);
}
