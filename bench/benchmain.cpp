// The KDX benchmark: builds a deterministic tree and compares the walk, the core read,
// the real window read and `tree -a -n --noreport -o` on it, under each condition asked
// for: free cores, one core, busy cores. Every measured run is a process of its own, so
// its peak resident memory and its confinement are its own.
//
//   kdx_bench [--size 10k|200k|1m] [--runs N] [--trees DIR] [--no-xvfb]
//             [--conditions free,onecore,busy]

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "clbenchcondition.h"
#include "clbenchreads.h"
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
  if (mode == "walk") {
    result = clBenchReads::Walk(tree);
  } else if (mode == "tree") {
    result = clBenchReads::Tree(tree, output);
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
             const std::vector<std::string>& environment, Measured& measured,
             const std::string& prefix = std::string()) {
  std::string command;
  for (const auto& variable : environment) command += variable + " ";
  command += prefix;
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

// Prints the table of one condition.
void PrintTable(const std::string& title, const std::vector<Measured>& rows, int runs) {
  std::printf("\n%s\n%-26s %10s %12s %12s %14s\n", title.c_str(), "read", "median s", "entries/s",
              "peak RSS MB", "longest stall");
  for (const auto& row : rows) {
    if (row.seconds.empty()) continue;
    const double median = row.Median();
    char stall[32] = "-";
    if (row.name.rfind("window", 0) == 0)
      std::snprintf(stall, sizeof stall, "%.1f ms", row.stallMs);
    std::printf("%-26s %10.3f %12.0f %12.1f %14s\n", row.name.c_str(), median,
                median > 0 ? static_cast<double>(row.entries) / median : 0.0,
                static_cast<double>(row.peakKb) / 1024.0, stall);
  }
  const double walk = rows[0].Median(), core = rows[1].Median(), window = rows[2].Median();
  std::printf("ratios: core/walk %.2f, window/core %.2f (offscreen)", core / walk, window / core);
  if (rows.size() > 4 && !rows[4].seconds.empty()) {
    std::printf(", %.2f (Xvfb)", rows[4].Median() / core);
  }
  if (!rows[3].seconds.empty() && rows[3].Median() > 0) {
    std::printf("; window/tree %.2f, core/tree %.2f", window / rows[3].Median(),
                core / rows[3].Median());
  }
  std::printf("\n(%d runs each, %d entries)\n", runs, static_cast<int>(rows[0].entries));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 4 && std::string(argv[1]) == "--child") return RunChild(argv[2], argv[3], argc, argv);

  std::string size = "200k";
  int runs = 5;
  std::string trees = std::filesystem::temp_directory_path().string() + "/kdx-bench-trees";
  bool xvfb = true;
  std::vector<clBenchCondition::clKind> conditions{clBenchCondition::clKind::Free,
                                                   clBenchCondition::clKind::OneCore,
                                                   clBenchCondition::clKind::Busy};
  bool usage = false;
  for (int i = 1; i < argc && !usage; ++i) {
    const std::string arg = argv[i];
    if (arg == "--size" && i + 1 < argc) {
      size = argv[++i];
    } else if (arg == "--runs" && i + 1 < argc) {
      runs = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--trees" && i + 1 < argc) {
      trees = argv[++i];
    } else if (arg == "--no-xvfb") {
      xvfb = false;
    } else if (arg == "--conditions" && i + 1 < argc) {
      conditions.clear();
      std::string list = argv[++i];
      for (std::size_t at = 0; at <= list.size() && !usage;) {
        const std::size_t comma = std::min(list.find(',', at), list.size());
        clBenchCondition::clKind kind;
        if (!clBenchCondition::Parse(list.substr(at, comma - at), kind)) usage = true;
        conditions.push_back(kind);
        at = comma + 1;
      }
    } else {
      usage = true;
    }
  }
  if (usage) {
    std::fprintf(stderr,
                 "usage: kdx_bench [--size 10k|200k|1m] [--runs N] [--trees DIR] [--no-xvfb]\n"
                 "                 [--conditions free,onecore,busy]\n");
    return 2;
  }
  const uint64_t wanted = ParseSize(size);
  const std::string tree = trees + "/tree-" + std::to_string(wanted);
  std::printf("tree %s: ", tree.c_str());
  std::fflush(stdout);
  const uint64_t made = clTreeGenerator::Ensure(tree, wanted);
  std::printf("%llu entries\n", static_cast<unsigned long long>(made));

  const std::string self = std::filesystem::canonical("/proc/self/exe").string();
  const std::vector<std::string> offscreen{"QT_QPA_PLATFORM=offscreen"};
  const char* modes[] = {"walk", "core", "window", "tree"};
  // One warm-up walk so every mode meets the same file-system cache.
  Measured warmUp("warm-up");
  RunOnce(self, "walk", tree, offscreen, warmUp);

  for (const clBenchCondition::clKind kind : conditions) {
    clBenchCondition condition(kind);
    const std::string prefix = condition.CommandPrefix();
    std::vector<Measured> rows{Measured("walk"), Measured("core read"),
                               Measured("window read (offscreen)"),
                               Measured("tree -a -n --noreport -o")};
    condition.Begin();
    for (int run = 0; run < runs; ++run) {
      for (std::size_t m = 0; m < 4; ++m) {
        if (!RunOnce(self, modes[m], tree, offscreen, rows[m], prefix)) {
          std::fprintf(stderr, "%s run failed\n", modes[m]);
          if (m != 3) return 1;
        }
      }
    }
    // The window under a real X server, where one is at hand; it needs no other condition.
    std::string display;
    const pid_t server = xvfb && kind == clBenchCondition::clKind::Free ? StartXvfb(display) : 0;
    if (server) {
      rows.emplace_back("window read (Xvfb)");
      for (int run = 0; run < runs; ++run) {
        if (!RunOnce(self, "window", tree, {"QT_QPA_PLATFORM=xcb", "DISPLAY=" + display},
                     rows.back(), prefix)) {
          std::fprintf(stderr, "window run under Xvfb failed\n");
          break;
        }
      }
      ::kill(server, SIGTERM);
      ::waitpid(server, nullptr, 0);
    }
    condition.End();
    PrintTable(condition.Title(), rows, runs);
    std::fflush(stdout);
  }
  return 0;
}
