#pragma once

#include "platform/clfileplatform.h"

// The file system of a POSIX system: names as raw bytes, folder = stat (following
// links) says directory, hidden = leading ".", read-only = owner write bit absent, a
// link = a symbolic link, system folder "/proc".
class clPosixPlatform : public clFilePlatform {
 public:
  bool ReadFolder(const std::string& folder, std::vector<clFolderItem>& items) override;
  bool ReadFolderUntil(const std::string& folder, std::vector<clFolderItem>& items,
                       const std::atomic<bool>& stop) override;
  clFolderPlace RootPlace(const std::string& folder) override;
  clFolderPlace ChildPlace(const clFolderPlace& parent, const clFolderItem& item,
                           std::string path) override;
  bool ReadPlace(const clFolderPlace& place, std::vector<clFolderItem>& items,
                 const std::atomic<bool>& stop) override;
  bool FolderIdentity(const std::string& folder, uint64_t& device, uint64_t& inode) override;
  std::string GetSystemFolder() override;
  clPathKind GetPathKind(const std::string& path) override;
  bool CreateFolders(const std::string& folder) override;
  unsigned Processors() const override;
  clFileRead ReadWholeFile(const std::string& path, std::string& text) override;
  bool ReplaceFile(const std::string& path, const std::string& text) override;

 private:
  static bool Read(int fd, std::vector<clFolderItem>& items, const std::atomic<bool>* stop);
};
