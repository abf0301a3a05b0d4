// The KDX benchmark: builds a deterministic tree and compares the walk, the core read
// and the real window read on it. Every measured run is a process of its own, so its
// peak resident memory is its own.
//
// Each read runs with folders listed ahead and without, on the local tree and on the
// simulated share (kdx_share over the same tree; every run on a fresh mount), beside
// `tree -a -n --noreport -o /dev/null` on the same folder.
//
//   kdx_bench [--size 10k|200k|1m] [--runs N] [--trees DIR] [--no-xvfb] [--share-ms MS]
//             [--share-runs N]

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "clbenchpeer.h"
#include "clbenchreads.h"
#include "clbenchshare.h"
#include "cltreegenerator.h"

namespace {

long PeakResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return 0;
}

// Child: runs one read and prints one line "seconds entries peakKb stallMs".
int RunChild(const std::string& mode, const std::string& tree, int argc, char** argv) {
  const std::string output = std::filesystem::temp_directory_path().string() + "/kdx-bench-out-" +
                             std::to_string(::getpid());
  std::filesystem::create_directories(output);
  clBenchResult result;
  if (mode == "tree") {
    result = clBenchPeer::Tree(tree);
  } else if (mode == "walk") {
    result = clBenchReads::Walk(tree);
  } else if (mode == "core") {
    result = clBenchReads::Core(tree, output);
  } else {
    result = clBenchReads::Window(tree, output, argc, argv);
  }
  std::filesystem::remove_all(output);
  std::printf("%.6f %llu %ld %.3f\n", result.seconds,
              static_cast<unsigned long long>(result.entries), PeakResidentKb(),
              result.longestStallMs);
  return 0;
}

struct Measured {
  explicit Measured(std::string label) : name(std::move(label)) {}
  std::string name;
  std::vector<double> seconds;
  uint64_t entries = 0;
  long peakKb = 0;
  double stallMs = 0;
  double Median() const {
    std::vector<double> sorted = seconds;
    std::sort(sorted.begin(), sorted.end());
    return sorted.empty() ? 0 : sorted[sorted.size() / 2];
  }
};

bool RunOnce(const std::string& self, const std::string& mode, const std::string& tree,
             const std::vector<std::string>& environment, Measured& measured) {
  std::string command;
  for (const auto& variable : environment) command += variable + " ";
  command += "'" + self + "' --child " + mode + " '" + tree + "'";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return false;
  double seconds = 0, stall = 0;
  unsigned long long entries = 0;
  long peak = 0;
  const int fields = std::fscanf(pipe, "%lf %llu %ld %lf", &seconds, &entries, &peak, &stall);
  const int status = ::pclose(pipe);
  if (fields != 4 || status != 0) return false;
  measured.seconds.push_back(seconds);
  measured.entries = entries;
  measured.peakKb = std::max(measured.peakKb, peak);
  measured.stallMs = std::max(measured.stallMs, stall);
  return true;
}

uint64_t ParseSize(const std::string& text) {
  if (text == "10k") return 10'000;
  if (text == "200k") return 200'000;
  if (text == "1m" || text == "1M") return 1'000'000;
  return std::strtoull(text.c_str(), nullptr, 10);
}

