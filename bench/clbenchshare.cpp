#include "clbenchshare.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <utility>

namespace {

// kdx_share is built beside the benchmark.
std::string ShareProgram() {
  return std::filesystem::canonical("/proc/self/exe").parent_path().string() + "/kdx_share";
}

bool IsMountPoint(const std::string& path) {
  struct stat here {
  }, parent{};
  return ::stat(path.c_str(), &here) == 0 && ::stat((path + "/..").c_str(), &parent) == 0 &&
         here.st_dev != parent.st_dev;
}

}  // namespace

clBenchShare::clBenchShare(std::string sourceValue, std::string mountValue,
                           unsigned delayMicroseconds)
    : source(std::move(sourceValue)), mountPoint(std::move(mountValue)), delay(delayMicroseconds) {}

clBenchShare::~clBenchShare() {
  Unmount();
  std::error_code ignored;
  std::filesystem::remove(mountPoint, ignored);
}

bool clBenchShare::Remount(std::string& why) {
  Unmount();
  const std::string program = ShareProgram();
  if (!std::filesystem::exists(program)) {
    why = "kdx_share was not built (libfuse3-dev missing)";
    return false;
  }
  if (!std::filesystem::exists("/dev/fuse")) {
    why = "/dev/fuse is missing";
    return false;
  }
  std::filesystem::create_directories(mountPoint);
  // kdx_share goes to the background once the mount is in place.
  const std::string command = "'" + program + "' '" + source + "' '" + mountPoint + "' " +
                              std::to_string(delay) + " >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0 || !IsMountPoint(mountPoint)) {
    why = "FUSE could not be mounted here";
    return false;
  }
  mounted = true;
  return true;
}

void clBenchShare::Unmount() {
  if (!mounted) return;
  const std::string command = "fusermount3 -u '" + mountPoint + "' >/dev/null 2>&1 || umount '" +
                              mountPoint + "' >/dev/null 2>&1";
  (void)std::system(command.c_str());
  mounted = false;
}
