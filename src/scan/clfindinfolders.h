#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/clfileplatform.h"
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

  // The structure list, read in place: nothing changes it between walks.
  const clStructureList& GetFolderList() const { return folderList; }
  std::string GetLastFolder() const { return lastFolder; }

  // Written by the main thread to stop the walk; the walk only reads it.
  std::atomic<bool> stopRequested{false};

 private:
  struct FolderId {
    uint64_t device;
    uint64_t inode;
  };
  bool IsOpenOnBranch(const clFolderItem& item) const;

  clFilePlatform& platform;
  std::vector<FolderId> branch;  // the folders open from the root down to the current one
  int depth = 0;                 // nesting of Search calls; 0 outside a walk
  int16_t level = 0;
  clStructureList folderList;
  std::string windowsDirectory;
  std::string lastFolder;
  clSoftOption option;
  MessageBox messageBox;
};
