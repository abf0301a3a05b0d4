#include "clbenchreads.h"

#ifdef _WIN32
#include "platform/win32/clwindows.h"
#else
#include <sys/resource.h>
#endif

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <stdexcept>

#include "output/clcsvwriter.h"
#include "output/cltextwriter.h"
#include "platform/cldelayedplatform.h"
#include "platform/clpath.h"
#include "scan/clfindinfolders.h"
#include "settings/clsoftoption.h"

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

void clBenchReads::UseWindowOptions(clSoftOption& option, const std::string& outputFolder) {
  option.SetSubFolder(true);
  option.SetWinFolder(false);
  option.SetHideFile(false);
  option.SetReadOnlyFile(false);
  option.SetOutputCsv(true);
  option.SetOutputTxt(true);
  option.SetPreserveDialog(false);
  option.SetOutputFolderPath(outputFolder);
  option.SetOutputClipboard(false);
  option.SetTxtShort(false);
  option.SetOutputMsg(false);
  option.SetOutputLocate(false);
  option.SetOpenCsvFile(false);
  option.SetOpenTxtFile(false);
  option.SetTimeout(false);
}

double clBenchReads::ProcessorSeconds() {
#ifdef _WIN32
  FILETIME created, exited, kernel, user;
  if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  auto seconds = [](const FILETIME& time) {
    return static_cast<double>((uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
#else
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
#endif
}

clFilePlatform& clBenchReads::Platform() {
  // KDX_BENCH_DELAY_US: the share's delays in the platform layer, where FUSE is missing.
  static const char* const delay = std::getenv("KDX_BENCH_DELAY_US");
  if (delay == nullptr || *delay == '\0') return DefaultFilePlatform();
  static clDelayedPlatform delayed(DefaultFilePlatform(),
                                   std::chrono::microseconds(std::strtoul(delay, nullptr, 10)));
  return delayed;
}

// The read-ahead the benchmark asks for: KDX_BENCH_READAHEAD=N threads (0 = none) and
// KDX_BENCH_SLOW_US=US, the listing time that starts the pool (without the time per
// item; 0 starts it at the first listing); the walker's own choice where unset.
clReadAhead::Limits clBenchReads::ReadAheadLimits() {
  clReadAhead::Limits limits;
  const char* threads = std::getenv("KDX_BENCH_READAHEAD");
  const char* slow = std::getenv("KDX_BENCH_SLOW_US");
  const bool setThreads = threads != nullptr && *threads != '\0';
  const bool setSlow = slow != nullptr && *slow != '\0';
  if (!setThreads && !setSlow) return limits;
  if (setThreads) limits.threads = static_cast<unsigned>(std::strtoul(threads, nullptr, 10));
  if (setSlow) {
    limits.slowListing = std::chrono::microseconds(std::strtoul(slow, nullptr, 10));
    limits.perItem = std::chrono::microseconds(0);
  }
  return limits;
}

namespace {

// Walks like a read with the settings a fresh installation has.
void PrepareWalker(clFindInFolders& walker) {
  walker.SetReadAhead(clBenchReads::ReadAheadLimits());
  walker.Clear();
  walker.SetWindowsDirectory(DefaultFilePlatform().GetSystemFolder());
  walker.SetLevel(1);
  walker.SetSubFolder(true);
  walker.SetHideFile(false);
  walker.SetWinFolder(false);
  walker.SetReadOnlyFile(false);
}

// Progress counted on the worker's own thread, shown nowhere.
class CountingLink : public clWorkerLink {
 public:
  bool Terminated() const override { return false; }
  void CountOutput() override { ++count; }
  uint64_t count = 0;
};

}  // namespace

clBenchResult clBenchReads::Walk(const std::string& tree) {
  clFindInFolders walker(Platform());
  PrepareWalker(walker);
  const double processor = ProcessorSeconds();
  const auto start = Clock::now();
  walker.Search(tree);
  clBenchResult result;
  result.seconds = Since(start);
  result.processorSeconds = ProcessorSeconds() - processor;
  result.entries = walker.GetFolderList().size();
  if (std::getenv("KDX_BENCH_DEBUG") != nullptr) {
    const clReadAhead::Stats& stats = walker.GetReadAheadStats();
    std::fprintf(stderr, "read-ahead: %u threads, %llu listed ahead (%llu slow), %llu taken\n",
                 stats.threads, static_cast<unsigned long long>(stats.listedAhead),
                 static_cast<unsigned long long>(stats.slowListings),
                 static_cast<unsigned long long>(stats.taken));
  }
  return result;
}

clBenchResult clBenchReads::Core(const std::string& tree, const std::string& outputFolder) {
  clFindInFolders walker(Platform());
  PrepareWalker(walker);
  CountingLink link;
  clOutputReport report;
  clSoftOption option;

  const double processor = ProcessorSeconds();
  const auto start = Clock::now();
  walker.Search(tree);
  const clOutputContext context{walker.GetFolderList(),
                                walker.GetLastFolder(),
                                clPath::Join(outputFolder, "KDX_core"),
                                option,
                                link,
                                report};
  const bool csv = clCsvWriter::WriteCsvList(context, true, false);
  const bool text = clTextWriter::WriteTextList(context, true, false);
  clBenchResult result;
  result.seconds = Since(start);
  result.processorSeconds = ProcessorSeconds() - processor;
  result.entries = walker.GetFolderList().size();
  if (!csv || !text) throw std::runtime_error("core read: a writer failed");
  if (link.count != 2 * result.entries) throw std::runtime_error("core read: progress miscounted");
  return result;
}
