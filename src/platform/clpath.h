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

  // Everything before the last separator; the root folder keeps its separator ("/",
  // "C:\\": a bare "C:" names that drive's current folder). Empty when the path has no
  // separator at all.
  static std::string FolderPart(const std::string& path);

  // Whether the path ends in a separator (on Windows a character of its own, not the
  // second byte of a character such as "ソ").
  static bool EndsWithSeparator(const std::string& path);

  // What follows the last separator: the whole path when it has none.
  static std::string NamePart(const std::string& path);

  // Whether `path` begins with `prefix`, as the file system compares names: on Windows
  // without regard to case (the letters of code page 932's single-byte characters; a
  // double-byte character matches only itself), elsewhere byte for byte.
  static bool StartsWith(const std::string& path, const std::string& prefix);
  // Whether JoinInside(folder, name) begins with `prefix`, without composing the path.
  static bool JoinedStartsWith(const std::string& folder, const std::string& name,
                               const std::string& prefix);

  // A path or name of the system (code page 932 on Windows, raw bytes elsewhere) as the
  // program's own texts are written, to be put into a message: UTF-8 on Windows, as it
  // stands elsewhere.
  static std::string ForDisplay(const std::string& systemText);

  // The first name of a relative path ("out" of "out/list"); empty for an absolute path.
  static std::string TopFolderOfRelative(const std::string& path);
};
