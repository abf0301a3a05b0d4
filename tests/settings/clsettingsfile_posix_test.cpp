#include "settings/clsettingsfile.h"

#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bytesdiff.h"
#include "cltemptree.h"

namespace {

const std::string kDefaultFile =
    "[SETTING]\r\n"
    "IS_SUB_FOLDER=1\r\n"
    "IS_WIN_FOLDER=0\r\n"
    "IS_HIDE_FILE=0\r\n"
    "IS_READ_ONLY_FILE=0\r\n"
    "IS_FOLDER_LIST_OUTPUT_CSV=1\r\n"
    "IS_FOLDER_LIST_OUTPUT_TXT=1\r\n"
    "IS_PRESERVE_DIALOG_FOLDER_LIST_OUTPUT=0\r\n"
    "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=/opt/tools/FolderListOutput\r\n"
    "IS_FOLDER_LIST_OUTPUT_CLIPBOARD=0\r\n"
    "IS_FOLDER_LIST_OUTPUT_TXT_SHT=0\r\n"
    "IS_FOLDER_LIST_OUTPUTMSG=1\r\n"
    "IS_FOLDER_LIST_OUTPUTLOCATE=1\r\n"
    "IS_FOLDER_LIST_OUTPUTCSVFILE=0\r\n"
    "IS_FOLDER_LIST__OUTPUTTXTFILE=0\r\n"
    "IS_FOLDER_LIST_OUTPUTCBMODE=0\r\n"
    "IS_FOLDER_LIST_OUTPUTTIMEOUT=1\r\n"
    "IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=10\r\n";

// All seventeen values on one line, to compare records in one step.
std::string Describe(const clSoftOption& o) {
  auto b = [](bool value) { return value ? "1 " : "0 "; };
  return std::string() + b(o.GetSubFolder()) + b(o.GetWinFolder()) + b(o.GetHideFile()) +
         b(o.GetReadOnlyFile()) + b(o.GetOutputCsv()) + b(o.GetOutputTxt()) +
         b(o.GetPreserveDialog()) + "[" + o.GetOutputFolderPath() + "] " +
         b(o.GetOutputClipboard()) + b(o.GetTxtShort()) + b(o.GetOutputMsg()) +
         b(o.GetOutputLocate()) + b(o.GetOpenCsvFile()) + b(o.GetOpenTxtFile()) +
         std::to_string(o.GetClipboardMode()) + " " + b(o.GetTimeout()) +
         std::to_string(o.GetTimeoutSeconds());
}

clSoftOption LoadText(const std::string& text) {
  clTempTree tree{"Setting.ini=" + text};
  clSoftOption option;
  EXPECT_TRUE(
      clSettingsFile::Load(option, DefaultFilePlatform(), tree.Path("Setting.ini"), "/opt/tools"));
  return option;
}

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (const dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(dir);
  }
  return names;
}

}  // namespace

TEST(clSettingsFile, PathInJoinsWithOneSlash) {
  EXPECT_EQ(clSettingsFile::PathIn("/opt/tools"), "/opt/tools/Setting.ini");
  EXPECT_EQ(clSettingsFile::PathIn("/opt/tools/"), "/opt/tools/Setting.ini");
  EXPECT_EQ(clSettingsFile::PathIn("/"), "/Setting.ini");
}

TEST(clSettingsFile, MissingFileLoadsTheDefaultsAndCreatesNothing) {
  clTempTree tree;
  clSoftOption option;
  EXPECT_TRUE(
      clSettingsFile::Load(option, DefaultFilePlatform(), tree.Path("Setting.ini"), "/opt/tools"));
  EXPECT_EQ(Describe(option), "1 0 0 0 1 1 0 [/opt/tools/FolderListOutput] 0 0 1 1 0 0 0 1 10");
  EXPECT_TRUE(Names(tree.Root()).empty());

  clSoftOption slashed;
  clSettingsFile::Load(slashed, DefaultFilePlatform(), tree.Path("Setting.ini"), "/opt/tools/");
  EXPECT_EQ(slashed.GetOutputFolderPath(), "/opt/tools/FolderListOutput");

  // Other sections and a file that is no settings file at all count as missing keys.
  EXPECT_EQ(Describe(LoadText("[OTHER]\r\nIS_SUB_FOLDER=0\r\n")), Describe(option));
  clTempTree folderInPlace{"Setting.ini/"};
  clSoftOption fromFolder;
  clSettingsFile::Load(fromFolder, DefaultFilePlatform(), folderInPlace.Path("Setting.ini"),
                       "/opt/tools");
  EXPECT_EQ(Describe(fromFolder), Describe(option));
}

