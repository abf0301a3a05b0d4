#include "platform/clpath.h"

#include <algorithm>

#ifdef _WIN32
#include "platform/win32/clsystemcodepage.h"
#endif

namespace {

// The last separator of `path`; on Windows one that is a character of its own, not the
// trail byte of a double-byte character such as "ソ" (83 5C).
std::size_t LastSeparator(const std::string& path) {
#ifdef _WIN32
  return clSystemCodePage::LastSeparator(path);
#else
  return path.rfind(clPath::kSeparator);
#endif
}

// Whether `length` bytes of `text` from `textAt` equal those of `prefix` from `prefixAt`,
// as the file system compares names. Both start at a character's first byte.
bool SameNames(const std::string& prefix, std::size_t prefixAt, const std::string& text,
               std::size_t textAt, std::size_t length) {
#ifdef _WIN32
  for (std::size_t at = 0; at < length; ++at) {
    const auto mine = static_cast<unsigned char>(text[textAt + at]);
    const auto theirs = static_cast<unsigned char>(prefix[prefixAt + at]);
    if (clSystemCodePage::IsLeadByte(mine) && at + 1 < length) {
      if (mine != theirs || text[textAt + at + 1] != prefix[prefixAt + at + 1]) return false;
      ++at;  // the trail byte may be a letter: it is part of the character
      continue;
    }
    const auto upper = [](unsigned char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; };
    if (upper(mine) != upper(theirs)) return false;
  }
  return true;
#else
  return prefix.compare(prefixAt, length, text, textAt, length) == 0;
#endif
}

bool EndsInSeparator(const std::string& path) {
#ifdef _WIN32
  return clSystemCodePage::EndsWithSeparator(path);
#else
  return !path.empty() && path.back() == clPath::kSeparator;
#endif
}

}  // namespace

std::string clPath::Join(const std::string& folder, const std::string& name) {
  std::string path = folder;
  path += kSeparator;
  path += name;
  return path;
}

std::string clPath::JoinInside(const std::string& folder, const std::string& name) {
  if (EndsInSeparator(folder)) return folder + name;
  return Join(folder, name);
}

std::string clPath::FolderPart(const std::string& path) {
  const std::size_t at = LastSeparator(path);
  if (at == std::string::npos) return std::string();
  if (at == 0) return std::string(1, kSeparator);  // an item of the root folder
#ifdef _WIN32
  // An item of a drive's root: "C:" alone would name the drive's current folder.
  if (at == 2 && path[1] == ':') return path.substr(0, 3);
#endif
  return path.substr(0, at);
}

std::string clPath::NamePart(const std::string& path) {
  const std::size_t at = LastSeparator(path);
  return at == std::string::npos ? path : path.substr(at + 1);
}

bool clPath::EndsWithSeparator(const std::string& path) { return EndsInSeparator(path); }

bool clPath::StartsWith(const std::string& path, const std::string& prefix) {
  return prefix.size() <= path.size() && SameNames(prefix, 0, path, 0, prefix.size());
}

bool clPath::JoinedStartsWith(const std::string& folder, const std::string& name,
                              const std::string& prefix) {
  const bool addSeparator = !EndsInSeparator(folder);
  const std::size_t joinedSize = folder.size() + (addSeparator ? 1 : 0) + name.size();
  if (prefix.size() > joinedSize) return false;
  std::size_t at = std::min(prefix.size(), folder.size());
  if (!SameNames(prefix, 0, folder, 0, at)) return false;
  if (at == prefix.size()) return true;
  if (addSeparator) {
    if (prefix[at] != kSeparator) return false;
    ++at;
  }
  return SameNames(prefix, at, name, 0, prefix.size() - at);
}

std::string clPath::ForDisplay(const std::string& systemText) {
#ifdef _WIN32
  return clSystemCodePage::ToUtf8(systemText);
#else
  return systemText;
#endif
}

std::string clPath::TopFolderOfRelative(const std::string& path) {
  if (path.empty() || path.front() == kSeparator) return std::string();
#ifdef _WIN32
  // A drive ("C:") starts an absolute path, as does "/" beside "\\".
  if (path.front() == '/' || (path.size() >= 2 && path[1] == ':')) return std::string();
  const std::size_t end = clSystemCodePage::FirstSeparator(path);
#else
  const std::size_t end = path.find(kSeparator);
#endif
  return path.substr(0, end);
}
