// kdx_share: the benchmark's simulated file share. A FUSE file system that passes a real
// folder through, read only, and holds up every request a network client would have to
// send to its server by a fixed delay, as the round trip to that server would:
//
//   - a folder listing (one request per listing, with the items' attributes, as a share
//     client gets them: the kernel is given them with the names and keeps them);
//   - a lookup or attribute read of an item no listing has told about yet (a client asks
//     the server for what it has not cached; what a listing told it, it has cached). The
//     kernel asks this file system again after a listing, so what the listings named is
//     remembered here and answered at once;
//   - reading a link's target;
//   - with KDX_SHARE_OPENS=1 in its environment, every open of a folder or a file as
//     well: an SMB client sends each open to the server (a listing there is an open, the
//     listing's requests and a close), where an NFS client lists without one. The Windows
//     rows of the benchmark run with it.
//
// File contents are not served: neither KDX nor tree reads them.
//
//   kdx_share SOURCE MOUNTPOINT DELAY_US [fuse options]
#define FUSE_USE_VERSION 31
#include <fuse.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

std::string source;
useconds_t delay = 0;
bool delayOpens = false;
std::mutex mutex;
std::unordered_set<std::string> listed;  // paths a listing has named: the client's cache

bool Listed(const std::string& path) {
  const std::lock_guard<std::mutex> lock(mutex);
  return listed.count(path) != 0;
}

void RoundTrip() {
  if (delay > 0) ::usleep(delay);
}

std::string Real(const char* path) { return source + path; }

void* Init(fuse_conn_info* connection, fuse_config* config) {
  (void)connection;
  config->use_ino = 1;  // the source's inode numbers: folders keep their identity
  // What the kernel was told stays true for the whole benchmark run.
  config->entry_timeout = 3600;
  config->attr_timeout = 3600;
  config->negative_timeout = 3600;
  return nullptr;
}

int GetAttr(const char* path, struct stat* info, fuse_file_info*) {
  if (!Listed(path)) RoundTrip();
  return ::lstat(Real(path).c_str(), info) == 0 ? 0 : -errno;
}

int ReadLink(const char* path, char* buffer, size_t size) {
  RoundTrip();
  const ssize_t length = ::readlink(Real(path).c_str(), buffer, size - 1);
  if (length < 0) return -errno;
  buffer[length] = '\0';
  return 0;
}

int ReadDir(const char* path, void* buffer, fuse_fill_dir_t fill, off_t, fuse_file_info*,
            fuse_readdir_flags) {
  RoundTrip();  // one request lists the whole folder with its items' attributes
  DIR* folder = ::opendir(Real(path).c_str());
  if (folder == nullptr) return -errno;
  const int fd = ::dirfd(folder);
  const std::string prefix =
      std::strcmp(path, "/") == 0 ? std::string("/") : std::string(path) + "/";
  while (const dirent* entry = ::readdir(folder)) {
    struct stat info {};
    if (::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
    {
      const std::lock_guard<std::mutex> lock(mutex);
      listed.insert(prefix + entry->d_name);
    }
    if (fill(buffer, entry->d_name, &info, 0, FUSE_FILL_DIR_PLUS) != 0) break;
  }
  ::closedir(folder);
  return 0;
}

int OpenDir(const char* path, fuse_file_info*) {
  // Opening a folder costs no request of its own where its listing is the request.
  if (delayOpens) RoundTrip();
  return ::access(Real(path).c_str(), R_OK | X_OK) == 0 ? 0 : -errno;
}

int Open(const char*, fuse_file_info*) {
  if (delayOpens) RoundTrip();
  return -EACCES;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: kdx_share SOURCE MOUNTPOINT DELAY_US [fuse options]\n");
    return 2;
  }
  char* resolved = ::realpath(argv[1], nullptr);
  if (resolved == nullptr) {
    std::perror(argv[1]);
    return 2;
  }
  source = resolved;
  std::free(resolved);
  delay = static_cast<useconds_t>(std::strtoul(argv[3], nullptr, 10));
  const char* opens = std::getenv("KDX_SHARE_OPENS");
  delayOpens = opens != nullptr && std::strcmp(opens, "1") == 0;

  fuse_operations operations{};
  operations.init = Init;
  operations.getattr = GetAttr;
  operations.readlink = ReadLink;
  operations.opendir = OpenDir;
  operations.readdir = ReadDir;
  operations.open = Open;

  // fuse_main: the mount point, read only, many requests at once, then the caller's.
  std::vector<char*> arguments{argv[0], argv[2], const_cast<char*>("-o"),
                               const_cast<char*>("ro,default_permissions,max_threads=64")};
  for (int i = 4; i < argc; ++i) arguments.push_back(argv[i]);
  return fuse_main(static_cast<int>(arguments.size()), arguments.data(), &operations, nullptr);
}
