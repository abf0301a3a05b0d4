#include "scan/clstructurelist.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "bytesdiff.h"

namespace {

// What an entry should read back as.
struct Expected {
  int16_t level;
  std::string name;
  int16_t isFolder;
};

void ExpectEntries(const clStructureList& list, const std::vector<Expected>& expected) {
  ASSERT_EQ(list.size(), expected.size());
  ASSERT_EQ(static_cast<std::size_t>(list.end() - list.begin()), expected.size());
  std::size_t i = 0;
  for (const auto& entry : list) {
    SCOPED_TRACE("entry " + std::to_string(i));
    EXPECT_EQ(entry.GetLevel(), expected[i].level);
    EXPECT_BYTES(expected[i].name, std::string(entry.Name()));
    EXPECT_EQ(entry.GetIsFolder(), expected[i].isFolder);
    // Read by index, the same entry; as a copy, the same values with a name of its own.
    EXPECT_EQ(list[i].Name(), entry.Name());
    const auto copy = static_cast<clCompositionFolder>(list[i]);
    EXPECT_EQ(copy.GetLevel(), expected[i].level);
    EXPECT_EQ(copy.GetName(), expected[i].name);
    EXPECT_EQ(copy.GetIsFolder(), expected[i].isFolder);
    ++i;
  }
  EXPECT_EQ(i, expected.size());
}

}  // namespace

// Names are bytes: Japanese UTF-8, Shift-JIS with a trail byte that is a backslash,
// control bytes, invalid UTF-8, an empty name between two others, the longest Linux name
// and one far longer. Each comes back whole, with its own level and folder mark.
TEST(clStructureList, KeepsEveryNameByteForByte) {
  const std::vector<Expected> entries = {
      {1, "資料_1.txt", 0},
      {1, "\x95\x5c\x8e\xa6", 1},  // Shift-JIS: the first character ends in 0x5C
      {2,
       "a\x01\t\r\n\x1f\x7f"
       "b",
       0},
      {2, "\xff\xfe\xc3", 0},
      {3, "", 1},
      {-2, std::string(255, 'n'), 0},
      {32767, std::string(70000, '\x83'), 1},
      {1, "z", 0},
  };
  clStructureList pushed;
  for (const Expected& e : entries) pushed.push_back(e.level, e.name, e.isFolder);
  ExpectEntries(pushed, entries);
  EXPECT_EQ(pushed.back().Name(), "z");

  clStructureList fromEntries;
  for (const Expected& e : entries)
    fromEntries.push_back(clCompositionFolder(e.level, e.name, e.isFolder));
  ExpectEntries(fromEntries, entries);
}

TEST(clStructureList, AnEmptyListHasNoEntriesAndClearEmptiesAFullOne) {
  clStructureList list;
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(list.size(), 0u);
  EXPECT_TRUE(list.begin() == list.end());

  list = {{1, "a", 1}, {2, "b", 0}};
  ASSERT_EQ(list.size(), 2u);
  list.clear();
  EXPECT_TRUE(list.empty());
  EXPECT_TRUE(list.begin() == list.end());
  for (const auto& entry : list) ADD_FAILURE() << "entry after clear: " << entry.GetName();

  // Usable again after clear, from the first entry on.
  list.push_back(1, "c", 0);
  ExpectEntries(list, {{1, "c", 0}});
}

// Many appends of names of different lengths grow the buffer many times: every earlier
// name stays intact, and a view fetched again after the growth reads the entry correctly.
TEST(clStructureList, GrowthKeepsEarlierEntries) {
  auto nameOf = [](std::size_t i) {
    return std::to_string(i) + std::string(i % 40, static_cast<char>('A' + i % 26)) + "_ファイル";
  };
  constexpr std::size_t kCount = 200'000;
  clStructureList list;
  auto append = [&](std::size_t i) {
    list.push_back(static_cast<int16_t>(1 + i % 14), nameOf(i), static_cast<int16_t>(i % 2));
  };
  append(0);
  const std::string firstBefore = list[0].GetName();
  for (std::size_t i = 1; i < kCount; ++i) append(i);
  ASSERT_EQ(list.size(), kCount);
  EXPECT_EQ(list[0].GetName(), firstBefore);
  std::size_t wrong = 0;
  std::size_t i = 0;
  for (const auto& entry : list) {
    if (entry.Name() != nameOf(i) || entry.GetLevel() != static_cast<int16_t>(1 + i % 14) ||
        entry.GetIsFolder() != static_cast<int16_t>(i % 2)) {
      if (++wrong <= 3) ADD_FAILURE() << "entry " << i << ": " << entry.GetName();
    }
    ++i;
  }
  EXPECT_EQ(wrong, 0u);
}

// A name taken from the list itself is appended whole even when the append moves the
// buffer it lies in; a copy of the list is its own and keeps its entries.
TEST(clStructureList, AppendsItsOwnNamesAndCopiesIndependently) {
  const std::string name(1000, 'x');
  clStructureList list;
  list.push_back(1, name, 0);
  for (int i = 0; i < 100; ++i) list.push_back(2, list.back().Name(), 1);
  ASSERT_EQ(list.size(), 101u);
  for (std::size_t i = 0; i < list.size(); ++i) ASSERT_EQ(list[i].Name(), name) << i;

  clStructureList copy = list;
  list.clear();
  list.push_back(1, "other", 0);
  ASSERT_EQ(copy.size(), 101u);
  EXPECT_EQ(copy.back().Name(), name);
  EXPECT_EQ(copy.back().GetLevel(), 2);

  clStructureList moved = std::move(copy);
  EXPECT_EQ(moved.size(), 101u);
  EXPECT_EQ(moved[50].Name(), name);
  ExpectEntries(list, {{1, "other", 0}});
}
