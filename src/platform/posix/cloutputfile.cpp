#include "platform/cloutputfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

clOutputFile::~clOutputFile() { Close(); }

bool clOutputFile::Open(const std::string& path) {
  Close();
  // Non-blocking, so that a FIFO is not waited on; the flag is cleared once the path is
  // known to be a regular file, whose writes then wait as usual.
  const int fd =
      ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
  if (fd < 0) return false;
  struct stat info {};
  const int flags = ::fcntl(fd, F_GETFL);
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || flags < 0 ||
      ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    ::close(fd);
    return false;
  }
  handle = fd;
  return true;
}

bool clOutputFile::Write(const char* data, std::size_t size) {
  if (handle == -1) return false;
  while (size > 0) {
    const ssize_t count = ::write(static_cast<int>(handle), data, size);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    data += count;
    size -= static_cast<std::size_t>(count);
  }
  return true;
}

bool clOutputFile::Close() {
  if (handle == -1) return true;
  const int fd = static_cast<int>(handle);
  handle = -1;
  // On Linux the handle is gone whatever close says; it is never closed twice.
  return ::close(fd) == 0;
}
