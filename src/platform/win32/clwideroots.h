#pragma once

#include <mutex>
#include <string>
#include <vector>

// The wide paths of the folders a read may start from, as the ways in gave them: a drop,
// the folder dialog, the command line, the current folder. Their code-page form may have
// lost characters ("?" for "～", "e" for "é") or be too long for the ANSI functions; the
// wide form still names the folder. A path given later in its code-page form leads back
// to the wide one as far as the two name the same folders: the path itself, what lies
// below it ("C:\a?\b"), the folders it lies in (the folder of a dropped file) and what
// lies below those.
class clWideRoots {
 public:
  void Remember(const std::string& path, const std::wstring& wide);

  // The wide form of `path` by the remembered path that shares most of its folders with
  // it (of those, the latest); false when none shares any.
  bool Find(const std::string& path, std::wstring& wide) const;

 private:
  struct Root {
    std::string path;
    std::wstring wide;
  };
  mutable std::mutex mutex;
  std::vector<Root> roots;
};
