#pragma once

#include <string>

#include "settings/clfolderchooser.h"

// Lets the user pick one folder in a modal folder chooser and hands back its path.
// Create it as a local, set the title and perhaps the initial folder, run Execute
// with the calling window's chooser and read the path: empty means cancelled.
class clCalledWinDialog {
 public:
  clCalledWinDialog();

  // The text shown by the chooser (UTF-8).
  void SetTitle(const std::string& title);
  // The folder pre-selected when the chooser opens (raw path bytes); empty
  // switches the pre-selection off.
  void SetInitialFolder(const std::string& folder);
  // Shows the chooser of the given window and waits for it. Always true: the caller
  // tests the path, which is empty after a cancel.
  bool Execute(clFolderChooser& owner);
  // The folder chosen by the last Execute (raw path bytes).
  std::string GetFolderPath() const;

 private:
  std::string folderPath;
  std::string title;
  std::string initialFolder;
};
