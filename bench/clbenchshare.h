#pragma once

#include <sys/types.h>
#include <string>

// The simulated share of the benchmark: kdx_share (beside the benchmark) mounted over a
// local tree, each folder listing and each uncached lookup held up by a fixed delay.
// Every run gets a fresh mount, so that no run finds what another one cached.
class clBenchShare {
 public:
  clBenchShare(std::string source, std::string mountPoint, unsigned delayMicroseconds);
  ~clBenchShare();
  clBenchShare(const clBenchShare&) = delete;
  clBenchShare& operator=(const clBenchShare&) = delete;

  // Mounts afresh (unmounting first); false, with `why` said, when FUSE cannot be mounted.
  bool Remount(std::string& why);
  void Unmount();
  const std::string& MountPoint() const { return mountPoint; }

 private:
  std::string source;
  std::string mountPoint;
  unsigned delay;
  bool mounted = false;
};
