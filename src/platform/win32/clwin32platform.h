#pragma once

#include <string>

#include "platform/clfileplatform.h"
#include "platform/win32/clwidepathmap.h"

// The file system of Windows. Folders are read with the wide functions in their long
// form, so that names the system code page cannot hold can still be opened and folders
// deeper than 260 characters are read; the names are delivered in the system code page
// as the ANSI functions show them ("?" where a character has no form there). Folder,
// hidden and read-only are the file system's attribute bits; the identity of a folder
// is its volume serial number and file index; the system folder is the Windows folder.
// Whole files (the settings file) are read and replaced with the ANSI functions.
class clWin32Platform : public clFilePlatform {
 public:
  bool ReadFolder(const std::string& folder, std::vector<clFolderItem>& items) override;
  bool ReadFolderUntil(const std::string& folder, std::vector<clFolderItem>& items,
                       const std::atomic<bool>& stop) override;
  bool FolderIdentity(const std::string& folder, uint64_t& device, uint64_t& inode) override;
  // A sub-folder's place names the very item of its parent's listing, so that of names
  // that read alike in the code page the walk reads the one it entered.
  clFolderPlace ChildPlace(const clFolderPlace& parent, const clFolderItem& item,
                           std::string path) override;
  bool ReadPlace(const clFolderPlace& place, std::vector<clFolderItem>& items,
                 const std::atomic<bool>& stop) override;
  // The wide names kept for the walk follow the walk's own order of folders: no folder is
  // listed ahead of it.
  bool ReadsInParallel() const override { return false; }
  std::string GetSystemFolder() override;
  clPathKind GetPathKind(const std::string& path) override;
  bool CreateFolders(const std::string& folder) override;
  clFileRead ReadWholeFile(const std::string& path, std::string& text) override;
  bool ReplaceFile(const std::string& path, const std::string& text) override;

 private:
  bool Read(const std::string& folder, std::vector<clFolderItem>& items,
            const std::atomic<bool>* stop, std::size_t index = clWidePathMap::kNone);
  static bool IdentityOf(const std::wstring& wide, uint64_t& device, uint64_t& inode);

  clWidePathMap paths;
};
