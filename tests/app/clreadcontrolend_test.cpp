// Reads that cannot end as usual: a worker held up in a file system that does not
// answer (a deaf hold at the start of a folder's read), a request from outside to end
// the program, and a read that runs out of memory.

#include <filesystem>
#include <memory>
#include <new>

#include "app/clreadcontrol.h"
#include "readcontrolfixture.h"

namespace {

const std::string kTimeoutText = "タイムアウトにより出力を中断しました";
const std::string kOutOfMemoryText = "メモリ不足により出力を中断しました";

// The stop gives up waiting for a worker held up in /data/B: after the stop's wait the
// read ends for the window as a stopped read (the time-out's message after a time-out),
// the window is idle and a new read runs to its end. The worker given up on, when it
// comes back, touches nothing of the window.
TEST_F(clReadControlTest, AStopEndsTheReadWithoutAWorkerHeldUp) {
  struct Case {
    const char* name;
    bool byTimeout;
    std::vector<clShownBox> boxes;
  };
  const Case cases[] = {
      {"by hand", false, {}},
      {"by the time-out", true, {{kTimeoutText, "タイムアウト中断"}}},
  };
  tree.Add("/other/x.txt");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window.Clear();
    WriteSettings({{"IS_FOLDER_LIST_OUTPUTTIMEOUT", "1"}});
    Open();
    auto hold = std::make_unique<clWalkHold>(tree, "/data/B", clWalkHold::Kind::Deaf);
    hold->Watch(*control);
    control->WMDropFiles({"/data"}, true);
    ASSERT_TRUE(hold->WaitUntilHeld());
    if (c.byTimeout) {
      control->timTimeoutTimer();
    } else {
      control->mnuSuspendClick();
    }
    EXPECT_FALSE(control->IsReading());
    EXPECT_FALSE(window.reading);
    EXPECT_FALSE(window.timerActive);
    EXPECT_EQ(window.boxes, c.boxes);
    EXPECT_EQ(control->AbandonedWorkers(), 1u);
    const std::string stoppedBase = control->OutputBasePath();

    // A new read of another folder, while the first worker is still held.
    window.boxes.clear();
    process.timeStamp = "20240303070810";
    control->WMDropFiles({"/other"}, true);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(window.boxes, (std::vector<clShownBox>{{kSummaryBothFiles, "出力完了"}}));
    EXPECT_BYTES("/other\r\n,x.txt\r\n", Output(".csv"));

    // The first worker comes back: no completion reaches the window, nothing is written.
    const int completions = window.Completions();
    hold->Let();
    ASSERT_TRUE(window.RunUntil([this] { return control->AbandonedWorkers() == 0; }));
    EXPECT_EQ(window.Completions(), completions);
    EXPECT_EQ(window.boxes.size(), 1u);
    EXPECT_FALSE(window.reading);
    EXPECT_FALSE(clTempTree::Exists(stoppedBase + ".csv"));
    tree.SetHoldRead(nullptr);
    hold.reset();
    std::filesystem::remove(out.Path("KDX_20240303070810.csv"));
    std::filesystem::remove(out.Path("KDX_20240303070810.txt"));
    process.timeStamp = "20240303070809";
  }
}

// A command-line read whose worker is held up ends the program all the same: the read
// ends after the stop's wait, the application is asked to quit, and the close saves the
// settings, releases the guard and ends the process without the worker.
TEST_F(clReadControlTest, ACommandLineReadHeldUpEndsTheProgramAfterItsTimeout) {
  WriteSettings({{"IS_FOLDER_LIST_OUTPUTTIMEOUT", "1"}});
  clWalkHold hold(tree, "/data/B", clWalkHold::Kind::Deaf);
  Open("/data");
  ASSERT_TRUE(hold.WaitUntilHeld());
  control->timTimeoutTimer();
  EXPECT_EQ(window.boxes, (std::vector<clShownBox>{{kTimeoutText, "タイムアウト中断"}}));
  EXPECT_EQ(window.quitRequests, 1);
  control->FormDestroy();
  EXPECT_EQ(process.endedWith, 0);
  EXPECT_FALSE(process.HoldsInstance());
  // Here the process would have ended; the fake lets the worker finish instead.
  hold.Let();
  Close();
  tree.SetHoldRead(nullptr);
}

// Closing the window while the worker is held up: the settings are saved, the guard is
// released, and after a bounded wait the process is ended without the worker.
TEST_F(clReadControlTest, ClosingTheWindowWhileTheWorkerIsHeldUpSavesAndEndsTheProcess) {
  WriteSettings();
  Open();
  clWalkHold hold(tree, "/data/B", clWalkHold::Kind::Deaf);
  hold.Watch(*control);
  control->WMDropFiles({"/data"}, true);
  ASSERT_TRUE(hold.WaitUntilHeld());
  control->Option().SetTimeoutSeconds(44);
  control->FormDestroy();
  EXPECT_EQ(process.endedWith, 0);
  EXPECT_FALSE(process.HoldsInstance());
  EXPECT_NE(tree.Files().at(kSettingsPath).find("IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=44\r\n"),
            std::string::npos);
  hold.Let();
  Close();
  tree.SetHoldRead(nullptr);
}

TEST_F(clReadControlTest, ClosingTheWindowAfterAStoppedWorkerCameBackEndsAsUsual) {
  WriteSettings();
  Open();
  clWalkHold hold(tree, "/data/B", clWalkHold::Kind::Deaf);
  hold.Watch(*control);
  control->WMDropFiles({"/data"}, true);
  ASSERT_TRUE(hold.WaitUntilHeld());
  control->mnuSuspendClick();
  hold.Let();
  ASSERT_TRUE(window.RunUntil([this] { return control->AbandonedWorkers() == 0; }));
  control->FormDestroy();
  EXPECT_EQ(process.endedWith, -1);
  tree.SetHoldRead(nullptr);
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

// Running out of memory in the walk ends the read with a message and the window idle.
TEST_F(clReadControlTest, ARunOutOfMemoryEndsTheReadWithAMessage) {
  WriteSettings();
  Open();
  tree.SetBeforeRead([](const std::string& folder) {
    if (clFakePlatform::FileKey(folder) == "/data/B") throw std::bad_alloc();
  });
  control->WMDropFiles({"/data"}, true);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(window.boxes, (std::vector<clShownBox>{{kOutOfMemoryText, "エラー"}}));
  EXPECT_FALSE(window.reading);
  EXPECT_FALSE(clTempTree::Exists(control->OutputBasePath() + ".csv"));
  tree.SetBeforeRead(nullptr);
}

}  // namespace
