#include "clbenchtable.h"

#include <cstdio>

namespace {

double Median(const clBenchPlan& plan, const std::string& read, const std::string& variant,
              bool processor = false) {
  for (const auto& row : plan.Rows()) {
    if (row.read == read && row.variant == variant) {
      return processor ? row.ProcessorMedian() : row.Median();
    }
  }
  return 0;
}

// "a/b 0.93", or "a/b -" when either side was not measured.
std::string Ratio(const char* name, double over, double under) {
  char text[64];
  if (over > 0 && under > 0) {
    std::snprintf(text, sizeof text, "%s %.2f", name, over / under);
  } else {
    std::snprintf(text, sizeof text, "%s -", name);
  }
  return text;
}

}  // namespace

std::string clBenchTable::Label(const clBenchRow& row) {
  std::string label;
  if (row.read == "tree") return "tree -a -n --noreport -o";
  if (row.read == "walk") label = "walk";
  if (row.read == "core") label = "core read";
  if (row.read == "window") label = "window read (offscreen)";
  if (row.read == "window-xvfb") label = "window read (Xvfb)";
  if (row.read == "win-walk") label = "Windows walk (Wine)";
  if (row.read == "win-core") label = "Windows core read (Wine)";
  if (row.read == "win-window") label = "Windows window read (Wine)";
  return label + ", " + row.variant;
}

void clBenchTable::Print(const clBenchPlan& plan) {
  std::printf("\n%s\n%-38s %10s %10s %12s %12s %14s\n", plan.Title().c_str(), "read", "median s",
              "cpu s", "entries/s", "peak RSS MB", "longest stall");
  uint64_t entries = 0;
  for (const auto& row : plan.Rows()) {
    if (row.seconds.empty()) continue;
    if (row.read == "walk") entries = row.entries;
    const double median = row.Median();
    char stall[32] = "-";
    if (row.read.find("window") != std::string::npos) {
      std::snprintf(stall, sizeof stall, "%.1f ms", row.stallMs);
    }
    std::printf("%-38s %10.3f %10.3f %12.0f %12.1f %14s\n", Label(row).c_str(), median,
                row.ProcessorMedian(), median > 0 ? static_cast<double>(row.entries) / median : 0.0,
                static_cast<double>(row.peakKb) / 1024.0, stall);
  }
  const double tree = Median(plan, "tree", "");
  for (const char* variant : {"alone", "read-ahead"}) {
    const double walk = Median(plan, "walk", variant);
    const double core = Median(plan, "core", variant);
    const double window = Median(plan, "window", variant);
    std::string line = Ratio("core/walk", core, walk) + ", " + Ratio("window/core", window, core) +
                       ", " +
                       Ratio("cpu window/core", Median(plan, "window", variant, true),
                             Median(plan, "core", variant, true));
    const double xvfb = Median(plan, "window-xvfb", variant);
    if (xvfb > 0) line += " (" + Ratio("Xvfb", xvfb, core) + ")";
    if (tree > 0) {
      line += ", " + Ratio("window/tree", window, tree) + ", " + Ratio("core/tree", core, tree);
    }
    std::printf("ratios, %-10s %s\n", variant, line.c_str());
    const double winCore = Median(plan, "win-core", variant);
    if (winCore > 0) {
      std::printf("Windows, %-9s %s, %s, %s\n", variant,
                  Ratio("core/walk", winCore, Median(plan, "win-walk", variant)).c_str(),
                  Ratio("window/core", Median(plan, "win-window", variant), winCore).c_str(),
                  Ratio("cpu window/core", Median(plan, "win-window", variant, true),
                        Median(plan, "win-core", variant, true))
                      .c_str());
    }
  }
  std::string gain;
  for (const char* read : {"walk", "core", "window"}) {
    if (!gain.empty()) gain += ", ";
    gain += Ratio(read, Median(plan, read, "alone"), Median(plan, read, "read-ahead"));
  }
  std::printf("read-ahead gain (alone/read-ahead): %s\n", gain.c_str());
  std::printf("(%d runs each, %llu entries)\n", plan.Runs(),
              static_cast<unsigned long long>(entries));
}
