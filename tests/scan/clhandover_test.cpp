#include "scan/clhandover.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <optional>
#include <thread>
#include <vector>

#include "clonecore.h"

namespace {

using Clock = clHandOver::Clock;

// What a side has done after a wait: watched and seen the answer, or slept.
struct Tally {
  unsigned long watched;
  unsigned long slept;
  bool operator==(const Tally&) const = default;
};

Tally Of(const clHandOver::clSide& side) { return {side.watchedAnswers, side.sleeps}; }

}  // namespace

// A watch that had to give up sends the side to sleep without watching for the next
// waits, twice as many after each further failure; an answer seen while watching makes
// the side watch every time again. Waits that find no answer end at a deadline already
// past, so nothing here depends on time.
TEST(clHandOver, AFailedWatchSendsTheSideToSleepForLongerEachTime) {
  clHandOver handOver;
  clHandOver::clSide side;
  const auto never = [] { return false; };
  const auto past = Clock::now();

  EXPECT_FALSE(handOver.Await(side, never, past));  // watches, fails, sleeps
  EXPECT_EQ(side.sleepsLeft, 1);
  EXPECT_FALSE(handOver.Await(side, never, past));  // sleeps at once
  EXPECT_EQ(side.sleepsLeft, 0);
  EXPECT_FALSE(handOver.Await(side, never, past));  // watches again, fails
  EXPECT_EQ(side.sleepsLeft, 2);
  EXPECT_EQ(Of(side), (Tally{0, 3}));

  handOver.Await(side, never, past);
  handOver.Await(side, never, past);
  // The answer comes at the third look of the watch that follows.
  int looks = 0;
  EXPECT_TRUE(handOver.Await(
      side, [&] { return ++looks >= 3; }, past));
  EXPECT_EQ(Of(side), (Tally{1, 5}));
  EXPECT_EQ(side.backOff, 1);
  EXPECT_EQ(side.sleepsLeft, 0);

  // An answer already there costs neither a watch nor a sleep.
  EXPECT_TRUE(handOver.Await(side, [] { return true; }));
  EXPECT_EQ(Of(side), (Tally{1, 5}));
}

// The backing off has a limit, so that a side tries a watch again now and then when a
// core may have become free.
TEST(clHandOver, SleepsBetweenWatchesAreBounded) {
  clHandOver handOver;
  clHandOver::clSide side;
  const auto past = Clock::now();
  int most = 0;
  for (int wait = 0; wait < 5000; ++wait) {
    handOver.Await(
        side, [] { return false; }, past);
    most = std::max(most, side.sleepsLeft);
  }
  EXPECT_GT(most, 1);
  EXPECT_LE(most, 256);
}

// Two threads on one processor hand a count back and forth; each waits for the other's
// step through the hand-over. Every step arrives, in order, whether the threads run on
// one processor or on several.
TEST(clHandOver, TwoThreadsOnOneProcessorHandEveryStepOver) {
  for (bool oneCore : {true, false}) {
    SCOPED_TRACE(oneCore ? "one processor" : "as the system schedules");
    std::optional<clOneCore> confinement;
    if (oneCore) confinement.emplace();
    constexpr int kSteps = 3000;
    clHandOver handOver;
    std::atomic<int> turn{0};  // even: the first thread's step; odd: the second's
    std::vector<int> seenByFirst;
    std::vector<int> seenBySecond;
    std::thread second([&] {
      clHandOver::clSide side;
      for (int step = 1; step < 2 * kSteps; step += 2) {
        handOver.Await(side, [&] { return turn.load(std::memory_order_seq_cst) == step; });
        seenBySecond.push_back(step);
        turn.store(step + 1, std::memory_order_seq_cst);
        handOver.Notify();
      }
    });
    clHandOver::clSide side;
    for (int step = 0; step < 2 * kSteps; step += 2) {
      handOver.Await(side, [&] { return turn.load(std::memory_order_seq_cst) == step; });
      seenByFirst.push_back(step);
      turn.store(step + 1, std::memory_order_seq_cst);
      handOver.Notify();
    }
    second.join();
    ASSERT_EQ(seenByFirst.size(), static_cast<std::size_t>(kSteps));
    ASSERT_EQ(seenBySecond.size(), static_cast<std::size_t>(kSteps));
    for (int i = 0; i < kSteps; ++i) {
      EXPECT_EQ(seenByFirst[i], 2 * i);
      EXPECT_EQ(seenBySecond[i], 2 * i + 1);
    }
  }
}
