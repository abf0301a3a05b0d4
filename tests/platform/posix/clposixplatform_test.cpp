#include "platform/posix/clposixplatform.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <atomic>
#include <map>
#include <string>
#include <vector>

#include "cltemptree.h"

namespace {

std::map<std::string, clFolderItem> ByName(const std::vector<clFolderItem>& items) {
  std::map<std::string, clFolderItem> out;
  for (const auto& item : items) EXPECT_TRUE(out.emplace(item.name, item).second) << item.name;
  return out;
}

}  // namespace

TEST(clPosixPlatform, ReadsEveryItemWithItsAttributes) {
  clTempTree tree{"f",    ".h",     "d/",      "r",       "rd/",
                  "ro:r", "ro:rd/", "ld -> d", "lf -> f", "dang -> nowhere"};
  clPosixPlatform platform;
  std::vector<clFolderItem> items;
  ASSERT_TRUE(platform.ReadFolder(tree.Root(), items));
  auto found = ByName(items);

  struct Case {
    const char* name;
    bool isFolder, hidden, readOnly, isLink;
  };
  const Case cases[] = {
      {".", true, true, false, false},   {"..", true, true, false, false},
      {"f", false, false, false, false}, {".h", false, true, false, false},
      {"d", true, false, false, false},  {"r", false, false, true, false},
      {"rd", true, false, true, false},  {"ld", true, false, false, true},  // followed
      {"lf", false, false, false, true}, {"dang", false, false, false, true},
  };
  ASSERT_EQ(found.size(), std::size(cases));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(found.count(c.name), 1u);
    const clFolderItem& item = found[c.name];
    EXPECT_EQ(item.isFolder, c.isFolder);
    EXPECT_EQ(item.hidden, c.hidden);
    EXPECT_EQ(item.readOnly, c.readOnly);
    EXPECT_EQ(item.isLink, c.isLink);
  }

  // A folder's identity is the one of what it names, through links too.
  uint64_t device = 0, inode = 0;
  ASSERT_TRUE(platform.FolderIdentity(tree.Root(), device, inode));
  EXPECT_EQ(found["."].device, device);
  EXPECT_EQ(found["."].inode, inode);
  EXPECT_EQ(found["ld"].inode, found["d"].inode);
  EXPECT_NE(found["d"].inode, inode);
}

TEST(clPosixPlatform, ReadingWhatIsNoReadableFolderFails) {
  clTempTree tree{"f", "locked/", "locked/x"};
  clPosixPlatform platform;
  std::vector<std::string> paths{tree.Path("missing"), tree.Path("f"), ""};
  if (::geteuid() != 0) {  // root reads every folder
    ASSERT_EQ(::chmod(tree.Path("locked").c_str(), 0), 0);
    paths.push_back(tree.Path("locked"));
  }
  for (const auto& path : paths) {
    SCOPED_TRACE(path);
    std::vector<clFolderItem> items;
    EXPECT_FALSE(platform.ReadFolder(path, items));
    EXPECT_TRUE(items.empty());
  }
}

TEST(clPosixPlatform, TellsWhatAPathNames) {
  clTempTree tree{"f", "d/", "ld -> d", "lf -> f", "dang -> nowhere"};
  clPosixPlatform platform;
  const std::pair<std::string, clPathKind> cases[] = {
      {tree.Root(), clPathKind::Folder},           {tree.Path("d"), clPathKind::Folder},
      {tree.Path("ld"), clPathKind::Folder},       {tree.Path("f"), clPathKind::File},
      {tree.Path("lf"), clPathKind::File},         {tree.Path("dang"), clPathKind::Missing},
      {tree.Path("nothing"), clPathKind::Missing}, {"", clPathKind::Missing},
  };
  for (const auto& [path, kind] : cases) {
    EXPECT_EQ(platform.GetPathKind(path), kind) << path;
  }
  EXPECT_EQ(platform.GetSystemFolder(), "/proc");
}

