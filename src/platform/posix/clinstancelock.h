#pragma once

#include <string>

// The single-instance guard: an advisory lock on a file named after the executable's
// file name. Instances started from the same file name see each other; the system
// releases the lock when the process ends, however it ends.
class clInstanceLock {
 public:
  enum class Result { Acquired, HeldElsewhere };

  clInstanceLock() = default;
  ~clInstanceLock();
  clInstanceLock(const clInstanceLock&) = delete;
  clInstanceLock& operator=(const clInstanceLock&) = delete;

  // The lock file's path for an executable name in a folder.
  static std::string PathFor(const std::string& folder, const std::string& exeName);

  // Takes the lock. A lock file that cannot be opened at all does not keep the program
  // from running: the guard then holds nothing and reports Acquired.
  Result Acquire(const std::string& path);
  void Release();
  bool IsHeld() const { return descriptor >= 0; }

 private:
  int descriptor = -1;
};
