// Stopping a read: by hand, by the time-out and by closing the window, each placed
// exactly with a hold at the start of a folder's read; drops during a read.

#include "app/clreadcontrol.h"

#include "readcontrolfixture.h"

namespace {

const std::string kTimeoutText = "タイムアウトにより出力を中断しました";

const std::string kAllFailed = "フォルダ構成出力完了\nCSVファイル出力失敗\nTEXTファイル出力失敗\n";

// A stop while the walk waits to read /first/B or /last/B. In /first the root still
// has a.txt to handle after B and notices the stop: no output, no message. In /last, B is
// the root's last item: the walk returns true and the writers stop at their first entry.
TEST_F(clReadControlTest, AStopEndsTheReadAsTheWalkWasWhenItCame) {
  tree.Add("/first/B/b.txt");
  tree.Add("/first/a.txt");
  tree.Add("/last/a.txt");
  tree.Add("/last/B/b.txt");
  struct Case {
    const char* name;
    const char* root;
    bool byTimeout;
    std::vector<clShownBox> boxes;
    bool written;
  };
  const Case cases[] = {
      {"by hand, noticed by the root", "/first", false, {}, false},
      {"by hand, inside the root's last subtree", "/last", false, {{kAllFailed, "出力完了"}}, true},
      {"by the time-out, noticed by the root",
       "/first",
       true,
       {{kTimeoutText, "タイムアウト中断"}},
       false},
      {"by the time-out, inside the root's last subtree",
       "/last",
       true,
       {{kTimeoutText, "タイムアウト中断"}},
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window.Clear();
    WriteSettings({{"IS_FOLDER_LIST_OUTPUTTIMEOUT", "1"}});
    Open();
    clWalkHold hold(tree, std::string(c.root) + "/B");
    hold.Watch(*control);
    control->WMDropFiles({c.root}, true);
    EXPECT_TRUE(window.timerActive);
    ASSERT_TRUE(hold.WaitUntilHeld());
    if (c.byTimeout) {
      control->timTimeoutTimer();
    } else {
      control->mnuSuspendClick();
    }
    // The stop waits for the worker: the read has ended when it returns.
    EXPECT_FALSE(control->IsReading());
    EXPECT_FALSE(window.reading);
    EXPECT_FALSE(window.timerActive);
    EXPECT_EQ(window.boxes, c.boxes);
    if (c.written) {
      EXPECT_BYTES(std::string(c.root) + "\r\n", Output(".csv"));
      EXPECT_BYTES("\r\n    " + std::string(c.root) + "\r\n", Output(".txt"));
      EXPECT_EQ(window.status, "フォルダ構成の出力完了");
    } else {
      EXPECT_FALSE(clTempTree::Exists(control->OutputBasePath() + ".csv"));
      EXPECT_TRUE(control->ResultMessage().empty());
      EXPECT_EQ(window.status, kReadingStatus);
    }
    ASSERT_TRUE(WaitIdle());
    tree.SetHoldRead(nullptr);
    RemoveOutputs();
  }
}

TEST_F(clReadControlTest, AStopWhileIdleDoesNothing) {
  WriteSettings();
  Open();
  control->mnuSuspendClick();
  EXPECT_FALSE(control->IsReading());
  EXPECT_TRUE(window.boxes.empty());
}

TEST_F(clReadControlTest, ADropDuringAReadIsRefusedAndTheReadGoesOn) {
  WriteSettings();
  Open();
  clWalkHold hold(tree, "/data/B");
  hold.Watch(*control);
  control->WMDropFiles({"/data"}, true);
  ASSERT_TRUE(hold.WaitUntilHeld());
  control->WMDropFiles({"/data/B"}, true);
  EXPECT_EQ(
      window.boxes,
      (std::vector<clShownBox>{{"現在取り込み中です。完了まで次の操作はお待ち下さい", "KDX"}}));
  EXPECT_EQ(control->TargetFolder(), "/data");
  hold.Let();
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(window.boxes.back(), (clShownBox{kSummaryBothFiles, "出力完了"}));
  EXPECT_BYTES(kCsvOfData, Output(".csv"));
}

TEST_F(clReadControlTest, ClosingTheWindowDuringAReadSavesThenStopsIt) {
  WriteSettings();
  Open();
  clWalkHold hold(tree, "/data/B");
  hold.Watch(*control);
  control->WMDropFiles({"/data"}, true);
  ASSERT_TRUE(hold.WaitUntilHeld());
  control->Option().SetTimeoutSeconds(33);
  // The settings are saved while the read is still on: the save comes first.
  control->FormDestroy();
  EXPECT_FALSE(control->IsReading());
  EXPECT_EQ(control->AbandonedWorkers(), 0u);
  EXPECT_NE(tree.Files().at(kSettingsPath).find("IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=33\r\n"),
            std::string::npos);
  EXPECT_TRUE(window.boxes.empty());
  EXPECT_FALSE(clTempTree::Exists(control->OutputBasePath() + ".csv"));
  tree.SetHoldRead(nullptr);
}

TEST_F(clReadControlTest, ANewReadCanStartRightAfterAStop) {
  WriteSettings();
  Open();
  {
    clWalkHold hold(tree, "/data/B");
    hold.Watch(*control);
    control->WMDropFiles({"/data"}, true);
    ASSERT_TRUE(hold.WaitUntilHeld());
    control->mnuSuspendClick();
    tree.SetHoldRead(nullptr);
  }
  control->WMDropFiles({"/data"}, true);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(window.boxes, (std::vector<clShownBox>{{kSummaryBothFiles, "出力完了"}}));
}

// A read started from inside the last read's result box, before that worker has ended,
// runs to its end, and both workers are freed.
TEST_F(clReadControlTest, AReadStartedWhileTheLastResultIsShownRunsToItsEnd) {
  WriteSettings({{"IS_FOLDER_LIST_OUTPUT_TXT", "0"}});
  Open();
  int started = 0;
  window.onBox = [&](const clShownBox&) {
    if (started++ == 0) control->WMDropFiles({"/data/B"}, true);
  };
  control->WMDropFiles({"/data"}, true);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(window.boxes.size(), 2u);
  EXPECT_EQ(control->TargetFolder(), "/data/B");
}

}  // namespace
