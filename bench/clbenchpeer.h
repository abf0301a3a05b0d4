#pragma once

#include <string>

#include "clbenchreads.h"

// The common peer of the benchmark: `tree -a -n --noreport -o FILE` on the same folder,
// what a plain command-line lister takes for a listing of the same entries.
class clBenchPeer {
 public:
  // Lists `folder` into a file in `outputFolder` and counts the entries it lists (the
  // root's own line left out). Fails (throws) when tree is missing or fails.
  static clBenchResult Tree(const std::string& folder, const std::string& outputFolder);
};
