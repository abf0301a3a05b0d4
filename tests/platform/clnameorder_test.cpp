#include "platform/clnameorder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "platform/clfileplatform.h"

namespace {

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::vector<clFolderItem> items;
  for (auto& name : names) items.push_back({std::move(name)});
  clNameOrder::Sort(items);
  std::vector<std::string> out;
  for (const auto& item : items) out.push_back(item.name);
  return out;
}

}  // namespace

TEST(clNameOrder, ListsNamesAsNtfsDoes) {
  // Letters compare as capitals, so "_" and "~" come after every letter and "[" after
  // "a"; bytes above 0x7F (UTF-8 or not) compare as themselves, after all ASCII.
  EXPECT_EQ(Sorted({"~y", "_x", "z", "C", "B", "Ab", "aa", "a", "1"}),
            (std::vector<std::string>{"1", "a", "aa", "Ab", "B", "C", "z", "_x", "~y"}));
  EXPECT_EQ(Sorted({"b", "[x", "a", "Z", "\xff", "\xe3\x81\x82", "\x80", "~", ".", "..", "!"}),
            (std::vector<std::string>{".", "..", "!", "a", "b", "Z", "[x", "~", "\x80",
                                      "\xe3\x81\x82", "\xff"}));
}

TEST(clNameOrder, BreaksTiesOfCaseByTheRawBytes) {
  EXPECT_EQ(Sorted({"readme", "README", "ReadMe", "Readme"}),
            (std::vector<std::string>{"README", "ReadMe", "Readme", "readme"}));
  EXPECT_EQ(Sorted({"ab", "A", "a", "AB", "Ab"}),
            (std::vector<std::string>{"A", "a", "AB", "Ab", "ab"}));
  EXPECT_FALSE(clNameOrder::Less("same", "same"));
}

TEST(clNameOrder, SortsOnlyTheItemsAfterTheGivenOne) {
  std::vector<clFolderItem> items{{"z"}, {"y"}, {"b"}, {"a"}};
  clNameOrder::Sort(items, 2);
  EXPECT_EQ(items[0].name, "z");
  EXPECT_EQ(items[1].name, "y");
  EXPECT_EQ(items[2].name, "a");
  EXPECT_EQ(items[3].name, "b");
  clNameOrder::Sort(items, 9);  // past the end: nothing to do
}