TEST(clSettingsFile, SavingTheDefaultsWritesTheDefaultFile) {
  clTempTree tree;
  const std::string path = tree.Path("Setting.ini");
  clSoftOption option;
  clSettingsFile::Load(option, DefaultFilePlatform(), path, "/opt/tools");
  EXPECT_TRUE(clSettingsFile::Save(option, DefaultFilePlatform(), path));
  EXPECT_BYTES(kDefaultFile, clTempTree::ReadFile(path));
  EXPECT_EQ(Names(tree.Root()), std::vector<std::string>{"Setting.ini"});
}

TEST(clSettingsFile, LoadsEachValueByItsTypeWithItsDefault) {
  struct Case {
    const char* lines;
    const char* expected;  // Describe() of the loaded record
  };
  const Case cases[] = {
      {"IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=0x1E",
       "1 0 0 0 1 1 0 [/opt/tools/FolderListOutput] 0 0 1 1 0 0 0 1 30"},
      {"IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=$1E\r\nIS_FOLDER_LIST_OUTPUTCBMODE=-1",
       "1 0 0 0 1 1 0 [/opt/tools/FolderListOutput] 0 0 1 1 0 0 -1 1 30"},
      {"IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=abc\r\nIS_FOLDER_LIST_OUTPUTCBMODE=2147483648",
       "1 0 0 0 1 1 0 [/opt/tools/FolderListOutput] 0 0 1 1 0 0 0 1 10"},
      {"IS_SUB_FOLDER=0\r\nIS_FOLDER_LIST_OUTPUTTIMEOUT=0\r\nIS_WIN_FOLDER=2",
       "0 1 0 0 1 1 0 [/opt/tools/FolderListOutput] 0 0 1 1 0 0 0 0 10"},
      {"IS_SUB_FOLDER=\r\nIS_FOLDER_LIST_OUTPUTMSG=yes\r\nIS_HIDE_FILE=yes",
       "1 0 0 0 1 1 0 [/opt/tools/FolderListOutput] 0 0 1 1 0 0 0 1 10"},
      {"IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=", "1 0 0 0 1 1 0 [] 0 0 1 1 0 0 0 1 10"},
      {"is_folder_list_output_folder_path = ' /data/out dir ' ",
       "1 0 0 0 1 1 0 [ /data/out dir ] 0 0 1 1 0 0 0 1 10"},
      // One underscore after LIST is some other key, not the text-file key.
      {"IS_FOLDER_LIST_OUTPUT_TXTFILE=1",
       "1 0 0 0 1 1 0 [/opt/tools/FolderListOutput] 0 0 1 1 0 0 0 1 10"},
      {"IS_FOLDER_LIST__OUTPUTTXTFILE=1\r\nIS_FOLDER_LIST_OUTPUTCSVFILE=1",
       "1 0 0 0 1 1 0 [/opt/tools/FolderListOutput] 0 0 1 1 1 1 0 1 10"},
  };
  for (const auto& c : cases) {
    for (const char* header : {"[SETTING]\r\n", "[setting]\n"}) {
      std::string text = std::string(header) + c.lines + "\r\n";
      EXPECT_EQ(Describe(LoadText(text)), c.expected) << text;
    }
  }
}

