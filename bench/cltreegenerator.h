#pragma once

#include <cstdint>
#include <string>

// Builds the benchmark's deterministic tree: folders nested up to depth 14, about 12
// files and 3 subfolders per folder, ASCII and Japanese names. The same size always
// gives the same tree; a finished tree is marked and reused.
class clTreeGenerator {
 public:
  // Makes (or reuses) a tree of about `entries` files and folders below `root`.
  // Returns the number of entries it holds.
  static uint64_t Ensure(const std::string& root, uint64_t entries);
};
