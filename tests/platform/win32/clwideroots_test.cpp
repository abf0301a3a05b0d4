#include "platform/win32/clwideroots.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Found(const clWideRoots& roots, const std::string& path) {
  std::wstring wide;
  return roots.Find(path, wide) ? wide : L"(none)";
}

}  // namespace

// "C:\a?b\memo.txt" was handed over for "C:\a〜b\memo.txt"; "表" (95 5C) ends in a byte
// that is no separator.
TEST(clWideRoots, LeadsThePathItselfWhatLiesBelowAndItsFoldersToTheWidePath) {
  clWideRoots roots;
  roots.Remember("C:\\a?b\\\x95\x5C\\memo.txt", L"C:\\a〜b\\表\\memo.txt");
  EXPECT_EQ(Found(roots, "C:\\a?b\\\x95\x5C\\memo.txt"), L"C:\\a〜b\\表\\memo.txt");
  EXPECT_EQ(Found(roots, "C:\\a?b\\\x95\x5C"), L"C:\\a〜b\\表");
  EXPECT_EQ(Found(roots, "C:\\a?b"), L"C:\\a〜b");
  EXPECT_EQ(Found(roots, "C:\\"), L"C:\\");
  EXPECT_EQ(Found(roots, "C:\\a?b\\\x95\x5C\\memo.txt\\x"), L"C:\\a〜b\\表\\memo.txt\\x");
  // Beside it: the folders it shares, then the rest as the code page names it.
  EXPECT_EQ(Found(roots, "C:\\a?b\\other"), L"C:\\a〜b\\other");
  EXPECT_EQ(Found(roots, "C:\\a?bc"), L"C:\\a?bc");
  EXPECT_EQ(Found(roots, "C:\\a?"), L"C:\\a?");
  EXPECT_EQ(Found(roots, "D:\\a?b"), L"(none)");
  EXPECT_EQ(Found(roots, ""), L"(none)");
}

TEST(clWideRoots, TheRootSharingMostFoldersAndOfThoseTheLatestIsTaken) {
  clWideRoots roots;
  roots.Remember("C:\\x?", L"C:\\x〜");
  roots.Remember("C:\\x?", L"C:\\x😀");
  roots.Remember("C:\\y?", L"C:\\y〜");
  EXPECT_EQ(Found(roots, "C:\\x?\\y"), L"C:\\x😀\\y");
  EXPECT_EQ(Found(roots, "C:\\y?\\y"), L"C:\\y〜\\y");
  roots.Remember("\\\\server\\share\\?", L"\\\\server\\share\\é");
  EXPECT_EQ(Found(roots, "\\\\server\\share"), L"\\\\server\\share");
  EXPECT_EQ(Found(roots, "\\\\server\\share\\?\\z"), L"\\\\server\\share\\é\\z");
}
