#pragma once

// Tells listings that wait on a disk or a server from listings that were held up once
// (a thread that waited for its processor). Listings are counted in runs of 64; they are
// mostly slow once, in the current run, at least `need` and at least half of them were.
class clSlowListings {
 public:
  explicit clSlowListings(unsigned need) : need(need) {}

  // Counts one listing; returns whether listings are mostly slow.
  bool Count(bool slow) {
    if (seen == kRun) {
      seen = 0;
      slowOnes = 0;
    }
    ++seen;
    if (slow) ++slowOnes;
    return slowOnes >= need && 2 * slowOnes >= seen;
  }

 private:
  static constexpr unsigned kRun = 64;
  unsigned need;
  unsigned seen = 0;
  unsigned slowOnes = 0;
};
