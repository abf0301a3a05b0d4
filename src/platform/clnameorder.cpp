#include "platform/clnameorder.h"

#include <algorithm>

#include "platform/clfileplatform.h"

namespace {

unsigned char Folded(char byte) {
  const auto value = static_cast<unsigned char>(byte);
  return value >= 'a' && value <= 'z' ? static_cast<unsigned char>(value - 'a' + 'A') : value;
}

// 0 for ".", 1 for "..", 2 for every other name.
int DotRank(std::string_view name) {
  if (name == ".") return 0;
  if (name == "..") return 1;
  return 2;
}

// Negative, zero or positive as `left` sorts before, with or after `right` when only
// the bytes are compared, each through `key`.
template <typename Key>
int Compare(std::string_view left, std::string_view right, Key key) {
  const std::size_t common = std::min(left.size(), right.size());
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char a = key(left[i]);
    const unsigned char b = key(right[i]);
    if (a != b) return a < b ? -1 : 1;
  }
  if (left.size() == right.size()) return 0;
  return left.size() < right.size() ? -1 : 1;
}

}  // namespace

bool clNameOrder::Less(std::string_view left, std::string_view right) {
  const int leftRank = DotRank(left);
  const int rightRank = DotRank(right);
  if (leftRank != rightRank) return leftRank < rightRank;
  const int folded = Compare(left, right, Folded);
  if (folded != 0) return folded < 0;
  return Compare(left, right, [](char byte) { return static_cast<unsigned char>(byte); }) < 0;
}

void clNameOrder::Sort(std::vector<clFolderItem>& items, std::size_t from) {
  if (from >= items.size()) return;
  std::sort(items.begin() + static_cast<std::ptrdiff_t>(from), items.end(),
            [](const clFolderItem& left, const clFolderItem& right) {
              return Less(left.name, right.name);
            });
}
