#include "scan/clfindinfolders.h"

#include <gtest/gtest.h>

#include "cltemptree.h"

namespace {

std::string Listing(const clFindInFolders& walker) {
  std::string out;
  for (const auto& entry : walker.GetFolderList()) {
    out += std::to_string(entry.GetLevel()) + (entry.GetIsFolder() ? " D " : " F ") +
           entry.GetName() + "\n";
  }
  return out;
}

}  // namespace

TEST(clFindInFolders, WalksDepthFirstPreOrder) {
  clTempTree tree{"a/", "a/x.txt", "b.txt"};
  clFindInFolders walker;
  walker.Clear();
  walker.SetLevel(1);
  walker.SetSubFolder(true);
  walker.SetWinFolder(true);
  ASSERT_TRUE(walker.Search(tree.Root()));
  const std::string listing = Listing(walker);
  // Enumeration order is the file system's: check structure, not sibling order.
  EXPECT_NE(listing.find("1 D a\n2 F x.txt\n"), std::string::npos) << listing;
  EXPECT_NE(listing.find("1 F b.txt\n"), std::string::npos) << listing;
  EXPECT_EQ(walker.GetLastFolder(), tree.Root());
}
