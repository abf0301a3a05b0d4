#include "platform/clpath.h"

#include <gtest/gtest.h>
#include <string>

// On Windows a 0x5C byte can be the second half of a character ("ソ" is 83 5C, "表"
// 95 5C): it is no separator.
TEST(clPathOnWindows, SeparatorsAreCharactersNotTrailBytes) {
  const std::string so = "\x83\x5C", table = "\x95\x5C";
  EXPECT_EQ(clPath::FolderPart("C:\\data\\" + so), "C:\\data");
  EXPECT_EQ(clPath::NamePart("C:\\data\\" + so), so);
  EXPECT_EQ(clPath::FolderPart("C:\\" + table + "\\x.txt"), "C:\\" + table);
  EXPECT_EQ(clPath::NamePart(table), table);
  EXPECT_EQ(clPath::JoinInside("C:\\" + so, "x"), "C:\\" + so + "\\x");
  EXPECT_EQ(clPath::JoinInside("C:\\", "x"), "C:\\x");
  EXPECT_EQ(clPath::Join("C:\\" + table, "x"), "C:\\" + table + "\\x");
  EXPECT_EQ(clPath::TopFolderOfRelative(so + "\\x"), so);
  EXPECT_EQ(clPath::TopFolderOfRelative(table + "/x"), table);
  EXPECT_EQ(clPath::TopFolderOfRelative("C:\\" + so), "");
}