TEST(clPosixPlatform, KnowsAFolderByWhatItIsNotHowItIsSpelled) {
  clTempTree tree{"p -> /proc", "d/", "ld -> d"};
  clPosixPlatform platform;
  for (const std::string& path : {std::string("/tmp/../proc"), std::string("//proc"),
                                  std::string("/proc/"), tree.Path("p")}) {
    EXPECT_TRUE(platform.IsSameFolder(path, "/proc")) << path;
  }
  EXPECT_TRUE(platform.IsSameFolder(tree.Path("ld"), tree.Path("d")));
  EXPECT_FALSE(platform.IsSameFolder(tree.Root(), "/proc"));
  EXPECT_FALSE(platform.IsSameFolder(tree.Path("missing"), tree.Path("missing")));
}

TEST(clPosixPlatform, CreatesAFolderWithItsParents) {
  clTempTree tree{"f", "d/"};
  clPosixPlatform platform;
  EXPECT_TRUE(platform.CreateFolders(tree.Path("x/y/z")));
  EXPECT_EQ(platform.GetPathKind(tree.Path("x/y/z")), clPathKind::Folder);
  EXPECT_TRUE(platform.CreateFolders(tree.Path("x/y/z")));  // already there
  EXPECT_TRUE(platform.CreateFolders(tree.Path("p//q/")));
  EXPECT_EQ(platform.GetPathKind(tree.Path("p/q")), clPathKind::Folder);
  EXPECT_TRUE(platform.CreateFolders(tree.Path("d")));

  EXPECT_FALSE(platform.CreateFolders(""));
  EXPECT_FALSE(platform.CreateFolders(tree.Path("f")));      // a file is no folder
  EXPECT_FALSE(platform.CreateFolders(tree.Path("f/sub")));  // nor can it hold one
}

TEST(clPosixPlatform, AStopEndsAReadAfterItsFirstItem) {
  clTempTree tree{"a", "b", "c"};
  clPosixPlatform platform;
  for (const bool stopped : {false, true}) {
    std::atomic<bool> stop{stopped};
    std::vector<clFolderItem> items;
    EXPECT_TRUE(platform.ReadFolderUntil(tree.Root(), items, stop));
    EXPECT_EQ(items.size(), stopped ? 1u : 5u);
  }
}

TEST(clPosixPlatform, ListsAFolderInNameOrderWhateverTheFileSystemKeeps) {
  // Files and folders mixed; a Japanese name and names that are not valid UTF-8.
  clTempTree tree{"~y", "_x/", "z",    "C/",        "B",           "Ab",
                  "aa", "a",   "10",   "1",         "2/",          "\xe6\x97\xa5\xe6\x9c\xac",
                  "[x", "A",   "\xff", "\x80\xfe/", "\xe3\x81\x82"};
  clPosixPlatform platform;
  const std::vector<std::string> expected{
      ".",   "..", "1", "10", "2",  "A",  "a",        "aa",           "Ab",
      "B",   "C",  "z", "[x", "_x", "~y", "\x80\xfe", "\xe3\x81\x82", "\xe6\x97\xa5\xe6\x9c\xac",
      "\xff"};
  for (const bool untilStop : {false, true}) {
    SCOPED_TRACE(untilStop ? "ReadFolderUntil" : "ReadFolder");
    std::vector<clFolderItem> items{{"kept"}};  // items already there stay first
    const std::atomic<bool> stop{false};
    ASSERT_TRUE(untilStop ? platform.ReadFolderUntil(tree.Root(), items, stop)
                          : platform.ReadFolder(tree.Root(), items));
    std::vector<std::string> names;
    for (const auto& item : items) names.push_back(item.name);
    ASSERT_EQ(names.front(), "kept");
    names.erase(names.begin());
    EXPECT_EQ(names, expected);
  }
}

// The system folder is known by what it is, whatever path leads to it.
TEST(clPosixPlatform, KnowsTheSameFolderByAnyPathThatLeadsToIt) {
  clTempTree tree{"proc -> /proc", "root -> /", "d/"};
  clPosixPlatform platform;
  for (const std::string& path : {tree.Path("proc"), tree.Path("root/proc"), std::string("//proc"),
                                  std::string("/tmp/../proc")}) {
    SCOPED_TRACE(path);
    EXPECT_TRUE(platform.IsSameFolder(path, "/proc"));
  }
  for (const std::string& path : {tree.Path("root"), tree.Path("d"), tree.Path("missing")}) {
    SCOPED_TRACE(path);
    EXPECT_FALSE(platform.IsSameFolder(path, "/proc"));
  }
}
