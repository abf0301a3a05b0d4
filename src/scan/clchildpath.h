#pragma once

#include <string>

// The path of the item `name` in `folder`: the two joined with "/", without doubling a
// separator the folder ends in. The walk and its read-ahead compose paths alike.
class clChildPath {
 public:
  static std::string Join(const std::string& folder, const std::string& name) {
    std::string path;
    path.reserve(folder.size() + 1 + name.size());
    path += folder;
    if (path.empty() || path.back() != '/') path += '/';
    path += name;
    return path;
  }
};
