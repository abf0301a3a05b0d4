#include "platform/win32/clwidepathmap.h"

#include <utility>

#include "platform/win32/clsystemcodepage.h"

std::string_view clWidePathMap::ChildName(const Open& open, std::string_view path) {
  if (path.size() <= open.path.size() || path.compare(0, open.path.size(), open.path) != 0) {
    return {};
  }
  std::string_view rest = path.substr(open.path.size());
  if (rest.front() == '\\' || rest.front() == '/') {
    rest.remove_prefix(1);
  } else if (!clSystemCodePage::EndsWithSeparator(open.path)) {
    return {};  // "C:\ab" is no item of "C:\a"
  }
  return rest;
}

std::size_t clWidePathMap::Next(const Open& open, std::string_view name) {
  std::size_t first = kNone;
  for (std::size_t at = 0; at < open.folders.size(); ++at) {
    if (open.folders[at].name != name) continue;
    if (open.taken == kNone || at > open.taken) return at;
    if (first == kNone) first = at;
  }
  return first;  // asked for again: the first of that form
}

std::wstring clWidePathMap::Join(const std::wstring& folder, const std::wstring& name) {
  std::wstring path = folder;
  if (path.empty() || (path.back() != L'\\' && path.back() != L'/')) path += L'\\';
  return path + name;
}

std::size_t clWidePathMap::Find(const std::string& parent, const std::string& name, uint64_t device,
                                uint64_t inode) {
  const std::lock_guard<std::mutex> lock(mutex);
  for (auto open = branch.rbegin(); open != branch.rend(); ++open) {
    if (open->path != parent) continue;
    if (device != 0 || inode != 0) {
      for (std::size_t at = 0; at < open->folders.size(); ++at) {
        const Folder& folder = open->folders[at];
        if (folder.name == name && folder.device == device && folder.inode == inode) return at;
      }
    }
    return Next(*open, name);
  }
  return kNone;
}

std::wstring clWidePathMap::Enter(const std::string& path, std::size_t index) {
  const std::lock_guard<std::mutex> lock(mutex);
  while (!branch.empty()) {
    Open& open = branch.back();
    // A folder read before under this same form is done: the form now names the next
    // sub-folder of its parent that reads alike.
    const std::string_view name = open.path == path ? std::string_view() : ChildName(open, path);
    if (!name.empty()) {
      const bool named = index < open.folders.size() && open.folders[index].name == name;
      const std::size_t at = named ? index : Next(open, name);
      if (at != kNone) {
        open.taken = at;
        return Join(open.wide, open.folders[at].wide);
      }
      return Join(open.wide, clSystemCodePage::ToWide(name));
    }
    branch.pop_back();  // done with it: the walk has moved on
  }
  return clSystemCodePage::ToWide(path);
}

void clWidePathMap::Opened(const std::string& path, std::wstring wide,
                           std::vector<Folder> folders) {
  const std::lock_guard<std::mutex> lock(mutex);
  branch.push_back(Open{path, std::move(wide), std::move(folders)});
}

std::wstring clWidePathMap::Lookup(const std::string& path) {
  const std::lock_guard<std::mutex> lock(mutex);
  for (auto open = branch.rbegin(); open != branch.rend(); ++open) {
    if (open->path == path) return open->wide;
    const std::string_view name = ChildName(*open, path);
    if (name.empty()) continue;
    const std::size_t at = Next(*open, name);
    return Join(open->wide, at != kNone ? open->folders[at].wide : clSystemCodePage::ToWide(name));
  }
  return clSystemCodePage::ToWide(path);
}
