#include "platform/clpath.h"

std::string clPath::Join(const std::string& folder, const std::string& name) {
  std::string path = folder;
  path += kSeparator;
  path += name;
  return path;
}

std::string clPath::JoinInside(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == kSeparator) return folder + name;
  return Join(folder, name);
}

std::string clPath::FolderPart(const std::string& path) {
  const std::size_t at = path.rfind(kSeparator);
  if (at == std::string::npos) return std::string();
  if (at == 0) return std::string(1, kSeparator);  // an item of the root folder
  return path.substr(0, at);
}

std::string clPath::NamePart(const std::string& path) {
  const std::size_t at = path.rfind(kSeparator);
  return at == std::string::npos ? path : path.substr(at + 1);
}

std::string clPath::TopFolderOfRelative(const std::string& path) {
  if (path.empty() || path.front() == kSeparator) return std::string();
#ifdef _WIN32
  // A drive ("C:") starts an absolute path, as does "/" beside "\\".
  if (path.front() == '/' || (path.size() >= 2 && path[1] == ':')) return std::string();
  const std::size_t end = path.find_first_of("\\/");
#else
  const std::size_t end = path.find(kSeparator);
#endif
  return path.substr(0, end);
}
