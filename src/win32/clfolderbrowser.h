#pragma once

#include "platform/win32/clwindows.h"

#include "settings/clfolderchooser.h"

// The shell's folder dialog (SHBrowseForFolderA), owned by a window: file-system
// folders only, the title above the tree, a folder pre-selected by its path.
class clFolderBrowser : public clFolderChooser {
 public:
  explicit clFolderBrowser(HWND owner) : owner(owner) {}
  std::string ChooseFolder(const std::string& title, const std::string& initialFolder,
                           bool preSelect) override;

  // Selects the initial folder once the dialog is up; always 0.
  static int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM parameter, LPARAM data);

 private:
  HWND owner;
};
