// The KDX benchmark: builds a deterministic tree and compares, beside
// `tree -a -n --noreport -o`, the walk, the core read and the real window read of KDX,
// each alone and with folders listed ahead. It does so on the local tree under each
// condition asked for (free cores, one core, busy cores) and on a simulated file share
// over the same tree (kdx_share, a fresh mount for every run) under the first condition
// asked for. Every measured run is a process of its own (clBenchRunner).
//
//   kdx_bench [--size 10k|200k|1m] [--runs N] [--trees DIR] [--no-xvfb]
//             [--conditions free,onecore,busy] [--share-ms MS] [--share-runs N]
//             [--windows BUILD_DIR]
//
// With --windows, the Windows build's walk, core read and Win32 window read run under Wine
// on the same local tree, beside the Linux rows, with free cores.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "clbenchcondition.h"
#include "clbenchoptions.h"
#include "clbenchplan.h"
#include "clbenchrunner.h"
#include "clbenchshare.h"
#include "clbenchtable.h"
#include "clbenchxvfb.h"
#include "cltreegenerator.h"

namespace {

double LoadAverage() {
  double load[1] = {0};
  return ::getloadavg(load, 1) == 1 ? load[0] : 0;
}

// The share under `condition`: kdx_share mounted afresh for every run, or, where FUSE
// cannot be mounted, the same delay injected into the platform layer (no tree peer
// there). Adds its plan to `plans`; false when a read failed.
bool MeasureShare(const clBenchOptions& options, const clBenchRunner& runner,
                  const clBenchCondition& condition, std::vector<clBenchPlan>& plans) {
  const auto delay = static_cast<unsigned>(options.shareMs * 1000);
  const int count = options.shareRuns > 0 ? options.shareRuns : options.runs;
  char what[96];
  std::snprintf(what, sizeof what, "%.1f ms per listing and per uncached lookup", options.shareMs);
  clBenchShare share(options.TreeFolder(), options.trees + "/share-" + std::to_string(::getpid()),
                     delay);
  std::string why;
  if (share.Remount(why)) {
    plans.emplace_back(condition.Title() + ": share (kdx_share, " + what + ")", share.MountPoint(),
                       condition.CommandPrefix());
    plans.back().AddPeer();
    plans.back().AddReads({});
    const bool done = plans.back().Run(runner, count, [&] { return share.Remount(why); });
    share.Unmount();
    if (!done) std::fprintf(stderr, "share: %s\n", why.empty() ? "a read failed" : why.c_str());
    return done;
  }
  std::printf(
      "share: %s; the same delay is injected in the platform layer instead (no tree "
      "peer)\n",
      why.c_str());
  std::fflush(stdout);
  plans.emplace_back(condition.Title() + ": share (platform delay, " + what + ")",
                     options.TreeFolder(), condition.CommandPrefix());
  plans.back().AddReads({"KDX_BENCH_DELAY_US=" + std::to_string(delay)});
  return plans.back().Run(runner, count, nullptr);
}

// Everything measured under one condition: the local tree, and the share when asked.
bool MeasureCondition(const clBenchOptions& options, const clBenchRunner& runner,
                      clBenchCondition::clKind kind, bool withShare) {
  clBenchCondition condition(kind);
  std::vector<clBenchPlan> plans;
  plans.emplace_back(condition.Title() + ": local tree", options.TreeFolder(),
                     condition.CommandPrefix());
  plans.back().AddPeer();
  plans.back().AddReads({});
  // The window under a real X server, where one is at hand; it needs no other condition.
  clBenchXvfb xvfb;
  if (options.xvfb && kind == clBenchCondition::clKind::Free && xvfb.Start()) {
    plans.back().AddXvfbWindow(xvfb.DisplayVariable());
  }
  if (!options.windows.empty() && kind == clBenchCondition::clKind::Free) {
    plans.back().AddWindowsReads();
  }
  std::printf("measuring under %s (load average %.2f)\n", condition.Title().c_str(), LoadAverage());
  std::fflush(stdout);
  condition.Begin();
  bool done = plans.back().Run(runner, options.runs, nullptr);
  xvfb.Stop();
  if (done && withShare) done = MeasureShare(options, runner, condition, plans);
  condition.End();
  for (const auto& plan : plans) clBenchTable::Print(plan);
  std::printf("\n");
  std::fflush(stdout);
  return done;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 4 && std::string(argv[1]) == "--child") {
    return clBenchRunner::Child(argv[2], argv[3], argc, argv);
  }
  clBenchOptions options;
  if (!options.Parse(argc, argv)) {
    std::fputs(clBenchOptions::Usage(), stderr);
    return 2;
  }
  const std::string tree = options.TreeFolder();
  std::printf("tree %s: ", tree.c_str());
  std::fflush(stdout);
  const uint64_t made = clTreeGenerator::Ensure(tree, options.Entries());
  std::printf("%llu entries\n", static_cast<unsigned long long>(made));

  clBenchRunner runner;
  // The Windows rows run in the prefix of the Windows build's tests, its server kept up
  // for the whole benchmark.
  auto wine = [&options](const std::string& verb) {
    const std::string command = "bash '" KDX_SOURCE_DIR "/tests/win32/wine-server.sh' " + verb +
                                " '" + options.windows + "/wine' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
  };
  if (!options.windows.empty()) {
    runner.SetWindowsBuild(options.windows);
    if (!wine("start")) {
      std::fprintf(stderr, "the Wine prefix of %s cannot be started\n", options.windows.c_str());
      return 1;
    }
  }
  // One warm-up walk so every read meets the same file-system cache.
  clBenchRow warmUp("walk", "alone");
  runner.Run("walk", tree, {"QT_QPA_PLATFORM=offscreen"}, "", warmUp);

  for (std::size_t c = 0; c < options.conditions.size(); ++c) {
    const bool withShare = c == 0 && options.shareMs > 0;
    if (!MeasureCondition(options, runner, options.conditions[c], withShare)) return 1;
  }
  if (!options.windows.empty()) wine("stop");
  return 0;
}
