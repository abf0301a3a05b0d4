#include "settings/clsettingstable.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "clfakeplatform.h"
#include "platform/clpath.h"
#include "settings/clsettingsfile.h"

namespace {

// The keys as files hold them, in file order, with the defaults of a missing key.
TEST(clSettingsTable, HoldsTheSeventeenKeysInFileOrderWithTheirDefaults) {
  std::string keys;
  for (const clSetting& setting : clSettingsTable::Keys()) {
    keys += setting.key;
    if (setting.kind != clSettingKind::String) keys += "=" + std::to_string(setting.numberDefault);
    keys += "\n";
  }
  EXPECT_EQ(keys,
            "IS_SUB_FOLDER=1\nIS_WIN_FOLDER=0\nIS_HIDE_FILE=0\nIS_READ_ONLY_FILE=0\n"
            "IS_FOLDER_LIST_OUTPUT_CSV=1\nIS_FOLDER_LIST_OUTPUT_TXT=1\n"
            "IS_PRESERVE_DIALOG_FOLDER_LIST_OUTPUT=0\nIS_FOLDER_LIST_OUTPUT_FOLDER_PATH\n"
            "IS_FOLDER_LIST_OUTPUT_CLIPBOARD=0\nIS_FOLDER_LIST_OUTPUT_TXT_SHT=0\n"
            "IS_FOLDER_LIST_OUTPUTMSG=1\nIS_FOLDER_LIST_OUTPUTLOCATE=1\n"
            "IS_FOLDER_LIST_OUTPUTCSVFILE=0\nIS_FOLDER_LIST__OUTPUTTXTFILE=0\n"
            "IS_FOLDER_LIST_OUTPUTCBMODE=0\nIS_FOLDER_LIST_OUTPUTTIMEOUT=1\n"
            "IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=10\n");
  EXPECT_THROW(clSettingsTable::Find("IS_FOLDER_LIST_OUTPUT_TXTFILE"), std::out_of_range);
}

// The record of a fresh installation is what loading finds with no file; the easy
// dialog resets what it does not show, but the output folder and the short text form.
TEST(clSettingsTable, DefaultsAreWhatLoadingWithoutAFileGivesAndTheEasyDialogResetsItsHiddenKeys) {
  clFakePlatform platform{"/exe/"};
  clSoftOption loaded;
  ASSERT_TRUE(clSettingsFile::Load(loaded, platform, "/exe/Setting.ini", "/exe"));
  EXPECT_TRUE(clSettingsTable::Defaults(clPath::JoinInside("/exe", kFolderListOutput)) == loaded);

  std::string resets;
  for (const clSetting& setting : clSettingsTable::Keys()) {
    if (setting.easyResets) resets += std::string(setting.key) + "\n";
  }
  EXPECT_EQ(resets,
            "IS_SUB_FOLDER\nIS_WIN_FOLDER\nIS_HIDE_FILE\nIS_READ_ONLY_FILE\n"
            "IS_PRESERVE_DIALOG_FOLDER_LIST_OUTPUT\nIS_FOLDER_LIST_OUTPUTLOCATE\n"
            "IS_FOLDER_LIST_OUTPUTTIMEOUT\nIS_FOLDER_LIST_OUTPUTTIMEOUTNUM\n");
}

// Each key reaches its own member: setting one through the table changes that one only.
TEST(clSettingsTable, EachKeyReachesItsOwnMember) {
  for (const clSetting& setting : clSettingsTable::Keys()) {
    SCOPED_TRACE(setting.key);
    clSoftOption option;
    const clSoftOption before = option;
    switch (setting.kind) {
      case clSettingKind::Bool:
        (option.*setting.setBool)(true);
        EXPECT_TRUE((option.*setting.getBool)());
        break;
      case clSettingKind::Integer:
        (option.*setting.setInteger)(42);
        EXPECT_EQ((option.*setting.getInteger)(), 42);
        break;
      case clSettingKind::String:
        (option.*setting.setString)("x");
        EXPECT_EQ((option.*setting.getString)(), "x");
        break;
    }
    int differing = 0;
    for (const clSetting& other : clSettingsTable::Keys()) {
      clSoftOption probe = before;
      if (other.kind == clSettingKind::Bool) {
        (probe.*other.setBool)((option.*other.getBool)());
      } else if (other.kind == clSettingKind::Integer) {
        (probe.*other.setInteger)((option.*other.getInteger)());
      } else {
        (probe.*other.setString)((option.*other.getString)());
      }
      differing += probe == before ? 0 : 1;
    }
    EXPECT_EQ(differing, 1);
  }
}

}  // namespace
