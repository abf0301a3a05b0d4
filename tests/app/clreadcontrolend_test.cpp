// Reads that cannot end as usual: a worker held up in a file system that does not
// answer (a deaf hold at the start of a folder's read), a request from outside to end
// the program, and a read that runs out of memory.

#include <new>

#include "app/clreadcontrol.h"
#include "readcontrolfixture.h"

namespace {

const std::string kTimeoutText = "タイムアウトにより出力を中断しました";
const std::string kBusyText = "現在取り込み中です。完了まで次の操作はお待ち下さい";
const std::string kOutOfMemoryText = "メモリ不足により出力を中断しました";

// The stop gives up waiting for a worker held up in /data/B: the window stays live (a
// drop is refused with the usual message, a second stop changes nothing), the read item
// and the settings stay off, the stop item goes off. When the worker comes back, its one
// completion brings the window back to idle, with the time-out message after a time-out.
TEST_F(clReadControlTest, AStopGoesOnWithoutAWorkerHeldUpAndTheReadEndsWhenItComesBack) {
  struct Case {
    const char* name;
    bool byTimeout;
    std::vector<clShownBox> boxesAtTheEnd;
  };
  const Case cases[] = {
      {"by hand", false, {{kBusyText, "KDX"}}},
      {"by the time-out", true, {{kBusyText, "KDX"}, {kTimeoutText, "タイムアウト中断"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window.Clear();
    WriteSettings({{"IS_FOLDER_LIST_OUTPUTTIMEOUT", "1"}});
    Open();
    clWalkHold hold(tree, "/data/B", clWalkHold::Kind::Deaf);
    hold.Watch(control->findInFolders);
    control->WMDropFiles({"/data"}, true);
    hold.WaitUntilHeld();
    if (c.byTimeout) {
      control->timTimeoutTimer();
    } else {
      control->mnuSuspendClick();
    }
    EXPECT_TRUE(control->isReading);
    EXPECT_TRUE(control->isStopping);
    EXPECT_TRUE(window.reading);
    EXPECT_TRUE(window.stopping);
    EXPECT_FALSE(window.timerActive);
    EXPECT_TRUE(window.boxes.empty());

    control->WMDropFiles({"/data"}, true);
    control->mnuSuspendClick();
    EXPECT_TRUE(control->isStopping);

    hold.Let();
    ASSERT_TRUE(WaitIdle());
    EXPECT_FALSE(control->isStopping);
    EXPECT_FALSE(window.reading);
    EXPECT_FALSE(window.stopping);
    EXPECT_EQ(window.boxes, c.boxesAtTheEnd);
    EXPECT_FALSE(clTempTree::Exists(control->outputBasePath + ".csv"));
    tree.SetBeforeRead(nullptr);
  }
}

// Closing the window while the worker is held up: the settings are saved, the guard is
// released, and after a bounded wait the process is ended without the worker.
TEST_F(clReadControlTest, ClosingTheWindowWhileTheWorkerIsHeldUpSavesAndEndsTheProcess) {
  WriteSettings();
  Open();
  clWalkHold hold(tree, "/data/B", clWalkHold::Kind::Deaf);
  hold.Watch(control->findInFolders);
  control->WMDropFiles({"/data"}, true);
  hold.WaitUntilHeld();
  control->option.SetTimeoutSeconds(44);
  control->FormDestroy();
  EXPECT_EQ(process.endedWith, 0);
  EXPECT_FALSE(process.HoldsInstance());
  EXPECT_NE(tree.Files().at(kSettingsPath).find("IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=44\r\n"),
            std::string::npos);
  // Here the process would have ended; the fake lets the worker finish instead.
  hold.Let();
  ASSERT_TRUE(WaitIdle());
  tree.SetBeforeRead(nullptr);
}

TEST_F(clReadControlTest, ClosingTheWindowAfterAStoppedWorkerCameBackEndsAsUsual) {
  WriteSettings();
  Open();
  clWalkHold hold(tree, "/data/B", clWalkHold::Kind::Deaf);
  hold.Watch(control->findInFolders);
  control->WMDropFiles({"/data"}, true);
  hold.WaitUntilHeld();
  control->mnuSuspendClick();
  hold.Let();
  ASSERT_TRUE(WaitIdle());
  control->FormDestroy();
  EXPECT_EQ(process.endedWith, -1);
  tree.SetBeforeRead(nullptr);
}

// A signal to end (taken from the handle the window watches) is a close of the main
// window; a wake with nothing waiting is not.
TEST_F(clReadControlTest, ARequestToEndFromOutsideClosesTheMainWindow) {
  WriteSettings();
  process.endRequestHandle = 7;
  Open();
  const auto watch = window.watched.find(7);
  ASSERT_NE(watch, window.watched.end());
  watch->second();
  EXPECT_EQ(window.quitRequests, 0);
  process.endRequests = 2;
  watch->second();
  EXPECT_EQ(window.quitRequests, 1);
}

// Running out of memory in the walk or in the output ends the read with a message and
// the window idle; what the read held is given back.
TEST_F(clReadControlTest, ARunOutOfMemoryEndsTheReadWithAMessage) {
  struct Case {
    const char* name;
    bool inTheWalk;
  };
  const Case cases[] = {{"in the walk", true}, {"in the output", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window.Clear();
    WriteSettings();
    Open();
    if (c.inTheWalk) {
      tree.SetBeforeRead([](const std::string& folder) {
        if (folder == "/data/B") throw std::bad_alloc();
      });
    } else {
      int offered = 0;
      window.onProgress = [offered]() mutable {
        if (++offered == 3) throw std::bad_alloc();
      };
    }
    control->WMDropFiles({"/data"}, true);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(window.boxes, (std::vector<clShownBox>{{kOutOfMemoryText, "エラー"}}));
    EXPECT_FALSE(window.reading);
    EXPECT_EQ(control->findInFolders.GetFolderList().size(), 0u);
    tree.SetBeforeRead(nullptr);
    window.onProgress = nullptr;
    RemoveOutputs();
  }
}

}  // namespace
