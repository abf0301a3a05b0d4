#pragma once

#include <string>

#include "platform/clfileplatform.h"
#include "platform/win32/clwideroots.h"

// The file system of Windows. Folders are read with the wide functions in their long
// form, so that names the system code page cannot hold can still be opened and folders
// deeper than 260 characters are read; the names are delivered in the system code page
// as the ANSI functions show them ("?" where a character has no form there). Folder,
// hidden and read-only are the file system's attribute bits, a link is a reparse point;
// the identity of a folder is its volume serial number and file index, which a listing
// carries for every item but a reparse point; the system folder is the Windows folder.
// Whole files (the settings file) are read and replaced with the ANSI functions.
//
// A folder's place holds its wide name below its parent's place: a folder is opened by
// the very wide path its listing gave, from any thread, so that folders are listed ahead
// of the walk.
class clWin32Platform : public clFilePlatform {
 public:
  bool ReadFolder(const std::string& folder, std::vector<clFolderItem>& items) override;
  bool ReadFolderUntil(const std::string& folder, std::vector<clFolderItem>& items,
                       const std::atomic<bool>& stop) override;
  clFolderPlace RootPlace(const std::string& folder) override;
  clFolderPlace ChildPlace(const clFolderPlace& parent, const clFolderItem& item,
                           std::string path) override;
  bool ReadPlace(const clFolderPlace& place, std::vector<clFolderItem>& items,
                 const std::atomic<bool>& stop) override;
  unsigned Processors() const override;
  bool FolderIdentity(const std::string& folder, uint64_t& device, uint64_t& inode) override;
  std::string GetSystemFolder() override;
  clPathKind GetPathKind(const std::string& path) override;
  bool CreateFolders(const std::string& folder) override;
  clFileRead ReadWholeFile(const std::string& path, std::string& text) override;
  bool ReplaceFile(const std::string& path, const std::string& text) override;

  // The wide path behind a code-page path a way in handed over (a drop, the folder
  // dialog, the command line, the current folder): that path, what lies below it and the
  // folders it lies in are then opened by their wide names.
  void RememberWidePath(const std::string& path, const std::wstring& wide);

 private:
  // The wide path that a path in the system code page names: how every path handed to
  // the platform (a read's root, a path asked about, a folder to create) is opened.
  std::wstring WidePath(const std::string& path) const;

  clWideRoots roots;
};
