#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/clfileplatform.h"

// An in-memory file system for tests, declared in a few lines. Items keep the order in
// which they were declared; every folder yields "." and ".." first (like readdir) unless
// SetDotEntries(false).
//
// One line per item, an absolute path ("/" separated), parents made as needed:
//   "/data/"            a folder
//   "/data/a.txt"       a file
//   "/data/.h/"         a hidden folder (a name starting with "." is hidden)
//   "/data/l -> /x/"    a symbolic link to an absolute path (followed when examined and
//                       when a path goes through it; dangling while the target is missing)
// Markers before the path, each ending in ":", may be combined ("ro:hidden:/data/x"):
//   "ro:"               read-only (owner write bit absent)
//   "hidden:"           hidden although its name does not start with "."
//   "locked:"           a folder that cannot be opened (nor created in)
//   "error@N:"          a folder whose enumeration ends with an error after its first N
//                       declared items ("." and ".." not counted)
//   "gone:"             a folder its parent lists that is gone when it is opened itself
//                       (deleted by someone else in between)
// Names are raw bytes: anything but "/" and NUL (and "\\" on Windows, where the walk joins
// paths with it). A line for an item that exists already adds its markers to it.
class clFakePlatform : public clFilePlatform {
 public:
  clFakePlatform();
  clFakePlatform(std::initializer_list<std::string> lines);

  void Add(const std::string& line);

  // The system folder that GetSystemFolder reports ("/proc" unless set; empty = it
  // cannot be obtained).
  void SetSystemFolder(std::string path) { systemFolder = std::move(path); }
  void SetDotEntries(bool value) { dotEntries = value; }

  // Called with the folder's path at the start of every ReadFolder, before anything is
  // looked up: a test may request a stop here, or add items. Folders may be read on
  // several threads at once; the reads (and the hook) take turns.
  void SetBeforeRead(std::function<void(const std::string& folder)> hook) {
    beforeRead = std::move(hook);
  }
  // Called at the start of every read that can be stopped, with the stop flag, before the
  // read takes its turn: a test may hold the read here, as a file system that does not
  // answer would, while everything else goes on.
  void SetHoldRead(
      std::function<void(const std::string& folder, const std::atomic<bool>& stop)> hook) {
    holdRead = std::move(hook);
  }
  // Every path handed to ReadFolder, in call order, exactly as given.
  std::vector<std::string> ReadLog() const {
    const std::lock_guard<std::recursive_mutex> lock(mutex);
    return readLog;
  }

  bool ReadFolder(const std::string& folder, std::vector<clFolderItem>& items) override;
  bool ReadFolderUntil(const std::string& folder, std::vector<clFolderItem>& items,
                       const std::atomic<bool>& stop) override;
  bool FolderIdentity(const std::string& folder, uint64_t& device, uint64_t& inode) override;
  std::string GetSystemFolder() override { return systemFolder; }
  clPathKind GetPathKind(const std::string& path) override;
  bool CreateFolders(const std::string& folder) override;

  // Whole files live beside the tree, by path: ReadWholeFile finds what SetFile put or
  // ReplaceFile wrote; a path marked unreadable fails both.
  void SetFile(const std::string& path, std::string text) {
    files[FileKey(path)] = std::move(text);
  }
  void SetUnreadable(const std::string& path) { unreadable.push_back(FileKey(path)); }
  const std::map<std::string, std::string>& Files() const { return files; }
  clFileRead ReadWholeFile(const std::string& path, std::string& text) override;
  // The key of a whole file: its path with "/" for either separator.
  static std::string FileKey(std::string path);
  bool ReplaceFile(const std::string& path, const std::string& text) override;

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  static constexpr uint64_t kDevice = 1;
  static constexpr int kNoLinks = -1;
  static constexpr int kMostLinks = 40;

  struct Node {
    std::string name;
    std::size_t parent = kNone;
    bool isFolder = false;
    bool readOnly = false;
    bool hidden = false;
    bool locked = false;
    bool gone = false;
    bool isLink = false;
    std::string target;  // of a link
    std::size_t errorAfter = kNone;
    std::vector<std::size_t> children;
  };

  std::size_t Find(const std::string& path) const;
  std::size_t Child(std::size_t folder, const std::string& name) const;
  std::size_t Resolve(std::size_t node, int links = 0) const;  // a link's target, or itself
  std::size_t Find(const std::string& path, int links) const;
  std::size_t MakeChild(std::size_t folder, const std::string& name, bool isFolder);
  clFolderItem ItemOf(std::size_t node, std::string name) const;

  std::vector<Node> nodes;  // nodes[0] is "/"; the inode of a node is its index + 1
  std::string systemFolder = "/proc";
  bool dotEntries = true;
  std::function<void(const std::string&)> beforeRead;
  std::function<void(const std::string&, const std::atomic<bool>&)> holdRead;
  std::vector<std::string> readLog;
  std::map<std::string, std::string> files;
  std::vector<std::string> unreadable;
  mutable std::recursive_mutex mutex;
};
