// Stopping a read: by hand, by the time-out and by closing the window, on a tree whose
// walk takes seconds. The tree is small on disk: each level holds links to the next
// one, so the walk meets about two million entries (some seconds).

#include <QAction>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QMenu>
#include <QTimer>

#include "mainfixture.h"
#include "scan/clsthread.h"

namespace {

const std::string kReadingStatus = "フォルダ構成の取得中...";
const std::string kBothFailed = "フォルダ構成出力完了\nCSVファイル出力失敗\nTEXTファイル出力失敗\n";

// root: 200 links to L1; L1 and L2: 10 links each to the next level; L3: 100 files.
void BuildLargeTree(clTempTree& tree) {
  for (int i = 0; i < 100; ++i) tree.Add("L3/f" + std::to_string(i));
  for (int i = 0; i < 10; ++i) {
    tree.Add("L2/s" + std::to_string(i) + " -> ../L3");
    tree.Add("L1/s" + std::to_string(i) + " -> ../L2");
  }
  for (int i = 0; i < 200; ++i) tree.Add("root/s" + std::to_string(i) + " -> ../L1");
}

}  // namespace

class clStopTest : public clMainWindowTest {
 protected:
  void SetUp() override {
    clMainWindowTest::SetUp();
    BuildLargeTree(tree);
  }

  // The outcome of a stop. Usually the walk notices it at the root: nothing is written
  // and `whenRootNoticed` is all that is shown. A stop that lands in the root's last
  // subtree lets the output run start with the read already terminated: both files are
  // begun and reported as failed, and `whenOutputRan` is shown. Both are outcomes of a
  // stop.
  void ExpectStoppedOutcome(const std::vector<clRecordedBox>& whenRootNoticed,
                            const std::vector<clRecordedBox>& whenOutputRan) {
    const bool outputRan = !OutputFiles().empty();
    const auto& expected = outputRan ? whenOutputRan : whenRootNoticed;
    ASSERT_EQ(boxes.size(), expected.size());
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      EXPECT_EQ(boxes[i].text, expected[i].text);
      EXPECT_EQ(boxes[i].caption, expected[i].caption);
    }
    if (!outputRan) {
      EXPECT_EQ(Label(), kReadingStatus);
    }
  }

  clTempTree tree;
};

TEST_F(clStopTest, AStopByHandEndsTheReadWithoutOutputOrMessage) {
  WriteSettings();
  Open();
  window->StartReading(tree.Path("root"));
  EXPECT_EQ(Label(), kReadingStatus);
  EXPECT_FALSE(window->mnuReadFolder->isEnabled());
  EXPECT_FALSE(window->mnuOption->menuAction()->isEnabled());
  EXPECT_TRUE(window->mnuSuspend->isEnabled());
  EXPECT_TRUE(window->menuExit->isEnabled());
  EXPECT_TRUE(window->mnuAbout->isEnabled());

  QTest::qWait(200);
  ASSERT_TRUE(window->isReading) << "the walk ended before the stop";
  window->mnuSuspend->trigger();
  EXPECT_FALSE(window->isReading);
  EXPECT_EQ(window->readThread, nullptr);
  EXPECT_TRUE(window->mnuReadFolder->isEnabled());
  EXPECT_TRUE(window->mnuOption->menuAction()->isEnabled());
  EXPECT_FALSE(window->mnuSuspend->isEnabled());
  ExpectStoppedOutcome({}, {{kBothFailed, "出力完了"}});
}

TEST_F(clStopTest, ADropDuringAReadIsRefusedAndTheReadGoesOn) {
  WriteSettings();
  Open();
  window->StartReading(tree.Path("root"));
  window->WMDropFiles({tree.Path("L3")}, true);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "現在取り込み中です。完了まで次の操作はお待ち下さい");
  EXPECT_EQ(boxes[0].caption, "KDX");  // the executable's name without extension
  EXPECT_TRUE(window->isReading);
  EXPECT_EQ(window->targetFolder, tree.Path("root"));
  window->StopReading();
  EXPECT_FALSE(window->isReading);
}

TEST_F(clStopTest, TheTimeoutStopsTheReadAndSaysSo) {
  WriteSettings({{"IS_FOLDER_LIST_OUTPUTTIMEOUT", "1"}, {"IS_FOLDER_LIST_OUTPUTTIMEOUTNUM", "1"}});
  Open();
  QElapsedTimer clock;
  clock.start();
  window->StartReading(tree.Path("root"));
  ASSERT_TRUE(WaitIdle());
  EXPECT_GE(clock.elapsed(), 900);
  EXPECT_TRUE(window->mnuReadFolder->isEnabled());
  EXPECT_FALSE(window->mnuSuspend->isEnabled());
  EXPECT_FALSE(window->isTimedOut);
  EXPECT_FALSE(window->timTimeout->isActive());
  const clRecordedBox timedOut{"タイムアウトにより出力を中断しました", "タイムアウト中断"};
  ExpectStoppedOutcome({timedOut}, {timedOut});
}

TEST_F(clStopTest, ClosingTheWindowDuringAReadSavesThenStopsIt) {
  WriteSettings({{"IS_FOLDER_LIST_OUTPUTTIMEOUTNUM", "33"}});
  Open();
  window->StartReading(tree.Path("root"));
  QTest::qWait(100);
  ASSERT_TRUE(window->isReading);
  window->option.SetTimeoutSeconds(34);
  window.reset();  // returns only once the worker has ended
  EXPECT_NE(
      clTempTree::ReadFile(exe.Path("Setting.ini")).find("IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=34"),
      std::string::npos);
  EXPECT_TRUE(OutputFiles().empty());
}

TEST_F(clStopTest, ANewReadCanStartRightAfterAStop) {
  clTempTree small{"x.txt"};
  WriteSettings();
  Open();
  window->StartReading(tree.Path("root"));
  window->StopReading();
  window->StartReading(small.Root());
  ASSERT_TRUE(WaitIdle());
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes.back().caption, "出力完了");
  EXPECT_EQ(window->findInFolders.GetFolderList().size(), 1u);
}

TEST_F(clStopTest, AStopDuringTheOutputReportsTheStoppedOutputsAsFailed) {
  WriteSettings();
  Open();
  window->StartReading(tree.Path("root"));
  ASSERT_TRUE(QTest::qWaitFor(
      [this] { return Label().rfind("フォルダ構成の出力中...", 0) == 0 || !window->isReading; },
      60000));
  ASSERT_TRUE(window->isReading) << "the output ended before the stop";
  window->mnuSuspend->trigger();
  EXPECT_FALSE(window->isReading);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "出力完了");
  // The CSV pass runs first; wherever the stop lands, the text output fails.
  EXPECT_TRUE(boxes[0].text == kBothFailed ||
              boxes[0].text == "フォルダ構成出力完了\nCSVファイル出力成功\nTEXTファイル出力失敗\n")
      << boxes[0].text;
  EXPECT_EQ(Label(), "フォルダ構成の出力完了");
}
