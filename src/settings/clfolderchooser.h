#pragma once

#include <string>

// A modal folder chooser of a window: shows `title`, opens at `initialFolder` (selected
// in it when `preSelect` is set), waits for the user, and returns the chosen folder's
// path as raw bytes, or the empty text when the user cancelled.
class clFolderChooser {
 public:
  virtual ~clFolderChooser() = default;
  virtual std::string ChooseFolder(const std::string& title, const std::string& initialFolder,
                                   bool preSelect) = 0;
};
