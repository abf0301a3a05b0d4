#pragma once

#include <chrono>
#include <utility>

#include "platform/clfileplatform.h"

// Another platform with a fixed delay before each folder listing, as a file server adds
// a round trip to each: the slow share of the benchmark where FUSE is missing, and slow
// folders for tests. Everything else is the other platform's.
class clDelayedPlatform : public clFilePlatform {
 public:
  clDelayedPlatform(clFilePlatform& inner, std::chrono::microseconds listingDelay)
      : inner(inner), listingDelay(listingDelay) {}

  bool ReadFolder(const std::string& folder, std::vector<clFolderItem>& items) override;
  bool ReadFolderUntil(const std::string& folder, std::vector<clFolderItem>& items,
                       const std::atomic<bool>& stop) override;
  clFolderPlace RootPlace(const std::string& folder) override { return inner.RootPlace(folder); }
  clFolderPlace ChildPlace(const clFolderPlace& parent, const clFolderItem& item,
                           std::string path) override {
    return inner.ChildPlace(parent, item, std::move(path));
  }
  bool ReadPlace(const clFolderPlace& place, std::vector<clFolderItem>& items,
                 const std::atomic<bool>& stop) override;
  bool FolderIdentity(const std::string& folder, uint64_t& device, uint64_t& inode) override {
    return inner.FolderIdentity(folder, device, inode);
  }
  std::string GetSystemFolder() override { return inner.GetSystemFolder(); }
  clPathKind GetPathKind(const std::string& path) override { return inner.GetPathKind(path); }
  bool CreateFolders(const std::string& folder) override { return inner.CreateFolders(folder); }
  clFileRead ReadWholeFile(const std::string& path, std::string& text) override {
    return inner.ReadWholeFile(path, text);
  }
  bool ReplaceFile(const std::string& path, const std::string& text) override {
    return inner.ReplaceFile(path, text);
  }
  bool ReadsInParallel() const override { return inner.ReadsInParallel(); }
  unsigned Processors() const override { return inner.Processors(); }

 private:
  clFilePlatform& inner;
  const std::chrono::microseconds listingDelay;
};
