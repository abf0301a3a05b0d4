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
  branch.clear();
  depth = 0;
}

void clFindInFolders::SetWindowsDirectory(std::string path) { windowsDirectory = std::move(path); }
void clFindInFolders::SetLevel(int16_t value) { level = value; }
void clFindInFolders::SetSubFolder(bool value) { option.SetSubFolder(value); }
void clFindInFolders::SetHideFile(bool value) { option.SetHideFile(value); }
void clFindInFolders::SetWinFolder(bool value) { option.SetWinFolder(value); }
void clFindInFolders::SetReadOnlyFile(bool value) { option.SetReadOnlyFile(value); }
void clFindInFolders::SetMessageBox(MessageBox box) { messageBox = std::move(box); }

bool clFindInFolders::IsOpenOnBranch(const clFolderItem& item) const {
  if (item.device == 0 && item.inode == 0) return false;  // not examined: nothing to compare
  return std::any_of(branch.begin(), branch.end(), [&](const FolderId& id) {
    return id.device == item.device && id.inode == item.inode;
  });
}

bool clFindInFolders::Search(std::string folder) {
  // The root call remembers the root's identity, so that a link back to it is not entered.
  const bool isRoot = depth == 0;
  if (isRoot) {
    branch.clear();
    FolderId rootId{0, 0};
    if (platform.FolderIdentity(folder, rootId.device, rootId.inode)) branch.push_back(rootId);
  }
  struct DepthGuard {
    int& depth;
    explicit DepthGuard(int& value) : depth(value) { ++depth; }
    ~DepthGuard() { --depth; }
  } depthGuard(depth);

  // The folder's items are read before anything below it is opened, so the walk holds
  // no open handle while it descends.
  // A folder that cannot be read yields no items: its entry stays without contents. A
  // stop ends the read early; the first item read then sees it.
  std::vector<clFolderItem> items;
  platform.ReadFolderUntil(folder, items, stopRequested);

  const bool subFolder = option.GetSubFolder();
  const bool winFolder = option.GetWinFolder();
  const bool hideFile = option.GetHideFile();
  const bool readOnlyFile = option.GetReadOnlyFile();

  // Per item: the stop test, the name test, the system folder, hidden, read-only, then
  // the entry and, for a folder, the walk into it. A stop is seen at any item, "." and
  // ".." included.
  for (clFolderItem& item : items) {
    if (stopRequested.load(std::memory_order_relaxed)) {
      lastFolder = folder;
      return false;
    }
    if (item.name == "." || item.name == "..") continue;
    if (!winFolder) {
      // Without the system folder's path the walk cannot leave it out: it ends at once.
      if (windowsDirectory.empty()) {
        if (messageBox) messageBox(kNoSystemFolderText, kNoSystemFolderCaption);
        return false;
      }
      // Left out: the system folder and every item whose path begins with its path.
      if (JoinedStartsWith(folder, item.name, windowsDirectory)) continue;
    }
    if (!hideFile && item.hidden) continue;
    if (!readOnlyFile && item.readOnly) continue;

    // A folder already being walked higher on this branch (a link back to it) is listed
    // but not entered: the walk would otherwise never end. Only an entered folder's path is built.
    const bool enter = subFolder && item.isFolder && !IsOpenOnBranch(item);
    std::string child = enter ? clPath::JoinInside(folder, item.name) : std::string();
    folderList.push_back(level, item.name, static_cast<int16_t>(item.isFolder ? 1 : 0));
    if (enter) {
      branch.push_back({item.device, item.inode});
      ++level;
      Search(std::move(child));
      --level;
      branch.pop_back();
    }
  }
  lastFolder = folder;
  return true;
}
