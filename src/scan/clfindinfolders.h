#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/clfileplatform.h"
#include "scan/clfolderid.h"
#include "scan/clreadahead.h"
#include "scan/clstructurelist.h"
#include "settings/clsoftoption.h"

// The folder walker: walks a tree depth first, pre-order, and appends every file and
// folder that passes the filters to the structure list.
class clFindInFolders {
 public:
  // Shows a modal message box (text, caption) and returns when it was dismissed.
  using MessageBox = std::function<void(const std::string& text, const std::string& caption)>;

  explicit clFindInFolders(clFilePlatform& platform = DefaultFilePlatform());

  void Clear();
  void SetWindowsDirectory(std::string path);
  void SetLevel(int16_t value);
  void SetSubFolder(bool value);
  void SetHideFile(bool value);
  void SetWinFolder(bool value);
  void SetReadOnlyFile(bool value);
  void SetMessageBox(MessageBox box);

  bool Search(std::string folder);

  // Folders listed ahead of the walk on a pool of threads (none: every folder is read
  // when the walk reaches it). The list is the same either way.
  void SetReadAhead(const clReadAhead::Limits& limits) { readAheadLimits = limits; }
  // How the read-ahead of the last walk went.
  const clReadAhead::Stats& GetReadAheadStats() const { return readAheadStats; }

  // The structure list, read in place: nothing changes it between walks.
  const clStructureList& GetFolderList() const { return folderList; }
  std::string GetLastFolder() const { return lastFolder; }

  // Written by the main thread to stop the walk; the walk only reads it.
  std::atomic<bool> stopRequested{false};

 private:
  // A folder open on the walk's branch: its items, the one at hand, and where its path
  // ends in `path`. The walk keeps its branch here, not on its thread's stack, so that no
  // depth of folders can use that stack up.
  struct Frame {
    clFolderPlace place;  // read without read-ahead; the read-ahead keeps its own
    std::vector<clFolderItem> items;
    std::size_t next = 0;
    std::size_t pathLength = 0;
    clFolderId id{0, 0};  // (0, 0) when unknown
  };

  bool Walk(const clFolderPlace& root, clFolderId rootId);
  void ReadFrame(Frame& frame);
  // Whether the walk enters the accepted folder `item`, and marks it entered if so.
  bool Enters(const clFolderItem& item);
  bool IsSystemFolder(const clFolderItem& item) const;
  bool PassesFilters(const std::string& folder, const clFolderItem& item) const;
  bool WouldEnter(const std::string& folder, const clFolderItem& item) const;

  clFilePlatform& platform;
  // The folders open on the branch, never entered again (a loop), and every folder
  // entered during this read, which a link does not lead into again.
  std::unordered_set<clFolderId, clFolderIdHash> branch;
  std::unordered_set<clFolderId, clFolderIdHash> entered;
  std::string path;          // of the folder the walk is in
  bool systemKnown = false;  // the system folder's identity, when it is left out
  clFolderId systemId{0, 0};
  clReadAhead::Limits readAheadLimits;
  std::unique_ptr<clReadAhead> readAhead;  // during a walk
  clReadAhead::Stats readAheadStats;
  int16_t level = 0;
  clStructureList folderList;
  std::string windowsDirectory;
  std::string lastFolder;
  clSoftOption option;
  MessageBox messageBox;
};
