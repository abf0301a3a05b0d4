// Whole files on a POSIX system: the settings file's read and its replacement in one
// step, which also clears what an earlier, killed replacement left behind.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <string_view>

#include "platform/clpath.h"
#include "platform/posix/clposixplatform.h"

namespace {

// Reads a whole regular file. Opening does not wait on a FIFO; anything that is not a
// regular file counts as unreadable.
clFileRead ReadRegularFile(const std::string& path, std::string& text, struct stat& info) {
  text.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? clFileRead::Missing : clFileRead::Failed;
  clFileRead result = clFileRead::Read;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) result = clFileRead::Failed;
  char buffer[65536];
  while (result == clFileRead::Read) {
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count > 0) {
      text.append(buffer, static_cast<std::size_t>(count));
    } else if (count == 0) {
      break;
    } else if (errno != EINTR) {
      result = clFileRead::Failed;
    }
  }
  ::close(fd);
  return result;
}

bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t count = ::write(fd, text.data() + done, text.size() - done);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    done += static_cast<std::size_t>(count);
  }
  return true;
}

// Removes the new files of earlier saves to path ("<name>.new-<pid>-<serial>") that a
// killed process left behind: those of a process that no longer runs, and this process's
// own (its saves come one after another). A save of another running copy is left alone.
void RemoveLeftovers(const std::string& path) {
  std::string folder = clPath::FolderPart(path);
  if (folder.empty()) folder = ".";
  const std::string prefix = clPath::NamePart(path) + ".new-";
  DIR* const dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix) continue;
    char* end = nullptr;
    const long pid = std::strtol(entry->d_name + prefix.size(), &end, 10);
    if (pid <= 0 || end == nullptr || *end != '-') continue;
    const bool gone = ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
    if (gone || pid == ::getpid()) ::unlinkat(::dirfd(dir), entry->d_name, 0);
  }
  ::closedir(dir);
}

// Writes the complete text to a new file beside path, flushes it to disk and renames it
// over path, so that path always holds either its old content or the whole new one.
// On failure nothing is left behind.
bool WriteAndRename(const std::string& path, const std::string& text, const struct stat* old) {
  static std::atomic<unsigned> serial{0};
  RemoveLeftovers(path);
  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = path + ".new-" + std::to_string(::getpid()) + "-" + std::to_string(serial++);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;
  if (old) ::fchmod(fd, old->st_mode & 07777);  // keep the old file's permissions
  const bool written = WriteAll(fd, text) && ::fsync(fd) == 0;
  if (::close(fd) != 0 || !written || ::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  // Make the rename itself durable; the new file is in place whatever this returns.
  std::string folder = clPath::FolderPart(path);
  if (folder.empty()) folder = ".";
  const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd >= 0) {
    ::fsync(folderFd);
    ::close(folderFd);
  }
  return true;
}

// A file that is a symbolic link is written through the link, which stays; a link to a
// file not made yet leads to where the file will be.
std::string ResolveLinks(std::string path) {
  for (int depth = 0; depth < 40; ++depth) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) break;
    std::string target(4096, '\0');
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) break;
    target.resize(static_cast<std::size_t>(length));
    const std::size_t slash = path.rfind('/');
    if (target.front() != '/' && slash != std::string::npos) {
      target = path.substr(0, slash + 1) + target;
    }
    path = target;
  }
  return path;
}

}  // namespace

clFileRead clPosixPlatform::ReadWholeFile(const std::string& path, std::string& text) {
  struct stat info {};
  return ReadRegularFile(path, text, info);
}

bool clPosixPlatform::ReplaceFile(const std::string& path, const std::string& text) {
  const std::string target = ResolveLinks(path);
  std::string old;
  struct stat info {};
  const clFileRead read = ReadRegularFile(target, old, info);
  if (read == clFileRead::Failed) return false;
  // The rename would replace a read-only file all the same: a file marked read-only, or
  // one we may not write, keeps its content.
  if (read == clFileRead::Read &&
      ((info.st_mode & S_IWUSR) == 0 || ::access(target.c_str(), W_OK) != 0)) {
    return false;
  }
  return WriteAndRename(target, text, read == clFileRead::Read ? &info : nullptr);
}
