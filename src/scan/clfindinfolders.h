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
  bool SearchPlace(const clFolderPlace& place);
  bool IsSystemFolder(const clFolderItem& item) const;
  bool PassesFilters(const std::string& folder, const clFolderItem& item) const;
  bool WouldEnter(const std::string& folder, const clFolderItem& item) const;

  clFilePlatform& platform;
  // Every folder entered during this read: one met again (through a link) is listed
  // there but not entered again.
  std::unordered_set<clFolderId, clFolderIdHash> entered;
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
