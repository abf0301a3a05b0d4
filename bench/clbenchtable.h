#pragma once

#include <string>

#include "clbenchplan.h"

// Prints the table of one plan: per row the median time, entries per second, peak
// resident memory and (window reads) the longest time the main thread stayed away from
// its event loop; then the ratios between the reads, alone and with read-ahead, and what
// read-ahead gains.
class clBenchTable {
 public:
  static void Print(const clBenchPlan& plan);

 private:
  static std::string Label(const clBenchRow& row);
};
