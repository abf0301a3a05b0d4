#include "platform/win32/clwin32process.h"

#include "settings/clsettingslocation.h"

#include <shlobj.h>

#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <string>

TEST(clWin32Process, KnowsItsExecutableAndItsArgumentAsTheSystemGivesThem) {
  clWin32Process process;
  const clProcessFacts facts = process.GetProcessFacts();
  EXPECT_EQ(facts.exeName, "kdx_core_tests.exe");
  EXPECT_NE(::GetFileAttributesA((facts.exeFolder + "\\" + facts.exeName).c_str()),
            INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(facts.exeFolder.back(), '\\');
  // The run-time library splits the same command line into __argv.
  ASSERT_EQ(facts.argument.has_value(), __argc > 1);
  if (__argc > 1) {
    EXPECT_EQ(*facts.argument, __argv[1]);
  }
}

TEST(clWin32Process, OneInstancePerExecutableNameHoldsTheMutex) {
  const std::string name = "kdx-test-" + std::to_string(::GetCurrentProcessId()) + ".exe";
  clWin32Process first, second;
  EXPECT_TRUE(first.AcquireInstance(name));
  EXPECT_TRUE(first.HoldsInstance());
  EXPECT_FALSE(second.AcquireInstance(name));
  EXPECT_FALSE(second.HoldsInstance());
  EXPECT_TRUE(second.AcquireInstance("other-" + name));  // another file name, another mutex
  second.ReleaseInstance();
  first.ReleaseInstance();
  EXPECT_FALSE(first.HoldsInstance());
  // Released, the mutex keeps its name until the process ends: an instance still ending
  // keeps a new one out.
  EXPECT_FALSE(second.AcquireInstance(name));
}

TEST(clWin32Process, TheTimeStampIsTheLocalTimeIn14Digits) {
  clWin32Process process;
  for (int attempt = 0; attempt < 3; ++attempt) {
    SYSTEMTIME before;
    ::GetLocalTime(&before);
    const std::string stamp = process.GetLocalTimeStamp();
    SYSTEMTIME after;
    ::GetLocalTime(&after);
    if (before.wSecond != after.wSecond) continue;  // a second passed in between
    char expected[32];
    std::snprintf(expected, sizeof expected, "%04u%02u%02u%02u%02u%02u", before.wYear,
                  before.wMonth, before.wDay, before.wHour, before.wMinute, before.wSecond);
    EXPECT_EQ(stamp, expected);
    return;
  }
  FAIL() << "the clock never stood still for a stamp";
}

// An installed copy keeps its settings in the user's folders: which folders those are,
// and whether the copy's own folder can be written.
TEST(clWin32Process, KnowsTheUsersFoldersAndWhetherItsOwnFolderCanBeWritten) {
  clWin32Process process;
  const clProcessFacts facts = process.GetProcessFacts();
  char appData[MAX_PATH] = {}, documents[MAX_PATH] = {};
  ASSERT_TRUE(SUCCEEDED(::SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, appData)));
  ASSERT_TRUE(SUCCEEDED(::SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, 0, documents)));
  EXPECT_EQ(facts.configHome, appData);
  EXPECT_EQ(facts.documentsFolder, documents);
  EXPECT_TRUE(facts.exeFolderWritable);
  // Wine's Z: is the Linux root: /proc takes no new file, even from root.
  EXPECT_FALSE(clWin32Process::CanWriteIn("Z:\\proc"));
  EXPECT_FALSE(clWin32Process::CanWriteIn("C:\\no such folder"));
  EXPECT_TRUE(clWin32Process::CanWriteIn(facts.exeFolder));
}

TEST(clWin32Process, AnInstalledCopyKeepsItsSettingsInAppDataAndWritesToDocuments) {
  clWin32Process process;
  const clProcessFacts facts = process.GetProcessFacts();
  clSettingsLocation::Facts installed{"C:\\Program Files\\KDX", false, facts.configHome,
                                      facts.documentsFolder, facts.installFolders};
  const clSettingsLocation location(installed);
  EXPECT_FALSE(location.IsPortable());
  EXPECT_EQ(location.SettingPath(), facts.configHome + "\\KDX\\Setting.ini");
  EXPECT_EQ(location.DefaultOutputFolder(), facts.documentsFolder + "\\FolderListOutput");

  clSettingsLocation::Facts portable = installed;
  portable.exeFolderWritable = true;
  EXPECT_EQ(clSettingsLocation(portable).SettingPath(), "C:\\Program Files\\KDX\\Setting.ini");
}
