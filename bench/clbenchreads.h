#pragma once

#include <cstdint>
#include <string>

// One measured read of the benchmark tree, run in a process of its own.
struct clBenchResult {
  double seconds = 0;
  uint64_t entries = 0;
  double longestStallMs = 0;  // window read: longest time the main thread stayed away
};

// The three reads the benchmark compares.
class clBenchReads {
 public:
  // The walk alone.
  static clBenchResult Walk(const std::string& tree);
  // Walk, CSV file and full text file through the real writers; progress counted on
  // the same thread, handed to nobody.
  static clBenchResult Core(const std::string& tree, const std::string& outputFolder);
  // `tree -a -n --noreport -o FILE` on the same tree: what a plain command-line tool
  // takes for a listing of the same entries.
  static clBenchResult Tree(const std::string& tree, const std::string& outputFolder);
  // The real main window: StartReading to OnReadComplete, CSV and text on, messages
  // and openings off.
  static clBenchResult Window(const std::string& tree, const std::string& outputFolder, int argc,
                              char** argv);
};
