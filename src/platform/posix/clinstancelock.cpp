#include "platform/posix/clinstancelock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/clpath.h"

clInstanceLock::~clInstanceLock() { Release(); }

std::string clInstanceLock::PathFor(const std::string& folder, const std::string& exeName) {
  return clPath::Join(folder, exeName + ".lock");
}

clInstanceLock::Result clInstanceLock::Acquire(const std::string& path) {
  Release();
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return Result::Acquired;
  int rc;
  do {
    rc = flock(fd, LOCK_EX | LOCK_NB);
  } while (rc != 0 && errno == EINTR);
  if (rc != 0) {
    const bool held = errno == EWOULDBLOCK;
    close(fd);
    return held ? Result::HeldElsewhere : Result::Acquired;
  }
  descriptor = fd;
  return Result::Acquired;
}

void clInstanceLock::Release() {
  if (descriptor < 0) return;
  flock(descriptor, LOCK_UN);
  close(descriptor);
  descriptor = -1;
}
