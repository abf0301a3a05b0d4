#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/clpath.h"

// One item of a folder as the file system enumerates it.
struct clFolderItem {
  std::string name;       // raw bytes, no path
  bool isFolder = false;  // stat (following links) says directory
  bool hidden = false;    // the name starts with "."
  bool readOnly = false;  // the owner write bit is absent
  // The item leads elsewhere: a symbolic link, or on Windows a reparse point (a junction,
  // a symbolic link, a mount point). A folder reached through one may be met again.
  bool isLink = false;
  uint64_t device = 0;  // identity of the item as stat reports it (following links);
  uint64_t inode = 0;   // both 0 when the item could not be examined
  // The file system's own name where `name` may not lead back to it (Windows: the wide
  // name, which the code page may not hold); kept for folders, empty elsewhere.
  std::wstring wideName{};
};

// What a platform keeps open to reach the folders below it without their whole path.
class clFolderBase {
 public:
  virtual ~clFolderBase() = default;
};

// Where a folder is, for reading it: its path as the walk composes it, and what the
// platform keeps to open it however long that path grows. The POSIX platform opens a
// folder relative to an open ancestor (`base`, the way down from it in `relative`); the
// Windows one keeps in `base` the folder's wide name below its parent's. Copies share
// the ancestor, and a place may be read on any thread.
//
// A place with a `base` is read and given children without its `path`: a walk may let
// the path of such a place go once it was read, so that a branch thousands of folders
// deep does not hold thousands of long paths.
struct clFolderPlace {
  std::string path;
  std::shared_ptr<const clFolderBase> base;
  std::string relative;
};

// What a path names, for the start of a read (command line, drops).
enum class clPathKind { Missing, Folder, File };

// How reading a whole file went.
enum class clFileRead { Read, Missing, Failed };

// The file-system services the walk and the main window need. The system's own
// platform (POSIX or Windows) serves the program; tests may substitute a fake.
class clFilePlatform {
 public:
  virtual ~clFilePlatform() = default;

  // Appends every item of `folder` to `items` in enumeration order ("." and ".."
  // included when the platform yields them) and closes the folder before returning, so
  // a walk holds no open handle while it descends. Returns false when the folder cannot
  // be opened; an error during the enumeration ends it with the items read so far.
  virtual bool ReadFolder(const std::string& folder, std::vector<clFolderItem>& items) = 0;

  // ReadFolder that may end early, with the items read so far (at least one when the
  // folder yields any), once `stop` reads true: a stop is then not held up by a folder
  // of a million items. A platform that cannot end early reads the whole folder.
  virtual bool ReadFolderUntil(const std::string& folder, std::vector<clFolderItem>& items,
                               const std::atomic<bool>& stop) {
    (void)stop;
    return ReadFolder(folder, items);
  }

  // Whether ReadPlace may serve several threads at once, so that a walk may list folders
  // ahead of it on a pool of threads.
  virtual bool ReadsInParallel() const { return true; }

  // How many processors this process may run on. Listings that wait on nothing but the
  // processor (a warm cache) go faster on several threads only where there are several.
  virtual unsigned Processors() const { return 1; }

  // The place of the folder a read starts from.
  virtual clFolderPlace RootPlace(const std::string& folder) { return {folder, nullptr, {}}; }

  // The place of the subfolder `item` of `parent` (an item of its listing), whose
  // composed path is `path`. Needs of `parent` its `base` and `relative`, and its `path`
  // only where it has no `base`.
  virtual clFolderPlace ChildPlace(const clFolderPlace& parent, const clFolderItem& item,
                                   std::string path) {
    (void)parent;
    (void)item;
    return {std::move(path), nullptr, {}};
  }

  // ReadFolderUntil for the folder at `place`. Safe to call from several threads at once.
  virtual bool ReadPlace(const clFolderPlace& place, std::vector<clFolderItem>& items,
                         const std::atomic<bool>& stop) {
    return ReadFolderUntil(place.path, items, stop);
  }

  // Device and inode of a folder (following links); false when it cannot be examined.
  // The identity a listing gives its items is the same.
  virtual bool FolderIdentity(const std::string& folder, uint64_t& device, uint64_t& inode) = 0;

  // Whether two paths name the same folder (same device and inode): "/tmp/../proc", a
  // link to it and "/proc" do.
  bool IsSameFolder(const std::string& first, const std::string& second) {
    uint64_t firstDevice = 0, firstInode = 0, secondDevice = 0, secondInode = 0;
    return FolderIdentity(first, firstDevice, firstInode) &&
           FolderIdentity(second, secondDevice, secondInode) && firstDevice == secondDevice &&
           firstInode == secondInode;
  }

  // Whether `path` names `folder` or lies below it: its path begins with the folder's
  // (as the file system compares names, so also "C:\\WINDOWS.OLD" below "C:\\WINDOWS"), or
  // it or one of the folders it lies in is that folder whatever path leads there.
  bool IsAtOrBelowFolder(const std::string& path, const std::string& folder) {
    if (clPath::StartsWith(path, folder)) return true;
    uint64_t device = 0, inode = 0;
    if (!FolderIdentity(folder, device, inode)) return false;
    for (std::string at = path; !at.empty();) {
      uint64_t atDevice = 0, atInode = 0;
      if (FolderIdentity(at, atDevice, atInode) && atDevice == device && atInode == inode) {
        return true;
      }
      std::string parent = clPath::FolderPart(at);
      if (parent == at) break;  // the root
      at = std::move(parent);
    }
    return false;
  }

  // The system folder that reads leave out ("/proc"); empty when it cannot be obtained.
  virtual std::string GetSystemFolder() = 0;

  virtual clPathKind GetPathKind(const std::string& path) = 0;

  // Creates `folder` with any missing parents; true when it exists afterwards.
  virtual bool CreateFolders(const std::string& folder) = 0;

  // Reads a whole regular file into `text` (emptied first). Missing: the file does not
  // exist. Failed: it exists but cannot be read, or is not a regular file. Opening never
  // waits (a FIFO is not waited on).
  virtual clFileRead ReadWholeFile(const std::string& path, std::string& text) = 0;

  // Replaces the file at `path` with `text` in one step: `path` always holds either its
  // old content or the whole new one, and the new content is on disk when the call
  // returns. A file reached through symbolic links is replaced where the links lead; an
  // existing file keeps its permissions. A file marked read-only, or one this process
  // may not write, is refused and stays as it was. Returns false on any failure, and
  // then leaves nothing behind.
  virtual bool ReplaceFile(const std::string& path, const std::string& text) = 0;
};

// The platform of the running program: the POSIX or the Windows one, as built.
clFilePlatform& DefaultFilePlatform();
