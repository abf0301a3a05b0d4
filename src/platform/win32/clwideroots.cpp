#include "platform/win32/clwideroots.h"

#include "platform/win32/clsystemcodepage.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }
bool IsWideSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// How far `path` and `known` name the same folders: the length of their longest common
// start that ends at a part's end (before a separator, after one, or at either's end).
std::size_t SharedFolders(const std::string& path, const std::string& known) {
  std::size_t shared = 0;
  std::size_t at = 0;
  for (;;) {
    const bool pathEnds = at == path.size();
    const bool knownEnds = at == known.size();
    if ((pathEnds || IsSeparator(path[at])) && (knownEnds || IsSeparator(known[at]))) {
      shared = at;
    }
    if (pathEnds || knownEnds) break;
    const std::size_t length =
        clSystemCodePage::IsLeadByte(static_cast<unsigned char>(known[at])) && at + 1 < known.size()
            ? 2
            : 1;
    if (path.compare(at, length, known, at, length) != 0) break;
    at += length;
    if (IsSeparator(known[at - 1]) && length == 1) shared = at;
  }
  return shared;
}

// The part of `wide` that stands for the first `length` bytes of `known`, which end where
// a part ends: as many separators, and the one it ends in.
std::wstring WideStart(const std::string& known, const std::wstring& wide, std::size_t length) {
  std::size_t separators = 0;
  for (std::size_t at = 0; at < length; ++at) {
    if (clSystemCodePage::IsLeadByte(static_cast<unsigned char>(known[at])) && at + 1 < length) {
      ++at;
    } else if (IsSeparator(known[at])) {
      ++separators;
    }
  }
  const bool endsInSeparator = length > 0 && IsSeparator(known[length - 1]) &&
                               clSystemCodePage::EndsWithSeparator(known.substr(0, length));
  std::size_t seen = 0;
  for (std::size_t at = 0; at < wide.size(); ++at) {
    if (!IsWideSeparator(wide[at])) continue;
    if (endsInSeparator && ++seen == separators) return wide.substr(0, at + 1);
    if (!endsInSeparator && seen++ == separators) return wide.substr(0, at);
  }
  return wide;
}

}  // namespace

void clWideRoots::Remember(const std::string& path, const std::wstring& wide) {
  if (path.empty() || wide.empty()) return;
  const std::lock_guard<std::mutex> lock(mutex);
  roots.push_back(Root{path, wide});
}

bool clWideRoots::Find(const std::string& path, std::wstring& wide) const {
  if (path.empty()) return false;
  const std::lock_guard<std::mutex> lock(mutex);
  // The root that names most of the path's folders, the latest of those.
  const Root* best = nullptr;
  std::size_t bestShared = 0;
  for (auto root = roots.rbegin(); root != roots.rend(); ++root) {
    const std::size_t shared = SharedFolders(path, root->path);
    if (shared > bestShared) {
      best = &*root;
      bestShared = shared;
    }
  }
  if (best == nullptr) return false;
  wide = WideStart(best->path, best->wide, bestShared) +
         clSystemCodePage::ToWide(std::string_view(path).substr(bestShared));
  return true;
}
