#pragma once

#include <string>
#include <utility>
#include <vector>

#include "clbenchrow.h"

// Runs each measured read in a process of its own (the benchmark itself with --child), so
// its peak resident memory, its environment and its confinement are its own. The child
// prints one line, "seconds entries peakKb stallMs", that the parent adds to a row.
class clBenchRunner {
 public:
  clBenchRunner();

  // The child's side: runs the read `mode` names on `folder` and prints its line.
  static int Child(const std::string& mode, const std::string& folder, int argc, char** argv);

  // The Windows build (its build folder) whose reads the "win-" modes run under Wine, in
  // the prefix and on the display its tests use.
  void SetWindowsBuild(std::string folder) { windowsBuild = std::move(folder); }

  // Runs `mode` on `folder` once, the environment's variables set and `prefix` (e.g.
  // "taskset -c 0 ") before the command; false when the run failed.
  bool Run(const std::string& mode, const std::string& folder,
           const std::vector<std::string>& environment, const std::string& prefix,
           clBenchRow& row) const;

 private:
  std::string self;
  std::string windowsBuild;
};
