#include "scan/clfindinfolders.h"

#include <utility>
#include <vector>

#include "platform/clpath.h"

namespace {

const char* const kNoSystemFolderText = "異常が発生しました。WindowsDirectoryが不明です。";
const char* const kNoSystemFolderCaption = "異常";

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
      (clPath::JoinedStartsWith(folder, item.name, windowsDirectory) || IsSystemFolder(item))) {
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
  // The root is on the branch first: a link back to it is listed but not entered. The
  // system folder is known by its identity too, so that no path leads into it.
  entered.clear();
  branch.clear();
  clFolderId rootId{0, 0};
  platform.FolderIdentity(folder, rootId.device, rootId.inode);
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
    result = Walk(root, rootId);
  } catch (...) {
    // Out of memory: the read-ahead ends here too, before its threads list any further.
    readAhead.reset();
    readAheadStats = {};
    entered.clear();
    branch.clear();
    path = std::string();
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
  branch.clear();
  path = std::string();
  return result;
}

void clFindInFolders::ReadFrame(Frame& frame) {
  // The folder's items are read before anything below it is opened, so the walk holds
  // no open enumeration while it descends; a folder is opened relative to an open
  // ancestor, so no path's length keeps it from being read.
  // A folder that cannot be read yields no items: its entry stays without contents. A
  // stop ends the read early; the first item read then sees it.
  if (readAhead) {
    readAhead->Read(frame.items);
    return;
  }
  platform.ReadPlace(frame.place, frame.items, stopRequested);
  // Its children's places need no more of its path.
  if (frame.place.base) frame.place.path = std::string();
}

bool clFindInFolders::Enters(const clFolderItem& item) {
  // A folder open higher on the branch is never entered: a loop. A folder reached
  // through a link is not entered when it was entered already during this read (links
  // that point at each other's parents would otherwise multiply the paths without end);
  // a real folder always is, so nothing a link showed first goes missing from its own
  // place. An item that could not be examined has no identity to compare and is entered.
  const clFolderId id{item.device, item.inode};
  if (id.device == 0 && id.inode == 0) return true;
  if (branch.count(id) != 0) return false;
  const bool first = entered.insert(id).second;
  return first || !item.isLink;
}

bool clFindInFolders::Walk(const clFolderPlace& root, clFolderId rootId) {
  std::vector<Frame> stack;
  // Folders end from the innermost out, whatever ends the walk.
  struct Unwind {
    std::vector<Frame>& stack;
    ~Unwind() {
      while (!stack.empty()) stack.pop_back();
    }
  } unwind{stack};

  path = root.path;
  stack.push_back(Frame{root, {}, 0, path.size(), rootId});
  if (rootId.device != 0 || rootId.inode != 0) branch.insert(rootId);
  ReadFrame(stack.back());

  const bool subFolder = option.GetSubFolder();
  const bool winFolder = option.GetWinFolder();
  bool result = true;  // of the folder that ended last; the root ends last
  // A folder ends with true when its items ran out, with false at a stop, and the walk
  // goes on with the next item of the folder above. Only the root's path is kept as the
  // last folder: each folder's end sets it, and the root's end comes last.
  auto end = [&](bool ended, bool setLast) {
    Frame& frame = stack.back();
    if (setLast && stack.size() == 1) lastFolder = path;
    if (frame.id.device != 0 || frame.id.inode != 0) branch.erase(frame.id);
    stack.pop_back();
    if (!stack.empty()) {
      if (readAhead) readAhead->Leave();
      --level;
      path.resize(stack.back().pathLength);
    }
    result = ended;
  };

  // Per item: the stop test, the name test, the system folder, hidden, read-only, then
  // the entry and, for a folder, the walk into it. A stop is seen at any item, "." and
  // ".." included.
  while (!stack.empty()) {
    Frame& frame = stack.back();
    if (frame.next == frame.items.size()) {
      end(true, true);
      continue;
    }
    clFolderItem& item = frame.items[frame.next++];
    if (stopRequested.load(std::memory_order_relaxed)) {
      end(false, true);
      continue;
    }
    if (item.name == "." || item.name == "..") continue;
    // Without the system folder's path the walk cannot leave it out: it ends at once.
    if (!winFolder && windowsDirectory.empty()) {
      if (messageBox) messageBox(kNoSystemFolderText, kNoSystemFolderCaption);
      end(false, false);
      continue;
    }
    if (!PassesFilters(path, item)) continue;

    // Only an entered folder's path is built.
    const bool enter = subFolder && item.isFolder && Enters(item);
    folderList.push_back(level, item.name, static_cast<int16_t>(item.isFolder ? 1 : 0));
    if (!enter) continue;
    ++level;
    if (!clPath::EndsWithSeparator(path)) path += clPath::kSeparator;
    path += item.name;
    Frame child;
    child.pathLength = path.size();
    child.id = {item.device, item.inode};
    if (readAhead) {
      readAhead->Enter(item, path);
    } else {
      child.place = platform.ChildPlace(frame.place, item, path);
    }
    if (child.id.device != 0 || child.id.inode != 0) branch.insert(child.id);
    stack.push_back(std::move(child));
    ReadFrame(stack.back());
  }
  return result;
}
