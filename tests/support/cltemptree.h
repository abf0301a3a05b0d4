#pragma once

#include <initializer_list>
#include <string>

#include "platform/clpath.h"

// A fixture tree in a fresh temporary folder, built from a short declarative list and
// removed again (permissions restored first) when the object goes.
//
// One line per item, paths relative to the root, parents made as needed:
//   "docs/"            a folder
//   "docs/a.txt"       an empty file
//   "docs/a.txt=text"  a file with content
//   "loop -> .."       a symbolic link to the given target
//   "ro:docs/"         mark an item made earlier read-only (owner write bit cleared);
//                      marks are applied after every other line
class clTempTree {
 public:
  clTempTree();
  explicit clTempTree(std::initializer_list<std::string> lines);
  ~clTempTree();
  clTempTree(const clTempTree&) = delete;
  clTempTree& operator=(const clTempTree&) = delete;

  void Build(std::initializer_list<std::string> lines);
  void Add(const std::string& line);  // one line; a read-only mark applies at once

  const std::string& Root() const { return root; }
  // The root, the platform's separator, then `relative` as given.
  std::string Path(const std::string& relative) const { return clPath::Join(root, relative); }

  // Reads a whole file as bytes; empty when missing.
  static std::string ReadFile(const std::string& path);
  static bool Exists(const std::string& path);

 private:
  std::string root;
};
