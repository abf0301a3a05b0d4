#pragma once

#include <string>

#include "clbenchreads.h"

// The common peer of the benchmark: `tree -a -n --noreport -o /dev/null` on the same folder.
class clBenchPeer {
 public:
  // Fails (throws) when tree is missing or fails.
  static clBenchResult Tree(const std::string& folder);
};
