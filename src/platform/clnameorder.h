#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

struct clFolderItem;

// The order in which NTFS lists a folder: names compared byte by byte with the ASCII
// letters a-z read as A-Z, and names equal under that rule in the order of their raw
// bytes ("1 a aa Ab B C z _x ~y"). Bytes above 0x7F, whatever encoding they belong to,
// compare as themselves. "." and ".." come before every other name, as the file system
// yields them first.
class clNameOrder {
 public:
  // True when `left` is listed before `right`.
  static bool Less(std::string_view left, std::string_view right);

  // Puts items[from..] in that order; the items before `from` stay where they are.
  static void Sort(std::vector<clFolderItem>& items, std::size_t from = 0);
};
