// The Windows side of the benchmark: one measured read of KDX's Windows build, run by
// the benchmark on Linux under Wine (kdx_bench --windows).
//
//   kdx_bench.exe --child walk|core|window FOLDER
#include <string>

#include "clbenchrunner.h"

int main(int argc, char** argv) {
  if (argc < 4 || std::string(argv[1]) != "--child") return 2;
  return clBenchRunner::Child(argv[2], argv[3], argc, argv);
}
