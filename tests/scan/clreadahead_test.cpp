// The read-ahead below the walk: the walk's list with it is the list without it, stops
// end it, and what it holds stays within its bound.
#include "scan/clreadahead.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "bytesdiff.h"
#include "clfakeplatform.h"
#include "cltemptree.h"
#include "platform/cldelayedplatform.h"
#include "scan/clfindinfolders.h"

namespace {

struct Filters {
  bool hideFile = false;
  bool readOnlyFile = false;
  bool winFolder = true;
};

std::string Walk(clFindInFolders& walker, const std::string& root,
                 const clReadAhead::Limits& limits, const Filters& filters = {}) {
  walker.SetReadAhead(limits);
  walker.Clear();
  walker.SetLevel(1);
  walker.SetSubFolder(true);
  walker.SetHideFile(filters.hideFile);
  walker.SetWinFolder(filters.winFolder);
  walker.SetReadOnlyFile(filters.readOnlyFile);
  if (!filters.winFolder) walker.SetWindowsDirectory("/proc");
  const bool result = walker.Search(root);
  std::string out = result ? "true\n" : "false\n";
  for (const auto& entry : walker.GetFolderList()) {
    out += std::to_string(entry.GetLevel()) + (entry.GetIsFolder() ? " D " : " F ") +
           entry.GetName() + "\n";
  }
  return out + walker.GetLastFolder() + "\n";
}

std::string Walk(clFindInFolders& walker, const std::string& root, unsigned threads,
                 const Filters& filters = {}, std::size_t folders = 1024,
                 std::size_t bytes = 8u << 20) {
  // The pool starts at the first listing, however fast.
  clReadAhead::Limits limits{threads, folders, bytes, std::chrono::microseconds(0),
                             std::chrono::microseconds(0)};
  limits.slowToStart = 1;
  return Walk(walker, root, limits, filters);
}

// `/t` with `fan` folders per folder down to `depth` levels, `files` files in each.
std::vector<std::string> WideTree(int fan, int depth, int files, const std::string& at = "/t") {
  std::vector<std::string> lines{at + "/"};
  std::vector<std::string> level{at};
  for (int d = 0; d < depth; ++d) {
    std::vector<std::string> next;
    for (const auto& folder : level) {
      for (int f = 0; f < files; ++f) lines.push_back(folder + "/f" + std::to_string(f));
      for (int s = 0; s < fan; ++s) {
        next.push_back(folder + "/d" + std::to_string(s));
        lines.push_back(next.back() + "/");
      }
    }
    level = std::move(next);
  }
  return lines;
}

void AddAll(clFakePlatform& fake, const std::vector<std::string>& lines) {
  for (const auto& line : lines) fake.Add(line);
}

// Listings that take a moment, as on a share, so that the pool gets ahead of the walk.
constexpr std::chrono::microseconds kListing{200};

}  // namespace

TEST(clReadAhead, TheListWithReadAheadIsTheListWithout) {
  struct Case {
    const char* name;
    std::vector<std::string> lines;
    Filters filters;
  };
  std::vector<Case> cases = {
      {"many folders", WideTree(4, 4, 3), {}},
      {"links back up the branch and across it",
       {"/t/a/", "/t/a/x", "/t/a/up -> /t/", "/t/a/b -> /t/b/", "/t/a/deep/", "/t/a/deep/y",
        "/t/b/", "/t/b/a -> /t/a/", "/t/b/z", "/t/c/", "/t/c/self -> /t/c/", "/t/c/b -> /t/b/",
        "/t/c/d/", "/t/c/d/back -> /t/a/deep/", "/t/dang -> /nowhere/"},
       {}},
      {"unreadable folders and broken listings",
       {"locked:/t/l/", "/t/l/x", "/t/a/", "error@1:/t/a/e/", "/t/a/e/one", "/t/a/e/two/",
        "/t/a/e/two/q", "locked:/t/a/l2/", "/t/a/l2/y", "/t/b/", "/t/b/k/", "/t/b/k/f"},
       {}},
      {"folders gone when opened",
       {"gone:/t/g/", "/t/g/x", "/t/a/", "/t/a/gone/", "gone:/t/a/gone/", "/t/a/gone/in/",
        "/t/a/kept/", "/t/a/kept/f", "/t/z/", "gone:/t/z/", "/t/last/", "/t/last/f"},
       {}},
      {"filtered folders and the system folder",
       {"/t/.h/", "/t/.h/in/", "/t/.h/in/f", "ro:/t/ro/", "/t/ro/x/", "/t/v/", "/t/v/.x/",
        "/t/v/p -> /proc/", "/t/v/top -> /", "/proc/1/", "/tmp/", "/tmp/f"},
       {}},
  };
  for (const bool hideFile : {false, true}) {
    cases.push_back({hideFile ? "filtered, hidden included" : "filtered, system folder out",
                     cases.back().lines,
                     {.hideFile = hideFile, .readOnlyFile = hideFile, .winFolder = hideFile}});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clFakePlatform fake;
    AddAll(fake, c.lines);
    clDelayedPlatform slow(fake, kListing);
    clFindInFolders walker(slow);
    const std::string alone = Walk(walker, "/t", 0, c.filters);
    // A roomy read-ahead, one thread, and bounds so tight that most of the tree is read
    // by the walk itself and foreseen folders are dropped often.
    EXPECT_BYTES(alone, Walk(walker, "/t", 4, c.filters));
    EXPECT_BYTES(alone, Walk(walker, "/t", 1, c.filters));
    EXPECT_BYTES(alone, Walk(walker, "/t", 3, c.filters, 2, 1));
  }
}

