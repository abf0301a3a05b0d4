#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "platform/clfileplatform.h"
#include "platform/clpath.h"
#include "scan/clfolderid.h"
#include "scan/clreadahead.h"
#include "scan/clslowlistings.h"

// The state a read-ahead shares with its pool: the folders foreseen below the walk, and
// the pool threads' work on them. Included by the read-ahead alone.

// How many of the pool's listings in a run must have been slow, and at least half of
// them, before the pool grows to its whole size.
inline constexpr unsigned kReadAheadSlowToGrow = 32;
// How many folders up the branch the pool looks for folders to list.
inline constexpr std::size_t kReadAheadLevelsUp = 64;

// A folder foreseen below the walk. Its place, name and parent never change; the rest
// is guarded by the shared mutex.
struct clReadAhead::Node {
  enum class State { Unstarted, Reading, Done };
  Node() = default;
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;
  // The folders below go one after another, not each inside its parent's end: a branch
  // thousands of folders deep ends too.
  ~Node() {
    std::vector<std::shared_ptr<Node>> pending = std::move(kids);
    while (!pending.empty()) {
      std::shared_ptr<Node> node = std::move(pending.back());
      pending.pop_back();
      if (!node || node.use_count() != 1) continue;  // another still holds it
      for (auto& kid : node->kids) pending.push_back(std::move(kid));
      node->kids.clear();
    }
  }

  clFolderPlace place;  // its path let go once listed, where the place has a base
  std::string name;
  Node* parent = nullptr;
  clFolderId id{0, 0};
  bool isLink = false;  // reached through a link
  State state = State::Unstarted;
  bool byWalk = false;   // read on the walk's own thread
  bool taken = false;    // its listing went to the walk
  bool dropped = false;  // the walk will not enter it
  bool ok = false;
  std::vector<clFolderItem> items;
  std::size_t bytes = 0;                    // held while done and not taken
  std::vector<std::shared_ptr<Node>> kids;  // the subfolders foreseen, in item order
  std::size_t next = 0;                     // the walk has passed the kids before this
};

struct clReadAhead::Shared {
  Shared(clFilePlatform& platformValue, const std::atomic<bool>& stopValue, EnterTest test,
         Limits limitsValue)
      : platform(platformValue),
        stop(stopValue),
        wouldEnter(std::move(test)),
        limits(limitsValue) {}

  clFilePlatform& platform;
  const std::atomic<bool>& stop;  // the walk's stop request
  std::atomic<bool> halt{false};  // ends listings under way: a stop seen, or the end
  const EnterTest wouldEnter;
  const Limits limits;

  std::mutex mutex;
  std::condition_variable work;  // the pool waits here
  std::condition_variable done;  // the walk and the end wait here
  std::shared_ptr<Node> root;
  Node* current = nullptr;  // the folder the walk is in
  bool ending = false;
  unsigned running = 0;   // pool threads not yet finished
  unsigned listing = 0;   // of those, inside a listing
  bool slowSeen = false;  // the pool's listings are mostly slow: the whole pool pays
  clSlowListings poolListings{kReadAheadSlowToGrow};
  std::size_t heldFolders = 0;
  std::size_t heldBytes = 0;
  std::unordered_set<clFolderId, clFolderIdHash> foreseen;
  Stats stats;

  bool Stopped() const { return stop.load(std::memory_order_relaxed); }
  bool IsSlow(std::chrono::steady_clock::duration took, std::size_t items) const {
    return took >= limits.slowListing + limits.perItem * static_cast<long>(items);
  }
  bool HasRoom() const { return heldFolders < limits.folders && heldBytes < limits.bytes; }

  // The subfolders the walk will enter in a folder just read, in item order.
  std::vector<std::shared_ptr<Node>> Foresee(Node& folder, const std::vector<clFolderItem>& items) {
    std::vector<std::shared_ptr<Node>> kids;
    for (const clFolderItem& item : items) {
      if (!wouldEnter(folder.place.path, item)) continue;
      auto kid = std::make_shared<Node>();
      kid->place =
          platform.ChildPlace(folder.place, item, clPath::JoinInside(folder.place.path, item.name));
      kid->name = item.name;
      kid->parent = &folder;
      kid->id = {item.device, item.inode};
      kid->isLink = item.isLink;
      kids.push_back(std::move(kid));
    }
    return kids;
  }

  // Hangs the foreseen subfolders below `folder`. A link to a folder foreseen already, and
  // a folder open above itself (a loop), are left to the walk: nothing is listed twice
  // ahead through links, and the walk enters what it enters either way.
  void Attach(Node& folder, std::vector<std::shared_ptr<Node>>& kids) {
    for (auto& kid : kids) {
      const bool examined = kid->id.device != 0 || kid->id.inode != 0;
      if (examined && !foreseen.insert(kid->id).second &&
          (kid->isLink || IsAbove(folder, kid->id))) {
        continue;
      }
      folder.kids.push_back(std::move(kid));
    }
  }

  static bool IsAbove(const Node& folder, const clFolderId& id) {
    for (const Node* node = &folder; node != nullptr; node = node->parent) {
      if (node->id == id) return true;
    }
    return false;
  }

