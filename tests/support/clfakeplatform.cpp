#include "clfakeplatform.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace {

// The separators of a path: a walk on Windows joins names with "\\".
#ifdef _WIN32
constexpr const char* kSeparators = "/\\";
#else
constexpr const char* kSeparators = "/";
#endif

// Splits "/a//b/" into its components "a", "b" (empty components are dropped).
std::vector<std::string> Components(const std::string& path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t slash = path.find_first_of(kSeparators, start);
    if (slash == std::string::npos) slash = path.size();
    if (slash > start) parts.push_back(path.substr(start, slash - start));
    start = slash + 1;
  }
  return parts;
}

}  // namespace

clFakePlatform::clFakePlatform() {
  Node root;
  root.isFolder = true;
  nodes.push_back(std::move(root));
}

clFakePlatform::clFakePlatform(std::initializer_list<std::string> lines) : clFakePlatform() {
  for (const auto& line : lines) Add(line);
}

void clFakePlatform::Add(const std::string& line) {
  const std::size_t slash = line.find('/');
  if (slash == std::string::npos) throw std::invalid_argument("not an absolute path: " + line);

  std::string target;
  const std::size_t arrow = line.find(" -> ");
  if (arrow != std::string::npos) {
    target = line.substr(arrow + 4);
    if (target.empty() || target[0] != '/')
      throw std::invalid_argument("not an absolute target: " + line);
    Add(line.substr(0, arrow));  // the link's own line, as a file
    const std::size_t node = Find(line.substr(line.find('/'), arrow - line.find('/')), kNoLinks);
    nodes[node].isLink = true;
    nodes[node].target = target;
    return;
  }
  bool readOnly = false, hidden = false, locked = false, gone = false;
  std::size_t errorAfter = kNone;
  std::size_t start = 0;
  while (start < slash) {
    const std::size_t colon = line.find(':', start);
    if (colon == std::string::npos || colon > slash) {
      throw std::invalid_argument("a marker lacks its ':' in " + line);
    }
    const std::string marker = line.substr(start, colon - start);
    if (marker == "ro") {
      readOnly = true;
    } else if (marker == "hidden") {
      hidden = true;
    } else if (marker == "locked") {
      locked = true;
    } else if (marker == "gone") {
      gone = true;
    } else if (marker.rfind("error@", 0) == 0) {
      errorAfter = std::stoul(marker.substr(6));
    } else {
      throw std::invalid_argument("unknown marker '" + marker + "' in " + line);
    }
    start = colon + 1;
  }

  const std::string path = line.substr(slash);
  const bool isFolder = path.back() == '/';
  const std::vector<std::string> parts = Components(path);
  std::size_t node = 0;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const bool last = i + 1 == parts.size();
    std::size_t next = Child(node, parts[i]);
    if (next == kNone) next = MakeChild(node, parts[i], !last || isFolder);
    if (!last && !nodes[next].isFolder) throw std::invalid_argument("a file in the way: " + line);
    node = next;
  }
  Node& item = nodes[node];
  item.readOnly = item.readOnly || readOnly;
  item.hidden = item.hidden || hidden;
  item.locked = item.locked || locked;
  item.gone = item.gone || gone;
  if (errorAfter != kNone) item.errorAfter = errorAfter;
}

std::size_t clFakePlatform::Child(std::size_t folder, const std::string& name) const {
  for (std::size_t child : nodes[folder].children) {
    if (nodes[child].name == name) return child;
  }
  return kNone;
}

std::size_t clFakePlatform::MakeChild(std::size_t folder, const std::string& name, bool isFolder) {
  if (name == "." || name == "..") throw std::invalid_argument("'.' and '..' are not items");
  Node node;
  node.name = name;
  node.parent = folder;
  node.isFolder = isFolder;
  node.hidden = name[0] == '.';
  nodes.push_back(std::move(node));
  nodes[folder].children.push_back(nodes.size() - 1);
  return nodes.size() - 1;
}

std::size_t clFakePlatform::Resolve(std::size_t node, int links) const {
  if (node == kNone || !nodes[node].isLink) return node;
  if (links >= kMostLinks) return kNone;  // a loop of links names nothing
  return Find(nodes[node].target, links + 1);
}

std::size_t clFakePlatform::Find(const std::string& path) const { return Find(path, 0); }

