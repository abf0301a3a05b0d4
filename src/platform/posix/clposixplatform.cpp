#include "platform/posix/clposixplatform.h"

#include "platform/clnameorder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sched.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

namespace {

constexpr const char* kSystemFolder = "/proc";

// A way down from an open ancestor longer than this opens a new ancestor first: far below
// the system's path limit, so that a name of any length still fits.
constexpr std::size_t kLongestRelative = 2048;

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};

// An open ancestor: a descriptor that only names the folder (O_PATH), for opening the
// folders below it.
class clPosixFolderBase : public clFolderBase {
 public:
  explicit clPosixFolderBase(int descriptor) : fd(descriptor) {}
  ~clPosixFolderBase() override { ::close(fd); }
  clPosixFolderBase(const clPosixFolderBase&) = delete;
  clPosixFolderBase& operator=(const clPosixFolderBase&) = delete;
  const int fd;
};

int BaseDescriptor(const clFolderPlace& place) {
  return place.base ? static_cast<const clPosixFolderBase&>(*place.base).fd : AT_FDCWD;
}

// The way from the place's base (or the current folder) to the folder.
const std::string& Relative(const clFolderPlace& place) {
  return place.base ? place.relative : place.path;
}

}  // namespace

bool clPosixPlatform::ReadFolder(const std::string& folder, std::vector<clFolderItem>& items) {
  return Read(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC), items, nullptr);
}

bool clPosixPlatform::ReadFolderUntil(const std::string& folder, std::vector<clFolderItem>& items,
                                      const std::atomic<bool>& stop) {
  return Read(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC), items, &stop);
}

clFolderPlace clPosixPlatform::RootPlace(const std::string& folder) {
  return {folder, nullptr, {}};
}

clFolderPlace clPosixPlatform::ChildPlace(const clFolderPlace& parent, const clFolderItem& item,
                                          std::string path) {
  const std::string& name = item.name;
  // Below the parent's base while the way down stays short; otherwise the parent itself
  // becomes the base, so that no path handed to the system ever nears its limit. A parent
  // that cannot be opened gives a place that cannot be read, as the parent could not be.
  const std::string& way = Relative(parent);
  if (way.size() + 1 + name.size() <= kLongestRelative) {
    if (!parent.base) return {std::move(path), nullptr, {}};  // the path is the way
    std::string relative;
    relative.reserve(way.size() + 1 + name.size());
    relative += way;
    if (relative.empty() || relative.back() != '/') relative += '/';
    relative += name;
    return {std::move(path), parent.base, std::move(relative)};
  }
  const int fd = ::openat(BaseDescriptor(parent), way.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return {std::move(path), nullptr, {}};
  return {std::move(path), std::make_shared<clPosixFolderBase>(fd), name};
}

bool clPosixPlatform::ReadPlace(const clFolderPlace& place, std::vector<clFolderItem>& items,
                                const std::atomic<bool>& stop) {
  return Read(
      ::openat(BaseDescriptor(place), Relative(place).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC),
      items, &stop);
}

bool clPosixPlatform::Read(int fd, std::vector<clFolderItem>& items,
                           const std::atomic<bool>* stop) {
  if (fd < 0) return false;
  const std::unique_ptr<DIR, DirCloser> dir(::fdopendir(fd));
  if (!dir) {
    ::close(fd);
    return false;
  }
  // One stat per item, relative to the open folder: no path is composed here. An error
  // during the enumeration ends it like its end. The items are then listed in the order
  // NTFS would list them, not in the file system's own (a hash order on ext4).
  const std::size_t first = items.size();
  while (const dirent* entry = ::readdir(dir.get())) {
    clFolderItem item;
    item.name = entry->d_name;
    item.hidden = !item.name.empty() && item.name[0] == '.';
    // A link by the listing's own word; a file system that does not say is asked.
    struct stat info {};
    item.isLink =
        entry->d_type == DT_LNK ||
        (entry->d_type == DT_UNKNOWN &&
         ::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(info.st_mode));
    if (::fstatat(fd, entry->d_name, &info, 0) == 0) {
      item.isFolder = S_ISDIR(info.st_mode);
      item.readOnly = (info.st_mode & S_IWUSR) == 0;
      item.device = static_cast<uint64_t>(info.st_dev);
      item.inode = static_cast<uint64_t>(info.st_ino);
    } else {
      // A dangling link or an item that vanished: what readdir said, without attributes.
      item.isFolder = entry->d_type == DT_DIR;
    }
    items.push_back(std::move(item));
    if (stop && stop->load(std::memory_order_relaxed)) break;
  }
  clNameOrder::Sort(items, first);
  return true;
}

bool clPosixPlatform::FolderIdentity(const std::string& folder, uint64_t& device, uint64_t& inode) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0) return false;
  device = static_cast<uint64_t>(info.st_dev);
  inode = static_cast<uint64_t>(info.st_ino);
  return true;
}

unsigned clPosixPlatform::Processors() const {
  // The processors this process may run on, which a pinned process has fewer of than
  // the machine.
  cpu_set_t set;
  CPU_ZERO(&set);
  if (::sched_getaffinity(0, sizeof set, &set) != 0) return 1;
  const int count = CPU_COUNT(&set);
  return count > 0 ? static_cast<unsigned>(count) : 1;
}

std::string clPosixPlatform::GetSystemFolder() { return kSystemFolder; }

clPathKind clPosixPlatform::GetPathKind(const std::string& path) {
  struct stat info {};
  if (path.empty() || ::stat(path.c_str(), &info) != 0) return clPathKind::Missing;
  return S_ISDIR(info.st_mode) ? clPathKind::Folder : clPathKind::File;
}

bool clPosixPlatform::CreateFolders(const std::string& folder) {
  if (folder.empty()) return false;
  // Create each missing ancestor from the top, then the folder itself. A folder that
  // exists already may refuse mkdir with another error than EEXIST (a read-only file
  // system, a parent without write permission): that is no failure.
  for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string part = slash == std::string::npos ? folder : folder.substr(0, slash);
    if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST &&
        GetPathKind(part) != clPathKind::Folder) {
      return false;
    }
    if (slash == std::string::npos) break;
  }
  return GetPathKind(folder) == clPathKind::Folder;
}

clFilePlatform& DefaultFilePlatform() {
  static clPosixPlatform platform;
  return platform;
}
