#include "clbenchoptions.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace {

bool ParseConditions(const std::string& list, std::vector<clBenchCondition::clKind>& conditions) {
  conditions.clear();
  for (std::size_t at = 0; at <= list.size();) {
    const std::size_t comma = std::min(list.find(',', at), list.size());
    clBenchCondition::clKind kind;
    if (!clBenchCondition::Parse(list.substr(at, comma - at), kind)) return false;
    if (std::find(conditions.begin(), conditions.end(), kind) == conditions.end()) {
      conditions.push_back(kind);
    }
    at = comma + 1;
  }
  return !conditions.empty();
}

}  // namespace

bool clBenchOptions::Parse(int argc, char** argv) {
  trees = std::filesystem::temp_directory_path().string() + "/kdx-bench-trees";
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool valued = i + 1 < argc;
    if (arg == "--size" && valued) {
      size = argv[++i];
      if (Entries() == 0) return false;
    } else if (arg == "--runs" && valued) {
      runs = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--trees" && valued) {
      trees = argv[++i];
    } else if (arg == "--no-xvfb") {
      xvfb = false;
    } else if (arg == "--conditions" && valued) {
      if (!ParseConditions(argv[++i], conditions)) return false;
    } else if (arg == "--share-ms" && valued) {
      shareMs = std::max(0.0, std::atof(argv[++i]));
    } else if (arg == "--share-runs" && valued) {
      shareRuns = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--windows" && valued) {
      windows = argv[++i];
    } else {
      return false;
    }
  }
  return true;
}

const char* clBenchOptions::Usage() {
  return "usage: kdx_bench [--size 10k|200k|1m] [--runs N] [--trees DIR] [--no-xvfb]\n"
         "                 [--conditions free,onecore,busy] [--share-ms MS] [--share-runs N]\n"
         "                 [--windows BUILD_DIR]\n";
}

uint64_t clBenchOptions::Entries() const {
  if (size == "10k") return 10'000;
  if (size == "200k") return 200'000;
  if (size == "1m" || size == "1M") return 1'000'000;
  return std::strtoull(size.c_str(), nullptr, 10);
}

std::string clBenchOptions::TreeFolder() const {
  return trees + "/tree-" + std::to_string(Entries());
}
