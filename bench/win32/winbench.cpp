// kdx_winbench: the Windows walk timed on a folder, beside a plain walk of the same
// folder written for the comparison. Run under Wine by bench/win32/winbench.sh.
//
//   kdx_winbench MODE FOLDER
//     walk   the core read: KDX's walk with read-ahead, as KDX.exe reads
//     alone  KDX's walk without read-ahead
//     peer   a plain one-thread walk with FindFirstFileExW (basic information, large
//            fetch), every folder entered where it is listed
// Prints "MODE MILLISECONDS ENTRIES".
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "scan/clfindinfolders.h"

namespace {

clReadAhead::Stats readAheadStats;

// Every item below `folder`, counted; `folder` ends in "\".
std::size_t PlainWalk(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  const HANDLE find = ::FindFirstFileExW((folder + L'*').c_str(), FindExInfoBasic, &data,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) return 0;
  std::size_t count = 0;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    ++count;
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
        (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
      count += PlainWalk(folder + name + L'\\');
    }
  } while (::FindNextFileW(find, &data));
  ::FindClose(find);
  return count;
}

// The read-ahead as KDX.exe sets it, or as the environment asks, to choose it by
// measurement: KDX_BENCH_READAHEAD threads at most, KDX_BENCH_SLOW_US the listing time
// that counts as slow, KDX_BENCH_PER_PROCESSOR the threads per processor of a warm tree.
clReadAhead::Limits ReadAheadLimits() {
  clReadAhead::Limits limits;
  if (const char* value = std::getenv("KDX_BENCH_READAHEAD")) {
    limits.threads = static_cast<unsigned>(std::strtoul(value, nullptr, 10));
  }
  if (const char* value = std::getenv("KDX_BENCH_SLOW_US")) {
    limits.slowListing = std::chrono::microseconds(std::strtoul(value, nullptr, 10));
  }
  if (const char* value = std::getenv("KDX_BENCH_PER_PROCESSOR")) {
    limits.threadsPerProcessor = static_cast<unsigned>(std::strtoul(value, nullptr, 10));
  }
  return limits;
}

std::size_t KdxWalk(const std::string& folder, bool readAhead) {
  clFindInFolders walker;
  walker.SetReadAhead(readAhead ? ReadAheadLimits() : clReadAhead::Limits{.threads = 0});
  walker.Clear();
  walker.SetLevel(1);
  walker.SetSubFolder(true);
  walker.SetHideFile(true);
  walker.SetWinFolder(true);
  walker.SetReadOnlyFile(true);
  walker.Search(folder);
  readAheadStats = walker.GetReadAheadStats();
  return walker.GetFolderList().size();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: kdx_winbench walk|alone|peer FOLDER\n");
    return 2;
  }
  const std::string mode = argv[1];
  const std::string folder = argv[2];
  const auto start = std::chrono::steady_clock::now();
  std::size_t entries = 0;
  if (mode == "peer") {
    wchar_t wide[4096];
    const int length = ::MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wide, 4096);
    std::wstring root(wide, length > 0 ? length - 1 : 0);
    if (root.empty() || root.back() != L'\\') root += L'\\';
    entries = PlainWalk(root);
  } else if (mode == "walk" || mode == "alone") {
    entries = KdxWalk(folder, mode == "walk");
  } else {
    std::fprintf(stderr, "unknown mode %s\n", argv[1]);
    return 2;
  }
  const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - start);
  std::printf("%s %lld %zu\n", mode.c_str(), static_cast<long long>(took.count()), entries);
  if (std::getenv("KDX_BENCH_DEBUG") != nullptr && readAheadStats.started) {
    std::printf("pool %u threads, %llu listed ahead, %llu slow\n", readAheadStats.threads,
                static_cast<unsigned long long>(readAheadStats.listedAhead),
                static_cast<unsigned long long>(readAheadStats.slowListings));
  }
  return 0;
}