// Follows links on the way, and at the end unless `links` is kNoLinks (the link itself).
std::size_t clFakePlatform::Find(const std::string& path, int links) const {
  if (path.empty() || path[0] != '/') return kNone;
  const std::vector<std::string> parts = Components(path);
  std::size_t node = 0;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const std::string& part = parts[i];
    if (!nodes[node].isFolder) return kNone;
    if (part == ".") continue;
    if (part == "..") {
      if (nodes[node].parent != kNone) node = nodes[node].parent;
      continue;
    }
    node = Child(node, part);
    if (node == kNone) return kNone;
    if (i + 1 < parts.size() || links != kNoLinks)
      node = Resolve(node, links == kNoLinks ? 0 : links);
    if (node == kNone) return kNone;
  }
  return node;
}

clFolderItem clFakePlatform::ItemOf(std::size_t node, std::string name) const {
  clFolderItem item;
  item.hidden = nodes[node].hidden || (!name.empty() && name[0] == '.');
  item.name = std::move(name);
  item.isLink = nodes[node].isLink;
  if (nodes[node].isLink) {
    node = Resolve(node);
    if (node == kNone) return item;  // dangling: a file without attributes
  }
  item.isFolder = nodes[node].isFolder;
  item.readOnly = nodes[node].readOnly;
  item.device = kDevice;
  item.inode = node + 1;
  return item;
}

bool clFakePlatform::ReadFolderUntil(const std::string& folder, std::vector<clFolderItem>& items,
                                     const std::atomic<bool>& stop) {
  if (holdRead) holdRead(folder, stop);
  return ReadFolder(folder, items);
}

bool clFakePlatform::ReadFolder(const std::string& folder, std::vector<clFolderItem>& items) {
  const std::lock_guard<std::recursive_mutex> lock(mutex);
  readLog.push_back(folder);
  if (beforeRead) beforeRead(folder);
  const std::size_t node = Find(folder);
  if (node == kNone || !nodes[node].isFolder || nodes[node].locked || nodes[node].gone) {
    return false;
  }
  if (dotEntries) {
    items.push_back(ItemOf(node, "."));
    items.push_back(ItemOf(nodes[node].parent == kNone ? node : nodes[node].parent, ".."));
  }
  const std::vector<std::size_t>& children = nodes[node].children;
  for (std::size_t i = 0; i < children.size() && i < nodes[node].errorAfter; ++i) {
    items.push_back(ItemOf(children[i], nodes[children[i]].name));
  }
  return true;
}

bool clFakePlatform::FolderIdentity(const std::string& folder, uint64_t& device, uint64_t& inode) {
  const std::lock_guard<std::recursive_mutex> lock(mutex);
  const std::size_t node = Find(folder);
  if (node == kNone || !nodes[node].isFolder) return false;
  device = kDevice;
  inode = node + 1;
  return true;
}

clPathKind clFakePlatform::GetPathKind(const std::string& path) {
  const std::size_t node = Find(path);
  if (node == kNone) return clPathKind::Missing;
  return nodes[node].isFolder ? clPathKind::Folder : clPathKind::File;
}

bool clFakePlatform::CreateFolders(const std::string& folder) {
  if (folder.empty() || folder[0] != '/') return false;
  std::size_t node = 0;
  for (const std::string& part : Components(folder)) {
    if (!nodes[node].isFolder) return false;
    if (part == ".") continue;
    if (part == "..") {
      if (nodes[node].parent != kNone) node = nodes[node].parent;
      continue;
    }
    std::size_t next = Child(node, part);
    if (next == kNone) {
      if (nodes[node].locked) return false;
      next = MakeChild(node, part, true);
    }
    node = next;
  }
  return nodes[node].isFolder;
}

std::string clFakePlatform::FileKey(std::string path) {
  // Paths joined with the system's separator find what the tests name with "/".
  for (char& c : path) c = c == '\\' ? '/' : c;
  return path;
}

clFileRead clFakePlatform::ReadWholeFile(const std::string& given, std::string& text) {
  const std::string path = FileKey(given);
  text.clear();
  if (std::find(unreadable.begin(), unreadable.end(), path) != unreadable.end()) {
    return clFileRead::Failed;
  }
  const auto found = files.find(path);
  if (found == files.end()) return clFileRead::Missing;
  text = found->second;
  return clFileRead::Read;
}

bool clFakePlatform::ReplaceFile(const std::string& given, const std::string& text) {
  const std::string path = FileKey(given);
  if (std::find(unreadable.begin(), unreadable.end(), path) != unreadable.end()) return false;
  files[path] = text;
  return true;
}
