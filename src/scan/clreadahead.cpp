#include "scan/clreadahead.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "scan/clreadaheadshared.h"

namespace {

// How long the end of a walk waits for a listing that does not come back (a file system
// that stopped answering) before it leaves that thread behind.
constexpr auto kLongestEndingWait = std::chrono::milliseconds(200);
// How often the walk, waiting for a listing, looks whether a stop was requested.
constexpr auto kStopLook = std::chrono::milliseconds(5);

}  // namespace

clReadAhead::clReadAhead(clFilePlatform& platform, const std::atomic<bool>& stop,
                         EnterTest wouldEnter, Limits limits)
    : shared(std::make_shared<Shared>(platform, stop, std::move(wouldEnter), limits)),
      processors(platform.Processors()),
      walkListings(limits.slowToStart) {}

clReadAhead::~clReadAhead() {
  std::unique_lock<std::mutex> lock(shared->mutex);
  shared->ending = true;
  shared->halt.store(true);
  shared->work.notify_all();
  // Every thread ends at once, but one inside a listing that never returns: after a short
  // wait it is left behind, holding only the shared state.
  shared->done.wait(lock, [&] { return shared->running == shared->listing; });
  shared->done.wait_for(lock, kLongestEndingWait, [&] { return shared->running == 0; });
  const bool allEnded = shared->running == 0;
  lock.unlock();
  for (std::thread& thread : pool) {
    if (allEnded) {
      thread.join();
    } else {
      thread.detach();
    }
  }
}

void clReadAhead::EnterRoot(const clFolderPlace& place, uint64_t device, uint64_t inode) {
  {
    const std::lock_guard<std::mutex> lock(shared->mutex);
    shared->root = std::make_shared<Node>();
    shared->root->place = place;
    shared->root->id = {device, inode};
    if (device != 0 || inode != 0) shared->foreseen.insert(shared->root->id);
    shared->current = shared->root.get();
  }
}

void clReadAhead::GrowPool(unsigned count) {
  count = std::min(count, shared->limits.threads);
  if (count <= poolGoal) return;
  poolGoal = count;  // asked once: a thread that cannot start is not asked for again
  while (pool.size() < count) {
    {
      const std::lock_guard<std::mutex> lock(shared->mutex);
      ++shared->running;
    }
    try {
      pool.emplace_back([state = shared] { state->Work(); });
    } catch (...) {
      // Fewer threads than asked for: the walk reads what they do not.
      const std::lock_guard<std::mutex> lock(shared->mutex);
      --shared->running;
      break;
    }
  }
  const std::lock_guard<std::mutex> lock(shared->mutex);
  shared->stats.started = true;
  shared->stats.threads = static_cast<unsigned>(pool.size());
}

void clReadAhead::ChoosePool(std::chrono::steady_clock::duration took, std::size_t items) {
  // Once a pool runs, the walk lists only what it has not reached yet; how slow those
  // listings are, the pool's own tell (see Read).
  if (PoolStarted()) return;
  const Limits& limits = shared->limits;
  if (walkListings.Count(shared->IsSlow(took, items))) {
    GrowPool(limits.threads);
    return;
  }
  walkTime += took;
  if (processors >= 2 && walkTime >= limits.warmListings) {
    GrowPool(processors * limits.threadsPerProcessor);
  }
}

clFolderPlace clReadAhead::Enter(const clFolderItem& item, std::string path) {
  const std::string& name = item.name;
  std::unique_lock<std::mutex> lock(shared->mutex);
  Node& folder = *shared->current;
  const clFolderId id{item.device, item.inode};
  // Of the foreseen folders, the very item: names may read alike (on Windows).
  std::size_t found = folder.next;
  while (found < folder.kids.size() &&
         (folder.kids[found]->name != name || !(folder.kids[found]->id == id))) {
    ++found;
  }
  if (found < folder.kids.size()) {
    // The foreseen folders before it are ones the walk passes without entering.
    for (std::size_t i = folder.next; i < found; ++i) {
      shared->Drop(*folder.kids[i]);
      folder.kids[i].reset();
    }
    folder.next = found + 1;
    shared->current = folder.kids[found].get();
    shared->work.notify_all();
    return shared->current->place;
  }
  // Not foreseen: placed here, and read by the walk itself.
  lock.unlock();
  auto node = std::make_shared<Node>();
  node->place = shared->platform.ChildPlace(folder.place, item, std::move(path));
  node->name = name;
  node->parent = &folder;
  node->id = id;
  node->isLink = item.isLink;
  clFolderPlace place = node->place;
  lock.lock();
  folder.kids.insert(folder.kids.begin() + static_cast<std::ptrdiff_t>(folder.next), node);
  ++folder.next;
  shared->current = node.get();
  return place;
}

bool clReadAhead::Read(std::vector<clFolderItem>& items) {
  std::unique_lock<std::mutex> lock(shared->mutex);
  Node& node = *shared->current;
  while (node.state == Node::State::Reading) {
    shared->done.wait_for(lock, kStopLook);
    // A stop ends the listing under way early, as the walk's own would end.
    if (shared->Stopped()) shared->halt.store(true);
  }
  if (node.state == Node::State::Done) {
    items = std::move(node.items);
    node.items = {};
    node.taken = true;
    Shared::LetPathGo(node);
    shared->Release(node);
    ++shared->stats.taken;
    shared->work.notify_all();
    const bool ok = node.ok;
    const bool grow = shared->slowSeen;
    lock.unlock();
    if (grow) GrowPool(shared->limits.threads);
    return ok;
  }
  // Nobody lists it: the walk reads it as it would without read-ahead.
  node.state = Node::State::Reading;
  node.byWalk = true;
  lock.unlock();
  const auto start = std::chrono::steady_clock::now();
  const bool ok = shared->platform.ReadPlace(node.place, items, shared->stop);
  ChoosePool(std::chrono::steady_clock::now() - start, items.size());
  // Until the pool runs, nothing is foreseen: a fast walk pays for nothing.
  std::vector<std::shared_ptr<Node>> kids;
  if (PoolStarted()) kids = shared->Foresee(node, items);
  lock.lock();
  node.state = Node::State::Done;
  node.taken = true;
  node.ok = ok;
  shared->Attach(node, kids);
  Shared::LetPathGo(node);
  shared->work.notify_all();
  return ok;
}

void clReadAhead::Leave() {
  const std::lock_guard<std::mutex> lock(shared->mutex);
  Node* folder = shared->current;
  for (std::size_t i = folder->next; i < folder->kids.size(); ++i) {
    if (folder->kids[i]) shared->Drop(*folder->kids[i]);
  }
  folder->kids.clear();
  Node* parent = folder->parent;
  shared->current = parent;
  if (parent != nullptr) parent->kids[parent->next - 1].reset();
  shared->work.notify_all();
}

clReadAhead::Stats clReadAhead::GetStats() const {
  const std::lock_guard<std::mutex> lock(shared->mutex);
  return shared->stats;
}
