#include "clbenchrunner.h"

#ifdef _WIN32
#include "platform/win32/clwindows.h"

#include <psapi.h>
#else
#include <unistd.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "clbenchpeer.h"
#include "clbenchreads.h"

namespace {

long PeakResidentKb() {
#ifdef _WIN32
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return static_cast<long>(counters.PeakWorkingSetSize / 1024);
#else
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return 0;
#endif
}

unsigned long ProcessId() {
#ifdef _WIN32
  return ::GetCurrentProcessId();
#else
  return static_cast<unsigned long>(::getpid());
#endif
}

}  // namespace

clBenchRunner::clBenchRunner() : self(std::filesystem::canonical("/proc/self/exe").string()) {}

int clBenchRunner::Child(const std::string& mode, const std::string& folder, int argc,
                         char** argv) {
  const std::string output =
      (std::filesystem::temp_directory_path() / ("kdx-bench-out-" + std::to_string(ProcessId())))
          .lexically_normal()
          .string();
  std::filesystem::create_directories(output);
  clBenchResult result;
  if (mode == "tree") {
#ifndef _WIN32
    result = clBenchPeer::Tree(folder, output);
#endif
  } else if (mode == "walk") {
    result = clBenchReads::Walk(folder);
  } else if (mode == "core") {
    result = clBenchReads::Core(folder, output);
  } else {
    result = clBenchReads::Window(folder, output, argc, argv);
  }
  std::filesystem::remove_all(output);
  std::printf("%.6f %llu %ld %.3f %.6f\n", result.seconds,
              static_cast<unsigned long long>(result.entries), PeakResidentKb(),
              result.longestStallMs, result.processorSeconds);
  return 0;
}

bool clBenchRunner::Run(const std::string& mode, const std::string& folder,
                        const std::vector<std::string>& environment, const std::string& prefix,
                        clBenchRow& row) const {
  std::string command;
  for (const auto& variable : environment) command += variable + " ";
  if (mode.rfind("win-", 0) == 0) {
#ifdef KDX_SOURCE_DIR
    // Under Wine, on the drive that maps the root (Z:), with the child's line sent to a
    // file: a piped Wine program may seem never to end (Wine's services keep the pipe).
    std::string windowsFolder = "Z:" + folder;
    for (char& c : windowsFolder) c = c == '/' ? '\\' : c;
    const std::string wine = windowsBuild + "/wine";
    const std::string line = wine + "/bench-line.txt";
    command = "DISPLAY=$(cat '" + wine + "/display') " + command + prefix + "bash '" +
              KDX_SOURCE_DIR "/tests/win32/wine-run.sh' '" + wine + "' '" + windowsBuild +
              "/bin/kdx_bench.exe' --child " + mode.substr(4) + " '" + windowsFolder + "' >'" +
              line + "' 2>/dev/null </dev/null && cat '" + line + "'";
#endif
  } else {
    command += prefix + "'" + self + "' --child " + mode + " '" + folder + "'";
  }
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return false;
  double seconds = 0, stall = 0, processor = 0;
  unsigned long long entries = 0;
  long peak = 0;
  const int fields =
      std::fscanf(pipe, "%lf %llu %ld %lf %lf", &seconds, &entries, &peak, &stall, &processor);
  const int status = ::pclose(pipe);
  if (fields != 5 || status != 0) return false;
  row.seconds.push_back(seconds);
  row.processorSeconds.push_back(processor);
  row.entries = entries;
  row.peakKb = std::max(row.peakKb, peak);
  row.stallMs = std::max(row.stallMs, stall);
  return true;
}
