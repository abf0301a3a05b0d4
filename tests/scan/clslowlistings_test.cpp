// Telling listings that wait from listings held up once.
#include "scan/clslowlistings.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// Counts listings given as "s" (slow) and "f" (fast); returns after which of them (from 1)
// listings were first mostly slow, 0 if never.
int FirstMostlySlow(unsigned need, const std::string& listings) {
  clSlowListings watch(need);
  for (std::size_t i = 0; i < listings.size(); ++i) {
    if (watch.Count(listings[i] == 's')) return static_cast<int>(i) + 1;
  }
  return 0;
}

}  // namespace

TEST(clSlowListings, OnlyListingsThatAreMostlySlowCount) {
  const std::string fast64(64, 'f');
  struct Case {
    const char* name;
    unsigned need;
    std::string listings;
    int first;
  };
  const Case cases[] = {
      {"slow from the start", 3, "sssf", 3},
      {"one held up among fast ones", 3, "ffsffffsfffffffs", 0},
      {"slow ones scattered through many runs", 3, fast64 + "sfs" + fast64 + "sfs", 0},
      {"fast listings first, then slow ones", 3, "fffffsssssss", 10},
      {"a run's fast listings are forgotten in the next", 3, fast64 + "sss", 67},
      {"one slow listing is enough where one is asked for", 1, "fs", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FirstMostlySlow(c.need, c.listings), c.first);
  }
}
