#pragma once

#include "platform/win32/clwindows.h"

#include "settings/clfolderchooser.h"

class clWin32Platform;

// The shell's folder dialog (SHBrowseForFolderA), owned by a window: file-system
// folders only, the title above the tree, a folder pre-selected by its path. The chosen
// folder is handed over in the system code page, and its wide path, which names it also
// where the code page cannot or it is longer than 260 characters, to `widePaths`.
class clFolderBrowser : public clFolderChooser {
 public:
  explicit clFolderBrowser(HWND owner, clWin32Platform* widePaths = nullptr)
      : owner(owner), widePaths(widePaths) {}
  std::string ChooseFolder(const std::string& title, const std::string& initialFolder,
                           bool preSelect) override;

  // Selects the initial folder once the dialog is up; always 0.
  static int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM parameter, LPARAM data);

 private:
  HWND owner;
  clWin32Platform* widePaths;
};
