#include "platform/cldelayedplatform.h"

#include <thread>

bool clDelayedPlatform::ReadFolder(const std::string& folder, std::vector<clFolderItem>& items) {
  std::this_thread::sleep_for(listingDelay);
  return inner.ReadFolder(folder, items);
}

bool clDelayedPlatform::ReadFolderUntil(const std::string& folder, std::vector<clFolderItem>& items,
                                        const std::atomic<bool>& stop) {
  std::this_thread::sleep_for(listingDelay);
  return inner.ReadFolderUntil(folder, items, stop);
}

bool clDelayedPlatform::ReadPlace(const clFolderPlace& place, std::vector<clFolderItem>& items,
                                  const std::atomic<bool>& stop) {
  std::this_thread::sleep_for(listingDelay);
  return inner.ReadPlace(place, items, stop);
}
