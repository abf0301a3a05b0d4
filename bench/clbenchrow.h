#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// One row of a benchmark table: one read in one variant ("alone", "read-ahead"), with
// what each of its runs measured.
struct clBenchRow {
  clBenchRow(std::string readValue, std::string variantValue)
      : read(std::move(readValue)), variant(std::move(variantValue)) {}

  std::string read;     // "tree", "walk", "core", "window", "window-xvfb"
  std::string variant;  // "alone", "read-ahead"; empty for the peer
  std::vector<double> seconds;
  std::vector<double> processorSeconds;  // user + system, of each run
  uint64_t entries = 0;
  long peakKb = 0;
  double stallMs = 0;

  double Median() const { return MedianOf(seconds); }
  double ProcessorMedian() const { return MedianOf(processorSeconds); }

  static double MedianOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
  }
};