// Starts Xvfb on a free display; returns its process id, or 0.
pid_t StartXvfb(std::string& display) {
  if (std::system("command -v Xvfb >/dev/null 2>&1") != 0) return 0;
  for (int number = 90; number < 110; ++number) {
    if (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number))) continue;
    display = ':';
    display += std::to_string(number);
    const pid_t pid = ::fork();
    if (pid == 0) {
      ::execlp("Xvfb", "Xvfb", display.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
               static_cast<char*>(nullptr));
      ::_exit(127);
    }
    for (int i = 0; i < 50; ++i) {
      if (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number))) return pid;
      ::usleep(100'000);
    }
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 4 && std::string(argv[1]) == "--child") return RunChild(argv[2], argv[3], argc, argv);

  std::string size = "200k";
  int runs = 5;
  std::string trees = std::filesystem::temp_directory_path().string() + "/kdx-bench-trees";
  bool xvfb = true;
  double shareMs = 2;
  int shareRuns = 0;  // 0: as many as --runs
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--size" && i + 1 < argc)
      size = argv[++i];
    else if (arg == "--runs" && i + 1 < argc)
      runs = std::max(1, std::atoi(argv[++i]));
    else if (arg == "--trees" && i + 1 < argc)
      trees = argv[++i];
    else if (arg == "--no-xvfb")
      xvfb = false;
    else if (arg == "--share-ms" && i + 1 < argc)
      shareMs = std::atof(argv[++i]);
    else if (arg == "--share-runs" && i + 1 < argc)
      shareRuns = std::max(1, std::atoi(argv[++i]));
    else {
      std::fprintf(stderr,
                   "usage: kdx_bench [--size 10k|200k|1m] [--runs N] [--trees DIR] [--no-xvfb] "
                   "[--share-ms MS] [--share-runs N]\n");
      return 2;
    }
  }
  const uint64_t wanted = ParseSize(size);
  const std::string tree = trees + "/tree-" + std::to_string(wanted);
  std::printf("tree %s: ", tree.c_str());
  std::fflush(stdout);
  const uint64_t made = clTreeGenerator::Ensure(tree, wanted);
  std::printf("%llu entries\n", static_cast<unsigned long long>(made));

  const std::string self = std::filesystem::canonical("/proc/self/exe").string();
  std::vector<Measured> rows;
  const std::vector<std::string> offscreen{"QT_QPA_PLATFORM=offscreen"};
  const std::vector<std::string> alone{"QT_QPA_PLATFORM=offscreen", "KDX_BENCH_READAHEAD=0"};
  // One warm-up walk so every mode meets the same file-system cache.
  Measured warmUp("warm-up");
  RunOnce(self, "walk", tree, offscreen, warmUp);
  const char* modes[] = {"walk", "core", "window"};
  const char* labels[] = {"walk", "core read", "window read (offscreen)"};
  // Rows: tree, then each read without read-ahead and with it. `before` runs ahead of
  // every run (a fresh mount).
  auto measure = [&](const std::string& place, const std::string& folder,
                     std::vector<std::string> extra, int count, const std::function<bool()>& before,
                     bool withTree) {
    std::vector<std::pair<std::string, std::vector<std::string>>> plan;
    if (withTree) plan.push_back({"tree", offscreen});
    for (int m = 0; m < 3; ++m) {
      std::vector<std::string> without = alone, with = offscreen;
      without.insert(without.end(), extra.begin(), extra.end());
      with.insert(with.end(), extra.begin(), extra.end());
      plan.push_back({modes[m], without});
      plan.push_back({modes[m], with});
    }
    const std::size_t first = rows.size();
    for (std::size_t p = 0; p < plan.size(); ++p) {
      const std::string& mode = plan[p].first;
      std::string label =
          mode == "tree" ? std::string("tree -a -n") : labels[(p - (withTree ? 1 : 0)) / 2];
      if (mode != "tree") label += (p - (withTree ? 1 : 0)) % 2 == 0 ? ", alone" : ", read-ahead";
      rows.emplace_back(place + ": " + label);
    }
    for (int run = 0; run < count; ++run) {
      for (std::size_t p = 0; p < plan.size(); ++p) {
        if (before && !before()) return false;
        if (!RunOnce(self, plan[p].first, folder, plan[p].second, rows[first + p])) {
          std::fprintf(stderr, "%s run failed\n", rows[first + p].name.c_str());
          return false;
        }
      }
    }
    return true;
  };
  if (!measure("local", tree, {}, runs, nullptr, true)) return 1;

  if (shareMs > 0) {
    const auto delay = static_cast<unsigned>(shareMs * 1000);
    const int count = shareRuns > 0 ? shareRuns : runs;
    clBenchShare share(tree, trees + "/share-" + std::to_string(::getpid()), delay);
    std::string why;
    if (share.Remount(why)) {
      std::printf("share: kdx_share over the tree, %.1f ms per listing and per uncached lookup\n",
                  shareMs);
      std::fflush(stdout);
      measure(
          "share", share.MountPoint(), {}, count, [&] { return share.Remount(why); }, true);
      share.Unmount();
    } else {
      std::printf(
          "share: %s; the same delay is injected in the platform layer instead (no "
          "tree peer)\n",
          why.c_str());
      std::fflush(stdout);
      measure("share (platform delay)", tree, {"KDX_BENCH_DELAY_US=" + std::to_string(delay)},
              count, nullptr, false);
    }
  }

  std::string display;
  const pid_t server = xvfb ? StartXvfb(display) : 0;
  if (server) {
    rows.emplace_back("local: window read (Xvfb), read-ahead");
    for (int run = 0; run < runs; ++run) {
      if (!RunOnce(self, "window", tree, {"QT_QPA_PLATFORM=xcb", "DISPLAY=" + display},
                   rows.back())) {
        std::fprintf(stderr, "window run under Xvfb failed\n");
        break;
      }
    }
    ::kill(server, SIGTERM);
    ::waitpid(server, nullptr, 0);
  }

  std::printf("\n%-48s %10s %12s %12s %14s\n", "read", "median s", "entries/s", "peak RSS MB",
              "longest stall");
  for (const auto& row : rows) {
    if (row.seconds.empty()) continue;
    const double median = row.Median();
    char stall[32] = "-";
    if (row.name.find("window") != std::string::npos)
      std::snprintf(stall, sizeof stall, "%.1f ms", row.stallMs);
    std::printf("%-48s %10.3f %12.0f %12.1f %14s\n", row.name.c_str(), median,
                median > 0 ? static_cast<double>(row.entries) / median : 0.0,
                static_cast<double>(row.peakKb) / 1024.0, stall);
  }
  auto median = [&](const std::string& name) {
    for (const auto& row : rows) {
      if (row.name == name) return row.Median();
    }
    return 0.0;
  };
  std::printf("\nratios (read-ahead): local window/tree %.2f; ",
              median("local: window read (offscreen), read-ahead") / median("local: tree -a -n"));
  const double shareTree = median("share: tree -a -n");
  const double shareCore = median("share: core read, read-ahead");
  if (shareTree > 0) {
    std::printf("share core/tree %.2f, window/core %.2f", shareCore / shareTree,
                median("share: window read (offscreen), read-ahead") / shareCore);
  }
  std::printf("\n");
  std::printf("(%d runs each locally, %d entries)\n", runs, static_cast<int>(rows[1].entries));
  return 0;
}
