#include "platform/win32/clwin32platform.h"

#include "platform/win32/clwindows.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>

#include "bytesdiff.h"
#include "cltemptree.h"
#include "platform/win32/clsystemcodepage.h"
#include "scan/clfindinfolders.h"

namespace {

using Lines = std::vector<std::string>;

// Makes a folder or a file below the tree by its wide name ("a/b/" a folder), where the
// code page cannot name it.
void MakeWide(const clTempTree& tree, const std::wstring& relative) {
  const std::wstring root = clSystemCodePage::ToWide(tree.Root());
  std::wstring path = clSystemCodePage::LongPath(root + L"\\" + relative);
  const bool folder = path.back() == L'\\';
  if (folder) path.pop_back();
  for (std::size_t at = path.find(L'\\', root.size() + 5); at != std::wstring::npos;
       at = path.find(L'\\', at + 1)) {
    ::CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
  }
  if (folder) {
    ASSERT_TRUE(::CreateDirectoryW(path.c_str(), nullptr) ||
                ::GetLastError() == ERROR_ALREADY_EXISTS);
    return;
  }
  const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << clSystemCodePage::FromWide(path);
  ::CloseHandle(file);
}

// "D name" / "F name" of every item but "." and "..", sorted.
Lines Items(const std::vector<clFolderItem>& items) {
  Lines out;
  for (const auto& item : items) {
    if (item.name == "." || item.name == "..") continue;
    out.push_back((item.isFolder ? "D " : "F ") + item.name);
  }
  std::sort(out.begin(), out.end());
  return out;
}

// What the ANSI functions list for the folder, the same way.
Lines AnsiItems(const std::string& folder) {
  Lines out;
  WIN32_FIND_DATAA data;
  const HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return out;
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    out.push_back(((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? "D " : "F ") + name);
  } while (::FindNextFileA(find, &data));
  ::FindClose(find);
  std::sort(out.begin(), out.end());
  return out;
}

// Walks everything below `root` and returns "level D|F name" lines in list order.
std::string Walk(clFilePlatform& platform, const std::string& root, bool hidden = true) {
  clFindInFolders walker(platform);
  walker.Clear();
  walker.SetLevel(1);
  walker.SetSubFolder(true);
  walker.SetHideFile(hidden);
  walker.SetWinFolder(true);
  walker.SetReadOnlyFile(true);
  EXPECT_TRUE(walker.Search(root));
  std::string out;
  for (const auto& entry : walker.GetFolderList()) {
    out += std::to_string(entry.GetLevel()) + (entry.GetIsFolder() ? " D " : " F ") +
           entry.GetName() + "\n";
  }
  return out;
}

}  // namespace

TEST(clWin32Platform, TheSystemRunsInCodePage932) { EXPECT_EQ(::GetACP(), 932u); }

TEST(clWin32Platform, DeliversNamesInTheSystemCodePageAsTheAnsiFunctionsShowThem) {
  clTempTree tree;
  for (const wchar_t* name : {L"表/", L"ソフト/", L"能力.txt", L"日本語", L"wave〜dash/",
                              L"emoji😀.txt", L"café", L"plain.csv"}) {
    MakeWide(tree, name);
  }
  clWin32Platform platform;
  std::vector<clFolderItem> items;
  ASSERT_TRUE(platform.ReadFolder(tree.Root(), items));
  const Lines listed = Items(items);
  EXPECT_EQ(listed, AnsiItems(tree.Root()));
  // 0x5C trail bytes kept whole; "?" where code page 932 has no form.
  for (const char* expected : {"D \x95\x5C", "D \x83\x5C\x83\x74\x83\x67", "F \x94\x5C\x97\xCD.txt",
                               "D wave?dash", "F emoji??.txt"}) {
    EXPECT_NE(std::find(listed.begin(), listed.end(), expected), listed.end()) << expected;
  }
}

TEST(clWin32Platform, WalksIntoFoldersWhoseNamesTheCodePageCannotHoldOrThatEndIn5C) {
  clTempTree tree;
  for (const wchar_t* name : {L"表/ソ/x.txt", L"wave〜dash/inside.txt", L"x😀/first.txt",
                              L"x😁/second.txt", L"x😂/", L"x😃/fourth.txt"}) {
    MakeWide(tree, name);
  }
  clWin32Platform platform;
  const std::string listing = Walk(platform, tree.Root());
  // Enumeration order is the file system's: compare the lines of each folder as a set.
  for (const char* line :
       {"1 D \x95\x5C\n2 D \x83\x5C\n3 F x.txt\n", "1 D wave?dash\n2 F inside.txt\n"}) {
    EXPECT_NE(listing.find(line), std::string::npos) << line << "\n" << listing;
  }
  EXPECT_NE(listing.find("1 D x??\n2 F first.txt\n"), std::string::npos) << listing;
  EXPECT_NE(listing.find("1 D x??\n2 F second.txt\n"), std::string::npos) << listing;
  EXPECT_NE(listing.find("1 D x??\n1 D x??\n2 F fourth.txt\n"), std::string::npos) << listing;
}