TEST(clReadAhead, RealFoldersAreListedAlikeWithAndWithoutIt) {
  clTempTree tree;
  for (int a = 0; a < 12; ++a) {
    for (int b = 0; b < 6; ++b) {
      tree.Add("a" + std::to_string(a) + "/b" + std::to_string(b) + "/f");
    }
    tree.Add("a" + std::to_string(a) + "/up -> ..");
  }
  clFindInFolders walker;
  const std::string alone = Walk(walker, tree.Root(), 0);
  for (const unsigned threads : {1u, 4u, 8u}) {
    SCOPED_TRACE(threads);
    EXPECT_BYTES(alone, Walk(walker, tree.Root(), threads));
  }
}

// Counts, for each thread other than the walk's, the listings it begins once a stop was
// requested. A thread that had chosen its folder just before the stop may still begin
// that one listing; none begins a second.
class clStopWatch : public clDelayedPlatform {
 public:
  clStopWatch(clFilePlatform& inner, const std::atomic<bool>& stop)
      : clDelayedPlatform(inner, kListing), stop(stop) {}
  bool ReadPlace(const clFolderPlace& place, std::vector<clFolderItem>& items,
                 const std::atomic<bool>& halt) override {
    if (stop && std::this_thread::get_id() != walkThread) {
      const std::lock_guard<std::mutex> lock(mutex);
      ++aheadAfterStop[std::this_thread::get_id()];
    }
    return clDelayedPlatform::ReadPlace(place, items, halt);
  }
  int MostByOneThread() {
    const std::lock_guard<std::mutex> lock(mutex);
    int most = 0;
    for (const auto& [thread, count] : aheadAfterStop) most = std::max(most, count);
    return most;
  }

 private:
  const std::atomic<bool>& stop;
  const std::thread::id walkThread = std::this_thread::get_id();
  std::mutex mutex;
  std::map<std::thread::id, int> aheadAfterStop;
};

TEST(clReadAhead, NoListingAheadStartsAfterAStop) {
  clFakePlatform fake;
  AddAll(fake, WideTree(3, 5, 2));
  clFindInFolders plain(fake);
  const std::string whole = Walk(plain, "/t", 0);
  std::atomic<bool> stop{false};
  clStopWatch watch(fake, stop);
  clFindInFolders walker(watch);
  std::atomic<int> listings{0};
  fake.SetBeforeRead([&](const std::string&) {
    if (++listings == 20) {
      walker.stopRequested = true;
      stop = true;
    }
  });
  const std::string stopped = Walk(walker, "/t", 4);
  EXPECT_LE(watch.MostByOneThread(), 1);
  // What the stopped walk found is the start of the whole list, ending on false.
  ASSERT_EQ(stopped.rfind("false\n", 0), 0u) << stopped;
  const std::string found = stopped.substr(6, stopped.size() - 6 - 3);
  EXPECT_EQ(whole.compare(5, found.size(), found), 0) << found;
  EXPECT_EQ(walker.GetLastFolder(), "/t");
}

