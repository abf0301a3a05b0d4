// A file system that stops answering, standing in for a network share that went away:
// its root can be examined, but listing it never returns. Like the clients of network
// shares, it gives up a request that the kernel interrupts because the process that made
// it is being killed (a request no one interrupts waits for ever); without that, no
// process that listed it could end before the file system itself. Mount it with
//   kdx_deadfs <mount point> -f
// and end it with SIGKILL; the kernel then fails the requests still waiting.
#define FUSE_USE_VERSION 31
#include <fuse.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

int GetAttr(const char* path, struct stat* info, fuse_file_info*) {
  std::memset(info, 0, sizeof *info);
  if (std::strcmp(path, "/") != 0) return -ENOENT;
  info->st_mode = S_IFDIR | 0755;
  info->st_nlink = 2;
  return 0;
}

void OnInterrupt(int) {}

void* Init(fuse_conn_info*, fuse_config* config) {
  // An interrupt reaches the thread that serves the request as SIGUSR1.
  config->intr = 1;
  config->intr_signal = SIGUSR1;
  return nullptr;
}

int ReadDir(const char*, void*, fuse_fill_dir_t, off_t, fuse_file_info*, fuse_readdir_flags) {
  // The interrupt comes as a signal to this thread, which cuts the sleep short.
  while (!fuse_interrupted()) ::usleep(100000);
  return -EINTR;
}

}  // namespace

int main(int argc, char** argv) {
  // The signal only cuts a sleep short (no SA_RESTART); set in the configuration this
  // late, the library installs no handler of its own.
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGUSR1, &action, nullptr);
  fuse_operations operations{};
  operations.init = Init;
  operations.getattr = GetAttr;
  operations.readdir = ReadDir;
  return fuse_main(argc, argv, &operations, nullptr);
}
