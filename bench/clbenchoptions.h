#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "clbenchcondition.h"

// What the benchmark's command line asks for:
//   kdx_bench [--size 10k|200k|1m] [--runs N] [--trees DIR] [--no-xvfb]
//             [--conditions free,onecore,busy] [--share-ms MS] [--share-runs N]
//             [--windows BUILD_DIR]
class clBenchOptions {
 public:
  // False for an argument it does not know; Usage() says what it takes.
  bool Parse(int argc, char** argv);
  static const char* Usage();

  uint64_t Entries() const;  // the size as a number of entries
  std::string TreeFolder() const;

  std::string size = "200k";
  int runs = 5;
  std::string trees;
  bool xvfb = true;
  std::vector<clBenchCondition::clKind> conditions{clBenchCondition::clKind::Free,
                                                   clBenchCondition::clKind::OneCore,
                                                   clBenchCondition::clKind::Busy};
  double shareMs = 2;   // 0 leaves the share out
  int shareRuns = 0;    // 0: as many as runs
  std::string windows;  // the Windows build whose reads run under Wine too; empty: none
};
