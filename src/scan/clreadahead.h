#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

#include "platform/clfileplatform.h"
#include "scan/clslowlistings.h"

// Lists folders ahead of the walk on a small pool of threads. While the walk goes through
// a folder's items, the subfolders it will enter are listed in the order it will need
// them (depth first, pre-order), and so on below them, up to a bound on the folders and
// bytes held ahead. The walk takes each listing where it would have read the folder
// itself: a folder it enters that was not foreseen, or whose listing has not started, it
// reads on its own thread; a listing it does not use is dropped. So the walk sees the
// same folders at the same places, only sooner.
//
// One object serves one walk, from EnterRoot to its destruction, on the walk's thread.
class clReadAhead {
 public:
  // Whether the walk, in the folder at `folder`, would enter `item` (the per-item tests
  // without the identity of folders entered already). Called on the pool's threads.
  using EnterTest = std::function<bool(const std::string& folder, const clFolderItem& item)>;

  struct Limits {
    unsigned threads = 16;                 // listings at once, where they wait
    std::size_t folders = 1024;            // folders listed ahead and not yet taken
    std::size_t bytes = 8u * 1024 * 1024;  // what their listings hold
    // A listing is slow when it took longer than this plus `perItem` for each item: it
    // waited on a disk or a server, not on the processor. A folder in a warm cache lists
    // in a few microseconds per item. On Windows a listing is an open, its requests and
    // a close through more layers (under Wine, each through the wineserver): a warm one
    // takes about 0.3 ms there, and several at once longer, where one on a file server
    // takes some round trips of 0.5 ms or more.
#ifdef _WIN32
    std::chrono::microseconds slowListing{1500};
#else
    std::chrono::microseconds slowListing{300};
#endif
    std::chrono::microseconds perItem{4};
    // Listings that wait on nothing but the processor go faster on as many threads as
    // this per processor, where the process may run on several: a pool of that size
    // starts once the walk's own listings have taken this long in all, so a small tree
    // never starts one. It grows to the whole pool once the pool's listings are mostly slow.
    unsigned threadsPerProcessor = 2;
    std::chrono::microseconds warmListings{2000};
    // The whole pool starts once this many of the walk's own listings, and at least half
    // of them, were slow: one listing held up once starts nothing.
    unsigned slowToStart = 3;
  };

  // What was held ahead at most during the walk, and how the listings were served.
  struct Stats {
    std::size_t peakFolders = 0;
    std::size_t peakBytes = 0;
    std::size_t largestListing = 0;  // bytes of the largest single listing held
    uint64_t listedAhead = 0;        // listings the pool made
    uint64_t taken = 0;              // of those, taken by the walk
    bool started = false;            // whether the pool was started at all
    unsigned threads = 0;            // the threads it grew to
    uint64_t slowListings = 0;       // the pool's listings that were slow
  };

  clReadAhead(clFilePlatform& platform, const std::atomic<bool>& stop, EnterTest wouldEnter,
              Limits limits);
  ~clReadAhead();  // ends the pool at once: no listing starts afterwards
  clReadAhead(const clReadAhead&) = delete;
  clReadAhead& operator=(const clReadAhead&) = delete;

  // The walk begins at `place`, the folder of identity (device, inode); (0, 0) = unknown.
  void EnterRoot(const clFolderPlace& place, uint64_t device, uint64_t inode);
  // The walk enters the subfolder `item` (composed path `path`) of the folder it is in;
  // returns its place.
  clFolderPlace Enter(const clFolderItem& item, std::string path);
  // The listing of the folder the walk is in, as ReadPlace gives it.
  bool Read(std::vector<clFolderItem>& items);
  // The walk leaves the folder it is in; what was foreseen below it and not used is dropped.
  void Leave();

  Stats GetStats() const;

 private:
  struct Node;
  struct Shared;
  // Starts pool threads until `count` run (never more than the limit).
  void GrowPool(unsigned count);
  // After a listing the walk made itself, which took `took` for `items` items.
  void ChoosePool(std::chrono::steady_clock::duration took, std::size_t items);

  bool PoolStarted() const { return poolGoal > 0; }

  std::shared_ptr<Shared> shared;
  std::vector<std::thread> pool;
  unsigned poolGoal = 0;                            // the most threads asked for
  const unsigned processors;                        // this process may run on
  clSlowListings walkListings;                      // how slow the walk's own listings were
  std::chrono::steady_clock::duration walkTime{0};  // what they took in all
};
