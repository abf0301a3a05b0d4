// Stopping a read: by hand, by the time-out and by closing the window, on a tree whose
// walk takes seconds: 420 folders, each listing held up for 40 ms as on a slow share.

#include <QAction>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QMenu>
#include <QTimer>
#include <atomic>
#include <string>
#include <utility>
#include <vector>

#include "app/clsthread.h"
#include "mainfixture.h"
#include "platform/cldelayedplatform.h"
#include "platform/posix/clposixplatform.h"

namespace {

const std::string kReadingStatus = "フォルダ構成の取得中...";
const std::string kBothFailed = "フォルダ構成出力完了\nCSVファイル出力失敗\nTEXTファイル出力失敗\n";

// root: 20 folders of 20 folders with a file each; L3: a few files.
void BuildLargeTree(clTempTree& tree) {
  for (int i = 0; i < 5; ++i) tree.Add("L3/f" + std::to_string(i));
  for (int i = 0; i < 20; ++i) {
    for (int j = 0; j < 20; ++j) {
      tree.Add("root/d" + std::to_string(i) + "/e" + std::to_string(j) + "/f");
    }
  }
}

// A folder of two million files, made up as it is listed: an output that takes seconds.
class clManyFilesPlatform : public clPosixPlatform {
 public:
  explicit clManyFilesPlatform(std::string folder) : folder(std::move(folder)) {}
  bool ReadPlace(const clFolderPlace& place, std::vector<clFolderItem>& items,
                 const std::atomic<bool>& stop) override {
    if (place.path != folder) return clPosixPlatform::ReadPlace(place, items, stop);
    for (int i = 0; i < 2'000'000; ++i) {
      clFolderItem item;
      item.name = "f" + std::to_string(i);
      items.push_back(std::move(item));
    }
    return true;
  }

 private:
  const std::string folder;
};

}  // namespace

class clStopTest : public clMainWindowTest {
 protected:
  void SetUp() override {
    clMainWindowTest::SetUp();
    BuildLargeTree(tree);
    platform = &slowPlatform;
  }

  // The outcome of a stop. Usually the walk notices it at the root: nothing is written
  // and `whenRootNoticed` is all that is shown. A stop that lands in the root's last
  // subtree lets the output run start with the read already terminated: both files are
  // begun and reported as failed, and `whenOutputRan` is shown.
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
  clPosixPlatform posixPlatform;
  clDelayedPlatform slowPlatform{posixPlatform, std::chrono::milliseconds(40)};
};

TEST_F(clStopTest, AStopByHandEndsTheReadWithoutOutputOrMessage) {
  WriteSettings();
  Open();
  window->control.StartReading(tree.Path("root"));
  EXPECT_EQ(Label(), kReadingStatus);
  EXPECT_FALSE(window->mnuReadFolder->isEnabled());
  EXPECT_FALSE(window->mnuOption->menuAction()->isEnabled());
  EXPECT_TRUE(window->mnuSuspend->isEnabled());
  EXPECT_TRUE(window->menuExit->isEnabled());
  EXPECT_TRUE(window->mnuAbout->isEnabled());

  QTest::qWait(200);
  ASSERT_TRUE(window->control.IsReading()) << "the walk ended before the stop";
  window->mnuSuspend->trigger();
  EXPECT_FALSE(window->control.IsReading());
  EXPECT_TRUE(window->mnuReadFolder->isEnabled());
  EXPECT_TRUE(window->mnuOption->menuAction()->isEnabled());
  EXPECT_FALSE(window->mnuSuspend->isEnabled());
  ExpectStoppedOutcome({}, {{kBothFailed, "出力完了"}});
}

TEST_F(clStopTest, ADropDuringAReadIsRefusedAndTheReadGoesOn) {
  WriteSettings();
  Open();
  window->control.StartReading(tree.Path("root"));
  window->control.WMDropFiles({tree.Path("L3")}, true);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "現在取り込み中です。完了まで次の操作はお待ち下さい");
  EXPECT_EQ(boxes[0].caption, "KDX");  // the executable's name without extension
  EXPECT_TRUE(window->control.IsReading());
  EXPECT_EQ(window->control.TargetFolder(), tree.Path("root"));
  window->control.StopReading();
  EXPECT_FALSE(window->control.IsReading());
}

TEST_F(clStopTest, TheTimeoutStopsTheReadAndSaysSo) {
  WriteSettings({{"IS_FOLDER_LIST_OUTPUTTIMEOUT", "1"}, {"IS_FOLDER_LIST_OUTPUTTIMEOUTNUM", "1"}});
  Open();
  QElapsedTimer clock;
  clock.start();
  window->control.StartReading(tree.Path("root"));
  ASSERT_TRUE(WaitIdle());
  EXPECT_GE(clock.elapsed(), 900);
  EXPECT_TRUE(window->mnuReadFolder->isEnabled());
  EXPECT_FALSE(window->mnuSuspend->isEnabled());
  EXPECT_FALSE(window->timTimeout->isActive());
  const clRecordedBox timedOut{"タイムアウトにより出力を中断しました", "タイムアウト中断"};
  ExpectStoppedOutcome({timedOut}, {timedOut});
}

TEST_F(clStopTest, ClosingTheWindowDuringAReadSavesThenStopsIt) {
  WriteSettings({{"IS_FOLDER_LIST_OUTPUTTIMEOUTNUM", "33"}});
  Open();
  window->control.StartReading(tree.Path("root"));
  QTest::qWait(100);
  ASSERT_TRUE(window->control.IsReading());
  window->control.Option().SetTimeoutSeconds(34);
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
  window->control.StartReading(tree.Path("root"));
  window->control.StopReading();
  window->control.StartReading(small.Root());
  ASSERT_TRUE(WaitIdle());
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes.back().caption, "出力完了");
  EXPECT_EQ(window->control.LastEntries(), 1u);
}

TEST_F(clStopTest, AStopDuringTheOutputReportsTheStoppedOutputsAsFailed) {
  clManyFilesPlatform manyFiles(tree.Path("L3"));
  platform = &manyFiles;
  WriteSettings();
  Open();
  window->control.StartReading(tree.Path("L3"));
  ASSERT_TRUE(QTest::qWaitFor(
      [this] {
        return Label().rfind("フォルダ構成の出力中...", 0) == 0 || !window->control.IsReading();
      },
      60000));
  ASSERT_TRUE(window->control.IsReading()) << "the output ended before the stop";
  window->mnuSuspend->trigger();
  EXPECT_FALSE(window->control.IsReading());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "出力完了");
  // The CSV pass runs first; wherever the stop lands, the text output fails.
  EXPECT_TRUE(boxes[0].text == kBothFailed ||
              boxes[0].text == "フォルダ構成出力完了\nCSVファイル出力成功\nTEXTファイル出力失敗\n")
      << boxes[0].text;
  EXPECT_EQ(Label(), "フォルダ構成の出力完了");
  window.reset();  // before the platform it reads goes
}