TEST(clSettingsFile, SaveUpdatesTheKeysInPlaceAndKeepsEverythingElse) {
  clTempTree tree{
      "Setting.ini="
      "; KDX\n[WINDOW]\nLeft=10\nIS_SUB_FOLDER=keep\n\n"
      "[Setting]\r\nis_win_folder = 5\r\nCUSTOM=x\r\n"
      "IS_FOLDER_LIST_OUTPUTTIMEOUTNUM= 0x1E \r\nIS_FOLDER_LIST_OUTPUTCBMODE=abc\n"
      "IS_FOLDER_LIST_OUTPUT_TXTFILE=1\r\n\r\n[LAST]\r\nk=v"};
  const std::string path = tree.Path("Setting.ini");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  clSoftOption option;
  clSettingsFile::Load(option, DefaultFilePlatform(), path, "/opt/tools");
  EXPECT_TRUE(clSettingsFile::Save(option, DefaultFilePlatform(), path));
  // Values come back in their plain form: 5 as 1, 0x1E as 30, an unreadable one as
  // its default; the missing keys follow the last key line of the section.
  EXPECT_BYTES(
      "; KDX\n[WINDOW]\nLeft=10\nIS_SUB_FOLDER=keep\n\n"
      "[Setting]\r\nIS_WIN_FOLDER=1\r\nCUSTOM=x\r\n"
      "IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=30\r\nIS_FOLDER_LIST_OUTPUTCBMODE=0\r\n"
      "IS_FOLDER_LIST_OUTPUT_TXTFILE=1\r\n"
      "IS_SUB_FOLDER=1\r\nIS_HIDE_FILE=0\r\nIS_READ_ONLY_FILE=0\r\n"
      "IS_FOLDER_LIST_OUTPUT_CSV=1\r\nIS_FOLDER_LIST_OUTPUT_TXT=1\r\n"
      "IS_PRESERVE_DIALOG_FOLDER_LIST_OUTPUT=0\r\n"
      "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=/opt/tools/FolderListOutput\r\n"
      "IS_FOLDER_LIST_OUTPUT_CLIPBOARD=0\r\nIS_FOLDER_LIST_OUTPUT_TXT_SHT=0\r\n"
      "IS_FOLDER_LIST_OUTPUTMSG=1\r\nIS_FOLDER_LIST_OUTPUTLOCATE=1\r\n"
      "IS_FOLDER_LIST_OUTPUTCSVFILE=0\r\nIS_FOLDER_LIST__OUTPUTTXTFILE=0\r\n"
      "IS_FOLDER_LIST_OUTPUTTIMEOUT=1\r\n"
      "\r\n[LAST]\r\nk=v",
      clTempTree::ReadFile(path));
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(Names(tree.Root()), std::vector<std::string>{"Setting.ini"});
}

