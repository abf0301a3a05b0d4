#pragma once

#include <atomic>
#include <chrono>
#if !defined(_WIN32)
#include <condition_variable>
#include <mutex>
#endif

// Where a thread sleeps until a condition that another thread makes true holds, with the
// platform's own waiting: on Windows the system's slim lock and condition variable (a
// sleep and a wake there cost no kernel object of their own), elsewhere the standard
// library's mutex and condition variable.
//
// The condition (`ready` below) is the caller's own: atomics stored before Wake with
// sequentially consistent order, and loaded the same way by `ready`. Wake costs no
// system call while nobody sleeps.
class clSleepPoint {
 public:
  using Clock = std::chrono::steady_clock;

  clSleepPoint() = default;
  clSleepPoint(const clSleepPoint&) = delete;
  clSleepPoint& operator=(const clSleepPoint&) = delete;

  // Sleeps until `ready()` holds or `deadline` has passed; returns whether it holds.
  template <typename Ready>
  bool SleepUntil(Ready& ready, Clock::time_point deadline) {
    Lock();
    // Counted before `ready` is tested: a waker that changed the condition after the
    // test sees the sleeper, and takes the lock, so its wake comes after the sleep began.
    sleepers.fetch_add(1, std::memory_order_seq_cst);
    bool held = ready();
    while (!held) {
      const bool woken = SleepOnce(deadline);
      held = ready();
      if (!woken) break;
    }
    sleepers.fetch_sub(1, std::memory_order_relaxed);
    Unlock();
    return held;
  }

  // Called after changing what a sleeper's `ready` tests: wakes it if it sleeps.
  void Wake() {
    if (sleepers.load(std::memory_order_seq_cst) == 0) return;
    Lock();
    Unlock();
    WakeAll();
  }

 private:
#if defined(_WIN32)
  void Lock();
  void Unlock();
  // Sleeps once, the lock held, until woken or `deadline`; false once the deadline passed.
  bool SleepOnce(Clock::time_point deadline);
  void WakeAll();

  void* lock = nullptr;       // an SRWLOCK, SRWLOCK_INIT
  void* condition = nullptr;  // a CONDITION_VARIABLE, CONDITION_VARIABLE_INIT
#else
  void Lock() { mutex.lock(); }
  void Unlock() { mutex.unlock(); }
  bool SleepOnce(Clock::time_point deadline) {
    std::unique_lock<std::mutex> held(mutex, std::adopt_lock);
    bool woken = true;
    if (deadline == Clock::time_point::max()) {
      changed.wait(held);
    } else {
      woken = changed.wait_until(held, deadline) == std::cv_status::no_timeout;
    }
    held.release();
    return woken;
  }
  void WakeAll() { changed.notify_all(); }

  std::mutex mutex;
  std::condition_variable changed;
#endif
  std::atomic<int> sleepers{0};
};
