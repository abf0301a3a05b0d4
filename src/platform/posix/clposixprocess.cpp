#include "platform/posix/clposixprocess.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <utility>

#include "platform/clpath.h"
#include "platform/posix/clendsignals.h"

namespace {

std::string ExecutablePath(char** argv) {
  std::string path(4096, '\0');
  const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
  if (length > 0 && static_cast<std::size_t>(length) < path.size()) {
    path.resize(static_cast<std::size_t>(length));
    return path;
  }
  // No /proc: what the program was started as.
  return argv != nullptr && argv[0] != nullptr ? std::string(argv[0]) : std::string();
}

bool IsOwnPrivateFolder(const std::string& folder) {
  struct stat info {};
  return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid();
}

}  // namespace

clPosixProcess::clPosixProcess(int argc, char** argv, std::string lockFolderValue)
    : lockFolder(std::move(lockFolderValue)) {
  const std::string exe = ExecutablePath(argv);
  facts.exeFolder = clPath::FolderPart(exe);
  facts.exeName = clPath::NamePart(exe);
  // argv keeps the argument's bytes as the system gave them.
  if (argc > 1 && argv[1] != nullptr) facts.argument = std::string(argv[1]);
  facts.exeFolderWritable = ::access(facts.exeFolder.c_str(), W_OK) == 0;
  const char* config = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  const std::string homeFolder = home != nullptr ? home : "";
  facts.configHome = config != nullptr && *config == '/' ? std::string(config)
                                                         : clPath::Join(homeFolder, ".config");
  facts.documentsFolder = homeFolder;
#ifdef KDX_INSTALL_BINDIR
  facts.installFolders.push_back(KDX_INSTALL_BINDIR);
#endif
  if (lockFolder.empty()) lockFolder = UserRuntimeFolder();
}

clProcessFacts clPosixProcess::GetProcessFacts() { return facts; }

bool clPosixProcess::AcquireInstance(const std::string& exeName) {
  return lock.Acquire(clInstanceLock::PathFor(lockFolder, exeName)) ==
         clInstanceLock::Result::Acquired;
}

void clPosixProcess::ReleaseInstance() { lock.Release(); }

std::string clPosixProcess::GetLocalTimeStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char stamp[32] = {};
  std::strftime(stamp, sizeof stamp, "%Y%m%d%H%M%S", &local);
  return stamp;
}

std::string clPosixProcess::CurrentFolder() {
  std::string folder(4096, '\0');
  while (::getcwd(folder.data(), folder.size()) == nullptr) {
    if (errno != ERANGE) return std::string();
    folder.resize(folder.size() * 2);
  }
  folder.resize(std::char_traits<char>::length(folder.c_str()));
  return folder;
}

void clPosixProcess::CatchEndSignals() { clEndSignals::Install(); }

intptr_t clPosixProcess::EndRequestHandle() { return clEndSignals::ReadHandle(); }

bool clPosixProcess::TakeEndRequests() { return clEndSignals::Take(); }

void clPosixProcess::EndProcessNow(int status) { ::_exit(status); }

std::string clPosixProcess::UserRuntimeFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime != '\0' && IsOwnPrivateFolder(runtime)) return runtime;
  const char* tmp = std::getenv("TMPDIR");
  std::string temp = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
  while (temp.size() > 1 && temp.back() == '/') temp.pop_back();
  std::string user;
  if (const passwd* entry = ::getpwuid(::geteuid())) user = entry->pw_name;
  if (user.empty()) user = std::to_string(::geteuid());
  const std::string folder = clPath::Join(temp, "runtime-" + user);
  ::mkdir(folder.c_str(), 0700);
  struct stat info {};
  if (IsOwnPrivateFolder(folder) && ::stat(folder.c_str(), &info) == 0 &&
      (info.st_mode & 077) == 0) {
    return folder;
  }
  return temp;
}