// Of sub-folders that read alike, one left out by the walk does not lend its contents to
// the next: each is read as the very item the walk entered.
TEST(clWin32Platform, AFolderLeftOutGivesNoContentsToTheNextThatReadsAlike) {
  clTempTree tree;
  for (const wchar_t* name : {L"x😀/first.txt", L"x😁/second.txt", L"x😂/third.txt"}) {
    MakeWide(tree, name);
  }
  const std::wstring hidden = clSystemCodePage::ToWide(tree.Root()) + L"\\x😀";
  ASSERT_TRUE(::SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
  clWin32Platform platform;
  const std::string listing = Walk(platform, tree.Root(), false);
  EXPECT_EQ(listing.find("first.txt"), std::string::npos) << listing;
  EXPECT_NE(listing.find("1 D x??\n2 F second.txt\n"), std::string::npos) << listing;
  EXPECT_NE(listing.find("1 D x??\n2 F third.txt\n"), std::string::npos) << listing;
}

TEST(clWin32Platform, ReadsFoldersDeeperThan260Characters) {
  clTempTree tree;
  std::wstring deep;
  for (int level = 0; level < 30; ++level) deep += L"folder" + std::to_wstring(level) + L"_表\\";
  MakeWide(tree, deep);
  MakeWide(tree, deep + L"bottom.txt");
  std::string deepPath = tree.Root() + "\\" + clSystemCodePage::FromWide(deep) + "bottom.txt";
  ASSERT_GT(deepPath.size(), 300u);

  clWin32Platform platform;
  const std::string listing = Walk(platform, tree.Root());
  EXPECT_NE(listing.find("31 F bottom.txt\n"), std::string::npos) << listing;
  EXPECT_EQ(platform.GetPathKind(deepPath), clPathKind::File);
  EXPECT_TRUE(platform.CreateFolders(deepPath + "_more\\\x95\x5C"));
  EXPECT_EQ(platform.GetPathKind(deepPath + "_more\\\x95\x5C"), clPathKind::Folder);
}

TEST(clWin32Platform, AttributesAreTheFileSystemsOwnBits) {
  clTempTree tree{"plain.txt", "hidden.txt", "ro.txt", "folder/", "hiddenfolder/", "ro:ro.txt"};
  for (const char* name : {"hidden.txt", "hiddenfolder"}) {
    ASSERT_TRUE(::SetFileAttributesA((tree.Root() + "\\" + name).c_str(), FILE_ATTRIBUTE_HIDDEN));
  }
  clWin32Platform platform;
  std::vector<clFolderItem> items;
  ASSERT_TRUE(platform.ReadFolder(tree.Root(), items));
  std::string flags;
  std::sort(items.begin(), items.end(),
            [](const clFolderItem& a, const clFolderItem& b) { return a.name < b.name; });
  for (const auto& item : items) {
    if (item.name == "." || item.name == "..") continue;
    flags += item.name + (item.isFolder ? " D" : " F") + (item.hidden ? "H" : "-") +
             (item.readOnly ? "R" : "-") + "\n";
  }
  EXPECT_BYTES("folder D--\nhidden.txt FH-\nhiddenfolder DH-\nplain.txt F--\nro.txt F-R\n", flags);
  EXPECT_EQ(platform.GetPathKind(tree.Root() + "\\folder"), clPathKind::Folder);
  EXPECT_EQ(platform.GetPathKind(tree.Root() + "\\plain.txt"), clPathKind::File);
  EXPECT_EQ(platform.GetPathKind(tree.Root() + "\\none"), clPathKind::Missing);
}

TEST(clWin32Platform, FolderIdentityIsTheSameWhicheverWayTheFolderIsNamed) {
  clTempTree tree{"a/b/"};
  clWin32Platform platform;
  uint64_t device = 0, inode = 0, device2 = 0, inode2 = 0;
  ASSERT_TRUE(platform.FolderIdentity(tree.Root() + "\\a", device, inode));
  ASSERT_TRUE(platform.FolderIdentity(tree.Root() + "\\a\\b\\..", device2, inode2));
  EXPECT_EQ(device, device2);
  EXPECT_EQ(inode, inode2);
  std::vector<clFolderItem> items;
  ASSERT_TRUE(platform.ReadFolder(tree.Root(), items));
  const auto a = std::find_if(items.begin(), items.end(),
                              [](const clFolderItem& item) { return item.name == "a"; });
  ASSERT_NE(a, items.end());
  EXPECT_EQ(a->inode, inode);
  EXPECT_FALSE(platform.FolderIdentity(tree.Root() + "\\none", device, inode));
}

TEST(clWin32Platform, TheSystemFolderIsTheWindowsFolder) {
  char expected[MAX_PATH + 1];
  const UINT length = ::GetWindowsDirectoryA(expected, sizeof expected);
  clWin32Platform platform;
  EXPECT_EQ(platform.GetSystemFolder(), std::string(expected, length));
  EXPECT_FALSE(platform.GetSystemFolder().empty());
}

TEST(clWin32Platform, CreatesFoldersWithTheirParents) {
  clTempTree tree{"file.txt"};
  clWin32Platform platform;
  const std::string folder = tree.Root() + "\\\x90\x56\x8B\x4B\\\x83\x5C\\down";  // 新規\ソ\down
  EXPECT_TRUE(platform.CreateFolders(folder));
  EXPECT_EQ(platform.GetPathKind(folder), clPathKind::Folder);
  EXPECT_TRUE(platform.CreateFolders(folder));  // there already
  EXPECT_FALSE(platform.CreateFolders(tree.Root() + "\\file.txt\\below"));
  std::vector<clFolderItem> items;
  EXPECT_FALSE(platform.ReadFolder(tree.Root() + "\\none", items));
}

TEST(clWin32Platform, ReadsAWholeFileOrSaysWhyNot) {
  clTempTree tree{"\x95\x5C/Setting.ini=[a]\r\nx=\x83\x5C\r\n", "folder/"};
  clWin32Platform platform;
  std::string text = "old";
  EXPECT_EQ(platform.ReadWholeFile(tree.Path("\x95\x5C\\Setting.ini"), text), clFileRead::Read);
  EXPECT_BYTES("[a]\r\nx=\x83\x5C\r\n", text);
  EXPECT_EQ(platform.ReadWholeFile(tree.Path("none.ini"), text), clFileRead::Missing);
  EXPECT_EQ(text, "");
  EXPECT_EQ(platform.ReadWholeFile(tree.Path("none\\none.ini"), text), clFileRead::Missing);
  EXPECT_EQ(platform.ReadWholeFile(tree.Path("folder"), text), clFileRead::Failed);
}

TEST(clWin32Platform, ReplacesAFileInOneStepAndLeavesNothingBehind) {
  clTempTree tree{"\x95\x5C/", "old.ini=old", "ro.ini=kept", "ro:ro.ini"};
  clWin32Platform platform;
  const std::string fresh = tree.Path("\x95\x5C\\Setting.ini");
  EXPECT_TRUE(platform.ReplaceFile(fresh, "new\r\n"));
  EXPECT_BYTES("new\r\n", tree.ReadFile(fresh));
  EXPECT_TRUE(platform.ReplaceFile(tree.Path("old.ini"), std::string(100000, 'x')));
  EXPECT_EQ(tree.ReadFile(tree.Path("old.ini")), std::string(100000, 'x'));
  // Marked read-only: refused, kept as it was.
  EXPECT_FALSE(platform.ReplaceFile(tree.Path("ro.ini"), "lost"));
  EXPECT_BYTES("kept", tree.ReadFile(tree.Path("ro.ini")));
  EXPECT_FALSE(platform.ReplaceFile(tree.Path("none\\Setting.ini"), "lost"));
  std::vector<clFolderItem> items;
  ASSERT_TRUE(platform.ReadFolder(tree.Root(), items));
  EXPECT_EQ(Items(items), (Lines{"D \x95\x5C", "F old.ini", "F ro.ini"}));
  items.clear();
  ASSERT_TRUE(platform.ReadFolder(tree.Path("\x95\x5C"), items));
  EXPECT_EQ(Items(items), (Lines{"F Setting.ini"}));
}

TEST(clWin32Platform, TheWalkLeavesOutTheWindowsFolderByItsBackslashPath) {
  clTempTree tree{"win/a.txt", "winter/b.txt", "other/c.txt", "\x95\x5C/x/d.txt", "\x95\x5C/y.txt"};
  clWin32Platform platform;
  for (const std::string& excluded : {tree.Root() + "\\win", tree.Root() + "\\\x95\x5C\\x"}) {
    clFindInFolders walker(platform);
    walker.Clear();
    walker.SetLevel(1);
    walker.SetSubFolder(true);
    walker.SetHideFile(true);
    walker.SetReadOnlyFile(true);
    walker.SetWinFolder(false);
    walker.SetWindowsDirectory(excluded);
    ASSERT_TRUE(walker.Search(tree.Root()));
    Lines names;
    for (const auto& entry : walker.GetFolderList()) names.push_back(entry.GetName());
    std::sort(names.begin(), names.end());
    // Every item whose path begins with the Windows folder's path is left out.
    if (excluded.back() == 'n') {
      EXPECT_EQ(names, (Lines{"c.txt", "d.txt", "other", "x", "y.txt", "\x95\x5C"}));
    } else {
      EXPECT_EQ(names,
                (Lines{"a.txt", "b.txt", "c.txt", "other", "win", "winter", "y.txt", "\x95\x5C"}));
    }
  }
}

// The Windows folder reports as "C:\WINDOWS" and lists as "windows": it is left out all
// the same, as is a folder below it, whatever the case of either.
TEST(clWin32Platform, TheWalkLeavesOutTheWindowsFolderWhateverTheCaseOfItsPath) {
  clTempTree tree{"Win/a.txt", "winter/b.txt", "other/c.txt"};
  clWin32Platform platform;
  clFindInFolders walker(platform);
  walker.Clear();
  walker.SetLevel(1);
  walker.SetSubFolder(true);
  walker.SetHideFile(true);
  walker.SetReadOnlyFile(true);
  walker.SetWinFolder(false);
  walker.SetWindowsDirectory(tree.Root() + "\\WIN");
  ASSERT_TRUE(walker.Search(tree.Root()));
  Lines names;
  for (const auto& entry : walker.GetFolderList()) names.push_back(entry.GetName());
  EXPECT_EQ(names, (Lines{"other", "c.txt"}));
}

TEST(clWin32Platform, APathAtOrBelowTheWindowsFolderIsKnownInAnyCaseAndByAnyPath) {
  clWin32Platform platform;
  const std::string windows = platform.GetSystemFolder();
  ASSERT_FALSE(windows.empty());
  std::string lower = windows;
  for (char& c : lower) c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
  for (const std::string& path :
       {windows, lower, lower + "\\system32", windows + "\\SYSTEM32\\drivers", windows + ".old",
        "\\\\?\\" + windows + "\\system32", windows + "\\system32\\..\\fonts"}) {
    EXPECT_TRUE(platform.IsAtOrBelowFolder(path, windows)) << path;
  }
  clTempTree tree{"a/"};
  for (const std::string& path : {std::string("C:\\"), tree.Root(), tree.Path("a")}) {
    EXPECT_FALSE(platform.IsAtOrBelowFolder(path, windows)) << path;
  }
}

// A way in hands over a root whose own name the code page cannot hold ("wave?dash" for
// "wave〜dash"): with its wide path remembered, the root, what lies below it and the
// folder it lies in are reached; without, the code-page path names nothing.
TEST(clWin32Platform, ARootHandedOverWithItsWidePathIsReadByIt) {
  clTempTree tree;
  MakeWide(tree, L"wave〜dash/sub/memo.txt");
  MakeWide(tree, L"wave〜dash/top.txt");
  const std::wstring wideRoot = clSystemCodePage::ToWide(tree.Root()) + L"\\wave〜dash";
  const std::string root = clSystemCodePage::FromWide(wideRoot);
  ASSERT_EQ(root, tree.Path("wave?dash"));
  {
    clWin32Platform forgetful;
    EXPECT_EQ(forgetful.GetPathKind(root), clPathKind::Missing);
  }
  clWin32Platform platform;
  platform.RememberWidePath(root + "\\top.txt", wideRoot + L"\\top.txt");
  EXPECT_EQ(platform.GetPathKind(root + "\\top.txt"), clPathKind::File);
  // The folder of the dropped file, the folder itself, and a folder below it.
  EXPECT_EQ(platform.GetPathKind(root), clPathKind::Folder);
  EXPECT_EQ(platform.GetPathKind(root + "\\sub"), clPathKind::Folder);
  EXPECT_EQ(Walk(platform, root), "1 D sub\n2 F memo.txt\n1 F top.txt\n");
  uint64_t device = 0, inode = 0;
  EXPECT_TRUE(platform.FolderIdentity(root, device, inode));
  // A drive's root, as the folder of a remembered path.
  EXPECT_EQ(platform.GetPathKind(root.substr(0, 3)), clPathKind::Folder);
}
