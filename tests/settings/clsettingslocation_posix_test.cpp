#include "settings/clsettingslocation.h"

#include <gtest/gtest.h>
#include <string>

TEST(clSettingsLocation, APortableCopyKeepsEverythingBesideItself) {
  for (const char* folder : {"/home/user/tools/kdx", "/home/user/tools/kdx/", "/opt/kdx",
                             "/work/build/bin", "/usr/bin/kdx", "/"}) {
    SCOPED_TRACE(folder);
    const clSettingsLocation location(
        {folder, true, "/home/user/.config", "/home/user/Documents", {"/usr/local/bin"}});
    EXPECT_TRUE(location.IsPortable());
    EXPECT_EQ(location.SettingFolder(), folder);
    EXPECT_EQ(location.OutputParent(), folder);
  }
  const clSettingsLocation location({"/home/user/kdx", true, "/c", "/d", {}});
  EXPECT_EQ(location.SettingPath(), "/home/user/kdx/Setting.ini");
  EXPECT_EQ(location.DefaultOutputFolder(), "/home/user/kdx/FolderListOutput");
}

TEST(clSettingsLocation, AnInstalledCopyUsesTheUsersFolders) {
  // An install location even when this user (root) may write it, or any folder the
  // user may not write.
  struct Case {
    const char* folder;
    bool writable;
  };
  const Case cases[] = {
      {"/usr/bin", true},         {"/usr/bin/", true},
      {"/usr/local/bin", true},   {"/bin", true},
      {"/usr/games", true},       {"/srv/prefix/bin", true},
      {"/srv/prefix/bin/", true}, {"/home/other/kdx", false},
      {"/usr/bin", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    const clSettingsLocation location({c.folder,
                                       c.writable,
                                       "/home/user/.config",
                                       "/home/user/ドキュメント",
                                       {"/srv/prefix/bin"}});
    EXPECT_FALSE(location.IsPortable());
    EXPECT_EQ(location.SettingFolder(), "/home/user/.config/KDX");
    EXPECT_EQ(location.SettingPath(), "/home/user/.config/KDX/Setting.ini");
    EXPECT_EQ(location.DefaultOutputFolder(), "/home/user/ドキュメント/FolderListOutput");
  }
  const clSettingsLocation slashed({"/usr/bin", true, "/cfg/", "/docs/", {}});
  EXPECT_EQ(slashed.SettingPath(), "/cfg/KDX/Setting.ini");
  EXPECT_EQ(slashed.DefaultOutputFolder(), "/docs/FolderListOutput");
}

// Without a configuration folder to keep them in, an installed copy's settings stay
// beside it, where a failed save is said, not at the root of the current drive.
TEST(clSettingsLocation, AnInstalledCopyWithoutAConfigurationFolderKeepsThemBesideItself) {
  const clSettingsLocation location({"/usr/bin", false, "", "/home/user/Documents", {}});
  EXPECT_TRUE(location.IsPortable());
  EXPECT_EQ(location.SettingPath(), "/usr/bin/Setting.ini");
}
