#pragma once

#include <cstdint>
#include <string>

#include "scan/clreadahead.h"

// One measured read of the benchmark tree, run in a process of its own.
struct clBenchResult {
  double seconds = 0;
  uint64_t entries = 0;
  double longestStallMs = 0;    // window read: longest time the main thread stayed away
  double processorSeconds = 0;  // user and system time of the whole process during the read
};

class clFilePlatform;
class clSoftOption;

// The three reads of KDX the benchmark compares.
class clBenchReads {
 public:
  // The read-ahead as the environment sets it by hand (KDX_BENCH_READAHEAD,
  // KDX_BENCH_SLOW_US), else as the program reads.
  static clReadAhead::Limits ReadAheadLimits();
  static clFilePlatform& Platform();
  // The settings of a window read: CSV and text into `outputFolder`, every filter open,
  // no box, nothing opened, no time-out.
  static void UseWindowOptions(clSoftOption& option, const std::string& outputFolder);
  // User and system time this process has used so far, all its threads together.
  static double ProcessorSeconds();
  // The walk alone.
  static clBenchResult Walk(const std::string& tree);
  // Walk, CSV file and full text file through the real writers; progress counted on
  // the same thread, handed to nobody.
  static clBenchResult Core(const std::string& tree, const std::string& outputFolder);
  // The real main window: StartReading to OnReadComplete, CSV and text on, messages
  // and openings off.
  static clBenchResult Window(const std::string& tree, const std::string& outputFolder, int argc,
                              char** argv);
};
