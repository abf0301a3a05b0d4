#pragma once

#include <string>
#include <vector>

class QMimeData;

// The items of a drop as raw path bytes. The URI list is decoded byte for byte, so a
// name that is not valid UTF-8 arrives unchanged; items that are not local files are
// counted but give no path.
struct clDroppedPaths {
  std::vector<std::string> paths;  // one per item; empty for an item that is not local
  bool allLocal = true;

  static clDroppedPaths From(const QMimeData& data);
};
