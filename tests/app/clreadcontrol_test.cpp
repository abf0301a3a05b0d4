// The read control's road of a read from each route, its refusals, the output folder,
// the time-out interval, start-up and shutdown, with a fake window.

#include "app/clreadcontrol.h"

#include <climits>
#include <map>

#include "readcontrolfixture.h"

namespace {

TEST_F(clReadControlTest, EachRouteReadsTheFolderAndShowsTheSummary) {
  struct Case {
    const char* name;
    std::function<void(clReadControlTest&)> start;
    int quitRequests;
  };
  const Case cases[] = {
      {"drop", [](clReadControlTest& t) { t.control->WMDropFiles({"/data"}, true); }, 0},
      {"menu",
       [](clReadControlTest& t) {
         t.window.chooserAnswers.push_back("/data");
         t.control->mnuReadFolderClick();
         EXPECT_EQ(t.window.chooserTitles,
                   std::vector<std::string>{"構成を取得するフォルダを指定して下さい。"});
       },
       0},
      {"command line", [](clReadControlTest& t) { t.Open("/data"); }, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window.Clear();
    WriteSettings();
    Open();
    c.start(*this);
    EXPECT_EQ(window.status, kReadingStatus);
    EXPECT_TRUE(window.reading);
    ASSERT_TRUE(WaitIdle());
    EXPECT_FALSE(window.reading);
    EXPECT_EQ(control->OutputBasePath(), out.Path("KDX_20240303070809"));
    EXPECT_EQ(window.boxes, (std::vector<clShownBox>{{kSummaryBothFiles, "出力完了"}}));
    EXPECT_EQ(window.status, "フォルダ構成の出力完了");
    EXPECT_BYTES(kCsvOfData, Output(".csv"));
    EXPECT_EQ(window.quitRequests, c.quitRequests);
    Close();
    RemoveOutputs();
  }
}

TEST_F(clReadControlTest, RefusalsShowTheirMessageAndStartNothing) {
  struct Case {
    const char* name;
    std::map<std::string, std::string> settings;
    std::string target;
    std::string systemFolder;
    std::vector<clShownBox> boxes;
  };
  const std::string noOutput =
      "出力先がありません。\n設定からCSV出力、テキスト出力、Clipboard出力の最低１つを選択後、"
      "操作をやり直してください。";
  const Case cases[] = {
      {"no output",
       {{"IS_FOLDER_LIST_OUTPUT_CSV", "0"}, {"IS_FOLDER_LIST_OUTPUT_TXT", "0"}},
       "/data",
       "/proc",
       {{noOutput, "処理終了"}}},
      {"the system folder",
       {},
       "/proc/self",
       "/proc",
       {{"WindowsDirectoryは取得しない設定になっています。", "処理終了"}}},
      {"the system folder as a prefix",
       {},
       "/procfs-like",
       "/proc",
       {{"WindowsDirectoryは取得しない設定になっています。", "処理終了"}}},
      {"the system folder by another path",
       {},
       "/tmp/../proc",
       "/proc",
       {{"WindowsDirectoryは取得しない設定になっています。", "処理終了"}}},
      {"the system folder through a doubled separator",
       {},
       "//proc",
       "/proc",
       {{"WindowsDirectoryは取得しない設定になっています。", "処理終了"}}},
      {"the system folder unknown",
       {},
       "/data",
       "",
       {{"GetWindowsDirectoryに失敗しました。", "ＡＰＩ異常"}}},
      {"the output folder dialog cancelled",
       {{"IS_PRESERVE_DIALOG_FOLDER_LIST_OUTPUT", "1"}},
       "/data",
       "/proc",
       {}},
      {"an empty output folder",
       {{"IS_FOLDER_LIST_OUTPUT_FOLDER_PATH", ""}},
       "/data",
       "/proc",
       {{"ディレクトリを作成することができません", "", true}}},
      {"a relative output folder whose topmost folder is missing",
       {{"IS_FOLDER_LIST_OUTPUT_FOLDER_PATH", "nowhere/out"}},
       "/data",
       "/proc",
       {{"ディレクトリを作成することができません", "", true}}},
  };
  tree.Add("/proc/self/");
  tree.Add("/tmp/");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window.Clear();
    WriteSettings(c.settings);
    tree.SetSystemFolder(c.systemFolder);
    Open();
    control->Guarded([&] { control->StartReading(c.target); });
    EXPECT_EQ(window.boxes, c.boxes);
    EXPECT_FALSE(window.reading);
    EXPECT_FALSE(control->IsReading());
    EXPECT_EQ(window.status, "");
    EXPECT_FALSE(window.timerActive);
    EXPECT_EQ(tree.GetPathKind(out.Root()), clPathKind::Missing);  // nothing created
  }
}

TEST_F(clReadControlTest, TheOutputFolderIsCreatedWithItsParents) {
  WriteSettings({{"IS_FOLDER_LIST_OUTPUT_FOLDER_PATH", "/exe/deep/out"}});
  Open();
  control->StartReading("/data");
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(tree.GetPathKind("/exe/deep/out"), clPathKind::Folder);
  // Not a real folder: the output run reports both files as failed.
  EXPECT_EQ(
      window.boxes,
      (std::vector<clShownBox>{
          {"フォルダ構成出力完了\nCSVファイル出力失敗\nTEXTファイル出力失敗\n", "出力完了"}}));
}

TEST_F(clReadControlTest, TheOutputFolderDialogChoosesTheFolderOfOneRead) {
  clTempTree chosen;
  WriteSettings({{"IS_PRESERVE_DIALOG_FOLDER_LIST_OUTPUT", "1"}});
  Open();
  window.chooserAnswers.push_back(chosen.Root());
  control->StartReading("/data");
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(window.chooserTitles,
            std::vector<std::string>{"フォルダ構成取得用ファイル出力先を指定して下さい。"});
  EXPECT_EQ(window.chooserInitialFolders, std::vector<std::string>{out.Root()});
  EXPECT_EQ(control->OutputBasePath(), chosen.Path("KDX_20240303070809"));
  EXPECT_EQ(control->Option().GetOutputFolderPath(), out.Root());   // not stored
  EXPECT_EQ(tree.GetPathKind(chosen.Root()), clPathKind::Missing);  // nor created
  EXPECT_BYTES(kCsvOfData, Output(".csv"));
}

TEST_F(clReadControlTest, AClipboardOnlyReadNeedsNoOutputFolder) {
  WriteSettings({{"IS_FOLDER_LIST_OUTPUT_CSV", "0"},
                 {"IS_FOLDER_LIST_OUTPUT_TXT", "0"},
                 {"IS_FOLDER_LIST_OUTPUT_CLIPBOARD", "1"},
                 {"IS_FOLDER_LIST_OUTPUT_FOLDER_PATH", ""},
                 {"IS_PRESERVE_DIALOG_FOLDER_LIST_OUTPUT", "1"}});
  Open();
  control->StartReading("/data");
  ASSERT_TRUE(WaitIdle());
  EXPECT_TRUE(window.chooserTitles.empty());
  EXPECT_EQ(control->OutputBasePath(), "");
  EXPECT_EQ(clipboard.texts.size(), 1u);
  EXPECT_EQ(
      window.boxes,
      (std::vector<clShownBox>{{"フォルダ構成出力完了\nクリップボード出力成功\n", "出力完了"}}));
}

TEST_F(clReadControlTest, TheResultIsShownAsTheSettingsAndTheOutcomeSay) {
  struct Case {
    const char* name;
    std::map<std::string, std::string> settings;
    std::vector<clShownBox> boxes;
  };
  const Case cases[] = {
      {"summary asked for", {}, {{kSummaryBothFiles, "出力完了"}}},
      {"summary not asked for", {{"IS_FOLDER_LIST_OUTPUTMSG", "0"}}, {}},
      // Opening the folder fails: the run returns false, its summary is an error.
      {"an action after output fails",
       {{"IS_FOLDER_LIST_OUTPUTMSG", "0"}, {"IS_FOLDER_LIST_OUTPUTLOCATE", "1"}},
       {{kSummaryBothFiles, "エラー"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window.Clear();
    WriteSettings(c.settings);
    shell.opened.clear();
    shell.failAt = 1;
    Open();
    control->StartReading("/data");
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(window.boxes, c.boxes);
    Close();
    RemoveOutputs();
  }
}

TEST_F(clReadControlTest, TheTimeoutIntervalIsBoundedAndOffForZero) {
  struct Case {
    const char* timeout;
    const char* seconds;
    bool active;
    int interval;
  };
  const Case cases[] = {
      {"1", "10", true, 10000},        {"1", "0", false, 0},
      {"1", "-5", false, 0},           {"0", "10", false, 0},
      {"1", "3000000", true, INT_MAX},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("time-out ") + c.timeout + ", " + c.seconds + " seconds");
    window.Clear();
    WriteSettings({{"IS_FOLDER_LIST_OUTPUTTIMEOUT", c.timeout},
                   {"IS_FOLDER_LIST_OUTPUTTIMEOUTNUM", c.seconds},
                   {"IS_FOLDER_LIST_OUTPUTMSG", "0"}});
    Open();
    control->StartReading("/data");
    EXPECT_EQ(window.timerActive, c.active);
    EXPECT_EQ(window.timerInterval, c.interval);
    ASSERT_TRUE(WaitIdle());
    EXPECT_FALSE(window.timerActive);
    Close();
    RemoveOutputs();
  }
}

TEST_F(clReadControlTest, DropsStartAReadOnlyForOneLocalItem) {
  struct Case {
    const char* name;
    std::vector<std::string> paths;
    bool allLocal;
    std::string target;  // empty: no read
  };
  const Case cases[] = {
      {"a folder", {"/data/B"}, true, "/data/B"},
      {"a file stands for its folder", {"/data/B/b.txt"}, true, "/data/B"},
      {"a missing path counts as a folder", {"/gone"}, true, "/gone"},
      {"two folders", {"/data", "/data/B"}, true, ""},
      {"no item", {}, true, ""},
      {"an empty path", {""}, true, ""},
      {"an item that is not local", {"/data"}, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window.Clear();
    WriteSettings({{"IS_FOLDER_LIST_OUTPUTMSG", "0"}});
    Open();
    control->WMDropFiles(c.paths, c.allLocal);
    EXPECT_EQ(control->IsReading(), !c.target.empty());
    EXPECT_EQ(control->TargetFolder(), c.target);
    ASSERT_TRUE(WaitIdle());
    Close();
    RemoveOutputs();
  }
}

// A long argument is read whole: its first 260 bytes name a sibling folder, which is
// not the one asked for.
TEST_F(clReadControlTest, TheArgumentIsReadAsGivenAndAMissingOneLeavesTheWindowIdle) {
  const std::string longName = "/" + std::string(300, 'x');
  tree.Add(longName.substr(0, 260) + "/");
  tree.Add(longName + "/f.txt");
  struct Case {
    const char* name;
    std::optional<std::string> argument;
    std::string target;
  };
  const Case cases[] = {
      {"no argument", std::nullopt, ""},   {"an empty argument", "", ""},
      {"a missing path", "/gone", ""},     {"a file", "/data/a.txt", "/data"},
      {"a long path", longName, longName}, {"a long missing path", longName + "-gone", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window.Clear();
    WriteSettings({{"IS_FOLDER_LIST_OUTPUTMSG", "0"}});
    Open(c.argument);
    EXPECT_EQ(control->TargetFolder(), c.target);
    EXPECT_TRUE(window.acceptsDrops);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(window.quitRequests, c.target.empty() ? 0 : 1);
    Close();
    RemoveOutputs();
  }
}

TEST_F(clReadControlTest, ACommandLineStartEndsAtTheNextCompletedReadEvenAfterARefusal) {
  WriteSettings({{"IS_FOLDER_LIST_OUTPUT_CSV", "0"}, {"IS_FOLDER_LIST_OUTPUT_TXT", "0"}});
  Open("/data");
  EXPECT_EQ(window.boxes.size(), 1u);  // no output selected
  EXPECT_EQ(window.quitRequests, 0);
  control->Option().SetOutputClipboard(true);
  control->WMDropFiles({"/data"}, true);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(window.quitRequests, 1);
}

TEST_F(clReadControlTest, SettingsAreLoadedAtStartAndSavedAtExit) {
  WriteSettings({{"IS_FOLDER_LIST_OUTPUTTIMEOUTNUM", "42"}, {"IS_HIDE_FILE", "1"}});
  Open();
  EXPECT_EQ(process.acquiredName, "KDX.bin");
  EXPECT_TRUE(process.HoldsInstance());
  EXPECT_EQ(control->Option().GetTimeoutSeconds(), 42);
  EXPECT_TRUE(control->Option().GetHideFile());
  control->Option().SetTimeoutSeconds(7);
  Close();
  const std::string saved = tree.Files().at(kSettingsPath);
  EXPECT_NE(saved.find("IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=7\r\n"), std::string::npos);
  EXPECT_NE(saved.find("IS_HIDE_FILE=1\r\n"), std::string::npos);
  EXPECT_FALSE(process.HoldsInstance());
  EXPECT_TRUE(window.boxes.empty());
}

TEST_F(clReadControlTest, AFailedSaveIsShownAndTheGuardIsReleased) {
  WriteSettings();
  Open();
  tree.SetUnreadable(kSettingsPath);
  Close();
  EXPECT_EQ(window.boxes,
            (std::vector<clShownBox>{{ShownSettingsPath() + " に書き込めません", "", true}}));
  EXPECT_FALSE(process.HoldsInstance());
}

// An output folder with a line break cannot be saved: the rest of the settings is, the
// file keeps the folder it had, and the standard error box says so.
TEST_F(clReadControlTest, AnUnstorableOutputFolderIsSaidAndTheRestIsSaved) {
  WriteSettings();
  Open();
  control->Option().SetOutputFolderPath("/exe/a\nb");
  control->Option().SetHideFile(true);
  Close();
  EXPECT_EQ(window.boxes,
            (std::vector<clShownBox>{
                {"出力先フォルダのパスに改行が含まれているため、" + ShownSettingsPath() +
                     " に保存できませんでした。以前の出力先フォルダのままです。",
                 "", true}}));
  const std::string saved = tree.Files().at(kSettingsPath);
  EXPECT_NE(saved.find("IS_HIDE_FILE=1\r\n"), std::string::npos);
  EXPECT_NE(saved.find("IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=" + out.Root() + "\r\n"),
            std::string::npos);
  EXPECT_FALSE(process.HoldsInstance());
}

TEST_F(clReadControlTest, ASecondInstanceRefusesAndLeavesTheSettingsAlone) {
  WriteSettings({{"IS_HIDE_FILE", "1"}});
  const std::string before = tree.Files().at(kSettingsPath);
  process.heldElsewhere = true;
  Open("/data");
  // The caption is the executable's file name without its extension.
  EXPECT_EQ(window.boxes, (std::vector<clShownBox>{{"複数起動は出来ません", "KDX"}}));
  EXPECT_EQ(window.quitRequests, 1);
  EXPECT_TRUE(control->IsSecondInstance());
  EXPECT_FALSE(control->IsReading());
  EXPECT_FALSE(control->Option().GetHideFile());  // nothing loaded
  EXPECT_FALSE(window.acceptsDrops);
  Close();
  EXPECT_EQ(tree.Files().at(kSettingsPath), before);
  EXPECT_EQ(window.boxes.size(), 1u);
}

}  // namespace

namespace {

// The label during a read: the walk's text, then counts of the output at display rate,
// the last count over all passes, then the end's text.
TEST_F(clReadControlTest, TheLabelEndsTheOutputOnItsLastCount) {
  struct Case {
    const char* name;
    std::map<std::string, std::string> settings;
    const char* lastCount;
  };
  const Case cases[] = {
      {"one pass", {{"IS_FOLDER_LIST_OUTPUT_TXT", "0"}}, "フォルダ構成の出力中...\n(4/4)"},
      {"two passes", {}, "フォルダ構成の出力中...\n(8/8)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window.Clear();
    WriteSettings(c.settings);
    Open();
    control->WMDropFiles({"/data"}, true);
    ASSERT_TRUE(WaitIdle());
    ASSERT_GE(window.statuses.size(), 3u);
    EXPECT_EQ(window.statuses.front(), kReadingStatus);
    EXPECT_EQ(window.statuses[window.statuses.size() - 2], c.lastCount);
    EXPECT_EQ(window.statuses.back(), "フォルダ構成の出力完了");
    for (std::size_t i = 1; i + 1 < window.statuses.size(); ++i) {
      EXPECT_EQ(window.statuses[i].rfind("フォルダ構成の出力中...\n(", 0), 0u) << i;
    }
    RemoveOutputs();
  }
}

}  // namespace
