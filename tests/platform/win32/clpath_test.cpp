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

// "C:" alone names the drive's current folder, not its root.
TEST(clPathOnWindows, TheFolderOfAnItemAtADriveRootIsTheRoot) {
  EXPECT_EQ(clPath::FolderPart("C:\\memo.txt"), "C:\\");
  EXPECT_EQ(clPath::FolderPart("d:\\\x83\x5C.txt"), "d:\\");
  EXPECT_EQ(clPath::FolderPart("C:\\"), "C:\\");
  EXPECT_EQ(clPath::FolderPart("C:\\data\\memo.txt"), "C:\\data");
  EXPECT_EQ(clPath::FolderPart("\\\\server\\share\\memo.txt"), "\\\\server\\share");
}

// Windows names a folder whatever the case of its letters; a double-byte character
// matches only itself, though its trail byte may read as a letter ("ア" 83 41, "チ" 83 60,
// "ぁ" 82 9F; 83 61 is "ヂ").
TEST(clPathOnWindows, PathsBeginWithAFolderWithoutRegardToCase) {
  EXPECT_TRUE(clPath::StartsWith("c:\\windows\\System32", "C:\\WINDOWS"));
  EXPECT_TRUE(clPath::StartsWith("C:\\Windows.old", "C:\\WINDOWS"));
  EXPECT_FALSE(clPath::StartsWith("C:\\Win", "C:\\WINDOWS"));
  EXPECT_FALSE(clPath::StartsWith("C:\\\x83\x61", "C:\\\x83\x41"));
  EXPECT_TRUE(clPath::StartsWith("C:\\\x83\x41x\\y", "C:\\\x83\x41X"));

  EXPECT_TRUE(clPath::JoinedStartsWith("C:\\", "Windows", "C:\\WINDOWS"));
  EXPECT_TRUE(clPath::JoinedStartsWith("C:\\", "windows.old", "C:\\WINDOWS"));
  EXPECT_TRUE(clPath::JoinedStartsWith("c:\\windows", "System32", "C:\\WINDOWS\\SYSTEM32"));
  EXPECT_TRUE(clPath::JoinedStartsWith("C:\\WINDOWS\\x", "y", "C:\\windows"));
  EXPECT_FALSE(clPath::JoinedStartsWith("C:\\", "Win", "C:\\WINDOWS"));
  EXPECT_FALSE(clPath::JoinedStartsWith("C:\\data", "Windows", "C:\\WINDOWS"));
  EXPECT_FALSE(clPath::JoinedStartsWith("C:\\", "\x83\x61", "C:\\\x83\x41"));
}
