#pragma once

#include <cstdint>
#include <string>

class QWidget;

// Lets the user pick one folder in a modal folder chooser and hands back its path.
// Create it as a local, set the title and perhaps the initial folder, run Execute
// with the calling window as owner and read the path: empty means cancelled.
class clCalledWinDialog {
 public:
  clCalledWinDialog();

  // The text shown by the chooser (UTF-8).
  void SetTitle(const std::string& title);
  // The folder pre-selected when the chooser opens (raw path bytes); empty
  // switches the pre-selection off.
  void SetInitialFolder(const std::string& folder);
  // Shows the chooser owned by the given window and waits for it. Always true:
  // the caller tests the path, which is empty after a cancel.
  bool Execute(QWidget* owner);
  // The folder chosen by the last Execute (raw path bytes).
  std::string GetFolderPath() const;

 private:
  std::string folderPath;
  std::string title;
  std::string initialFolder;
  // Only real folders can be confirmed; nothing changes this.
  uint32_t browseFlags;
};
