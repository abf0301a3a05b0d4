#pragma once

#include <chrono>

#include "platform/clsleeppoint.h"

// The waiting of two threads that hand work to each other many times a second, each
// waiting for the other's answer: the worker for the main thread to run its call, the
// main thread for the worker's next call.
//
// Watching for the answer (spinning) pays only while the other side runs on another
// core at that moment and answers within a few microseconds. On one core, or when the
// other side has lost its core to another program, the answer cannot come while this
// side holds the processor, and spinning only delays it; then the waiting side sleeps at
// once, which hands the processor straight to the other side. Each side learns which of
// the two holds from its own last waits: a watch that saw the answer keeps it watching;
// a watch that had to give up sends it to sleep without watching for the next few waits
// (twice as many after each further failure, up to a limit), and then it tries one watch
// again. So a read follows the machine as cores become free or busy, with nothing to set.
//
// The state both sides test (`ready` below) is the caller's own: atomics stored before
// Notify with sequentially consistent order, and loaded the same way by `ready`.
class clHandOver {
 public:
  using Clock = std::chrono::steady_clock;

  // What one side has learnt of its waits; each side keeps its own and is the only
  // thread that touches it.
  struct clSide {
    int sleepsLeft = 0;  // waits left that sleep without watching first
    int backOff = 1;     // sleeps after the next failed watch
    // For tests and the benchmark: how the waits went.
    unsigned long watchedAnswers = 0;
    unsigned long sleeps = 0;
  };

  // Waits until `ready()` holds or `deadline` has passed; returns whether it holds.
  template <typename Ready>
  bool Await(clSide& side, Ready ready, Clock::time_point deadline = Clock::time_point::max()) {
    if (ready()) return true;
    if (side.sleepsLeft > 0) {
      --side.sleepsLeft;
    } else if (Watch(ready, deadline)) {
      ++side.watchedAnswers;
      side.backOff = 1;
      return true;
    } else {
      side.sleepsLeft = side.backOff;
      side.backOff = side.backOff >= kMaxBackOff ? kMaxBackOff : side.backOff * 2;
    }
    ++side.sleeps;
    return sleepPoint.SleepUntil(ready, deadline);
  }

  // Called after changing what the other side's `ready` tests: wakes it if it sleeps.
  // Costs no system call while the other side is watching or busy.
  void Notify() { sleepPoint.Wake(); }

 private:
  // Sleeps after a failed watch, doubling up to this many.
  static constexpr int kMaxBackOff = 256;
  // A watch gives up after this long: the other side answers within a few microseconds
  // when it runs at all.
  static constexpr std::chrono::microseconds kWatch{30};
  // The clock is read once every so many looks.
  static constexpr int kLooksPerClockRead = 16;

  static void PauseProcessor() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#elif defined(__aarch64__)
    asm volatile("yield");
#endif
  }

  template <typename Ready>
  static bool Watch(Ready& ready, Clock::time_point deadline) {
    Clock::time_point end = Clock::now() + kWatch;
    if (deadline < end) end = deadline;
    for (;;) {
      for (int look = 0; look < kLooksPerClockRead; ++look) {
        if (ready()) return true;
        PauseProcessor();
      }
      if (Clock::now() >= end) return ready();
    }
  }

  clSleepPoint sleepPoint;  // the platform's own sleeping and waking
};
