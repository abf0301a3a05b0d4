#include "clbenchplan.h"

#include <cstdio>
#include <utility>

namespace {

const char* const kOffscreen = "QT_QPA_PLATFORM=offscreen";

}  // namespace

clBenchPlan::clBenchPlan(std::string titleValue, std::string folderValue, std::string prefixValue)
    : title(std::move(titleValue)),
      folder(std::move(folderValue)),
      prefix(std::move(prefixValue)) {}

void clBenchPlan::Add(const std::string& mode, const std::string& variant,
                      std::vector<std::string> environment) {
  rows.emplace_back(mode, variant);
  environments.push_back(std::move(environment));
}

void clBenchPlan::AddPeer() { Add("tree", "", {kOffscreen}); }

void clBenchPlan::AddReads(const std::vector<std::string>& extra) {
  for (const char* mode : {"walk", "core", "window"}) {
    // KDX_BENCH_READAHEAD=0 lists no folder ahead; unset, the walker makes its own choice.
    std::vector<std::string> alone{kOffscreen, "KDX_BENCH_READAHEAD=0"};
    std::vector<std::string> ahead{kOffscreen};
    alone.insert(alone.end(), extra.begin(), extra.end());
    ahead.insert(ahead.end(), extra.begin(), extra.end());
    Add(mode, "alone", std::move(alone));
    Add(mode, "read-ahead", std::move(ahead));
  }
}

void clBenchPlan::AddWindowsReads() {
  for (const char* mode : {"win-walk", "win-core", "win-window"}) {
    Add(mode, "alone", {"KDX_BENCH_READAHEAD=0"});
    Add(mode, "read-ahead", {});
  }
}

void clBenchPlan::AddXvfbWindow(const std::string& displayVariable) {
  Add("window-xvfb", "read-ahead", {"QT_QPA_PLATFORM=xcb", displayVariable});
}

bool clBenchPlan::Run(const clBenchRunner& runner, int count, const std::function<bool()>& before) {
  runs = count;
  std::vector<bool> failed(rows.size(), false);
  for (int run = 0; run < count; ++run) {
    for (std::size_t r = 0; r < rows.size(); ++r) {
      if (failed[r]) continue;
      if (before && !before()) return false;
      const std::string mode = rows[r].read == "window-xvfb" ? "window" : rows[r].read;
      if (runner.Run(mode, folder, environments[r], prefix, rows[r])) continue;
      std::fprintf(stderr, "%s: %s %s run failed\n", title.c_str(), rows[r].read.c_str(),
                   rows[r].variant.c_str());
      // The peers (tree, the window under Xvfb) may be missing or fail; KDX's reads may not.
      if (rows[r].read != "tree" && rows[r].read != "window-xvfb") return false;
      failed[r] = true;
      rows[r].seconds.clear();
    }
  }
  return true;
}
