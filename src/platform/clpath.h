#pragma once

#include <string>

// Paths as the platform writes them: a folder, its separator, a name. Paths are
// composed by appending, without normalisation.
class clPath {
 public:
#ifdef _WIN32
  static constexpr char kSeparator = '\\';
  // Where a folder chooser opens when told nothing else: the system drive's root.
  static constexpr const char* kDefaultRoot = "C:\\";
#else
  static constexpr char kSeparator = '/';
  static constexpr const char* kDefaultRoot = "/";
#endif

  // folder + separator + name, whether or not the folder ends in a separator already.
  static std::string Join(const std::string& folder, const std::string& name);

  // As Join, but a folder that ends in a separator (the root folder) gets no second one.
  static std::string JoinInside(const std::string& folder, const std::string& name);

  // Everything before the last separator; the root folder keeps its separator. Empty
  // when the path has no separator at all.
  static std::string FolderPart(const std::string& path);

  // Whether the path ends in a separator (on Windows a character of its own, not the
  // second byte of a character such as "ソ").
  static bool EndsWithSeparator(const std::string& path);

  // What follows the last separator: the whole path when it has none.
  static std::string NamePart(const std::string& path);

  // The first name of a relative path ("out" of "out/list"); empty for an absolute path.
  static std::string TopFolderOfRelative(const std::string& path);
};
