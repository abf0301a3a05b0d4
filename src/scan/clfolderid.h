#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

// A folder's identity (device, inode), as the walk compares folders it entered.
struct clFolderId {
  uint64_t device;
  uint64_t inode;
  bool operator==(const clFolderId&) const = default;
};

struct clFolderIdHash {
  std::size_t operator()(const clFolderId& id) const {
    return std::hash<uint64_t>()(id.inode * 0x9E3779B97F4A7C15ull ^ id.device);
  }
};