namespace {

// Listings held up as on a share, and the walk's own listings below the root held until
// `ready` reads true (at most a few seconds): the pool, however late its threads start,
// lists something first.
class clWalkWaits : public clDelayedPlatform {
 public:
  clWalkWaits(clFilePlatform& inner, const std::atomic<bool>& ready)
      : clDelayedPlatform(inner, kListing), ready(ready) {}
  bool ReadPlace(const clFolderPlace& place, std::vector<clFolderItem>& items,
                 const std::atomic<bool>& stop) override {
    if (std::this_thread::get_id() == walkThread && place.path != "/t") {
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
      while (!ready && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
    }
    return clDelayedPlatform::ReadPlace(place, items, stop);
  }

 private:
  const std::atomic<bool>& ready;
  const std::thread::id walkThread = std::this_thread::get_id();
};

}  // namespace

// A pool thread that runs out of memory while listing ends; the walk reads that folder
// itself, so the list is whole, and where the walk's own thread runs out the walk ends
// with the error as it would without read-ahead.
TEST(clReadAhead, RunningOutOfMemoryAheadLeavesTheFolderToTheWalk) {
  clFakePlatform fake;
  AddAll(fake, WideTree(3, 3, 2));
  std::atomic<bool> thrownOnce{true};  // the walk alone waits for nothing
  clWalkWaits slow(fake, thrownOnce);
  clFindInFolders walker(slow);
  const std::string alone = Walk(walker, "/t", 0);
  thrownOnce = false;
  const std::thread::id walkThread = std::this_thread::get_id();
  std::atomic<int> thrown{0};
  fake.SetBeforeRead([&](const std::string&) {
    if (std::this_thread::get_id() != walkThread) {
      ++thrown;
      thrownOnce = true;
      throw std::bad_alloc();
    }
  });
  EXPECT_BYTES(alone, Walk(walker, "/t", 4));
  EXPECT_GT(thrown.load(), 0);
  fake.SetBeforeRead([](const std::string& folder) {
    if (folder == "/t/d1/d2" || folder == "/t\\d1\\d2") throw std::bad_alloc();
  });
  EXPECT_THROW(Walk(walker, "/t", 4), std::bad_alloc);
  fake.SetBeforeRead(nullptr);
}

TEST(clReadAhead, WhatIsHeldAheadStaysWithinItsBound) {
  // Wide folders of many files: each listing holds some kilobytes.
  clFakePlatform fake;
  AddAll(fake, WideTree(6, 3, 60));
  clDelayedPlatform slow(fake, kListing);
  clFindInFolders walker(slow);
  const std::string alone = Walk(walker, "/t", 0);
  struct Bound {
    std::size_t folders, bytes;
  };
  for (const Bound bound : {Bound{4, 1u << 20}, Bound{64, 16u << 10}}) {
    SCOPED_TRACE(bound.folders);
    const unsigned threads = 4;
    EXPECT_BYTES(alone, Walk(walker, "/t", threads, {}, bound.folders, bound.bytes));
    const clReadAhead::Stats stats = walker.GetReadAheadStats();
    EXPECT_LE(stats.peakFolders, bound.folders);
    // A listing is begun only below the bound; those under way may pass it by their size.
    EXPECT_LE(stats.peakBytes, bound.bytes + threads * stats.largestListing);
    EXPECT_TRUE(stats.started);
    EXPECT_LE(stats.taken, stats.listedAhead);
  }
}

namespace {

// The fake tree on a given number of processors, its listings below `/t` held up by
// `delay` each.
class clPacedPlatform : public clDelayedPlatform {
 public:
  clPacedPlatform(clFilePlatform& inner, unsigned processors, std::chrono::microseconds delay)
      : clDelayedPlatform(inner, std::chrono::microseconds(0)),
        processors(processors),
        delay(delay) {}
  bool ReadPlace(const clFolderPlace& place, std::vector<clFolderItem>& items,
                 const std::atomic<bool>& stop) override {
    if (place.path != "/t") std::this_thread::sleep_for(delay);
    return clDelayedPlatform::ReadPlace(place, items, stop);
  }
  unsigned Processors() const override { return processors; }

 private:
  const unsigned processors;
  const std::chrono::microseconds delay;
};

}  // namespace

TEST(clReadAhead, ThePoolStartsAndGrowsOnlyWhereItPays) {
  using std::chrono::hours;
  using std::chrono::microseconds;
  using std::chrono::milliseconds;
  struct Case {
    const char* name;
    unsigned processors;
    microseconds delay;  // of each listing below the root
    microseconds slow;   // a listing slower than this waits on a disk or server
    microseconds warm;   // the walk's own listings that start a pool per processor
    unsigned threads;    // the pool in the end; 0 = none started
  };
  const Case cases[] = {
      {"fast listings on one processor start none", 1, microseconds(0), hours(1), microseconds(0),
       0},
      {"fast listings of a small tree start none", 2, microseconds(0), hours(1), hours(1), 0},
      {"fast listings of a large tree start two threads per processor", 2, microseconds(0),
       hours(1), microseconds(0), 4},
      {"slow listings start the whole pool", 1, microseconds(0), microseconds(0), hours(1), 16},
      {"a pool whose listings are mostly slow grows to the whole", 2, milliseconds(10),
       milliseconds(2), microseconds(0), 16},
  };
  clFakePlatform fake;
  AddAll(fake, WideTree(8, 2, 2));  // 72 folders below the root
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clPacedPlatform paced(fake, c.processors, c.delay);
    clFindInFolders walker(paced);
    const std::string alone = Walk(walker, "/t", 0);
    clReadAhead::Limits limits;
    limits.slowListing = c.slow;
    limits.perItem = microseconds(0);
    limits.warmListings = c.warm;
    EXPECT_BYTES(alone, Walk(walker, "/t", limits));
    EXPECT_EQ(walker.GetReadAheadStats().started, c.threads > 0);
    EXPECT_EQ(walker.GetReadAheadStats().threads, c.threads);
  }
}
