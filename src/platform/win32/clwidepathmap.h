#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

// The wide paths behind the code-page paths a walk is handed. A folder's items are
// delivered in the system code page, where a name the code page cannot hold reads "?"
// (or its best fit) and two names may read alike; the walk then asks for the folder by
// that form. The map keeps, for every folder open on the walk's branch, the wide names
// of its sub-folders in enumeration order, so that the form asked for leads back to the
// wide path it came from.
//
// Depth first: a folder is asked for after its parent was read, and once the walk asks
// for something outside a folder, that folder is done. Of sub-folders whose names read
// alike, the walk names the one it enters by its place in the listing (Find); a request
// without it takes the next one after the last one taken.
class clWidePathMap {
 public:
  struct Folder {
    std::string name;  // as delivered (system code page)
    std::wstring wide;
    uint64_t device = 0;  // its identity, both 0 when unknown
    uint64_t inode = 0;
  };
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  // Which sub-folder of the folder read under `parent` is the one named `name` with the
  // identity (device, inode), (0, 0) when unknown: its index, kNone when there is none.
  std::size_t Find(const std::string& parent, const std::string& name, uint64_t device,
                   uint64_t inode);

  // The wide path of a folder about to be read: updates the branch (folders left
  // behind are dropped) and takes the sub-folder asked for, the one at `index` when
  // Find gave it.
  std::wstring Enter(const std::string& path, std::size_t index = kNone);

  // Records a folder just read under `path` (as given to Enter) with its wide path and
  // its sub-folders in enumeration order.
  void Opened(const std::string& path, std::wstring wide, std::vector<Folder> folders);

  // The wide path of any path, without changing the branch: for questions asked beside
  // the walk (what a path names, its identity, creating it).
  std::wstring Lookup(const std::string& path);

 private:
  struct Open {
    std::string path;
    std::wstring wide;
    std::vector<Folder> folders;
    std::size_t taken = kNone;  // the sub-folder last taken
  };

  // The name of `path` below `open`, empty when `path` lies elsewhere.
  static std::string_view ChildName(const Open& open, std::string_view path);
  // The sub-folder of `open` called `name` that comes next, kNone when there is none.
  static std::size_t Next(const Open& open, std::string_view name);
  static std::wstring Join(const std::wstring& folder, const std::wstring& name);

  std::mutex mutex;
  std::vector<Open> branch;
};
