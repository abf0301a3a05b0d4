#include "clfakeplatform.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

// The walk's tests use the fake's folders, markers and hook; these cover the rest of it.

TEST(clFakePlatform, AnswersForPathsAndFolderIdentities) {
  clFakePlatform fake{"/d/", "/d/f", "/d/s/"};
  const std::pair<std::string, clPathKind> cases[] = {
      {"/", clPathKind::Folder},       {"/d", clPathKind::Folder}, {"/d/", clPathKind::Folder},
      {"/d//s/.", clPathKind::Folder}, {"/d/f", clPathKind::File}, {"/d/f/x", clPathKind::Missing},
      {"/x", clPathKind::Missing},     {"d", clPathKind::Missing}, {"", clPathKind::Missing},
  };
  for (const auto& [path, kind] : cases) EXPECT_EQ(fake.GetPathKind(path), kind) << path;

  uint64_t device = 0, inode = 0, parentDevice = 0, parentInode = 0;
  ASSERT_TRUE(fake.FolderIdentity("/d/s/..", device, inode));
  ASSERT_TRUE(fake.FolderIdentity("/d", parentDevice, parentInode));
  EXPECT_EQ(device, parentDevice);
  EXPECT_EQ(inode, parentInode);
  EXPECT_FALSE(fake.FolderIdentity("/d/f", device, inode));

  std::vector<clFolderItem> items;
  ASSERT_TRUE(fake.ReadFolder("/d/s", items));
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[1].name, "..");
  EXPECT_EQ(items[1].inode, parentInode);
  EXPECT_EQ(fake.GetSystemFolder(), "/proc");
  fake.SetSystemFolder("");
  EXPECT_EQ(fake.GetSystemFolder(), "");
}

TEST(clFakePlatform, CreatesFoldersWhereTheTreeAllows) {
  clFakePlatform fake{"/d/f", "locked:/l/"};
  EXPECT_TRUE(fake.CreateFolders("/d/x/y"));
  EXPECT_EQ(fake.GetPathKind("/d/x/y"), clPathKind::Folder);
  EXPECT_TRUE(fake.CreateFolders("/d/x/y/"));
  EXPECT_FALSE(fake.CreateFolders(""));
  EXPECT_FALSE(fake.CreateFolders("/d/f"));
  EXPECT_FALSE(fake.CreateFolders("/d/f/sub"));
  EXPECT_FALSE(fake.CreateFolders("/l/sub"));
  EXPECT_EQ(fake.GetPathKind("/l/sub"), clPathKind::Missing);
}

TEST(clFakePlatform, RefusesLinesItCannotRead) {
  for (const char* line : {"relative/", "nosuch:/a", "ro/a", "/d/f/under"}) {
    clFakePlatform fake{"/d/f"};
    EXPECT_THROW(fake.Add(line), std::invalid_argument) << line;
  }
}
