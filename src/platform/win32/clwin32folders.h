#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/clfileplatform.h"

// A folder of a walk on Windows: its wide name below its parent (the whole wide path of
// the folder a read starts from), and the volume it lies on. A branch holds each name
// once, however deep it goes.
class clWin32Folder : public clFolderBase {
 public:
  clWin32Folder(std::shared_ptr<const clWin32Folder> parent, std::wstring name, uint64_t volume)
      : parent(std::move(parent)), name(std::move(name)), volume(volume) {}
  ~clWin32Folder() override;
  clWin32Folder(const clWin32Folder&) = delete;
  clWin32Folder& operator=(const clWin32Folder&) = delete;

  // The folder's whole wide path.
  std::wstring Path() const;

  // Lists the folder at `wide` on `volume` (its serial number) into `items`, with the
  // identity of every item from the listing itself, and of a reparse point from what it
  // leads to. Fetches many items per request. Ends early once `stop` reads true.
  static bool List(const std::wstring& wide, uint64_t volume, std::vector<clFolderItem>& items,
                   const std::atomic<bool>* stop);
  // The volume serial number and file index of what `wide` names, links followed.
  static bool IdentityOf(const std::wstring& wide, uint64_t& device, uint64_t& inode);

  std::shared_ptr<const clWin32Folder> parent;  // let go only by the destructor
  const std::wstring name;
  const uint64_t volume;
};