  // A listed folder's place needs its path no more where it has a base.
  static void LetPathGo(Node& node) {
    if (node.place.base) node.place.path = std::string();
  }

  static std::size_t BytesOf(const Node& node) {
    std::size_t bytes = sizeof(Node) + node.items.capacity() * sizeof(clFolderItem);
    for (const auto& item : node.items) {
      bytes += item.name.capacity() + item.wideName.capacity() * sizeof(wchar_t);
    }
    for (const auto& kid : node.kids) {
      bytes += sizeof(Node) + kid->place.path.capacity() + kid->place.relative.capacity() +
               kid->name.capacity();
    }
    return bytes;
  }

  void Hold(Node& node) {
    node.bytes = BytesOf(node);
    heldBytes += node.bytes;
    if (heldFolders > stats.peakFolders) stats.peakFolders = heldFolders;
    if (heldBytes > stats.peakBytes) stats.peakBytes = heldBytes;
    if (node.bytes > stats.largestListing) stats.largestListing = node.bytes;
  }

  void Release(Node& node) {
    --heldFolders;
    heldBytes -= node.bytes;
    node.bytes = 0;
  }

  // The walk will not enter `first`: what was listed for it and below it goes.
  void Drop(Node& first) {
    std::vector<Node*> pending{&first};
    while (!pending.empty()) {
      Node& node = *pending.back();
      pending.pop_back();
      node.dropped = true;
      if (node.state == Node::State::Done && !node.taken && !node.byWalk) Release(node);
      node.items.clear();
      node.items.shrink_to_fit();
      for (auto& kid : node.kids) {
        if (kid) pending.push_back(kid.get());
      }
    }
    first.kids.clear();
  }

  // The first unstarted folder, in walk order, among the kids of `folder` from `from`
  // on and below those of them listed ahead already.
  std::shared_ptr<Node> FirstUnstarted(Node& folder, std::size_t from, std::size_t& budget) {
    for (std::size_t i = from; i < folder.kids.size(); ++i) {
      const std::shared_ptr<Node>& kid = folder.kids[i];
      if (!kid) continue;
      if (budget == 0) return nullptr;
      --budget;
      if (kid->state == Node::State::Unstarted) return kid;
      if (kid->state == Node::State::Done && !kid->taken) {
        if (auto found = FirstUnstarted(*kid, kid->next, budget)) return found;
      }
    }
    return nullptr;
  }

  // The next folder the walk will need that nobody lists yet: below the folder the walk
  // is in, then after it in each folder up the branch, as far up as the walk will need
  // anything soon (on a branch thousands of folders deep, a pick looks at the last few).
  std::shared_ptr<Node> PickNext() {
    std::size_t budget = 4 * limits.folders + 64;
    std::size_t levels = kReadAheadLevelsUp;
    for (Node* folder = current; folder != nullptr && budget > 0 && levels > 0;
         folder = folder->parent, --levels) {
      if (auto found = FirstUnstarted(*folder, folder->next, budget)) return found;
    }
    return nullptr;
  }

  void Work() {
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
      std::shared_ptr<Node> node;
      work.wait(lock, [&] {
        if (ending) return true;
        if (Stopped() || !HasRoom()) return false;
        node = PickNext();
        return node != nullptr;
      });
      if (ending) break;
      node->state = Node::State::Reading;
      ++heldFolders;
      if (heldFolders > stats.peakFolders) stats.peakFolders = heldFolders;
      if (Stopped()) {
        // No listing begins after a stop; the walk reads the folder itself if it needs it.
        node->state = Node::State::Unstarted;
        --heldFolders;
        done.notify_all();
        continue;
      }
      ++listing;
      lock.unlock();
      std::vector<clFolderItem> items;
      bool ok = false;
      bool kept = true;
      const auto start = std::chrono::steady_clock::now();
      try {
        ok = platform.ReadPlace(node->place, items, halt);
      } catch (...) {
        kept = false;
      }
      const bool slow = IsSlow(std::chrono::steady_clock::now() - start, items.size());
      lock.lock();
      --listing;
      if (slow) ++stats.slowListings;
      // Mostly slow listings wait on a disk or a server: the whole pool pays. A few slow
      // ones are this thread waiting for a processor that other threads hold.
      if (poolListings.Count(slow)) slowSeen = true;
      if (ending) break;
      std::vector<std::shared_ptr<Node>> kids;
      if (kept && !node->dropped) {
        // Foreseeing calls back into the walk's tests: never after the walk has ended.
        lock.unlock();
        try {
          kids = Foresee(*node, items);
        } catch (...) {
          kept = false;
        }
        lock.lock();
        if (ending) break;
      }
      if (!kept) {
        // Out of memory on this thread: it ends, and the walk reads the folder itself,
        // where running out of memory ends the read with its message.
        node->state = Node::State::Unstarted;
        --heldFolders;
        done.notify_all();
        break;
      }
      if (!node->dropped) Attach(*node, kids);
      node->state = Node::State::Done;
      node->ok = ok;
      if (node->dropped) {
        --heldFolders;
        continue;
      }
      node->items = std::move(items);
      ++stats.listedAhead;
      Hold(*node);
      done.notify_all();
      work.notify_all();
    }
    --running;
    done.notify_all();
  }
};
