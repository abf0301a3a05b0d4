#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "output/cloutputreport.h"

// What one read hands back to the window when it has completed, by value.
struct clReadResult {
  struct Box {
    std::string text;
    std::string caption;
  };

  // The walk ran to its end and the writers ran without an error: the window completes
  // the output run with `output`.
  bool outputRan = false;
  clOutputReport output;
  // The walk or the writers ran out of memory: the read ended early.
  bool outOfMemory = false;
  // Boxes the walk asked for, to be shown before the read's end.
  std::vector<Box> boxes;
  std::size_t entries = 0;  // in the structure list
  uint32_t outputCount = 0;
  uint16_t passCount = 0;
};
