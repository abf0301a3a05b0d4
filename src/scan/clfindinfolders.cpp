#include "scan/clfindinfolders.h"

#include <algorithm>
#include <utility>

#include "platform/clpath.h"

namespace {

const char* const kNoSystemFolderText = "異常が発生しました。WindowsDirectoryが不明です。";
const char* const kNoSystemFolderCaption = "異常";

// Whether clPath::JoinInside(folder, name) starts with `prefix`, without composing the path.
bool JoinedStartsWith(const std::string& folder, const std::string& name,
                      const std::string& prefix) {
  const bool addSeparator = !clPath::EndsWithSeparator(folder);
  const std::size_t joinedSize = folder.size() + (addSeparator ? 1 : 0) + name.size();
  if (prefix.size() > joinedSize) return false;
  std::size_t at = std::min(prefix.size(), folder.size());
  if (prefix.compare(0, at, folder, 0, at) != 0) return false;
  if (at == prefix.size()) return true;
  if (addSeparator) {
    if (prefix[at] != clPath::kSeparator) return false;
    ++at;
  }
  return prefix.compare(at, std::string::npos, name, 0, prefix.size() - at) == 0;
}

}  // namespace

clFindInFolders::clFindInFolders(clFilePlatform& platform) : platform(platform) {}

void clFindInFolders::Clear() {
  level = 0;
  windowsDirectory.clear();
  lastFolder.clear();
  stopRequested.store(false);
  folderList.clear();
  entered.clear();
}

void clFindInFolders::SetWindowsDirectory(std::string path) { windowsDirectory = std::move(path); }
void clFindInFolders::SetLevel(int16_t value) { level = value; }
void clFindInFolders::SetSubFolder(bool value) { option.SetSubFolder(value); }
void clFindInFolders::SetHideFile(bool value) { option.SetHideFile(value); }
void clFindInFolders::SetWinFolder(bool value) { option.SetWinFolder(value); }
void clFindInFolders::SetReadOnlyFile(bool value) { option.SetReadOnlyFile(value); }
void clFindInFolders::SetMessageBox(MessageBox box) { messageBox = std::move(box); }

bool clFindInFolders::IsSystemFolder(const clFolderItem& item) const {
  return systemKnown && item.device == systemId.device && item.inode == systemId.inode;
}

// The system folder, hidden and read-only tests, in this order.
bool clFindInFolders::PassesFilters(const std::string& folder, const clFolderItem& item) const {
  // Left out: every item whose path begins with the system folder's path, and the system
  // folder itself whatever path leads to it.
  if (!option.GetWinFolder() &&
      (JoinedStartsWith(folder, item.name, windowsDirectory) || IsSystemFolder(item))) {
    return false;
  }
  if (!option.GetHideFile() && item.hidden) return false;
  if (!option.GetReadOnlyFile() && item.readOnly) return false;
  return true;
}

// Whether the walk, in `folder`, would enter `item` unless it has entered that folder
// already: what the read-ahead lists.
bool clFindInFolders::WouldEnter(const std::string& folder, const clFolderItem& item) const {
  if (!option.GetSubFolder() || !item.isFolder || item.name == "." || item.name == "..") {
    return false;
  }
  if (!option.GetWinFolder() && windowsDirectory.empty()) return false;
  return PassesFilters(folder, item);
}

bool clFindInFolders::Search(std::string folder) {
  // The root is entered first: a link back to it is listed but not entered. The system
  // folder is known by its identity too, so that no path leads into it.
  entered.clear();
  clFolderId rootId{0, 0};
  if (platform.FolderIdentity(folder, rootId.device, rootId.inode)) entered.insert(rootId);
  systemKnown = !option.GetWinFolder() && !windowsDirectory.empty() &&
                platform.FolderIdentity(windowsDirectory, systemId.device, systemId.inode);
  const clFolderPlace root = platform.RootPlace(folder);
  if (readAheadLimits.threads > 0 && option.GetSubFolder() && platform.ReadsInParallel()) {
    readAhead = std::make_unique<clReadAhead>(
        platform, stopRequested,
        [this](const std::string& in, const clFolderItem& item) { return WouldEnter(in, item); },
        readAheadLimits);
    readAhead->EnterRoot(root, rootId.device, rootId.inode);
  }
  bool result = false;
  try {
    result = SearchPlace(root);
  } catch (...) {
    // Out of memory: the read-ahead ends here too, before its threads list any further.
    readAhead.reset();
    readAheadStats = {};
    entered.clear();
    throw;
  }
  // The read-ahead ends with the walk, a stopped one too.
  if (readAhead) {
    readAheadStats = readAhead->GetStats();
    readAhead.reset();
  } else {
    readAheadStats = {};
  }
  entered.clear();
  return result;
}

bool clFindInFolders::SearchPlace(const clFolderPlace& place) {
  const std::string& folder = place.path;
  // The folder's items are read before anything below it is opened, so the walk holds
  // no open enumeration while it descends; a folder is opened relative to an open
  // ancestor, so no path's length keeps it from being read.
  // A folder that cannot be read yields no items: its entry stays without contents. A
  // stop ends the read early; the first item read then sees it.
  std::vector<clFolderItem> items;
  if (readAhead) {
    readAhead->Read(items);
  } else {
    platform.ReadPlace(place, items, stopRequested);
  }

  const bool subFolder = option.GetSubFolder();
  const bool winFolder = option.GetWinFolder();

  // Per item: the stop test, the name test, the system folder, hidden, read-only, then
  // the entry and, for a folder, the walk into it. A stop is seen at any item, "." and
  // ".." included.
  for (clFolderItem& item : items) {
    if (stopRequested.load(std::memory_order_relaxed)) {
      lastFolder = folder;
      return false;
    }
    if (item.name == "." || item.name == "..") continue;
    // Without the system folder's path the walk cannot leave it out: it ends at once.
    if (!winFolder && windowsDirectory.empty()) {
      if (messageBox) messageBox(kNoSystemFolderText, kNoSystemFolderCaption);
      return false;
    }
    if (!PassesFilters(folder, item)) continue;

    // A folder entered already during this read (a link to it, or back up the branch) is
    // listed but not entered again: links pointing at each other's parents would
    // otherwise multiply the paths without end. An item that could not be examined has
    // no identity to compare and is entered. Only an entered folder's path is built.
    const bool examined = item.device != 0 || item.inode != 0;
    const bool enter = subFolder && item.isFolder &&
                       (!examined || entered.insert({item.device, item.inode}).second);
    folderList.push_back(level, item.name, static_cast<int16_t>(item.isFolder ? 1 : 0));
    if (enter) {
      ++level;
      std::string path = clPath::JoinInside(folder, item.name);
      if (readAhead) {
        SearchPlace(readAhead->Enter(item, std::move(path)));
        readAhead->Leave();
      } else {
        SearchPlace(platform.ChildPlace(place, item, std::move(path)));
      }
      --level;
    }
  }
  lastFolder = folder;
  return true;
}
