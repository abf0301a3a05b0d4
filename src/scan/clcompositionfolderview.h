#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "scan/clcompositionfolder.h"

// One entry of the structure list as it is read in place: its level, its name as bytes
// inside the list, and whether it is a folder. The name stays valid until the list next
// grows or is emptied; a view fetched again afterwards is correct again.
class clCompositionFolderView {
 public:
  clCompositionFolderView() = default;
  clCompositionFolderView(int16_t level, std::string_view name, int16_t isFolder)
      : name(name), level(level), isFolder(isFolder) {}

  int16_t GetLevel() const { return level; }
  // A copy of the name; the writers read Name() and copy nothing.
  std::string GetName() const { return std::string(name); }
  std::string_view Name() const { return name; }
  int16_t GetIsFolder() const { return isFolder; }

  // A copy of the entry that owns its name, for whoever wants to keep it.
  explicit operator clCompositionFolder() const {
    return clCompositionFolder(level, std::string(name), isFolder);
  }

 private:
  std::string_view name;
  int16_t level = 0;
  int16_t isFolder = 0;
};