TEST(clSettingsFile, SavedValuesLoadBackUnchanged) {
  clTempTree tree{"real/", "Setting.ini -> real/Setting.ini"};
  const std::string path = tree.Path("Setting.ini");
  clSoftOption option;
  option.SetWinFolder(true);
  option.SetOpenTxtFile(true);
  option.SetOutputFolderPath(" '/data/出力' ");
  option.SetClipboardMode(-2147483647 - 1);
  option.SetTimeoutSeconds(2147483647);
  EXPECT_TRUE(clSettingsFile::Save(option, DefaultFilePlatform(), path));
  clSoftOption loaded;
  clSettingsFile::Load(loaded, DefaultFilePlatform(), path, "/opt/tools");
  EXPECT_EQ(Describe(loaded), Describe(option));
  // Written through the link, which stays a link.
  struct stat info {};
  ASSERT_EQ(::lstat(path.c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  EXPECT_EQ(Names(tree.Path("real")), std::vector<std::string>{"Setting.ini"});
}

TEST(clSettingsFile, FailedSaveThrowsAndChangesNothing) {
  clSoftOption option;
  option.SetSubFolder(true);
  const std::string old = "[SETTING]\r\nIS_SUB_FOLDER=0\r\n";
  struct Case {
    const char* what;
    std::vector<std::string> items;
    const char* file;  // the settings path, relative to the tree
  };
  const Case cases[] = {
      {"folder does not exist", {"keep=1"}, "missing/Setting.ini"},
      {"folder is a file", {"notdir=1"}, "notdir/Setting.ini"},
      {"settings path is a folder", {"Setting.ini/", "Setting.ini/inner=1"}, "Setting.ini"},
  };
  for (const auto& c : cases) {
    clTempTree tree;
    for (const auto& item : c.items) tree.Add(item);
    const std::vector<std::string> before = Names(tree.Root());
    const std::string path = tree.Path(c.file);
    try {
      clSettingsFile::Save(option, DefaultFilePlatform(), path);
      ADD_FAILURE() << c.what << ": no error";
    } catch (const clSettingsWriteError& error) {
      EXPECT_EQ(std::string(error.what()), path + " に書き込めません") << c.what;
    }
    EXPECT_EQ(Names(tree.Root()), before) << c.what;
  }
}

// A folder path with a line break cannot be stored as one line: every other key is
// saved, the folder key keeps its previous value (or stays missing), and the save says
// so by its result.
TEST(clSettingsFile, AFolderWithALineBreakKeepsItsOldValueAndTheRestIsSaved) {
  clSoftOption broken;
  broken.SetSubFolder(true);
  broken.SetOutputFolderPath("/tmp/a\nIS_WIN_FOLDER=1");
  const std::string withFolder =
      "[SETTING]\r\nIS_SUB_FOLDER=0\r\nIS_FOLDER_LIST_OUTPUT_FOLDER_PATH=/old/out\r\n";
  for (const std::string& old : {withFolder, std::string("[SETTING]\r\nIS_SUB_FOLDER=0\r\n")}) {
    SCOPED_TRACE(old);
    clTempTree tree{"Setting.ini=" + old};
    const std::string path = tree.Path("Setting.ini");
    EXPECT_FALSE(clSettingsFile::Save(broken, DefaultFilePlatform(), path));
    const std::string saved = clTempTree::ReadFile(path);
    EXPECT_NE(saved.find("IS_SUB_FOLDER=1\r\n"), std::string::npos);
    EXPECT_NE(saved.find("IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=0\r\n"), std::string::npos);
    EXPECT_NE(saved.find("IS_WIN_FOLDER=0\r\n"), std::string::npos);
    EXPECT_EQ(saved.find("IS_WIN_FOLDER=1"), std::string::npos);
    EXPECT_EQ(saved.find("/tmp/a"), std::string::npos);
    const bool hadFolder = old == withFolder;
    EXPECT_EQ(saved.find("IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=/old/out\r\n") != std::string::npos,
              hadFolder);
    clSoftOption loaded;
    clSettingsFile::Load(loaded, DefaultFilePlatform(), path, "/opt/tools");
    EXPECT_EQ(loaded.GetOutputFolderPath(), hadFolder ? "/old/out" : "/opt/tools/FolderListOutput");
    EXPECT_EQ(Names(tree.Root()), std::vector<std::string>{"Setting.ini"});
  }
}

// A file that starts with a UTF-8 byte-order mark loads its keys, and is saved with the
// mark and one section.
TEST(clSettingsFile, AByteOrderMarkIsReadPastAndKept) {
  const std::string bom = "\xEF\xBB\xBF";
  clTempTree tree{"Setting.ini=" + bom + "[SETTING]\r\nIS_SUB_FOLDER=0\r\n"};
  const std::string path = tree.Path("Setting.ini");
  clSoftOption option;
  clSettingsFile::Load(option, DefaultFilePlatform(), path, "/opt/tools");
  EXPECT_FALSE(option.GetSubFolder());
  option.SetHideFile(true);
  EXPECT_TRUE(clSettingsFile::Save(option, DefaultFilePlatform(), path));
  const std::string saved = clTempTree::ReadFile(path);
  EXPECT_EQ(saved.rfind(bom + "[SETTING]\r\nIS_SUB_FOLDER=0\r\n", 0), 0u) << saved;
  EXPECT_EQ(saved.find("[SETTING]", bom.size() + 1), std::string::npos);  // one section
  EXPECT_NE(saved.find("IS_HIDE_FILE=1\r\n"), std::string::npos);
}

// A settings file marked read-only is not replaced, although its folder would allow it:
// the save fails as a write to that file does (root included).
// The new file of a save killed midway is removed by the next save, whether that
// process is gone or it is this one; a save of a copy still running, and files of other
// names, are left alone.
TEST(clSettingsFile, ASaveRemovesWhatAKilledSaveLeftBehind) {
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) ::_exit(0);
  ASSERT_EQ(::waitpid(child, nullptr, 0), child);  // a process that no longer runs
  const std::string gone = "Setting.ini.new-" + std::to_string(child) + "-0";
  const std::string own = "Setting.ini.new-" + std::to_string(::getpid()) + "-7";
  const std::string running = "Setting.ini.new-" + std::to_string(::getppid()) + "-0";
  clTempTree tree{"Setting.ini=[SETTING]\r\n",
                  gone + "=[SETTING",
                  own,
                  running,
                  "Other.ini.new-" + std::to_string(child) + "-0",
                  "Setting.ini.new-x"};
  clSoftOption option;
  EXPECT_TRUE(clSettingsFile::Save(option, DefaultFilePlatform(), tree.Path("Setting.ini")));
  std::vector<std::string> names = Names(tree.Root());
  std::sort(names.begin(), names.end());
  std::vector<std::string> expected = {"Other.ini.new-" + std::to_string(child) + "-0",
                                       "Setting.ini", "Setting.ini.new-x", running};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(names, expected);
}

TEST(clSettingsFile, ReadOnlySettingsFileIsNotReplaced) {
  const std::string old = "[SETTING]\r\nIS_SUB_FOLDER=0\r\n";
  clTempTree tree{"Setting.ini=" + old, "ro:Setting.ini"};
  const std::string path = tree.Path("Setting.ini");
  clSoftOption option;
  option.SetSubFolder(true);
  try {
    clSettingsFile::Save(option, DefaultFilePlatform(), path);
    ADD_FAILURE() << "no error";
  } catch (const clSettingsWriteError& error) {
    EXPECT_EQ(std::string(error.what()), path + " に書き込めません");
  }
  EXPECT_EQ(clTempTree::ReadFile(path), old);
  EXPECT_EQ(Names(tree.Root()), std::vector<std::string>{"Setting.ini"});
}

TEST(clSettingsFile, SaveCutShortByAFullDiskKeepsTheOldFile) {
  const std::string old = "[SETTING]\r\nIS_SUB_FOLDER=0\r\n";
  clTempTree tree{"Setting.ini=" + old};
  const std::string path = tree.Path("Setting.ini");
  clSoftOption option;
  option.SetSubFolder(true);

  // A file size limit makes the write of the new file fail part way, as a full disk
  // would; running as root does not lift it.
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limited = saved;
  limited.rlim_cur = 64;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
  bool threw = false;
  try {
    clSettingsFile::Save(option, DefaultFilePlatform(), path);
  } catch (const clSettingsWriteError& error) {
    threw = std::string(error.what()) == path + " に書き込めません";
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_TRUE(threw);
  EXPECT_EQ(clTempTree::ReadFile(path), old);
  EXPECT_EQ(Names(tree.Root()), std::vector<std::string>{"Setting.ini"});
}

TEST(clSettingsFile, GarbageFilesLoadAndSaveCleanly) {
  std::mt19937 random(4242);
  const std::string pieces[] = {"[SETTING]",
                                "IS_SUB_FOLDER",
                                "IS_FOLDER_LIST_OUTPUTTIMEOUTNUM",
                                "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH",
                                "=",
                                "\r\n",
                                "\n",
                                "\r",
                                "'",
                                "\"",
                                " ",
                                "0x",
                                "$",
                                ";",
                                "-"};
  clTempTree tree;
  const std::string path = tree.Path("Setting.ini");
  for (int round = 0; round < 100; ++round) {
    std::string text;
    const int length = static_cast<int>(random() % 120);
    for (int i = 0; i < length; ++i) {
      if (random() % 3 == 0) {
        text += static_cast<char>(random() % 256);
      } else {
        text += pieces[random() % std::size(pieces)];
      }
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    clSoftOption loaded;
    ASSERT_TRUE(clSettingsFile::Load(loaded, DefaultFilePlatform(), path, "/opt/tools"));
    ASSERT_TRUE(clSettingsFile::Save(loaded, DefaultFilePlatform(), path));
    clSoftOption again;
    clSettingsFile::Load(again, DefaultFilePlatform(), path, "/opt/tools");
    ASSERT_EQ(Describe(again), Describe(loaded)) << ::testing::PrintToString(text);
  }
}
