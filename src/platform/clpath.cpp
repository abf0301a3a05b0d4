#include "platform/clpath.h"

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
  return path.substr(0, at);
}

std::string clPath::NamePart(const std::string& path) {
  const std::size_t at = LastSeparator(path);
  return at == std::string::npos ? path : path.substr(at + 1);
}

bool clPath::EndsWithSeparator(const std::string& path) { return EndsInSeparator(path); }

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
